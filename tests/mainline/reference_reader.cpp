#include "reference_reader.hpp"

#include <optional>
#include <set>
#include <vector>

namespace yinshi::testing {
namespace {

constexpr Wide kLimit = 9999999;
constexpr Wide kHuge = Wide(1) << 100;  // a number read saturates here
constexpr Wide kFloatExact = 16777216;
// Past these the tests' own arithmetic gives up (Verdict::Unknown).
constexpr Wide kMaxGroupPower = 12;
constexpr std::size_t kMaxOwnTerms = 400;
constexpr Wide kMaxOwnNumber = Wide(1) << 60;

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

    // What the text denotes; nothing when it breaks a rule. `written` gets
    // the terms as written when there is no group.
    std::optional<RationalPoly> Read(std::vector<Term>& written) {
        std::optional<RationalPoly> p = Sum(&written);
        if (p && p_ != s_.size()) return std::nullopt;  // a ")" that closes nothing
        return p;
    }

    std::set<char> letters;
    bool unknown = false;

private:
    char Peek() const { return p_ < s_.size() ? s_[p_] : '\0'; }
    bool At(char c) const { return Peek() == c; }

    std::optional<RationalPoly> Sum(std::vector<Term>* written) {
        RationalPoly sum;
        bool negative = At('-');
        if (At('+') || At('-')) ++p_;
        for (;;) {
            if (!(Digit(Peek()) || Letter(Peek()) || At('('))) return std::nullopt;  // a sign needs a term
            Term t;
            std::optional<RationalPoly> value = ReadTerm(t);
            if (!value) return std::nullopt;
            if (negative) t.num = -t.num;
            if (written) written->push_back(t);
            for (const auto& [powers, c] : *value) AddTerm(sum, powers, negative ? Fraction{-c.num, c.den} : c);
            if (p_ == s_.size() || At(')')) return sum;
            if (!At('+') && !At('-')) return std::nullopt;
            negative = At('-');
            ++p_;
        }
    }

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

    // "^" and a power from 1 to 9,999,999 without a leading zero.
    std::optional<Wide> Power() {
        ++p_;
        bool zero = false;
        std::optional<Wide> e = Number(&zero);
        if (!e || zero || *e > kLimit) return std::nullopt;
        return e;
    }

    bool Coefficient(Term& t) {
        t.num = *Number();
        if (At('/')) {
            ++p_;
            std::optional<Wide> den = Number();
            if (!den || *den == 0 || At('/')) return false;
            t.den = *den;
        }
        return t.num != 0;
    }

    bool ReadLetter(Term& t, int& factors) {
        const char letter = s_[p_++];
        letters.insert(letter);
        if (++factors > 6 || letters.size() > 7) return false;
        Wide power = 1;
        if (At('^')) {
            std::optional<Wide> e = Power();
            if (!e) return false;
            power = *e;
        } else if (Digit(Peek()) && !At('0')) {
            power = *Number();
            if (power > kLimit) return false;
        }
        long long& sum = t.powers[letter];
        sum += static_cast<long long>(power);
        return sum <= kLimit;
    }

    std::optional<RationalPoly> Group() {
        ++p_;
        std::optional<RationalPoly> inner = Sum(nullptr);
        if (!inner || !At(')')) return std::nullopt;
        ++p_;
        Wide power = 1;
        if (At('^')) {
            std::optional<Wide> e = Power();
            if (!e) return std::nullopt;
            power = *e;
        }
        if (power > kMaxGroupPower && inner->size() > 1) unknown = true;
        RationalPoly raised{{Powers{}, Fraction{1, 1}}};
        for (Wide k = 0; k < power && !unknown; ++k) raised = Grown(Times(raised, *inner));
        return raised;
    }

    RationalPoly Grown(RationalPoly p) {
        if (p.size() > kMaxOwnTerms) unknown = true;
        for (const auto& [powers, c] : p) {
            if (c.num > kMaxOwnNumber || c.num < -kMaxOwnNumber || c.den > kMaxOwnNumber) unknown = true;
            for (const auto& [l, e] : powers)
                if (e > kLimit) unknown = true;
        }
        return unknown ? RationalPoly{} : p;
    }

    std::optional<RationalPoly> ReadTerm(Term& t) {
        if (Digit(Peek()) && !Coefficient(t)) return std::nullopt;
        int factors = 0;
        RationalPoly groups{{Powers{}, Fraction{1, 1}}};
        for (;;) {
            if (Letter(Peek())) {
                if (!ReadLetter(t, factors)) return std::nullopt;
            } else if (At('(')) {
                std::optional<RationalPoly> g = Group();
                if (!g) return std::nullopt;
                groups = Grown(Times(groups, *g));
            } else {
                break;
            }
        }
        return Times(RationalPoly{{t.powers, MakeFraction(t.num, t.den)}}, groups);
    }

    std::string s_;
    std::size_t p_ = 0;
};

// The limits start-up applies to terms as written: each number, then the
// denominator the fractions are cleared with, then each merged coefficient.
Verdict Limits(const std::vector<Term>& terms, RationalPoly& poly) {
    if (terms.size() > 20) return Verdict::TooManyTerms;
    Wide product = 1;
    Wide lcm = 1;
    for (const Term& t : terms) {
        if (t.num > kLimit || t.num < -kLimit || t.den > kLimit) return Verdict::TooBig;
        product = product > kFloatExact ? product : product * t.den;
        lcm = lcm / Gcd(lcm, t.den) * t.den;
        if (lcm > kFloatExact) return Verdict::TooBig;
    }
    const Wide den = product <= kFloatExact ? product : lcm;
    std::map<Powers, Wide> cleared;
    for (const Term& t : terms) cleared[t.powers] += t.num * (den / t.den);
    for (const auto& [powers, c] : cleared) {
        if (c > kLimit || c < -kLimit) return Verdict::TooBig;
        if (c != 0) poly[powers] = MakeFraction(c, den);
    }
    return Verdict::Read;
}

// An expansion as the terms start-up then reads: at most six letters a term,
// each number in lowest terms.
Verdict ExpansionTerms(const RationalPoly& p, std::vector<Term>& terms) {
    if (p.size() > 20) return Verdict::TooManyTerms;
    for (const auto& [powers, c] : p)
        if (powers.size() > 6) return Verdict::InputError;
    for (const auto& [powers, c] : p) {
        if (c.num > kLimit || c.num < -kLimit || c.den > kLimit) return Verdict::TooBig;
        terms.push_back(Term{c.num, c.den, powers});
    }
    return Verdict::Read;
}

}  // namespace

Fraction MakeFraction(Wide num, Wide den) {
    if (den < 0) num = -num, den = -den;
    const Wide g = Gcd(num, den);
    return g > 1 ? Fraction{num / g, den / g} : Fraction{num, den};
}

void AddTerm(RationalPoly& p, const Powers& powers, const Fraction& c) {
    Fraction& sum = p[powers];
    sum = MakeFraction(sum.num * c.den + c.num * sum.den, sum.den * c.den);
    if (sum.num == 0) p.erase(powers);
}

RationalPoly Times(const RationalPoly& a, const RationalPoly& b) {
    RationalPoly out;
    for (const auto& [pa, ca] : a)
        for (const auto& [pb, cb] : b) {
            Powers p = pa;
            for (const auto& [l, e] : pb) p[l] += e;
            AddTerm(out, p, MakeFraction(ca.num * cb.num, ca.den * cb.den));
        }
    return out;
}

Reading ReadReference(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c == ' ') continue;
        s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    Reader reader(s);
    std::vector<Term> written;
    const std::optional<RationalPoly> value = reader.Read(written);
    Reading r;
    if (!value) return r;
    if (reader.unknown) {
        r.verdict = Verdict::Unknown;
        return r;
    }
    if (s.find_first_of("()") != std::string::npos) {
        written.clear();
        r.verdict = ExpansionTerms(*value, written);
        for (const auto& [powers, c] : *value)
            for (const auto& [l, e] : powers)
                if (e > kLimit && r.verdict == Verdict::Read) r.verdict = Verdict::PowerTooHigh;
        if (r.verdict != Verdict::Read) return r;
    }
    r.verdict = Limits(written, r.poly);
    if (r.verdict != Verdict::Read) r.poly.clear();
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
