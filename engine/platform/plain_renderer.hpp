#pragma once
#include <string>

#include "platform/renderer.hpp"

namespace yinshi {

// For output that is not a terminal: the printed text as it is, no escapes.
// Text is held until Flush() (before the keys are read and at exit) or until
// there is a block of it, so that a run costs a few writes, not one a line.
class PlainRenderer final : public Renderer {
public:
    explicit PlainRenderer(int fd) : fd_(fd) {}
    ~PlainRenderer() override { Flush(); }
    PlainRenderer(const PlainRenderer&) = delete;
    PlainRenderer& operator=(const PlainRenderer&) = delete;

    void Logged(std::string_view text) override;
    void Changed() override {}
    void Bell() override {}  // the bell character is already in the logged text
    void Flush() override;

private:
    static constexpr std::size_t kHoldAtMost = 4096;
    int fd_;
    std::string pending_;
};

}  // namespace yinshi
