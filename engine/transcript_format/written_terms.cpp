#include "transcript_format/written_terms.hpp"

namespace yinshi {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

// The digits at `at`, which it passes; "" when there are none.
std::string_view Digits(std::string_view s, std::size_t& at) {
    const std::size_t start = at;
    while (at < s.size() && IsDigit(s[at])) ++at;
    return s.substr(start, at - start);
}

// The term at `at`; nullopt when it is not one, or is not followed by a sign or the end.
std::optional<WrittenTerm> ReadTerm(std::string_view s, std::size_t& at) {
    WrittenTerm term;
    if (s[at] == '+' || s[at] == '-') term.negative = s[at++] == '-';
    term.number = Digits(s, at);
    if (at < s.size() && s[at] == '/') {
        ++at;
        term.denominator = Digits(s, at);
        if (term.number.empty() || term.denominator.empty()) return std::nullopt;
    }
    while (at < s.size() && IsLetter(s[at])) {
        const char letter = s[at++];
        const bool caret = at < s.size() && s[at] == '^';
        if (caret) ++at;
        const WrittenPower power{letter, Digits(s, at)};
        if (caret && power.exponent.empty()) return std::nullopt;
        term.powers.push_back(power);
    }
    if (term.number.empty() && term.powers.empty()) return std::nullopt;
    if (at < s.size() && s[at] != '+' && s[at] != '-') return std::nullopt;
    return term;
}

}  // namespace

std::string WithoutBlanks(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') s += c;
    return s;
}

std::optional<std::vector<WrittenTerm>> ReadWrittenTerms(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::vector<WrittenTerm> terms;
    std::size_t at = 0;
    while (at < text.size()) {
        std::optional<WrittenTerm> term = ReadTerm(text, at);
        if (!term) return std::nullopt;
        terms.push_back(std::move(*term));
    }
    return terms;
}

}  // namespace yinshi
