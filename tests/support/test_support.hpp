#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/clock.hpp"
#include "platform/keyboard.hpp"
#include "platform/poller.hpp"
#include "platform/screen.hpp"
#include "present/screen_search_report.hpp"
#include "state/allocation.hpp"
#include "state/engine.hpp"

namespace yinshi::testing {

// A fresh temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string Read(const std::string& name) const;  // whole file, "" when missing
    void Write(const std::string& name, const std::string& bytes) const;
    bool Exists(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// An engine on a screen model, scripted keys and a fake clock set to 10:00:00,
// working in its own temporary folder, with its tables at start-up size.
struct TestEngine {
    TempDir dir;
    Screen screen;
    ScriptedKeyboard keys;
    FakeClock clock;
    Poller poller{1};
    ScreenSearchReport report{screen};
    Engine e{screen, keys, clock, dir.Path(), poller, report};

    TestEngine() { AllocateStartup(e); }
    // The engine's view of a polynomial in x: PolyCoef/PolyKeep/PolyWork = coefs (ascending),
    // Degree = DegreeKeep = coefs.size() - 1, one variable "x".
    void SetDense(const std::vector<float>& ascending);
    // A term table: the variable letters, then per term its coefficient and
    // the exponent of each variable.
    void SetTerms(const std::vector<std::string>& vars, const std::vector<std::vector<float>>& rows);
    // Open jg.dat for writing, as start-up does.
    void OpenTranscript();
    // jg.dat as written so far (closes it first).
    std::string CloseAndReadTranscript();
};

// Replace every "␣" (U+2423) by a blank, so that expected texts can show their blanks.
std::string Blanks(const std::string& withVisibleBlanks);

}  // namespace yinshi::testing
