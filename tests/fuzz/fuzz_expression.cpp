// The reader of polynomials with parentheses on arbitrary bytes: nothing may
// crash or trip a sanitizer; a fault is placed inside the text; and an
// expansion within the limits, spelled out, reads back as itself, through
// this reader and through the plain parser alike.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mainline/expression.hpp"
#include "mainline/parser.hpp"
#include "state/allocation.hpp"
#include "test_support.hpp"

namespace {

using namespace yinshi;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

std::size_t Characters(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ExpressionRead read = ReadExpression(text);
    if (read.problem != ReadProblem::None) {
        Require(read.position >= 1 && read.position <= Characters(text) + 1);
        return 0;
    }
    if (ExpansionLimits(read.poly) != ReadProblem::None || read.poly.terms.empty()) return 0;
    const std::string spelled = SpellExpansion(read.poly, read.letters);
    const ExpressionRead again = ReadExpression(spelled);
    Require(again.problem == ReadProblem::None);
    Require(again.poly.terms == read.poly.terms && again.poly.den == read.poly.den);

    static testing::TestEngine t;
    AllocateStartup(t.e);
    t.e.run.Fractional = false;
    t.e.screen.ClearLog();
    t.e.run.InputText = spelled;
    Require(!TokenizeText(t.e) && !LoadTerms(t.e));
    Require(t.e.terms.TermCount == static_cast<int>(read.poly.terms.size()));
    return 0;
}
