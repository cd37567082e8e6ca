// The engine's own work files read back from arbitrary bytes, as a damaged or
// foreign file would be: the factor file dj.dat (record and factor text), a
// gsys queue file, a pl order file and the product line of the transcript
// jg.dat. The first byte picks the reader.
// Nothing may crash, trip a sanitizer or a bounds check, or leave the tables
// outside their limits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "mainline/parser.hpp"
#include "platform/number_form.hpp"
#include "present/gsys_file.hpp"
#include "results/certificate.hpp"
#include "search/subsets.hpp"
#include "state/allocation.hpp"
#include "test_support.hpp"
#include "transcript_format/transcript_lines.hpp"

namespace {

using namespace yinshi;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

void CheckTerms(const Engine& e) {
    const TermTable& t = e.terms;
    Require(t.TermCount >= 0 && t.TermCount <= kMaxTerms);
    Require(e.vars.VarCount >= 0 && e.vars.VarCount <= kMaxVars);
}

void FactorFileBytes(testing::TestEngine& t, const std::string& bytes) {
    Engine& e = t.e;
    t.dir.Write("dj.dat", bytes);
    if (!e.dj.Open(e.File("dj.dat"))) return;
    for (int record = 1; record <= 3; ++record) {
        e.run.FactorFound = (record & 1) != 0;
        if (!TokenizeFactorRecord(e, record) && !LoadTerms(e, TermSource::FactorRecord)) CheckTerms(e);
    }
    e.dj.Close();
}

void GsysBytes(testing::TestEngine& t, const std::string& bytes) {
    Engine& e = t.e;
    t.dir.Write(GsysFileName(1), bytes);
    if (!ReadGsysFile(e, 1)) return;
    CheckTerms(e);
    Require(e.terms.TermCount == 2);
    for (int j = 1; j <= e.vars.VarCount; ++j) Require(!e.vars.VarName[j].empty());
}

void PlBytes(testing::TestEngine& t, const std::string& bytes) {
    Engine& e = t.e;
    t.SetTerms({"a", "b", "c"}, {{1, 2, 1, 0}, {3, 0, 2, 1}, {-5, 1, 0, 3}});
    e.vars.VarMaxExpKeep = {0, 2, 2, 3, 0, 0, 0, 0};
    e.orderFiles.PlOut = "pl2";
    t.dir.Write("pl2", bytes);
    const VariableOrder kept = ChooseVariableOrder(e);
    for (std::size_t m = 1; m <= 3; ++m) {
        float v = kept.order[m];
        Require(v >= 1 && v <= 3 && IsWhole(v));
    }
    Require(e.dense.Degree >= 0);
}

// Every factor read back must have a term.
void ProductBytes(const std::string& bytes) {
    const TranscriptEnding ending = EndingOf(bytes);
    if (!ending.LastProduct()) return;
    const auto factors = ReadProductLine(*ending.LastProduct());
    if (!factors) return;
    for (const ProductFactor& f : *factors) Require(!f.poly.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TestEngine t;
    if (size == 0) return 0;
    AllocateStartup(t.e);
    t.e.screen.ClearLog();
    t.e.fault.reset();
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0: FactorFileBytes(t, bytes); break;
        case 1: GsysBytes(t, bytes); break;
        case 2: PlBytes(t, bytes); break;
        default: ProductBytes(bytes); break;
    }
    return 0;
}
