#pragma once
#include <span>

#include "state/stage.hpp"

namespace yinshi {

struct Engine;

// The "y" answer to the another-solution question: sizes the tables, loads
// factor record 1 of dj.dat as the reference and walks the subsets of the
// records. EndPrompt when the user declined or the run had to end; nothing
// when the subsets ran out. With fewer than two records there is nothing to
// regroup: it returns nothing without touching dj.dat or the tables.
Next StartAnotherSolution(Engine& e);

// The steps of the walk over groups of records: record `item` multiplied into
// the product, and the product of the `chosen` records set against the last
// solution shown (the other records make its cofactor).
Next MultiplyInRecord(Engine& e, int item);
Next CompareAndShow(Engine& e, std::span<const int> chosen);

// Product = product x term table. A raw product of more than kMaxRawEntries
// entries, or a product of more than kMaxProductTerms terms, is refused on the
// screen and ends the mode (EndPrompt). To gather, like terms are merged into
// the new product; to show, the product is shown as it stands, as the
// cofactor of a solution, and kept as it was.
enum class ProductUse { Gather, Show };
Next MultiplyIntoProduct(Engine& e, ProductUse use = ProductUse::Gather);
// Merges like terms of the term table in place, keeping the first occurrence's
// place, and drops the terms that cancel.
void CollectLikeTerms(Engine& e);

// Display of a solution (further_display.cpp): the raw product of `left`
// terms times `right` terms, gathered, distributed and as two factors.
void ShowSolutionWorking(Engine& e, int left, int right);
void PrintTermPoly(Engine& e);

}  // namespace yinshi
