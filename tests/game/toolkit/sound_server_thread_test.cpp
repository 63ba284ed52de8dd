// The sound server on its own thread, against the game thread's requests and
// stops. Under the sanitizer build a player used after its release, or
// stopped twice into a freed device, is reported.
#include <gtest/gtest.h>

#include <chrono>

#include "runtime/gc/ObjectManager.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/game/toolkit/sound_bank_fixture.h"

namespace {

using namespace soundtest;

class SoundServerThread : public SoundBankFixture {
 protected:
  void SetUp() override {
    SoundBankFixture::SetUp();
    // The server's idle sleeps move the clock on instead of waiting.
    wince::useFakeClock(clockStart + 1000, true);
    for (int32_t id = 0; id < sound::count; ++id) registerWav(id, id >= 17 && id <= 23 ? 1 : 0);
    m_thread = cGame::startSoundServer();
    ASSERT_NE(m_thread, nullptr);
  }
  // Asks for looping music 20 and gives the server frames until it plays; a
  // guard against a hang, not a time limit.
  bool musicStartsWithinTwentySeconds() {
    cGame::playSound(20, true);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!cGame::isSoundPlaying(20) && std::chrono::steady_clock::now() < giveUp) java_lang_Thread::sleep(1);
    return cGame::isSoundPlaying(20);
  }
  void stopServer() {
    __atomic_store_n(&server().running, 0, __ATOMIC_RELAXED);
    m_thread->join();
  }

  java_lang_Thread* m_thread = nullptr;
};

TEST_F(SoundServerThread, ServesARequestAndEndsWhenRunningIsCleared) {
  EXPECT_TRUE(musicStartsWithinTwentySeconds());
  stopServer();
  EXPECT_EQ(java_lang_Thread::isAlive(m_thread), 0);
}

TEST_F(SoundServerThread, GameThreadRequestsAndStopsWhileTheServerReplacesPlayers) {
  for (int frame = 0; frame < 3000; ++frame) {
    const int32_t id = (frame * 7) % sound::count;
    cGame::playSound(id, frame % 3 == 0);
    cGame::playSound((id + 11) % sound::count, false);
    if (frame % 5 == 0) cGame::isSoundPlaying(id);
    if (frame % 13 == 0) cGame::stopSound(id);
    if (frame % 29 == 0) cGame::stopAllSounds();
    if (frame % 41 == 0) cGame::stopSoundB();
    if (frame % 500 == 0) objectManager().gc(ObjectManager::forced);
    wince::waitForAudioCallbacks();
    java_lang_Thread::sleep(1);
  }
  // The server is still serving.
  cGame::stopAllSounds();
  EXPECT_TRUE(musicStartsWithinTwentySeconds());
  stopServer();
  cGame::stopAllSounds();
  wince::waitForAudioCallbacks();
  EXPECT_EQ(bank().playerA, nullptr);
  EXPECT_EQ(bank().playerB, nullptr);
  EXPECT_FALSE(cGame::isChannelAPlaying());
  EXPECT_FALSE(cGame::isChannelBPlaying());
}

}  // namespace
