#include "game/toolkit/SoundChannels.h"

#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "game/toolkit/cSoundServer.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/media/javax_microedition_media_Manager.h"
#include "runtime/media/javax_microedition_media_Player.h"
#include "runtime/media/javax_microedition_media_control_VolumeControl.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/java_lang_Thread.h"

namespace {

using Player = javax_microedition_media_Player;

CVLibPlayerSoundStatics& channels() { return toolkitStatics().CVLibPlayerSound; }

IntArray* newFilledIntArray(int32_t length, int32_t value) {
  IntArray* array = newIntArray(length);
  if (array != nullptr)
    for (int32_t index = 0; index < length; ++index) array->set(index, value);
  return array;
}

int32_t slotOf(int32_t channel, int32_t position) {
  return (channel * SoundChannels::ringSize + position) * SoundChannels::commandInts;
}

}  // namespace

void SoundChannels::start(int32_t channelCount, ObjectArray* soundData, IntArray* soundTypes) {
  CVLibPlayerSoundStatics& s = channels();
  if (channelCount < 1) return;
  s.channelCount = channelCount;
  s.soundData = soundData;
  s.soundTypes = soundTypes;
  s.players = newObjectArray(channelCount);
  s.channelSound = newFilledIntArray(channelCount, -1);
  s.channelPriority = newIntArray(channelCount);
  s.channelState = newIntArray(channelCount);
  s.commands = newIntArray(channelCount * ringSize * commandInts);
  s.ringHead = newIntArray(channelCount);
  s.ringCount = newIntArray(channelCount);
  s.executing = newIntArray(commandInts);
  s.enabled = s.players && s.channelSound && s.channelPriority && s.channelState && s.commands && s.ringHead &&
              s.ringCount && s.executing;
}

void SoundChannels::queue(int32_t channel, int32_t command, int32_t sound, int32_t priority, int32_t loopCount,
                          int32_t volume) {
  CVLibPlayerSoundStatics& s = channels();
  if (!s.enabled || channel < 0 || channel >= s.channelCount) return;
  IntArray* ring = s.commands;
  const int32_t head = s.ringHead->get(channel);
  int32_t count = s.ringCount->get(channel);
  for (int32_t pending = 0; pending < count; ++pending) {
    const int32_t at = slotOf(channel, (head + pending) % ringSize);
    if (ring->get(at) != command) continue;
    const bool keeps = (command == prepare || command == play) && ring->get(at + 2) < priority;
    if (!keeps) ring->set(at, none);
  }
  if (count == ringSize) {
    // The oldest command gives way rather than the ring overrunning itself.
    debugLog("SoundChannels: channel %d's commands are full; the oldest is dropped", channel);
    s.ringHead->set(channel, (head + 1) % ringSize);
    count -= 1;
  }
  const int32_t at = slotOf(channel, (s.ringHead->get(channel) + count) % ringSize);
  const int32_t values[commandInts] = {command, sound, priority, loopCount, volume};
  for (int32_t index = 0; index < commandInts; ++index) ring->set(at + index, values[index]);
  s.ringCount->set(channel, count + 1);
}

void SoundChannels::update() {
  CVLibPlayerSoundStatics& s = channels();
  if (!s.enabled || s.busy) return;
  s.busy = true;
  for (int32_t channel = 0; channel < s.channelCount; ++channel) {
    const int32_t count = s.ringCount->get(channel);
    if (count < 1) continue;
    const int32_t head = s.ringHead->get(channel);
    const int32_t at = slotOf(channel, head);
    for (int32_t index = 0; index < commandInts; ++index) s.executing->set(index, s.commands->get(at + index));
    s.ringHead->set(channel, (head + 1) % ringSize);
    s.ringCount->set(channel, count - 1);
    execute(channel);
    if (takePendingException(classid::java_lang_Exception)) freeChannel(channel);
  }
  s.busy = false;
}

void SoundChannels::execute(int32_t channel) {
  CVLibPlayerSoundStatics& s = channels();
  const int32_t command = s.executing->get(0), sound = s.executing->get(1), priority = s.executing->get(2);
  Player* player = Player::viewOf(s.players->get(channel));
  switch (command) {
    case prepare: {
      const bool outranked = s.channelState->get(channel) == playing && s.channelPriority->get(channel) > priority;
      if (outranked || (player != nullptr && s.channelSound->get(channel) == sound)) return;
      freeChannel(channel);
      if (s.soundData == nullptr || sound < 0 || sound >= s.soundData->length()) return;
      auto* data = static_cast<ByteArray*>(s.soundData->get(sound));
      if (data == nullptr) return;
      auto* stream = newObject<java_io_ByteArrayInputStream>(data);
      String* type = s.soundTypes != nullptr ? cGame::getPackString(s.soundTypes->get(sound)) : nullptr;
      Object* created = javax_microedition_media_Manager::createPlayer(stream, type);
      if (created == nullptr) return;
      s.players->set(channel, created);
      s.channelSound->set(channel, sound);
      s.channelPriority->set(channel, priority);
      return;
    }
    case release:
      freeChannel(channel);
      return;
    case play:
    case resume:
      if (player == nullptr) return;
      // The loop count only counts before the player's first start.
      if (command == play && s.executing->get(3) != 0) player->setLoopCount(s.executing->get(3));
      if (command == play && s.executing->get(4) >= 0) {
        Object* object = s.players->get(channel);
        if (auto* volume = static_cast<javax_microedition_media_control_VolumeControl*>(
                object->lookupInterface(classid::javax_microedition_media_control_VolumeControl)))
          volume->setLevel(s.executing->get(4));
      }
      player->start();
      s.channelState->set(channel, playing);
      return;
    case stop:
    case pause:
      if (player != nullptr) player->stop();
      s.channelState->set(channel, free);
      return;
    default:
      return;  // a cleared command
  }
}

void SoundChannels::freeChannel(int32_t channel) {
  CVLibPlayerSoundStatics& s = channels();
  if (Player* player = Player::viewOf(s.players->get(channel))) {
    player->stop();
    player->deallocate();
  }
  s.players->set(channel, nullptr);
  s.channelSound->set(channel, -1);
  s.channelState->set(channel, free);
}

void SoundChannels::stopAll() {
  CVLibPlayerSoundStatics& s = channels();
  for (int32_t channel = 0; channel < s.channelCount; ++channel) queue(channel, stop, -1, 0, 0, 0);
  if (toolkitStatics().cGameState.paused) update();
}

void SoundChannels::run() {
  while (channels().thread != nullptr) {
    update();
    java_lang_Thread::sleep(loopMillis);
  }
}
