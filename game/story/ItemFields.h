#pragma once
// The fields of a room's item record, in the order the level data gives
// them and cGame::getItemField reads them.
#include <cstdint>

namespace itemfield {
inline constexpr int32_t iconSprite = 0;
inline constexpr int32_t iconAnim = 1;
inline constexpr int32_t useKind = 2;
inline constexpr int32_t name = 3;
inline constexpr int32_t description = 4;
inline constexpr int32_t amount = 5;
inline constexpr int32_t value = 6;
inline constexpr int32_t count = 7;
}  // namespace itemfield
