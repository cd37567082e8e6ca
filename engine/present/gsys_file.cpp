#include "present/gsys_file.hpp"

#include <array>
#include <optional>

#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "state/engine.hpp"

namespace yinshi {

std::string GsysFileName(float number) { return "gsys" + TextForm(number); }

bool ReadGsysFile(Engine& e, int number) {
    TextIn in;
    if (!in.Open(e.File(GsysFileName(static_cast<float>(number))))) return false;

    // Everything is read into locals first, so that a damaged file leaves the
    // engine's tables as they were.
    std::optional<float> count = in.Number();
    if (!count || !IsWhole(*count) || *count < 1 || *count > kMaxVars) return false;
    const int vars = static_cast<int>(*count);
    TermTable& t = e.terms;
    if (t.TermCoef.size() < 3 || t.TermExp.Rows() < 3 || t.TermExp.Cols() <= vars) return false;

    std::array<float, 3> coef{};
    std::array<std::array<float, kMaxVars + 1>, 3> exps{};
    for (int i = 1; i <= 2; ++i) {
        std::optional<float> c = in.Number();
        if (!c) return false;
        coef[i] = *c;
        for (int j = 1; j <= vars; ++j) {
            std::optional<float> x = in.Number();
            if (!x) return false;
            exps[i][j] = *x;
        }
    }
    std::array<std::string, kMaxVars + 1> names{};
    for (int j = 1; j <= vars; ++j) {
        std::optional<std::string> name = in.Item();
        if (!name || name->empty()) return false;
        names[j] = *name;
    }

    t.TermCount = 2;
    for (int i = 1; i <= 2; ++i) {
        t.TermCoef[i] = coef[i];
        for (int j = 1; j <= vars; ++j) t.TermExp(i, j) = exps[i][j];
    }
    e.vars.VarCount = static_cast<float>(vars);
    for (int j = 1; j <= vars; ++j) e.vars.VarName[j] = names[j];
    return true;
}

}  // namespace yinshi
