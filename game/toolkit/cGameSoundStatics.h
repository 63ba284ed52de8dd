#pragma once
// The sound bank: cGame's statics of every sound and of the two channels.
// Channel A plays music (kind 1), channel B effects (kind 0).
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class Object;
class ObjectArray;
class cSoundServer;

struct cGameSoundStatics {
  IntArray* priority;     // int[39]: larger wins
  cSoundServer* server;   // the one server
  bool soundOn;           // the player's sound setting
  int64_t startStamp;     // currentTimeMillis at class initialisation
  Object* playerA;        // channel A's player object, null when none
  Object* playerB;
  ObjectArray* contentType;  // String[34]
  ObjectArray* data;         // ByteArrayInputStream[34]
  IntArray* kind;            // int[34]: 1 channel A, 0 channel B
  int32_t currentA;          // sound last started on A, -1 none
  int32_t currentB;
  int32_t resumeId;  // sound to start again after a pause, -1 none
  bool resumeLoop;
  int32_t resumeDelay;  // frames to wait before it starts
  // Counts the stops of each channel, so that a player the server built
  // while the channel was stopped is never started.
  uint32_t stopsA;
  uint32_t stopsB;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameSoundStatics::priority, &cGameSoundStatics::server,
                              &cGameSoundStatics::playerA,  &cGameSoundStatics::playerB,
                              &cGameSoundStatics::contentType, &cGameSoundStatics::data,
                              &cGameSoundStatics::kind};
  }
};
