#include "state/exact_notice.hpp"

#include <string>

#include "platform/colours.hpp"

namespace yinshi {

namespace {

void OnStatusLine(Engine& e, int col, std::string_view text) {
    e.screen.Color(kStatusColours);
    e.screen.PrintStatus(col, text);
    e.screen.Color(kPlainColours);
}

}  // namespace

ExactNotice::ExactNotice(Engine& e, bool show) : e_(e), shown_(show) {
    if (!shown_) return;
    OnStatusLine(e_, 14, "正在精确分解,请稍候!(Factoring exactly, wait a moment!)");
    // Drawn now: the step ahead polls no key, so nothing else would draw it.
    e_.keys.Show();
}

ExactNotice::~ExactNotice() {
    if (shown_) OnStatusLine(e_, 1, std::string(Screen::kCols, ' '));
}

}  // namespace yinshi
