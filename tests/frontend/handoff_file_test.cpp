#include <gtest/gtest.h>

#include "frontend_fakes.hpp"
#include "handoff_file.hpp"

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
