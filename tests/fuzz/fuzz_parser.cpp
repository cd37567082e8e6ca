// The polynomial text reader on arbitrary bytes: the start-up path (pre-pass,
// tokeniser, loader) and the factor-record path. Nothing may crash, trip a
// sanitizer or a bounds check, or leave a term table outside its limits; and an
// accepted text's terms, printed back as the echo prints them, must read as the
// same polynomial.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "mainline/parser.hpp"
#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "state/allocation.hpp"
#include "test_support.hpp"

namespace {

using namespace yinshi;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

void CheckTable(const Engine& e) {
    const TermTable& t = e.terms;
    Require(t.TermCount >= 0 && t.TermCount <= kMaxTerms);
    Require(e.vars.ParsedVarCount <= kMaxVars && e.vars.VarCount <= kMaxVars);
    for (int i = 1; i <= t.TermCount; ++i) {
        Require(t.TermDen[i] != 0);
        for (int j = 1; j <= e.vars.ParsedVarCount; ++j) {
            float x = t.TermExp(i, j);
            Require(x >= 0 && std::isfinite(x) && IsWhole(x));
        }
    }
}

// The term table, term by term: letters and powers, numerator, denominator.
// Nothing when a number is past what start-up lets through, whose printed form
// need not read back.
using Terms = std::vector<std::tuple<std::vector<std::pair<std::string, float>>, float, float>>;

std::optional<Terms> TableTerms(const Engine& e) {
    const TermTable& t = e.terms;
    Terms terms;
    for (int i = 1; i <= t.TermCount; ++i) {
        const float c = t.TermCoef[i];
        const float d = t.TermDen[i];
        if (!IsWhole(c) || !IsWhole(d) || std::fabs(c) > kCoefLimit || d > kCoefLimit || c == 0) return std::nullopt;
        std::vector<std::pair<std::string, float>> powers;
        for (int j = 1; j <= e.vars.ParsedVarCount; ++j)
            if (t.TermExp(i, j) != 0) powers.emplace_back(e.vars.VarName[j], t.TermExp(i, j));
        std::sort(powers.begin(), powers.end());
        terms.emplace_back(std::move(powers), c, d);
    }
    return terms;
}

// The engine's echo of the table just read, as one line of text.
std::string PrintedBack(Engine& e) {
    e.screen.ClearLog();
    if (e.run.Fractional) {
        PrintFractionTerms(e);
    } else {
        PrintTermTable(e);
    }
    std::string text = e.screen.Log();
    std::erase(text, '\n');
    return text;
}

void Fresh(Engine& e, int stage) {
    AllocateStartup(e);
    e.run.FactorFound = stage != 0;
    e.run.Fractional = false;
    e.screen.ClearLog();
    e.screen.Clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TestEngine t;
    Engine& e = t.e;
    const std::string text(reinterpret_cast<const char*>(data), size);

    Fresh(e, 0);
    e.run.InputText = PrePass(text);
    if (!TokenizeText(e) && !LoadTerms(e)) {
        CheckTable(e);
        if (const std::optional<Terms> read = TableTerms(e)) {
            static testing::TestEngine u;
            Fresh(u.e, 0);
            u.e.run.InputText = PrintedBack(e);
            Require(!TokenizeText(u.e) && !LoadTerms(u.e));
            Require(TableTerms(u.e) == read);
        }
    }

    // The same bytes as a factor record, loaded against the letters just read.
    if (size + 2 <= static_cast<std::size_t>(FactorFile::kMaxText)) {
        int stage = size > 0 ? data[0] & 1 : 0;
        e.run.FactorFound = stage != 0;
        if (e.dj.Open(e.File("dj.dat")) && e.dj.Put(1, "(" + text + ")")) {
            if (!TokenizeFactorRecord(e, 1) && !LoadTerms(e)) CheckTable(e);
        }
        e.dj.Close();
    }
    return 0;
}
