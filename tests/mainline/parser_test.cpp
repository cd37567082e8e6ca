#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mainline/parser.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

// DXS1.DAT in short: items separated by ",", each term closed by ";" (the
// separator line), "␣" for a blank.
std::string ItemFile(const std::string& shorthand) {
    std::string out, item;
    for (char c : Blanks(shorthand)) {
        if (c == ',' || c == ';') {
            if (!item.empty()) out += "\"" + item + "\"\r\n";
            item.clear();
            if (c == ';') out += "\"+\",\"+\"\r\n";
        } else {
            item += c;
        }
    }
    return out;
}

std::string Terms(int n) {
    std::string s = "x";
    for (int i = 1; i < n; ++i) s += "+" + std::to_string(i);
    return s;
}

enum class Outcome { Accepted, InputError, EndedSilently };

struct Parsed {
    Next tokenized, loaded;
    Outcome outcome;
};

Parsed Parse(testing::TestEngine& t, const std::string& text) {
    t.e.run.InputText = text;
    Parsed r{TokenizeText(t.e), std::nullopt, Outcome::Accepted};
    if (!r.tokenized) r.loaded = LoadTerms(t.e);
    bool message = t.screen.Log().find("输入错误！") != std::string::npos;
    if (r.tokenized || r.loaded) r.outcome = message ? Outcome::InputError : Outcome::EndedSilently;
    return r;
}

TEST(Parser, ItemFileOfTheExampleByteForByte) {
    const std::string expected =
        "\"1\"\r\n\"x\"\r\n\" 3\"\r\n\"+\",\"+\"\r\n"
        "\"9\"\r\n\"x\"\r\n\" 2\"\r\n\"+\",\"+\"\r\n"
        "\"26\"\r\n\"x\"\r\n\"1\"\r\n\"+\",\"+\"\r\n"
        "\"24\"\r\n\"+\",\"+\"\r\n";
    for (const char* text : {"x^3+9x^2+26x+24", "x3+9x2+26x+24", "x ^ 3 + 9x'2 + 26x + 24"}) {
        testing::TestEngine t;
        Parsed r = Parse(t, text);
        ASSERT_EQ(r.outcome, Outcome::Accepted) << text;
        EXPECT_EQ(t.dir.Read("DXS1.DAT"), expected) << text;
        EXPECT_EQ(t.e.terms.TermCount, 4);
        EXPECT_EQ(t.e.vars.VarCount, 1);
        EXPECT_EQ(t.e.vars.VarName[1], "x");
        const float coef[] = {1, 9, 26, 24}, exp[] = {3, 2, 1, 0};
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(t.e.terms.TermCoef[i], coef[i - 1]);
            EXPECT_EQ(t.e.terms.TermDen[i], 1);
            EXPECT_EQ(t.e.terms.TermExp(i, 1), exp[i - 1]);
        }
    }
}

TEST(Parser, EdgeCases) {
    const struct {
        std::string text;
        Outcome outcome;
        const char* items;  // DXS1.DAT when accepted
    } cases[] = {
        {"a2c", Outcome::Accepted, "1,a,␣2,c,1;"},
        {"-x^2+1", Outcome::Accepted, "-1,x,␣2;1;"},
        {"x-1", Outcome::Accepted, "1,x,1;-1;"},
        {"3/2x", Outcome::Accepted, "3/2,x,1;"},
        {"-1/6y", Outcome::Accepted, "-1/6,y,1;"},
        {".5x", Outcome::Accepted, ".5,x,1;"},
        {"d2", Outcome::Accepted, "1,d,␣2;"},
        {"d^2", Outcome::Accepted, "1,d,␣2;"},
        {"2d+1", Outcome::Accepted, "2,d,␣1;1;"},
        {"e-x", Outcome::Accepted, "1,e,␣1;-1,x,1;"},
        {"x12y", Outcome::Accepted, "1,x,␣12,y,1;"},
        {"x2x", Outcome::Accepted, "1,x,␣2,x,1;"},
        {"abcdef", Outcome::Accepted, "1,a,1,b,1,c,1,d,1,e,1,f,1;"},
        {Terms(20), Outcome::Accepted, nullptr},
        {"1.5x", Outcome::InputError, nullptr},
        {"0x", Outcome::InputError, nullptr},
        {"-0x", Outcome::InputError, nullptr},
        {"x0", Outcome::InputError, nullptr},
        {"x^0", Outcome::InputError, nullptr},
        {"x^-1", Outcome::InputError, nullptr},
        {"x^02", Outcome::InputError, nullptr},
        {"(x+1)", Outcome::InputError, nullptr},
        {"2*x", Outcome::InputError, nullptr},
        {"", Outcome::InputError, nullptr},
        {"x+", Outcome::InputError, nullptr},
        {"x-", Outcome::InputError, nullptr},  // a sign is never a term of its own
        {"x--y", Outcome::InputError, nullptr},
        {"+x", Outcome::Accepted, "1,x,1;"},
        {"3/x", Outcome::InputError, nullptr},
        {"3/0x", Outcome::InputError, nullptr},
        {"abcdefg", Outcome::InputError, nullptr},          // a seventh factor in one term
        {"a+b+c+d+f+g+h+k", Outcome::InputError, nullptr},  // an eighth letter
        {"x^1.5", Outcome::InputError, nullptr},            // exponents are whole numbers
        {"x2.5", Outcome::InputError, nullptr},
        {"x:", Outcome::InputError, nullptr},
        {"x^" + std::string(60, '9'), Outcome::InputError, nullptr},
        {"x^10000000", Outcome::InputError, nullptr},
        {"x^9999999", Outcome::Accepted, "1,x,␣9999999;"},
        {"x+\xc3\xa9", Outcome::InputError, nullptr},  // a letter outside ASCII
        {Terms(21), Outcome::EndedSilently, nullptr},
        {Terms(45), Outcome::EndedSilently, nullptr},
    };
    for (const auto& c : cases) {
        testing::TestEngine t;
        Parsed r = Parse(t, c.text);
        EXPECT_EQ(r.outcome, c.outcome) << c.text;
        if (r.outcome != Outcome::Accepted) {
            EXPECT_EQ(r.tokenized.value_or(r.loaded.value_or(At::Exit)), At::EndPrompt) << c.text;
        }
        if (c.items) {
            EXPECT_EQ(t.dir.Read("DXS1.DAT"), ItemFile(c.items)) << c.text;
        }
        EXPECT_LE(t.e.terms.TermCount, 20) << c.text;
        EXPECT_LE(t.e.vars.ParsedVarCount, 7) << c.text;
    }
}

TEST(Parser, LoaderFillsTheTermTable) {
    const struct {
        const char* text;
        const char* letters;
        std::vector<std::vector<float>> rows;  // coefficient, denominator, exponents
        bool fraction;
    } cases[] = {
        {"3/2x-y2", "xy", {{3, 2, 1, 0}, {-1, 1, 0, 2}}, true},
        {"-1/6+.5x", "x", {{-1, 6, 0}, {0.5f, 1, 1}}, true},
        {"x2x", "x", {{1, 1, 3}}, false},
        {"xyxy2+y", "xy", {{1, 1, 2, 3}, {1, 1, 0, 1}}, false},
        {"a3+a2c+b2c-abc+b3",
         "acb",
         {{1, 1, 3, 0, 0}, {1, 1, 2, 1, 0}, {1, 1, 0, 1, 2}, {-1, 1, 1, 1, 1}, {1, 1, 0, 0, 3}},
         false},
    };
    for (const auto& c : cases) {
        testing::TestEngine t;
        Engine& e = t.e;
        // Rows left over from earlier work must not show through.
        for (int i = 0; i <= 30; ++i)
            for (int j = 0; j <= 7; ++j) e.terms.TermExp(i, j) = 9;
        ASSERT_EQ(Parse(t, c.text).outcome, Outcome::Accepted) << c.text;
        std::string letters(c.letters);
        ASSERT_EQ(e.vars.VarCount, letters.size()) << c.text;
        EXPECT_EQ(e.vars.ParsedVarCount, letters.size()) << c.text;
        for (std::size_t j = 0; j < letters.size(); ++j) EXPECT_EQ(e.vars.VarName[j + 1], letters.substr(j, 1));
        ASSERT_EQ(e.terms.TermCount, c.rows.size()) << c.text;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            int row = static_cast<int>(i + 1);
            EXPECT_EQ(e.terms.TermCoef[row], c.rows[i][0]) << c.text << " term " << row;
            EXPECT_EQ(e.terms.TermDen[row], c.rows[i][1]) << c.text << " term " << row;
            for (std::size_t j = 0; j < letters.size(); ++j)
                EXPECT_EQ(e.terms.TermExp(row, static_cast<int>(j + 1)), c.rows[i][j + 2])
                    << c.text << " term " << row << " variable " << letters[j];
        }
        EXPECT_EQ(e.run.Fractional, c.fraction) << c.text;
    }
}

TEST(Parser, KnownLettersKeepTheirNumbersAndStageOneFreezesTheCount) {
    testing::TestEngine t;
    Engine& e = t.e;
    e.vars.VarCount = e.vars.ParsedVarCount = 2;
    e.vars.VarName[1] = "y";
    e.vars.VarName[2] = "x";
    ASSERT_EQ(Parse(t, "x+2").outcome, Outcome::Accepted);
    EXPECT_EQ(e.terms.TermExp(1, 2), 1);
    EXPECT_EQ(e.terms.TermExp(1, 1), 0);

    e.run.FactorFound = true;
    e.vars.VarCount = 1;  // a variable that dropped out stays out
    ASSERT_EQ(Parse(t, "y-x").outcome, Outcome::Accepted);
    EXPECT_EQ(e.vars.VarCount, 1);
    EXPECT_EQ(e.terms.TermExp(1, 1), 1);
    EXPECT_EQ(e.terms.TermExp(2, 2), 1);
}

TEST(Parser, InputErrorPrintsOnItsOwnLineAndClosesTheFiles) {
    testing::TestEngine t;
    t.OpenTranscript();
    ASSERT_TRUE(t.e.dj.Open(t.e.File("dj.dat")));
    t.e.Print("x*y");
    EXPECT_EQ(Parse(t, "x*y").outcome, Outcome::InputError);
    EXPECT_EQ(t.screen.RowText(1), "x*y");
    EXPECT_EQ(t.screen.RowText(2), "输入错误！");
    EXPECT_EQ(t.screen.Cursor(), std::make_pair(3, 1));
    EXPECT_FALSE(t.e.jg.IsOpen());
    EXPECT_FALSE(t.e.dj.IsOpen());
}

TEST(Parser, FactorRecords) {
    testing::TestEngine t;
    Engine& e = t.e;
    ASSERT_TRUE(e.dj.Open(e.File("dj.dat")));
    ASSERT_TRUE(e.dj.Put(1, "(x^2-3x+1)"));
    ASSERT_TRUE(e.dj.Put(3, "(" + std::string(997, 'x') + ")"));

    EXPECT_EQ(TokenizeFactorRecord(e, 1), std::nullopt);
    EXPECT_EQ(e.run.InputText, "x^2-3x+1");
    EXPECT_EQ(t.dir.Read("DXS1.DAT"), ItemFile("1,x,␣2;-3,x,1;1;"));
    EXPECT_EQ(LoadTerms(e), std::nullopt);
    EXPECT_EQ(e.terms.TermCount, 3);

    EXPECT_EQ(TokenizeFactorRecord(e, 3), At::EndPrompt);  // 997 factors in one term
    EXPECT_NE(t.screen.Log().find("输入错误！"), std::string::npos);

    testing::TestEngine u;
    ASSERT_TRUE(u.e.dj.Open(u.e.File("dj.dat")));
    ASSERT_TRUE(u.e.dj.Put(1, "()"));
    EXPECT_EQ(TokenizeFactorRecord(u.e, 1), At::EndPrompt);  // an empty factor is no polynomial

    // A record whose length field exceeds the record is a dj.dat that cannot be
    // read back: said, and the run goes on to its certificate.
    testing::TestEngine v;
    std::string damaged(1001, 'x');
    damaged[0] = static_cast<char>(1200 & 0xFF);
    damaged[1] = static_cast<char>(1200 >> 8);
    v.dir.Write("dj.dat", damaged + damaged);
    ASSERT_TRUE(v.e.dj.Open(v.e.File("dj.dat")));
    EXPECT_EQ(TokenizeFactorRecord(v.e, 1), At::CloseAll);
    EXPECT_EQ(v.screen.Log(), "无法读取 dj.dat\ndj.dat could not be read\n");
}

// The term table is built only from the item file as it was written: one that
// reads back shorter or longer (changed on the way) is a file problem.
TEST(Parser, ItemFileMustReadBackAsWritten) {
    // Emptied, one term short, one byte more.
    const std::vector<std::function<std::string(const std::string&)>> changes = {
        [](const std::string&) { return std::string(); },
        [](const std::string& w) { return w.substr(0, w.size() - 15); },  // without "-1"
        [](const std::string& w) { return w + "x"; },
    };
    for (std::size_t k = 0; k < changes.size(); ++k) {
        testing::TestEngine t;
        t.e.run.InputText = "x^2+2xy+y^2-1";
        ASSERT_EQ(TokenizeText(t.e), std::nullopt);
        t.dir.Write("DXS1.DAT", changes[k](t.dir.Read("DXS1.DAT")));
        EXPECT_EQ(LoadTerms(t.e), At::FileProblem) << k;
        ASSERT_TRUE(t.e.fault.has_value());
        EXPECT_EQ(t.e.fault->name, "DXS1.DAT");
        EXPECT_FALSE(t.e.fault->writing);
    }
}

TEST(Parser, PrePassProtectsDAndEFromReadingAsExponents) {
    EXPECT_EQ(PrePass("2d+1"), "2d^1+1");
    EXPECT_EQ(PrePass(" 2d + 1 "), "2d+1");  // the letter saw the blank, not the sign
    EXPECT_EQ(PrePass("D2e-E9d0"), "D^2e^1-E^9d0");
    EXPECT_EQ(PrePass("d 2"), "d2");  // the blank hid the digit when the letter was looked at
    EXPECT_EQ(PrePass(PrePass("d2+e+1")), PrePass("d2+e+1"));
}

}  // namespace
}  // namespace yinshi
