#include "game/toolkit/ToolkitStatics.h"

#include "runtime/object/GameStaticsBlock.h"

static_assert(describeGameStatics<ToolkitStatics>().size == sizeof(ToolkitStatics));
