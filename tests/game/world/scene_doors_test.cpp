// The door of kind 60 and the switch it offers: locked and unlocked use, the
// states its animations end, and the switch's cinematic.
#include <string>
#include <utility>

#include "game/shell/cGameNoticeStatics.h"
#include "game/toolkit/ToolkitStatics.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneDoorTest : public SceneObjectFixture {
 protected:
  static constexpr int32_t key = 4;
  // A door at cell (10, 5) of 2 x 1 cells: opening animation 1, closed 0,
  // key item 4, state p6 and hint p7.
  static cActor* makeDoor(int32_t state, int32_t hint, bool unlocked, bool withPlayer = true) {
    cActor* door = makeObject(ActorKind::BARRIER_SWITCH, 60, 10 * 32, 5 * 32, {0, 1, 0, key, 0, 0, state, hint},
                              unlocked);
    giveCells(door, 2, 1);
    if (withPlayer) door->setSprite(sprite(characterSprite));
    return door;
  }
  static String* noticeText() { return shellStatics().cGameNotice.noticeText; }
  // A text pack of 300 texts, all empty but the given ones.
  static void installTexts(const std::vector<std::pair<int32_t, std::string>>& given) {
    cGameTextStatics& t = toolkitStatics().cGameText;
    t.count = 300;
    t.offsets = newIntArray(t.count + 1);
    std::string all;
    for (int32_t id = 0; id < t.count; ++id) {
      t.offsets->set(id, static_cast<int32_t>(all.size()));
      for (const auto& [textId, text] : given) {
        if (textId == id) all += text;
      }
    }
    t.offsets->set(t.count, static_cast<int32_t>(all.size()));
    t.bytes = newByteArray(static_cast<int32_t>(all.size()));
    for (size_t i = 0; i < all.size(); ++i) t.bytes->set(static_cast<int32_t>(i), static_cast<int8_t>(all[i]));
    t.encoding = nullptr;
  }
  static bool sameText(String* a, String* b) { return a != nullptr && b != nullptr && a->equals(b); }
};

TEST_F(SceneDoorTest, ALockedDoorAsksForItsKeyOrHints) {
  struct Case {
    const char* what;
    bool carriesKey;
    int32_t hint;
    bool asks;
    int32_t hintText;  // -1: none
  };
  const Case cases[] = {
      {"the key carried: the choice opens", true, -1, true, -1},
      {"no key, no hint of its own: the default", false, -1, false, 62},
      {"no key, its own hint", false, 3, false, 3 + 272},
  };
  installTexts({{62, "It is locked."}, {3 + 272, "The bolt is on the other side."}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    heard().clear();
    shellStatics().cGameNotice.noticeText = nullptr;
    cActorMC* hero = makePlayer(300, 200);
    if (c.carriesKey) {
      IntArray* slot = newIntArray(2);
      slot->set(0, key);
      slot->set(1, 1);
      hero->items->set(2, slot);
    }
    cActor* door = makeDoor(2, c.hint, false);
    EXPECT_TRUE(door->useBarrier());
    EXPECT_EQ(cGame::isChoiceActive(), c.asks);
    if (c.asks) {
      EXPECT_EQ(storyStatics().cGameChoice.choiceType, 2);
      EXPECT_EQ(storyStatics().cGameChoice.choiceActor, door);
      EXPECT_EQ(storyStatics().cGameChoice.choiceParam, 2) << "the key's slot";
    }
    cGame::clearChoice();
    if (c.hintText >= 0) {
      ASSERT_NE(cGame::getText(c.hintText), nullptr);
      EXPECT_TRUE(sameText(noticeText(), cGame::getText(c.hintText)));
    } else {
      EXPECT_EQ(noticeText(), nullptr);
    }
    EXPECT_EQ(door->param(6), 2) << "still closed";
  }
}

TEST_F(SceneDoorTest, AnUnlockedDoorOpensOnlyFromClosedAndOnlyWithAPlayer) {
  struct Case {
    int32_t state;
    bool withPlayer;
    bool used;
    int32_t stateAfter;
  };
  for (const Case& c : {Case{2, true, true, 1}, Case{0, true, true, 0}, Case{1, true, true, 1},
                        Case{2, false, false, 2}}) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << (c.withPlayer ? " with" : " without") << " a player");
    cActor::initLists();
    cActor* door = makeDoor(c.state, -1, true, c.withPlayer);
    EXPECT_EQ(door->useBarrier(), c.used);
    EXPECT_EQ(door->param(6), c.stateAfter);
    if (c.stateAfter == 1 && c.state == 2) {
      EXPECT_EQ(door->player->anim, 1) << "the opening animation";
    }
  }
}

TEST_F(SceneDoorTest, TheEndOfItsAnimationOpensOrClosesTheWay) {
  cActor* door = makeDoor(1, -1, true, false);
  cGame::stampFootprint(door, 0, 4, false);
  runKind(door);
  EXPECT_EQ(door->param(6), 0);
  EXPECT_FALSE(blocked(10, 5) || blocked(11, 5));
  door->setParam(6, 3);
  runKind(door);
  EXPECT_EQ(door->param(6), 2);
  EXPECT_TRUE(blocked(10, 5) && blocked(11, 5));
}

TEST_F(SceneDoorTest, AnOpeningDoorWaitsForItsAnimation) {
  installSprite(31, {.animations = 2, .steps = 4});
  cActor* door = makeDoor(2, -1, true, false);
  door->setSprite(sprite(31));
  door->setAnim(1, 1);
  door->setParam(6, 1);
  runKind(door);
  EXPECT_EQ(door->param(6), 1) << "still opening";
  for (int i = 0; i < 40 && door->param(6) == 1; ++i) {
    stepFrame(framePeriod);
    runKind(door);
  }
  EXPECT_EQ(door->param(6), 0);
}

TEST_F(SceneDoorTest, AnOpenDoorHoldsItsOpeningsLastFrameInsteadOfStartingItAgain) {
  installSprite(31, {.animations = 2, .steps = 4});
  cActor* door = makeDoor(2, -1, true, false);
  door->setSprite(sprite(31));
  door->setAnim(1, 1);
  door->setParam(6, 1);
  for (int i = 0; i < 40 && door->param(6) == 1; ++i) {
    stepFrame(framePeriod);
    runKind(door);
  }
  ASSERT_EQ(door->param(6), 0);
  // Open and left alone, it stays open: every later frame keeps the ended
  // animation rather than showing its first, shut frame again.
  for (int i = 0; i < 5; ++i) {
    stepFrame(framePeriod);
    runKind(door);
    EXPECT_TRUE(door->isAnimationEnded()) << "frame " << i;
  }
}

TEST_F(SceneDoorTest, TheSwitchOpensTheCinematicOnlyWhileArmedAndWithUsesLeft) {
  struct Case {
    const char* what;
    bool armed;
    int32_t uses;  // p4
    bool standsAtIt;
    bool operated;
  };
  const Case cases[] = {
      {"armed, with a use, touched", true, 1, true, true},
      {"not armed", false, 1, true, false},
      {"no uses", true, 0, true, false},
      {"not touched", true, 1, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cGame::closeCinematic();
    heard().clear();
    makePlayer(c.standsAtIt ? 330 : 600, 170);
    cActor* door = makeDoor(0, -1, c.armed, false);
    door->setParam(4, c.uses);
    door->setInteractBox(-16, -32, 96, 64);
    runKind(door);
    const cGameCinematicStatics& screen = storyStatics().cGameCinematic;
    EXPECT_EQ(cGame::isCinematicActive(), c.operated);
    if (c.operated) {
      // The restart screen, without a text, back to the switch's place.
      EXPECT_EQ(cGame::cinematicKind(), 0);
      EXPECT_EQ(screen.cinematicText, -1);
      EXPECT_EQ(screen.restartActor, door);
    }
  }
}

TEST_F(SceneDoorTest, TheSwitchMakesTheCharacterLetGoOfItsBlock) {
  cActorMC* hero = makePlayer(330, 170);
  cActor* block = makeObject(ActorKind::MOVER, 70, 330, 250, {1, 0, 0, 0, 8});
  hero->pushable = block;
  hero->state = 10;
  cActor* door = makeDoor(0, -1, true, false);
  door->setParam(4, 1);
  door->setInteractBox(-16, -32, 96, 64);
  runKind(door);
  EXPECT_EQ(block->param(0), 0) << "no longer held";
  EXPECT_EQ(hero->state, 0);
  EXPECT_EQ(hero->getPixelY(), 250 + 16) << "put below the block, further away";
  EXPECT_EQ(hero->getPixelX(), 330);
}

}  // namespace
