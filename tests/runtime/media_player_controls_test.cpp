#include <gtest/gtest.h>

#include "tests/runtime/media_player_support.h"

namespace {

using media_player_test::MediaPlayerFixture;
using media_player_test::plainWav;
using Player = javax_microedition_media_Player;

using MediaPlayerControls = MediaPlayerFixture;

TEST_F(MediaPlayerControls, GetControlAnswersThePlayerForControlNamesAndItsViewsByLookup) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(10));
  struct Case {
    const char* name;
    bool found;
  } cases[] = {
      {"VolumeControl", true}, {"volumecontrol", true}, {"RATECONTROL", true}, {"TempoControl", true},
      {"Tempo", true},         {"", true},              {"MIDIControl", false}, {"VolumeControlX", false},
      {"PitchControl", false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(player->getControl(newString(test.name)), test.found ? player : nullptr);
  }
  EXPECT_EQ(player->getControl(nullptr), nullptr);
  EXPECT_EQ(player->getControls(), nullptr);

  Object* control = player->getControl(newString("VolumeControl"));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_control_VolumeControl),
            static_cast<javax_microedition_media_control_VolumeControl*>(player));
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_control_RateControl),
            static_cast<javax_microedition_media_control_RateControl*>(player));
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_control_TempoControl),
            static_cast<javax_microedition_media_control_TempoControl*>(player));
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_Controllable),
            static_cast<javax_microedition_media_Controllable*>(player));
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_Player),
            static_cast<javax_microedition_media_Player*>(player));
  EXPECT_EQ(control->lookupInterface(classid::javax_microedition_media_control_MIDIControl), nullptr);
  EXPECT_EQ(Object::instanceOf(control, classid::javax_microedition_media_control_VolumeControl), 1);
  EXPECT_EQ(Object::instanceOf(control, classid::java_io_InputStream), 0);

  // The views reach the same player.
  auto* volume = static_cast<javax_microedition_media_control_VolumeControl*>(
      control->lookupInterface(classid::javax_microedition_media_control_VolumeControl));
  volume->setLevel(30);
  EXPECT_EQ(player->getLevel(), 30);
  auto* view = static_cast<javax_microedition_media_Player*>(control->lookupInterface(classid::javax_microedition_media_Player));
  view->realize();
  EXPECT_EQ(player->getState(), Player::REALIZED);
}

TEST_F(MediaPlayerControls, SetLevelClampsStoresAndSetsBothChannelsOfTheDevice) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->prefetch();
  EXPECT_EQ(player->getLevel(), 100);  // the device's own volume
  struct Case {
    int32_t asked;
    int32_t stored;
    DWORD deviceWord;
  } cases[] = {{150, 100, 0xFFFF}, {50, 50, 32767}, {-5, 0, 0}, {1, 1, 655}, {100, 100, 0xFFFF}};
  int32_t previous = player->getLevel();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.asked);
    EXPECT_EQ(player->setLevel(test.asked), previous);
    EXPECT_EQ(player->getLevel(), test.stored);
    DWORD volume = 0;
    ASSERT_EQ(waveOutGetVolume(player->m_device, &volume), MMSYSERR_NOERROR);
    EXPECT_EQ(volume, test.deviceWord | (test.deviceWord << 16));
    previous = test.stored;
  }
}

TEST_F(MediaPlayerControls, PrefetchReadsTheLevelFromTheDevice) {
  SoundPlayerWAVE* first = createWavPlayer(plainWav(100));
  first->realize();
  ASSERT_EQ(waveOutSetVolume(first->m_device, 0x40004000), MMSYSERR_NOERROR);
  first->prefetch();
  EXPECT_EQ(first->getLevel(), 0x4000 * 100 / 65535);
  EXPECT_EQ(first->m_savedVolume, 0x40004000u);
}

TEST_F(MediaPlayerControls, MuteIsAFlagThatKeepsAPlayerFromStarting) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->setMute(true);
  EXPECT_TRUE(player->isMuted());
  player->start();
  EXPECT_EQ(player->getState(), Player::PREFETCHED);
  player->setMute(false);
  EXPECT_FALSE(player->isMuted());
  player->start();
  EXPECT_EQ(player->getState(), Player::STARTED);
  // Muting a started player does not stop it.
  player->setMute(true);
  EXPECT_EQ(player->getState(), Player::STARTED);
}

TEST_F(MediaPlayerControls, RatesAreClampedToHalfAndDoubleSpeedAndAnswerTheRateBefore) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(1000));
  EXPECT_EQ(player->getMinRate(), 50000);
  EXPECT_EQ(player->getMaxRate(), 200000);
  EXPECT_EQ(player->getRate(), -1);  // no device yet
  EXPECT_EQ(player->setRate(100000), -1);
  player->realize();
  EXPECT_EQ(player->getRate(), 100000);
  struct Case {
    int32_t asked;
    int32_t previous;
    int32_t now;
    DWORD deviceRate;
  } cases[] = {
      {150000, 100000, 150000, 0x18000}, {10000, 150000, 50000, 0x8000}, {900000, 50000, 200000, 0x20000},
      {0, 200000, 50000, 0x8000},        {100000, 50000, 100000, 0x10000},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.asked);
    EXPECT_EQ(player->setRate(test.asked), test.previous);
    EXPECT_EQ(player->getRate(), test.now);
    DWORD rate = 0;
    ASSERT_EQ(waveOutGetPlaybackRate(player->m_device, &rate), MMSYSERR_NOERROR);
    EXPECT_EQ(rate, test.deviceRate);
  }
  EXPECT_EQ(player->setRate(-1), -1);
  EXPECT_EQ(player->setTempo(200000), 100000);
  EXPECT_EQ(player->getTempo(), 200000);
}

TEST_F(MediaPlayerControls, DoubleRateFinishesInHalfTheTime) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->realize();
  player->setRate(200000);
  player->start();
  advance(49);
  EXPECT_EQ(player->getState(), Player::STARTED);
  advance(1);
  EXPECT_EQ(player->getState(), Player::PREFETCHED);
}

}  // namespace
