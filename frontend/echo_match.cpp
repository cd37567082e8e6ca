#include "echo_match.hpp"

#include <map>

namespace yinshi::frontend {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

// The digits at `at` without leading zeros ("0" for zeros only); empty when there are none.
std::string Digits(const std::string& s, std::size_t& at) {
    const std::size_t start = at;
    while (at < s.size() && IsDigit(s[at])) ++at;
    if (at == start) return {};
    std::string digits = s.substr(start, at - start);
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

std::optional<std::vector<std::string>> TermSpelling(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (s.empty()) return std::nullopt;

    std::vector<std::string> terms;
    std::size_t at = 0;
    while (at < s.size()) {
        char sign = '+';
        if (s[at] == '+' || s[at] == '-') sign = s[at++];
        const std::string numerator = Digits(s, at);
        std::string denominator;
        if (at < s.size() && s[at] == '/') {
            ++at;
            denominator = Digits(s, at);
            if (denominator.empty() || numerator.empty()) return std::nullopt;
        }
        std::map<char, long long> exponents;
        while (at < s.size() && IsLetter(s[at])) {
            const char variable = s[at++];
            const bool caret = at < s.size() && s[at] == '^';
            if (caret) ++at;
            const std::string e = Digits(s, at);
            if (caret && e.empty()) return std::nullopt;
            if (e.size() > 9) return std::nullopt;
            exponents[variable] += e.empty() ? 1 : std::stoll(e);
        }
        if (numerator.empty() && exponents.empty()) return std::nullopt;
        if (at < s.size() && s[at] != '+' && s[at] != '-') return std::nullopt;
        if (numerator == "0") continue;  // the engine drops zero terms

        std::string term(1, sign);
        const bool unit = numerator.empty() || (numerator == "1" && denominator.empty());
        if (!unit || exponents.empty()) term += numerator.empty() ? "1" : numerator;
        if (!denominator.empty()) term += "/" + denominator;
        for (const auto& [variable, e] : exponents) {
            if (e == 0) continue;
            term += variable;
            if (e > 1) term += "^" + std::to_string(e);
        }
        terms.push_back(term);
    }
    return terms;
}

namespace {

// A text without blanks, in lower case.
std::string Squeezed(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return s;
}

}  // namespace

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
