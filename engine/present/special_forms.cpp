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
    explicit Writer(Engine& e) : e_(e), toJg_(e.run.Stage == 0) {}
    bool ToTranscript() const { return toJg_; }

    void Show(std::string_view text) {
        e_.Print(text);
        if (toJg_) e_.jg.Write(text);
    }
    void Console(std::string_view text) { e_.Print(text); }
    void Transcript(std::string_view text) {
        if (toJg_) e_.jg.Write(text);
    }
    // A variable of a shown term: the exponent is written even when it is 1.
    void ShowPower(int j, float exp) { Show(e_.vars.VarName[j] + "^" + ItemForm(exp)); }

    // ")" + suffix closes the product: console with a trailing blank, both with a line end.
    void CloseProduct(std::string_view suffix) {
        e_.Print(std::string(suffix) + " ");
        e_.NewLine();
        if (toJg_) {
            e_.jg.Write(suffix);
            e_.jg.EndLine();
        }
    }
    // Opens the next line of the working: "=" and, in the first pass, the content.
    void NextEquals() {
        e_.Print("=");
        if (toJg_) {
            e_.jg.Write("=");
            PrintContentPrefix(e_);
        }
    }

private:
    Engine& e_;
    bool toJg_;
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
    e.run.NoEqualsPrefix = 1;
    e.run.Stage = 1;
    e.run.MethodResult = MethodOutcome::Split;
    e.terms.TermCount = termCount;
    return At::Restart;
}

bool AllExponents(const Engine& e, int term, int vars, float divisor) {
    for (int j = 1; j <= vars; ++j) {
        float x = e.terms.TermExp(term, j);
        if (std::floor(x / divisor) * divisor != x) return false;
    }
    return true;
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
    for (int j = 1; j <= vars; ++j) {
        float& x = t.TermExp(1, j);
        if (x == 0) {
            gsys.Write(ItemForm(0));
            continue;
        }
        x /= 2;
        gsys.Write(ItemForm(x));
        out.ShowPower(j, x);
    }

    const float second = t.TermCoef[2] > 0 ? r.r3 : -r.r3;
    out.Show(second > 0 ? "+" : "-");
    out.Show(ItemForm(r.r3));
    gsys.Write(ItemForm(second));
    t.TermCoef[2] = second;
    for (int j = 1; j <= vars; ++j) {
        float x = t.TermExp(3, j);
        if (x == 0) {
            t.TermExp(2, j) = 0;
            gsys.Write(ItemForm(0));
            continue;
        }
        t.TermExp(2, j) = x / 2;
        gsys.Write(ItemForm(x / 2));
        out.ShowPower(j, x / 2);
    }
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

// A + B, shown and into the queue file; returns the roots of the coefficients.
Roots WriteSumOfRoots(Engine& e, Writer& out, TextOut& gsys, int vars) {
    TermTable& t = e.terms;
    Roots root{};
    for (int i = 1; i <= 2; ++i) {
        if (i == 2) out.Show("+");
        root[i] = SquareRoot(std::fabs(t.TermCoef[i]));
        out.Show(ItemForm(root[i]));
        gsys.Write(ItemForm(root[i]));
        for (int j = 1; j <= vars; ++j) {
            float& x = t.TermExp(i, j);
            if (x == 0) {
                gsys.Write(ItemForm(0));
                continue;
            }
            x /= 2;
            gsys.Write(ItemForm(x));
            gsys.EndLine();
            out.ShowPower(j, x);
        }
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

}  // namespace

Next SquareOfBinomial(Engine& e) {
    const int vars = VarCountOf(e);
    const std::optional<SquarePair> roots = MatchSquare(e, vars);
    if (!roots) return std::nullopt;

    TextOut gsys;
    if (!CreateGsys(e, gsys)) return Unmatched(e);
    Writer out(e);
    PrintEqualsPrefix(e);
    gsys.Write(ItemForm(static_cast<float>(vars)));
    WriteSquareRoots(e, out, gsys, *roots, vars);
    out.CloseProduct(")^2");
    out.NextEquals();
    bool queued = WriteLettersAndClose(e, gsys, vars);
    return MatchedExit(e, 2, queued);
}

Next DifferenceOfSquares(Engine& e) {
    const int vars = VarCountOf(e);
    if (!MatchDifference(e, vars)) return std::nullopt;

    TextOut gsys;
    if (!CreateGsys(e, gsys)) return Unmatched(e);
    Writer out(e);
    PrintEqualsPrefix(e);
    gsys.Write(ItemForm(static_cast<float>(vars)));
    gsys.EndLine();
    const Roots root = WriteSumOfRoots(e, out, gsys, vars);
    out.Show(")(");
    WriteDifferenceOfRoots(e, out, root, vars);
    out.CloseProduct(")");
    out.NextEquals();
    bool queued = WriteLettersAndClose(e, gsys, vars);
    return MatchedExit(e, 2, queued);
}

namespace {

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
    const TermTable& t = e.terms;
    const std::array<float, 3> root{0, c.ra, c.s * c.rb};
    for (int i = 1; i <= 2; ++i) {
        if (i == 1) {
            out.Show(ItemForm(c.ra));
        } else {
            out.Console(c.s < 0 ? "-" : "+");
            out.Console(ItemForm(c.rb));
            out.Transcript(root[2] > 0 ? "+" + ItemForm(root[2]) : ItemForm(root[2]));
        }
        gsys.Write(ItemForm(root[i]));
        for (int j = 1; j <= vars; ++j) {
            float x = t.TermExp(i, j);
            if (x == 0) {
                gsys.Write(ItemForm(0));
                continue;
            }
            const float third = x / 3;
            gsys.Write(ItemForm(third));
            out.ShowPower(j, third);
        }
    }
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

Next SumOfCubes(Engine& e) {
    const int vars = VarCountOf(e);
    const std::optional<CubePair> cubes = MatchCubes(e, vars);
    if (!cubes) return std::nullopt;

    TextOut gsys;
    if (!CreateGsys(e, gsys)) return Unmatched(e);
    Writer out(e);
    PrintEqualsPrefix(e);
    gsys.Write(ItemForm(static_cast<float>(vars)));
    WriteCubeRoots(e, out, gsys, *cubes, vars);
    out.Show(")(");
    WriteCubeTrinomial(e, out, *cubes, vars);
    out.CloseProduct(")");
    out.NextEquals();
    bool queued = WriteLettersAndClose(e, gsys, vars);
    return MatchedExit(e, 3, queued);
}

}  // namespace yinshi
