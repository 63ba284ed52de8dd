#pragma once
// For toolkit .cpp files only: lets toolkit code name cGame's operations as
// the rest of the game does (cGame::loadSprite). The shell's cGame derives
// from cGameToolkit, so both spellings reach the same functions. Never
// include this from a header.
#include "game/toolkit/cGameToolkit.h"

using cGame = cGameToolkit;
