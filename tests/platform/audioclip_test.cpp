#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/com_samsung_util/com_samsung_util_AudioClip.h"
#include "tests/runtime/media_player_support.h"

namespace {

using media_player_test::MediaPlayerFixture;
using media_player_test::plainWav;
using Player = javax_microedition_media_Player;

class AudioClip : public MediaPlayerFixture {
 protected:
  // The file placed at offset 3 of a larger array.
  com_samsung_util_AudioClip* clipOf(const std::vector<uint8_t>& file, int32_t type = 1) {
    ByteArray* data = newByteArray(static_cast<int32_t>(file.size()) + 8);
    std::memcpy(data->elements() + 3, file.data(), file.size());
    return newObject<com_samsung_util_AudioClip>(type, data, 3, static_cast<int32_t>(file.size()));
  }
  static SoundPlayerWAVE* playerOf(com_samsung_util_AudioClip* clip) {
    return static_cast<SoundPlayerWAVE*>(clip->m_player);
  }
};

TEST_F(AudioClip, PlayStartsItsPlayerWithTheLoopCountAndPauseAndResumeStopAndStartIt) {
  com_samsung_util_AudioClip* clip = clipOf(plainWav(100));
  ASSERT_NE(playerOf(clip), nullptr);
  EXPECT_EQ(clip->isAvailable(), 1);
  clip->play(3, 5);
  EXPECT_EQ(playerOf(clip)->getState(), Player::STARTED);
  EXPECT_EQ(playerOf(clip)->m_waveHeader.dwLoops, 3u);
  clip->pause();
  EXPECT_EQ(playerOf(clip)->getState(), Player::PREFETCHED);
  clip->resume();
  EXPECT_EQ(playerOf(clip)->getState(), Player::STARTED);
  clip->stop();
  EXPECT_EQ(playerOf(clip)->getState(), Player::PREFETCHED);
}

TEST_F(AudioClip, ALoopCountOfOneOrLessLeavesThePlayersOwn) {
  com_samsung_util_AudioClip* clip = clipOf(plainWav(100));
  clip->play(1, 0);
  EXPECT_EQ(playerOf(clip)->m_waveHeader.dwLoops, 0u);
  advance(100);
  EXPECT_EQ(playerOf(clip)->getState(), Player::PREFETCHED);
}

TEST_F(AudioClip, ArgumentsOutsideTheirRangesRaiseIllegalArgumentAndChangeNothing) {
  for (int32_t type : {0, 4, -1}) {
    SCOPED_TRACE(type);
    com_samsung_util_AudioClip* clip = clipOf(plainWav(10), type);
    EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
    EXPECT_EQ(clip->m_player, nullptr);
  }
  com_samsung_util_AudioClip* clip = clipOf(plainWav(10));
  struct Case {
    int32_t loopCount;
    int32_t volume;
  } cases[] = {{-1, 3}, {256, 3}, {2, -1}, {2, 6}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.loopCount * 100 + test.volume);
    clip->play(test.loopCount, test.volume);
    EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
    EXPECT_EQ(playerOf(clip)->getState(), Player::UNREALIZED);
  }
}

TEST_F(AudioClip, ADataRangeOutsideTheArrayIsRefused) {
  ByteArray* data = newByteArray(100);
  struct Case {
    int32_t offset;
    int32_t length;
  } cases[] = {{-1, 10}, {95, 10}, {0, -1}, {0x7FFFFFF0, 0x20}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.offset);
    auto* clip = newObject<com_samsung_util_AudioClip>(1, data, test.offset, test.length);
    EXPECT_EQ(takePending(), classid::java_lang_IllegalArgumentException);
    EXPECT_EQ(clip->m_player, nullptr);
  }
}

TEST_F(AudioClip, ClipsWithoutAPlayerOrWithoutASoundIgnoreEveryCall) {
  auto* named = newObject<com_samsung_util_AudioClip>(1, newString("/sound.wav"));
  EXPECT_EQ(named->m_player, nullptr);
  auto* unplayable = clipOf({'M', 'T', 'h', 'd', 0, 0, 0, 6});
  for (com_samsung_util_AudioClip* clip : {named, unplayable}) {
    clip->play(2, 3);
    clip->pause();
    clip->resume();
    clip->stop();
    EXPECT_EQ(takePending(), -1);
  }
  EXPECT_EQ(playerOf(unplayable)->getState(), Player::UNREALIZED);
}

TEST_F(AudioClip, ThePlayerSurvivesACollectionWhileTheClipIsHeld) {
  com_samsung_util_AudioClip* clip = clipOf(plainWav(100));
  collect();
  ASSERT_NE(playerOf(clip), nullptr);
  EXPECT_EQ(playerOf(clip)->getClassId(), classid::javax_microedition_media_Player);
  clip->play(0, 0);
  EXPECT_EQ(playerOf(clip)->getState(), Player::STARTED);
}

}  // namespace
