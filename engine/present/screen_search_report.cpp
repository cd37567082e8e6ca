#include "present/screen_search_report.hpp"

#include <string>

#include "platform/number_form.hpp"

namespace yinshi {

void ScreenSearchReport::FactorAccepted() {
    screen_.NewLine();
    screen_.PrintStatus(1, std::string(Screen::kCols, ' '));
}

void ScreenSearchReport::PairUsedUp(float g0) { screen_.Print(ItemForm(g0)); }

void ScreenSearchReport::DegreePassed(int degree) { screen_.Print(ItemForm(static_cast<float>(degree)) + " "); }

void ScreenSearchReport::NoLimitAsked(int degree) {
    screen_.Clear();
    for (const std::string& line :
         {std::string("b"), std::string("程序正在运行中,请等候,或按x键!"), std::string("The process is operating now."),
          ItemForm(static_cast<float>(degree))}) {
        screen_.Print(line);
        screen_.NewLine();
    }
}

void ScreenSearchReport::CombinationBegun() { screen_.NewLine(); }

void ScreenSearchReport::GroupSizeBegun() { screen_.NewLine(); }

void ScreenSearchReport::FirstGroupOfSizeFailed() {
    screen_.Print("");
    screen_.NextZone();
}

}  // namespace yinshi
