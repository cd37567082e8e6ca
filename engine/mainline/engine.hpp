#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "mainline/engine_state.hpp"
#include "mainline/stage.hpp"
#include "platform/clock.hpp"
#include "platform/keyboard.hpp"
#include "platform/screen.hpp"
#include "results/factor_file.hpp"
#include "results/transcript.hpp"

namespace yinshi {

class Poller;

// The engine: its whole data model, grouped by meaning, and the seams to the
// outside (screen, keyboard, clock, working folder). Every routine takes it by
// reference.
struct Engine {
    Engine(Screen& s, Keyboard& k, Clock& c, std::filesystem::path folder, Poller& p)
        : screen(s), keys(k), clock(c), dir(std::move(folder)), poller(p) {}

    TermTable terms;
    VarTable vars;
    DenseForm dense;
    SearchState search;
    FactorStore store;
    RunFlags run;
    PrintState print;
    SubsetState subsets;
    FurtherState further;

    Screen& screen;
    Keyboard& keys;
    Clock& clock;
    std::filesystem::path dir;  // files are opened by bare name in this folder
    Poller& poller;

    Transcript jg;   // jg.dat, open from start-up to the closing
    FactorFile dj;   // dj.dat during the closing and the further solutions

    std::filesystem::path File(std::string_view name) const { return dir / std::string(name); }

    // Console shorthands.
    void Print(std::string_view text) { screen.Print(text); }
    void PrintLine(std::string_view text) { screen.Print(text); screen.NewLine(); }
    void NewLine() { screen.NewLine(); }
};

}  // namespace yinshi
