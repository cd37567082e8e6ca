#pragma once
#include "exact/factorer.hpp"

namespace yinshi::exact {

// The Factorer over FLINT: fmpz_poly_factor for one variable, fmpz_mpoly_factor
// (lex order, the variables that occur) for several. Stateless; one object
// may serve the whole run.
class FlintFactorer final : public Factorer {
public:
    std::optional<UniFactorization> Factor(const UniPoly& f) const override;
    std::optional<MultiFactorization> Factor(const MultiPoly& f) const override;
    std::optional<bool> IsIrreducible(const UniPoly& f) const override;
    std::optional<bool> IsIrreducible(const MultiPoly& f) const override;
};

}  // namespace yinshi::exact
