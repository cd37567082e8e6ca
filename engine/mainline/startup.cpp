// Start-up: the title, the polynomial from DXS.DAT, and its normalisation
// (fractions cleared, like terms merged, content taken out).
#include <cmath>
#include <cstdint>
#include <numeric>

#include "mainline/allocation.hpp"
#include "mainline/driver.hpp"
#include "platform/text_file.hpp"
#include "present/number_form.hpp"
#include "present/printing.hpp"
#include "search/parser.hpp"

namespace yinshi {

namespace {

constexpr const char* kInputError = "输入错误！";
constexpr const char* kTooBig = "The data is too big!";
// Above 2^24 a float no longer holds every integer.
constexpr float kExactLimit = 16777216.0f;

At InputError(Engine& e) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    e.PrintLine(kInputError);
    e.jg.Close();
    e.dj.Close();
    return At::EndPrompt;
}

At TooBig(Engine& e) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    e.PrintLine(kTooBig);
    return At::EndPrompt;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

int TermCount(const Engine& e) { return static_cast<int>(e.terms.TermCount); }
int VarCount(const Engine& e) { return static_cast<int>(e.vars.VarCount); }

// The echo of an input with fractions: numerators, "/" denominators, letters.
void EchoFractions(Engine& e) {
    TermTable& t = e.terms;
    for (int i = 1; i <= TermCount(e); ++i) {
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
        for (int j = 1; j <= VarCount(e); ++j) {
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

bool SameExponents(const Engine& e, int i, int k) {
    for (int j = 1; j <= VarCount(e); ++j)
        if (e.terms.TermExp(i, j) != e.terms.TermExp(k, j)) return false;
    return true;
}

void MergeLikeTerms(Engine& e) {
    TermTable& t = e.terms;
    for (int i = 1; i < TermCount(e); ++i) {
        if (t.TermCoef[i] == 0) continue;
        for (int k = i + 1; k <= TermCount(e); ++k) {
            if (t.TermCoef[k] == 0 || !SameExponents(e, i, k)) continue;
            t.TermCoef[i] += t.TermCoef[k];
            t.TermCoef[k] = 0;
        }
    }
}

void Compact(Engine& e) {
    TermTable& t = e.terms;
    for (int i = 1; i < TermCount(e); ++i) {
        if (t.TermCoef[i] != 0) continue;
        int k = i + 1;
        while (k <= TermCount(e) && t.TermCoef[k] == 0) ++k;
        if (k > TermCount(e)) return;
        t.TermCoef[i] = t.TermCoef[k];
        for (int j = 0; j < t.TermExp.Cols(); ++j) t.TermExp(i, j) = t.TermExp(k, j);
        t.TermCoef[k] = 0;
    }
}

std::int64_t Gcd(std::int64_t a, std::int64_t b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        std::int64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

}  // namespace

At StartUp(Engine& e) {
    e.screen.Clear();
    e.screen.Locate(4, 30);
    e.PrintLine("因 式 分 解 ");
    e.screen.Locate(5, 29);
    e.PrintLine("-------------");
    // The short pause before the input appears: a counting loop, no timer.
    volatile int pause = 0;
    for (int i = 0; i < 2000; ++i) pause = i;
    static_cast<void>(pause);

    TextIn dxs;
    std::optional<std::string> text;
    if (dxs.Open(e.File("DXS.DAT"))) text = dxs.Item();
    if (!text) return InputError(e);
    e.run.InputText = *text;

    e.run.NoGroupingShown = 1;
    e.PrintLine(e.run.InputText);
    e.NewLine();
    e.run.InputText = LowerAscii(e.run.InputText);
    e.run.ResultFile = "jg.dat";

    if (Next n = TokenizeText(e)) return *n;
    e.NewLine();
    AllocateStartup(e);
    if (Next n = LoadTerms(e)) return *n;
    for (int j = 1; j <= VarCount(e); ++j) e.vars.VarNameParsed[j] = e.vars.VarName[j];

    if (!e.jg.Create(e.File(e.run.ResultFile))) {
        e.PrintLine("jg.dat cannot be created in this folder; the run stops here.");
        return At::EndPrompt;
    }

    TermTable& t = e.terms;
    if (e.run.FracFlag != "f") {
        PrintTermTable(e);
    } else {
        float den = 1;
        for (int i = 1; i <= TermCount(e); ++i) den *= t.TermDen[i];
        e.run.DenProduct = den;
        EchoFractions(e);
        if (std::fabs(den) > kExactLimit || den == 0) return TooBig(e);
        for (int i = 1; i <= TermCount(e); ++i) t.TermCoef[i] = t.TermCoef[i] * (den / t.TermDen[i]);
    }

    MergeLikeTerms(e);
    Compact(e);
    for (int i = 1; i <= TermCount(e); ++i) {
        if (std::fabs(t.TermCoef[i]) > kCoefLimit) return TooBig(e);
        if (t.TermCoef[i] == 0) {
            t.TermCount = static_cast<float>(i - 1);
            break;
        }
    }
    if (TermCount(e) == 0) {
        e.PrintLine("=0");
        e.jg.Write("=0");
        return At::CloseAll;
    }

    for (int j = 1; j <= VarCount(e); ++j) {
        float low = t.TermExp(1, j);
        for (int i = 2; i <= TermCount(e); ++i) low = std::min(low, t.TermExp(i, j));
        e.vars.VarMinExp[j] = low;
        for (int i = 1; i <= TermCount(e); ++i) t.TermExp(i, j) -= low;
    }

    // A coefficient that is still not whole (".5x" passes the parser) has no
    // integer content to take out.
    std::int64_t content = 0;
    for (int i = 1; i <= TermCount(e); ++i) {
        if (!IsWhole(t.TermCoef[i])) return InputError(e);
        content = Gcd(content, static_cast<std::int64_t>(t.TermCoef[i]));
    }
    e.run.Content = static_cast<float>(content);
    for (int i = 1; i <= TermCount(e); ++i) t.TermCoef[i] /= e.run.Content;

    if (e.run.FracFlag == "f" || e.run.FracFlag == "F") {
        std::int64_t g = Gcd(content, static_cast<std::int64_t>(e.run.DenProduct));
        e.run.Content = static_cast<float>(content / g);
        e.run.DenProduct = std::floor(e.run.DenProduct / static_cast<float>(g));
    }

    if (TermCount(e) == 1) {
        e.Print("=");
        e.jg.Write("=");
        PrintContentPrefix(e);
        e.NewLine();
        return At::CloseAll;
    }

    e.run.StartTime = e.clock.Now();
    e.run.LongTried = 0;
    return At::Restart;
}

}  // namespace yinshi
