#include "mainline/further_solutions.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "state/allocation.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;
using testing::TempDir;

// A polynomial as a list of terms: coefficient and one exponent per variable.
using Term = std::pair<float, std::vector<float>>;
using Poly = std::vector<Term>;

// Records the background colour in force each time a question waits for a key.
class RecordingKeyboard final : public Keyboard {
public:
    RecordingKeyboard(const Screen& s, std::string keys) : screen_(s), keys_(std::move(keys)) {}
    std::optional<char> Poll() override { return std::nullopt; }
    char Wait() override {
        backgrounds.push_back(screen_.Background());
        if (next_ >= keys_.size()) return '\0';
        return keys_[next_++];
    }
    std::vector<int> backgrounds;

private:
    const Screen& screen_;
    std::string keys_;
    std::size_t next_ = 0;
};

struct FurtherRig {
    TempDir dir;
    Screen screen;
    RecordingKeyboard keys;
    FakeClock clock;
    Poller poller{1};
    ScreenSearchReport report{screen};
    Engine e{screen, keys, clock, dir.Path(), poller, report};

    explicit FurtherRig(const std::string& script, std::vector<std::string> letters = {"x"}) : keys(screen, script) {
        AllocateStartup(e);
        AllocateAnotherSolution(e);
        e.vars.VarCount = e.vars.ParsedVarCount = static_cast<int>(letters.size());
        for (std::size_t j = 0; j < letters.size(); ++j)
            e.vars.VarName[j + 1] = e.vars.VarNameParsed[j + 1] = letters[j];
    }

    // Files the factor texts as records 1.. of dj.dat, as the closing does, and leaves it open.
    void File(const std::vector<std::string>& factors) {
        ASSERT_TRUE(e.dj.Open(e.File("dj.dat")));
        for (std::size_t r = 0; r < factors.size(); ++r) ASSERT_TRUE(e.dj.Put(static_cast<int>(r) + 1, factors[r]));
        e.run.ItemCount = static_cast<int>(factors.size());
    }

    void SetTable(const Poly& p) {
        e.terms.TermCount = static_cast<int>(p.size());
        for (std::size_t i = 0; i < p.size(); ++i) {
            e.terms.TermCoef[i + 1] = p[i].first;
            for (std::size_t j = 0; j < p[i].second.size(); ++j)
                e.terms.TermExp(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = p[i].second[j];
        }
    }
    void SetProduct(const Poly& p) {
        e.run.ProdCount = static_cast<float>(p.size());
        for (std::size_t i = 0; i < p.size(); ++i) {
            e.further.ProdCoef[i + 1] = p[i].first;
            for (std::size_t j = 0; j < p[i].second.size(); ++j)
                e.further.ProdExp(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = p[i].second[j];
        }
    }
    void SetReference(const Poly& p) {
        e.further.RefCount = static_cast<float>(p.size());
        for (std::size_t i = 0; i < p.size(); ++i) {
            e.further.RefCoef[i + 1] = p[i].first;
            for (std::size_t j = 0; j < p[i].second.size(); ++j)
                e.further.RefExp(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = p[i].second[j];
        }
    }

    Poly Table() const {
        return Read(
            e.terms.TermCount, [&](int i) { return e.terms.TermCoef[i]; }, e.terms.TermExp);
    }
    Poly Product() const {
        return Read(
            e.run.ProdCount, [&](int i) { return e.further.ProdCoef[i]; }, e.further.ProdExp);
    }
    Poly Reference() const {
        return Read(
            e.further.RefCount, [&](int i) { return e.further.RefCoef[i]; }, e.further.RefExp);
    }

    // How often a text occurs in everything printed.
    int Count(const std::string& text) const {
        int n = 0;
        for (std::size_t at = screen.Log().find(text); at != std::string::npos; at = screen.Log().find(text, at + 1))
            ++n;
        return n;
    }

private:
    template <typename Coef>
    Poly Read(float count, Coef coef, const FloatGrid& exps) const {
        Poly p;
        const int vars = e.vars.VarCount;
        for (int i = 1; i <= static_cast<int>(count); ++i) {
            std::vector<float> x;
            for (int j = 1; j <= vars; ++j) x.push_back(exps(i, j));
            p.push_back({coef(i), x});
        }
        return p;
    }
};

// Product of polynomials as a monomial -> coefficient map, for checking D * C.
std::map<std::vector<float>, float> Expand(const std::vector<Poly>& factors) {
    std::map<std::vector<float>, float> acc{{{}, 1.0f}};
    for (const Poly& f : factors) {
        std::map<std::vector<float>, float> next;
        for (const auto& [mono, c] : acc)
            for (const auto& [fc, fe] : f) {
                std::vector<float> m = fe;
                for (std::size_t j = 0; j < mono.size(); ++j) m[j] += mono[j];
                next[m] += c * fc;
            }
        acc.clear();
        for (const auto& [m, c] : next)
            if (c != 0) acc[m] = c;
    }
    return acc;
}

// ---- Product arithmetic ----------------------------------------------------

TEST(FurtherProduct, EmptyProductTakesTheTableThenMultipliesTermByTerm) {
    FurtherRig rig("");
    rig.SetTable({{1, {1}}, {2, {0}}});
    EXPECT_EQ(MultiplyIntoProduct(rig.e), std::nullopt);
    EXPECT_EQ(rig.Product(), (Poly{{1, {1}}, {2, {0}}}));

    rig.SetTable({{1, {1}}, {3, {0}}});
    EXPECT_EQ(MultiplyIntoProduct(rig.e), std::nullopt);
    // x^2 + 3x + 2x + 6 gathered in place of the first x term.
    EXPECT_EQ(rig.Product(), (Poly{{1, {2}}, {5, {1}}, {6, {0}}}));
    EXPECT_EQ(rig.screen.Log(), "");
}

TEST(FurtherProduct, LikeTermsThatCancelLeaveFewerTermsInFirstOccurrenceOrder) {
    FurtherRig rig("", {"a", "b"});
    // b + ab - b + 2ba + a^2: the b terms cancel, ab and ba merge.
    rig.SetTable({{1, {0, 1}}, {1, {1, 1}}, {-1, {0, 1}}, {2, {1, 1}}, {1, {2, 0}}});
    CollectLikeTerms(rig.e);
    EXPECT_EQ(rig.Table(), (Poly{{3, {1, 1}}, {1, {2, 0}}}));

    // (x + 1)(x - 1) through the product: the x terms cancel.
    FurtherRig one("");
    one.SetProduct({{1, {1}}, {1, {0}}});
    one.SetTable({{1, {1}}, {-1, {0}}});
    ASSERT_EQ(MultiplyIntoProduct(one.e), std::nullopt);
    EXPECT_EQ(one.Product(), (Poly{{1, {2}}, {-1, {0}}}));

    // Everything cancels: no terms at all.
    one.SetTable({{2, {1}}, {-2, {1}}});
    CollectLikeTerms(one.e);
    EXPECT_EQ(one.e.terms.TermCount, 0);
}

// ---- Table limits ----------------------------------------------------------

Poly Powers(int count, int step = 1) {
    Poly p;
    for (int k = 0; k < count; ++k) p.push_back({1, {static_cast<float>(k * step)}});
    return p;
}

TEST(FurtherLimits, RawProductOver101EntriesIsRefusedBeforeAnythingIsWritten) {
    FurtherRig rig("");
    ASSERT_TRUE(rig.e.dj.Open(rig.e.File("dj.dat")));
    rig.SetProduct(Powers(51));
    rig.SetTable({{1, {100}}, {1, {0}}});
    rig.e.dense.PolyKeep[1] = 77;
    EXPECT_EQ(MultiplyIntoProduct(rig.e), At::EndPrompt);
    EXPECT_EQ(rig.e.dense.PolyKeep[1], 77);
    EXPECT_EQ(rig.e.run.ProdCount, 51);
    EXPECT_NE(rig.screen.Log().find("The product has too many terms!"), std::string::npos);
    EXPECT_FALSE(rig.e.dj.IsOpen());
}

TEST(FurtherLimits, ExactlyTheTableSizesAreAccepted) {
    // 101 raw entries that gather into one term.
    FurtherRig raw("");
    raw.SetProduct({{1, {0}}});
    raw.SetTable(Poly(101, Term{1, {1}}));
    EXPECT_EQ(MultiplyIntoProduct(raw.e), std::nullopt);
    EXPECT_EQ(raw.Product(), (Poly{{101, {1}}}));

    // 17 x 3 distinct monomials: 51 product terms.
    FurtherRig terms("");
    terms.SetProduct(Powers(17));
    terms.SetTable({{1, {0}}, {1, {100}}, {1, {200}}});
    EXPECT_EQ(MultiplyIntoProduct(terms.e), std::nullopt);
    EXPECT_EQ(terms.e.run.ProdCount, 51);
}

TEST(FurtherLimits, ProductOver51TermsIsRefused) {
    FurtherRig rig("");
    rig.SetProduct(Powers(26));
    rig.SetTable({{1, {0}}, {1, {100}}});
    EXPECT_EQ(MultiplyIntoProduct(rig.e), At::EndPrompt);
    EXPECT_EQ(rig.e.run.ProdCount, 26);
    EXPECT_NE(rig.screen.Log().find("乘 积 的 项 数 太 多 ！\nThe product has too many terms!\n"), std::string::npos);
}

// ---- Display ---------------------------------------------------------------

TEST(FurtherDisplay, PrintTermPolyWritesSignsCoefficientsAndPowers) {
    FurtherRig rig("", {"a", "b"});
    rig.SetTable({{-1, {2, 0}}, {3, {1, 1}}, {1, {0, 1}}, {-1, {0, 0}}, {1, {0, 0}}});
    PrintTermPoly(rig.e);
    EXPECT_EQ(rig.screen.Log(), Blanks("-a^␣2␣+␣3␣ab+b-␣1␣+␣1␣"));
}

TEST(FurtherDisplay, WorkingShowsGatheredDistributedAndFactorLines) {
    // C = x - 2 (the product) times D = x - 3 (the reference).
    FurtherRig rig("");
    rig.SetProduct({{1, {1}}, {-2, {0}}});
    rig.SetReference({{1, {1}}, {-3, {0}}});
    rig.SetTable({{1, {1}}, {-3, {0}}});
    ASSERT_EQ(MultiplyIntoProduct(rig.e, ProductUse::Show), std::nullopt);
    EXPECT_EQ(rig.screen.Log(), Blanks("\n"
                                       "=(␣1␣)x^␣2␣+(-3␣␣-2␣)x+(␣6␣)\n"
                                       "\n"
                                       "=(␣1␣x^␣2␣-3␣x)+(-2␣x+␣6␣)\n"
                                       "\n"
                                       "=(x-␣3␣)(x-␣2␣)\n"));
    // The product is the cofactor being shown; it is not replaced.
    EXPECT_EQ(rig.Product(), (Poly{{1, {1}}, {-2, {0}}}));
}

TEST(FurtherDisplay, GatheredLineStartsALoneLastTermWithPlus) {
    FurtherRig rig("", {"a", "b"});
    rig.SetProduct({{2, {1, 0}}});
    rig.SetReference({{-1, {0, 1}}});
    rig.SetTable({{-1, {0, 1}}});
    ASSERT_EQ(MultiplyIntoProduct(rig.e, ProductUse::Show), std::nullopt);
    EXPECT_EQ(rig.screen.RowText(2), Blanks("=+(-2␣)ab"));
}

// ---- Comparison with the reference -----------------------------------------

TEST(FurtherCompare, AnEmptyProductEqualsOnlyAnEmptyReference) {
    FurtherRig same("y");
    same.e.further.RefCount = 0;
    same.e.run.ProdCount = 0;
    same.e.run.SolutionCounter = 1;
    EXPECT_EQ(CompareAndShow(same.e, {}), std::nullopt);
    EXPECT_EQ(same.e.run.SolutionCounter, 1);

    // Against a one-term reference it is a new solution (no records to multiply).
    FurtherRig other("y");
    other.SetReference({{1, {1}}});
    other.e.run.ProdCount = 0;
    other.e.run.SolutionCounter = 1;
    EXPECT_EQ(CompareAndShow(other.e, {}), std::nullopt);
    EXPECT_EQ(other.e.run.SolutionCounter, 2);
    EXPECT_EQ(other.e.further.RefCount, 0);

    // A product that differs only in an exponent is different.
    FurtherRig exps("y");
    exps.SetReference({{1, {2}}});
    exps.SetProduct({{1, {1}}});
    exps.e.run.SolutionCounter = 1;
    EXPECT_EQ(CompareAndShow(exps.e, {}), std::nullopt);
    EXPECT_EQ(exps.e.run.SolutionCounter, 2);
}

// ---- The whole mode on dj.dat -----------------------------------------------

TEST(FurtherMode, FirstFurtherSolutionIsNumbered2AndMultipliesBackToTheInput) {
    FurtherRig rig("n");
    rig.File({"(x+2)", "(x+3)", "(x+4)"});
    EXPECT_EQ(StartAnotherSolution(rig.e), At::EndPrompt);
    EXPECT_EQ(rig.e.run.SolutionCounter, 2);
    const std::string& log = rig.screen.Log();
    const std::size_t at = log.find("Solution");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(log.substr(at), Blanks("Solution␣2␣\n"
                                     "......\n"
                                     "=(␣1␣)x^␣3␣+(␣3␣␣␣6␣)x^␣2␣+(␣18␣␣␣8␣)x+(␣24␣)\n"
                                     "\n"
                                     "=(␣1␣x^␣3␣+␣3␣x^␣2␣)+(␣6␣x^␣2␣+␣18␣x)+(␣8␣x+␣24␣)\n"
                                     "\n"
                                     "=(x+␣3␣)(x^␣2␣+␣6␣x+␣8␣)\n"
                                     "\n"
                                     "要   看   下   一   种    解    法    吗 \n"
                                     "do you want to look at another solution? y/n\n"
                                     "ok!\n"));
    // The working is red on white, the question white on the counter's colour.
    for (int row = 1; row <= Screen::kScrollRows; ++row) {
        if (rig.screen.RowText(row).rfind("Solution", 0) == 0) {
            EXPECT_EQ(rig.screen.At(row, 1).fg, 4);
            EXPECT_EQ(rig.screen.At(row, 1).bg, 7);
        }
        if (rig.screen.RowText(row).rfind("do you want", 0) == 0) {
            EXPECT_EQ(rig.screen.At(row, 1).bg, 2);
        }
    }
    // D and C multiply back to x^3 + 9x^2 + 26x + 24.
    std::map<std::vector<float>, float> input{{{3}, 1}, {{2}, 9}, {{1}, 26}, {{0}, 24}};
    EXPECT_EQ(Expand({rig.Reference(), rig.Product()}), input);
    EXPECT_FALSE(rig.e.dj.IsOpen());
}

TEST(FurtherMode, YesWalksEverySubsetAndUpperCaseYGoesOnToo) {
    FurtherRig rig("yYyYy");
    rig.File({"(x+2)", "(x+3)", "(x+4)"});
    // {1} is the reference; {2}, {3}, {1,2}, {1,3}, {2,3} are solutions 2..6.
    EXPECT_EQ(StartAnotherSolution(rig.e), std::nullopt);
    EXPECT_EQ(rig.e.run.SolutionCounter, 6);
    EXPECT_EQ(rig.Count("Solution"), 5);
    EXPECT_EQ(rig.Count("ok!"), 0);
    EXPECT_NE(rig.screen.Log().find(Blanks("Solution␣6␣\n")), std::string::npos);
    // Solution 6 is D = (x+3)(x+4), C = x+2.
    EXPECT_NE(rig.screen.Log().find(Blanks("=(x^␣2␣+␣7␣x+␣12␣)(x+␣2␣)\n")), std::string::npos);
    EXPECT_TRUE(rig.e.dj.IsOpen());
}

TEST(FurtherMode, AnyOtherKeyEndsAfterTheFirstSolution) {
    for (char key : {'n', 'q', '\0'}) {
        FurtherRig rig(std::string(1, key) + "yyyy");
        rig.File({"(x+2)", "(x+3)", "(x+4)"});
        EXPECT_EQ(StartAnotherSolution(rig.e), At::EndPrompt) << int(key);
        EXPECT_EQ(rig.Count("Solution"), 1);
        EXPECT_EQ(rig.Count("ok!"), 1);
        EXPECT_FALSE(rig.e.dj.IsOpen());
    }
}

TEST(FurtherMode, ASubsetEqualToTheLastSolutionShowsNothing) {
    FurtherRig rig("yyyyyy");
    rig.File({"(x+1)", "(x+1)", "(x+2)"});
    // {1} and {2} equal the reference x+1; {2,3} equals {1,3} just shown.
    EXPECT_EQ(StartAnotherSolution(rig.e), std::nullopt);
    EXPECT_EQ(rig.e.run.SolutionCounter, 4);
    EXPECT_EQ(rig.Count("Solution"), 3);
    EXPECT_EQ(rig.keys.backgrounds.size(), 3u);
}

TEST(FurtherMode, QuestionBackgroundFollowsTheSolutionNumberWithWhiteAsBlue) {
    FurtherRig rig(std::string(13, 'y'));
    rig.File({"(x+1)", "(x+2)", "(x+3)", "(x+4)"});
    EXPECT_EQ(StartAnotherSolution(rig.e), std::nullopt);
    // Solutions 2..14: 3 singles, 6 pairs, 4 triples.
    ASSERT_EQ(rig.keys.backgrounds.size(), 13u);
    EXPECT_EQ(rig.keys.backgrounds[0], 2);  // solution 2
    EXPECT_EQ(rig.keys.backgrounds[5], 1);  // solution 7
    EXPECT_EQ(rig.keys.backgrounds[6], 0);  // solution 8
    EXPECT_EQ(rig.keys.backgrounds[7], 1);  // solution 9
    EXPECT_EQ(rig.Count("Solution"), 13);
}

TEST(FurtherMode, TwoVariablesKeepTheParsedOrder) {
    FurtherRig rig("n", {"a", "b"});
    rig.File({"(a+b)", "(a-b)"});
    rig.e.vars.VarCount = 1;  // as the search left it
    rig.e.vars.VarName[1] = "b";
    EXPECT_EQ(StartAnotherSolution(rig.e), At::EndPrompt);
    EXPECT_EQ(rig.e.vars.VarName[1], "a");
    EXPECT_EQ(rig.Count("Solution"), 1);
    EXPECT_NE(rig.screen.Log().find("=(a-b)(a+b)\n"), std::string::npos);
    std::map<std::vector<float>, float> input{{{2, 0}, 1}, {{0, 2}, -1}};
    EXPECT_EQ(Expand({rig.Reference(), rig.Product()}), input);
}

TEST(FurtherMode, FewerThanTwoRecordsCountAsNo) {
    FurtherRig rig("y");
    // An earlier run's records are still in dj.dat, but this run filed one.
    rig.File({"(x+2)", "(x+3)"});
    rig.e.run.ItemCount = 1;
    EXPECT_EQ(StartAnotherSolution(rig.e), std::nullopt);
    EXPECT_EQ(rig.screen.Log(), "");
    EXPECT_FALSE(rig.dir.Exists("DXS1.DAT"));
}

TEST(FurtherMode, ARecordThatFailsToParseEndsTheRun) {
    FurtherRig first("y");
    first.File({"(x*2)", "(x+3)"});
    EXPECT_EQ(StartAnotherSolution(first.e), At::EndPrompt);
    EXPECT_EQ(first.Count("Solution"), 0);

    // A cofactor record with 21 terms: the mode ends, the run goes on to its certificate.
    std::string big = "(x";
    for (int k = 1; k <= 20; ++k) big += "+" + std::to_string(k);
    FurtherRig cofactor("y");
    cofactor.File({"(x+1)", "(x+2)", big + ")"});
    EXPECT_EQ(StartAnotherSolution(cofactor.e), At::CloseAll);
    EXPECT_EQ(cofactor.Count("Solution"), 0);
    EXPECT_EQ(cofactor.Count("A factor is too long for further solutions"), 1);
    EXPECT_EQ(cofactor.Count("too many terms"), 0);
}

}  // namespace
}  // namespace yinshi
