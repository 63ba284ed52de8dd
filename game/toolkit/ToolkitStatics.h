#pragma once
// The toolkit's statics: one struct per toolkit class (and the toolkit's own
// share of cGame's statics), each a member here and named after its class:
// toolkitStatics().ASprite.pixelBuffer. The toolkit's block opens the game's
// block of statics, so the toolkit reaches it without knowing the folders
// above it; a toolkit test hands describeGameStatics<ToolkitStatics>().
#include <tuple>

#include "game/toolkit/ASpriteStatics.h"
#include "game/toolkit/CVLibPlayerSoundStatics.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/cGameDataStreamStatics.h"
#include "game/toolkit/cGameDrawStatics.h"
#include "game/toolkit/cGameLzmaStatics.h"
#include "game/toolkit/cGameMathStatics.h"
#include "game/toolkit/cGamePackStatics.h"
#include "game/toolkit/cGameSnapshotStatics.h"
#include "game/toolkit/cGameSoundStatics.h"
#include "game/toolkit/cGameStateStatics.h"
#include "game/toolkit/cGameStreamReadersStatics.h"
#include "game/toolkit/cGameTextStatics.h"
#include "runtime/object/StaticClass.h"

// Each toolkit class (and each concern of cGame's toolkit share, as
// cGame<Concern>Statics) declares its struct in its own header; this block
// names one member per struct and lists it in parts().
struct ToolkitStatics {
  cGameDataStreamStatics cGameDataStream;
  cGameStreamReadersStatics cGameStreamReaders;
  cGameLzmaStatics cGameLzma;
  cGamePackStatics cGamePack;
  cGameTextStatics cGameText;
  ASpriteStatics ASprite;
  cGameDrawStatics cGameDraw;
  DrawEffectsStatics DrawEffects;
  cGameSnapshotStatics cGameSnapshots;
  cGameMathStatics cGameMath;
  cGameStateStatics cGameState;
  cGameSoundStatics cGameSound;
  CVLibPlayerSoundStatics CVLibPlayerSound;
  auto parts() {
    return std::tie(cGameDataStream, cGameStreamReaders, cGameLzma, cGamePack, cGameText, ASprite, cGameDraw,
                    DrawEffects, cGameSnapshots, cGameMath, cGameState, cGameSound, CVLibPlayerSound);
  }
};

inline ToolkitStatics& toolkitStatics() { return gameStaticsAs<ToolkitStatics>(); }
