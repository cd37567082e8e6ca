#pragma once
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace yinshi {

// The divisors of the leading coefficient an, which every top coefficient
// that the checks can accept must be. For whole floats v and |an| < 2^24,
// v divides an exactly when the float quotient an / v is whole: so this
// integer test answers as the float one does.
class LeadDivisors {
public:
    explicit LeadDivisors(float lead);

    // Whether whole v divides an; 0 and anything larger than |an| do not.
    bool Divides(std::int64_t v) const {
        const std::int64_t mag = v < 0 ? -v : v;
        if (mag <= tableMax_) return table_[static_cast<std::size_t>(mag)] != 0;
        return mag <= lead_ && lead_ % mag == 0;
    }
    bool Divides(float v) const {
        const float mag = std::fabs(v);
        if (mag <= tableMaxF_) return table_[static_cast<std::size_t>(static_cast<int>(mag))] != 0;
        return mag <= leadF_ && lead_ % static_cast<std::int64_t>(mag) == 0;
    }
    std::int64_t Lead() const { return lead_; }
    // Every divisor and its negative, ascending.
    const std::vector<std::int64_t>& Signed() const { return signed_; }

private:
    std::int64_t lead_;
    float leadF_;
    std::int64_t tableMax_;  // looked up from 0 to here (0 does not divide)
    float tableMaxF_;
    std::vector<std::uint8_t> table_;
    std::vector<std::int64_t> signed_;
};

// The signed divisors of an grouped by their residue modulo a step m: the ones
// an arithmetic progression of step m can meet are those of its own class.
class DivisorClasses {
public:
    void Build(const LeadDivisors& divisors, std::int64_t m);
    std::int64_t Modulus() const { return m_; }
    // The class of v's residue, ascending.
    std::span<const std::int64_t> Of(std::int64_t v) const;

private:
    std::int64_t Residue(std::int64_t v) const {
        const std::int64_t r = v % m_;
        return r < 0 ? r + m_ : r;
    }
    std::int64_t m_ = 0;
    std::vector<std::int64_t> residues_;  // parallel to values_, ascending
    std::vector<std::int64_t> values_;    // by residue, then ascending
    std::vector<std::uint32_t> first_;    // for a small modulus: where each residue's class starts
};

}  // namespace yinshi
