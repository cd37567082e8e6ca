#pragma once
#include <string>

#include "platform/renderer.hpp"

namespace yinshi {

// For output that is not a terminal: the printed text as it is, no escapes.
// Lines go out as they end, the rest on Flush().
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
    int fd_;
    std::string pending_;
};

}  // namespace yinshi
