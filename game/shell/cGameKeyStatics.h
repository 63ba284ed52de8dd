#pragma once
// Key input: the key maps, the accumulators the drained events write, the
// per-frame block every update reads, and the key-sequence detector.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ObjectArray;
class java_util_Hashtable;

struct cGameKeyStatics {
  java_util_Hashtable* keyMap;
  java_util_Hashtable* gameActionKeyMap;
  // The per-frame block, then the three key-state masks; cleared together.
  int64_t frameTick;
  int32_t framePressed;
  int32_t frameReleased;
  int32_t frameHeld;
  int32_t keysPressedPending;
  int32_t keysReleasedPending;
  int32_t keysHeld;
  ObjectArray* keySequences;  // int[7] x 6
  int32_t sequenceProgress[6];
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameKeyStatics::keyMap, &cGameKeyStatics::gameActionKeyMap,
                              &cGameKeyStatics::keySequences};
  }
};
