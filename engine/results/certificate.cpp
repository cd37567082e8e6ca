#include "results/certificate.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>

#include "platform/text_file.hpp"
#include "state/engine.hpp"
#include "state/exact_notice.hpp"

namespace yinshi {

namespace {

// The digits at p as a number; none reads as `none`. False when they overflow.
bool ReadDigits(std::string_view s, std::size_t& p, std::int64_t none, std::int64_t& out) {
    if (p >= s.size() || !std::isdigit(static_cast<unsigned char>(s[p]))) {
        out = none;
        return true;
    }
    out = 0;
    for (; p < s.size() && std::isdigit(static_cast<unsigned char>(s[p])); ++p) {
        if (out > (INT64_MAX - 9) / 10) return false;
        out = out * 10 + (s[p] - '0');
    }
    return true;
}

// The letter at p and its optional "^" exponent, added into the term; false
// for a letter or an exponent past the exact factorer's limits.
bool ReadLetter(std::string_view s, std::size_t& p, std::map<char, int>& letters, exact::Term& term) {
    auto [it, added] = letters.try_emplace(s[p], static_cast<int>(letters.size()));
    if (it->second >= exact::kMaxVariables) return false;
    ++p;
    std::int64_t power = 1;
    if (p < s.size() && s[p] == '^') {
        ++p;
        if (!ReadDigits(s, p, -1, power) || power < 1 || power > exact::kMaxExponent) return false;
    }
    term.exp[static_cast<std::size_t>(it->second)] += static_cast<int>(power);
    return term.exp[static_cast<std::size_t>(it->second)] <= exact::kMaxExponent;
}

// The term at p: an optional sign, an optional whole number, letters. A term
// must show a number or a letter.
std::optional<exact::Term> ReadTerm(std::string_view s, std::size_t& p, std::map<char, int>& letters) {
    std::int64_t sign = 1;
    if (s[p] == '+' || s[p] == '-') sign = s[p++] == '-' ? -1 : 1;
    std::int64_t coef = 0;
    const std::size_t digitsAt = p;
    if (!ReadDigits(s, p, 1, coef)) return std::nullopt;
    exact::Term term{sign * coef, {}};
    // A term that read nothing must fail: the reader would otherwise add empty
    // terms at the same place for ever.
    bool any = p > digitsAt;
    while (p < s.size() && std::islower(static_cast<unsigned char>(s[p]))) {
        if (!ReadLetter(s, p, letters, term)) return std::nullopt;
        any = true;
    }
    if (!any) return std::nullopt;
    return term;
}

// One factor's text as the engine's printer writes it: terms of an optional
// sign, an optional whole number and letters each with an optional "^"
// exponent; blanks anywhere. `letters` numbers the letters across the line.
std::optional<exact::MultiPoly> ReadFactor(std::string_view text, std::map<char, int>& letters) {
    std::string s;
    for (char c : text)
        if (c != ' ') s += c;
    exact::MultiPoly poly;
    std::size_t p = 0;
    while (p < s.size()) {
        std::optional<exact::Term> term = ReadTerm(s, p, letters);
        if (!term) return std::nullopt;
        poly.push_back(*term);
    }
    if (poly.empty()) return std::nullopt;
    return poly;
}

}  // namespace

bool OneLetter(const exact::MultiPoly& f) {
    for (const exact::Term& t : f)
        for (std::size_t j = 1; j < t.exp.size(); ++j)
            if (t.exp[j] != 0) return false;
    return true;
}

namespace {

// Nullopt when the answer cannot be had at a cost the end of a run can bear.
std::optional<bool> Irreducible(const exact::Factorer& exact, const exact::MultiPoly& f) {
    if (!exact::WithinLimits(f)) return std::nullopt;
    if (OneLetter(f)) {
        const int degree = exact::TotalDegree(f);
        exact::UniPoly u(static_cast<std::size_t>(degree) + 1, 0);
        for (const exact::Term& t : f) u[static_cast<std::size_t>(t.exp[0])] += t.coef;
        return exact.IsIrreducible(u);
    }
    return exact.IsIrreducible(f);
}

// Whether the product line is the polynomial itself up to its sign: one
// factor in parentheses with nothing before it but a minus and no power
// after it. A content or a monomial taken out in front makes the polynomial
// a product, however irreducible the factor in parentheses is.
bool OneBareFactor(std::string_view product) {
    std::string s;
    for (char c : product)
        if (c != ' ') s += c;
    if (!s.empty() && s.front() == '-') s.erase(0, 1);
    return s.size() >= 2 && s.front() == '(' && s.find(')') == s.size() - 1 && s.find('(', 1) == std::string::npos;
}

// What a transcript without a product line ends with after its last "=",
// when that is a monomial: its number (a fraction's denominator dropped, as
// the content is no factor) and its letters. Nullopt for a number alone.
struct Monomial {
    exact::Term term;
    bool fraction = false;
};

std::optional<Monomial> EndingMonomial(const std::string& transcript) {
    const std::size_t equals = transcript.rfind('=');
    if (equals == std::string::npos) return std::nullopt;
    std::string s;
    for (std::size_t p = equals + 1; p < transcript.size() && transcript[p] != '\r' && transcript[p] != '\n'; ++p)
        if (transcript[p] != ' ') s += transcript[p];
    const std::size_t bar = s.find('/');
    if (bar != std::string::npos) {
        std::size_t end = bar + 1;
        while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end]))) ++end;
        s.erase(bar, end - bar);
    }
    std::map<char, int> letters;
    std::optional<exact::MultiPoly> poly = ReadFactor(s, letters);
    if (!poly || poly->size() != 1 || exact::TotalDegree(*poly) == 0) return std::nullopt;
    return Monomial{poly->front(), bar != std::string::npos};
}

// A monomial is its own factorisation: its letters are its factors. Alone and
// to the first power, with no number but a sign, it is irreducible itself.
void TellMonomial(Engine& e, const Monomial& m) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    if (exact::TotalDegree({m.term}) == 1 && (m.term.coef == 1 || m.term.coef == -1) && !m.fraction) {
        e.PrintLine("它在整数范围内不能分解");
        e.PrintLine("It is irreducible over the integers.");
    } else {
        e.PrintLine("各因式在整数范围内不能再分解");
        e.PrintLine("Every factor is irreducible over the integers.");
    }
}

}  // namespace

bool IsProductLine(std::string_view line) {
    return line.find('(') != std::string_view::npos && line.find('[') == std::string_view::npos;
}

std::optional<std::string> LastProduct(const std::string& transcript) {
    std::optional<std::string> last;
    // The first line is the echo of the input: a polynomial typed with
    // parentheses shows them there, but it is no product the run found.
    std::size_t pos = std::min(transcript.find('\n'), transcript.size());
    while (pos < transcript.size()) {
        std::size_t end = transcript.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = transcript.size();
        std::string line = transcript.substr(pos, end - pos);
        if (IsProductLine(line)) {
            std::size_t equals = line.rfind('=');
            last = equals == std::string::npos ? line : line.substr(equals + 1);
        }
        pos = end + 1;
    }
    return last;
}

std::optional<std::vector<ProductFactor>> ReadProductLine(std::string_view line, std::string* letters) {
    std::vector<ProductFactor> factors;
    std::map<char, int> numbers;
    std::size_t p = 0;
    while ((p = line.find('(', p)) != std::string_view::npos) {
        const std::size_t close = line.find(')', p);
        if (close == std::string_view::npos) return std::nullopt;
        std::string text(line.substr(p + 1, close - p - 1));
        std::optional<exact::MultiPoly> poly = ReadFactor(text, numbers);
        if (!poly) return std::nullopt;
        factors.push_back(ProductFactor{text, std::move(*poly)});
        p = close + 1;
    }
    if (factors.empty()) return std::nullopt;
    if (letters != nullptr) {
        letters->assign(numbers.size(), ' ');
        for (const auto& [letter, number] : numbers) (*letters)[static_cast<std::size_t>(number)] = letter;
    }
    return factors;
}

void TellCertificate(Engine& e) {
    if (e.exact == nullptr) return;
    std::optional<std::string> transcript = ReadWholeFile(e.File(e.run.ResultFile), kTranscriptCap);
    if (!transcript) return;
    std::optional<std::string> line = LastProduct(*transcript);
    if (!line) {
        if (std::optional<Monomial> monomial = EndingMonomial(*transcript)) TellMonomial(e, *monomial);
        return;
    }
    std::optional<std::vector<ProductFactor>> factors = ReadProductLine(*line);
    const ProductFactor* splits = nullptr;
    bool known = factors.has_value();
    if (factors) {
        const ExactNotice notice(e, std::any_of(factors->begin(), factors->end(), [](const ProductFactor& f) {
                                     return exact::WithinLimits(f.poly) && exact::MayTakeLong(f.poly);
                                 }));
        for (const ProductFactor& f : *factors) {
            std::optional<bool> irreducible = Irreducible(*e.exact, f.poly);
            if (!irreducible) known = false;
            if (irreducible == false && splits == nullptr) splits = &f;
        }
    }
    if (e.screen.Cursor().second != 1) e.NewLine();
    if (splits != nullptr) {
        e.PrintLine("因式 (" + splits->text + ") 在整数范围内还能分解");
        e.PrintLine("The factor (" + splits->text + ") still splits over the integers.");
    } else if (!known) {
        e.PrintLine("未能核对各因式能否再分解");
        e.PrintLine("Whether every factor is irreducible could not be checked.");
    } else if (!e.run.FactorFound && OneBareFactor(*line)) {
        e.PrintLine("它在整数范围内不能分解");
        e.PrintLine("It is irreducible over the integers.");
    } else {
        e.PrintLine("各因式在整数范围内不能再分解");
        e.PrintLine("Every factor is irreducible over the integers.");
    }
}

}  // namespace yinshi
