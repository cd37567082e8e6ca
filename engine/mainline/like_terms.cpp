#include "mainline/like_terms.hpp"

namespace yinshi {

void DropZeroTerms(TermTable& t) {
    for (int i = 1; i <= t.TermCount; ++i) {
        if (t.TermCoef[i] == 0) {
            t.TermCount = i - 1;
            break;
        }
    }
}

}  // namespace yinshi
