// The timed captions around the room's leading creature and the room's
// countdown: their phases, pauses and ends, and the countdown's clock.
#include <gtest/gtest.h>

#include <string>

#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorEnemy.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "tests/game/shell/text_kit.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/story_fixture.h"

namespace {

// The kind of the cinematic screen that is open, -99 for none.
int32_t openedKind() { return cGame::isCinematicActive() ? cGame::cinematicKind() : -99; }

class TimedEventTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    textkit::setTexts({{229, "Spotted"}, {230, "Run"}, {231, "Falls"}, {232, "Defeated"}}, 272);
    leader = makeActor(ActorKind::CREATURE, 300, 200);
    leader->setSprite(sprite(installCreatureSprite()));
    worldStatics().cGameRoom.targetActor = leader;
    focus = makeActor(ActorKind::PLAYER, 100, 200);
    focus->setSprite(sprite(16));
    play().focusActor = focus;
    cGame::setChapter(3);
    cGame::startCaptionPhase(-1);
  }
  static int installCreatureSprite() {
    installSprite(16, {.animations = 40, .steps = 1, .frameBox = [](int) { return worldkit::TestFrameBox{-8, -16, 16, 16}; }});
    return 16;
  }
  static cGameTimedEventStatics& timed() { return storyStatics().cGameTimedEvents; }
  static bool captionIs(const char* text) {
    String* caption = timed().timedCaption;
    return caption != nullptr && caption->equals(newString(text));
  }
  // One frame of the timed events, as the frame of play runs it.
  static bool step(int32_t ms) {
    shell::loop().frameTime = ms;
    return cGame::updateTimedEvent();
  }

  cActor* leader = nullptr;
  cActor* focus = nullptr;
};

TEST_F(TimedEventTest, TheAlarmSlidesItsCaptionInThenRunsToItsEndOnce) {
  cGame::startCaptionSequence();
  EXPECT_EQ(cGame::timedPhase(), 0);
  EXPECT_TRUE(captionIs("Spotted"));
  EXPECT_EQ(timed().timedCaptionY, -60);

  EXPECT_TRUE(step(500));
  EXPECT_EQ(timed().timedCaptionX, 400);
  EXPECT_EQ(timed().timedCaptionY, 30) << "halfway down";
  cGame::startCaptionSequence();
  EXPECT_EQ(timed().timedElapsed, 500) << "a running alarm is not restarted";

  EXPECT_TRUE(step(500));
  EXPECT_EQ(cGame::timedPhase(), 1);
  EXPECT_EQ(timed().timedCaptionY, 120);
  EXPECT_TRUE(captionIs("Spotted"));
  EXPECT_EQ(leader->player->anim, 36);
  EXPECT_EQ(focus->player->anim, 17);

  EXPECT_TRUE(step(1000));
  EXPECT_EQ(cGame::timedPhase(), 2);
  EXPECT_TRUE(captionIs("Run"));
  EXPECT_TRUE(step(1000));
  EXPECT_EQ(cGame::timedPhase(), -2);
  EXPECT_EQ(timed().timedCaption, nullptr);
  EXPECT_FALSE(step(62)) << "a finished alarm holds nothing";

  cGame::startCaptionSequence();
  EXPECT_EQ(cGame::timedPhase(), -2) << "the alarm sounds once";
}

TEST_F(TimedEventTest, OutsideTheFightingChaptersTheAlarmOnlyResets) {
  for (int32_t chapter : {0, 5, 9}) {
    SCOPED_TRACE(chapter);
    cGame::setChapter(chapter);
    cGame::startCaptionPhase(-1);
    cGame::startCaptionSequence();
    EXPECT_EQ(cGame::timedPhase(), -1);
    EXPECT_EQ(timed().timedCaption, nullptr);
  }
  cGame::setChapter(7);
  cGame::startCaptionSequence();
  EXPECT_EQ(cGame::timedPhase(), 0);
}

TEST_F(TimedEventTest, AForegroundCutsceneHoldsThePhaseButItsClockRuns) {
  ScriptBuilder script;
  script.cutscene(1, 1).track(0, 0).key(600).cmd(56);
  load(script);
  ASSERT_TRUE(cGame::startCutscene(0, 0, false, false, false));
  shellStatics().cGameShared.fullSpeedAnimation = false;
  cGame::startCaptionPhase(0);
  EXPECT_FALSE(step(1500));
  EXPECT_EQ(cGame::timedPhase(), 0);
  EXPECT_EQ(timed().timedElapsed, 1500);
  shellStatics().cGameShared.fullSpeedAnimation = true;
  EXPECT_TRUE(step(10));
  EXPECT_EQ(cGame::timedPhase(), 1) << "overdue, it ends at once";
}

TEST_F(TimedEventTest, TheLeadersFallEndsTheChapterInRoomThreeOnly) {
  struct Case {
    int32_t chapter;
    int32_t pendingText;
    int32_t cinematic;  // kind opened, -99 none
    int32_t phaseAfter;
  };
  for (const Case& c : {Case{3, 12, 3, 3}, Case{3, -1, 3, 3}, Case{7, 12, -99, -1}}) {
    SCOPED_TRACE(testing::Message() << "chapter " << c.chapter << " text " << c.pendingText);
    forget();
    cGame::closeCinematic();
    cGame::setChapter(c.chapter);
    storyStatics().cGameActions.pendingCinematicText = c.pendingText;
    cGame::startCaptionPhase(3);
    EXPECT_TRUE(captionIs("Falls"));
    EXPECT_TRUE(step(1999));
    EXPECT_EQ(openedKind(), -99);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(step(1));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(openedKind(), c.cinematic);
    EXPECT_EQ(cGame::timedPhase(), c.phaseAfter);
  }
}

TEST_F(TimedEventTest, ThePlayersDefeatOpensTheGameOverAndGivesTheFrameBack) {
  cGame::showCaption(400, 120, 4);
  cGame::startTimedCaption(4);
  EXPECT_TRUE(captionIs("Defeated"));
  EXPECT_TRUE(step(1000));
  EXPECT_EQ(openedKind(), -99);
  EXPECT_FALSE(step(1000)) << "the frame in which it ends plays on";
  EXPECT_EQ(openedKind(), 2);
}

TEST_F(TimedEventTest, TheCaptionIsPaintedInItsPhasesPaletteWhileThePhaseRuns) {
  ASprite* font = textkit::blockFont();
  shell::setSprite(6, font);
  for (int32_t phase : {0, 4}) {
    cGame::startCaptionPhase(phase);
    font->setPalette(5);
    cGame::paintTimedEvent();
    EXPECT_EQ(font->getPalette(), phase == 4 ? 3 : 0);
  }
  step(2000);
  font->setPalette(5);
  cGame::paintTimedEvent();
  EXPECT_EQ(font->getPalette(), 5) << "nothing once the phase is done";
}

TEST_F(TimedEventTest, BadPhasesAndCaptionsAreRefused) {
  testing::internal::CaptureStdout();
  cGame::startCaptionPhase(5);
  cGame::startTimedCaption(-3);
  cGame::showCaption(0, 0, 7);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("startCaptionPhase"), std::string::npos);
  EXPECT_NE(log.find("showCaption"), std::string::npos);
  EXPECT_EQ(cGame::timedPhase(), -1);
  EXPECT_EQ(timed().timedCaption, nullptr);
}

// The creature's gauge at the bottom: once the alarm is over in the
// fighting chapters while the leader is awake, and in chapter 9 while the
// creature is out of play.
TEST_F(TimedEventTest, TheOverlayShowsTheLeadersGaugeOnlyWhenTheChapterCallsForIt) {
  installSprite(11, {.animations = 21, .steps = 1});
  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, newIntArray(3));
  creature->hp = 10;
  creature->setParams(newIntArray(25), 25);
  creature->setParam(22, 20);
  struct Case {
    const char* what;
    int32_t chapter, phase;
    bool enemy, active;
    int32_t state;
    bool gauge;
  };
  const Case cases[] = {
      {"the alarm is over", 3, -2, false, true, 0, true},
      {"the alarm is over in chapter 7", 7, -2, false, true, 0, true},
      {"the alarm still runs", 3, 1, false, true, 0, false},
      {"no alarm yet", 3, -1, false, true, 0, false},
      {"the leader sleeps", 3, -2, false, false, 0, false},
      {"another chapter", 5, -2, false, true, 0, false},
      {"chapter 9, out of play", 9, -1, true, true, 26, true},
      {"chapter 9, in play", 9, -1, true, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cGame::setChapter(c.chapter);
    cGame::startTimedCaption(c.phase);
    cActor* aimedAt = c.enemy ? creature : leader;
    aimedAt->setFlag(ActorFlags::ACTIVE, c.active);
    creature->state = c.state;
    worldStatics().cGameRoom.targetActor = aimedAt;
    auto* g = shell::loop().graphics;
    g->setColor(0);
    g->fillRect(0, 0, 800, 480);
    cGame::paintTimerOverlay();
    IntArray* pixel = newIntArray(1);
    screen()->getRGB(pixel, 0, 1, 388, 440, 1, 1);
    EXPECT_EQ((pixel->get(0) & 0xFFFFFF) != 0, c.gauge) << "the gauge's frame 15 above (388, 447)";
  }
}

class CountdownTest : public StoryFixture {
 protected:
  static cGameCountdownStatics& clock() { return storyStatics().cGameCountdown; }
  static void tick(int32_t ms) {
    shell::loop().timeStep = ms;
    cGame::updateCountdown();
  }
  // The cutscene with id 7 in the room's script.
  static void loadCutsceneSeven() {
    ScriptBuilder script;
    script.cutscene(7, 1).track(0, 0).key(600).cmd(56);
    load(script);
  }
};

TEST_F(CountdownTest, SetTimerStartsOrSwitchesOffAndTheRoomStartsWithoutOne) {
  cGame::setTimer(30, 4);
  EXPECT_TRUE(cGame::isCountdownActive());
  EXPECT_EQ(clock().countdownMs, 30000);
  EXPECT_EQ(clock().countdownAction, 4);
  cGame::setTimer(0, 4);
  EXPECT_FALSE(cGame::isCountdownActive());
  EXPECT_EQ(clock().countdownAction, -1);
  cGame::setTimer(30, 4);
  cGame::clearCountdown();
  EXPECT_EQ(clock().countdownMs, 0);
  EXPECT_EQ(clock().countdownAction, -1);
}

TEST_F(CountdownTest, ItWaitsForLinesInteractionsAndForegroundCutscenes) {
  cGame::setCountdown(10000, -1);
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 9000);

  conversationkit::showLine();
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 9000) << "a line is shown";
  cGame::initConversationQueue();

  openCloseUp(80);
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 9000) << "an interaction runs";
  cGame::leaveInteraction();
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 8000) << "and once it is left, the time runs again";

  loadCutsceneSeven();
  ASSERT_TRUE(cGame::startCutscene(0, 0, false, false, false));
  shellStatics().cGameShared.fullSpeedAnimation = false;
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 8000) << "a foreground cutscene";
  shellStatics().cGameShared.fullSpeedAnimation = true;
  tick(1000);
  EXPECT_EQ(clock().countdownMs, 7000) << "a background one lets it run";
}

TEST_F(CountdownTest, AtZeroItsCutsceneStartsOrTheGameIsOver) {
  struct Case {
    const char* what;
    int32_t action;
    bool cutscene;
  };
  for (const Case& c : {Case{"its cutscene", 7, true}, Case{"a cutscene the room lacks", 8, false},
                        Case{"no cutscene", -1, false}}) {
    SCOPED_TRACE(c.what);
    forget();
    cGame::closeCinematic();
    cGame::endCutscene(cGame::currentCutscene());
    cutscene().cutsceneTransition = -1;
    loadCutsceneSeven();
    cGame::setCountdown(100, c.action);
    tick(99);
    EXPECT_TRUE(cGame::isCountdownActive());
    EXPECT_EQ(cGame::currentCutscene(), -1);
    tick(1);
    EXPECT_FALSE(cGame::isCountdownActive());
    EXPECT_EQ(cGame::currentCutscene(), c.cutscene ? 0 : -1);
    EXPECT_EQ(openedKind(), c.cutscene ? -99 : 2);
    tick(100);
    EXPECT_EQ(openedKind(), c.cutscene ? -99 : 2) << "it ends once";
  }
}

class CountdownClockTest : public CountdownTest {
 protected:
  void SetUp() override {
    CountdownTest::SetUp();
    font = textkit::blockFont();
    shell::setSprite(5, font);
  }
  // The lit columns of the clock's text row: its left and right edge.
  std::pair<int32_t, int32_t> textSpan() {
    auto* g = shell::loop().graphics;
    g->setColor(0);
    g->fillRect(0, 0, 800, 480);
    cGame::paintCountdownClock();
    IntArray* row = newIntArray(800);
    screen()->getRGB(row, 0, 800, 0, 110, 800, 1);
    int32_t left = -1, right = -1;
    for (int32_t x = 0; x < 800; ++x) {
      if ((row->get(x) & 0xFFFFFF) == 0) continue;
      if (left < 0) left = x;
      right = x;
    }
    return {left, right};
  }
  ASprite* font = nullptr;
};

TEST_F(CountdownClockTest, TheClockReadsMinutesAndSecondsWithTwoDigitsEach) {
  struct Case {
    int32_t ms;
    int32_t characters;  // of mm:ss; each a 6-px block, 7 px apart
  };
  for (const Case& c : {Case{75000, 5}, Case{5000, 5}, Case{605000, 5}, Case{59999, 5}}) {
    SCOPED_TRACE(c.ms);
    cGame::setCountdown(c.ms, -1);
    const auto [left, right] = textSpan();
    EXPECT_EQ(right - left + 1, (c.characters - 1) * 7 + 6);
    EXPECT_NEAR((left + right + 1) / 2, 751, 2) << "centred on x 751";
  }
  cGame::clearCountdown();
  EXPECT_EQ(textSpan().first, -1) << "nothing while it is off";
}

TEST_F(CountdownClockTest, TheLastTenSecondsBlinkTwiceASecond) {
  struct Case {
    int32_t ms;
    int32_t palette;
  };
  for (const Case& c : {Case{75000, 1}, Case{10000, 1}, Case{9990, 1}, Case{9490, 2}, Case{9000, 2},
                        Case{8500, 1}, Case{490, 2}, Case{60490, 1}}) {
    SCOPED_TRACE(c.ms);
    cGame::setCountdown(c.ms, -1);
    textSpan();
    EXPECT_EQ(font->getPalette(), c.palette);
  }
}

}  // namespace
