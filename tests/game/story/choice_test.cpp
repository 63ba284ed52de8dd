// The two-option choice: opened by a use of a carried item, painted with its
// two buttons, answered by touch, and what the first button does to the
// item and to the object asked about.
#include <gtest/gtest.h>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorNPC.h"
#include "platform/java_util/java_util_Vector.h"
#include "tests/game/shell/text_kit.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class ChoiceTest : public SceneObjectFixture {
 protected:
  static constexpr int32_t key = 4;
  static constexpr int32_t keySlot = 2;
  static constexpr int32_t buttonY = 265;  // the question box's buttons
  static constexpr int32_t firstButtonX = 215;
  static constexpr int32_t secondButtonX = 585;

  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(50, {.animations = 42, .steps = 1});
    shell::setSprite(5, textkit::blockFont());
    // The key: type 1, no effect of its own when used.
    IntArray* record = newIntArray(7);
    record->set(2, 1);
    cGame::setItemRecord(record, key);
    hero = makePlayer(300, 200);
    giveKeys(2);
    cGame::initConversationQueue();
  }

  void giveKeys(int32_t count) {
    IntArray* entry = newIntArray(2);
    entry->set(0, key);
    entry->set(1, count);
    hero->items->set(keySlot, entry);
  }
  int32_t keysLeft() const {
    auto* entry = static_cast<IntArray*>(hero->items->get(keySlot));
    return entry != nullptr ? entry->get(1) : 0;
  }

  static cGameChoiceStatics& choice() { return storyStatics().cGameChoice; }
  static void ask(cActor* target) { cGame::openChoice(nullptr, 2, target, keySlot); }
  // One frame of the choice: its update, then its paint.
  static void frame() {
    cGame::updateChoice();
    cGame::paintChoice();
    shellStatics().cGameKeys.framePressed = 0;
  }
  // A tap released on (x, y), taken by the next update.
  static void tapAt(int32_t x, int32_t y) {
    cGame::applyPointerPressed(x, y);
    cGame::applyPointerReleased(x, y);
  }
  static void press(int32_t gameKey) { shellStatics().cGameKeys.framePressed |= 1 << gameKey; }
  static bool hasArea(int32_t id) {
    java_util_Vector* areas = shell::touch().touchAreas;
    for (int32_t i = 0; areas != nullptr && i < areas->size(); ++i) {
      if (static_cast<SensibleRectangle*>(areas->elementAt(i))->id == id) return true;
    }
    return false;
  }
  // Opens the choice on target and answers it with the button at x.
  void answerWith(cActor* target, int32_t x) {
    ask(target);
    frame();
    tapAt(x, buttonY);
    frame();
  }

  cActorMC* hero = nullptr;
};

TEST_F(ChoiceTest, TheOpeningFrameTakesNoInputAndTheButtonsComeWithTheNextPaint) {
  cActor* door = makeObject(ActorKind::BARRIER_SWITCH, 60, 320, 160, {0, 1, 0, key, 0, 0, 2, -1}, false);
  ask(door);
  EXPECT_TRUE(cGame::isChoiceActive());
  EXPECT_EQ(choice().choiceState, 1);
  cGame::paintChoice();
  EXPECT_FALSE(hasArea(10)) << "nothing is painted before the box waits";

  // A tap that arrived with the opening frame is not an answer.
  tapAt(firstButtonX, buttonY);
  frame();
  EXPECT_EQ(choice().choiceState, 2);
  EXPECT_TRUE(hasArea(10));
  EXPECT_TRUE(hasArea(11));
  EXPECT_EQ(keysLeft(), 2);
  EXPECT_TRUE(door->isNotActive());
}

TEST_F(ChoiceTest, KeysOnlyMoveTheOptionTheAnswerIsATouch) {
  cActor* door = makeObject(ActorKind::BARRIER_SWITCH, 60, 320, 160, {0, 1, 0, key, 0, 0, 2, -1}, false);
  ask(door);
  frame();
  struct Step {
    std::vector<int32_t> keys;
    int32_t option;
  };
  for (const Step& step : {Step{{10}, 1}, Step{{3}, 0}, Step{{12}, 1}, Step{{4}, 0}, Step{{10, 12}, 0},
                           Step{{5}, 0}, Step{{11}, 0}}) {
    for (int32_t k : step.keys) press(k);
    frame();
    EXPECT_EQ(choice().choiceOption, step.option);
    EXPECT_EQ(choice().choiceState, 2) << "still waiting";
  }
  tapAt(400, 400);
  frame();
  EXPECT_EQ(choice().choiceState, 2) << "a tap beside the buttons";
  EXPECT_EQ(keysLeft(), 2);
}

TEST_F(ChoiceTest, TheSecondButtonClosesWithNoEffect) {
  cActor* door = makeObject(ActorKind::BARRIER_SWITCH, 60, 320, 160, {0, 1, 0, key, 0, 0, 2, -1}, false);
  answerWith(door, secondButtonX);
  EXPECT_EQ(choice().choiceState, 3);
  EXPECT_EQ(choice().choiceOption, 1);
  frame();
  EXPECT_FALSE(cGame::isChoiceActive());
  EXPECT_EQ(choice().choiceActor, nullptr);
  EXPECT_EQ(choice().choiceParam, -1);
  EXPECT_EQ(keysLeft(), 2);
  EXPECT_TRUE(door->isNotActive());
  EXPECT_EQ(door->param(6), 2);
}

TEST_F(ChoiceTest, TheFirstButtonUsesTheItemOnTheObjectAndNeverAsksAgainOnThatPress) {
  struct Case {
    const char* what;
    int32_t kind;
  };
  for (const Case& c : {Case{"a door", ActorKind::BARRIER_SWITCH}, Case{"a person", ActorKind::NPC},
                        Case{"an object with an interaction", ActorKind::MARKER}, Case{"any other object", 13}}) {
    SCOPED_TRACE(c.what);
    heard().clear();
    cGame::initConversationQueue();
    giveKeys(2);  // one left after the use: enough to ask again
    cActor* target = nullptr;
    if (c.kind == ActorKind::NPC) {
      cActorNPC* person = cActorNPC::create(ActorKind::NPC, 0, newIntArray(3));
      person->id = 70;
      IntArray* params = newIntArray(25);
      params->set(2, key);
      params->set(3, 9);  // what it says once it has the key
      person->setParams(params, 25);
      person->talkMode = 0;
      person->talkEvent = 8;  // what it says while it waits for the key
      person->setFlag(ActorFlags::ACTIVE, true);
      target = person;
    } else if (c.kind == ActorKind::MARKER) {
      // A close-up whose picture is the object itself, with no line to say.
      target = makeObject(c.kind, 70, 320, 160, {0, 0, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, key, -1}, false);
    } else {
      target = makeObject(c.kind, 70, 320, 160, {0, 1, 0, key, 0, 0, 2, -1}, false);
      target->setSprite(sprite(characterSprite));
    }
    const bool wasActive = target->isActive();
    answerWith(target, firstButtonX);
    EXPECT_EQ(keysLeft(), 1) << "the item is used up";
    EXPECT_EQ(choice().choiceState, 3) << "answered, not asked again";
    EXPECT_EQ(choice().choiceActor, target);
    switch (c.kind) {
      case ActorKind::BARRIER_SWITCH:
        EXPECT_TRUE(target->isActive()) << "unlocked for good";
        EXPECT_EQ(target->param(6), 1) << "opening";
        break;
      case ActorKind::NPC:
        EXPECT_TRUE(target->isNotActive());
        EXPECT_EQ(conversationkit::shownText(), 9);
        break;
      case ActorKind::MARKER:
        EXPECT_TRUE(target->isActive());
        EXPECT_EQ(target->param(12), -1) << "it asks for nothing more";
        EXPECT_TRUE(cGame::isInteractionActive()) << "its interaction opened";
        EXPECT_EQ(storyStatics().cGameInteraction.interactionTarget, target);
        cGame::leaveInteraction();
        break;
      default:
        EXPECT_EQ(target->isActive(), wasActive) << "left as it is";
        EXPECT_EQ(target->param(6), 2);
        break;
    }
    frame();
    EXPECT_FALSE(cGame::isChoiceActive());
  }
}

// The object answered for asks again during the answer: that is refused,
// and the choice still closes.
TEST_F(ChoiceTest, AnObjectThatAsksAgainWhileAnsweredIsNotAskedTwice) {
  cActor* person = makeObject(ActorKind::NPC, 70, 320, 160);
  ask(person);
  frame();
  choice().choiceAnswering = true;
  testing::internal::CaptureStdout();
  ask(person);
  const std::string log = testing::internal::GetCapturedStdout();
  choice().choiceAnswering = false;
  EXPECT_NE(log.find("openChoice"), std::string::npos);
  EXPECT_EQ(choice().choiceState, 2);
  cActor* other = makeObject(ActorKind::NPC, 71, 320, 160);
  ask(other);
  EXPECT_EQ(choice().choiceActor, other) << "another object may ask";
  EXPECT_EQ(choice().choiceState, 1);
}

TEST_F(ChoiceTest, TheNoticeIsAcknowledgedByOkAndResetTouchStateClosesAPendingChoice) {
  cGame::openChoice(nullptr, 1, nullptr, -1);
  frame();
  EXPECT_FALSE(hasArea(10)) << "a notice has no buttons";
  press(11);
  frame();
  EXPECT_EQ(choice().choiceState, 3);
  frame();
  EXPECT_FALSE(cGame::isChoiceActive());

  cGame::resetTouchState();
  EXPECT_FALSE(cGame::isChoiceActive()) << "closing nothing opens nothing";
  ask(nullptr);
  frame();
  cGame::resetTouchState();
  EXPECT_EQ(choice().choiceState, 3);
  frame();
  EXPECT_FALSE(cGame::isChoiceActive());
  EXPECT_EQ(keysLeft(), 2);

  testing::internal::CaptureStdout();
  cGame::openChoice(nullptr, 7, nullptr, -1);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("openChoice"), std::string::npos);
  EXPECT_FALSE(cGame::isChoiceActive());
}

TEST_F(ChoiceTest, UnderAnOpenMenuTheBoxRegistersNoAreas) {
  ask(nullptr);
  frame();
  cGame::clearInput();
  shellStatics().cGameStates.menuSuspended = true;
  cGame::paintChoice();
  EXPECT_FALSE(hasArea(10));
  EXPECT_FALSE(shell::touch().touchAreasComplete) << "the menu registers its own";
  shellStatics().cGameStates.menuSuspended = false;
}

}  // namespace
