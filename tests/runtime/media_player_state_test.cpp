#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/lang/ObjectArray.h"
#include "runtime/media/SoundPlayerOGG.h"
#include "tests/runtime/media_player_support.h"
#include "wince/log.h"

namespace {

using media_player_test::bytesPerMillisecond;
using media_player_test::MediaPlayerFixture;
using media_player_test::plainWav;
using Player = javax_microedition_media_Player;

class MediaPlayerState : public MediaPlayerFixture {
 protected:
  // A 100 ms player brought to the given state.
  SoundPlayerWAVE* playerIn(int32_t state) {
    SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
    if (state >= Player::REALIZED) player->realize();
    if (state >= Player::PREFETCHED) player->prefetch();
    if (state >= Player::STARTED) player->start();
    if (state == Player::CLOSED) player->close();
    EXPECT_EQ(player->getState(), state);
    return player;
  }
};

TEST_F(MediaPlayerState, CreatePlayerChoosesTheClassByTypeOrByTheFirstBytes) {
  enum Kind { none, wave, ogg };
  const std::vector<uint8_t> wav = plainWav(10);
  const std::vector<uint8_t> oggMagic{'O', 'g', 'g', 'S', 0, 2, 0, 0};
  const std::vector<uint8_t> midi{'M', 'T', 'h', 'd', 0, 0, 0, 6};
  struct Case {
    const char* type;
    const std::vector<uint8_t>* bytes;
    Kind expected;
  } cases[] = {
      {"audio/x-wav", &wav, wave},         {"AUDIO/X-WAV", &wav, wave},     {"audio/ogg", &wav, ogg},
      {"AUDIO/OGG", &oggMagic, ogg},       {"audio/", &oggMagic, wave},     {"", &oggMagic, wave},
      {"audio/o", &wav, ogg},              {"audio/oggx", &oggMagic, none}, {"audio/midi", &wav, none},
      {"video/mp4", &wav, none},           {nullptr, &wav, wave},           {nullptr, &oggMagic, ogg},
      {nullptr, &midi, none},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.type ? test.type : "(no type)");
    const int32_t oggPlayersBefore = SoundPlayerOGG::oggPlayerCount();
    Object* player = createPlayer(*test.bytes, test.type);
    EXPECT_EQ(player != nullptr, test.expected != none);
    EXPECT_EQ(SoundPlayerOGG::oggPlayerCount() - oggPlayersBefore, test.expected == ogg ? 1 : 0);
    if (player) {
      EXPECT_EQ(player->getClassId(), classid::javax_microedition_media_Player);
    }
  }
}

TEST_F(MediaPlayerState, CreatePlayerGivesNullForANullOrEmptyStreamOrThreeBytes) {
  EXPECT_EQ(javax_microedition_media_Manager::createPlayer(nullptr, newString("audio/x-wav")), nullptr);
  EXPECT_EQ(createPlayer({}, "audio/x-wav"), nullptr);
  EXPECT_EQ(createPlayer({}, nullptr), nullptr);
  EXPECT_EQ(createPlayer({'R', 'I', 'F'}, nullptr), nullptr);
}

TEST_F(MediaPlayerState, TheManagerListsItsTypesAndProtocol) {
  ObjectArray* types = javax_microedition_media_Manager::getSupportedContentTypes(nullptr);
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->length(), 3);
  const char16_t* expected[] = {u"audio/x-wav", u"audio/ogg", u"audio/midi"};
  for (int32_t index = 0; index < 3; ++index) {
    EXPECT_EQ(std::u16string(static_cast<String*>(types->get(index))->characters()), expected[index]);
  }
  ObjectArray* protocols = javax_microedition_media_Manager::getSupportedProtocols(nullptr);
  ASSERT_NE(protocols, nullptr);
  ASSERT_EQ(protocols->length(), 1);
  EXPECT_EQ(std::u16string(static_cast<String*>(protocols->get(0))->characters()), u"file");
}

TEST_F(MediaPlayerState, EachOperationMovesOnlyFromItsOwnState) {
  struct Operation {
    const char* name;
    std::function<void(SoundPlayerWAVE*)> run;
    // The state after the operation, from 0, 100, 200, 300, 400.
    int32_t after[5];
  } operations[] = {
      {"realize", [](SoundPlayerWAVE* p) { p->realize(); }, {0, 200, 200, 300, 400}},
      {"prefetch", [](SoundPlayerWAVE* p) { p->prefetch(); }, {0, 300, 300, 300, 400}},
      {"start", [](SoundPlayerWAVE* p) { p->start(); }, {0, 400, 400, 400, 400}},
      {"stop", [](SoundPlayerWAVE* p) { p->stop(); }, {0, 100, 200, 300, 300}},
      {"deallocate", [](SoundPlayerWAVE* p) { p->deallocate(); }, {0, 100, 200, 200, 400}},
      {"close", [](SoundPlayerWAVE* p) { p->close(); }, {0, 0, 0, 0, 0}},
      {"mute, start",
       [](SoundPlayerWAVE* p) {
         p->setMute(true);
         p->start();
       },
       {0, 300, 300, 300, 400}},
  };
  const int32_t states[] = {Player::CLOSED, Player::UNREALIZED, Player::REALIZED, Player::PREFETCHED, Player::STARTED};
  for (const Operation& operation : operations) {
    for (int index = 0; index < 5; ++index) {
      SCOPED_TRACE(std::string(operation.name) + " from " + std::to_string(states[index]));
      SoundPlayerWAVE* player = playerIn(states[index]);
      operation.run(player);
      EXPECT_EQ(player->getState(), operation.after[index]);
      player->close();
      EXPECT_EQ(player->getState(), Player::CLOSED);
      EXPECT_EQ(player->m_waveHeader.lpData, nullptr);
      EXPECT_EQ(player->m_device, nullptr);
    }
  }
}

TEST_F(MediaPlayerState, AClosedPlayerStaysClosed) {
  SoundPlayerWAVE* player = playerIn(Player::STARTED);
  player->close();
  player->realize();
  player->start();
  player->close();
  EXPECT_EQ(player->getState(), Player::CLOSED);
}

TEST_F(MediaPlayerState, TheBufferFinishingMovesStartedToPrefetchedAndItCanStartAgain) {
  SoundPlayerWAVE* player = playerIn(Player::STARTED);
  advance(40);
  EXPECT_EQ(player->getMediaTime(), 40000);
  advance(59);
  EXPECT_EQ(player->getState(), Player::STARTED);
  advance(1);
  EXPECT_EQ(player->getState(), Player::PREFETCHED);

  player->start();
  EXPECT_EQ(player->getState(), Player::STARTED);
  advance(100);
  EXPECT_EQ(player->getState(), Player::PREFETCHED);
}

TEST_F(MediaPlayerState, ASoundShorterThanOneTickStillEndsPrefetched) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(1));
  player->start();
  advance(1);
  EXPECT_EQ(player->getState(), Player::PREFETCHED);
}

TEST_F(MediaPlayerState, LoopCountIsTakenAtRealize) {
  struct Case {
    int32_t loopCount;
    bool setBeforeRealize;
    DWORD loops;
    uint64_t playsFor;
  } cases[] = {
      {3, true, 3, 300},
      {0, true, 1, 100},
      {3, false, 0, 100},  // the buffer was already made
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.loopCount);
    SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
    if (test.setBeforeRealize) player->setLoopCount(test.loopCount);
    player->realize();
    if (!test.setBeforeRealize) player->setLoopCount(test.loopCount);
    EXPECT_EQ(player->m_waveHeader.dwLoops, test.loops);
    player->start();
    advance(test.playsFor - 1);
    EXPECT_EQ(player->getState(), Player::STARTED);
    advance(1);
    EXPECT_EQ(player->getState(), Player::PREFETCHED);
    player->close();
  }
}

TEST_F(MediaPlayerState, ANegativeLoopCountLoopsAlmostForever) {
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->setLoopCount(-1);
  player->start();
  EXPECT_EQ(player->m_waveHeader.dwLoops, 0x7FFFFFFFu);
  advance(100000);
  EXPECT_EQ(player->getState(), Player::STARTED);
}

TEST_F(MediaPlayerState, SetMediaTimeActsOnlyOnZeroOrLess) {
  SoundPlayerWAVE* player = playerIn(Player::STARTED);
  advance(30);
  player->stop();
  EXPECT_EQ(player->getState(), Player::PREFETCHED);
  EXPECT_EQ(player->setMediaTime(0), 0);

  wince::LogCapture log;
  EXPECT_EQ(player->setMediaTime(5000), 5000);
  EXPECT_TRUE(log.contains("WARNING: setMediaTime(long64 now) not implemented for now > 0\n"));
}

TEST_F(MediaPlayerState, MediaTimeIsMinusOneWithoutADevice) {
  SoundPlayerWAVE* player = playerIn(Player::UNREALIZED);
  EXPECT_EQ(player->getMediaTime(), -1);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(MediaPlayerState, MediaTimePastThirtySixMinutesDoesNotWrap) {
  // 50 minutes of a looping 100 ms buffer; microseconds pass 2^31 at 35.8.
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->setLoopCount(30000);
  player->start();
  advance(2900000);
  EXPECT_EQ(player->getMediaTime(), int64_t{2900000} * 1000);
}

TEST_F(MediaPlayerState, ClosedOrUnrealizedPlayersRaiseIllegalStateAsAPendingException) {
  SoundPlayerWAVE* unrealized = playerIn(Player::UNREALIZED);
  EXPECT_EQ(unrealized->getContentType(), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException);
  EXPECT_EQ(unrealized->getDuration(), 0);
  EXPECT_EQ(takePending(), -1);

  SoundPlayerWAVE* realized = playerIn(Player::REALIZED);
  String* type = realized->getContentType();
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(std::u16string(type->characters()), u"audio/x-wav");
  EXPECT_EQ(takePending(), -1);

  SoundPlayerWAVE* closed = playerIn(Player::CLOSED);
  closed->getMediaTime();
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException);
  closed->getDuration();
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException);
  EXPECT_EQ(closed->getContentType(), nullptr);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException);
}

TEST_F(MediaPlayerState, DurationOfAStereo22kWavFollowsTheBytesPerMillisecondRule) {
  // 88244 bytes: 44 of header, 88200 of PCM; 88 bytes per millisecond.
  std::vector<uint8_t> wav = media_player_test::riffFile(
      {media_player_test::fmtChunk(WAVE_FORMAT_PCM, 2, 22050, 16), media_player_test::dataChunk(88200)});
  ASSERT_EQ(wav.size(), 88244u);
  SoundPlayerWAVE* player = createWavPlayer(wav);
  player->realize();
  EXPECT_EQ(player->getDuration(), 1002000);
}

TEST_F(MediaPlayerState, WithoutAnAudioDeviceAPlayerStaysUnrealizedAndSilent) {
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::none));
  SoundPlayerWAVE* player = createWavPlayer(plainWav(100));
  player->start();
  EXPECT_EQ(player->getState(), Player::UNREALIZED);
  EXPECT_EQ(player->m_waveHeader.lpData, nullptr);
  EXPECT_EQ(player->m_pSoundFileData, nullptr);
  // The file is gone, so a second try finds no format.
  player->start();
  EXPECT_EQ(player->getState(), Player::UNREALIZED);
  EXPECT_EQ(player->getRate(), -1);
  player->close();
  EXPECT_EQ(player->getState(), Player::CLOSED);
  ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
}

TEST_F(MediaPlayerState, AFinalisedPlayerClosesItsDevice) {
  SoundPlayerWAVE* player = playerIn(Player::STARTED);
  HWAVEOUT device = player->m_device;
  player->finalize();
  EXPECT_EQ(player->getState(), Player::CLOSED);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_INVALHANDLE);
  advance(200);
}

}  // namespace
