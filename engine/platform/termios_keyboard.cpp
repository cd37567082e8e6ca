#include "platform/termios_keyboard.hpp"

#include <utility>

#include "platform/fd_io.hpp"

namespace yinshi {

namespace {
// The bytes of one key arrive together; this only bounds the wait for them.
constexpr int kSequenceGapMs = 25;
}  // namespace

std::optional<char> TermiosKeyboard::NextByteWithin(int timeoutMs) {
    if (held_) return std::exchange(held_, std::nullopt);
    if (ended_) return std::nullopt;
    Ready ready = ReadableOrWoken(fd_, wakeFd_, timeoutMs);
    for (; ready == Ready::Wake; ready = ReadableOrWoken(fd_, wakeFd_, timeoutMs)) show_();
    if (ready == Ready::No) return std::nullopt;
    char byte = 0;
    if (ReadSome(fd_, &byte, 1) == 0) {
        ended_ = true;
        return std::nullopt;
    }
    return byte;
}

std::optional<char> TermiosKeyboard::ReadKey() {
    const std::optional<char> first = NextByteWithin(-1);
    if (!first) return std::nullopt;
    const auto lead = static_cast<unsigned char>(*first);
    if (lead == 0x1B) {
        SkipEscapeSequence();
    } else if (lead >= 0xC0 && lead < 0xF8) {
        SkipContinuationBytes(lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1);
    }
    return first;
}

void TermiosKeyboard::SkipEscapeSequence() {
    const std::optional<char> second = NextByteWithin(kSequenceGapMs);
    if (second == '[') {
        // Control sequence: parameters and intermediates up to a final byte.
        for (;;) {
            const std::optional<char> b = NextByteWithin(kSequenceGapMs);
            if (!b || (*b >= 0x40 && *b <= 0x7E)) break;
        }
    } else if (second == 'O') {
        NextByteWithin(kSequenceGapMs);
    }
}

void TermiosKeyboard::SkipContinuationBytes(int more) {
    for (int i = 0; i < more; ++i) {
        const std::optional<char> b = NextByteWithin(kSequenceGapMs);
        if (!b) break;
        if ((static_cast<unsigned char>(*b) & 0xC0) != 0x80) {
            held_ = b;  // not part of this character: the next key
            break;
        }
    }
}

std::optional<char> TermiosKeyboard::Poll() {
    if (show_) show_();
    if (!held_ && (ended_ || !Readable(fd_, 0))) return std::nullopt;
    return ReadKey();
}

char TermiosKeyboard::Wait() {
    if (show_) show_();
    return ReadKey().value_or('\0');
}

}  // namespace yinshi
