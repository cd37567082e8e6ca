#pragma once

namespace yinshi {

struct Engine;

void DivideKeepByWork(Engine& e);
void DivideKeepByFactor(Engine& e);
void MultiplyStoredFactor(Engine& e);
// Checks x^(n-1)..x^(n-d+1) of g*q against PolyCoef; MethodResult = 1 on a
// mismatch, otherwise runs AcceptFactor.
void VerifyUpperCoefficients(Engine& e);
void AcceptFactor(Engine& e);
void CheckDegreeSplit(Engine& e);
// The factor-combination client's per-subset step: divide and test. True on success.
bool CombinationDivideAndTest(Engine& e);
// The combination client's per-item step.
void CombinationMultiplyItem(Engine& e);
void TrySumOfVariables(Engine& e);
void MaxExponents(Engine& e);
void KeepMaxExponents(Engine& e);
void DenseExponents(Engine& e);
void DropAbsentVariables(Engine& e);

}  // namespace yinshi
