#include "mainline/parser.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

constexpr const char* kItemFile = "DXS1.DAT";
constexpr std::size_t kMaxRecordText = 1000;
// A term names at most six variable factors; the loader's tables hold no more.
constexpr int kMaxFactorsPerTerm = 6;

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// An exponent must be a whole number above zero: a fractional one would make a
// term with no place in the dense form. It must also stay within the engine's
// number limit, since a larger one is written in E form, which reads back as
// another number.
bool GoodExponent(float v) { return v > 0 && v <= kCoefLimit && IsWhole(v); }

// The item-file writer of the tokeniser: one quoted item per line.
class ItemWriter {
public:
    explicit ItemWriter(const std::filesystem::path& path) { out_.Create(path); }
    bool Good() const { return out_.Good(); }
    void Item(std::string_view text) {
        out_.Write("\"");
        out_.Write(text);
        out_.Write("\"");
        out_.EndLine();
    }
    void Separator() {
        out_.Write("\"+\",\"+\"");
        out_.EndLine();
    }
    void Close() { out_.Close(); }

private:
    TextOut out_;
};

// A term's coefficient at p: the number as written, or an implied 1 or -1.
// False when there is neither a number nor a letter to take the implied one.
bool WriteCoefficient(std::string_view s, std::size_t& p, ItemWriter& out) {
    if (ReadNumber(s.substr(p)) == 0) {
        if (p < s.size() && s[p] == '-') {
            out.Item("-1");
            ++p;
            return true;
        }
        out.Item("1");
        return p < s.size() && Byte(s[p]) >= 'A';
    }
    std::size_t q = p + 1;
    while (q < s.size() && s[q] >= '/' && s[q] <= '9') ++q;
    std::string_view coef = s.substr(p, q - p);
    // A fraction bar needs a denominator other than zero after it.
    std::size_t bar = coef.find('/');
    if (bar != std::string_view::npos && ReadNumber(coef.substr(bar + 1)) == 0) return false;
    out.Item(coef);
    p = q;
    return true;
}

// The exponent of the letter at p, 1 when none is written; p moves past both.
// False for an exponent that is not a whole number in range.
bool WriteExponent(std::string_view s, std::size_t& p, ItemWriter& out) {
    char next = p + 1 < s.size() ? s[p + 1] : '\0';
    bool marker = next == '^' || next == '\'';
    p += marker ? 2 : 1;
    if (!marker && !(next > '0' && next < 'A')) {
        out.Item("1");
        return true;
    }
    float exponent = ReadNumber(s.substr(p));
    if (!GoodExponent(exponent)) return false;
    std::string text = TextForm(exponent);
    out.Item(text);
    // The exponent is consumed by the length of its own text, so a
    // differently spelled one ("02") leaves characters that fail.
    p += std::min(text.size() - 1, s.size() - p);
    return true;
}

enum class TermEnd { Failed, LastTerm, NextTerm };

// A term's variable factors, up to the separator that ends it.
TermEnd WriteFactors(std::string_view s, std::size_t& p, ItemWriter& out) {
    int factors = 0;
    for (;;) {
        if (p >= s.size()) {
            out.Separator();
            return TermEnd::LastTerm;
        }
        unsigned char c = Byte(s[p]);
        if (c == '+' || c == '-') {
            out.Separator();
            // A minus stays: it is the next coefficient's sign.
            if (c == '+') ++p;
            return TermEnd::NextTerm;
        }
        // Only a one-byte character can be a variable letter; the bytes of
        // a multi-byte character would each become a variable of their own.
        if (c <= '9' || c >= 0x80) return TermEnd::Failed;
        if (++factors > kMaxFactorsPerTerm) return TermEnd::Failed;
        out.Item(s.substr(p, 1));
        if (!WriteExponent(s, p, out)) return TermEnd::Failed;
    }
}

// The tokeniser proper, on text that has been through the pre-pass.
// Returns false on an input error.
bool Tokenize(std::string_view s, ItemWriter& out) {
    std::size_t p = 0;
    for (;;) {
        if (!WriteCoefficient(s, p, out)) return false;
        const TermEnd end = WriteFactors(s, p, out);
        if (end != TermEnd::NextTerm) return end == TermEnd::LastTerm;
    }
}

// The item file is the parser's own scratch: when it cannot be written the
// folder is at fault, not the polynomial, and nothing may be read back from it.
At ItemFileFailed(Engine& e, bool writing) {
    e.FileFailed(kItemFile, writing);
    return At::FileProblem;
}

Next TokenizeWhole(Engine& e, const std::string& text) {
    ItemWriter out(e.File(kItemFile));
    if (!out.Good()) return ItemFileFailed(e, true);
    bool ok = Tokenize(PrePass(text), out);
    out.Close();
    if (!out.Good()) return ItemFileFailed(e, true);
    if (!ok) return InputError(e);
    return std::nullopt;
}

}  // namespace

At InputError(Engine& e) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    e.PrintLine("输入错误！");
    e.jg.Close();
    e.dj.Close();
    return At::EndPrompt;
}

std::string PrePass(std::string text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ') continue;
        out += c;
        if (c != 'd' && c != 'D' && c != 'e' && c != 'E') continue;
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next > '0' && next < ':') {
            out += '^';
        } else if (next == '+' || next == '-') {
            out += "^1";
        }
    }
    return out;
}

Next TokenizeText(Engine& e) { return TokenizeWhole(e, e.run.InputText); }

Next TokenizeFactorRecord(Engine& e, int record) {
    // A record that cannot be read (a damaged length) ends the run like one that is too long.
    std::optional<std::string> got = e.dj.Get(record);
    if (!got || got->size() > kMaxRecordText) return At::EndPrompt;
    const std::string& text = *got;
    // The record holds the factor in its parentheses.
    e.run.InputText = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    return TokenizeWhole(e, e.run.InputText);
}

namespace {

// Term t's number, "c" or "c/d" with the sign carried by the numerator; false
// for a zero denominator.
bool ReadCoefficient(Engine& e, int t, const std::string& coef) {
    TermTable& tt = e.terms;
    tt.TermCoef[t] = ReadNumber(coef);
    tt.TermDen[t] = 1;
    std::size_t bar = coef.find('/');
    if (bar == std::string::npos) return true;
    e.run.Fractional = true;
    float den = ReadNumber(std::string_view(coef).substr(bar + 1));
    if (den == 0) return false;
    if (den < 0) {
        den = -den;
        tt.TermCoef[t] = -tt.TermCoef[t];
    }
    tt.TermDen[t] = den;
    return true;
}

// Term t's letters and powers, up to the "+" that ends the term; false when
// the record breaks off or an eighth letter has no column to go to.
bool ReadLetters(Engine& e, TextIn& in, int t, int columns) {
    TermTable& tt = e.terms;
    VarTable& vt = e.vars;
    for (int pair = 1; pair <= kMaxFactorsPerTerm + 1; ++pair) {
        std::optional<std::string> first = in.Item();
        std::optional<std::string> second = in.Item();
        if (!first || !second) return false;
        std::string letter = *first;
        for (char& c : letter) c = static_cast<char>(std::tolower(Byte(c)));
        if (letter == "+") return true;
        float exponent = ReadNumber(*second);
        const int known = static_cast<int>(std::max(vt.VarCount, vt.ParsedVarCount));
        int found = 0;
        for (int v = 1; v <= known && v <= columns; ++v)
            if (vt.VarName[v] == letter) found = v;
        if (found == 0) {
            if (vt.ParsedVarCount + 1 > columns) return false;
            vt.ParsedVarCount += 1;
            found = vt.ParsedVarCount;
            vt.VarName[found] = std::move(letter);
        }
        // A letter named twice in one term multiplies: x2x is x^3.
        tt.TermExp(t, found) += exponent;
    }
    return false;
}

}  // namespace

Next LoadTerms(Engine& e) {
    TextIn in;
    if (!in.Open(e.File(kItemFile))) return ItemFileFailed(e, false);
    TermTable& tt = e.terms;
    VarTable& vt = e.vars;
    const int rows = std::min(static_cast<int>(tt.TermCoef.size()),
                              std::min(static_cast<int>(tt.TermDen.size()), tt.TermExp.Rows()));
    const int columns = std::min(kMaxVars, tt.TermExp.Cols() - 1);
    auto clearRow = [&](int t) {
        // Every column: a letter met first in an earlier term must read 0 here.
        for (int v = 0; v < tt.TermExp.Cols(); ++v) tt.TermExp(t, v) = 0;
    };

    int t = 1;
    for (;;) {
        if (!e.run.FactorFound) vt.VarCount = vt.ParsedVarCount;
        std::optional<std::string> coef = in.Item();
        if (!coef) break;
        // The 21st term ends the run; nothing past the 20th is stored.
        if (t > kMaxTerms || t >= rows) {
            tt.TermCount = t - 1;
            if (e.screen.Cursor().second != 1) e.NewLine();
            e.PrintLine("项数太多了! (最多 20 项)");
            e.PrintLine("The polynomial has too many terms (at most 20).");
            return At::EndPrompt;
        }
        clearRow(t);
        if (!ReadCoefficient(e, t, *coef) || !ReadLetters(e, in, t, columns)) return InputError(e);
        ++t;
    }
    if (t < rows) clearRow(t);
    tt.TermCount = t - 1;
    return std::nullopt;
}

}  // namespace yinshi
