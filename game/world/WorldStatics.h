#pragma once
// The world's statics: one struct per class, reached as worldStatics().cActor.
#include <tuple>

#include "game/world/cActorEnemyStatics.h"
#include "game/world/cActorMCStatics.h"
#include "game/world/cActorStatics.h"
#include "game/world/cGameCameraStatics.h"
#include "game/world/cGameEffectsStatics.h"
#include "game/world/cGamePlayStatics.h"
#include "game/world/cGameRoomStatics.h"

struct WorldStatics {
  cActorStatics cActor;
  cActorMCStatics cActorMC;
  cGameRoomStatics cGameRoom;
  cGamePlayStatics cGamePlay;
  cGameEffectsStatics cGameEffects;
  cGameCameraStatics cGameCamera;
  cActorEnemyStatics cActorEnemy;
  auto parts() { return std::tie(cActor, cActorMC, cGameRoom, cGamePlay, cGameEffects, cGameCamera, cActorEnemy); }
};
