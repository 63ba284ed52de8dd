// The animation player's sound-channel manager, driven by hand: its thread
// is never made in the game.
#include <gtest/gtest.h>

#include "game/toolkit/SoundChannels.h"
#include "tests/game/toolkit/sound_bank_fixture.h"

namespace {

using namespace soundtest;

class SoundChannelsTest : public SoundBankFixture {
 protected:
  static constexpr int32_t channelCount = 2;

  void SetUp() override {
    SoundBankFixture::SetUp();
    ObjectArray* sounds = newObjectArray(4);
    for (int32_t id = 0; id < 4; ++id) sounds->set(id, bytesOf(media_player_test::plainWav(lengthOf(id))));
    // No content-type table: the players take the type from the bytes.
    SoundChannels::start(channelCount, sounds, nullptr);
  }
  static CVLibPlayerSoundStatics& channels() { return toolkitStatics().CVLibPlayerSound; }
  static int32_t pending(int32_t channel) { return channels().ringCount->get(channel); }
  static Player* playerOf(int32_t channel) { return Player::viewOf(channels().players->get(channel)); }
  // The codes still pending on a channel, oldest first (0 for a cleared one).
  static std::vector<int32_t> pendingCodes(int32_t channel) {
    std::vector<int32_t> codes;
    for (int32_t index = 0; index < pending(channel); ++index) {
      const int32_t position = (channels().ringHead->get(channel) + index) % SoundChannels::ringSize;
      codes.push_back(channels().commands->get((channel * SoundChannels::ringSize + position) * 5));
    }
    return codes;
  }
};

TEST_F(SoundChannelsTest, PrepareAndPlayStartTheSoundOnItsChannel) {
  SoundChannels::queue(1, SoundChannels::prepare, 2, 10, 0, 50);
  SoundChannels::queue(1, SoundChannels::play, 2, 10, 0, 50);
  SoundChannels::update();
  ASSERT_NE(playerOf(1), nullptr);
  EXPECT_EQ(playerOf(0), nullptr);
  EXPECT_EQ(playerOf(1)->getState(), Player::UNREALIZED);
  SoundChannels::update();
  EXPECT_EQ(playerOf(1)->getState(), Player::STARTED);
  EXPECT_EQ(playerOf(1)->getDuration(), durationOf(2));
  EXPECT_EQ(channels().channelState->get(1), SoundChannels::playing);

  SoundChannels::queue(1, SoundChannels::stop, 2, 10, 0, 0);
  SoundChannels::update();
  EXPECT_EQ(playerOf(1)->getState(), Player::PREFETCHED);
  EXPECT_EQ(channels().channelState->get(1), SoundChannels::free);
  SoundChannels::queue(1, SoundChannels::release, 2, 10, 0, 0);
  SoundChannels::update();
  EXPECT_EQ(playerOf(1), nullptr);
  EXPECT_EQ(channels().channelSound->get(1), -1);
}

TEST_F(SoundChannelsTest, APlayingSoundOfHigherPriorityKeepsItsChannel) {
  SoundChannels::queue(0, SoundChannels::prepare, 1, 50, 0, -1);
  SoundChannels::queue(0, SoundChannels::play, 1, 50, 0, -1);
  SoundChannels::update();
  SoundChannels::update();
  SoundChannels::queue(0, SoundChannels::prepare, 3, 20, 0, -1);
  SoundChannels::update();
  EXPECT_EQ(channels().channelSound->get(0), 1);
  EXPECT_EQ(playerOf(0)->getState(), Player::STARTED);
  SoundChannels::queue(0, SoundChannels::prepare, 3, 60, 0, -1);
  SoundChannels::update();
  EXPECT_EQ(channels().channelSound->get(0), 3);
}

TEST_F(SoundChannelsTest, ANewCommandClearsPendingOnesOfItsCodeButLowerPrioritiesOfPrepareAndPlayStay) {
  SoundChannels::queue(0, SoundChannels::stop, 0, 0, 0, 0);
  SoundChannels::queue(0, SoundChannels::play, 1, 5, 0, 0);
  SoundChannels::queue(0, SoundChannels::play, 2, 30, 0, 0);
  SoundChannels::queue(0, SoundChannels::stop, 0, 0, 0, 0);
  // The play of priority 30 is not below 10: cleared; the one of 5 stays.
  SoundChannels::queue(0, SoundChannels::play, 3, 10, 0, 0);
  EXPECT_EQ(pendingCodes(0), (std::vector<int32_t>{0, 3, 0, 4, 3}));
  EXPECT_EQ(pending(1), 0);
}

TEST_F(SoundChannelsTest, AFullRingDropsItsOldestCommand) {
  for (int32_t index = 0; index < SoundChannels::ringSize; ++index)
    SoundChannels::queue(0, SoundChannels::prepare, index % 4, 100 + index, 0, 0);
  ASSERT_EQ(pending(0), SoundChannels::ringSize);
  SoundChannels::queue(0, SoundChannels::release, 0, 0, 0, 0);
  EXPECT_EQ(pending(0), SoundChannels::ringSize);
  std::vector<int32_t> expected(SoundChannels::ringSize - 1, SoundChannels::prepare);
  expected.push_back(SoundChannels::release);
  EXPECT_EQ(pendingCodes(0), expected);
}

TEST_F(SoundChannelsTest, StopAllRunsAtOnceOnlyWhileThePauseHolds) {
  auto playSound1 = [] {
    SoundChannels::queue(0, SoundChannels::prepare, 1, 0, 0, -1);
    SoundChannels::queue(0, SoundChannels::play, 1, 0, 0, -1);
    SoundChannels::update();
    SoundChannels::update();
  };
  playSound1();
  SoundChannels::stopAll();
  EXPECT_EQ(pendingCodes(0), std::vector<int32_t>{SoundChannels::stop});
  EXPECT_EQ(pendingCodes(1), std::vector<int32_t>{SoundChannels::stop});
  EXPECT_EQ(playerOf(0)->getState(), Player::STARTED);
  SoundChannels::update();
  EXPECT_EQ(playerOf(0)->getState(), Player::PREFETCHED);

  playSound1();
  shell().paused = true;
  SoundChannels::stopAll();
  EXPECT_EQ(playerOf(0)->getState(), Player::PREFETCHED);
  EXPECT_EQ(pending(0), 0);
}

TEST_F(SoundChannelsTest, NothingIsQueuedBeforeStartOrOnAnUnknownChannel) {
  SoundChannels::queue(channelCount, SoundChannels::play, 0, 0, 0, 0);
  SoundChannels::queue(-1, SoundChannels::play, 0, 0, 0, 0);
  EXPECT_EQ(pending(0), 0);
  EXPECT_EQ(pending(1), 0);
  channels().enabled = false;
  SoundChannels::queue(0, SoundChannels::play, 0, 0, 0, 0);
  EXPECT_EQ(pending(0), 0);
}

}  // namespace
