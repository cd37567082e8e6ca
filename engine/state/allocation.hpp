#pragma once

namespace yinshi {

struct Engine;

// Start-up sizes of every table, and the start-up values of the run scalars.
void AllocateStartup(Engine& e);
// The degree-sized tables once n is known (first pass only). Sized from n so
// that nothing is written past them, however large n is.
void AllocateDegreeSized(Engine& e, int n);
// The term tables re-sized when the dense form is first built.
void ResizeTermTablesForDegree(Engine& e, int n);
// The divisor lists for the constant term a0: one entry per divisor pair plus spare.
void AllocateDivisorLists(Engine& e, int pairs);
// Tables of the further-solutions mode.
void AllocateAnotherSolution(Engine& e);

}  // namespace yinshi
