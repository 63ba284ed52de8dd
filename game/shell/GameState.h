#pragma once
// The screens of the flat state machine and the messages their handlers get.
#include <cstdint>

namespace GameState {
inline constexpr int32_t none = -1;
inline constexpr int32_t init = 1;
inline constexpr int32_t splash = 2;
inline constexpr int32_t title = 3;
inline constexpr int32_t loading = 4;
inline constexpr int32_t mainMenu = 5;
inline constexpr int32_t playMenu = 6;
inline constexpr int32_t optionsMenu = 7;
inline constexpr int32_t soundMenu = 9;
inline constexpr int32_t inGameMenu = 10;
inline constexpr int32_t inventory = 11;
inline constexpr int32_t inGame = 14;
inline constexpr int32_t results = 15;
inline constexpr int32_t textPage = 16;
inline constexpr int32_t messageBox = 21;
inline constexpr int32_t promotion = 22;
inline constexpr int32_t help = 23;
// Handlers are looked up in a table of this many entries (ids 0..23).
inline constexpr int32_t tableSize = 24;
}  // namespace GameState

namespace StateMessage {
inline constexpr int32_t enter = 0;
inline constexpr int32_t update = 1;
inline constexpr int32_t paint = 2;
inline constexpr int32_t exit = 3;
}  // namespace StateMessage

using StateHandler = void (*)(int32_t message);
