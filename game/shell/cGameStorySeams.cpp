// What a room's start calls of the story's flags before they land: the
// body is the part's stand-in until its own file replaces it.
#include "game/shell/cGame.h"

// The story flag set and the 13-int table made for a room's start.
void cGame::resetStoryFlags() {}
