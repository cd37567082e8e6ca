#include "test_support.hpp"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <random>

#include "platform/text_file.hpp"

namespace yinshi::testing {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("yinshi-test-" + std::to_string(::getpid()) + "-" +
                                                      std::to_string(counter++) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Read(const std::string& name) const {
    return ReadWholeFile(path_ / name, std::size_t{1} << 30).value_or(std::string());
}

void TempDir::Write(const std::string& name, const std::string& bytes) const { WriteWholeFile(path_ / name, bytes); }

bool TempDir::Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

void TestEngine::SetDense(const std::vector<float>& ascending) {
    int n = static_cast<int>(ascending.size()) - 1;
    AllocateDegreeSized(e, n);
    for (int k = 0; k <= n; ++k) {
        e.dense.PolyCoef[k] = ascending[k];
        e.dense.PolyKeep[k] = ascending[k];
        e.dense.PolyWork[k] = ascending[k];
    }
    e.dense.Degree = n;
    e.dense.DegreeKeep = n;
    e.vars.VarCount = 1;
    e.vars.ParsedVarCount = 1;
    e.vars.VarName[1] = "x";
    e.vars.VarNameParsed[1] = "x";
}

void TestEngine::SetTerms(const std::vector<std::string>& vars, const std::vector<std::vector<float>>& rows) {
    e.vars.VarCount = static_cast<int>(vars.size());
    for (std::size_t j = 0; j < vars.size(); ++j) e.vars.VarName[j + 1] = vars[j];
    e.terms.TermCount = static_cast<int>(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        e.terms.TermCoef[i + 1] = rows[i][0];
        for (std::size_t j = 1; j < rows[i].size(); ++j)
            e.terms.TermExp(static_cast<int>(i + 1), static_cast<int>(j)) = rows[i][j];
    }
}

void TestEngine::OpenTranscript() { e.jg.Create(e.File("jg.dat")); }

std::string TestEngine::CloseAndReadTranscript() {
    e.jg.Close();
    return dir.Read("jg.dat");
}

std::string Blanks(const std::string& s) {
    std::string out;
    const std::string mark = "\u2423";
    for (std::size_t i = 0; i < s.size();) {
        if (s.compare(i, mark.size(), mark) == 0) {
            out += ' ';
            i += mark.size();
        } else {
            out += s[i++];
        }
    }
    return out;
}

}  // namespace yinshi::testing
