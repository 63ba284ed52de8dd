// The three character classes: construction and their factories, which run
// the same set-up and insertion as cActor::create.
#include "game/GameStatics.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"

namespace {

// IDefines is a constant interface: any non-null view answers it.
void* constantInterfaceView(Object* object, int32_t interfaceId) {
  return interfaceId == classid::IDefines ? object : nullptr;
}

template <class Character>
Character* placeNew(Character* actor, int32_t kind, int32_t layer, IntArray* position) {
  if (actor == nullptr) return nullptr;
  actor->cActor::init(kind, position);
  actor->insertIntoLayer(layer);
  return actor;
}

}  // namespace

cActorMC* cActorMC::create(int32_t kind, int32_t layer, IntArray* position) {
  return placeNew(newObject<cActorMC>(), kind, layer, position);
}

void cActorMC::init() {
  targetPoint = newIntArray(2);
  enemiesInReach = newObjectArray(10);
  breakablesInReach = newObjectArray(10);
  moversInReach = newObjectArray(4);
  othersInReach = newObjectArray(10);
}

void* cActorMC::lookupInterface(int32_t interfaceId) { return constantInterfaceView(this, interfaceId); }

bool cActorMC::isFocusCharacter() {
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  return play.playerControl && play.focusActor != nullptr && play.focusActor->id == id;
}

cActorEnemy* cActorEnemy::create(int32_t kind, int32_t layer, IntArray* position) {
  cActorEnemy* actor = newObject<cActorEnemy>();
  if (actor == nullptr) return nullptr;
  actor->params = newIntArray(paramLength);
  actor->paramCount = paramLength;
  return placeNew(actor, kind, layer, position);
}

void cActorEnemy::init() {
  homePoint = newIntArray(2);
  coneWork = newIntArray(4);
}

void* cActorEnemy::lookupInterface(int32_t interfaceId) { return constantInterfaceView(this, interfaceId); }

cActorNPC* cActorNPC::create(int32_t kind, int32_t layer, IntArray* position) {
  return placeNew(newObject<cActorNPC>(), kind, layer, position);
}

void* cActorNPC::lookupInterface(int32_t interfaceId) { return constantInterfaceView(this, interfaceId); }
