#include "input_spelling.hpp"

#include <optional>
#include <vector>

namespace yinshi::frontend {
namespace {

enum class Kind { Plain, Superscript, Space, Times };

struct Piece {
    Kind kind;
    char32_t ch;        // the character to write: the ASCII form, or the original when kept
    char32_t original;  // as pasted
};

std::optional<int> SuperscriptDigit(char32_t c) {
    switch (c) {
        case U'\u2070': return 0;
        case U'\u00B9': return 1;
        case U'\u00B2': return 2;
        case U'\u00B3': return 3;
        default: break;
    }
    if (c >= U'\u2074' && c <= U'\u2079') return static_cast<int>(c - U'\u2070');
    return std::nullopt;
}

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
// What ends a number, a letter or a group: a following digit would join it.
bool EndsOperand(char32_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == U')'; }

// A full-width form whose ASCII form is in the alphabet; other full-width forms stay as typed,
// so that the refusal names what the user sees.
std::optional<char32_t> FromFullWidth(char32_t c) {
    if (c < U'\uFF01' || c > U'\uFF5E') return std::nullopt;
    const char32_t ascii = c - 0xFEE0;
    if (IsAsciiLetter(ascii) || IsAsciiDigit(ascii)) return ascii;
    for (char32_t op : {U'/', U'^', U'+', U'-', U'(', U')'})
        if (ascii == op) return ascii;
    return std::nullopt;
}

Piece Classify(char32_t c) {
    if (auto d = SuperscriptDigit(c)) return {Kind::Superscript, static_cast<char32_t>(U'0' + *d), c};
    if (auto ascii = FromFullWidth(c)) return {Kind::Plain, *ascii, c};
    switch (c) {
        case U'\u2010':  // hyphen
        case U'\u2011':  // non-breaking hyphen
        case U'\u2012':  // figure dash
        case U'\u2013':  // en dash
        case U'\u2212':  // minus sign
        case U'\uFE63':  // small hyphen-minus
            return {Kind::Plain, U'-', c};
        case U'\u2044':  // fraction slash
        case U'\u2215':  // division slash
            return {Kind::Plain, U'/', c};
        default: break;
    }
    if (IsSpaceLike(c)) return {Kind::Space, c, c};
    if (IsTimesSign(c) && c != U'*') return {Kind::Times, c, c};
    return {Kind::Plain, c, c};
}

std::vector<char32_t> Decode(std::u16string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(u);  // a lone surrogate stays, for the check to refuse
        }
    }
    return out;
}

void Encode(char32_t c, std::u16string& out) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// The first piece from `i` on that is not a space.
const Piece* NextNonSpace(const std::vector<Piece>& pieces, std::size_t i) {
    for (; i < pieces.size(); ++i)
        if (pieces[i].kind != Kind::Space) return &pieces[i];
    return nullptr;
}

// Whether a space or multiplication sign between what was written and what follows may go.
bool MayLeaveOut(Kind kind, const std::u16string& written, const Piece* next) {
    const bool afterOperand = !written.empty() && EndsOperand(written.back());
    const bool beforeDigit = next && next->kind == Kind::Plain && IsAsciiDigit(next->ch);
    if (kind == Kind::Space) return !(afterOperand && beforeDigit);
    // A multiplication sign stands between two factors; only juxtaposition means the same.
    const bool beforeFactor = next && ((next->kind == Kind::Plain && (IsAsciiLetter(next->ch) || next->ch == U'(')));
    return afterOperand && beforeFactor;
}

}  // namespace

bool IsSpaceLike(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u00A0' || (c >= U'\u2000' && c <= U'\u200B') || c == U'\u202F' ||
           c == U'\u205F' || c == U'\u3000' || c == U'\uFEFF';
}

bool IsTimesSign(char32_t c) {
    return c == U'*' || c == U'\u00B7' || c == U'\u00D7' || c == U'\u2219' || c == U'\u22C5' || c == U'\u30FB' ||
           c == U'\uFF0A' || c == U'\uFF65';
}

std::u16string ToProgramSpelling(std::u16string_view pasted) {
    std::vector<Piece> pieces;
    for (char32_t c : Decode(pasted)) pieces.push_back(Classify(c));
    std::u16string out;
    out.reserve(pasted.size() + 8);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        switch (p.kind) {
            case Kind::Superscript:
                // One "^" before a run of superscript digits, none where the text has it already.
                if (!(i > 0 && pieces[i - 1].kind == Kind::Superscript) && (out.empty() || out.back() != u'^'))
                    out.push_back(u'^');
                out.push_back(static_cast<char16_t>(p.ch));
                break;
            case Kind::Space:
            case Kind::Times:
                if (!MayLeaveOut(p.kind, out, NextNonSpace(pieces, i + 1))) Encode(p.original, out);
                break;
            case Kind::Plain: Encode(p.ch, out); break;
        }
    }
    return out;
}

}  // namespace yinshi::frontend
