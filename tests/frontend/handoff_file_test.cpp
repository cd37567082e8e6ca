#include <gtest/gtest.h>
#include <sys/stat.h>

#include "frontend_fakes.hpp"
#include "handoff_file.hpp"
#include "regular_file.hpp"
#include "transcript_file.hpp"

using namespace yinshi::frontend;
using yinshi::frontend::testing::TempFolder;

TEST(HandOff, ExactBytes) {
    const std::string bytes = HandOffBytes("x^3+9x^2+26x+24");
    EXPECT_EQ(bytes.size(), 19u);
    EXPECT_EQ(bytes, "\"x^3+9x^2+26x+24\"\r\n");
    EXPECT_EQ(HandOffBytes("a\"b 的"), "\"a\"b \xE7\x9A\x84\"\r\n");  // nothing escaped or recoded
    EXPECT_EQ(HandOffBytes(""), "\"\"\r\n");
}

TEST(HandOff, ReplacesEarlierFile) {
    TempFolder dir;
    dir.write("DXS.DAT", std::string(100, 'z'));
    EXPECT_EQ(WriteHandOffFile(dir.path(), "x^2-1"), std::nullopt);
    EXPECT_EQ(dir.read("DXS.DAT"), "\"x^2-1\"\r\n");
}

TEST(HandOff, ReportsFailures) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "DXS.DAT");  // cannot be opened, even by root
    EXPECT_NE(WriteHandOffFile(dir.path(), "x"), std::nullopt);
    EXPECT_NE(WriteHandOffFile(dir.path() / "missing", "x"), std::nullopt);
    if (std::filesystem::exists("/dev/full")) {  // opens, then the disk is full
        TempFolder full;
        std::filesystem::create_symlink("/dev/full", full.path() / "DXS.DAT");
        EXPECT_NE(WriteHandOffFile(full.path(), "x"), std::nullopt);
    }
}

// What stands under DXS.DAT or jg.dat that is not a regular file is refused at once, and
// left as it was: nothing is written through a link, a FIFO does not hang the window, a
// device does not feed it without end.
TEST(WindowFiles, OnlyRegularFilesAreWrittenOrRead) {
    TempFolder outside;
    outside.write("keep", "keep");
    const auto place = [&](const TempFolder& dir, const std::string& name, int kind) {
        const std::filesystem::path p = dir.path() / name;
        if (kind == 0) {
            ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0);
        } else {
            const char* targets[] = {"", "keep", "/dev/zero", "nowhere"};
            std::filesystem::create_symlink(kind == 2 ? targets[2] : outside.path() / targets[kind], p);
        }
    };
    for (int kind = 0; kind < 4; ++kind) {
        TempFolder dir;
        place(dir, "DXS.DAT", kind);
        place(dir, "jg.dat", kind);
        EXPECT_EQ(WriteHandOffFile(dir.path(), "x^2-1"), std::optional<std::string>(kNotARegularFile)) << kind;
        const TranscriptRead read = ReadTranscript(dir.path() / "jg.dat");
        EXPECT_EQ(read.error, std::optional<std::string>(kNotARegularFile)) << kind;
        EXPECT_FALSE(read.missing) << kind;  // a dangling link is there, only unreadable
    }
    EXPECT_EQ(outside.read("keep"), "keep");
    EXPECT_FALSE(std::filesystem::exists(outside.path() / "nowhere"));
}
