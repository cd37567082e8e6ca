#pragma once

namespace yinshi {

struct Engine;

// gcd(f, f') of PolyKeep; when f has a repeated factor shows f = (G)(Q) and sets Stage = 1.
void RepeatedFactorTest(Engine& e);

}  // namespace yinshi
