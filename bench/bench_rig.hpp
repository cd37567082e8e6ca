#pragma once
// One input read and set up once by the engine's own start-up and restart
// stages; every iteration then restores that state and runs the driver from
// the search start until the decomposition leaves the search (every degree
// tried, every factor split off), with no keys and the production poller. The
// transcript is closed, so no file is written while the search runs.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "exact/factorer.hpp"
#include "mainline/driver.hpp"
#include "platform/poller.hpp"
#include "platform/text_file.hpp"
#include "present/screen_search_report.hpp"
#include "state/allocation.hpp"

namespace yinshi::bench {

struct Rig {
    Rig(Clock& clock, const exact::Factorer* exact) : e{screen, keys, clock, dir, poller, report} { e.exact = exact; }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("yinshi-bench-" + std::to_string(::getpid()));
    Screen screen;
    ScriptedKeyboard keys;
    Poller poller = Poller::Production();
    ScreenSearchReport report{screen};
    Engine e;
    EngineData start;  // the engine's state at the search start

    // False when the input never reaches the search.
    bool SetUp(const std::string& text) {
        std::filesystem::create_directories(dir);
        WriteWholeFile(dir / "DXS.DAT", "\"" + text + "\"\r\n");
        AllocateStartup(e);
        Step step = StartUp(e);
        while (step.Stage == At::Restart || step.Stage == At::Reorder) step = RunStage(e, step);
        e.jg.Close();
        e.dj.Close();
        start = e;
        return step.Stage == At::SearchStart;
    }
    ~Rig() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

// The stages of the decomposition itself; any other ends it.
inline bool Decomposing(At at) {
    switch (at) {
        case At::SearchStart:
        case At::SearchResume:
        case At::BoundClamp:
        case At::NextDegree:
        case At::FactorReport:
        case At::AfterFactor:
        case At::SearchEnd:
        case At::Reorder: return true;
        default: return false;
    }
}

// Exact factoring guides the walk when `exact` is given (its factoring is
// part of every iteration); `clock` decides whether the time limits can fire.
inline void RunSearch(benchmark::State& state, const std::string& text, Clock& clock, const exact::Factorer* exact) {
    Rig rig(clock, exact);
    if (!rig.SetUp(text)) {
        state.SkipWithError("the input does not reach the search");
        return;
    }
    Engine& e = rig.e;
    long long positions = 0;
    long long candidates = 0;
    for (auto _ : state) {
        static_cast<EngineData&>(e) = rig.start;
        for (Step step = At::SearchStart; Decomposing(step.Stage); step = RunStage(e, step)) {
        }
        positions += e.search.PositionsEntered - rig.start.search.PositionsEntered;
        candidates += e.search.CompleteAssignments - rig.start.search.CompleteAssignments;
        rig.screen.ClearLog();
        if (e.run.StoppedBy != StoppedBy::Nothing || e.run.Skipped == 1) state.counters["timed_out"] = 1;
    }
    state.counters["degree"] = rig.start.dense.Degree;  // of the polynomial walked (the image for several letters)
    state.counters["positions"] = benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kIsRate);
    state.counters["candidates"] = benchmark::Counter(static_cast<double>(candidates), benchmark::Counter::kIsRate);
    state.counters["positions_per_run"] =
        benchmark::Counter(static_cast<double>(positions), benchmark::Counter::kAvgIterations);
}

}  // namespace yinshi::bench
