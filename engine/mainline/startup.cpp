// Start-up: the title, the polynomial from DXS.DAT, and its normalisation
// (fractions cleared, like terms merged, content taken out).
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

#include "mainline/driver.hpp"
#include "mainline/grouped_input.hpp"
#include "mainline/like_terms.hpp"
#include "mainline/parser.hpp"
#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "platform/whole_numbers.hpp"
#include "present/printing.hpp"
#include "state/allocation.hpp"

namespace yinshi {

namespace {

constexpr const char* kTooBig = "The data is too big!";
constexpr const char* kInputFile = "DXS.DAT";
// DXS.DAT is one line. The window writes at most 32,767 characters; one written
// by hand may be longer, and a long number in it must still reach the number
// check rather than make the file unreadable.
constexpr std::size_t kInputLineCap = std::size_t{1} << 22;

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

int TermCount(const Engine& e) { return e.terms.TermCount; }
int VarCount(const Engine& e) { return e.vars.VarCount; }

bool SameExponents(const TermTable& t, int i, int k) {
    for (int j = 1; j < t.TermExp.Cols(); ++j)
        if (t.TermExp(i, j) != t.TermExp(k, j)) return false;
    return true;
}

// The denominator the fractions are cleared with: the product of the
// denominators, or their least common multiple where only that is within the
// limit; nullopt when a number as written or both are past the limits. Floats
// round monotonically and the limit is a whole float, so a written number past
// the limit still reads past it.
std::optional<std::int64_t> CommonDenominator(const TermTable& t) {
    const int n = t.TermCount;
    for (int i = 1; i <= n; ++i)
        if (std::fabs(t.TermCoef[i]) > kCoefLimit || t.TermDen[i] > kCoefLimit) return std::nullopt;
    std::int64_t product = 1;
    std::int64_t lcm = 1;
    for (int i = 1; i <= n; ++i) {
        const auto den = static_cast<std::int64_t>(t.TermDen[i]);
        if (product <= kExactLimit) product *= den;
        lcm = lcm / Gcd(lcm, den) * den;
        if (lcm > kExactLimit) return std::nullopt;
    }
    return product <= kExactLimit ? product : lcm;
}

// Clears the fractions, merges like terms and moves the zero terms to the end,
// in integers, so that no coefficient is rounded before the size check sees
// it. Returns the denominator cleared; nullopt when a number as written, the
// denominator, or a coefficient after clearing and merging is past the limits.
std::optional<std::int64_t> ClearAndMergeExactly(TermTable& t) {
    const int n = t.TermCount;
    const std::optional<std::int64_t> den = CommonDenominator(t);
    if (!den) return std::nullopt;
    std::vector<std::int64_t> coef(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 1; i <= n; ++i)
        coef[i] = static_cast<std::int64_t>(t.TermCoef[i]) * (*den / static_cast<std::int64_t>(t.TermDen[i]));
    MergeLikeTerms(
        coef, n, [&](int a, int b) { return SameExponents(t, a, b); },
        [&](int to, int from) {
            for (int j = 0; j < t.TermExp.Cols(); ++j) t.TermExp(to, j) = t.TermExp(from, j);
        });
    for (int i = 1; i <= n; ++i) {
        if (coef[i] > kCoefLimitWhole || coef[i] < -kCoefLimitWhole) return std::nullopt;
        t.TermCoef[i] = static_cast<float>(coef[i]);
    }
    return den;
}

// The title, and the short pause before the input appears: a counting loop,
// no timer.
void ShowTitle(Engine& e) {
    e.screen.Clear();
    e.screen.Locate(4, 30);
    e.PrintLine("因 式 分 解 ");
    e.screen.Locate(5, 29);
    e.PrintLine("-------------");
    volatile int pause = 0;
    for (int i = 0; i < 2000; ++i) pause = i;
    static_cast<void>(pause);
}

// The typed text from DXS.DAT. A missing file means nothing was typed; one
// that is there but cannot be read is a problem of the folder, not of the
// polynomial.
Next ReadInput(Engine& e) {
    TextIn dxs;
    std::optional<std::string> text;
    if (dxs.Open(e.File(kInputFile), kInputLineCap, ReadExtent::FirstLine)) {
        text = dxs.Item();
    } else if (!FileMissing(e.File(kInputFile))) {
        e.FileFailed(kInputFile, false);
        return At::FileProblem;
    }
    if (!text) return InputError(e);
    e.run.InputText = *text;
    return std::nullopt;
}

// The lowest power of each letter and the numbers' greatest common divisor
// come out of every term; with fractions, the part of the denominators that
// cancels against that content goes too.
void TakeOutContent(Engine& e) {
    TermTable& t = e.terms;
    for (int j = 1; j <= VarCount(e); ++j) {
        float low = t.TermExp(1, j);
        for (int i = 2; i <= TermCount(e); ++i) low = std::min(low, t.TermExp(i, j));
        e.vars.VarMinExp[j] = low;
        for (int i = 1; i <= TermCount(e); ++i) t.TermExp(i, j) -= low;
    }

    std::int64_t content = 0;
    for (int i = 1; i <= TermCount(e); ++i) content = Gcd(content, static_cast<std::int64_t>(t.TermCoef[i]));
    e.run.Content = static_cast<float>(content);
    for (int i = 1; i <= TermCount(e); ++i) t.TermCoef[i] /= e.run.Content;

    if (e.run.Fractional) {
        std::int64_t g = Gcd(content, static_cast<std::int64_t>(e.run.DenProduct));
        // g divides the content: the quotient is exact.
        e.run.Content = static_cast<float>(content / g);  // NOLINT(bugprone-integer-division)
        e.run.DenProduct = std::floor(e.run.DenProduct / static_cast<float>(g));
    }
}

// A single term is its own factorisation: the content and the monomial.
At EndWithOneTerm(Engine& e) {
    e.Print("=");
    e.jg.Write("=");
    PrintContentPrefix(e);
    // The prefix writes a unit content to the screen only, since beside a
    // monomial it goes without saying; a number alone needs its value.
    bool constant = true;
    for (int j = 1; j <= VarCount(e); ++j) constant = constant && e.vars.VarMinExp[j] == 0;
    if (constant && e.run.Content == e.run.DenProduct) e.jg.Write("1");
    e.NewLine();
    return At::CloseAll;
}

// From the term table as read to the normalised one the driver works on,
// with the echo; `typed` is the text as typed when it was expanded.
At Normalise(Engine& e, const std::string& typed) {
    // A decimal point (".5x") reads as a number that is not whole. Rejected
    // here, before the transcript exists, so no half-written one is left.
    TermTable& t = e.terms;
    for (int i = 1; i <= TermCount(e); ++i) {
        if (!IsWhole(t.TermCoef[i]) || !IsWhole(t.TermDen[i])) {
            const At next = InputError(e);
            ExplainInputError(e, e.run.InputText);
            return next;
        }
    }
    // The limits are checked before the transcript exists: a number past them
    // has no exact echo, and a refused input leaves no transcript, as an
    // input error leaves none.
    TermTable cleared = t;
    const std::optional<std::int64_t> den = ClearAndMergeExactly(cleared);
    if (!den) return typed.empty() ? TooBig(e) : ExpansionTooBig(e);

    if (!e.jg.Create(e.File(e.run.ResultFile))) {
        e.FileFailed(e.run.ResultFile, true);
        return At::FileProblem;
    }
    // An expanded text: the transcript's first line is what was typed, then
    // the expansion as its first equation; the screen shows the typed text above.
    if (!typed.empty()) {
        e.jg.Write(typed);
        e.jg.Write("=");
        e.Print("=");
    }
    if (!e.run.Fractional) {
        PrintTermTable(e);
    } else {
        e.run.DenProduct = static_cast<float>(*den);
        PrintFractionTerms(e);
    }
    t = std::move(cleared);
    DropZeroTerms(t);
    if (TermCount(e) == 0) {
        e.PrintLine("=0");
        e.jg.Write("=0");
        return At::CloseAll;
    }
    TakeOutContent(e);
    if (TermCount(e) == 1) return EndWithOneTerm(e);

    e.run.StartTime = e.clock.Now();
    e.run.LongTried = false;
    return At::Restart;
}

}  // namespace

At StartUp(Engine& e) {
    ShowTitle(e);
    if (Next n = ReadInput(e)) return *n;

    e.run.NoGroupingShown = true;
    e.PrintLine(e.run.InputText);
    e.NewLine();
    const std::string typed = HasGroups(e.run.InputText) ? e.run.InputText : std::string();
    e.run.InputText = LowerAscii(e.run.InputText);
    e.run.ResultFile = "jg.dat";
    if (!typed.empty()) {
        if (Next n = ExpandInput(e, typed)) return *n;
    }

    if (Next n = TokenizeText(e)) {
        if (*n == At::EndPrompt) ExplainInputError(e, e.run.InputText);
        return *n;
    }
    e.NewLine();
    AllocateStartup(e);
    if (Next n = LoadTerms(e)) return *n;
    for (int j = 1; j <= VarCount(e); ++j) e.vars.VarNameParsed[j] = e.vars.VarName[j];
    return Normalise(e, typed);
}

}  // namespace yinshi
