#pragma once
// A loading run: its profile, the state entered when it is done, and its
// step counter.
#include <cstdint>

namespace LoadProfile {
inline constexpr int32_t firstStart = 0;
inline constexpr int32_t startUp = 1;
inline constexpr int32_t enterRoom = 4;
inline constexpr int32_t leaveWorld = 5;
inline constexpr int32_t extraSprites = 6;
// Set by the loading state's exit: a run started without choosing a
// profile keeps the previous count.
inline constexpr int32_t keepCount = 7;
}  // namespace LoadProfile

struct cGameLoadStatics {
  int32_t loadProfile;
  int32_t stateAfterLoading;  // -1 none
  int32_t loadStepIndex;
  int32_t loadStepCount;
  bool loadingActive;
  bool loadingDone;
};
