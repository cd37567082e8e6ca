// Setting up the decomposition of a term table: the variable order, the dense
// vector in the main variable, the sign, the special forms and the
// high-degree method.
#include <cmath>

#include "mainline/driver.hpp"
#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "present/special_forms.hpp"
#include "search/dense_arith.hpp"
#include "search/stop_check.hpp"
#include "search/subsets.hpp"
#include "state/allocation.hpp"

namespace yinshi {

namespace {

// An image degree above which the user is told the degree is high, though the
// run goes on.
constexpr int kHighDegreeNotice = 4000;
// The polynomial degree above which the sum-of-variables method is tried.
constexpr int kLongMethodAbove = 15;

int VarCount(const Engine& e) { return e.vars.VarCount; }
int TermCount(const Engine& e) { return e.terms.TermCount; }

void Negate(std::vector<float>& v, int n) {
    for (int k = 0; k <= n; ++k) v[k] = -v[k];
}

// Past this image degree the dense tables would take gigabytes and the image
// exponents would no longer be exact floats; no search could finish there anyway.
constexpr double kMaxImageDegree = 1000000;

// The image exponent of every term under the chosen order's weights; returns
// their spread, computed exactly.
double FillMainExponents(Engine& e) {
    int k = VarCount(e);
    double low = 0, high = 0;
    for (int i = 1; i <= TermCount(e); ++i) {
        double sum = 0;
        for (int m = 1; m <= k; ++m) {
            int v = static_cast<int>(e.vars.VarOrder[m]);
            sum += static_cast<double>(e.vars.VarWeight[m]) * e.terms.TermExp(i, v);
        }
        e.terms.TermMainExp[i] = static_cast<float>(sum);
        low = i == 1 ? sum : std::min(low, sum);
        high = i == 1 ? sum : std::max(high, sum);
    }
    return high - low;
}

void PermuteVariables(Engine& e) {
    int k = VarCount(e);
    TermTable& t = e.terms;
    std::array<float, 8> row{};
    for (int i = 1; i <= TermCount(e); ++i) {
        for (int j = 1; j <= k; ++j) row[j] = t.TermExp(i, j);
        for (int j = 1; j <= k; ++j) t.TermExp(i, j) = row[static_cast<int>(e.vars.VarOrder[j])];
    }
    const std::array<std::string, 8> names = e.vars.VarName;
    for (int j = 1; j <= k; ++j) e.vars.VarName[j] = names[static_cast<std::size_t>(e.vars.VarOrder[j])];
}

// Terms by ascending image exponent; only the exponent and the coefficient move.
void SortByMainExponent(Engine& e) {
    TermTable& t = e.terms;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 1; i < TermCount(e); ++i) {
            if (t.TermMainExp[i] > t.TermMainExp[i + 1]) {
                std::swap(t.TermMainExp[i], t.TermMainExp[i + 1]);
                std::swap(t.TermCoef[i], t.TermCoef[i + 1]);
                swapped = true;
            }
        }
    }
}

}  // namespace

Step Restart(Engine& e) {
    TermTable& t = e.terms;
    for (int j = 1; j <= VarCount(e); ++j) {
        float high = 0;
        for (int i = 1; i <= TermCount(e); ++i) high = std::max(high, t.TermExp(i, j));
        e.vars.VarMaxExp[j] = high;
    }
    t.MaxTerms = TermCount(e);
    DropAbsentVariables(e);
    return Reorder(e);
}

namespace {

// The variable order and, with it, the image's degree (the spread of the image
// exponents, which is the order's score); the tables sized for it.
Next ChooseOrder(Engine& e, int& n) {
    RunFlags& r = e.run;
    SearchState& s = e.search;
    DenseForm& d = e.dense;
    s.Bound1 = 0;
    s.Bound2 = 0;
    s.FirstDegree = 1;
    e.NewLine();
    e.NewLine();
    const VariableOrder chosen = OrderVariables(e, VarCount(e));
    if (e.fault) return At::FileProblem;
    for (int j = 1; j <= VarCount(e); ++j) {
        e.vars.VarOrder[j] = chosen.order[static_cast<std::size_t>(j)];
        e.vars.VarWeight[j] = RoundHalfEven(chosen.weight[static_cast<std::size_t>(j)]);
    }
    e.NewLine();
    double spread = FillMainExponents(e);

    PermuteVariables(e);
    if (spread > kMaxImageDegree) {
        e.PrintLine("次数太高了!");
        e.PrintLine("The degree is too high to be worked on.");
        return At::CloseAll;
    }
    n = static_cast<int>(spread);
    d.Degree = n;
    if (!r.FactorFound) d.WholeDegree = n;
    if (n > kHighDegreeNotice) e.PrintLine("次数太高了!");

    // Sized once in the first pass; a later polynomial that does not fit
    // (possible with another variable order) gets room too.
    if (!r.FactorFound || static_cast<int>(d.PolyCoef.size()) < n + 1) AllocateDegreeSized(e, n);
    return std::nullopt;
}

// The dense vector of the image, degree n.
void FillDenseVector(Engine& e, int n) {
    DenseForm& d = e.dense;
    SortByMainExponent(e);
    d.LowExp = e.terms.TermMainExp[1];
    for (int k = 0; k <= n; ++k) d.PolyWork[k] = 0;
    for (int i = TermCount(e); i >= 1; --i) {
        int k = RoundHalfEven(e.terms.TermMainExp[i] - d.LowExp);
        d.PolyWork[k] = e.terms.TermCoef[i];  // the first after sorting wins a shared power
    }
    d.DegreeKeep = n;
    e.store.StoredCount = 0;
    e.store.StoredEnd = 0;

    // A term table rebuilt from the dense vector can hold one term per power.
    if (!e.run.FactorFound || static_cast<int>(e.terms.TermCoef.size()) < n + 2) ResizeTermTablesForDegree(e, n);
}

// The sign: taken out of the whole polynomial, or flipped for the binomial
// and trinomial forms only; then the kept and the walked copies.
void TakeOutSign(Engine& e, int n) {
    RunFlags& r = e.run;
    DenseForm& d = e.dense;
    e.NewLine();
    if (!r.FactorFound && d.PolyWork[n] < 0) {
        r.SignPrefix.assign(1, '-');  // = "-" trips a false -Wrestrict in GCC 12
        Negate(d.PolyWork, n);
    } else if ((TermCount(e) == 2 || TermCount(e) == 3) && d.PolyWork[n] < 0) {
        Negate(d.PolyWork, n);
        r.SignFlip = -r.SignFlip;
    }
    for (int k = 0; k <= n; ++k) {
        d.PolyKeep[k] = d.PolyWork[k];
        d.PolyCoef[k] = d.PolyWork[k];
    }
}

// The polynomial being decomposed, degree n, after "=" and its content the
// first time (then in the transcript too). The term table becomes its terms:
// the highest exponents kept and the special forms are taken from them.
void ShowPolynomial(Engine& e, int n) {
    RunFlags& r = e.run;
    DenseForm& d = e.dense;
    PrintTarget target = PrintTarget::Screen;
    if (!r.FactorFound) {
        target = PrintTarget::ScreenAndTranscript;
        e.jg.EndLine();
        e.jg.Write("=");
        e.NewLine();
        e.Print("=");
        PrintContentPrefix(e);
    }
    const int shift = RoundHalfEven(d.LowExp);
    PrintDensePoly(e, d.PolyWork, n, shift, target);
    RebuildTermTable(e, d.PolyWork, n, shift);
    e.NewLine();
    KeepMaxExponents(e);
}

// The special forms of two and three terms; a flipped sign is put back for
// what follows them.
Next TrySpecialForms(Engine& e, int n) {
    DenseForm& d = e.dense;
    if (TermCount(e) == 2) {
        if (Next next = DifferenceOfSquares(e)) return next;
        if (Next next = SumOfCubes(e)) return next;
    } else if (TermCount(e) == 3) {
        if (Next next = SquareOfBinomial(e)) return next;
    }
    if (e.run.SignFlip == -1) {
        Negate(d.PolyWork, n);
        Negate(d.PolyKeep, n);
        Negate(d.PolyCoef, n);
        e.run.SignFlip = 1;
    }
    return std::nullopt;
}

}  // namespace

Step Reorder(Engine& e) {
    RunFlags& r = e.run;
    DenseForm& d = e.dense;
    int n = 0;
    CountPositionsAfresh(e.search);
    if (Next next = ChooseOrder(e, n)) return *next;
    FillDenseVector(e, n);
    TakeOutSign(e, n);
    ShowPolynomial(e, n);
    if (Next next = TrySpecialForms(e, n)) return *next;

    // A linear polynomial is its own last factor.
    if (n == 1) {
        if (!r.FactorFound) {
            e.jg.Close();
            e.dj.Close();
            return At::ShowResults;
        }
        return At::SearchEnd;
    }

    // The high-degree method.
    if (!r.LongTried && n > kLongMethodAbove && d.LowExp > 0 && e.vars.VarWeight[VarCount(e)] < n) {
        if (std::optional<FoundSplit> split = TrySumOfVariables(e)) return Step(At::FactorReport, *split);
        r.LongTried = true;
    }
    return At::SearchStart;
}

}  // namespace yinshi
