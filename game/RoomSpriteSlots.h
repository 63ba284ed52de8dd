#pragma once
// Which sprite slots hold a sprite while a room is played: the loader takes
// the world's sprites (slots 11..48) only when the room's progress value
// lists them, and the interface sprites (50, 51) stay from start-up. The
// level assembler refuses a record whose sprite the room does not load.
// The loader builds its own lists from these.
#include <cstdint>
#include <span>

namespace roomsprite {

inline constexpr int32_t progress0[] = {11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23,
                                        26, 27, 28, 29, 30, 31, 32, 34, 37, 41, 47};
inline constexpr int32_t progress1[] = {11, 12, 13, 16, 19, 26, 27, 28, 30, 34, 23, 36, 37, 40, 41};
inline constexpr int32_t progress2[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 23, 26, 27, 29, 30, 31, 34, 47};
inline constexpr int32_t progress3[] = {11, 12, 13, 14, 16, 17, 19, 20, 24, 26, 27, 23, 31, 34, 44, 48, 30, 42, 43};
inline constexpr int32_t progress4[] = {11, 12, 13, 14, 16, 17, 18, 19, 26, 27, 30, 31, 32, 34, 23, 29, 37, 47};
inline constexpr int32_t progress5[] = {11, 12, 13, 14, 16, 17, 18, 19, 20, 23, 24,
                                        26, 27, 28, 29, 30, 31, 34, 36, 38, 47};
inline constexpr int32_t progress6[] = {11, 12, 13, 16, 19, 23, 26, 27, 28, 29, 34, 30, 36, 40, 41};
inline constexpr int32_t progress7[] = {11, 12, 13, 14, 16, 17, 18, 19, 20, 23, 24, 26,
                                        27, 29, 30, 32, 34, 36, 41, 44, 45, 42, 43, 47};
inline constexpr int32_t progress8[] = {11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 24,
                                        26, 27, 30, 31, 34, 35, 37, 38, 39, 47};
inline constexpr int32_t progress9[] = {11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 23,
                                        24, 26, 27, 28, 29, 30, 31, 34, 36, 41, 46};

// The resources the loader takes for each progress value, in load order.
inline constexpr std::span<const int32_t> listedByProgress[] = {progress0, progress1, progress2, progress3, progress4,
                                                                progress5, progress6, progress7, progress8, progress9};
inline constexpr int32_t progressValues = 10;

// Named by lists but never taken through them.
constexpr bool neverTakenFromList(int32_t slot) { return slot == 26 || slot == 41; }

constexpr bool isListed(int32_t slot, int32_t progress) {
  if (progress < 0 || progress >= progressValues || neverTakenFromList(slot)) return false;
  for (const int32_t listed : listedByProgress[progress])
    if (listed == slot) return true;
  return false;
}

// Slots the room-entering load fills from the world's packs.
inline constexpr int32_t firstWorldSlot = 11, lastWorldSlot = 48;
inline constexpr int32_t interfaceSlots[] = {50, 51};

// Whether slot holds a sprite in a room of that progress value (provided
// the pack has it).
constexpr bool isLoadedInRoom(int32_t slot, int32_t progress) {
  for (const int32_t interface : interfaceSlots)
    if (slot == interface) return true;
  return slot >= firstWorldSlot && slot <= lastWorldSlot && isListed(slot, progress);
}

// Loaded in a room of every progress value: what the shared objects may use.
constexpr bool isLoadedInEveryRoom(int32_t slot) {
  for (int32_t progress = 0; progress < progressValues; ++progress)
    if (!isLoadedInRoom(slot, progress)) return false;
  return true;
}

}  // namespace roomsprite
