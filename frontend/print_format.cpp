#include "print_format.hpp"

#include <utility>

#include "compaction/transcript_compaction.hpp"

namespace yinshi::frontend {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

void AppendPower(std::string& h, int k) {
    h += "^ ";
    h += std::to_string(k);
}

}  // namespace

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if (!IsContinuationByte(c)) ++n;
    return n;
}

std::vector<std::string> PrintWrapped(std::string_view utf8) {
    std::vector<std::string> slices(1);
    std::size_t inSlice = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuationByte(utf8[i])) {
            if (inSlice == kPrinterLineChars) {
                slices.emplace_back();
                inSlice = 0;
            }
            ++inSlice;
        }
        slices.back() += utf8[i];
    }
    if (inSlice == kPrinterLineChars) slices.emplace_back();
    return slices;
}

std::string CompactRepeats(std::string_view line) {
    class Compacted final : public CompactionOut {
    public:
        void Text(std::string_view text) override { h += text; }
        void Power(int count) override { AppendPower(h, count); }
        std::string h;
    } out;
    WalkFactorRuns(line, TailRule::CountedRun, out);
    return std::move(out.h);
}

std::vector<std::string> TranscriptPrintLines(const std::vector<std::string>& transcript) {
    std::vector<std::string> out{std::string()};
    std::string lastPrinted;
    auto printWrapped = [&](std::string text) {
        for (auto& slice : PrintWrapped(text)) out.push_back(std::move(slice));
        lastPrinted = std::move(text);
    };
    std::size_t n = 0;
    for (const std::string& line : transcript) {
        ++n;
        if (n < 4 || (n == 4 && line.find('[') != std::string::npos)) {
            printWrapped(line);
        } else if (line.find('(') == std::string::npos) {
            out.push_back(line);  // unsliced, and not remembered as printed
        } else {
            std::string compact = CompactRepeats(line);
            if (compact != lastPrinted) printWrapped(std::move(compact));
        }
    }
    out.emplace_back();
    return out;
}

}  // namespace yinshi::frontend
