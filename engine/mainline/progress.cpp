// What the user sees while the search runs, the time limits and the end of a
// search.
#include <cmath>

#include "mainline/driver.hpp"
#include "mainline/progress.hpp"
#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "search/eisenstein.hpp"

namespace yinshi {

namespace {

// The primes of the constant term as the test met them: each followed by "*"
// where a prime proved irreducibility on the way, else joined by "*" on a line
// of their own; an empty line follows a last prime that proved nothing.
void ShowPrimesOfConstant(Engine& e, const EisensteinResult& r) {
    using Reach = EisensteinResult::Reach;
    if (r.Reached == Reach::Nothing) return;
    if (r.Reached == Reach::StoppedAtProof) {
        for (const float p : r.Primes) e.Print(ItemForm(p) + "*");
        return;
    }
    for (std::size_t i = 0; i < r.Primes.size(); ++i) e.Print((i == 0 ? "" : "*") + ItemForm(r.Primes[i]));
    e.NewLine();
    if (r.Reached == Reach::LastAboveLimit && !r.Irreducible) e.NewLine();
}

}  // namespace

Next EisensteinStage(Engine& e) {
    const EisensteinResult r = EisensteinTest(e);
    ShowPrimesOfConstant(e, r);
    if (!r.Irreducible) return std::nullopt;
    return e.run.FactorFound ? At::Finish : At::CloseWithoutMarks;
}

void RestartSearchClock(Engine& e) {
    e.run.SearchStartTime = e.clock.Now();
    e.run.StartMinute = static_cast<float>(MinutesOf(e.run.SearchStartTime));
}

void ShowStatusLine(Engine& e) {
    e.screen.Color(kStatusColours);
    if (!e.run.FactorFound) {
        e.run.SearchPass = Pass::First;
        e.screen.PrintStatus(14, "程序正在运行. 按 t 键可退出分解(Press t exit)");
    } else {
        e.run.SearchPass = Pass::Later;
        e.screen.PrintStatus(6, "已有因式分出,正在继续分解.按 t 键可退出到下一步(Press t  exit)");
    }
    e.screen.Color(kPlainColours);
}

At SearchEnd(Engine& e) {
    RunFlags& r = e.run;
    SearchState& s = e.search;
    DenseForm& d = e.dense;

    e.screen.PrintStatus(1, std::string(80, ' '));
    e.NewLine();
    if (r.AnsweredAnew) {
        r.AnsweredAnew = false;
        r.NoEqualsPrefix = true;
    }
    if (!r.NoEqualsPrefix) {
        // Held back in the transcript until the remaining part follows it on
        // the same line; a re-tuned search must not leave "= 2" standing alone.
        e.Print("=");
        e.jg.BeginHold();
        e.jg.Write("=");
        PrintContentPrefix(e);
        e.jg.EndHold();
    }
    if (r.FactorFound && r.StopReason != StopReason::Retune) return At::Finish;

    for (int k = 0; k <= d.DegreeKeep; ++k) d.PolyWork[k] = static_cast<float>(r.Sign) * d.PolyKeep[k];
    PrintDensePoly(e, d.PolyWork, d.DegreeKeep, RoundHalfEven(d.LowExp), PrintTarget::Screen);

    if ((r.StopReason == StopReason::Retune || r.StopReason == StopReason::Leave) && s.CurBound1 > s.DefaultBound1) {
        s.CurBound1 = 0;
        e.NewLine();
        return At::Finish;
    }
    e.NewLine();
    e.Print(r.StartTime);
    e.screen.NextZone();
    e.PrintLine(e.clock.Now());

    if (s.Bound1 == 1) return r.FactorFound ? At::Finish : At::AskAnew;
    if (r.StopReason == StopReason::Retune) {
        r.StopReason = StopReason::None;
        RestartSearchClock(e);
        s.StartDegree = s.TrialDegree;
        s.Bound1 = std::floor((s.Bound1 + 1) / 2);
        return At::BoundClamp;
    }
    return At::AskAnew;
}

}  // namespace yinshi
