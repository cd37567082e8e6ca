// The window's reading of pasted text on arbitrary UTF-16: turning it into the program's
// spelling and finding the first refused character. Nothing may crash or trip a sanitizer; a
// second turn changes nothing, and a refusal names a character inside the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "input_check.hpp"
#include "input_spelling.hpp"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string pasted(size / 2, u'\0');
    if (!pasted.empty()) std::memcpy(pasted.data(), data, pasted.size() * 2);
    const std::u16string spelled = yinshi::frontend::ToProgramSpelling(pasted);
    Require(yinshi::frontend::ToProgramSpelling(spelled) == spelled);
    Require(spelled.size() <= 2 * pasted.size());
    if (auto refusal = yinshi::frontend::FirstRefusal(spelled)) {
        Require(refusal->position >= 1 && refusal->position <= spelled.size());
    } else {
        Require(yinshi::frontend::FirstRejectedUnit(spelled) == std::nullopt);
    }
    return 0;
}
