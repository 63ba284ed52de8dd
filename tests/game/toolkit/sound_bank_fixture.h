#pragma once
// A sound bank over the null wave-out device and the fake clock: WAV sounds
// of distinct lengths registered on the channel a test asks for, and a
// server whose passes the test runs itself (its thread is not started).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/toolkit/SoundIds.h"
#include "game/toolkit/cGameToolkit.h"
#include "game/toolkit/cSoundServer.h"
#include "runtime/lang/Arrays.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/media/javax_microedition_media_Player.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/toolkit_fixture.h"
#include "tests/runtime/media_player_support.h"
#include "tests/support/LiteralPoolBytes.h"
#include "wince/audio_options.h"
#include "wince/clock.h"

namespace soundtest {

using Player = javax_microedition_media_Player;
using cGame = cGameToolkit;

inline constexpr uint64_t clockStart = 10000;

// The literal pool's sound content types, as content/literals.txt has them.
inline std::vector<uint8_t> soundLiteralPool() {
  return literalPoolBytes(174, {{169, "audio/x-wav"},
                                {170, "audio/amr"},
                                {171, "audio/x-cmid"},
                                {172, "audio/ogg"},
                                {173, "audio/midi"}});
}

// Sound id's WAV lasts 100 + 10 x id milliseconds, so its player's duration
// names it.
inline uint32_t lengthOf(int32_t id) { return 100 + 10 * uint32_t(id); }
inline int64_t durationOf(int32_t id) {
  constexpr int64_t perMillisecond = media_player_test::bytesPerMillisecond;
  return (int64_t(lengthOf(id)) * perMillisecond + 44) / perMillisecond * 1000;
}

class SoundBankFixture : public ToolkitFixture {
 protected:
  void SetUp() override {
    wince::useFakeClock(clockStart, false);
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
    ToolkitFixture::SetUp();
    ASSERT_TRUE(loadStringLiteralPool(soundLiteralPool()));
    cGameSoundStatics& sounds = bank();
    sounds.soundOn = true;
    sounds.server = newObject<cSoundServer>();
    // What loadSounds makes before it registers the pack's entries.
    sounds.data = newObjectArray(sound::count);
    sounds.contentType = newObjectArray(sound::count);
  }
  void TearDown() override {
    ToolkitFixture::TearDown();
    wince::useRealClock();
  }

  static cGameSoundStatics& bank() { return toolkitStatics().cGameSound; }
  static cGameStateStatics& shell() { return toolkitStatics().cGameState; }
  static cSoundServer& server() { return *bank().server; }

  static ByteArray* bytesOf(const std::vector<uint8_t>& bytes) {
    ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(array->elements(), bytes.data(), bytes.size());
    return array;
  }
  // Registers id's WAV on channel A (type 1) or B (type 0).
  static void registerWav(int32_t id, int32_t type) {
    cGame::registerSound(bytesOf(media_player_test::plainWav(lengthOf(id))), type, id);
  }

  // Past the 350 ms gate.
  void openGate() { advance(sound::startUpGateMillis); }
  void advance(uint64_t milliseconds) {
    wince::advanceFakeClock(milliseconds);
    wince::waitForAudioCallbacks();
  }

  static Player* playerA() { return Player::viewOf(bank().playerA); }
  static Player* playerB() { return Player::viewOf(bank().playerB); }
  static int32_t stateOf(Player* player) { return player != nullptr ? player->getState() : -1; }
};

}  // namespace soundtest
