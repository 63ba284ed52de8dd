// The timed key-prompt popup: where its icons sit, what counts as a tap,
// success and failure, how long it stays, what a success runs and the
// player's counter-attack.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/shell/StandIns.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/story/script_builder.h"
#include "tests/game/world/level_stream.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/world/world_fixture.h"

namespace {

std::vector<std::pair<std::string, int32_t>>& heard() {
  static std::vector<std::pair<std::string, int32_t>> calls;
  return calls;
}
std::map<std::string, int32_t>& answers() {
  static std::map<std::string, int32_t> table;
  return table;
}
int32_t recordStandIn(const char* name, int32_t value) {
  heard().emplace_back(name, value);
  const auto it = answers().find(name);
  return it != answers().end() ? it->second : value;
}

class PopupTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    heard().clear();
    answers().clear();
    standInHook() = &recordStandIn;
    // Sprite 27: animations 0..47 of three steps; frame 109 exists.
    worldkit::TestSpriteDescription icons;
    icons.animations = 48;
    icons.steps = 3;
    icons.palettes = 1;
    icons.frameBox = [](int) { return worldkit::TestFrameBox{-30, -30, 60, 60}; };
    installSprite(27, icons);
    shell::machine().currentState = GameState::inGame;
    m_player = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    m_player->hp = 100;
    m_player->setParams(newIntArray(8), 8);
    cGame::setFocusActor(m_player);
    play().playerControl = true;
  }
  void TearDown() override {
    standInHook() = nullptr;
    WorldFixture::TearDown();
  }

  static cGamePopupStatics& popup() { return shellStatics().cGamePopup; }

  // A room action of the given type and fields (the id first).
  static void addAction(uint8_t type, const std::vector<int32_t>& fields) {
    LevelStream stream;
    stream.record(type, fields);
    cGame::addAction(stream.array());
  }

  // One frame: the paint registers the icons' areas, then the update.
  void frame() {
    cGame::paintPopup();
    stepFrame(62);
    cGame::updatePopup();
  }
  // The centre of the area of place n.
  static std::pair<int32_t, int32_t> iconCentre(int32_t place) {
    java_util_Vector* list = shell::touch().touchAreas;
    for (int32_t i = 0; i < list->size(); ++i) {
      auto* r = static_cast<SensibleRectangle*>(list->elementAt(i));
      if (r->id == 240 + place) return {r->x + r->width / 2, r->y + r->height / 2};
    }
    ADD_FAILURE() << "no area for place " << place;
    return {-1, -1};
  }
  // A press and a release on place n's icon, each followed by a frame.
  void tap(int32_t place) {
    const auto [x, y] = iconCentre(place);
    cGame::applyPointerPressed(x, y);
    frame();
    cGame::applyPointerReleased(x, y);
    frame();
  }
  // Frames until every icon animation has ended.
  void settle() {
    for (int i = 0; i < 20; ++i) frame();
  }

  cActorMC* m_player = nullptr;
};

TEST_F(PopupTest, TheIconsAreCentredOnTheScreen160PxApart) {
  struct Case {
    int32_t icons[3];
    std::vector<int32_t> xs;
  };
  const Case cases[] = {{{5, 0, 0}, {400}}, {{5, 6, 0}, {320, 480}}, {{5, 6, 7}, {240, 400, 560}}};
  for (const Case& c : cases) {
    cGame::openPopup(c.icons[0], c.icons[1], c.icons[2], 1000, -1, -1, false);
    cGame::paintPopup();
    std::vector<int32_t> xs;
    for (int32_t place = 0; place < static_cast<int32_t>(c.xs.size()); ++place) {
      xs.push_back(iconCentre(place).first);
      EXPECT_EQ(iconCentre(place).second, 240);
    }
    EXPECT_EQ(xs, c.xs);
    cGame::closePopup();
  }
}

TEST_F(PopupTest, OpeningTakesControlAndDarkensTheScene) {
  cGame::openPopup(1, 2, 3, 1000, -1, -1, false);
  EXPECT_TRUE(cGame::isPopupActive());
  EXPECT_FALSE(play().playerControl);
  EXPECT_EQ(play().ringMode, 1);
  EXPECT_EQ(popup().popupMode, 1);
  frame();
  EXPECT_EQ(popup().popupMode, 2);
}

TEST_F(PopupTest, ThreeIconsTappedInTimeSucceedAndRunTheSuccessAction) {
  // Actions 7 and 8 each queue a conversation line: text 107 and 108.
  cGame::initConversationQueue();
  cGame::resetActionTable();
  for (int32_t id : {7, 8}) addAction(60, {id, 100 + id, 0, 0, 0});
  cGame::openPopup(5, 6, 7, 700, 7, 8, false);
  frame();
  // Each tap gives the next icon a fresh time limit: 500 ms pass between taps.
  for (int32_t place = 0; place < 3; ++place) {
    for (int i = 0; i < 6; ++i) frame();
    tap(place);
  }
  EXPECT_EQ(popup().popupMode, 3);
  EXPECT_EQ(play().ringMode, -1) << "the ring is switched off";
  settle();
  EXPECT_TRUE(cGame::isPopupActive()) << "it stays until its result is taken";
  EXPECT_EQ(conversationkit::shownText(), -1) << "no line before the result is taken";

  EXPECT_FALSE(cGame::runPopupChoice(1, 0, 2, 0)) << "no script: no cutscene starts";
  frame();
  EXPECT_FALSE(cGame::isPopupActive());
  EXPECT_EQ(conversationkit::shownText(), 107) << "the success action's line";
  EXPECT_EQ(conversationkit::queuedText(conversationkit::talk().conversationRead + 1), -1) << "and no other";
}

TEST_F(PopupTest, OneIconTappedThreeTimesNeverSucceeds) {
  cGame::openPopup(5, 6, 7, 1000, -1, -1, false);
  frame();
  tap(0);
  tap(0);
  tap(0);
  EXPECT_EQ(popup().popupMode, 2);
  EXPECT_EQ(popup().popupTaps, 1);
  for (int i = 0; i < 20; ++i) frame();
  EXPECT_EQ(popup().popupMode, 4) << "and the time runs out";
}

TEST_F(PopupTest, ATimeoutFailsAndAKeyAloneDoesNotCount) {
  cGame::initKeyMap();
  cGame::setKeyMapping(0, '5', 11);
  cGame::openPopup(36, 0, 0, 300, -1, -1, false);
  frame();
  for (int i = 0; i < 3; ++i) {
    cGame::applyKeyPressed('5');
    cGame::latchInput();
    cGame::updatePopup();
    EXPECT_FALSE(cGame::isKeyPressed(11)) << "the key is taken from the frame";
    cGame::applyKeyReleased('5');
  }
  EXPECT_EQ(popup().popupMode, 2);
  for (int i = 0; i < 5; ++i) frame();
  EXPECT_EQ(popup().popupMode, 4);
  settle();
  EXPECT_TRUE(cGame::isPopupActive());
  ScriptBuilder script;
  script.cutscene(1, 1).track(0, 0).key(0).key(100);
  script.cutscene(2, 1).track(0, 0).key(0).key(100);
  cGame::loadEventScript(script.array());
  EXPECT_TRUE(cGame::runPopupChoice(1, 0, 2, 5)) << "the failure's cutscene starts";
  EXPECT_EQ(cGame::currentCutscene(), 1) << "cutscene 2, not the success's 1";
  EXPECT_FALSE(cGame::runPopupChoice(1, 0, 2, 5)) << "once per popup";
  frame();
  EXPECT_FALSE(cGame::isPopupActive());
}

TEST_F(PopupTest, TheCounterAttackTurnsASuccessIntoAStrikeAtTheGrabber) {
  cActor* grabber = makeActor(12, 0, 0);
  m_player->grabTarget = grabber;
  cGame::openPopup(36, 0, 0, 1000, -1, -1, true);
  frame();
  tap(0);
  EXPECT_EQ(m_player->state, 8);
  EXPECT_EQ(m_player->shotTarget, grabber);
  EXPECT_EQ(m_player->grabTarget, nullptr);
  EXPECT_FALSE(m_player->strongAttackRequest);
  EXPECT_TRUE(play().playerControl);
  EXPECT_TRUE(popup().popupResultTaken);
  settle();
  EXPECT_FALSE(cGame::isPopupActive()) << "it closes once the icon's animation is over";
}

TEST_F(PopupTest, AFailedCounterAttackOnlyGivesControlBack) {
  m_player->grabTarget = makeActor(12, 0, 0);
  cGame::openPopup(36, 0, 0, 100, -1, -1, true);
  for (int i = 0; i < 4; ++i) frame();
  EXPECT_EQ(popup().popupMode, 4);
  EXPECT_NE(m_player->state, 8);
  EXPECT_NE(m_player->grabTarget, nullptr);
  EXPECT_TRUE(play().playerControl);
}

TEST_F(PopupTest, ADefeatedPlayerClosesThePopupAtOnce) {
  cGame::openPopup(5, 0, 0, 1000, -1, -1, false);
  frame();
  m_player->hp = 0;
  frame();
  EXPECT_FALSE(cGame::isPopupActive());
}

TEST_F(PopupTest, AZeroTimeLimitFailsWithoutAnException) {
  cGame::openPopup(5, 99, 0, 0, -1, -1, false);
  EXPECT_EQ(popup().popupIcons->get(1), 0) << "an id that is no icon leaves its place empty";
  frame();
  EXPECT_EQ(popup().popupMode, 4);
  EXPECT_FALSE(shell::exceptionPending());
}

TEST_F(PopupTest, ASuccessActionThatOpensTheNextPopupKeepsItOpen) {
  // Action 1 opens the next prompt (icon 6 for 300 ms and 700 more), whose
  // own result action 1 takes.
  cGame::resetActionTable();
  addAction(63, {1, 6, 0, 0, 300, 1, -1});
  cGame::openPopup(5, 0, 0, 1000, 1, -1, false);
  frame();
  tap(0);
  settle();
  // The script takes the result; the close runs the action.
  cGame::runPopupChoice(-1, 0, -1, 0);
  frame();
  EXPECT_TRUE(cGame::isPopupActive());
  EXPECT_EQ(popup().popupIcons->get(0), 6);
  EXPECT_EQ(popup().popupTimeLimit, 1000);
  EXPECT_EQ(popup().popupMode, 1) << "the next prompt, freshly open";
}

TEST_F(PopupTest, NormalPlayStepsThePopupButAConversationHoldsIt) {
  cGame::openPopup(5, 0, 0, 1000, -1, -1, false);
  conversationkit::showLine();
  cGame::stateInGame(StateMessage::update);
  EXPECT_EQ(popup().popupMode, 1);
  // The dismissal gives control back, which first closes the ring.
  cGame::dismissConversationLine();
  for (int i = 0; i < 40 && popup().popupMode == 1; ++i) cGame::stateInGame(StateMessage::update);
  EXPECT_EQ(popup().popupMode, 2);
}

}  // namespace
