#include "present/printing.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <string>

#include "platform/number_form.hpp"
#include "state/engine.hpp"
#include "state/image_power.hpp"

namespace yinshi {

namespace {

// Counts held as floats in the data model, as loop bounds.
int CountOf(int v, int most) { return std::clamp(v, 0, most); }

// The term table and the content go to both outputs.
Output BothOf(Engine& e) { return OutputOf(e, PrintTarget::ScreenAndTranscript); }

struct Monomial {
    std::string text;
    bool anyLetter = false;
    bool lastIsOne = false;  // the last letter written has exponent 1
};

// The monomial of an image power: every variable with its exponent, "^" and
// the exponent for exponents above 1, the letter alone for 1, nothing for 0.
Monomial MonomialOf(const ImageLetters& letters, int p, bool itemForm) {
    std::array<int, 8> exps{};
    ImagePowerToExponents(letters, p, exps);
    Monomial m;
    int count = std::max(1, CountOf(letters.count, kMaxVars));
    for (int j = 1; j <= count; ++j) {
        if (exps[j] <= 0) continue;
        m.text += letters.names[j];
        m.anyLetter = true;
        m.lastIsOne = exps[j] == 1;
        if (exps[j] > 1) {
            float v = static_cast<float>(exps[j]);
            m.text += "^";
            m.text += itemForm ? ItemForm(v) : TextForm(v);
        }
    }
    return m;
}

// The rebuilt term table may hold one term per power; make room, keeping what is there.
void EnsureTermRow(TermTable& t, int row) {
    if (row >= static_cast<int>(t.TermCoef.size())) t.TermCoef.resize(static_cast<std::size_t>(row) + 1, 0.0f);
    if (row >= t.TermExp.Rows() || t.TermExp.Cols() <= kMaxVars) {
        FloatGrid grown(std::max(row, t.TermExp.Rows() - 1), kMaxVars);
        for (int r = 0; r < t.TermExp.Rows(); ++r)
            for (int c = 0; c < std::min(t.TermExp.Cols(), kMaxVars + 1); ++c) grown(r, c) = t.TermExp(r, c);
        t.TermExp = std::move(grown);
    }
}

}  // namespace

void PrintTermTable(Engine& e) {
    const Output out = BothOf(e);
    TermTable& t = e.terms;
    int terms = CountOf(t.TermCount, static_cast<int>(t.TermCoef.size()) - 1);
    int vars = CountOf(e.vars.VarCount, std::min(kMaxVars, t.TermExp.Cols() - 1));
    for (int i = 1; i <= terms; ++i) {
        float c = t.TermCoef[i];
        float d = 0;
        for (int j = 1; j <= vars; ++j) d += t.TermExp(i, j);
        if (c < 0) out.Both("-");
        if (i != 1 && c > 0) out.Both("+");
        float a = std::fabs(c);
        if (d == 0) {
            out.Both(ItemForm(a));
            continue;
        }
        if (a > 1) out.Both(ItemForm(a));
        for (int j = 1; j <= vars; ++j) {
            float x = t.TermExp(i, j);
            if (x > 1) {
                out.Both(e.vars.VarName[j] + "^");
                out.Split(ItemForm(x), TextForm(x));
            } else if (x == 1) {
                out.Both(e.vars.VarName[j]);
            }
        }
    }
}

void PrintFractionTerms(Engine& e) {
    TermTable& t = e.terms;
    for (int i = 1; i <= t.TermCount; ++i) {
        float c = t.TermCoef[i];
        if (i == 1) {
            e.Print(ItemForm(c));
            e.jg.Write(TextForm(c));
        } else {
            e.Print(c > 0 ? "+" : "-");
            e.jg.Write(c > 0 ? "+" : "-");
            e.Print(ItemForm(std::fabs(c)));
            e.jg.Write(TextForm(std::fabs(c)));
        }
        if (t.TermDen[i] != 1.0f) {
            e.Print("/");
            e.jg.Write("/");
            e.Print(ItemForm(t.TermDen[i]));
            e.jg.Write(TextForm(t.TermDen[i]));
        }
        for (int j = 1; j <= e.vars.VarCount; ++j) {
            float x = t.TermExp(i, j);
            if (x == 0) continue;
            e.Print(e.vars.VarName[j]);
            e.jg.Write(e.vars.VarName[j]);
            if (x > 1) {
                e.Print("^");
                e.jg.Write("^");
                e.Print(ItemForm(x));
                e.jg.Write(TextForm(x));
            }
        }
    }
    e.NewLine();
}

void PrintContentPrefix(Engine& e) {
    const Output out = BothOf(e);
    RunFlags& r = e.run;
    // A single negative term keeps its sign on both outputs, so that the
    // transcript states the same equation as the screen.
    if (e.terms.TermCount == 1 && e.terms.TermCoef.size() > 1 && e.terms.TermCoef[1] < 0) out.Both(" -");
    if (!r.SignPrefix.empty()) out.Both(r.SignPrefix);
    if (r.Content == r.DenProduct) {
        if (e.terms.TermCount <= 1) out.OnScreen(ItemForm(1));
    } else if (r.DenProduct != 1) {
        out.Split(ItemForm(r.Content) + "/" + ItemForm(r.DenProduct),
                  TextForm(r.Content) + "/" + TextForm(r.DenProduct));
    } else {
        out.Split(ItemForm(r.Content), TextForm(r.Content));
    }
    int vars = CountOf(e.vars.ParsedVarCount, kMaxVars);
    for (int j = 1; j <= vars; ++j) {
        float x = e.vars.VarMinExp[j];
        if (x == 1) {
            out.Both(e.vars.VarNameParsed[j]);
        } else if (x > 1) {
            out.Both(e.vars.VarNameParsed[j] + "^");
            out.Split(ItemForm(x), TextForm(x));
        }
    }
}

namespace {

// The sign and the number of a non-zero coefficient: the first without "+"
// and without a 1, the later ones with their sign and a blank for a 1.
void WriteCoefficient(const Output& out, float c, bool first) {
    if (first) {
        if (c == -1) {
            out.Both("-");
        } else if (c != 1) {
            out.Split(ItemForm(c), TextForm(c));
        }
        return;
    }
    float a = std::fabs(c);
    out.Both(c < 0 ? "-" : "+");
    if (a == 1) {
        out.Split("", " ");
    } else {
        out.Split(ItemForm(a), TextForm(a));
    }
}

}  // namespace

Output OutputOf(Engine& e, PrintTarget target) { return {e.screen, e.jg, target == PrintTarget::ScreenAndTranscript}; }

void PrintDensePoly(const Output& out, const ImageLetters& letters, std::span<const float> coefs, int degree,
                    int shift) {
    assert(degree >= 0 && static_cast<std::size_t>(degree) < coefs.size());
    out.Both("(");
    bool first = true;
    bool letterShown = false;  // by the last power written, x^0 once the loop is done
    for (int k = degree; k >= 0; --k) {
        letterShown = false;
        const float c = coefs[k];
        if (c == 0) continue;
        WriteCoefficient(out, c, first);
        first = false;
        Monomial m = MonomialOf(letters, shift + k, true);
        if (!m.anyLetter) continue;
        letterShown = true;
        out.Both(m.text);
        if (m.lastIsOne) out.InTranscript(" ");
    }
    if (!letterShown && std::fabs(coefs[0]) == 1) out.Split(ItemForm(1), "1");
    out.Both(")");
}

void PrintDensePoly(Engine& e, std::span<const float> coefs, int degree, int shift, PrintTarget target) {
    PrintDensePoly(OutputOf(e, target), LettersOf(e.vars), coefs, degree, shift);
}

void RebuildTermTable(TermTable& t, const ImageLetters& letters, std::span<const float> coefs, int degree, int shift) {
    assert(degree >= 0 && static_cast<std::size_t>(degree) < coefs.size());
    t.MaxTerms = 0;
    const int vars = std::max(1, CountOf(letters.count, kMaxVars));
    for (int k = degree; k >= 0; --k) {
        if (coefs[k] == 0) continue;
        ++t.MaxTerms;
        EnsureTermRow(t, t.MaxTerms);
        t.TermCoef[t.MaxTerms] = coefs[k];
        std::array<int, 8> exps{};
        ImagePowerToExponents(letters, shift + k, exps);
        for (int j = 1; j <= vars; ++j) t.TermExp(t.MaxTerms, j) = static_cast<float>(exps[j]);
    }
}

void RebuildTermTable(Engine& e, std::span<const float> coefs, int degree, int shift) {
    RebuildTermTable(e.terms, LettersOf(e.vars), coefs, degree, shift);
}

void PrintPowerSuffix(Transcript& jg, const ImageLetters& letters, int power, float lowExp) {
    int p = RoundHalfEven(static_cast<double>(power) + lowExp);
    jg.Write(MonomialOf(letters, p, false).text);
}

void PrintPowerSuffix(Engine& e, int power) { PrintPowerSuffix(e.jg, LettersOf(e.vars), power, e.dense.LowExp); }

void PrintEqualsPrefix(Engine& e) {
    if (!e.run.FactorFound) {
        e.Print("=");
        e.jg.EndLine();
        e.jg.Write("=");
        PrintContentPrefix(e);
        e.jg.Write("(");
    }
    e.Print("(");
}

}  // namespace yinshi
