#include "mainline/further_solutions.hpp"

#include <algorithm>
#include <span>

#include "mainline/further_tables.hpp"
#include "mainline/like_terms.hpp"
#include "mainline/parser.hpp"
#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "results/certificate.hpp"
#include "search/k_subsets.hpp"
#include "state/allocation.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// The tables are sized when the mode starts, but the limits are taken from the
// tables themselves as well, so that a caller with smaller tables is refused
// rather than written past them.
int RawCapacity(const Engine& e) {
    int cap = kMaxRawEntries;
    cap = std::min(cap, static_cast<int>(e.dense.PolyKeep.size()) - 1);
    cap = std::min(cap, e.further.RawExp.Rows() - 1);
    cap = std::min(cap, static_cast<int>(e.terms.TermCoef.size()) - 1);
    cap = std::min(cap, e.terms.TermExp.Rows() - 1);
    return cap;
}

int ProductCapacity(const Engine& e) {
    int cap = kMaxProductTerms;
    cap = std::min(cap, static_cast<int>(e.further.ProdCoef.size()) - 1);
    cap = std::min(cap, e.further.ProdExp.Rows() - 1);
    return cap;
}

int ReferenceCapacity(const Engine& e) {
    int cap = kMaxProductTerms;
    cap = std::min(cap, static_cast<int>(e.further.RefCoef.size()) - 1);
    cap = std::min(cap, e.further.RefExp.Rows() - 1);
    return cap;
}

// A product too large for the tables ends the mode the way a declined question
// does, but says why.
Next RefuseProduct(Engine& e) {
    e.NewLine();
    e.PrintLine("乘 积 的 项 数 太 多 ！");
    e.PrintLine("The product has too many terms!");
    e.dj.Close();
    TellCertificate(e);
    return At::EndPrompt;
}

// Product := term table. Exponent columns past VarCount are cleared so that a
// variable met later never inherits a stale exponent.
Next CopyTableToProduct(Engine& e) {
    const int count = e.terms.TermCount;
    if (count > ProductCapacity(e)) return RefuseProduct(e);
    const int vars = FurtherVarCount(e);
    const int cols = e.further.ProdExp.Cols();
    for (int i = 1; i <= count; ++i) {
        e.further.ProdCoef[i] = e.terms.TermCoef[i];
        for (int j = 1; j < cols; ++j) e.further.ProdExp(i, j) = j <= vars ? e.terms.TermExp(i, j) : 0.0f;
    }
    e.run.ProdCount = static_cast<float>(count);
    return std::nullopt;
}

// Reference := product; the product is emptied.
void ProductBecomesReference(Engine& e) {
    FurtherState& f = e.further;
    const int count = static_cast<int>(e.run.ProdCount);
    CopyTerms({f.ProdCoef, f.ProdExp}, {f.RefCoef, f.RefExp}, count, kKeepAllColumns);
    e.further.RefCount = static_cast<float>(count);
    e.run.ProdCount = 0;
}

bool ProductEqualsReference(const Engine& e) {
    const int count = static_cast<int>(e.run.ProdCount);
    if (e.run.ProdCount != e.further.RefCount) return false;
    const int vars = FurtherVarCount(e);
    for (int i = 1; i <= count; ++i) {
        if (e.further.ProdCoef[i] != e.further.RefCoef[i]) return false;
        for (int j = 1; j <= vars; ++j)
            if (e.further.ProdExp(i, j) != e.further.RefExp(i, j)) return false;
    }
    return true;
}

Next LoadRecord(Engine& e, int record) {
    if (Next n = TokenizeFactorRecord(e, record)) return n;
    return LoadTerms(e, TermSource::FactorRecord);
}

// Background of the question after a solution: the counter's colour, with
// white (which would hide the white text) replaced by blue.
int QuestionBackground(int solution) {
    int b = solution % 8;
    return b == 7 ? 1 : b;
}

// Every group of records, smallest groups first, is multiplied out and set
// against the last solution shown.
Next WalkRecordGroups(Engine& e) {
    const int n = e.run.ItemCount;
    e.NewLine();
    for (int k = 1; k <= n - 1; ++k) {
        Next next;
        bool first = true;
        auto multiply = [&](int /*pos*/, int item) {
            next = MultiplyInRecord(e, item);
            return next.has_value();
        };
        auto compare = [&](std::span<const int> chosen) {
            if (first) e.NewLine();
            next = CompareAndShow(e, chosen);
            if (next) return true;
            if (first) {
                e.Print("");
                e.screen.NextZone();
            }
            first = false;
            return false;
        };
        if (ForEachKSubset(n, k, multiply, compare)) return next;
    }
    return std::nullopt;
}

}  // namespace

int FurtherVarCount(const Engine& e) { return std::clamp(e.vars.VarCount, 0, kMaxVars); }

bool SameMonomial(const Engine& e, int a, int b) {
    const int vars = FurtherVarCount(e);
    for (int j = 1; j <= vars; ++j)
        if (e.terms.TermExp(a, j) != e.terms.TermExp(b, j)) return false;
    return true;
}

void CopyTerms(ConstTermRows from, TermRows to, int count, int keepVars) {
    const int cols = std::min(to.Exp.Cols(), from.Exp.Cols());
    for (int i = 1; i <= count; ++i) {
        to.Coef[i] = from.Coef[i];
        for (int j = 1; j < cols; ++j) to.Exp(i, j) = j <= keepVars ? from.Exp(i, j) : 0.0f;
    }
}

void LoadTermTable(Engine& e, ConstTermRows from, int count) {
    CopyTerms(from, {e.terms.TermCoef, e.terms.TermExp}, count, kKeepAllColumns);
    e.terms.TermCount = count;
}

Next StartAnotherSolution(Engine& e) {
    // After a two-minute jump only one record may be filed, and then dj.dat can
    // hold nothing or an earlier run's factors: there is nothing to regroup.
    if (e.run.ItemCount < 2) return std::nullopt;

    AllocateAnotherSolution(e);
    e.run.SolutionCounter = 1;
    e.run.ProdCount = 0;
    e.vars.VarCount = e.vars.ParsedVarCount;
    const int vars = FurtherVarCount(e);
    for (int j = 1; j <= vars; ++j) e.vars.VarName[j] = e.vars.VarNameParsed[j];

    if (Next n = LoadRecord(e, 1)) return n;
    // A record holds at most 20 terms, so the reference always fits here.
    if (e.terms.TermCount > ReferenceCapacity(e)) return RefuseProduct(e);
    const int count = e.terms.TermCount;
    CopyTerms({e.terms.TermCoef, e.terms.TermExp}, {e.further.RefCoef, e.further.RefExp}, count, vars);
    e.further.RefCount = static_cast<float>(count);

    return WalkRecordGroups(e);
}

Next MultiplyInRecord(Engine& e, int item) {
    if (Next n = LoadRecord(e, item)) return n;
    return MultiplyIntoProduct(e);
}

Next MultiplyIntoProduct(Engine& e, ProductUse use) {
    FurtherState& f = e.further;
    if (e.run.ProdCount == 0) return CopyTableToProduct(e);

    const int left = static_cast<int>(e.run.ProdCount);
    const int right = e.terms.TermCount;
    if (left * right > RawCapacity(e)) return RefuseProduct(e);
    const int vars = FurtherVarCount(e);
    for (int i = 1; i <= left; ++i) {
        for (int k = 1; k <= right; ++k) {
            const int m = (i - 1) * right + k;
            e.dense.PolyKeep[m] = f.ProdCoef[i] * e.terms.TermCoef[k];
            for (int j = 1; j <= vars; ++j) f.RawExp(m, j) = f.ProdExp(i, j) + e.terms.TermExp(k, j);
        }
    }

    const int raw = left * right;
    e.terms.TermCount = raw;
    for (int m = 1; m <= raw; ++m) {
        e.terms.TermCoef[m] = e.dense.PolyKeep[m];
        for (int j = 1; j <= vars; ++j) e.terms.TermExp(m, j) = f.RawExp(m, j);
    }

    if (use == ProductUse::Show) {
        ShowSolutionWorking(e, left, right);
        return std::nullopt;
    }
    CollectLikeTerms(e);
    return CopyTableToProduct(e);
}

void CollectLikeTerms(Engine& e) {
    TermTable& t = e.terms;
    const int cols = t.TermExp.Cols();
    MergeLikeTerms(
        t.TermCoef, t.TermCount, [&](int a, int b) { return SameMonomial(e, a, b); },
        [&](int to, int from) {
            for (int j = 1; j < cols; ++j) t.TermExp(to, j) = t.TermExp(from, j);
        });
    DropZeroTerms(t);
}

Next CompareAndShow(Engine& e, std::span<const int> chosen) {
    if (ProductEqualsReference(e)) {
        e.run.ProdCount = 0;
        return std::nullopt;
    }

    e.run.SolutionCounter += 1;
    ProductBecomesReference(e);

    // The cofactor C: every record outside the subset.
    for (int r = 1; r <= e.run.ItemCount; ++r) {
        if (std::find(chosen.begin(), chosen.end(), r) != chosen.end()) continue;
        if (Next n = LoadRecord(e, r)) return n;
        if (Next n = MultiplyIntoProduct(e)) return n;
    }

    LoadTermTable(e, {e.further.RefCoef, e.further.RefExp}, static_cast<int>(e.further.RefCount));
    e.screen.Color(kResultColours);
    e.Print("Solution");
    e.PrintLine(ItemForm(static_cast<float>(e.run.SolutionCounter)));
    e.Print("......");
    if (Next n = MultiplyIntoProduct(e, ProductUse::Show)) return n;

    e.screen.Color(kPlainColours.fg, QuestionBackground(e.run.SolutionCounter));
    e.NewLine();
    e.PrintLine("要   看   下   一   种    解    法    吗 ");
    e.PrintLine("do you want to look at another solution? y/n");
    const char key = e.keys.Wait();
    if (key == 'y' || key == 'Y') {
        e.run.ProdCount = 0;
        return std::nullopt;
    }
    e.PrintLine("ok!");
    e.dj.Close();
    // The run ends here, not through the closing of a run without further
    // solutions: what the product line is worth is said here too.
    TellCertificate(e);
    return At::EndPrompt;
}

}  // namespace yinshi
