#include "present/special_forms.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "present/gsys_file.hpp"
#include "present/printing.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

int Sgn(float v) { return (v > 0) - (v < 0); }

// Integer roots; a coefficient is a perfect power only when the root
// reproduces it exactly.
float SquareRoot(float v) { return std::floor(std::sqrt(v) + 0.5f); }
float CubeRoot(float v) { return std::floor(std::exp(std::log(v) / 3.0f) + 0.5f); }
bool IsSquare(float v, float r) { return r * r == v; }
bool IsCube(float v, float r) { return r * r * r == v; }

int VarCountOf(const Engine& e) {
    return std::clamp(e.vars.VarCount, 0, std::min(kMaxVars, e.terms.TermExp.Cols() - 1));
}

// The factorisation goes to the console always and to the transcript only
// while the first pass over the whole polynomial is running; a later match
// is a step inside a product the transcript already shows.
class Writer {
public:
    explicit Writer(Engine& e) : e_(e), out_(e.screen, e.jg, !e.run.FactorFound) {}

    void Show(std::string_view text) const { out_.Both(text); }
    void Console(std::string_view text) const { out_.OnScreen(text); }
    void Transcript(std::string_view text) const { out_.InTranscript(text); }
    // A variable of a shown term: the exponent is written even when it is 1.
    void ShowPower(int j, float exp) const { Show(e_.vars.VarName[j] + "^" + ItemForm(exp)); }

    // ")" + suffix closes the product: console with a trailing blank, both with a line end.
    void CloseProduct(std::string_view suffix) const {
        out_.Split(std::string(suffix) + " ", suffix);
        out_.EndLine();
    }
    // Opens the next line of the working: "=" and, in the first pass, the content.
    void NextEquals() const {
        out_.Both("=");
        if (out_.ToTranscript()) PrintContentPrefix(e_);
    }

private:
    Engine& e_;
    Output out_;
};

// The queue file is created before anything is shown, so that a file that
// cannot be created ends the run before a factor is shown that it would have
// to hold. False leaves the pattern unmatched; with e.fault set the run ends.
bool CreateGsys(Engine& e, TextOut& gsys) {
    float number = e.run.GsysCount + 1;
    // A binomial that degenerated on the way (its exponents rounded away)
    // must not be queued again and again.
    if (e.dense.WholeDegree > 0 && number > static_cast<float>(e.dense.WholeDegree)) return false;
    if (!gsys.Create(e.File(GsysFileName(number)))) {
        e.FileFailed(GsysFileName(number), true);
        return false;
    }
    e.run.GsysCount = number;
    return true;
}

Next Unmatched(const Engine& e) { return e.fault ? Next(At::FileProblem) : std::nullopt; }

// False when the queue file could not be written whole: its factor is lost.
bool WriteLettersAndClose(Engine& e, TextOut& gsys, int vars) {
    for (int j = 1; j <= vars; ++j) {
        gsys.Write(e.vars.VarName[j]);
        gsys.EndLine();
    }
    gsys.Close();
    if (gsys.Good()) return true;
    e.FileFailed(GsysFileName(e.run.GsysCount), true);
    return false;
}

// The run goes on with the binomial left in the term table, unless its
// partner could not be queued.
Next MatchedExit(Engine& e, float termCount, bool queued) {
    if (!queued) return At::FileProblem;
    e.run.NoEqualsPrefix = true;
    e.run.FactorFound = true;
    e.terms.TermCount = termCount;
    return At::Restart;
}

// How a matched form is written around its factors.
struct FormFrame {
    std::string_view close;  // closes the product: ")^2" or ")"
    float termsLeft;         // terms of the factor the run goes on with
    bool countOnItsOwnLine;  // the queue file's letter count ends its line
};

// Every form is written the same way: "=(" on both outputs, the factors
// (`write`, which fills the queue file with the first one and leaves the
// other in the term table), the closing, the next "=", and the queue file's
// letters. Nothing is shown when the queue file cannot be created.
template <typename Factors>
Next WriteForm(Engine& e, int vars, const FormFrame& frame, const Factors& write) {
    TextOut gsys;
    if (!CreateGsys(e, gsys)) return Unmatched(e);
    Writer out(e);
    PrintEqualsPrefix(e);
    gsys.Write(ItemForm(static_cast<float>(vars)));
    if (frame.countOnItsOwnLine) gsys.EndLine();
    write(out, gsys);
    out.CloseProduct(frame.close);
    out.NextEquals();
    bool queued = WriteLettersAndClose(e, gsys, vars);
    return MatchedExit(e, frame.termsLeft, queued);
}

bool AllExponents(const Engine& e, int term, int vars, float divisor) {
    for (int j = 1; j <= vars; ++j) {
        float x = e.terms.TermExp(term, j);
        if (std::floor(x / divisor) * divisor != x) return false;
    }
    return true;
}

// The exponents of a root, by letter 1..vars.
using RootExps = std::array<float, kMaxVars + 1>;

// The letters of the root of term `row`: every exponent divided by `by`,
// into the queue file (0 for an absent letter) and shown; `lineEach` ends
// the queue file's line after every letter present.
RootExps WriteRootLetters(const Engine& e, Writer& out, TextOut& gsys, int row, float by, int vars,
                          bool lineEach = false) {
    RootExps root{};
    for (int j = 1; j <= vars; ++j) {
        const float x = e.terms.TermExp(row, j);
        root[j] = x;
        if (x == 0) {
            gsys.Write(ItemForm(0));
            continue;
        }
        root[j] = x / by;
        gsys.Write(ItemForm(root[j]));
        if (lineEach) gsys.EndLine();
        out.ShowPower(j, root[j]);
    }
    return root;
}

void SetRow(TermTable& t, int row, const RootExps& exps, int vars) {
    for (int j = 1; j <= vars; ++j) t.TermExp(row, j) = exps[j];
}

// A^2 +- 2AB + B^2 with whole square roots of the outer coefficients, every
// outer power even and the middle one in step: the two roots.
struct SquarePair {
    float r1;
    float r3;
};

std::optional<SquarePair> MatchSquare(const Engine& e, int vars) {
    const TermTable& t = e.terms;
    if (t.TermCoef.size() < 4 || t.TermExp.Rows() < 4) return std::nullopt;
    if (Sgn(t.TermCoef[1]) != Sgn(t.TermCoef[3])) return std::nullopt;
    const float r1 = SquareRoot(std::fabs(t.TermCoef[1]));
    const float r3 = SquareRoot(std::fabs(t.TermCoef[3]));
    if (!IsSquare(std::fabs(t.TermCoef[1]), r1) || !IsSquare(std::fabs(t.TermCoef[3]), r3)) return std::nullopt;
    if (!AllExponents(e, 1, vars, 2) || !AllExponents(e, 3, vars, 2)) return std::nullopt;
    if (std::fabs(t.TermCoef[2]) != 2 * r1 * r3) return std::nullopt;
    for (int j = 1; j <= vars; ++j) {
        float mid = t.TermExp(2, j);
        if (mid == 0) return std::nullopt;
        if (2 * mid != t.TermExp(1, j) && 2 * mid != t.TermExp(3, j)) return std::nullopt;
    }
    return SquarePair{r1, r3};
}

// A +- B, shown, into the queue file, and left in the term table.
void WriteSquareRoots(Engine& e, Writer& out, TextOut& gsys, const SquarePair& r, int vars) {
    TermTable& t = e.terms;
    t.TermCoef[1] = r.r1;
    out.Show(ItemForm(r.r1));
    gsys.Write(ItemForm(r.r1));
    SetRow(t, 1, WriteRootLetters(e, out, gsys, 1, 2, vars), vars);

    const float second = t.TermCoef[2] > 0 ? r.r3 : -r.r3;
    out.Show(second > 0 ? "+" : "-");
    out.Show(ItemForm(r.r3));
    gsys.Write(ItemForm(second));
    t.TermCoef[2] = second;
    SetRow(t, 2, WriteRootLetters(e, out, gsys, 3, 2, vars), vars);
}

// A^2 - B^2: both coefficients whole squares of opposite signs, every power even.
bool MatchDifference(const Engine& e, int vars) {
    const TermTable& t = e.terms;
    if (t.TermCoef.size() < 3 || t.TermExp.Rows() < 3) return false;
    if (Sgn(t.TermCoef[1]) == Sgn(t.TermCoef[2])) return false;
    for (int i = 1; i <= 2; ++i) {
        float a = std::fabs(t.TermCoef[i]);
        if (!IsSquare(a, SquareRoot(a))) return false;
        if (!AllExponents(e, i, vars, 2)) return false;
    }
    return true;
}

// The square roots of A^2 and B^2's coefficients, [1] and [2].
using Roots = std::array<float, 3>;

// A + B, shown and into the queue file, and left in the term table's
// exponents; returns the roots of the coefficients.
Roots WriteSumOfRoots(Engine& e, Writer& out, TextOut& gsys, int vars) {
    TermTable& t = e.terms;
    Roots root{};
    for (int i = 1; i <= 2; ++i) {
        if (i == 2) out.Show("+");
        root[i] = SquareRoot(std::fabs(t.TermCoef[i]));
        out.Show(ItemForm(root[i]));
        gsys.Write(ItemForm(root[i]));
        SetRow(t, i, WriteRootLetters(e, out, gsys, i, 2, vars, true), vars);
    }
    return root;
}

// A - B, shown, and left in the term table.
void WriteDifferenceOfRoots(Engine& e, Writer& out, const Roots& root, int vars) {
    TermTable& t = e.terms;
    for (int i = 1; i <= 2; ++i) {
        t.TermCoef[i] = root[i];
        if (i == 2) {
            out.Show("-");
            t.TermCoef[2] = -root[2];
        }
        out.Show(ItemForm(root[i]));
        for (int j = 1; j <= vars; ++j)
            if (t.TermExp(i, j) != 0) out.ShowPower(j, t.TermExp(i, j));
    }
}

// A^3 +- B^3 with whole cube roots of both coefficients and every power a
// multiple of 3: the roots and the sign of B^3.
struct CubePair {
    float ra;
    float rb;
    float s;
};

std::optional<CubePair> MatchCubes(const Engine& e, int vars) {
    const TermTable& t = e.terms;
    if (t.TermCoef.size() < 4 || t.TermExp.Rows() < 4) return std::nullopt;
    const float ra = CubeRoot(std::fabs(t.TermCoef[1]));
    const float rb = CubeRoot(std::fabs(t.TermCoef[2]));
    if (!IsCube(std::fabs(t.TermCoef[1]), ra) || !IsCube(std::fabs(t.TermCoef[2]), rb)) return std::nullopt;
    if (!AllExponents(e, 1, vars, 3) || !AllExponents(e, 2, vars, 3)) return std::nullopt;
    return CubePair{ra, rb, t.TermCoef[2] < 0 ? -1.0f : 1.0f};
}

// A + B or A - B, shown and into the queue file.
void WriteCubeRoots(Engine& e, Writer& out, TextOut& gsys, const CubePair& c, int vars) {
    out.Show(ItemForm(c.ra));
    gsys.Write(ItemForm(c.ra));
    WriteRootLetters(e, out, gsys, 1, 3, vars);

    const float second = c.s * c.rb;
    out.Console(c.s < 0 ? "-" : "+");
    out.Console(ItemForm(c.rb));
    out.Transcript(second > 0 ? "+" + ItemForm(second) : ItemForm(second));
    gsys.Write(ItemForm(second));
    WriteRootLetters(e, out, gsys, 2, 3, vars);
}

// A^2 + B^2 -+ AB, shown, and left in the term table in that order.
void WriteCubeTrinomial(Engine& e, Writer& out, const CubePair& c, int vars) {
    TermTable& t = e.terms;
    for (int i = 1; i <= 2; ++i) {
        if (i == 2) out.Show("+");
        const float root = i == 1 ? c.ra : c.rb;
        t.TermCoef[i] = root * root;
        out.Show(ItemForm(t.TermCoef[i]));
        for (int j = 1; j <= vars; ++j) {
            float& x = t.TermExp(i, j);
            if (x == 0) continue;
            x = x * 2 / 3;
            out.ShowPower(j, x);
        }
    }
    t.TermCoef[3] = -c.s * c.ra * c.rb;
    out.Console(t.TermCoef[3] < 0 ? "-" : "+");
    out.Console(ItemForm(c.ra * c.rb));
    out.Transcript(t.TermCoef[3] > 0 ? "+" + ItemForm(t.TermCoef[3]) : ItemForm(t.TermCoef[3]));
    // The cross term's row may hold exponents of an earlier table; AB has
    // exactly the halves of A^2 and B^2.
    for (int j = 1; j <= vars; ++j) t.TermExp(3, j) = 0;
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= vars; ++j) {
            float x = t.TermExp(i, j);
            if (x == 0) continue;
            t.TermExp(3, j) += x / 2;
            out.ShowPower(j, x / 2);
        }
    }
}

}  // namespace

Next SquareOfBinomial(Engine& e) {
    const int vars = VarCountOf(e);
    const std::optional<SquarePair> roots = MatchSquare(e, vars);
    if (!roots) return std::nullopt;
    return WriteForm(e, vars, {")^2", 2, false},
                     [&](Writer& out, TextOut& gsys) { WriteSquareRoots(e, out, gsys, *roots, vars); });
}

Next DifferenceOfSquares(Engine& e) {
    const int vars = VarCountOf(e);
    if (!MatchDifference(e, vars)) return std::nullopt;
    return WriteForm(e, vars, {")", 2, true}, [&](Writer& out, TextOut& gsys) {
        const Roots root = WriteSumOfRoots(e, out, gsys, vars);
        out.Show(")(");
        WriteDifferenceOfRoots(e, out, root, vars);
    });
}

Next SumOfCubes(Engine& e) {
    const int vars = VarCountOf(e);
    const std::optional<CubePair> cubes = MatchCubes(e, vars);
    if (!cubes) return std::nullopt;
    return WriteForm(e, vars, {")", 3, false}, [&](Writer& out, TextOut& gsys) {
        WriteCubeRoots(e, out, gsys, *cubes, vars);
        out.Show(")(");
        WriteCubeTrinomial(e, out, *cubes, vars);
    });
}

}  // namespace yinshi
