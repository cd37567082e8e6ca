#include "mainline/exact_poly.hpp"

#include <utility>

namespace yinshi {

namespace {

__extension__ using UWide = unsigned __int128;

UWide Magnitude(Wide v) { return v < 0 ? UWide(0) - static_cast<UWide>(v) : static_cast<UWide>(v); }

UWide GcdOf(UWide a, UWide b) {
    while (b != 0) {
        UWide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// Lowest terms: the common factor of every numerator and the denominator out.
void Reduce(ExactPoly& p) {
    UWide g = Magnitude(p.den);
    for (const auto& [powers, c] : p.terms) g = GcdOf(g, Magnitude(c));
    if (g <= 1) return;
    const Wide w = static_cast<Wide>(g);
    for (auto& [powers, c] : p.terms) c /= w;
    p.den /= w;
}

// The terms scaled by a whole factor, into out (added to what is there).
Grew AddScaled(std::map<Powers, Wide>& out, const std::map<Powers, Wide>& in, Wide factor, bool subtract) {
    for (const auto& [powers, c] : in) {
        Wide v = 0;
        if (__builtin_mul_overflow(c, factor, &v)) return Grew::NumbersTooBig;
        if (subtract) v = -v;
        Wide& sum = out[powers];
        if (__builtin_add_overflow(sum, v, &sum)) return Grew::NumbersTooBig;
        if (sum == 0) out.erase(powers);
    }
    return out.size() > kMaxWorkTerms ? Grew::TooManyTerms : Grew::Fine;
}

}  // namespace

ExactPoly ExactConstant(Wide num, Wide den) {
    ExactPoly p;
    if (num != 0) p.terms[Powers{}] = num;
    p.den = den;
    Reduce(p);
    return p;
}

ExactPoly ExactLetter(int letter, std::int32_t power) {
    ExactPoly p;
    Powers powers{};
    powers[static_cast<std::size_t>(letter)] = power;
    p.terms[powers] = 1;
    return p;
}

Grew AddTo(ExactPoly& a, const ExactPoly& b, bool subtract) {
    const Wide g = static_cast<Wide>(GcdOf(Magnitude(a.den), Magnitude(b.den)));
    const Wide fa = b.den / g;  // a's terms times this, b's times a.den / g
    Wide den = 0;
    if (__builtin_mul_overflow(a.den, fa, &den)) return Grew::NumbersTooBig;
    std::map<Powers, Wide> sum;
    if (Grew grew = AddScaled(sum, a.terms, fa, false); grew != Grew::Fine) return grew;
    if (Grew grew = AddScaled(sum, b.terms, a.den / g, subtract); grew != Grew::Fine) return grew;
    a.terms = std::move(sum);
    a.den = den;
    Reduce(a);
    return Grew::Fine;
}

Grew MultiplyInto(ExactPoly& a, const ExactPoly& b) {
    // A product this large could only come back within the limits by cancelling.
    if (a.terms.size() * b.terms.size() > kMaxWorkTerms * 100) return Grew::TooManyTerms;
    std::map<Powers, Wide> product;
    for (const auto& [pa, ca] : a.terms) {
        for (const auto& [pb, cb] : b.terms) {
            Powers p{};
            for (std::size_t j = 0; j < p.size(); ++j) {
                p[j] = pa[j] + pb[j];
                if (p[j] > kMaxPower) return Grew::PowerTooHigh;
            }
            Wide v = 0;
            if (__builtin_mul_overflow(ca, cb, &v)) return Grew::NumbersTooBig;
            Wide& sum = product[p];
            if (__builtin_add_overflow(sum, v, &sum)) return Grew::NumbersTooBig;
            if (sum == 0) product.erase(p);
        }
        if (product.size() > kMaxWorkTerms) return Grew::TooManyTerms;
    }
    Wide den = 0;
    if (__builtin_mul_overflow(a.den, b.den, &den)) return Grew::NumbersTooBig;
    a.terms = std::move(product);
    a.den = den;
    Reduce(a);
    return Grew::Fine;
}

Grew RaiseTo(ExactPoly& a, std::int64_t n) {
    // By squaring: a power of a sum that grows past the limits says so within
    // a few dozen products, however large n is.
    ExactPoly result = ExactConstant(1, 1);
    ExactPoly square = a;
    for (;;) {
        if (n & 1) {
            if (Grew grew = MultiplyInto(result, square); grew != Grew::Fine) return grew;
        }
        n >>= 1;
        if (n == 0) break;
        if (Grew grew = MultiplyInto(square, square); grew != Grew::Fine) return grew;
    }
    a = std::move(result);
    return Grew::Fine;
}

}  // namespace yinshi
