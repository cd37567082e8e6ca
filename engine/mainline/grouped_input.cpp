#include "mainline/grouped_input.hpp"

#include <array>
#include <string>

#include "mainline/parser.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

struct Pair {
    const char* chinese;
    const char* english;
};

// What could not be read, in both languages, in the order of ReadProblem; "@"
// stands for the place, "#" for the character.
constexpr std::array<Pair, 14> kWhy{{
    {"", ""},
    {"无法识别的字符 “#”（第 @ 个字符）", "Cannot read \"#\" at character @."},
    {"括号不配对（第 @ 个字符）", "Unbalanced parenthesis at character @."},
    {"缺少指数（第 @ 个字符）", "Exponent missing at character @."},
    {"指数应为 1 到 9999999 的整数，不以 0 开头（第 @ 个字符）",
     "An exponent must be a whole number from 1 to 9999999, not starting with 0 (character @)."},
    {"此处应为字母，却是数字（第 @ 个字符）", "A number where a letter was expected at character @."},
    {"符号后面缺少项（第 @ 个字符）", "A sign with no term after it at character @."},
    {"缺少项（第 @ 个字符）", "A term is missing at character @."},
    {"系数为零（第 @ 个字符）", "A coefficient of zero at character @."},
    {"分母缺少或为零（第 @ 个字符）", "A denominator missing or zero at character @."},
    {"一个数中有两个 “/”（第 @ 个字符）", "A second \"/\" in one number at character @."},
    {"一项中的字母多于六个（第 @ 个字符）", "More than six letters in one term (character @)."},
    {"不同的字母多于七个（第 @ 个字符）", "More than seven different letters (character @)."},
    {"指数太高了（最高 9999999，第 @ 个字符）", "An exponent is too high (at most 9999999, character @)."},
}};

static_assert(kWhy.size() == static_cast<std::size_t>(ReadProblem::ExpansionTooBig), "one pair per fault of the text");

Pair Why(ReadProblem problem) {
    const auto i = static_cast<std::size_t>(problem);
    return i < kWhy.size() ? kWhy[i] : kWhy[0];
}

// The pair with the place and the character filled in.
std::string Filled(std::string text, const ExpressionRead& r) {
    const std::string place = std::to_string(r.position);
    if (auto at = text.find('#'); at != std::string::npos) text.replace(at, 1, r.character);
    if (auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, place);
    return text;
}

bool IsLimit(ReadProblem p) {
    return p == ReadProblem::ExpansionTooBig || p == ReadProblem::ExpansionTooManyTerms ||
           p == ReadProblem::ExpansionPowerTooHigh;
}

void SayWhy(Engine& e, const ExpressionRead& r) {
    const Pair why = Why(r.problem);
    if (*why.chinese == '\0') return;
    if (r.position == 0) {  // a fault of the expansion as a whole
        e.PrintLine("展开后一项中的字母多于六个");
        e.PrintLine("A term of the expanded polynomial has more than six letters.");
        return;
    }
    ExpressionRead shown = r;
    if (r.problem == ReadProblem::Character && r.character.empty()) shown.problem = ReadProblem::TermMissing;
    const Pair told = Why(shown.problem);
    e.PrintLine(Filled(told.chinese, shown));
    e.PrintLine(Filled(told.english, shown));
}

At PastLimit(Engine& e, ReadProblem problem) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    if (problem == ReadProblem::ExpansionTooManyTerms) {
        e.PrintLine("展开后项数太多了! (最多 20 项)");
        e.PrintLine("The expanded polynomial has too many terms (at most 20).");
        return At::EndPrompt;
    }
    if (problem == ReadProblem::ExpansionPowerTooHigh) {
        e.PrintLine("展开后次数太高了! (最高 9999999)");
        e.PrintLine("The expanded polynomial's powers are too high (at most 9999999).");
        return At::EndPrompt;
    }
    return ExpansionTooBig(e);
}

}  // namespace

bool HasGroups(std::string_view text) { return text.find_first_of("()") != std::string_view::npos; }

void ExplainInputError(Engine& e, std::string_view text) {
    const ExpressionRead r = ReadExpression(text);
    if (r.problem != ReadProblem::None && !IsLimit(r.problem)) SayWhy(e, r);
}

At ExpansionTooBig(Engine& e) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    e.PrintLine("展开后的数太大了! (最大 9999999)");
    e.PrintLine("The expanded polynomial's numbers are too big (at most 9999999).");
    return At::EndPrompt;
}

Next ExpandInput(Engine& e, const std::string& typed) {
    ExpressionRead r = ReadExpression(e.run.InputText);
    if (r.problem == ReadProblem::None) r.problem = ExpansionLimits(r.poly);
    if (IsLimit(r.problem)) return PastLimit(e, r.problem);
    if (r.problem != ReadProblem::None) {
        const At next = InputError(e);
        SayWhy(e, r);
        return next;
    }
    if (!r.poly.terms.empty()) {
        e.run.InputText = SpellExpansion(r.poly, r.letters);
        return std::nullopt;
    }
    // Nothing is left to parse: the transcript says what was typed and that it is zero.
    if (!e.jg.Create(e.File(e.run.ResultFile))) {
        e.FileFailed(e.run.ResultFile, true);
        return At::FileProblem;
    }
    e.jg.Write(typed);
    e.jg.Write("=0");
    e.PrintLine("=0");
    return At::CloseAll;
}

}  // namespace yinshi
