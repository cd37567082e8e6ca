#include "mainline/expression.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace yinshi {

namespace {

constexpr int kMaxLetters = 7;
constexpr int kMaxFactors = 6;
constexpr Wide kLimit = 9999999;
constexpr std::size_t kMaxTerms = 20;
// Parentheses nest this deep at most, so that no text can exhaust the stack.
constexpr int kMaxDepth = 100;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

// The text without blanks, in lower case, with each byte's character: its
// place in the typed text and the whole character.
struct Squeezed {
    std::string s;
    std::vector<std::size_t> place;
    std::vector<std::string> character;
};

Squeezed Squeeze(std::string_view text) {
    Squeezed q;
    std::size_t place = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // the rest of a character already counted
        ++place;
        std::size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        if (text[i] == ' ') continue;
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        q.s += c;
        q.place.push_back(place);
        q.character.emplace_back(text.substr(i, end - i));
    }
    return q;
}

class Reader {
public:
    explicit Reader(Squeezed q) : q_(std::move(q)) {}

    ExpressionRead Run() {
        ExactPoly sum;
        if (Sum(sum, 0)) {
            if (p_ < q_.s.size()) {
                Fail(ReadProblem::Unbalanced);  // a ")" that closes nothing
            } else {
                out_.poly = std::move(sum);
            }
        }
        out_.letters = letters_;
        return std::move(out_);
    }

private:
    char Peek() const { return p_ < q_.s.size() ? q_.s[p_] : '\0'; }
    bool StartsTerm() const { return IsDigit(Peek()) || IsLetter(Peek()) || Peek() == '('; }

    bool Fail(ReadProblem problem, std::optional<std::size_t> at = std::nullopt) {
        const std::size_t i = at.value_or(p_);
        out_.problem = problem;
        if (i < q_.s.size()) {
            out_.position = q_.place[i];
            out_.character = q_.character[i];
        } else {
            out_.position = q_.place.empty() ? 1 : q_.place.back() + 1;
        }
        return false;
    }

    // What the exact arithmetic could not hold, as the expansion's limit.
    bool Grown(Grew grew, std::size_t at) {
        switch (grew) {
            case Grew::Fine: return true;
            case Grew::NumbersTooBig: return Fail(ReadProblem::ExpansionTooBig, at);
            case Grew::TooManyTerms: return Fail(ReadProblem::ExpansionTooManyTerms, at);
            case Grew::PowerTooHigh: return Fail(ReadProblem::ExpansionPowerTooHigh, at);
        }
        return false;
    }

    // Terms joined by signs, up to the end or a ")".
    bool Sum(ExactPoly& sum, int depth) {
        bool minus = Peek() == '-';
        std::size_t sign = p_;
        if (IsSign(Peek())) ++p_;
        for (;;) {
            if (!StartsTerm()) {
                if (p_ != sign + 1) return Fail(ReadProblem::TermMissing);
                return Fail(ReadProblem::SignWithoutTerm, sign);
            }
            const std::size_t start = p_;
            ExactPoly term;
            if (!Term(term, depth)) return false;
            if (!Grown(AddTo(sum, term, minus), start)) return false;
            if (p_ == q_.s.size() || Peek() == ')') return true;
            if (!IsSign(Peek())) return Fail(IsDigit(Peek()) ? ReadProblem::NumberForLetter : ReadProblem::Character);
            minus = Peek() == '-';
            sign = p_++;
        }
    }

    // Digits at p_, saturating far past every limit; nothing when there are none.
    std::optional<Wide> Digits() {
        if (!IsDigit(Peek())) return std::nullopt;
        Wide v = 0;
        while (IsDigit(Peek())) v = std::min<Wide>(v * 10 + (q_.s[p_++] - '0'), kMaxWritten);
        return v;
    }

    // A whole exponent after "^": 1 to 9,999,999, written without a leading zero.
    std::optional<std::int32_t> Exponent(std::size_t marker) {
        if (!IsDigit(Peek())) {
            Fail(ReadProblem::ExponentMissing, marker);
            return std::nullopt;
        }
        const std::size_t at = p_;
        const bool leadingZero = Peek() == '0';
        const Wide v = *Digits();
        if (leadingZero || v > kMaxPower) {
            Fail(ReadProblem::BadExponent, at);
            return std::nullopt;
        }
        return static_cast<std::int32_t>(v);
    }

    bool Coefficient(ExactPoly& term) {
        const std::size_t at = p_;
        const Wide num = *Digits();
        Wide den = 1;
        if (Peek() == '/') {
            const std::size_t bar = p_++;
            const std::optional<Wide> d = Digits();
            if (!d || *d == 0) return Fail(ReadProblem::ZeroDenominator, bar);
            if (Peek() == '/') return Fail(ReadProblem::SecondBar);
            den = *d;
        }
        if (num == 0) return Fail(ReadProblem::ZeroCoefficient, at);
        term = ExactConstant(num, den);
        return true;
    }

    bool Letter(ExactPoly& term, int& factors, Powers& powers) {
        const std::size_t at = p_;
        const char letter = q_.s[p_++];
        if (++factors > kMaxFactors) return Fail(ReadProblem::TooManyFactors, at);
        if (letters_.find(letter) == std::string::npos) letters_ += letter;
        if (static_cast<int>(letters_.size()) > kMaxLetters) return Fail(ReadProblem::TooManyLetters, at);
        std::int32_t power = 1;
        if (Peek() == '^' || Peek() == '\'') {
            const std::size_t marker = p_++;
            const std::optional<std::int32_t> e = Exponent(marker);
            if (!e) return false;
            power = *e;
        } else if (IsDigit(Peek()) && Peek() != '0') {
            const std::optional<std::int32_t> e = Exponent(p_);
            if (!e) return false;
            power = *e;
        }
        std::int32_t& sum = powers[static_cast<std::size_t>(letter - 'a')];
        sum += power;
        if (sum > kMaxPower) return Fail(ReadProblem::PowerTooHigh, at);
        return Grown(MultiplyInto(term, ExactLetter(letter - 'a', power)), at);
    }

    bool Group(ExactPoly& term, int depth) {
        const std::size_t open = p_++;
        if (depth >= kMaxDepth) return Fail(ReadProblem::Character, open);
        ExactPoly group;
        if (!Sum(group, depth + 1)) return false;
        if (Peek() != ')') return Fail(ReadProblem::Unbalanced, open);
        ++p_;
        if (Peek() == '^' || Peek() == '\'') {
            const std::size_t marker = p_++;
            const std::optional<std::int32_t> e = Exponent(marker);
            if (!e || !Grown(RaiseTo(group, *e), open)) return false;
        }
        return Grown(MultiplyInto(term, group), open);
    }

    // A number or fraction, then letters and groups.
    bool Term(ExactPoly& term, int depth) {
        term = ExactConstant(1, 1);
        if (IsDigit(Peek()) && !Coefficient(term)) return false;
        int factors = 0;
        Powers powers{};
        for (;;) {
            if (IsLetter(Peek())) {
                if (!Letter(term, factors, powers)) return false;
            } else if (Peek() == '(') {
                if (!Group(term, depth)) return false;
            } else {
                return true;
            }
        }
    }

    Squeezed q_;
    std::size_t p_ = 0;
    std::string letters_;
    ExpressionRead out_;
};

int TotalDegree(const Powers& p) {
    int d = 0;
    for (std::int32_t e : p) d += e;
    return d;
}

std::string Decimal(Wide v) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return digits;
}

Wide Gcd(Wide a, Wide b) {
    a = a < 0 ? -a : a;
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// The numerator and denominator of one term, in lowest terms.
std::pair<Wide, Wide> TermFraction(Wide c, Wide den) {
    const Wide g = Gcd(c, den);
    return {c / g, den / g};
}

}  // namespace

ExpressionRead ReadExpression(std::string_view text) { return Reader(Squeeze(text)).Run(); }

std::string SpellExpansion(const ExactPoly& p, const std::string& letters) {
    std::vector<std::pair<Powers, Wide>> terms(p.terms.begin(), p.terms.end());
    auto before = [&](const auto& a, const auto& b) {
        const int da = TotalDegree(a.first);
        const int db = TotalDegree(b.first);
        if (da != db) return da > db;
        for (char l : letters) {
            const auto j = static_cast<std::size_t>(l - 'a');
            if (a.first[j] != b.first[j]) return a.first[j] > b.first[j];
        }
        return false;
    };
    std::sort(terms.begin(), terms.end(), before);
    std::string out;
    for (const auto& [powers, c] : terms) {
        const auto [num, den] = TermFraction(c, p.den);
        out += num < 0 ? "-" : (out.empty() ? "" : "+");
        const Wide size = num < 0 ? -num : num;
        const bool constant = TotalDegree(powers) == 0;
        if (den != 1) {
            out += Decimal(size) + "/" + Decimal(den);
        } else if (size != 1 || constant) {
            out += Decimal(size);
        }
        for (char l : letters) {
            const std::int32_t e = powers[static_cast<std::size_t>(l - 'a')];
            if (e == 0) continue;
            out += l;
            if (e > 1) out += "^" + Decimal(e);
        }
    }
    return out;
}

ReadProblem ExpansionLimits(const ExactPoly& p) {
    if (p.terms.size() > kMaxTerms) return ReadProblem::ExpansionTooManyTerms;
    for (const auto& [powers, c] : p.terms) {
        const auto letters = std::count_if(powers.begin(), powers.end(), [](std::int32_t e) { return e != 0; });
        if (letters > kMaxFactors) return ReadProblem::TooManyFactors;
    }
    for (const auto& [powers, c] : p.terms) {
        const auto [num, den] = TermFraction(c, p.den);
        if (num > kLimit || num < -kLimit || den > kLimit) return ReadProblem::ExpansionTooBig;
    }
    return ReadProblem::None;
}

}  // namespace yinshi
