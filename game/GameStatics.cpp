#include "game/GameStatics.h"

#include "runtime/object/GameStaticsBlock.h"

// The whole block must be describable: every part lists its references.
static_assert(describeGameStatics<GameStatics>().size == sizeof(GameStatics));
