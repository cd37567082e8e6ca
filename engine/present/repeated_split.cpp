#include "present/repeated_split.hpp"

#include <cstdint>

#include "platform/colours.hpp"
#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "state/engine.hpp"

namespace yinshi {

// f = (G)(Q) on the console and in the transcript, which the main line has
// already closed: it is reopened for these lines so that the transcript and its
// printed copy show the repeated factor too.
void ShowRepeatedSplit(Engine& e, int m, int n, const std::vector<float>& q) {
    DenseForm& d = e.dense;
    const bool reopened = !e.jg.IsOpen() && e.jg.Append(e.File(e.run.ResultFile));
    const float oldMode = e.run.PrintMode;
    e.run.PrintMode = e.jg.IsOpen() ? 0 : 1;

    e.run.Stage = 1;
    e.screen.Color(kResultColours);
    e.Print("****** =");
    e.jg.Write("=");
    PrintContentPrefix(e);

    const std::int32_t oldShift = d.PrintShift;
    d.PrintShift = RoundHalfEven(d.LowExp) - oldShift;
    d.PrintDegree = m;
    PrintDensePoly(e);
    d.PrintShift = oldShift;

    for (int k = 0; k <= n - m; ++k) d.PolyWork[k] = q[k];
    d.PrintDegree = n - m;
    PrintDensePoly(e);

    e.NewLine();
    e.jg.EndLine();
    e.PrintLine("=....");
    e.jg.Write("=....");
    e.jg.EndLine();
    e.screen.Color(kPlainColours);

    e.run.PrintMode = oldMode;
    if (reopened) e.jg.Close();
}

}  // namespace yinshi
