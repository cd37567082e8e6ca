#pragma once
#include <deque>
#include <optional>
#include <string>

namespace yinshi {

class Clock;
class FakeClock;

// One key at a time, as the engine's questions and its search polling read them.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // A key if one is waiting, without blocking.
    virtual std::optional<char> Poll() = 0;
    // Blocks for one key, without echo. At the end of input this returns '\0',
    // which every question treats as "no".
    virtual char Wait() = 0;
    // Draws what the screen holds back, reading no key: before a step that
    // reads none for a while.
    virtual void Show() {}
};

// Keys handed over by a test. Wait() takes the next key whatever its hold;
// Poll() gives a key only once it has been polled `afterPolls` times since the
// key was added, so a test can press x or t in the middle of a search. Once the
// script is used up Poll() finds nothing and Wait() answers '\0'.
class ScriptedKeyboard final : public Keyboard {
public:
    ScriptedKeyboard() = default;
    explicit ScriptedKeyboard(const std::string& keys) { Add(keys); }
    void Add(const std::string& keys, long long afterPolls = 0);
    std::optional<char> Poll() override;
    char Wait() override;
    long long Polls() const { return polls_; }
    bool Empty() const { return queue_.empty(); }

private:
    struct Scripted {
        char key;
        long long availableAt;
    };
    std::deque<Scripted> queue_;
    long long polls_ = 0;
};

}  // namespace yinshi
