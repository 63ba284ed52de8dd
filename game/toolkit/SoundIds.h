#pragma once
// Numbers of the sound bank that the game and the sound pack agree on.
#include <cstdint>

namespace sound {

// Entries of the sound pack, and ids playSound accepts.
inline constexpr int32_t count = 34;
// The priority table also covers ids that are never played.
inline constexpr int32_t priorityCount = 39;

// A sound-pack entry's type is its channel.
inline constexpr int32_t channelB = 0;
inline constexpr int32_t channelA = 1;  // music

// Ids that play another sound (6 plays 5, 13 plays 12, 27 plays 21); their
// pack entries are never played.
inline constexpr int32_t remapped(int32_t id) {
  switch (id) {
    case 6: return 5;
    case 13: return 12;
    case 27: return 21;
    default: return id;
  }
}

// The bank ignores requests until this long after its class initialisation.
inline constexpr int64_t startUpGateMillis = 350;

}  // namespace sound
