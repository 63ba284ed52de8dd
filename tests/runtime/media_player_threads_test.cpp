#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/runtime/media_player_support.h"

namespace {

using media_player_test::MediaPlayerFixture;
using media_player_test::plainWav;
using Player = javax_microedition_media_Player;

using MediaPlayerThreads = MediaPlayerFixture;

// The sound thread starts and stops players while the game thread stops and
// closes them, and the device finishes buffers meanwhile. Every player ends
// closed with its buffer and device released once (the sanitizer build sees
// a double free or a callback into freed memory).
TEST_F(MediaPlayerThreads, StartStopAndCloseFromTwoThreadsLeaveEveryPlayerClosed) {
  constexpr int playerCount = 40;
  std::vector<SoundPlayerWAVE*> players;
  for (int index = 0; index < playerCount; ++index) players.push_back(createWavPlayer(plainWav(2 + index % 5)));

  std::atomic<bool> running{true};
  std::thread clockDriver([&] {
    while (running.load()) {
      wince::advanceFakeClock(1);
      wince::waitForAudioCallbacks();
    }
  });
  std::thread soundThread([&] {
    for (int round = 0; round < 200; ++round) {
      for (SoundPlayerWAVE* player : players) {
        player->start();
        if (round % 3 == 0) player->stop();
        player->setLevel(round % 101);
        player->getRate();
      }
    }
  });
  std::thread gameThread([&] {
    for (int round = 0; round < 50; ++round) {
      for (SoundPlayerWAVE* player : players) player->stop();
    }
    for (SoundPlayerWAVE* player : players) player->close();
  });
  soundThread.join();
  gameThread.join();
  running = false;
  clockDriver.join();

  for (SoundPlayerWAVE* player : players) {
    EXPECT_EQ(player->getState(), Player::CLOSED);
    EXPECT_EQ(player->m_device, nullptr);
    EXPECT_EQ(player->m_waveHeader.lpData, nullptr);
  }
}

// Whatever the order of start and the device finishing, a player left alone
// never stays started past its buffer's end.
TEST_F(MediaPlayerThreads, NoPlayerStaysStartedOnceItsBufferHasPlayed) {
  constexpr int playerCount = 20;
  std::vector<SoundPlayerWAVE*> players;
  for (int index = 0; index < playerCount; ++index) players.push_back(createWavPlayer(plainWav(1)));
  std::atomic<bool> running{true};
  std::thread clockDriver([&] {
    while (running.load()) {
      wince::advanceFakeClock(1);
      wince::waitForAudioCallbacks();
    }
  });
  for (int round = 0; round < 100; ++round) {
    for (SoundPlayerWAVE* player : players) player->start();
  }
  running = false;
  clockDriver.join();
  advance(5);
  for (SoundPlayerWAVE* player : players) EXPECT_EQ(player->getState(), Player::PREFETCHED);
}

}  // namespace
