#pragma once
// The animation player's sound-channel manager (statics of CVLibPlayer): a
// ring of commands per channel that an update pass runs on media players.
// Nothing in the game starts it; the sound bank plays the game's sounds.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;
class java_lang_Thread;

struct CVLibPlayerSoundStatics {
  int32_t channelCount;
  bool enabled;
  ObjectArray* soundData;    // byte[] per sound
  IntArray* soundTypes;      // per sound: index of its content type in the pack string table
  ObjectArray* players;      // per channel: its player object or null
  IntArray* channelSound;    // per channel: the sound its player holds, -1 none
  IntArray* channelPriority;
  IntArray* channelState;    // per channel: 0 free, 2 playing
  java_lang_Thread* thread;  // never made
  IntArray* commands;        // channels x ringSize x {command, sound, priority, loop count, volume}
  IntArray* ringHead;        // per channel
  IntArray* ringCount;       // per channel
  bool busy;                 // an update pass runs
  IntArray* executing;       // the command being run: int[5]

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&CVLibPlayerSoundStatics::soundData,    &CVLibPlayerSoundStatics::soundTypes,
                              &CVLibPlayerSoundStatics::players,      &CVLibPlayerSoundStatics::channelSound,
                              &CVLibPlayerSoundStatics::channelPriority, &CVLibPlayerSoundStatics::channelState,
                              &CVLibPlayerSoundStatics::thread,       &CVLibPlayerSoundStatics::commands,
                              &CVLibPlayerSoundStatics::ringHead,     &CVLibPlayerSoundStatics::ringCount,
                              &CVLibPlayerSoundStatics::executing};
  }
};
