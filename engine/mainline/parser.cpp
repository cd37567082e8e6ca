#include "mainline/parser.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "mainline/driver.hpp"
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

// The tokeniser's items, one quoted item per line. They are held until the
// whole text has passed, so that a rejected text leaves no item file behind.
class ItemList {
public:
    void Item(std::string_view text) { lines_.push_back("\"" + std::string(text) + "\""); }
    void Separator() { lines_.emplace_back("\"+\",\"+\""); }
    // The bytes written, which the loader must read back whole; nullopt when
    // the file cannot be written whole.
    std::optional<std::size_t> WriteTo(const std::filesystem::path& path) const {
        TextOut out;
        out.Create(path);
        for (const std::string& line : lines_) {
            out.Write(line);
            out.EndLine();
        }
        out.Close();
        if (!out.Good()) return std::nullopt;
        return out.Written();
    }

private:
    std::vector<std::string> lines_;
};

// Only the 26 letters of the alphabet, in either case, name variables: any
// other byte read as a letter would become a variable nobody typed.
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char LowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// The letters of a text against the letters the tables already hold: a term's
// powers of one letter add up (x2x is x^3), and the sum must stay within the
// number limit; the tables hold at most seven letters in all.
class LetterCount {
public:
    explicit LetterCount(std::string known) : letters_(std::move(known)) {}
    void NewTerm() { power_.fill(0); }
    bool Add(char letter, float exponent) {
        const char c = LowerLetter(letter);
        if (letters_.find(c) == std::string::npos) letters_ += c;
        float& sum = power_[static_cast<std::size_t>(c - 'a')];
        sum += exponent;
        return letters_.size() <= static_cast<std::size_t>(kMaxVars) && sum <= kCoefLimit;
    }

private:
    std::string letters_;
    std::array<float, 26> power_{};
};

// A term's coefficient at p: the number as written, or an implied 1 or -1.
// False when there is neither a number nor a letter to take the implied one,
// so that a sign never stands for a term of its own.
bool WriteCoefficient(std::string_view s, std::size_t& p, ItemList& out) {
    if (ReadNumber(s.substr(p)) == 0) {
        const bool minus = p < s.size() && s[p] == '-';
        out.Item(minus ? "-1" : "1");
        if (minus) ++p;
        return p < s.size() && IsLetter(s[p]);
    }
    std::size_t q = p + 1;
    while (q < s.size() && s[q] >= '/' && s[q] <= '9') ++q;
    std::string_view coef = s.substr(p, q - p);
    // One fraction bar, with a denominator other than zero after it: a
    // second bar would be dropped by the loader.
    std::size_t bar = coef.find('/');
    if (bar != std::string_view::npos) {
        if (coef.find('/', bar + 1) != std::string_view::npos) return false;
        if (ReadNumber(coef.substr(bar + 1)) == 0) return false;
    }
    out.Item(coef);
    p = q;
    return true;
}

// The exponent of the letter at p, 1 when none is written; p moves past both.
// Nothing for an exponent that is not a whole number in range.
std::optional<float> WriteExponent(std::string_view s, std::size_t& p, ItemList& out) {
    char next = p + 1 < s.size() ? s[p + 1] : '\0';
    bool marker = next == '^' || next == '\'';
    p += marker ? 2 : 1;
    if (!marker && !(next > '0' && next < 'A')) {
        out.Item("1");
        return 1.0f;
    }
    float exponent = ReadNumber(s.substr(p));
    if (!GoodExponent(exponent)) return std::nullopt;
    std::string text = TextForm(exponent);
    out.Item(text);
    // The exponent is consumed by the length of its own text, so a
    // differently spelled one ("02") leaves characters that fail.
    p += std::min(text.size() - 1, s.size() - p);
    return exponent;
}

enum class TermEnd { Failed, LastTerm, NextTerm };

// A term's variable factors, up to the separator that ends it.
TermEnd WriteFactors(std::string_view s, std::size_t& p, ItemList& out, LetterCount& letters) {
    int factors = 0;
    letters.NewTerm();
    for (;;) {
        if (p >= s.size()) {
            out.Separator();
            return TermEnd::LastTerm;
        }
        const char c = s[p];
        if (c == '+') {
            out.Separator();
            ++p;
            // A plus takes no sign after it: the next term starts here.
            return p < s.size() && (IsLetter(s[p]) || StartsNumber(s[p])) ? TermEnd::NextTerm : TermEnd::Failed;
        }
        if (c == '-') {
            out.Separator();
            // A minus stays: it is the next coefficient's sign.
            return TermEnd::NextTerm;
        }
        if (!IsLetter(c)) return TermEnd::Failed;
        if (++factors > kMaxFactorsPerTerm) return TermEnd::Failed;
        out.Item(s.substr(p, 1));
        const std::optional<float> exponent = WriteExponent(s, p, out);
        if (!exponent || !letters.Add(c, *exponent)) return TermEnd::Failed;
    }
}

// The tokeniser proper, on text that has been through the pre-pass.
// Returns false on an input error.
bool Tokenize(std::string_view s, ItemList& out, LetterCount& letters) {
    std::size_t p = 0;
    // A plus before the first term says nothing; before a number it stays
    // part of the number, as it always has.
    if (s.size() >= 2 && s[0] == '+' && IsLetter(s[1])) p = 1;
    for (;;) {
        if (!WriteCoefficient(s, p, out)) return false;
        const TermEnd end = WriteFactors(s, p, out, letters);
        if (end != TermEnd::NextTerm) return end == TermEnd::LastTerm;
    }
}

// The item file is the parser's own scratch: when it cannot be written the
// folder is at fault, not the polynomial, and nothing may be read back from it.
At ItemFileFailed(Engine& e, bool writing) {
    e.FileFailed(kItemFile, writing);
    return At::FileProblem;
}

// The letters the tables already hold, which a factor record is read against.
std::string KnownLetters(const Engine& e) {
    std::string known;
    const int count = std::min<int>(std::max(e.vars.VarCount, e.vars.ParsedVarCount), kMaxVars);
    for (int v = 1; v <= count; ++v) known += e.vars.VarName[v];
    return known;
}

Next TokenizeWhole(Engine& e, const std::string& text) {
    ItemList out;
    LetterCount letters(KnownLetters(e));
    if (!Tokenize(PrePass(text), out, letters)) return InputError(e);
    const std::optional<std::size_t> written = out.WriteTo(e.File(kItemFile));
    if (!written) return ItemFileFailed(e, true);
    e.itemFileBytes = *written;
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
    // A record that cannot be read (a damaged length) ends the further
    // solutions; the product shown is still certified.
    std::optional<std::string> got = e.dj.Get(record);
    if (!got || got->size() > kMaxRecordText) {
        TellFileFault(e, FileFault{"dj.dat", false, false});
        return At::CloseAll;
    }
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

namespace {

// The term table holds 20 terms: a longer factor cannot be regrouped, but the
// product it belongs to is still certified.
At FactorTooLong(Engine& e) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    e.PrintLine("因式的项数太多（超过 20 项），不能看其他解法");
    e.PrintLine("A factor is too long for further solutions (more than 20 terms).");
    return At::CloseAll;
}

}  // namespace

Next LoadTerms(Engine& e, TermSource source) {
    TextIn in;
    if (!in.Open(e.File(kItemFile), e.itemFileBytes) || in.Size() != e.itemFileBytes) return ItemFileFailed(e, false);
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
            if (source == TermSource::FactorRecord) return FactorTooLong(e);
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
