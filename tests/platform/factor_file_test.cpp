#include "platform/factor_file.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::TempDir;

class FactorFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path() const { return dir.Path() / "dj.dat"; }
    std::string Bytes() const { return dir.Read("dj.dat"); }
    TempDir dir;
    FactorFile file;
};

TEST_F(FactorFileTest, RecordHoldsLittleEndianLengthTextAndZeros) {
    ASSERT_TRUE(file.Open(Path()));
    ASSERT_TRUE(file.Put(1, "(x+1)"));
    ASSERT_TRUE(file.Put(2, std::string(300, 'a')));
    file.Close();

    std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), 2u * FactorFile::kRecordSize);
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x05\x00(x+1)", 7));
    EXPECT_EQ(bytes.substr(7, FactorFile::kRecordSize - 7), std::string(FactorFile::kRecordSize - 7, '\0'));
    // 300 = 0x012C, low byte first.
    EXPECT_EQ(static_cast<unsigned char>(bytes[1001]), 0x2C);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1002]), 0x01);
    EXPECT_EQ(bytes.substr(1003, 300), std::string(300, 'a'));
}

TEST_F(FactorFileTest, ShorterTextOverALongerOneLeavesNoRemains) {
    ASSERT_TRUE(file.Open(Path()));
    ASSERT_TRUE(file.Put(1, std::string(50, 'z')));
    ASSERT_TRUE(file.Put(1, "(a-b)"));
    file.Close();
    std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(FactorFile::kRecordSize));
    EXPECT_EQ(bytes.find('z'), std::string::npos);
}

TEST_F(FactorFileTest, ReadsBackWhatWasPutAndNothingPastTheEnd) {
    ASSERT_TRUE(file.Open(Path()));
    ASSERT_TRUE(file.Put(1, "(a+b)"));
    ASSERT_TRUE(file.Put(2, ""));
    EXPECT_EQ(file.Get(1), "(a+b)");
    EXPECT_EQ(file.Get(2), "");
    EXPECT_EQ(file.Get(3), std::nullopt);
    EXPECT_EQ(file.Get(0), std::nullopt);
}

TEST_F(FactorFileTest, TextOf999BytesFitsAndOf1000IsRefused) {
    ASSERT_TRUE(file.Open(Path()));
    std::string fits(999, 'f');
    ASSERT_TRUE(file.Put(1, fits));
    EXPECT_FALSE(file.Put(2, std::string(1000, 'g')));
    EXPECT_EQ(file.Get(1), fits);
    EXPECT_EQ(file.Get(2), std::nullopt);
    file.Close();
    EXPECT_EQ(Bytes().size(), static_cast<std::size_t>(FactorFile::kRecordSize));
}

TEST_F(FactorFileTest, OpeningKeepsTheRecordsOfAnEarlierRun) {
    ASSERT_TRUE(file.Open(Path()));
    ASSERT_TRUE(file.Put(1, "(old1)"));
    ASSERT_TRUE(file.Put(2, "(old2)"));
    file.Close();

    FactorFile again;
    ASSERT_TRUE(again.Open(Path()));
    ASSERT_TRUE(again.Put(1, "(new)"));
    EXPECT_EQ(again.Get(1), "(new)");
    EXPECT_EQ(again.Get(2), "(old2)");
}

TEST_F(FactorFileTest, DamagedLengthIsNotReadIntoTheNextRecord) {
    std::string bytes(2 * FactorFile::kRecordSize, 'x');
    bytes[0] = static_cast<char>(0xE8);  // 1000
    bytes[1] = static_cast<char>(0x03);
    dir.Write("dj.dat", bytes);
    std::string cut("\x09\x00(x+1)", 7);  // says 9 bytes, holds 5
    dir.Write("cut.dat", cut);

    ASSERT_TRUE(file.Open(Path()));
    EXPECT_EQ(file.Get(1), std::nullopt);
    FactorFile shortFile;
    ASSERT_TRUE(shortFile.Open(dir.Path() / "cut.dat"));
    EXPECT_EQ(shortFile.Get(1), std::nullopt);
}

TEST_F(FactorFileTest, OpenFailsInAMissingFolder) {
    EXPECT_FALSE(file.Open(dir.Path() / "no-such-folder" / "dj.dat"));
    EXPECT_FALSE(file.Put(1, "(x)"));
    EXPECT_EQ(file.Get(1), std::nullopt);
}

}  // namespace
}  // namespace yinshi
