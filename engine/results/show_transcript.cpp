#include "results/show_transcript.hpp"

#include <string>
#include <string_view>

#include "mainline/engine.hpp"
#include "platform/text_file.hpp"
#include "present/number_form.hpp"

namespace yinshi {

namespace {

// What went wrong while filing the factors of one line; told after the line.
struct FilingTrouble {
    bool tooLong = false;
    bool writeFailed = false;
};

// Files a factor text as the next record of dj.dat. ItemCount counts only the
// records really written, so the further solutions never read a record this
// run did not fill.
void FileFactor(Engine& e, std::string_view text, FilingTrouble& trouble) {
    if (text.size() > static_cast<std::size_t>(FactorFile::kMaxText)) {
        trouble.tooLong = true;
        return;
    }
    if (!e.dj.Put(e.run.ItemCount + 1, text)) {
        trouble.writeFailed = true;
        return;
    }
    ++e.run.ItemCount;
}

void PrintRepeat(Engine& e, int k) { e.Print("^" + ItemForm(static_cast<float>(k))); }

// A factor line from its first "(" on: every parenthesised factor is filed,
// and runs of equal factors are shown once with "^" and their count. The line
// is left open.
void ShowFactorLine(Engine& e, const std::string& line, std::size_t p1, FilingTrouble& trouble) {
    std::size_t p2 = line.find(')', p1);
    if (p2 == std::string::npos) {
        // A "(" that is never closed holds no factor to file.
        e.Print(line);
        return;
    }
    std::string first = line.substr(p1, p2 - p1 + 1);
    FileFactor(e, first, trouble);
    e.Print(std::string_view(line).substr(0, p2 + 1));
    std::string rest = line.substr(p2 + 1);
    int k = 1;
    while (!rest.empty()) {
        std::size_t q = rest.find(')');
        std::size_t open = rest.find('(');
        if (q == std::string::npos || open == std::string::npos || open > q) {
            // A tail that is not a parenthesised factor (the ")^2" of a square)
            // belongs to the factor before it: show the run so that the tail
            // still applies to one copy only, then the tail as it stands.
            if (k > 1) {
                if (k - 1 > 1) PrintRepeat(e, k - 1);
                e.Print(first);
            }
            e.Print(rest);
            return;
        }
        std::string next = rest.substr(0, q + 1);
        rest.erase(0, q + 1);
        FileFactor(e, next, trouble);
        if (next == first) {
            ++k;
            if (rest.empty()) PrintRepeat(e, k);
            continue;
        }
        if (k > 1) PrintRepeat(e, k);
        e.Print(next);
        first = std::move(next);
        k = 1;
    }
}

void TellTrouble(Engine& e, const FilingTrouble& trouble, bool& writeFailTold) {
    if (trouble.tooLong) {
        e.NewLine();
        e.PrintLine("因式太长（超过 999 字节），未存入 dj.dat");
        e.PrintLine("A factor longer than 999 bytes was not filed in dj.dat");
    }
    if (trouble.writeFailed && !writeFailTold) {
        writeFailTold = true;
        e.NewLine();
        e.PrintLine("无法写入 dj.dat");
        e.PrintLine("dj.dat could not be written");
        // Told here, beside the line it concerns; the run still ends on it.
        e.FileFailed("dj.dat", true);
        e.fault->told = true;
    }
}

}  // namespace

void ShowTranscript(Engine& e) {
    e.NewLine();
    int n = 0;
    e.run.ItemCount = 0;

    if (e.jg.IsOpen()) e.jg.Close();
    // A factor file that cannot be opened is told at the first factor it
    // should take, beside that line; the transcript is still shown whole.
    e.dj.Open(e.File("dj.dat"));
    TextIn jg;
    if (!jg.Open(e.File(e.run.ResultFile))) {
        e.FileFailed(e.run.ResultFile, false);
        return;
    }

    bool writeFailTold = false;
    while (auto read = jg.Line()) {
        const std::string& line = *read;
        e.NewLine();
        ++n;
        bool compactFourth = n == 4 && e.run.NoGroupingShown > 0;
        if (n < 6 && !compactFourth) {
            e.PrintLine(line);
            continue;
        }
        std::size_t p1 = line.find('(');
        if (p1 == std::string::npos) {
            e.NewLine();
            e.PrintLine(line);
            continue;
        }
        FilingTrouble trouble;
        ShowFactorLine(e, line, p1, trouble);
        TellTrouble(e, trouble, writeFailTold);
    }

    e.NewLine();
    e.dj.Close();
    if (!e.dj.Open(e.File("dj.dat"))) e.FileFailed("dj.dat", false);

    e.Print(e.run.StartTime);
    e.screen.NextZone();
    e.Print(e.clock.Now());
    e.NewLine();
}

}  // namespace yinshi
