// Checks a finished engine run against its input:
//   product_check transcript <folder> <polynomial>   the last product in jg.dat multiplies back
//   product_check solutions <screen-output> <polynomial>   every further solution's D*C does
// Exits 0 when all match, 1 otherwise (with the reason on stderr).
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "poly_check.hpp"

using namespace yinshi::testing;

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream os;
    os << in.rdbuf();
    return os.str();
}

int CheckTranscript(const std::string& folder, const Poly& input) {
    auto product = TranscriptProduct(ReadAll(folder + "/jg.dat"));
    if (!product) {
        std::cerr << "no product line in jg.dat\n";
        return 1;
    }
    if (ToString(*product) != ToString(input)) {
        std::cerr << "product " << ToString(*product) << " differs from input " << ToString(input) << "\n";
        return 1;
    }
    return 0;
}

int CheckSolutions(const std::string& screenFile, const Poly& input) {
    std::istringstream in(ReadAll(screenFile));
    std::string line;
    int shown = 0, equalsLines = -1;
    while (std::getline(in, line)) {
        if (line.rfind("......", 0) == 0) {
            equalsLines = 0;
            continue;
        }
        if (equalsLines < 0 || line.rfind("=", 0) != 0) continue;
        if (++equalsLines < 3) continue;
        equalsLines = -1;
        auto product = TranscriptProduct(line);
        if (!product || ToString(*product) != ToString(input)) {
            std::cerr << "solution line " << line << " does not multiply back to " << ToString(input) << "\n";
            return 1;
        }
        ++shown;
    }
    std::cout << shown << " further solutions checked\n";
    return shown > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: product_check transcript|solutions <path> <polynomial>\n";
        return 2;
    }
    std::string mode = argv[1];
    auto input = ParsePoly(Lower(argv[3]));
    if (!input) {
        std::cerr << "cannot read the input polynomial\n";
        return 2;
    }
    return mode == "transcript" ? CheckTranscript(argv[2], *input) : CheckSolutions(argv[2], *input);
}
