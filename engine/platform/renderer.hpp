#pragma once
#include "platform/screen.hpp"

namespace yinshi {

// A screen listener that may hold output back; Flush() sends everything the
// user should see now (before a key wait and at exit).
class Renderer : public ScreenListener {
public:
    virtual void Flush() = 0;
};

}  // namespace yinshi
