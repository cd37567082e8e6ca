#pragma once

namespace yinshi {

struct Engine;

// A run that reached its product with a factor the walk left whole, though it
// splits over the integers, goes on in the same style: the factor, the
// grouping working of its split (the exact factorisation gives g, and q =
// f / g), the split, and the new product line, on the screen and appended to
// the transcript; again until no factor splits. Not after the user stopped
// the search with t, and only where every number shown stays exact.
void SplitWhatRemains(Engine& e);

}  // namespace yinshi
