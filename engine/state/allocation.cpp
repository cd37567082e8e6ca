#include "state/allocation.hpp"

#include "state/engine.hpp"

namespace yinshi {

namespace {
template <typename T>
void Fresh(std::vector<T>& v, int last) {
    v.assign(static_cast<std::size_t>(last < 0 ? 0 : last) + 1, T{});
}
}  // namespace

void AllocateStartup(Engine& e) {
    Fresh(e.terms.TermCoef, 30);
    Fresh(e.terms.TermDen, 30);
    Fresh(e.terms.TermMainExp, 30);
    e.terms.TermExp.Resize(30, kMaxVars);
    Fresh(e.dense.PolyWork, 300);
    Fresh(e.dense.PolyKeep, 300);
    Fresh(e.search.TrialFactor, 300);
    Fresh(e.vars.VarOrder, 300);
    Fresh(e.search.DivisorA, 10);
    Fresh(e.search.DivisorB, 10);
    Fresh(e.store.StoredEndAt, 301);
    Fresh(e.store.StoredDeg, 301);

    RunFlags& r = e.run;
    r.NoGroupingShown = true;
    r.FactorFound = false;
    r.NoEqualsPrefix = false;
    r.DenProduct = 1;
    r.SignFlip = 1;
    r.Sign = 1;
    r.SignAcc = 1;
    r.GsysCount = 0;
    r.GsysRead = 0;
    r.SignPrefix.clear();
    e.vars.VarCount = 0;
    e.vars.ParsedVarCount = 0;
}

void AllocateDegreeSized(Engine& e, int n) {
    int half = n / 2;
    Fresh(e.dense.PolyCoef, n);
    Fresh(e.dense.PolyWork, n + 1);
    Fresh(e.dense.PolyKeep, n + 1);
    Fresh(e.search.TrialFactor, n + 1);
    Fresh(e.vars.VarOrder, 2 * n + 1);
    Fresh(e.search.DivRem, n + 1);
    Fresh(e.store.Work2n, 2 * n + 1);
    Fresh(e.store.StoredEndAt, n + 2);
    Fresh(e.store.StoredDeg, n + 2);
    Fresh(e.search.SearchSave, 2 * n + 10);
    for (auto* v : {&e.search.UpQuot, &e.search.DownQuot, &e.search.UpCoef, &e.search.DownCoef, &e.search.UpQuotKeep,
                    &e.search.DownQuotKeep, &e.search.UpCoefKeep, &e.search.DownCoefKeep})
        Fresh(*v, half + 1);
    Fresh(e.search.StepMode, half + 1);
    Fresh(e.search.StepModeKeep, half + 1);
    Fresh(e.search.CoefBound, half + 1);
}

void ResizeTermTablesForDegree(Engine& e, int n) {
    // A term table rebuilt from a dense vector can hold one term per power.
    int rows = std::max(n + 1, 30);
    Fresh(e.terms.TermCoef, rows);
    Fresh(e.terms.TermMainExp, rows);
    Fresh(e.terms.TermDen, rows);
    e.terms.TermExp.Resize(rows, kMaxVars);
}

void AllocateDivisorLists(Engine& e, int pairs) {
    Fresh(e.search.DivisorA, pairs + 1);
    Fresh(e.search.DivisorB, pairs + 1);
}

void AllocateAnotherSolution(Engine& e) {
    // The term table receives a whole raw product. Terms count from 1, so each table has one spare row.
    Fresh(e.terms.TermCoef, kMaxRawEntries);
    Fresh(e.terms.TermDen, kMaxRawEntries);
    Fresh(e.terms.TermMainExp, kMaxRawEntries);
    e.terms.TermExp.Resize(kMaxRawEntries, kMaxVars);
    Fresh(e.dense.PolyWork, 50);
    Fresh(e.further.RefCoef, kMaxProductTerms);
    Fresh(e.dense.PolyKeep, kMaxRawEntries);
    Fresh(e.further.ProdCoef, kMaxRawEntries);
    e.further.ProdExp.Resize(kMaxProductTerms, kMaxVars);
    e.further.RefExp.Resize(kMaxProductTerms, kMaxVars);
    e.further.RawExp.Resize(kMaxRawEntries, kMaxVars);
}

}  // namespace yinshi
