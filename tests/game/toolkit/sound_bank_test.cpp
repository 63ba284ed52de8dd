// The sound bank's requests on the game thread and the server's passes that
// serve them, over the null wave-out device and the fake clock.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/toolkit/sound_bank_fixture.h"
#include "wince/log.h"

namespace {

using namespace soundtest;

class SoundBank : public SoundBankFixture {
 protected:
  // Music 20 on channel A, effect 1 on B, past the start-up gate.
  void registerMusicAndEffect() {
    registerWav(20, sound::channelA);
    registerWav(1, sound::channelB);
    openGate();
  }

  // Registers id on channel A and plays it there.
  void playOnA(int32_t id, bool loop = false) {
    cGame::playSound(id, loop);
    server().servePass();
  }
};

TEST_F(SoundBank, TheRemappedIdPlaysItsTwinWhichThenBlocksItAsTheSameSound) {
  registerWav(5, sound::channelB);
  registerWav(6, sound::channelB);
  openGate();

  cGame::playSound(6, false);
  EXPECT_EQ(server().requestB, 5);
  EXPECT_EQ(bank().currentB, 5);
  server().servePass();
  ASSERT_EQ(stateOf(playerB()), Player::STARTED);
  EXPECT_EQ(playerB()->getDuration(), durationOf(5));

  cGame::playSound(6, false);
  EXPECT_EQ(server().requestB, -1) << "sound 5 is playing: 6 is the same sound";
  // The queries take the id as given: 6 is never the current sound.
  EXPECT_TRUE(cGame::isSoundPlaying(5));
  EXPECT_FALSE(cGame::isSoundPlaying(6));
  cGame::stopSound(6);
  EXPECT_EQ(stateOf(playerB()), Player::STARTED);
}

TEST_F(SoundBank, APlayingSoundOfHigherPriorityRefusesARequestOnItsChannel) {
  struct Case {
    int32_t playing, requested;
    bool replaces;
  } cases[] = {
      {28, 25, true},   // 50 against 98
      {25, 28, false},  // 98 against 50
      {16, 17, true},   // equal priority, another id
      {16, 16, false},  // the same sound
      {31, 25, false},  // 99 against 98
  };
  for (int32_t id : {16, 17, 25, 28, 31}) registerWav(id, sound::channelA);
  openGate();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.playing) + " playing, " + std::to_string(c.requested) + " asked for");
    cGame::stopSoundA();
    playOnA(c.playing);
    ASSERT_TRUE(cGame::isSoundPlaying(c.playing));
    playOnA(c.requested);
    const int32_t expected = c.replaces ? c.requested : c.playing;
    EXPECT_EQ(bank().currentA, expected);
    EXPECT_TRUE(cGame::isSoundPlaying(expected));
    EXPECT_EQ(playerA()->getDuration(), durationOf(expected));
  }
}

TEST_F(SoundBank, AFinishedSoundNoLongerBlocksNorCountsAsPlaying) {
  registerWav(2, sound::channelB);
  registerWav(28, sound::channelB);
  openGate();
  cGame::playSound(2, false);
  server().servePass();
  EXPECT_TRUE(cGame::isSoundPlaying(2));
  EXPECT_TRUE(cGame::isChannelBPlaying());

  advance(lengthOf(2) + 10);
  EXPECT_EQ(stateOf(playerB()), Player::PREFETCHED);
  EXPECT_FALSE(cGame::isSoundPlaying(2));
  EXPECT_FALSE(cGame::isChannelBPlaying());

  cGame::playSound(28, false);
  EXPECT_EQ(server().requestB, 28) << "a lower priority gets through once the sound has ended";
}

TEST_F(SoundBank, RequestsBeforeTheStartUpGateAreIgnored) {
  registerWav(3, sound::channelB);
  advance(sound::startUpGateMillis - 1);
  cGame::playSound(3, false);
  EXPECT_EQ(server().requestB, -1);
  EXPECT_EQ(bank().currentB, -1);
  advance(1);
  cGame::playSound(3, false);
  EXPECT_EQ(server().requestB, 3);
}

TEST_F(SoundBank, RequestsAreIgnoredWhilePausedOrSilencedOrOutOfRange) {
  registerWav(3, sound::channelB);
  openGate();
  shell().paused = true;
  cGame::playSound(3, false);
  shell().paused = false;
  bank().soundOn = false;
  cGame::playSound(3, false);
  bank().soundOn = true;
  cGame::playSound(-1, false);
  cGame::playSound(sound::count, false);
  cGame::playSound(4, false);  // nothing registered
  EXPECT_EQ(server().requestB, -1);
  EXPECT_EQ(server().requestA, -1);
}

TEST_F(SoundBank, TwoRequestsInOneFramePlayTheSecond) {
  registerWav(20, sound::channelA);
  registerWav(21, sound::channelA);
  registerWav(1, sound::channelB);
  registerWav(2, sound::channelB);
  openGate();
  cGame::playSound(20, false);
  cGame::playSound(21, true);
  cGame::playSound(1, false);
  cGame::playSound(2, false);
  const cSoundServer::Served served = server().servePass();
  EXPECT_TRUE(served.a);
  EXPECT_TRUE(served.b);
  EXPECT_EQ(playerA()->getDuration(), durationOf(21));
  EXPECT_EQ(playerB()->getDuration(), durationOf(2));
  EXPECT_EQ(bank().currentA, 21);
  EXPECT_EQ(bank().currentB, 2);
  const cSoundServer::Served idle = server().servePass();
  EXPECT_FALSE(idle.a);
  EXPECT_FALSE(idle.b);
}

TEST_F(SoundBank, ChannelAHonoursALoopingRequestAndChannelBPlaysOnce) {
  registerMusicAndEffect();
  cGame::playSound(20, true);
  cGame::playSound(1, true);
  server().servePass();
  advance(3 * lengthOf(20));
  EXPECT_TRUE(cGame::isSoundPlaying(20)) << "music asked to loop goes on";
  EXPECT_FALSE(cGame::isSoundPlaying(1));

  cGame::stopSoundA();
  cGame::playSound(20, false);
  server().servePass();
  advance(lengthOf(20) + 10);
  EXPECT_FALSE(cGame::isSoundPlaying(20));
}

TEST_F(SoundBank, PauseRemembersTheMusicAndResumeStartsItAfterTwelveFrames) {
  registerMusicAndEffect();
  cGame::playSound(20, true);
  cGame::playSound(1, false);
  server().servePass();

  shell().paused = true;
  cGame::stopAllSounds();
  EXPECT_EQ(bank().resumeId, 20);
  EXPECT_EQ(bank().playerA, nullptr);
  EXPECT_EQ(bank().playerB, nullptr);
  EXPECT_EQ(bank().currentA, -1);
  EXPECT_EQ(bank().currentB, -1);
  EXPECT_FALSE(cGame::isSoundPlaying(20));

  // The shell hands over to play with the remembered sound's loop flag.
  bank().resumeLoop = true;
  bank().resumeDelay = 12;
  for (int frame = 0; frame < 5; ++frame) cGame::updateSoundResume();
  EXPECT_EQ(bank().resumeDelay, 12) << "no count-down while paused";

  shell().paused = false;
  for (int frame = 0; frame < 12; ++frame) cGame::updateSoundResume();
  EXPECT_EQ(bank().resumeDelay, 0);
  EXPECT_EQ(server().requestA, -1);
  cGame::updateSoundResume();
  EXPECT_EQ(bank().resumeId, -1);
  EXPECT_EQ(server().requestA, 20);
  EXPECT_EQ(server().loopCountA, -1);
  server().servePass();
  EXPECT_TRUE(cGame::isSoundPlaying(20));
}

TEST_F(SoundBank, ResumeWaitsOutMenusStatesAndPendingStateChanges) {
  registerWav(20, sound::channelA);
  openGate();
  struct Case {
    int32_t state;
    bool pending;
    bool countsDown;
  } cases[] = {{10, false, false}, {11, false, false}, {12, false, false}, {13, false, false},
               {9, false, true},   {14, false, true},  {3, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("state " + std::to_string(c.state) + (c.pending ? ", change pending" : ""));
    shell().currentState = c.state;
    shell().stateChangePending = c.pending;
    bank().resumeId = 20;
    bank().resumeDelay = 12;
    cGame::updateSoundResume();
    EXPECT_EQ(bank().resumeDelay, c.countsDown ? 11 : 12);
  }
}

TEST_F(SoundBank, PauseRemembersNothingWhenChannelAIsSilentOrSoundIsOff) {
  registerWav(20, sound::channelA);
  openGate();
  cGame::stopAllSounds();
  EXPECT_EQ(bank().resumeId, -1) << "nothing played";

  cGame::playSound(20, false);
  server().servePass();
  advance(lengthOf(20) + 10);
  cGame::stopAllSounds();
  EXPECT_EQ(bank().resumeId, -1) << "the music had ended";

  cGame::playSound(20, false);
  server().servePass();
  bank().soundOn = false;
  cGame::stopAllSounds();
  EXPECT_EQ(bank().resumeId, -1) << "sound is off";
  EXPECT_EQ(bank().playerA, nullptr) << "but the channel is stopped all the same";
}

TEST_F(SoundBank, ContentTypesFollowTheFirstBytesAndShortDataMatchesNoLongerTag) {
  struct Case {
    std::string bytes;
    const char* type;
  } cases[] = {
      {"RIFF....WAVE", "audio/x-wav"}, {"#!AMR\n", "audio/amr"},  {"#!AMR", "audio/amr"},
      {"#!AM", "audio/midi"},          {"cmid", "audio/x-cmid"},  {"OggS", "audio/ogg"},
      {"Ogg", "audio/midi"},           {"", "audio/midi"},         {"riff", "audio/midi"},
      {"R", "audio/midi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.bytes + "\"");
    ByteArray* data = bytesOf(std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
    EXPECT_EQ(asciiOf(cGame::getSoundContentType(data)), c.type);
  }
  EXPECT_EQ(asciiOf(cGame::getSoundContentType(nullptr)), "audio/midi");
}

TEST_F(SoundBank, RegisteringTakesOnlyNonEmptySoundsOfTheBank) {
  registerWav(0, 7);  // any type but 0 is channel A
  registerWav(33, sound::channelB);
  EXPECT_EQ(bank().kind->get(0), sound::channelA);
  EXPECT_EQ(bank().kind->get(33), sound::channelB);
  EXPECT_EQ(asciiOf(static_cast<String*>(bank().contentType->get(0))), "audio/x-wav");

  cGame::registerSound(bytesOf({}), 1, 4);
  cGame::registerSound(nullptr, 1, 5);
  cGame::registerSound(bytesOf({'R', 'I', 'F', 'F'}), 1, sound::count);
  cGame::registerSound(bytesOf({'R', 'I', 'F', 'F'}), 1, -1);
  EXPECT_EQ(bank().data->get(4), nullptr);
  EXPECT_EQ(bank().data->get(5), nullptr);
}

TEST_F(SoundBank, AStopDropsTheChannelsRequestNotYetServed) {
  registerMusicAndEffect();
  cGame::playSound(20, false);
  cGame::playSound(1, false);
  cGame::stopAllSounds();
  const cSoundServer::Served served = server().servePass();
  EXPECT_FALSE(served.a);
  EXPECT_FALSE(served.b);
  EXPECT_EQ(bank().playerA, nullptr);
  EXPECT_EQ(bank().playerB, nullptr);
}

// The game thread may stop a channel, or ask it for another sound, while the
// server builds the channel's next player: that player never starts.
TEST_F(SoundBank, APlayerBuiltWhileItsChannelWasStoppedOrAskedAgainIsDropped) {
  registerWav(20, sound::channelA);
  registerWav(21, sound::channelA);
  registerWav(1, sound::channelB);
  openGate();
  struct Case {
    const char* meanwhile;
    void (*act)();
    bool channelA;
  } cases[] = {
      {"stopSoundA", [] { cGame::stopSoundA(); }, true},
      {"stopAllSounds", [] { cGame::stopAllSounds(); }, true},
      {"stopB", [] { bank().server->stopB(); }, false},
      {"another request", [] { cGame::playSound(21, false); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.meanwhile);
    cGame::playSound(c.channelA ? 20 : 1, false);
    const cSoundServer::Handover handover = server().take(c.channelA);
    ASSERT_TRUE(handover.taken);
    Object* player = server().build(handover);
    ASSERT_NE(player, nullptr);
    c.act();
    EXPECT_FALSE(server().install(handover, player));
    EXPECT_EQ(Player::viewOf(player)->getState(), Player::REALIZED) << "released, never started";
    EXPECT_EQ(c.channelA ? bank().playerA : bank().playerB, nullptr);
    cGame::stopAllSounds();
    server().servePass();
  }
}

TEST_F(SoundBank, ASoundNoPlayerAcceptsLeavesItsChannelSilent) {
  const uint8_t midi[] = {'c', 'm', 'i', 'd', 0, 0, 0, 0};
  cGame::registerSound(bytesOf({std::begin(midi), std::end(midi)}), sound::channelB, 3);
  openGate();
  wince::LogCapture log;
  cGame::playSound(3, false);
  EXPECT_TRUE(server().servePass().b);
  EXPECT_EQ(bank().playerB, nullptr);
  EXPECT_TRUE(log.contains("sound 3 could not be made into a player")) << log.text();
  EXPECT_FALSE(cGame::isChannelBPlaying());
}

TEST_F(SoundBank, ClassInitialisationFillsThePriorityTable) {
  struct Case {
    int32_t id, priority;
  } cases[] = {{0, 200},  {15, 200}, {16, 100}, {24, 100}, {25, 98},  {26, 100}, {27, 100}, {28, 50},
               {29, 100}, {30, 100}, {31, 99},  {32, 100}, {36, 100}, {37, 200}, {38, 150}};
  ASSERT_EQ(bank().priority->length(), sound::priorityCount);
  for (const Case& c : cases) EXPECT_EQ(bank().priority->get(c.id), c.priority) << "sound " << c.id;
  EXPECT_EQ(bank().startStamp, int64_t(clockStart));
  EXPECT_EQ(bank().currentA, -1);
  EXPECT_EQ(bank().currentB, -1);
  EXPECT_EQ(bank().resumeId, -1);
}

}  // namespace
