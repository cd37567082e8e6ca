// The closing questions, the last factor, the pending binomials, the end
// marks of the transcript and the end of the run.
#include "mainline/continuation.hpp"
#include "mainline/driver.hpp"
#include "mainline/further_solutions.hpp"
#include "mainline/progress.hpp"
#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "present/gsys_file.hpp"
#include "present/printing.hpp"
#include "present/repeated_split.hpp"
#include "results/certificate.hpp"
#include "results/show_transcript.hpp"
#include "search/repeated_factor.hpp"
#include "search/walk_guide.hpp"

namespace yinshi {

namespace {

bool IsYes(char key) { return key == 'y' || key == 'Y'; }

// Exact factoring has shown the polynomial of the first pass irreducible.
bool ShownIrreducible(const Engine& e) {
    const SearchState& s = e.search;
    if (e.run.FactorFound || !s.GuideFactors) return false;
    const std::optional<exact::UniPoly> walked = WholeCoefficients(e.dense.PolyCoef.data(), e.dense.Degree);
    if (!walked || *walked != s.GuidePoly) return false;
    const std::vector<exact::UniFactor>& parts = s.GuideFactors->factors;
    return parts.size() == 1 && parts[0].multiplicity == 1;
}

// Another attempt with other bounds could only repeat a search whose end
// exact factoring has already decided: the polynomial is irreducible, or the
// walk spent its budget and what is left goes to exact factoring anyway. The
// plain walk, kept for comparison, still asks.
bool AttemptIsPointless(const Engine& e) {
    if (e.exact == nullptr || !e.guideWalk) return false;
    return e.search.ExactEnded || ShownIrreducible(e);
}

}  // namespace

At AskAnew(Engine& e) {
    RunFlags& r = e.run;
    SearchState& s = e.search;
    if (AttemptIsPointless(e)) return At::Finish;
    e.PrintLine("重 新 分 解 它 吗 ");
    e.PrintLine("Anew decompose y/n ?");
    if (!IsYes(e.keys.Wait())) return At::Finish;

    r.AnsweredAnew = true;
    r.KeepAnewBound = true;
    RestartSearchClock(e);
    if (r.StopReason == StopReason::Retune || r.StopReason == StopReason::Leave) {
        r.StopReason = StopReason::None;
        s.Bound1 -= 1;
        s.StartDegree = s.TrialDegree;
        if (s.Bound1 == 0) {
            s.Bound1 = s.DefaultBound1 + 1;
            s.CurBound1 = s.Bound1;
            s.StartDegree = s.FirstDegree;
        }
    } else {
        s.Bound1 = s.Bound1 < s.DefaultBound1 ? s.DefaultBound1 + 1 : s.Bound1 + 1;
        s.CurBound1 = s.Bound1;
        s.StartDegree = s.FirstDegree;
        if (s.Bound1 == s.Bound2) s.Bound2 += 1;
    }
    return At::BoundClamp;
}

At Finish(Engine& e) {
    RunFlags& r = e.run;
    DenseForm& d = e.dense;
    r.StopReason = StopReason::None;
    for (int k = 0; k <= d.DegreeKeep; ++k) d.PolyWork[k] = static_cast<float>(r.SignAcc) * d.PolyKeep[k];
    r.SignAcc = 1;
    PrintDensePoly(e, d.PolyWork, d.DegreeKeep, RoundHalfEven(d.LowExp), PrintTarget::ScreenAndTranscript);

    if (r.GsysRead < r.GsysCount) {
        r.GsysRead += 1;
        if (!ReadGsysFile(e, static_cast<int>(r.GsysRead))) {
            // The pending factor is in that file: without it the product would be incomplete.
            e.FileFailed(GsysFileName(r.GsysRead), false);
            return At::FileProblem;
        }
        return At::Restart;
    }
    return At::CloseTranscript;
}

At CloseTranscript(Engine& e) {
    RunFlags& r = e.run;
    e.jg.EndLine();
    e.NewLine();
    e.NewLine();
    if (r.StoppedBy != StoppedBy::Nothing) {
        e.jg.Write("=....");
        e.jg.EndLine();
    } else if (r.Skipped == 1) {
        e.jg.Write("=...");
        e.jg.EndLine();
    }
    return CloseWithoutMarks(e);
}

At CloseWithoutMarks(Engine& e) {
    RunFlags& r = e.run;
    e.jg.Close();
    e.NewLine();
    if (!r.FactorFound) {
        e.PrintLine("####");
        if (auto split = FindRepeatedFactor(e))
            ShowRepeatedSplit(e, {split->g, split->m, split->q, split->n - split->m});
        const At next = r.FactorFound ? At::CloseAll : At::ShowResults;
        SplitWhatRemains(e);
        return next;
    }
    SplitWhatRemains(e);
    return At::ShowResults;
}

At ShowResults(Engine& e) {
    e.screen.Color(kResultColours);
    ShowTranscript(e);
    e.screen.Color(kPlainColours);
    e.screen.Bell();
    e.NewLine();
    if (e.run.FactorFound) e.PrintLine("ok!");
    return e.run.NoGroupingShown ? At::CloseAll : At::AskAnother;
}

At AskAnother(Engine& e) {
    e.NewLine();
    e.PrintLine("要   看    下   一   种    解   法   吗");
    e.PrintLine("do you want to look at another solution? y/n");
    if (!IsYes(e.keys.Wait())) return At::CloseAll;
    if (Next next = StartAnotherSolution(e)) return *next;
    return At::CloseAll;
}

At CloseAll(Engine& e) {
    e.jg.Close();
    e.dj.Close();
    TellCertificate(e);
    e.NewLine();
    return At::EndPrompt;
}

void TellFileFault(Engine& e, const FileFault& fault) {
    if (e.screen.Cursor().second != 1) e.NewLine();
    if (fault.writing) {
        e.PrintLine("无法写入 " + fault.name);
        e.PrintLine(fault.name + " could not be written");
    } else {
        e.PrintLine("无法读取 " + fault.name);
        e.PrintLine(fault.name + " could not be read");
    }
}

At FileProblem(Engine& e) {
    if (e.fault && !e.fault->told) {
        TellFileFault(e, *e.fault);
        e.fault->told = true;
    }
    e.jg.Close();
    e.dj.Close();
    // dj.dat is filed from the finished transcript: the product it ends with
    // is whole and can still be certified.
    if (e.fault && e.fault->name == "dj.dat") TellCertificate(e);
    e.NewLine();
    return At::EndPrompt;
}

At EndPrompt(Engine& e) {
    e.screen.Color(kEndColours);
    e.PrintLine("end");
    e.NewLine();
    e.PrintLine("阅  读  后   按  任  一  键");
    e.PrintLine("Press any key after reading");
    e.keys.Wait();
    if (!e.ownWindow) return At::Exit;
    e.screen.Color(kCloseHintColours);
    e.NewLine();
    e.PrintLine("用鼠标左键单击右上方 × 处关闭此窗口");
    e.PrintLine("Use the mouse to  close  the  window");
    return At::Exit;
}

}  // namespace yinshi
