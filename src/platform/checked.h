#pragma once

#include "platform/exceptions.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

/// Element `index` of `v`, bounds-checked the way the tool's arrays are.
/// Throws OutOfBoundsException when index is negative or past the last element.
template <typename T>
T& At(std::vector<T>& v, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= v.size())
        throw OutOfBoundsException("index " + std::to_string(index) + " out of bounds (size " +
                                   std::to_string(v.size()) + ")");
    return v[static_cast<std::size_t>(index)];
}

template <typename T>
const T& At(const std::vector<T>& v, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= v.size())
        throw OutOfBoundsException("index " + std::to_string(index) + " out of bounds (size " +
                                   std::to_string(v.size()) + ")");
    return v[static_cast<std::size_t>(index)];
}

/// The last index of `v` (-1 when empty), as the tool's loops read it.
template <typename T>
long long LastIndex(const std::vector<T>& v) noexcept {
    return static_cast<long long>(v.size()) - 1;
}

}  // namespace platform
