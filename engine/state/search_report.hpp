#pragma once

namespace yinshi {

// What the search tells the user while it runs. The search only decides and
// reports; the screen's implementation (present/) says how it looks.
class SearchReport {
public:
    SearchReport() = default;
    SearchReport(const SearchReport&) = delete;
    SearchReport& operator=(const SearchReport&) = delete;
    virtual ~SearchReport() = default;

    // A checked candidate is taken as a factor: the status line goes.
    virtual void FactorAccepted() = 0;
    // Every candidate of the divisor pair with this g0 (not 1) was walked.
    virtual void PairUsedUp(float g0) = 0;
    // Exact factoring supplies a factor at a higher degree: the degrees the
    // walk would have passed on its way there, one by one.
    virtual void DegreePassed(int degree) = 0;
    // b was pressed: the search goes on without a time limit, at this degree.
    virtual void NoLimitAsked(int degree) = 0;
    // The stored factors are combined, groups of one size after another: the
    // combination starts, the first group of a size is about to be tested,
    // and that first group did not split.
    virtual void CombinationBegun() = 0;
    virtual void GroupSizeBegun() = 0;
    virtual void FirstGroupOfSizeFailed() = 0;
};

}  // namespace yinshi
