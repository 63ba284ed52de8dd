#pragma once
// cActorMC's class statics: the idle clock, the carried-object offsets of
// picking up and putting down, and the ranged ability's targets, sectors,
// candidates and aiming ring.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;
class cActor;

struct cActorMCStatics {
  static constexpr int32_t targetCapacity = 300;
  static constexpr int32_t candidateCapacity = 70;

  int32_t idleTime;             // ms the focus character has stood still
  ObjectArray* pickUpOffsets;   // Object[7] of int[3] {a, b, c}; empty arrays for none
  ObjectArray* putDownOffsets;  // Object[9] of int[3]
  IntArray* plainDirections;    // {up, down, left, right} masks
  ObjectArray* targets;         // Object[300]: creatures on screen
  int32_t targetCount;
  IntArray* sectorCounts;       // int[8]: targets per direction code
  ObjectArray* aimCandidates;   // Object[70]
  int32_t candidateCount;
  int32_t selectedCandidate;
  int32_t outsideCount;
  int32_t aimCode;
  int32_t lastAimCode;
  bool aimKeyPressed;
  bool aimHit;
  int32_t aimDamage;
  cActor* aimTarget;
  // The aiming ring the HUD draws: [0] size, [2] shrink step, [3] start
  // size, [4] smallest size, [7], [8] target on screen, [9] hold ms.
  IntArray* aimRing;
  bool ringHeld;
  IntArray* hudPoint;  // int[2] the HUD reads
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cActorMCStatics::pickUpOffsets, &cActorMCStatics::putDownOffsets,
                              &cActorMCStatics::plainDirections, &cActorMCStatics::targets,
                              &cActorMCStatics::sectorCounts,   &cActorMCStatics::aimCandidates,
                              &cActorMCStatics::aimTarget,      &cActorMCStatics::aimRing,
                              &cActorMCStatics::hudPoint};
  }
};
