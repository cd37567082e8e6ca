#include "echo_match.hpp"

#include <map>
#include <utility>

#include "transcript_format/written_terms.hpp"

namespace yinshi::frontend {
namespace {

// A text without blanks, in lower case.
std::string Squeezed(std::string_view text) {
    std::string s = WithoutBlanks(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Digits without leading zeros ("0" for zeros only); "" stays "".
std::string_view Unpadded(std::string_view digits) {
    if (digits.empty()) return digits;
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
}

// A written term in the one spelling; nullopt for an exponent of more than nine digits.
std::optional<std::string> Spelling(const WrittenTerm& w) {
    std::map<char, long long> exponents;
    for (const WrittenPower& p : w.powers) {
        const std::string_view e = Unpadded(p.exponent);
        if (e.size() > 9) return std::nullopt;
        exponents[p.letter] += e.empty() ? 1 : std::stoll(std::string(e));
    }
    const std::string_view numerator = Unpadded(w.number);
    const std::string_view denominator = Unpadded(w.denominator);
    std::string term(1, w.negative ? '-' : '+');
    const bool unit = numerator.empty() || (numerator == "1" && denominator.empty());
    if (!unit || exponents.empty()) term += numerator.empty() ? std::string_view("1") : numerator;
    if (!denominator.empty()) (term += "/") += denominator;
    for (const auto& [variable, e] : exponents) {
        if (e == 0) continue;
        term += variable;
        if (e > 1) term += "^" + std::to_string(e);
    }
    return term;
}

}  // namespace

std::optional<std::vector<std::string>> TermSpelling(std::string_view text) {
    const std::string s = Squeezed(text);
    const std::optional<std::vector<WrittenTerm>> written = ReadWrittenTerms(s);
    if (!written) return std::nullopt;
    std::vector<std::string> terms;
    for (const WrittenTerm& w : *written) {
        std::optional<std::string> term = Spelling(w);
        if (!term) return std::nullopt;
        if (Unpadded(w.number) != "0") terms.push_back(std::move(*term));  // the engine drops zero terms
    }
    return terms;
}

bool EchoIsOf(std::string_view echo, std::string_view handedOff) {
    // A polynomial typed with parentheses is expanded by the engine, whose
    // first line is then the text as typed, "=", and the expansion.
    if (handedOff.find_first_of("()") != std::string_view::npos) {
        const std::size_t equals = echo.find('=');
        return equals != std::string_view::npos && Squeezed(echo.substr(0, equals)) == Squeezed(handedOff);
    }
    const auto a = TermSpelling(echo);
    const auto b = TermSpelling(handedOff);
    return a && b && *a == *b;
}

}  // namespace yinshi::frontend
