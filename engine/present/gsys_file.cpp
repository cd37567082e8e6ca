#include "present/gsys_file.hpp"

#include <array>
#include <optional>
#include <string>

#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "state/engine.hpp"

namespace yinshi {

std::string GsysFileName(float number) { return "gsys" + TextForm(number); }

namespace {

// A gsys file holds two terms of at most seven letters and the letters: a few
// hundred bytes.
constexpr std::size_t kGsysFileCap = std::size_t{1} << 16;

// A gsys file as read, before any of it reaches the engine's tables.
struct GsysTerms {
    int vars = 0;
    std::array<float, 3> coef{};
    std::array<std::array<float, kMaxVars + 1>, 3> exps{};
    std::array<std::string, kMaxVars + 1> names{};
};

std::optional<int> ReadVarCount(TextIn& in) {
    std::optional<float> count = in.Number();
    if (!count || !IsWhole(*count) || *count < 1 || *count > kMaxVars) return std::nullopt;
    return static_cast<int>(*count);
}

// The two terms: each a coefficient and one exponent per variable.
bool ReadTwoTerms(TextIn& in, GsysTerms& g) {
    for (int i = 1; i <= 2; ++i) {
        std::optional<float> c = in.Number();
        if (!c) return false;
        g.coef[i] = *c;
        for (int j = 1; j <= g.vars; ++j) {
            std::optional<float> x = in.Number();
            if (!x) return false;
            g.exps[i][j] = *x;
        }
    }
    return true;
}

bool ReadNames(TextIn& in, GsysTerms& g) {
    for (int j = 1; j <= g.vars; ++j) {
        std::optional<std::string> name = in.Item();
        if (!name || name->empty()) return false;
        g.names[j] = *name;
    }
    return true;
}

void Store(Engine& e, const GsysTerms& g) {
    TermTable& t = e.terms;
    t.TermCount = 2;
    for (int i = 1; i <= 2; ++i) {
        t.TermCoef[i] = g.coef[i];
        for (int j = 1; j <= g.vars; ++j) t.TermExp(i, j) = g.exps[i][j];
    }
    e.vars.VarCount = g.vars;
    for (int j = 1; j <= g.vars; ++j) e.vars.VarName[j] = g.names[j];
}

}  // namespace

bool ReadGsysFile(Engine& e, int number) {
    TextIn in;
    if (!in.Open(e.File(GsysFileName(static_cast<float>(number))), kGsysFileCap)) return false;

    // Everything is read into locals first, so that a damaged file leaves the
    // engine's tables as they were.
    GsysTerms g;
    std::optional<int> vars = ReadVarCount(in);
    if (!vars) return false;
    g.vars = *vars;
    const TermTable& t = e.terms;
    if (t.TermCoef.size() < 3 || t.TermExp.Rows() < 3 || t.TermExp.Cols() <= g.vars) return false;
    if (!ReadTwoTerms(in, g) || !ReadNames(in, g)) return false;
    Store(e, g);
    return true;
}

}  // namespace yinshi
