#pragma once
// Private to engine/exact/: owning handles for the FLINT objects the
// factorer uses, and conversions to and from the plain types. No header
// outside this folder includes this one.
#include <flint/fmpz.h>
#include <flint/fmpz_mpoly.h>
#include <flint/fmpz_mpoly_factor.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include <cstdint>
#include <optional>

#include "exact/factorer.hpp"

namespace yinshi::exact::detail {

struct Integer {
    fmpz_t v;
    Integer() { fmpz_init(v); }
    ~Integer() { fmpz_clear(v); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;
};

struct Poly {
    fmpz_poly_t p;
    Poly() { fmpz_poly_init(p); }
    ~Poly() { fmpz_poly_clear(p); }
    Poly(const Poly&) = delete;
    Poly& operator=(const Poly&) = delete;
};

struct PolyFactors {
    fmpz_poly_factor_t f;
    PolyFactors() { fmpz_poly_factor_init(f); }
    ~PolyFactors() { fmpz_poly_factor_clear(f); }
    PolyFactors(const PolyFactors&) = delete;
    PolyFactors& operator=(const PolyFactors&) = delete;
};

// A lex-ordered context in n >= 1 variables.
struct MContext {
    fmpz_mpoly_ctx_t ctx;
    explicit MContext(slong n) { fmpz_mpoly_ctx_init(ctx, n, ORD_LEX); }
    ~MContext() { fmpz_mpoly_ctx_clear(ctx); }
    MContext(const MContext&) = delete;
    MContext& operator=(const MContext&) = delete;
};

struct MPoly {
    fmpz_mpoly_t p;
    const MContext& c;
    explicit MPoly(const MContext& context) : c(context) { fmpz_mpoly_init(p, c.ctx); }
    ~MPoly() { fmpz_mpoly_clear(p, c.ctx); }
    MPoly(const MPoly&) = delete;
    MPoly& operator=(const MPoly&) = delete;
};

struct MFactors {
    fmpz_mpoly_factor_t f;
    const MContext& c;
    explicit MFactors(const MContext& context) : c(context) { fmpz_mpoly_factor_init(f, c.ctx); }
    ~MFactors() { fmpz_mpoly_factor_clear(f, c.ctx); }
    MFactors(const MFactors&) = delete;
    MFactors& operator=(const MFactors&) = delete;
};

inline std::optional<std::int64_t> ToInt64(const fmpz_t x) {
    if (!fmpz_fits_si(x)) return std::nullopt;
    return static_cast<std::int64_t>(fmpz_get_si(x));
}

// p = f (ascending coefficients; zeros at the top are dropped by FLINT).
inline void SetPoly(fmpz_poly_t p, const UniPoly& f) {
    fmpz_poly_zero(p);
    for (std::size_t k = f.size(); k-- > 0;)
        if (f[k] != 0) fmpz_poly_set_coeff_si(p, static_cast<slong>(k), static_cast<slong>(f[k]));
}

// Nullopt when a coefficient does not fit.
inline std::optional<UniPoly> GetPoly(const fmpz_poly_t p) {
    const slong n = fmpz_poly_length(p);
    UniPoly out(static_cast<std::size_t>(n));
    for (slong k = 0; k < n; ++k) {
        const auto c = ToInt64(fmpz_poly_get_coeff_ptr(p, k));
        if (!c) return std::nullopt;
        out[static_cast<std::size_t>(k)] = *c;
    }
    return out;
}

}  // namespace yinshi::exact::detail
