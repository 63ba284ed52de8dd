#pragma once
// IDefines (class id 122): the world's distances and speeds in 8.8 fixed
// point (value / 256 = pixels or pixels per frame step), in their order.
#include <array>
#include <cstdint>

namespace IDefines {
inline constexpr std::array<int32_t, 24> values = {
    5632, 5632, 3584, -3072, 4096, 2048, 3072, 2048, 2560, 20480, -8192, 4096,
    4096, 4096, 20480, 1536, 8192, 2560, 16384, 5120, 30720, 6656, 2048, 6144};
// The n-th constant (1..24), as the world's code reads it.
constexpr int32_t value(int32_t n) { return values[static_cast<size_t>(n - 1)]; }
}  // namespace IDefines
