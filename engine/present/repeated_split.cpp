#include "present/repeated_split.hpp"

#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "state/engine.hpp"

namespace yinshi {

// f = (G)(Q) on the console and in the transcript, which the main line has
// already closed: it is reopened for these lines so that the transcript and its
// printed copy show the repeated factor too.
void ShowRepeatedSplit(Engine& e, const DenseSplit& s) {
    const bool reopened = !e.jg.IsOpen() && e.jg.Append(e.File(e.run.ResultFile));
    const PrintTarget target = e.jg.IsOpen() ? PrintTarget::ScreenAndTranscript : PrintTarget::Screen;

    e.run.FactorFound = true;
    e.screen.Color(kResultColours);
    e.Print("****** =");
    e.jg.Write("=");
    PrintContentPrefix(e);

    // G is written from power 0 and Q from the polynomial's lowest power, as
    // the closing has always shown them. With several letters and a lowest
    // power above 0 these are not G's and Q's own shares of it: those would
    // be LowExp - s and s, s the shift the degree-split test found for Q.
    PrintDensePoly(e, s.g, s.gDeg, 0, target);
    PrintDensePoly(e, s.q, s.qDeg, RoundHalfEven(e.dense.LowExp), target);

    e.NewLine();
    e.jg.EndLine();
    e.PrintLine("=....");
    e.jg.Write("=....");
    e.jg.EndLine();
    e.screen.Color(kPlainColours);

    if (reopened) e.jg.Close();
}

}  // namespace yinshi
