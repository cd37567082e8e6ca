#include <cmath>
#include <string>

#include "mainline/further_solutions.hpp"
#include "mainline/further_tables.hpp"
#include "platform/number_form.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// The variables of one term: "x^ 2 " for a power above 1, the bare letter for 1.
std::string Monomial(const Engine& e, const FloatGrid& exps, int row) {
    std::string text;
    const int vars = FurtherVarCount(e);
    for (int j = 1; j <= vars; ++j) {
        const float p = exps(row, j);
        if (p > 1) {
            text += e.vars.VarName[j];
            text += '^';
            text += ItemForm(p);
        } else if (p == 1) {
            text += e.vars.VarName[j];
        }
    }
    return text;
}

// The raw product's like terms side by side in one group each. The later
// terms of a group are zeroed as they are shown, so no group is shown twice.
void ShowGatheredLine(Engine& e) {
    TermTable& t = e.terms;
    const int count = t.TermCount;
    for (int i = 1; i <= count - 1; ++i) {
        if (t.TermCoef[i] == 0) continue;
        std::string group = i == 1 ? "(" : "+(";
        group += ItemForm(t.TermCoef[i]);
        for (int k = i + 1; k <= count; ++k) {
            if (t.TermCoef[k] == 0 || !SameMonomial(e, i, k)) continue;
            group += ' ';
            group += ItemForm(t.TermCoef[k]);
            t.TermCoef[k] = 0;
        }
        group += ')';
        group += Monomial(e, t.TermExp, i);
        e.Print(group);
    }
    if (count >= 1 && t.TermCoef[count] != 0)
        e.Print("+(" + ItemForm(t.TermCoef[count]) + ")" + Monomial(e, t.TermExp, count));
}

// One group per term of the left factor: that term times the right factor.
void ShowDistributedLine(Engine& e, int left, int right) {
    const FurtherState& f = e.further;
    for (int i = 1; i <= left; ++i) {
        std::string group = "(";
        for (int k = 1; k <= right; ++k) {
            const int m = (i - 1) * right + k;
            const float c = e.dense.PolyKeep[m];
            if (k != 1 && c > 0) group += '+';
            group += ItemForm(c);
            group += Monomial(e, f.RawExp, m);
        }
        group += ')';
        if (i != left) group += '+';
        e.Print(group);
    }
}

// The reference and the product, each in its parentheses.
void ShowFactorPair(Engine& e) {
    LoadTermTable(e, {e.further.RefCoef, e.further.RefExp}, static_cast<int>(e.further.RefCount));
    e.Print("(");
    PrintTermPoly(e);
    e.Print(")");
    LoadTermTable(e, {e.further.ProdCoef, e.further.ProdExp}, static_cast<int>(e.run.ProdCount));
    e.Print("(");
    PrintTermPoly(e);
    e.Print(")");
}

}  // namespace

void ShowSolutionWorking(Engine& e, int left, int right) {
    e.NewLine();
    e.Print("=");
    ShowGatheredLine(e);
    e.NewLine();
    e.NewLine();
    e.Print("=");
    ShowDistributedLine(e, left, right);
    e.NewLine();
    e.NewLine();
    e.Print("=");
    ShowFactorPair(e);
    e.NewLine();
}

void PrintTermPoly(Engine& e) {
    const TermTable& t = e.terms;
    const int count = t.TermCount;
    const int vars = FurtherVarCount(e);
    for (int i = 1; i <= count; ++i) {
        const float c = t.TermCoef[i];
        float degree = 0;
        for (int j = 1; j <= vars; ++j) degree += t.TermExp(i, j);
        std::string text;
        if (c < 0)
            text = "-";
        else if (c > 0 && i != 1)
            text = "+";
        const float a = std::fabs(c);
        if (degree == 0) {
            text += ItemForm(a);
        } else {
            if (a > 1) text += ItemForm(a);
            text += Monomial(e, t.TermExp, i);
        }
        e.Print(text);
    }
}

}  // namespace yinshi
