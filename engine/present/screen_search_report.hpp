#pragma once
#include "platform/screen.hpp"
#include "state/search_report.hpp"

namespace yinshi {

// The search's progress on the engine's screen, among the bounds and degrees
// the driver prints there.
class ScreenSearchReport final : public SearchReport {
public:
    explicit ScreenSearchReport(Screen& screen) : screen_(screen) {}

    void FactorAccepted() override;
    void PairUsedUp(float g0) override;
    void DegreePassed(int degree) override;
    void NoLimitAsked(int degree) override;
    void CombinationBegun() override;
    void GroupSizeBegun() override;
    void FirstGroupOfSizeFailed() override;

private:
    Screen& screen_;
};

}  // namespace yinshi
