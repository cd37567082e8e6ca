// Reporting a factor the search has found, and going on with the cofactor.
#include "mainline/driver.hpp"
#include "present/grouping.hpp"
#include "present/printing.hpp"
#include "search/dense_arith.hpp"
#include "search/stop_check.hpp"

namespace yinshi {

namespace {

// A cofactor image of a degree above this, in several letters, is worth a new
// variable order before the search goes on.
constexpr int kReorderAbove = 12;

// The factor found, signed, at its share of the main variable's power; on
// both outputs.
void PrintFactor(Engine& e, const FoundSplit& split, int sign) {
    DenseForm& d = e.dense;
    for (int k = 0; k <= split.Found; ++k) d.PolyWork[k] = static_cast<float>(sign) * split.Factor[k];
    PrintDensePoly(e, d.PolyWork, split.Found, split.Shift, PrintTarget::ScreenAndTranscript);
}

}  // namespace

Step FactorReport(Engine& e, const FoundSplit& split) {
    RunFlags& r = e.run;
    DenseForm& d = e.dense;
    const int f = split.CofactorDeg;
    const int g = split.Found;
    bool first = !r.NoEqualsPrefix;

    r.FactorFound = true;
    // The cofactor is a polynomial of its own, with a budget of its own.
    CountPositionsAfresh(e.search);
    if (first) ShowGroupingWorking(e, {split.Factor, g, split.Cofactor, f});

    for (int k = 0; k <= f; ++k) d.PolyKeep[k] = split.Cofactor[k];
    d.DegreeKeep = f;

    float gLead = split.Factor[g];
    float qLead = d.PolyKeep[f];
    if (first)
        r.Sign = (gLead < 0 && qLead < 0) ? -1 : 1;
    else
        r.Sign = gLead < 0 ? -1 : 1;
    r.SignAcc *= r.Sign;

    if (first) {
        e.Print("=");
        e.jg.Write("=");
        PrintContentPrefix(e);
    }
    PrintFactor(e, split, r.Sign);
    // The cofactor keeps what is left of the main variable's power after the
    // factor took its share; the transcript has it only the first time.
    d.LowExp -= static_cast<float>(split.Shift);
    for (int k = 0; k <= f; ++k) d.PolyWork[k] = static_cast<float>(r.Sign) * d.PolyKeep[k];
    PrintDensePoly(e, d.PolyWork, f, static_cast<std::int32_t>(d.LowExp),
                   first ? PrintTarget::ScreenAndTranscript : PrintTarget::Screen);
    e.NewLine();
    if (first) e.jg.EndLine();

    if (r.Skipped == 1) return At::CloseTranscript;

    // The cofactor is what the later degree tests and the new order start from.
    e.vars.VarMaxExp = split.CofactorHighest;
    e.vars.VarMaxExpKeep = split.CofactorHighest;
    if (first) {
        e.NewLine();
        e.Print("=");
        e.jg.EndLine();
        e.jg.Write("=");
        PrintContentPrefix(e);
        PrintFactor(e, split, r.Sign);
        r.NoEqualsPrefix = true;
    }
    return Step(At::AfterFactor, split);
}

At AfterFactor(Engine& e, bool splitOff) {
    DenseForm& d = e.dense;
    if (2 * e.search.TrialDegree > d.Degree) return At::SearchEnd;
    e.NewLine();
    for (int k = 0; k <= d.DegreeKeep; ++k) d.PolyWork[k] = d.PolyKeep[k];
    const auto shift = static_cast<std::int32_t>(d.LowExp);
    PrintDensePoly(e, d.PolyWork, d.DegreeKeep, shift, PrintTarget::Screen);
    e.NewLine();
    if (e.vars.VarCount > 1 && d.Degree > kReorderAbove && splitOff) {
        // The new variable order is chosen from the cofactor's own terms.
        RebuildTermTable(e, d.PolyWork, d.DegreeKeep, shift);
        DropAbsentVariables(e);
        return At::Reorder;
    }
    return At::SearchResume;
}

}  // namespace yinshi
