#pragma once
#include <string>
#include <vector>

#include "mainline/driver.hpp"
#include "test_support.hpp"

namespace yinshi::testing {

// Keys for the questions only: the search's polling never sees them.
inline void AnswerWith(TestEngine& t, const std::string& keys) { t.keys.Add(keys, 1LL << 40); }

// Writes DXS.DAT as the window program does and runs the whole engine in-process.
// `keys` are pressed at once: the search polls them, the questions wait for them.
inline void RunOn(TestEngine& t, const std::string& polynomial, const std::string& keys = "") {
    t.dir.Write("DXS.DAT", "\"" + polynomial + "\"\r\n");
    t.keys.Add(keys);
    RunEngine(t.e);
}

// The lines of a CR LF file, without their line ends.
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(pos) + "<no CR LF>");
            break;
        }
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

}  // namespace yinshi::testing
