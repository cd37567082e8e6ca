#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    ASSERT_TRUE(in.Open(dir.Path() / "l.txt"));
    std::vector<std::string> lines;
    while (auto line = in.Line()) lines.push_back(*line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "five"}));
    EXPECT_FALSE(in.Open(dir.Path() / "none.txt"));
    EXPECT_TRUE(in.AtEnd());
}

TEST(TextIn, ReadsQuotedAndBareItemsAndNumbers) {
    testing::TempDir dir;
    dir.Write("i.txt", "\"1\"\r\n\" 3\"\r\n\"+\",\"+\"\r\n\r\n  bare item  ,\"a,b\"\r\n 3/2 , -.5\r\n\"open");
    TextIn in;
    ASSERT_TRUE(in.Open(dir.Path() / "i.txt"));
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
    EXPECT_EQ(ReadWholeFile(dir.Path() / "w.bin"), bytes);
    EXPECT_EQ(ReadWholeFile(dir.Path() / "none.bin"), std::nullopt);
}

}  // namespace
}  // namespace yinshi
