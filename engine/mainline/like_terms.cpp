#include "mainline/like_terms.hpp"

namespace yinshi {

void DropZeroTerms(TermTable& t) {
    for (int i = 1; i <= static_cast<int>(t.TermCount); ++i) {
        if (t.TermCoef[i] == 0) {
            t.TermCount = static_cast<float>(i - 1);
            break;
        }
    }
}

}  // namespace yinshi
