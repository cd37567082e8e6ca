#include "platform/plain_renderer.hpp"

#include "platform/fd_io.hpp"

namespace yinshi {

void PlainRenderer::Logged(std::string_view text) {
    pending_ += text;
    if (pending_.size() >= kHoldAtMost) Flush();
}

void PlainRenderer::Flush() {
    WriteAll(fd_, pending_.data(), pending_.size());
    pending_.clear();
}

}  // namespace yinshi
