#pragma once
// The game's block of statics, handed to the runtime by the program with the
// class initialisers. Each folder owns its struct; the toolkit's comes first
// so that the toolkit finds its own at the block's start.
#include <cstddef>
#include <tuple>

#include "game/shell/ShellStatics.h"
#include "game/story/StoryStatics.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/WorldStatics.h"

struct GameStatics {
  ToolkitStatics toolkit;
  ShellStatics shell;
  WorldStatics world;
  StoryStatics story;
  auto parts() { return std::tie(toolkit, shell, world, story); }
};
static_assert(offsetof(GameStatics, toolkit) == 0, "the toolkit's statics open the game's block");

inline GameStatics& gameStatics() { return gameStaticsAs<GameStatics>(); }
inline ShellStatics& shellStatics() { return gameStatics().shell; }
inline WorldStatics& worldStatics() { return gameStatics().world; }
inline StoryStatics& storyStatics() { return gameStatics().story; }
