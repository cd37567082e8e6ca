#pragma once
#include "state/engine.hpp"

namespace yinshi {

// While an exact step that may take long enough to be seen runs (FLINT
// cannot be interrupted, so no key answers meanwhile), the status line says
// so; it is blank again when the notice goes out of scope.
class ExactNotice {
public:
    ExactNotice(Engine& e, bool show);
    ~ExactNotice();
    ExactNotice(const ExactNotice&) = delete;
    ExactNotice& operator=(const ExactNotice&) = delete;

private:
    Engine& e_;
    bool shown_;
};

}  // namespace yinshi
