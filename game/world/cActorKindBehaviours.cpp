// The kind switch's second half: which behaviour each scene-object kind runs
// in a frame. Kinds whose behaviour has not landed yet stand still.
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"

void cActor::runKindBehaviour() {
  switch (kind) {
    case ActorKind::BARRIER:
      updateStagedBarrier();
      break;
    case ActorKind::BLOCKING_OBJECT:
      updateLiftable();
      break;
    case ActorKind::MOVER:
      updatePushable();
      break;
    case ActorKind::COLLECTIBLE:
      updateCollectible();
      break;
    case ActorKind::SLIDER:
      updateSlider();
      break;
    case ActorKind::SENSOR:
      updateSensor();
      break;
    case ActorKind::FALLING_OBJECT:
      updateFallingObject();
      break;
    case ActorKind::THROWN_OBJECT:
      updateFallingObject2();
      break;
    case ActorKind::PATH_HAZARD:
      updatePathHazard();
      break;
    case ActorKind::CRITTER:
      updateCritter();
      break;
    case ActorKind::BEHAVIOUR_MACHINE:
      updatePursuer();
      break;
    case ActorKind::SPAWNED:
      updateSpawned25();
      break;
    case ActorKind::CONTACT_AREA:
      updateArea66();
      break;
    case ActorKind::CAMERA_BAND:
      updateBand67();
      break;
    case ActorKind::SPAWNER:
      updateSpawner();
      break;
    case ActorKind::BARRIER_SWITCH:
      updateBarrierSwitch();
      break;
    case ActorKind::AREA_TRIGGER:
      updateAreaTrigger();
      break;
    case ActorKind::FLAG_TRIGGER:
      updateFlagTrigger();
      break;
    case ActorKind::KEY_OBJECT:
      updateKeyObject();
      break;
    case ActorKind::SNAPSHOT_TRIGGER:
      updateSnapshotTrigger();
      break;
    case ActorKind::EMITTER:
      updateEmitter();
      break;
    default:
      break;
  }
}

bool cActor::isAnimationEnded() const { return player == nullptr || player->isAnimOver(); }
