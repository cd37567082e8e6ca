#include "platform/keyboard.hpp"

namespace yinshi {

void ScriptedKeyboard::Add(const std::string& keys, long long afterPolls) {
    for (char key : keys) queue_.push_back({key, polls_ + afterPolls});
}

std::optional<char> ScriptedKeyboard::Poll() {
    ++polls_;
    // Keys come out in order: a held key also holds the ones behind it.
    if (queue_.empty() || queue_.front().availableAt >= polls_) return std::nullopt;
    const char key = queue_.front().key;
    queue_.pop_front();
    return key;
}

char ScriptedKeyboard::Wait() {
    if (queue_.empty()) return '\0';
    const char key = queue_.front().key;
    queue_.pop_front();
    return key;
}

}  // namespace yinshi
