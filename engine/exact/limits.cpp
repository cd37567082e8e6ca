// Where exact factoring is cheap enough to be asked: FLINT cannot be
// interrupted, so nothing that may take long is handed to it.
#include <algorithm>
#include <array>

#include "exact/closed_forms.hpp"
#include "exact/cyclotomic.hpp"
#include "exact/factorer.hpp"

namespace yinshi::exact {

namespace {

int DegreeOf(const UniPoly& p) {
    int d = static_cast<int>(p.size()) - 1;
    while (d >= 0 && p[static_cast<std::size_t>(d)] == 0) --d;
    return d;
}

}  // namespace

int TotalDegree(const MultiPoly& f) {
    int high = 0;
    for (const Term& t : f) {
        int sum = 0;
        for (int e : t.exp) sum += e;
        high = std::max(high, sum);
    }
    return high;
}

bool WithinLimits(const UniPoly& f) {
    if (const auto n = detail::UnitBinomialDegree(f)) return *n <= kMaxBinomialDegree;
    return DegreeOf(f) <= kGuideMaxDegree || detail::CyclotomicPowerForm(f);
}

namespace {

// What the limits look at in a polynomial of several letters.
struct Shape {
    int letters = 0;
    int terms = 0;
    int total = 0;
    std::size_t onlyLetter = 0;  // the letter's slot when there is one
};

Shape ShapeOf(const MultiPoly& f) {
    std::array<bool, kMaxVariables> used{};
    Shape s;
    for (const Term& t : f) {
        if (t.coef == 0) continue;
        ++s.terms;
        int sum = 0;
        for (std::size_t j = 0; j < t.exp.size(); ++j) {
            sum += t.exp[j];
            if (t.exp[j] != 0) used[j] = true;
        }
        s.total = std::max(s.total, sum);
    }
    s.letters = static_cast<int>(std::count(used.begin(), used.end(), true));
    s.onlyLetter = static_cast<std::size_t>(std::find(used.begin(), used.end(), true) - used.begin()) % used.size();
    return s;
}

UniPoly InOneLetter(const MultiPoly& f, const Shape& s) {
    UniPoly u(static_cast<std::size_t>(s.total) + 1, 0);
    for (const Term& t : f) u[static_cast<std::size_t>(t.exp[s.onlyLetter])] += t.coef;
    return u;
}

}  // namespace

bool WithinLimits(const MultiPoly& f) {
    const Shape s = ShapeOf(f);
    if (s.letters <= 1) return WithinLimits(InOneLetter(f, s));
    if (const auto n = detail::UnitBinomialDegree(f)) return *n <= kMaxBinomialDegree;
    if (detail::HasDisjointTerms(f)) return true;
    if (s.total > kGuideMaxTotalDegree)
        if (const auto form = detail::HomogeneousInTwoLetters(f)) return WithinLimits(form->dehomogenized);
    if (s.letters >= 3 && s.terms <= 3) return s.total <= kFewTermsMaxTotalDegree;
    return s.total <= kGuideMaxTotalDegree;
}

bool MayTakeLong(const UniPoly& f) {
    if (detail::UnitBinomialDegree(f)) return false;
    const int n = DegreeOf(f);
    if (n > kGuideMaxDegree) return false;
    return n >= kNoticeDegree;
}

bool MayTakeLong(const MultiPoly& f) {
    const Shape s = ShapeOf(f);
    if (s.letters <= 1) return MayTakeLong(InOneLetter(f, s));
    if (detail::UnitBinomialDegree(f) || detail::HasDisjointTerms(f)) return false;
    if (s.total > kGuideMaxTotalDegree)
        if (const auto form = detail::HomogeneousInTwoLetters(f)) return MayTakeLong(form->dehomogenized);
    if (s.letters >= 3 && s.terms <= 3) return s.total >= kNoticeFewTermsDegree;
    return s.total >= kNoticeTotalDegree;
}

}  // namespace yinshi::exact
