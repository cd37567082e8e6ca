#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/factor_file.hpp"
#include "platform/keyboard.hpp"
#include "platform/screen.hpp"
#include "platform/transcript.hpp"
#include "state/engine_state.hpp"
#include "state/search_report.hpp"
#include "state/stage.hpp"

namespace yinshi {

class Poller;
namespace exact {
class Factorer;
}

// A file the run could not read or write. The driver ends the run on it, so
// that nothing is computed from, or claimed about, a file that is not there.
struct FileFault {
    std::string name;
    bool writing = false;
    bool told = false;  // its message is already on the screen
};

// The engine's whole data model, grouped by meaning; a copy of it is the
// state of a run at one point.
struct EngineData {
    TermTable terms;
    VarTable vars;
    DenseForm dense;
    SearchState search;
    FactorStore store;
    RunFlags run;
    OrderFiles orderFiles;
    FurtherState further;
};

// The engine: its data model and the seams to the outside (screen, keyboard,
// clock, working folder). Every routine takes it by reference.
struct Engine : EngineData {
    Engine(Screen& s, Keyboard& k, Clock& c, std::filesystem::path folder, Poller& p, SearchReport& r)
        : screen(s), keys(k), clock(c), dir(std::move(folder)), poller(p), report(r) {}

    Screen& screen;
    Keyboard& keys;
    Clock& clock;
    std::filesystem::path dir;  // files are opened by bare name in this folder
    Poller& poller;
    // The search's progress, shown as the user sees it.
    SearchReport& report;

    // Started in a terminal window of its own, which the user closes by hand
    // at the end; an engine run from a shell does not tell its user to.
    bool ownWindow = true;
    // Exact factoring over the integers, to certify the product a run ends
    // with; none in tests that do not ask for it.
    const exact::Factorer* exact = nullptr;
    // With `exact`, the trial search walks only where a divisor can be; off
    // only to compare the guided walk with the plain one.
    bool guideWalk = true;

    Transcript jg;  // jg.dat, open from start-up to the closing
    FactorFile dj;  // dj.dat during the closing and the further solutions

    std::optional<FileFault> fault;  // the first file that failed
    // The bytes the tokeniser last wrote to DXS1.DAT: the loader must read
    // back exactly these, or it would build the term table from less.
    std::size_t itemFileBytes = 0;

    std::filesystem::path File(std::string_view name) const { return dir / std::string(name); }
    // Only the first failure is kept: it is the one the user can act on.
    void FileFailed(std::string_view name, bool writing) {
        if (!fault) fault = FileFault{std::string(name), writing, false};
    }

    // Console shorthands.
    void Print(std::string_view text) { screen.Print(text); }
    void PrintLine(std::string_view text) {
        screen.Print(text);
        screen.NewLine();
    }
    void NewLine() { screen.NewLine(); }
};

}  // namespace yinshi
