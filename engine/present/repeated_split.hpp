#pragma once
#include <vector>

namespace yinshi {

struct Engine;

// f = (G)(Q), G in PolyWork(0..m) and Q = q(0..n - m), on the console and in
// the transcript, even though the main line has already closed it; sets Stage = 1.
void ShowRepeatedSplit(Engine& e, int m, int n, const std::vector<float>& q);

}  // namespace yinshi
