// What each command does when a track runs it, one row per command, and
// which of them a fast-forward passes over.
#include <gtest/gtest.h>

#include <functional>

#include "game/story/EventScriptFormat.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"

namespace {

class EventCommandsTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    makeSprite(20, {{-8, -16, 16, 16}}, {{0}, {0}, {0}, {0}}, 3);
  }

  // A fresh room: the driven actor 42 (with a sprite), actor 43, and the
  // focus character 44.
  void freshRoom() {
    cActor::releaseLayer(0);
    cGame::clearScriptActors();
    cGame::initConversationQueue();
    driven = scriptActor(42, 100, 100);
    driven->setSprite(sprite(20));
    other = scriptActor(43, 300, 300);
    other->setParams(newIntArray(8), 8);
    other->hp = 50;
    focus = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    focus->id = 44;
    focus->hp = 100;
    focus->items = newObjectArray(15);
    focus->setParams(newIntArray(8), 8);
    partner = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    partner->id = 45;
    partner->hp = 100;
    partner->partnerIndex = 1;
    partner->setParams(newIntArray(8), 8);
    cGame::setFocusActor(focus);
    camera().cameraX = 10 << 8;
    camera().cameraY = 20 << 8;
    camera().cameraTarget = focus;
    cGame::resetPopup();
    forget();
  }

  // A key prompt that timed out and waits for the script to take its
  // result.
  static void failedPopup() {
    cGame::openPopup(5, 0, 0, 0, -1, -1, false);
    cGame::updatePopup();
    ASSERT_EQ(shellStatics().cGamePopup.popupMode, 4);
    ASSERT_FALSE(shellStatics().cGamePopup.popupResultTaken);
  }

  // Runs the one command at time 0 of a type-2 track on actor 42.
  static bool runOne(uint8_t op, std::initializer_list<int32_t> operands, bool fastForward = false) {
    ScriptBuilder builder;
    builder.cutscene(1, 1).track(2, 0, 42).key(0).cmd(op, operands).key(100);
    load(builder);
    cGame::startEventTrack(0, false);
    cutscene().cutsceneFastForward = fastForward;
    const bool stopped = cGame::stepEventTrack(0, 0);
    cutscene().cutsceneFastForward = false;
    return stopped;
  }


 public:
  cActor* driven = nullptr;
  cActor* other = nullptr;
  cActorMC* focus = nullptr;
  cActorMC* partner = nullptr;
};

TEST_F(EventCommandsTest, EachCommandActsAsItsRowSays) {
  addAction(67, {9, 43});  // kills actor 43
  // Item 1 is counted (amount 1) and has no name to announce.
  IntArray* item = newIntArray(7);
  item->set(2, 1);
  item->set(3, -1);
  item->set(5, 1);
  cGame::setItemRecord(item, 1);
  // Script text 0 is the pack's text 272.
  cGameTextStatics& texts = toolkitStatics().cGameText;
  texts.count = 273;
  texts.offsets = newIntArray(274);
  texts.offsets->set(273, 1);
  texts.bytes = newByteArray(1);
  texts.bytes->set(0, 'A');
  struct Case {
    uint8_t op;
    std::initializer_list<int32_t> operands;
    std::function<void(EventCommandsTest&)> check;
  };
  const Case cases[] = {
      {11, {120, -5}, [](EventCommandsTest&) {
         EXPECT_EQ(camera().cameraX, 120 << 8);
         EXPECT_EQ(camera().cameraY, 20 << 8) << "a negative value keeps the axis";
         EXPECT_EQ(camera().cameraTarget, nullptr);
         EXPECT_EQ(worldStatics().cGamePlay.cameraPixelX, 120);
         EXPECT_EQ(worldStatics().cGamePlay.cameraPixelY, 20);
       }},
      {12, {500, -1}, [](EventCommandsTest&) {
         EXPECT_EQ(camera().cameraX, 100 << 8);
         EXPECT_EQ(camera().cameraY, 20 << 8) << "the centre kept on y";
         EXPECT_EQ(camera().cameraTarget, nullptr);
       }},
      {21, {-1, 77}, [](EventCommandsTest& t) {
         EXPECT_EQ(t.driven->getPixelX(), 100);
         EXPECT_EQ(t.driven->getPixelY(), 77);
       }},
      {41, {-1, 6}, [](EventCommandsTest& t) {
         EXPECT_EQ(t.driven->x, -256) << "no keep rule";
         EXPECT_EQ(t.driven->getPixelY(), 6);
       }},
      {22, {2}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->player->anim, 2); }},
      {42, {3}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->player->anim, 3); }},
      {23, {0x800000}, [](EventCommandsTest& t) { EXPECT_TRUE(t.driven->hasFlag(ActorFlags::HIDDEN)); }},
      {43, {0x7FFFFF}, [](EventCommandsTest& t) { EXPECT_FALSE(t.driven->hasFlag(ActorFlags::HIDDEN)); }},
      {24, {0x800000}, [](EventCommandsTest& t) { EXPECT_FALSE(t.driven->hasFlag(ActorFlags::HIDDEN)); }},
      {26, {5}, [](EventCommandsTest& t) {
         EXPECT_EQ(t.driven->z, 5 << 8);
         EXPECT_TRUE(t.driven->hasFlag(ActorFlags::MOVED));
       }},
      {27, {2}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->palette, 2); }},
      {28, {3, 1000, 1, 0}, [](EventCommandsTest& t) {
         ASSERT_TRUE(t.driven->hasBalloon());
         EXPECT_EQ(t.driven->balloon->get(0), 275);
       }},
      {37, {9}, [](EventCommandsTest& t) { EXPECT_TRUE(t.other->isKilled()); }},
      {45, {2}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->player->sprite->currentPalette, 2); }},
      {50, {43}, [](EventCommandsTest& t) { EXPECT_TRUE(t.other->isActive()); }},
      {51, {43}, [](EventCommandsTest& t) { EXPECT_TRUE(t.other->isKilled()); }},
      {52, {0, 1500}, [](EventCommandsTest&) { EXPECT_EQ(shellStatics().cGameNotice.noticeRemaining, 1500); }},
      {53, {5, 2, 43}, [](EventCommandsTest&) {
         EXPECT_EQ(conversationkit::shownText(), 5);
         EXPECT_EQ(conversationkit::talk().conversationSpeakers->get(0), 2);
         EXPECT_EQ(conversationkit::talk().conversationBalloonActors->get(0), 43);
       }},
      {54, {0}, [](EventCommandsTest&) { EXPECT_FALSE(cGame::hasPlayerControl()); }},
      {55, {-1, 0}, [](EventCommandsTest&) { EXPECT_EQ(toolkitStatics().cGameSound.currentB, -1); }},
      {57, {300}, [](EventCommandsTest&) { EXPECT_EQ(camera().shakeTimeLeft, 300); }},
      {58, {0, 4, 10, 20, 1}, [](EventCommandsTest&) { EXPECT_EQ(cGame::cinematicKind(), 4); }},
      {58, {0, 4, 10, 20, 0}, [](EventCommandsTest&) { EXPECT_EQ(cGame::cinematicKind(), 1); }},
      // Answers 1 and 3 are not given: the right one, written as 2, is the
      // second of those that are.
      {61, {1, 2, 43, 10, -1, 12, -1, 14, 2, 5, 6}, [](EventCommandsTest&) {
         ASSERT_NE(conversationkit::talk().answerTexts, nullptr);
         EXPECT_EQ(conversationkit::talk().answerTexts->length(), 3);
         EXPECT_EQ(conversationkit::talk().answerTexts->get(1), 12 + 272);
         EXPECT_EQ(conversationkit::talk().answerRight, 1);
       }},
      {61, {1, 2, 43, -1, -1, -1, -1, -1, 0, 5, 6}, [](EventCommandsTest&) {
         EXPECT_EQ(conversationkit::shownText(), -1) << "no answers, no question";
       }},
      {62, {}, [](EventCommandsTest&) {
         EXPECT_EQ(cutscene().cutsceneTransition, 1);
         EXPECT_EQ(cutscene().cutsceneTransitionTime, 500);
       }},
      {63, {}, [](EventCommandsTest&) { EXPECT_EQ(cutscene().cutsceneTransition, -1); }},
      {65, {43, 42, 1, 2, 3, 4}, [](EventCommandsTest& t) { EXPECT_EQ(t.other->boundActor, t.driven); }},
      {66, {0}, [](EventCommandsTest&) {
         EXPECT_TRUE(cutscene().cutsceneSkipOffered);
         EXPECT_FALSE(cutscene().cutsceneSkipMode);
       }},
      {67, {0, 1, 3}, [](EventCommandsTest& t) {
         ASSERT_EQ(t.focus->findInventorySlot(1), 0) << "the focus character carries item 1";
         EXPECT_EQ(static_cast<IntArray*>(t.focus->items->get(0))->get(1), 3);
       }},
      {68, {45}, [](EventCommandsTest& t) { EXPECT_EQ(worldStatics().cGamePlay.focusActor, t.partner); }},
      {69, {44, 45}, [](EventCommandsTest& t) { EXPECT_EQ(t.focus->companion, t.partner); }},
      {25, {7}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->getPixelX(), 100) << "no effect"; }},
      {56, {}, [](EventCommandsTest& t) { EXPECT_EQ(t.driven->getPixelX(), 100) << "no effect"; }},
      {70, {43, -5}, [](EventCommandsTest& t) { EXPECT_EQ(t.other->hp, 45); }},
      {71, {43, 200, -1, 50, 0}, [](EventCommandsTest& t) {
         ASSERT_NE(t.other->moveRecord, nullptr);
         EXPECT_EQ(t.other->moveRecord->get(0), 200 << 8);
         EXPECT_EQ(cutscene().cutsceneWaitActor, t.other);
       }},
      {72, {1, 2, 3, 900}, [](EventCommandsTest&) {
         const cGamePopupStatics& popup = shellStatics().cGamePopup;
         ASSERT_TRUE(cGame::isPopupActive());
         EXPECT_EQ(popup.popupTimeLimit, 900);
         EXPECT_EQ(popup.popupIcons->get(0), 1);
         EXPECT_EQ(popup.popupIcons->get(1), 2);
         EXPECT_EQ(popup.popupIcons->get(2), 3);
         EXPECT_EQ(popup.popupSuccessAction, -1);
         EXPECT_EQ(popup.popupFailureAction, -1);
       }},
      // An open prompt's result is taken; no cutscene 1 or 2 to start here.
      {73, {1, 0, 2, 0}, [](EventCommandsTest&) {
         EXPECT_TRUE(shellStatics().cGamePopup.popupResultTaken);
         EXPECT_EQ(cGame::currentCutscene(), -1);
       }},
      {74, {2}, [](EventCommandsTest&) { EXPECT_NE(worldStatics().cGameEffects.particleX, nullptr); }},
      {75, {4, 0, 500, 100, 1}, [](EventCommandsTest&) {
         ASSERT_NE(worldStatics().cGameEffects.effectPlayers, nullptr);
         EXPECT_NE(worldStatics().cGameEffects.effectPlayers->get(0), nullptr) << "sprite 4 + 16";
       }},
      {76, {30, 4}, [](EventCommandsTest&) {
         EXPECT_EQ(storyStatics().cGameCountdown.countdownMs, 30000);
         EXPECT_EQ(storyStatics().cGameCountdown.countdownAction, 4);
       }},
      {77, {}, [](EventCommandsTest&) { EXPECT_EQ(cGame::cinematicKind(), 2); }},
      {78, {1}, [](EventCommandsTest&) { EXPECT_TRUE(worldStatics().cGamePlay.actionButtonEnabled); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "opcode " << int(c.op));
    freshRoom();
    if (c.op == 24) driven->setFlag(ActorFlags::HIDDEN, true);
    if (c.op == 73) cGame::openPopup(5, 0, 0, 1000, -1, -1, false);
    driven->setFlag(ActorFlags::MOVED, false);
    worldStatics().cGamePlay.actionButtonEnabled = false;
    cGame::setPlayerControl(true);
    EXPECT_FALSE(runOne(c.op, c.operands));
    c.check(*this);
  }
}

TEST_F(EventCommandsTest, CommandsThatHandControlOnStopTheTrackAtItsKeyframe) {
  freshRoom();
  addAction(62, {5, 2, 0, 0, 0});  // starts cutscene 2
  struct Case {
    uint8_t op;
    std::initializer_list<int32_t> operands;
  };
  for (const Case& c : {Case{37, {5}}, Case{64, {2, 0, false, false}}, Case{73, {2, 0, 2, 0}}}) {
    SCOPED_TRACE(int(c.op));
    // In a running cutscene: the command comes 100 ms in, after a start
    // that closes any key prompt, so the one for 73 times out in between.
    ScriptBuilder later;
    later.cutscene(1, 1).track(0, 0).key(0).key(1).cmd(c.op, c.operands).cmd(78, {1}).key(100);
    later.cutscene(2, 1).track(0, 0).key(50);
    load(later);
    worldStatics().cGamePlay.actionButtonEnabled = false;
    ASSERT_TRUE(cGame::startCutscene(0, -1, true, false, false));
    if (c.op == 73) failedPopup();
    setTimeStep(100);
    cGame::stepCutscene();
    setTimeStep(framePeriod);
    EXPECT_FALSE(worldStatics().cGamePlay.actionButtonEnabled) << "the command after it did not run";
    EXPECT_EQ(cGame::currentCutscene(), 1);
    cGame::endCutscene(cGame::currentCutscene());

    // The track stepped on its own, outside a running cutscene, keeps its
    // place: the start of the keyframe that handed control on.
    ScriptBuilder builder;
    builder.cutscene(1, 1).track(0, 0).key(0).cmd(c.op, c.operands).cmd(78, {1}).key(100);
    builder.cutscene(2, 1).track(0, 0).key(50);
    load(builder);
    if (c.op == 73) failedPopup();
    worldStatics().cGamePlay.actionButtonEnabled = false;
    cGame::startEventTrack(0, false);
    EXPECT_TRUE(cGame::stepEventTrack(0, 0));
    EXPECT_FALSE(worldStatics().cGamePlay.actionButtonEnabled) << "the command after it did not run";
    EXPECT_EQ(cGame::currentCutscene(), 1);
    EXPECT_EQ(events().trackReadPos->get(0), events().trackOffset->get(0) + 4) << "the keyframe's start is kept";
    cGame::endCutscene(cGame::currentCutscene());
  }
}

TEST_F(EventCommandsTest, ACutsceneThatStartsItselfAtOnceIsHeldOff) {
  freshRoom();
  ScriptBuilder builder;
  builder.cutscene(1, 1).track(0, 0).key(0).cmd(64, {1, 0, false, false}).key(100);
  load(builder);
  testing::internal::CaptureStdout();
  cGame::playCutscene(0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("starts nested"), std::string::npos);
  EXPECT_EQ(cGame::currentCutscene(), 0);

  // Two fast-forwarded cutscenes that start each other: each start is
  // deferred and taken up after the other's fast-forward.
  ScriptBuilder ring;
  ring.cutscene(1, 1).track(0, 0).key(0).cmd(64, {2, 5, false, false}).key(100);
  ring.cutscene(2, 1).track(0, 0).key(0).cmd(64, {1, 5, false, false}).key(100);
  load(ring);
  testing::internal::CaptureStdout();
  cGame::startCutscene(0, 5, false, false, false);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("starts nested"), std::string::npos);
  EXPECT_GE(cGame::currentCutscene(), 0);
  EXPECT_EQ(cutscene().deferredCutscene, -1);
}

TEST_F(EventCommandsTest, TracksOfTypes0And1ActOnNoActor) {
  freshRoom();
  for (int type : {0, 1}) {
    SCOPED_TRACE(type);
    ScriptBuilder builder;
    builder.cutscene(1, 1).track(type, 0).key(0).cmd(21, {5, 5}).cmd(23, {0x800000}).cmd(26, {9}).cmd(22, {1});
    load(builder);
    cGame::startEventTrack(0, false);
    cGame::stepEventTrack(0, 0);
    auto* first = static_cast<cActor*>(events().scriptActors->get(0));
    EXPECT_EQ(first, driven);
    EXPECT_EQ(driven->getPixelX(), 100);
    EXPECT_FALSE(driven->hasFlag(ActorFlags::HIDDEN));
    EXPECT_EQ(driven->z, 0);
  }
}

TEST_F(EventCommandsTest, TheCameraFollowsTheActorOfATrackOfTheRunningCutsceneOnly) {
  freshRoom();
  ScriptBuilder builder;
  builder.cutscene(1, 2).track(0, 0).key(0).cmd(13, {1, 0, 0}).track(2, 0, 43).key(50);
  builder.cutscene(2, 1).track(0, 0).key(0).cmd(13, {1, 0, 0});
  load(builder);
  ASSERT_TRUE(cGame::playCutscene(0));
  EXPECT_EQ(camera().cameraTarget, other);
  EXPECT_EQ(camera().panDuration, 500);
  EXPECT_EQ(camera().cameraMode, 0);
  camera().cameraTarget = focus;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(cGame::playCutscene(1));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("does not have"), std::string::npos);
  EXPECT_NE(camera().cameraTarget, other) << "track 1 of a one-track cutscene is no track of it";
}

TEST_F(EventCommandsTest, AnimationsFromScriptsOpenSwitchesAndTurnCreatures) {
  freshRoom();
  cActor* lever = makeActor(ActorKind::BARRIER_SWITCH, 0, 0);
  IntArray* params = newIntArray(8);
  params->set(1, 4);
  params->set(2, 5);
  lever->setParams(params, 8);
  lever->setSprite(sprite(20));
  lever->player->setAnim(1, -1);
  cGame::setActorAnimFromScript(lever, 2);
  EXPECT_EQ(lever->player->anim, 1) << "a switch takes no animation";
  cGame::setActorAnimFromScript(nullptr, 2);

  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, newIntArray(3));
  creature->setSprite(sprite(20));
  const int32_t facing[] = {DirectionMask::UP, DirectionMask::LEFT, DirectionMask::DOWN, DirectionMask::RIGHT};
  for (int32_t anim = 0; anim < 4; ++anim) {
    cGame::setActorAnimFromScript(creature, anim);
    EXPECT_EQ(creature->player->anim, anim);
    EXPECT_EQ(creature->direction, facing[anim]);
  }
}

TEST_F(EventCommandsTest, AFastForwardPassesOverWhatDependsOnRealTime) {
  struct Case {
    uint8_t op;
    std::initializer_list<int32_t> operands;
  };
  const Case skipped[] = {
      {28, {3, 1000, 1, 0}}, {53, {5, 2, 43}}, {57, {300}}, {61, {1, 2, 43, 10, -1, 12, -1, 14, 2, 5, 6}},
      {62, {}},              {72, {1, 2, 3, 900}},
  };
  for (const Case& c : skipped) {
    SCOPED_TRACE(int(c.op));
    freshRoom();
    cutscene().cutsceneTransition = -1;
    cGame::initConversationQueue();
    runOne(c.op, c.operands, true);
    EXPECT_EQ(conversationkit::shownText(), -1) << "no line queued";
    EXPECT_FALSE(driven->hasBalloon());
    EXPECT_EQ(camera().shakeTimeLeft, 0);
    EXPECT_EQ(cutscene().cutsceneTransition, -1);
    EXPECT_FALSE(cGame::isPopupActive()) << "no key prompt opens";
  }
  // Positions, animations and music still run.
  freshRoom();
  runOne(21, {5, 6}, true);
  EXPECT_EQ(driven->getPixelX(), 5);
  toolkitStatics().cGameSound.currentB = 7;
  runOne(55, {-1, 0}, true);
  EXPECT_EQ(toolkitStatics().cGameSound.currentB, -1) << "stopping the music is no sound effect";
}

}  // namespace
