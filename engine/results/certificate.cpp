#include "results/certificate.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>

#include "state/engine.hpp"
#include "state/exact_notice.hpp"
#include "transcript_format/product_line.hpp"
#include "transcript_format/written_terms.hpp"

namespace yinshi {

namespace {

// A whole number's digits as a number; nullopt when it overflows.
std::optional<std::int64_t> WholeNumber(std::string_view digits) {
    std::int64_t out = 0;
    for (char c : digits) {
        if (out > (INT64_MAX - 9) / 10) return std::nullopt;
        out = out * 10 + (c - '0');
    }
    return out;
}

// A letter of a term with its exponent, added into the term; false for a
// letter or an exponent past the exact factorer's limits.
bool AddPower(const WrittenPower& p, std::map<char, int>& letters, exact::Term& term) {
    auto [it, added] = letters.try_emplace(p.letter, static_cast<int>(letters.size()));
    if (it->second >= exact::kMaxVariables) return false;
    std::optional<std::int64_t> power = 1;
    if (!p.exponent.empty()) power = WholeNumber(p.exponent);
    if (!power || *power < 1 || *power > exact::kMaxExponent) return false;
    int& exponent = term.exp[static_cast<std::size_t>(it->second)];
    exponent += static_cast<int>(*power);
    return exponent <= exact::kMaxExponent;
}

// One factor's text as the engine's printer writes it: whole numbers only.
// `letters` numbers the letters across the line.
std::optional<exact::MultiPoly> ReadFactor(std::string_view text, std::map<char, int>& letters) {
    const std::string s = WithoutBlanks(text);
    const std::optional<std::vector<WrittenTerm>> written = ReadWrittenTerms(s);
    if (!written) return std::nullopt;
    exact::MultiPoly poly;
    for (const WrittenTerm& w : *written) {
        if (!w.denominator.empty()) return std::nullopt;
        const std::optional<std::int64_t> coef = w.number.empty() ? 1 : WholeNumber(w.number);
        if (!coef) return std::nullopt;
        exact::Term term{w.negative ? -*coef : *coef, {}};
        for (const WrittenPower& p : w.powers)
            if (!AddPower(p, letters, term)) return std::nullopt;
        poly.push_back(term);
    }
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
// `equated`, when that is a monomial: its number (a fraction's denominator dropped, as
// the content is no factor) and its letters. Nullopt for a number alone.
struct Monomial {
    exact::Term term;
    bool fraction = false;
};

std::optional<Monomial> EndingMonomial(std::string_view equated) {
    std::string s = WithoutBlanks(equated);
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

std::optional<std::vector<ProductFactor>> ReadProductLine(std::string_view line, std::string* letters) {
    const std::optional<std::vector<std::string_view>> texts = FactorTexts(line);
    if (!texts) return std::nullopt;
    std::vector<ProductFactor> factors;
    std::map<char, int> numbers;
    for (std::string_view text : *texts) {
        std::optional<exact::MultiPoly> poly = ReadFactor(text, numbers);
        if (!poly) return std::nullopt;
        factors.push_back(ProductFactor{std::string(text), std::move(*poly)});
    }
    if (letters != nullptr) {
        letters->assign(numbers.size(), ' ');
        for (const auto& [letter, number] : numbers) (*letters)[static_cast<std::size_t>(number)] = letter;
    }
    return factors;
}

void TellCertificate(Engine& e) {
    // A transcript that could not be written says nothing of the product.
    if (e.exact == nullptr || !e.jg.Ending()) return;
    const TranscriptEnding& ending = *e.jg.Ending();
    const std::optional<std::string>& line = ending.LastProduct();
    if (!line) {
        if (!ending.LastEquated()) return;
        if (std::optional<Monomial> monomial = EndingMonomial(*ending.LastEquated())) TellMonomial(e, *monomial);
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
        e.PrintLine("因式 " + Parenthesised(splits->text) + " 在整数范围内还能分解");
        e.PrintLine("The factor " + Parenthesised(splits->text) + " still splits over the integers.");
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
