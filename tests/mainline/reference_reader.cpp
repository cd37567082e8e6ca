#include "reference_reader.hpp"

#include <optional>
#include <set>
#include <vector>

namespace yinshi::testing {
namespace {

constexpr Wide kLimit = 9999999;
constexpr Wide kHuge = Wide(1) << 100;  // a number read saturates here
constexpr Wide kFloatExact = 16777216;

Wide Gcd(Wide a, Wide b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Fraction Reduced(Wide num, Wide den) {
    if (den < 0) num = -num, den = -den;
    const Wide g = Gcd(num, den);
    return g > 1 ? Fraction{num / g, den / g} : Fraction{num, den};
}

struct Term {
    Wide num = 1;
    Wide den = 1;
    Powers powers;
};

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Letter(char c) { return c >= 'a' && c <= 'z'; }

class Reader {
public:
    explicit Reader(std::string s) : s_(std::move(s)) {}

    // The terms as written, or nothing when the text breaks a rule.
    std::optional<std::vector<Term>> Terms() {
        std::vector<Term> terms;
        bool negative = At('-');
        if (At('+') || At('-')) ++p_;
        for (;;) {
            if (!(Digit(Peek()) || Letter(Peek()))) return std::nullopt;  // a sign needs a term after it
            std::optional<Term> t = ReadTerm();
            if (!t) return std::nullopt;
            if (negative) t->num = -t->num;
            terms.push_back(*t);
            if (p_ == s_.size()) return terms;
            if (!At('+') && !At('-')) return std::nullopt;
            negative = At('-');
            ++p_;
        }
    }

    std::set<char> letters;

private:
    char Peek() const { return p_ < s_.size() ? s_[p_] : '\0'; }
    bool At(char c) const { return Peek() == c; }

    // Digits at p_, saturating; nothing when there are none.
    std::optional<Wide> Number(bool* leadingZero = nullptr) {
        if (!Digit(Peek())) return std::nullopt;
        if (leadingZero) *leadingZero = At('0');
        Wide v = 0;
        while (Digit(Peek())) {
            v = v * 10 + (s_[p_++] - '0');
            if (v > kHuge) v = kHuge;
        }
        return v;
    }

    std::optional<Term> ReadTerm() {
        Term t;
        if (Digit(Peek())) {
            t.num = *Number();
            if (At('/')) {
                ++p_;
                std::optional<Wide> den = Number();
                if (!den || *den == 0) return std::nullopt;
                t.den = *den;
            }
            if (t.num == 0) return std::nullopt;
        }
        int factors = 0;
        while (Letter(Peek())) {
            const char letter = s_[p_++];
            if (++factors > 6) return std::nullopt;
            letters.insert(letter);
            if (letters.size() > 7) return std::nullopt;
            Wide power = 1;
            if (At('^')) {
                ++p_;
                bool zero = false;
                std::optional<Wide> e = Number(&zero);
                if (!e || zero) return std::nullopt;  // no power, a zero one, or a leading zero
                power = *e;
            } else if (Digit(Peek()) && !At('0')) {
                power = *Number();
            }
            if (power > kLimit) return std::nullopt;
            long long& sum = t.powers[letter];
            sum += static_cast<long long>(power);
            if (sum > kLimit) return std::nullopt;
        }
        return t;
    }

    std::string s_;
    std::size_t p_ = 0;
};

}  // namespace

Reading ReadReference(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c == ' ') continue;
        s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    Reader reader(s);
    const std::optional<std::vector<Term>> terms = reader.Terms();
    Reading r;
    if (!terms) return r;
    if (terms->size() > 20) {
        r.verdict = Verdict::TooManyTerms;
        return r;
    }
    // Every number as written, the product of the denominators and each
    // coefficient over that product, merged, within the engine's limits.
    Wide product = 1;
    bool past = false;
    for (const Term& t : *terms) {
        past = past || t.num > kLimit || t.num < -kLimit || t.den > kLimit;
        product = product * t.den;
        if (product > kFloatExact) past = true;
        if (past) break;
    }
    std::map<Powers, Wide> cleared;
    if (!past)
        for (const Term& t : *terms) cleared[t.powers] += t.num * (product / t.den);
    for (const auto& [powers, c] : cleared) {
        past = past || c > kLimit || c < -kLimit;
        if (c != 0) r.poly[powers] = Reduced(c, product);
    }
    r.verdict = past ? Verdict::TooBig : Verdict::Read;
    if (past) r.poly.clear();
    return r;
}

std::string Show(const RationalPoly& p) {
    auto str = [](Wide v) {
        std::string digits;
        const bool neg = v < 0;
        if (neg) v = -v;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
            v /= 10;
        } while (v != 0);
        return (neg ? "-" : "+") + digits;
    };
    std::string out;
    for (const auto& [powers, c] : p) {
        out += str(c.num);
        if (c.den != 1) out += "/" + str(c.den).substr(1);
        for (const auto& [letter, e] : powers) out += std::string(1, letter) + "^" + std::to_string(e);
    }
    return out.empty() ? "0" : out;
}

}  // namespace yinshi::testing
