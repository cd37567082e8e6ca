#pragma once
#include <cstddef>
#include <vector>

namespace yinshi {

// The tables are indexed from 0 up to a degree or a count that is known only
// at run time: grows v, keeping what it holds, so that v[last] exists. A
// negative last asks for nothing.
template <typename T>
void AtLeast(std::vector<T>& v, int last) {
    if (last >= 0 && v.size() < static_cast<std::size_t>(last) + 1) v.resize(static_cast<std::size_t>(last) + 1, T{});
}

}  // namespace yinshi
