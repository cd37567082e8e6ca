#include "platform/stream_keyboard.hpp"

#include "platform/fd_io.hpp"

namespace yinshi {

bool StreamKeyboard::Fill() {
    if (ended_) return false;
    char chunk[256];
    const std::size_t n = ReadSome(fd_, chunk, sizeof chunk);
    if (n == 0) {
        ended_ = true;
        return false;
    }
    buffer_.assign(chunk, n);
    next_ = 0;
    return true;
}

std::optional<char> StreamKeyboard::Poll() {
    if (show_) show_();
    if (next_ == buffer_.size()) {
        if (ended_ || !Readable(fd_, 0) || !Fill()) return std::nullopt;
    }
    return buffer_[next_++];
}

char StreamKeyboard::Wait() {
    if (show_) show_();
    if (next_ == buffer_.size() && !Fill()) return '\0';
    return buffer_[next_++];
}

}  // namespace yinshi
