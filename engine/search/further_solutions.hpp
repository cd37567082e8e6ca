#pragma once
#include "mainline/stage.hpp"

namespace yinshi {

struct Engine;

// Another-solution client of EnumerateSubsets: item step and per-subset step.
Next MultiplyInRecord(Engine& e, int item);
Next CompareAndShow(Engine& e);
void MultiplyIntoProduct(Engine& e);
void CollectLikeTerms(Engine& e);
void ShowSolutionWorking(Engine& e);
void PrintTermPoly(Engine& e);

}  // namespace yinshi
