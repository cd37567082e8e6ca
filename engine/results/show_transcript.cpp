#include "results/show_transcript.hpp"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compaction/transcript_compaction.hpp"
#include "platform/number_form.hpp"
#include "platform/text_file.hpp"
#include "state/engine.hpp"
#include "transcript_format/transcript_lines.hpp"

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

// Shows a factor line on the screen, left open, and files every parenthesised
// factor it passes when `file` is set.
class ShownFactorLine final : public CompactionOut {
public:
    ShownFactorLine(Engine& e, FilingTrouble& trouble, bool file) : e_(e), trouble_(trouble), file_(file) {}
    void Text(std::string_view text) override { e_.Print(text); }
    void Power(int count) override { e_.Print("^" + ItemForm(static_cast<float>(count))); }
    void Factor(std::string_view factor) override {
        if (file_) FileFactor(e_, factor, trouble_);
    }

private:
    Engine& e_;
    FilingTrouble& trouble_;
    bool file_;
};

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
    if (!jg.Open(e.File(e.run.ResultFile), kTranscriptCap)) {
        e.FileFailed(e.run.ResultFile, false);
        return;
    }

    std::vector<std::string> lines;
    while (auto read = jg.Line()) lines.push_back(std::move(*read));
    // After a split by exact factoring the transcript also holds that split's
    // factor, working and intermediate products: the factors the further
    // solutions regroup are those of its last product line alone.
    int fileOnly = 0;
    if (e.run.SplitAfterSearch)
        for (std::size_t k = 1; k < lines.size(); ++k)  // the first line is the echo
            if (IsProductLine(lines[k])) fileOnly = static_cast<int>(k) + 1;
    bool writeFailTold = false;
    for (const std::string& line : lines) {
        e.NewLine();
        ++n;
        bool compactFourth = n == 4 && e.run.NoGroupingShown;
        if (n < 6 && !compactFourth) {
            e.PrintLine(line);
            continue;
        }
        if (line.find('(') == std::string::npos) {
            e.NewLine();
            e.PrintLine(line);
            continue;
        }
        FilingTrouble trouble;
        ShownFactorLine shown(e, trouble, fileOnly == 0 || n == fileOnly);
        WalkFactorRuns(line, TailRule::LastCopyApart, shown);
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
