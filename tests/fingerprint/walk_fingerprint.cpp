#include "walk_fingerprint.hpp"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "mainline/driver.hpp"
#include "test_support.hpp"

namespace yinshi::testing {

namespace {

// The bits of a float or double (std::bit_cast, which the WebAssembly build's library lacks).
template <typename Word, typename Value>
Word Bits(Value v) {
    static_assert(sizeof(Word) == sizeof(Value));
    Word w;
    std::memcpy(&w, &v, sizeof w);
    return w;
}

class Hasher {
public:
    void Word(std::uint64_t w) {
        h_ = (h_ ^ w) * 0x9E3779B97F4A7C15ULL;
        h_ ^= h_ >> 29;
    }
    void Int(long long v) { Word(static_cast<std::uint64_t>(v)); }
    // Whole-number values: -0 and +0 are the same number.
    void Float(float v) { Word(v == 0 ? 0 : Bits<std::uint32_t>(v)); }
    void Double(double v) { Word(v == 0 ? 0 : Bits<std::uint64_t>(v)); }
    void Text(std::string_view s) {
        Word(s.size());
        std::uint64_t w = 0;
        int filled = 0;
        for (char c : s) {
            w = (w << 8) | static_cast<unsigned char>(c);
            if (++filled == 8) {
                Word(w);
                w = 0;
                filled = 0;
            }
        }
        Word(w);
    }
    template <typename T>
    void Span(const std::vector<T>& v, int first, int last) {
        Int(last - first + 1);
        for (int k = first; k <= last; ++k) {
            const T x = k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : T{};
            if constexpr (std::is_same_v<T, float>)
                Float(x);
            else if constexpr (std::is_same_v<T, double>)
                Double(x);
            else
                Int(x);
        }
    }
    std::uint64_t Value() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ULL;
};

// The walk as it enters position j: everything that decides what it visits next.
void HashPosition(Hasher& h, const Engine& e, int j) {
    const SearchState& s = e.search;
    const int d = s.TrialDegree;
    h.Word(0x505);
    h.Int(j);
    h.Int(d);
    h.Int(s.DivisorIdx);
    h.Int(s.PositionsEntered);
    h.Int(s.StateSaved);
    h.Float(s.StepGcd);
    h.Float(s.CoefStep);
    h.Float(s.QuotStep);
    h.Float(s.Bound2);
    h.Float(s.LeadAbs);
    h.Span(s.CoefBound, 1, d);
    h.Span(s.TrialFactor, 0, j - 1);
    h.Span(e.dense.PolyWork, 0, j - 1);
    h.Span(s.UpCoef, 1, j - 1);
    h.Span(s.UpQuot, 1, j - 1);
    h.Span(s.DownCoef, 1, j - 1);
    h.Span(s.DownQuot, 1, j - 1);
    h.Span(s.StepMode, 1, j - 1);
    h.Int(s.FirstDegree);
    h.Int(e.run.Skipped);
    h.Int(e.store.StoredCount);
}

// The recorded fingerprints hashed the stop reason as the key letter it was
// once kept as, and the start minute less an hour as a field of its own (0
// until the search clock first started).
std::string_view StopReasonText(StopReason reason) {
    switch (reason) {
        case StopReason::None: return "";
        case StopReason::Retune: return "x";
        case StopReason::Leave: return "t";
        case StopReason::NoLimit: return "b";
    }
    return "";
}

// The recorded fingerprints hashed what last stopped a search as the letter
// of its key, "x" for the time limit too.
std::string_view StoppedByText(StoppedBy stoppedBy) {
    switch (stoppedBy) {
        case StoppedBy::Nothing: return "";
        case StoppedBy::TimeLimitOrX: return "x";
        case StoppedBy::KeyT: return "t";
    }
    return "";
}

// The recorded fingerprints hashed the run's yes/no flags as what they were
// once kept as: a letter or nothing, 1 or 0.
std::string_view LetterIf(bool set, std::string_view letter) { return set ? letter : std::string_view(); }
float OneIf(bool set) { return set ? 1.0f : 0.0f; }

float StartMinuteLessAnHour(const RunFlags& r) { return r.SearchStartTime.empty() ? 0 : r.StartMinute - 60; }

// `withoutMarks`: the recorded fingerprints knew the closing without end marks as
// the closing with a flag set, not as a stage of its own.
// Fields that only hand an argument from one routine to the next (the print
// target, the subset client, the last key read, the smallest group size of a
// subset walk, the repeated-factor test's multiplier) are not state of the run
// and are left out, so that they can become plain arguments. The count of
// records in dj.dat is left out too: the file itself is hashed, and the count
// was also set, and never read, where the variable order is chosen. The
// method's outcome only passes a check's result to the factor report, and the
// other-answer text is written and never read: both are left out.
void HashRunFlags(Hasher& h, const RunFlags& r, bool withoutMarks) {
    for (float v : {OneIf(r.NoGroupingShown), r.DenProduct, r.Content, r.SignFlip, OneIf(r.NoEqualsPrefix),
                    PassMinutes(r.SearchPass), r.StartMinute, StartMinuteLessAnHour(r), OneIf(r.LongTried), r.GsysCount,
                    r.GsysRead, r.ProdCount})
        h.Float(v);
    for (long long v :
         std::initializer_list<long long>{r.FactorFound ? 1LL : 0LL, r.Sign, r.SignAcc, r.Skipped, r.SolutionCounter})
        h.Int(v);
    for (std::string_view t :
         {LetterIf(r.Fractional, "f"), std::string_view(r.SignPrefix), StopReasonText(r.StopReason),
          StoppedByText(r.StoppedBy), LetterIf(r.KeepAnewBound, "y"), std::string_view(r.StartTime),
          std::string_view(r.SearchStartTime), LetterIf(r.AnsweredAnew, "y")})
        h.Text(t);
    h.Int(withoutMarks ? 1 : 0);
}

void HashSearch(Hasher& h, const SearchState& s) {
    for (long long v : std::initializer_list<long long>{s.TrialDegree, s.StartDegree, s.FirstDegree, s.HalfDegree,
                                                        s.DivisorCount, s.DivisorIdx, s.LeadBound, s.StateSaved,
                                                        s.SearchPos, s.PositionsEntered, s.CompleteAssignments})
        h.Int(v);
    for (float v : {s.Bound1, s.Bound2, s.DefaultBound1, s.CurBound1, s.MaxCoefAbs, s.Bound2Floor, s.LeadAbs, s.StepGcd,
                    s.CoefStep, s.QuotStep})
        h.Float(v);
    h.Span(s.CoefBound, 0, s.HalfDegree);
    if (s.StateSaved == 1 && !s.SearchSave.empty()) {
        // The first complete candidate of the degree, from which the next resumes.
        const int d = static_cast<int>(s.SearchSave[0]) - 1;
        h.Span(s.SearchSave, 0, 2 * d + 5);
        h.Span(s.StepModeKeep, 1, d);
        h.Span(s.UpQuotKeep, 1, d);
        h.Span(s.UpCoefKeep, 1, d);
        h.Span(s.DownQuotKeep, 1, d);
        h.Span(s.DownCoefKeep, 1, d);
        h.Int(s.DivisorIdxKeep);
    }
}

void HashStage(Hasher& h, const Engine& e, At at) {
    h.Word(0x57A6E);
    const bool withoutMarks = at == At::CloseWithoutMarks;
    h.Int(static_cast<int>(withoutMarks ? At::CloseTranscript : at));
    HashRunFlags(h, e.run, withoutMarks);
    HashSearch(h, e.search);
    const DenseForm& d = e.dense;
    // Like the run flags, the print and product degrees that only pass arguments are left out.
    for (long long v : std::initializer_list<long long>{d.Degree, d.DegreeKeep}) h.Int(v);
    h.Float(d.LowExp);
    h.Span(d.PolyCoef, 0, d.Degree);
    h.Span(d.PolyKeep, 0, d.DegreeKeep);
    const FactorStore& st = e.store;
    h.Int(st.StoredCount);
    h.Float(st.StoredEnd);
    h.Span(st.Work2n, 0, static_cast<int>(st.StoredEnd) - 1);
    h.Span(st.StoredEndAt, 0, st.StoredCount);
    h.Span(st.StoredDeg, 0, st.StoredCount);
    const int terms = e.terms.TermCount;
    // The term table's coefficients are read only by the stages that start
    // from the table (Restart, Reorder): elsewhere they are no state of the
    // run, only what the dense printer last happened to leave there.
    if (at == At::Restart || at == At::Reorder)
        h.Span(e.terms.TermCoef, 1, terms);
    else
        h.Int(terms);
    h.Span(e.terms.TermMainExp, 1, terms);
    const int vars = e.vars.VarCount;
    h.Int(vars);
    for (int v = 1; v <= vars && v < static_cast<int>(e.vars.VarName.size()); ++v)
        h.Text(e.vars.VarName[static_cast<std::size_t>(v)]);
    h.Int(static_cast<long long>(e.screen.Log().size()));
}

void HashScreen(Hasher& h, const Screen& screen) {
    for (int r = 1; r <= Screen::kRows; ++r)
        for (int c = 1; c <= Screen::kCols; ++c) {
            const Cell& cell = screen.At(r, c);
            h.Word((static_cast<std::uint64_t>(cell.ch) << 24) | (static_cast<std::uint64_t>(cell.fg) << 16) |
                   (static_cast<std::uint64_t>(cell.bg) << 8) | (cell.wideTail ? 1U : 0U));
        }
    h.Int(screen.Cursor().first);
    h.Int(screen.Cursor().second);
    h.Int(screen.Foreground());
    h.Int(screen.Background());
    h.Text(screen.Log());
}

// Every file the run left in its folder, by name.
void HashFiles(Hasher& h, const TempDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = dir.Read(entry.path().filename().string());
    h.Int(static_cast<long long>(files.size()));
    for (const auto& [name, bytes] : files) {
        h.Text(name);
        h.Text(bytes);
    }
}

}  // namespace

std::uint64_t WalkFingerprint(const WalkInput& in, long long* positions, long long* candidates) {
    TestEngine t;
    Hasher h;
    t.e.search.PositionProbe = [&](int j) { HashPosition(h, t.e, j); };
    t.clock.Set(0, 0, in.startSeconds);
    t.clock.StepPerReading(in.secondsPerReading);
    for (const WalkInput::Press& p : in.presses) t.keys.Add(std::string(1, p.key), p.afterPolls);
    t.keys.Add(in.answers, 1LL << 40);
    t.dir.Write("DXS.DAT", "\"" + in.text + "\"\r\n");
    for (Step step = StartUp(t.e); step.Stage != At::Exit; step = RunStage(t.e, step)) HashStage(h, t.e, step.Stage);
    t.e.jg.Close();
    t.e.dj.Close();
    HashScreen(h, t.screen);
    HashFiles(h, t.dir);
    h.Int(t.keys.Polls());
    h.Int(t.clock.Seconds());
    if (positions != nullptr) *positions = t.e.search.PositionsEntered;
    if (candidates != nullptr) *candidates = t.e.search.CompleteAssignments;
    return h.Value();
}

std::vector<std::uint64_t> ReadFingerprints(const std::string& path) {
    std::vector<std::uint64_t> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        out.push_back(std::stoull(line, nullptr, 16));
    }
    return out;
}

bool WriteFingerprints(const std::string& path, const std::vector<std::uint64_t>& hashes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "# Walk fingerprints, one per seed from 0 (tests/fingerprint). Re-record with:\n"
           "# build/bin/walk_fingerprints --record\n";
    char line[24];
    for (std::uint64_t v : hashes) {
        std::snprintf(line, sizeof line, "%016" PRIx64 "\n", v);
        out << line;
    }
    return static_cast<bool>(out);
}

}  // namespace yinshi::testing
