// What start-up makes of text over the window's alphabet, against the tests'
// own reader: refused with the input message and nothing written, or a
// transcript whose echo denotes what the text denotes.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "mainline/driver.hpp"
#include "reference_reader.hpp"
#include "test_support.hpp"

namespace yinshi::testing {
namespace {

#ifdef YINSHI_SANITIZED
constexpr int kStrings = 1000;
#else
constexpr int kStrings = 10000;
#endif

// Every character the window's check lets through.
const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz`/0123456789^+-()";

class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

    std::string Make() {
        std::string s = Below(5) == 0 ? Noise() : Polynomial();
        for (int k = static_cast<int>(Below(4)) - 1; k > 0; --k) Mutate(s);
        return s;
    }

private:
    std::uint64_t Below(std::uint64_t n) { return rng_() % n; }
    char Any() { return kAlphabet[Below(kAlphabet.size())]; }

    std::string Noise() {
        std::string s;
        for (auto n = Below(10); n > 0; --n) s += Any();
        return s;
    }

    std::string Number() {
        std::string s = Below(10) == 0 ? "0" : "";
        const auto digits = Below(8) == 0 ? 1 + Below(9) : 1 + Below(2);
        for (auto i = digits; i > 0; --i) s += static_cast<char>('0' + Below(10));
        return s;
    }

    std::string Term() {
        std::string s;
        if (Below(2) == 0) s += Number();
        if (!s.empty() && Below(5) == 0) s += "/" + Number();
        const auto factors = s.empty() ? 1 + Below(3) : Below(3);
        for (auto i = factors; i > 0; --i) {
            s += "xyzabXde"[Below(8)];
            const auto form = Below(4);
            if (form == 1) s += "^" + Number();
            if (form == 2) s += std::to_string(1 + Below(12));
        }
        return s;
    }

    std::string Polynomial() {
        std::string s = Below(4) == 0 ? std::string(1, "+-"[Below(2)]) : "";
        for (auto n = 1 + Below(6); n > 0; --n) {
            s += Term();
            if (n > 1) s += "+-"[Below(2)];
        }
        return s;
    }

    void Mutate(std::string& s) {
        const std::size_t at = s.empty() ? 0 : Below(s.size() + 1);
        switch (Below(3)) {
            case 0: s.insert(at, 1, Any()); break;
            case 1:
                if (at < s.size()) s.erase(at, 1);
                break;
            default:
                if (at < s.size()) s.insert(at, 1, s[at]);
        }
    }

    std::mt19937_64 rng_;
};

std::size_t FilesIn(const TempDir& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++n;
    return n;
}

bool Has(const std::string& hay, const char* needle) { return hay.find(needle) != std::string::npos; }

// The transcript's first line, up to the "=" of the result: the echo. A text
// with parentheses is there as typed, and its expansion after the first "=".
std::string Echo(const std::string& jg, bool grouped) {
    std::string line = jg.substr(0, jg.find("\r\n"));
    if (grouped) line.erase(0, line.find('=') + 1);
    return line.substr(0, line.find('='));
}

TEST(TextReading, EveryStringIsRefusedOrEchoedAsWhatItDenotes) {
    TextMaker maker(20261209);
    int read = 0;
    int refused = 0;
    for (int i = 0; i < kStrings; ++i) {
        const std::string text = maker.Make();
        SCOPED_TRACE("\"" + text + "\"");
        const Reading expected = ReadReference(text);
        TestEngine t;
        t.dir.Write("DXS.DAT", "\"" + text + "\"\r\n");
        const At next = StartUp(t.e);
        t.e.jg.Close();
        const std::string& log = t.screen.Log();
        switch (expected.verdict) {
            case Verdict::InputError:
                ++refused;
                EXPECT_EQ(next, At::EndPrompt);
                EXPECT_TRUE(Has(log, "输入错误！")) << log;
                EXPECT_EQ(FilesIn(t.dir), 1u) << "only DXS.DAT";
                break;
            case Verdict::TooManyTerms:
            case Verdict::TooBig:
            case Verdict::PowerTooHigh:
                EXPECT_EQ(next, At::EndPrompt);
                EXPECT_TRUE(expected.verdict == Verdict::TooBig
                                ? Has(log, "The data is too big!") || Has(log, "numbers are too big")
                                : Has(log, expected.verdict == Verdict::TooManyTerms ? "at most 20" : "too high"))
                    << log;
                EXPECT_FALSE(t.dir.Exists("jg.dat"));
                break;
            case Verdict::Unknown: break;
            case Verdict::Read: {
                ++read;
                ASSERT_FALSE(Has(log, "输入错误！")) << log;
                const std::string echo = Echo(t.dir.Read("jg.dat"), text.find_first_of("()") != std::string::npos);
                if (echo == "0" && expected.poly.empty()) break;
                const Reading back = ReadReference(echo);
                ASSERT_EQ(back.verdict, Verdict::Read) << "echo \"" << echo << "\"";
                EXPECT_EQ(Show(back.poly), Show(expected.poly)) << "echo \"" << echo << "\"";
                break;
            }
        }
    }
    // Both sides of the rule are exercised, not only refusals.
    EXPECT_GT(read, kStrings / 5);
    EXPECT_GT(refused, kStrings / 5);
}

}  // namespace
}  // namespace yinshi::testing
