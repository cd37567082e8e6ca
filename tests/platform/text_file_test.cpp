#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/factor_file.hpp"
#include "platform/text_file.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

TEST(TextOut, WritesLinesTheWayASequentialFileDoes) {
    testing::TempDir dir;
    TextOut out;
    ASSERT_TRUE(out.Create(dir.Path() / "a.txt"));
    out.Write("ab");
    out.Write("");
    out.Write("c");
    out.EndLine();
    out.EndLine();  // no line open: an empty line
    out.Write("");  // writes nothing and opens no line
    out.Close();
    EXPECT_EQ(dir.Read("a.txt"), "abc\r\n\r\n");

    ASSERT_TRUE(out.Append(dir.Path() / "a.txt"));
    out.Write("d");
    EXPECT_TRUE(out.LineOpen());
    out.Close();  // ends the open line
    EXPECT_EQ(dir.Read("a.txt"), "abc\r\n\r\nd\r\n");

    ASSERT_TRUE(out.Create(dir.Path() / "a.txt"));  // afresh
    out.Close();
    EXPECT_EQ(dir.Read("a.txt"), "");
    EXPECT_FALSE(out.Create(dir.Path() / "missing" / "b.txt"));
    out.Write("x");  // harmless on a file that did not open
    EXPECT_FALSE(out.IsOpen());
}

TEST(TextIn, ReadsLinesWhateverTheirEnds) {
    testing::TempDir dir;
    dir.Write("l.txt", "one\r\ntwo\nthree\r\rfive");
    TextIn in;
    ASSERT_TRUE(in.Open(dir.Path() / "l.txt", 100));
    std::vector<std::string> lines;
    while (auto line = in.Line()) lines.push_back(*line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "five"}));
    EXPECT_FALSE(in.Open(dir.Path() / "none.txt", 100));
    EXPECT_TRUE(in.AtEnd());
}

TEST(TextIn, ReadsQuotedAndBareItemsAndNumbers) {
    testing::TempDir dir;
    dir.Write("i.txt", "\"1\"\r\n\" 3\"\r\n\"+\",\"+\"\r\n\r\n  bare item  ,\"a,b\"\r\n 3/2 , -.5\r\n\"open");
    TextIn in;
    ASSERT_TRUE(in.Open(dir.Path() / "i.txt", 100));
    std::vector<std::string> items;
    for (int i = 0; i < 6; ++i) items.push_back(in.Item().value_or("<none>"));
    EXPECT_EQ(items, (std::vector<std::string>{"1", " 3", "+", "+", "bare item", "a,b"}));
    EXPECT_EQ(in.Number(), 3.0f);
    EXPECT_EQ(in.Number(), -0.5f);
    EXPECT_EQ(in.Item(), "open");  // a quote that never closes runs to the end
    EXPECT_EQ(in.Item(), std::nullopt);
    EXPECT_EQ(in.Number(), std::nullopt);
}

TEST(WholeFile, RoundTripsBytes) {
    testing::TempDir dir;
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(WriteWholeFile(dir.Path() / "w.bin", bytes));
    EXPECT_EQ(ReadWholeFile(dir.Path() / "w.bin", 6), bytes);
    EXPECT_EQ(ReadWholeFile(dir.Path() / "none.bin", 6), std::nullopt);
}

// Whatever stands under a work file's name that is not a regular file is
// refused by every way the engine opens one, at once, and left as it was.
TEST(WorkFiles, OnlyRegularFilesAreOpened) {
    testing::TempDir dir;
    dir.Write("outside", "keep");
    const auto at = [&](const char* name) { return dir.Path() / name; };
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);
    std::filesystem::create_symlink(at("outside"), at("link"));
    std::filesystem::create_symlink("/dev/zero", at("zero"));
    std::filesystem::create_symlink(at("nowhere"), at("dangling"));
    std::filesystem::create_directory(at("folder"));
    const std::vector<std::pair<const char*, std::function<bool(const std::filesystem::path&)>>> openers = {
        {"TextOut::Create", [](const auto& p) { return TextOut().Create(p); }},
        {"TextOut::Append", [](const auto& p) { return TextOut().Append(p); }},
        {"TextIn::Open", [](const auto& p) { return TextIn().Open(p, 100); }},
        {"FactorFile::Open", [](const auto& p) { return FactorFile().Open(p); }},
        {"ReadWholeFile", [](const auto& p) { return ReadWholeFile(p, 100).has_value(); }},
        {"WriteWholeFile", [](const auto& p) { return WriteWholeFile(p, "x"); }},
    };
    for (const auto& [what, open] : openers)
        for (const char* name : {"fifo", "link", "zero", "dangling", "folder"})
            EXPECT_FALSE(open(at(name))) << what << " " << name;
    EXPECT_EQ(dir.Read("outside"), "keep");
    EXPECT_FALSE(std::filesystem::exists(at("nowhere")));
}

TEST(WorkFiles, ReadsStopAtTheirCap) {
    testing::TempDir dir;
    dir.Write("f", "\"x\"\r\nsecond line, longer than the first\r\n");
    EXPECT_TRUE(ReadWholeFile(dir.Path() / "f", 41).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.Path() / "f", 40).has_value());
    TextIn in;
    ASSERT_TRUE(in.Open(dir.Path() / "f", 5, ReadExtent::FirstLine));
    EXPECT_EQ(in.Size(), 5u);
    EXPECT_EQ(in.Item(), "x");
    EXPECT_FALSE(in.Open(dir.Path() / "f", 4, ReadExtent::FirstLine));
}

}  // namespace
}  // namespace yinshi
