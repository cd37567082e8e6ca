#pragma once
#include "state/engine.hpp"

namespace yinshi {

// The time limit and the two-minute rule count from now.
void RestartSearchClock(Engine& e);

void ShowStatusLine(Engine& e);

}  // namespace yinshi
