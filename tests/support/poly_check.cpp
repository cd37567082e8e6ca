#include "poly_check.hpp"

#include <cctype>
#include <sstream>
#include <vector>

namespace yinshi::testing {

namespace {

std::string NoBlanks(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\r' && c != '\n') out += c;
    return out;
}

// One term at s[i]: sign, digits, letters with optional ^digits.
bool ParseTerm(const std::string& s, std::size_t& i, Poly& out, bool first) {
    long long sign = 1;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        sign = s[i] == '-' ? -1 : 1;
        ++i;
    } else if (!first) {
        return false;
    }
    long long coef = 1;
    bool digits = false;
    std::size_t start = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    if (i > start) {
        coef = std::stoll(s.substr(start, i - start));
        digits = true;
    }
    Monomial m{};
    bool letters = false;
    while (i < s.size() && s[i] >= 'a' && s[i] <= 'z') {
        int v = s[i] - 'a';
        ++i;
        int e = 1;
        if (i < s.size() && s[i] == '^') {
            ++i;
            std::size_t es = i;
            while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
            if (i == es) return false;
            e = std::stoi(s.substr(es, i - es));
        } else if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            std::size_t es = i;
            while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
            e = std::stoi(s.substr(es, i - es));
        }
        m[v] += e;
        letters = true;
    }
    if (!digits && !letters) return false;
    out[m] += sign * coef;
    if (out[m] == 0) out.erase(m);
    return true;
}

}  // namespace

std::optional<Poly> ParsePoly(const std::string& text) {
    std::string s = NoBlanks(text);
    Poly p;
    std::size_t i = 0;
    bool first = true;
    while (i < s.size()) {
        if (!ParseTerm(s, i, p, first)) return std::nullopt;
        first = false;
    }
    if (first) return std::nullopt;
    return p;
}

Poly Multiply(const Poly& a, const Poly& b) {
    Poly out;
    for (const auto& [ma, ca] : a)
        for (const auto& [mb, cb] : b) {
            Monomial m{};
            for (int v = 0; v < 26; ++v) m[v] = ma[v] + mb[v];
            out[m] += ca * cb;
            if (out[m] == 0) out.erase(m);
        }
    return out;
}

std::string ToString(const Poly& p) {
    std::ostringstream os;
    for (const auto& [m, c] : p) {
        os << (c < 0 ? "-" : "+") << (c < 0 ? -c : c);
        for (int v = 0; v < 26; ++v)
            if (m[v] > 0) os << static_cast<char>('a' + v) << '^' << m[v];
    }
    return os.str();
}

std::optional<Poly> TranscriptProduct(const std::string& jg, long long* denominator) {
    std::vector<std::string> lines;
    std::istringstream in(jg);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    std::string product;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (it->find('(') == std::string::npos) continue;
        std::size_t eq = it->rfind('=');
        if (eq == std::string::npos) return std::nullopt;
        product = NoBlanks(it->substr(eq + 1));
        break;
    }
    if (product.empty()) return std::nullopt;
    Poly result;
    result[Monomial{}] = 1;
    std::size_t open = product.find('(');
    std::string prefix = product.substr(0, open);
    if (denominator != nullptr) *denominator = 1;
    if (std::size_t slash = prefix.find('/'); slash != std::string::npos) {
        // "num/den" then perhaps a monomial: the denominator goes out, the rest stays the prefix.
        if (denominator == nullptr) return std::nullopt;
        std::size_t end = slash + 1;
        while (end < prefix.size() && std::isdigit(static_cast<unsigned char>(prefix[end])) != 0) ++end;
        if (end == slash + 1) return std::nullopt;
        *denominator = std::stoll(prefix.substr(slash + 1, end - slash - 1));
        prefix = prefix.substr(0, slash) + prefix.substr(end);
    }
    if (!prefix.empty()) {
        std::string p = prefix;
        long long sign = 1;
        while (!p.empty() && p[0] == '-') {
            sign = -sign;
            p.erase(0, 1);
        }
        if (!p.empty()) {
            auto c = ParsePoly(p);
            if (!c) return std::nullopt;
            result = *c;
        }
        Poly s;
        s[Monomial{}] = sign;
        result = Multiply(result, s);
    }
    std::size_t i = open;
    while (i < product.size()) {
        if (product[i] != '(') return std::nullopt;
        std::size_t close = product.find(')', i);
        if (close == std::string::npos) return std::nullopt;
        auto f = ParsePoly(product.substr(i + 1, close - i - 1));
        if (!f) return std::nullopt;
        result = Multiply(result, *f);
        i = close + 1;
        if (product.compare(i, 2, "^2") == 0) {
            result = Multiply(result, *f);
            i += 2;
        }
    }
    return result;
}

}  // namespace yinshi::testing
