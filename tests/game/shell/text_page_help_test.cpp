// The credits page's scrolling, wrap and way back; the help pages' ring and
// where they return to; the promotion prompt's corner button.
#include <gtest/gtest.h>

#include "platform/java_util/java_util_Hashtable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "tests/game/shell/pages_fixture.h"

namespace {

constexpr int32_t upKey = '2';
constexpr int32_t downKey = '8';
constexpr int32_t leftKey = '4';
constexpr int32_t rightKey = '6';
constexpr int32_t backKey = -7;

class TextPage : public PagesFixture {
 protected:
  // Enters the page from the given state with a text of this height.
  void enterFrom(int32_t previous, int32_t height) {
    install<GameState::mainMenu>();
    enterState(previous);
    cGame::setNextState(GameState::textPage);
    cGame::updateState();
    pages().textPageHeight = height;
    pages().textPageY = 380;
  }
  void hold(int32_t code) {
    canvas->keyPressed(code);
    cGame::latchInput();
  }
  void step() { cGame::updateState(); }
  static int32_t y() { return pages().textPageY; }
};

TEST_F(TextPage, TheCreditsCarryTheVersionAndTheSoftkeyFollowsWhereTheyCameFrom) {
  setTexts({{144, "Version %s0"}});
  auto* midlet = newObject<javax_microedition_midlet_MIDlet>();
  midlet->properties = newObject<java_util_Hashtable>(11);
  parseDescriptor(newString("MIDlet-Version: 2.4.1\n"), midlet->properties);
  loop().midlet = midlet;

  const struct {
    int32_t previous;
    bool autoReturn;
    int32_t softkey;
  } cases[] = {{GameState::results, false, 8}, {GameState::mainMenu, false, 2}, {GameState::results, true, -1}};
  for (const auto& c : cases) {
    pages().textPageAutoReturn = c.autoReturn;
    enterFrom(c.previous, 0);
    EXPECT_EQ(box().rightSoftkey, c.softkey) << c.previous << " " << c.autoReturn;
    EXPECT_EQ(text(pages().textPageLines), "Version 2.4.1");
  }
}

TEST_F(TextPage, ScrollsByItselfFasterDownwardsAndBackUpwards) {
  enterFrom(GameState::mainMenu, 400);
  step();
  EXPECT_EQ(y(), 376);
  hold(downKey);
  step();
  EXPECT_EQ(y(), 368);
  canvas->keyReleased(downKey);
  hold(upKey);
  step();
  step();
  EXPECT_EQ(y(), 384);
  EXPECT_FALSE(machine().stateChangePending);
}

TEST_F(TextPage, TheTextStartsAgainFromTheBottomOnlyWhenItMovesUp) {
  const int32_t height = 400, end = 120 - height;
  enterFrom(GameState::mainMenu, height);
  // Carried up past its end: it comes again from the bottom.
  pages().textPageY = end + 4;
  step();
  EXPECT_EQ(y(), 480);

  // Held up below the window: the text's end shows, and holding on scrolls
  // back through the text instead of bouncing to the bottom.
  hold(upKey);
  step();
  EXPECT_EQ(y(), end);
  step();
  EXPECT_EQ(y(), end + 8);
  step();
  EXPECT_EQ(y(), end + 16);
  EXPECT_FALSE(machine().stateChangePending) << "nothing ends the page by itself";
}

TEST_F(TextPage, TouchingTheUpperHalfScrollsBackAndBackLeavesForTheMainMenu) {
  enterFrom(GameState::mainMenu, 400);
  paint();
  ASSERT_EQ(touch().touchAreas->size(), 2);
  canvas->pointerPressed(400, 100);
  cGame::latchInput();
  step();
  EXPECT_EQ(y(), 388);
  canvas->pointerReleased(400, 100);
  cGame::latchInput();
  step();
  EXPECT_EQ(y(), 396) << "its last frame still counts";
  EXPECT_EQ(touch().touchedArea, nullptr) << "the release is consumed";

  hold(backKey);
  step();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::mainMenu);
  EXPECT_EQ(y(), 392) << "the page still scrolled in that update";
}

TEST_F(TextPage, AutoReturnLeavesOnceTheTextComesRoundAgain) {
  pages().textPageAutoReturn = true;
  enterFrom(GameState::results, 100);
  int32_t updates = 0;
  while (!machine().stateChangePending && updates < 500) {
    step();
    ++updates;
  }
  EXPECT_EQ(updates, (380 - 20) / 4);
  EXPECT_EQ(y(), 480);
  EXPECT_EQ(states().nextState, GameState::mainMenu) << "no promotion news";
  EXPECT_FALSE(pages().textPageAutoReturn);
}

class Help : public PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    install<GameState::inGameMenu>();
    install<GameState::mainMenu>();
    install<GameState::loading>();
    for (int32_t slot : {11, 27, 30, 34}) loop().sprites->set(slot, newObject<ASprite>());
  }
  void enterFrom(int32_t previous) {
    enterState(previous);
    cGame::setNextState(GameState::help);
    cGame::updateState();
  }
  bool helpSpritesKept() {
    for (int32_t slot : {11, 27, 30, 34})
      if (loop().sprites->get(slot) == nullptr) return false;
    return true;
  }
};

TEST_F(Help, PagesTurnInARingBothWays) {
  enterFrom(GameState::loading);
  EXPECT_EQ(box().rightSoftkey, 2);
  std::vector<int32_t> forward, backward;
  for (int32_t i = 0; i < 8; ++i) {
    release(rightKey);
    cGame::updateState();
    forward.push_back(pages().helpPage);
  }
  EXPECT_EQ(forward, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 0, 1}));
  for (int32_t i = 0; i < 3; ++i) {
    release(leftKey);
    cGame::updateState();
    backward.push_back(pages().helpPage);
  }
  EXPECT_EQ(backward, (std::vector<int32_t>{0, 6, 5}));

  // The arrows under the page do the same.
  paint();
  tap(500, 430);
  cGame::updateState();
  EXPECT_EQ(pages().helpPage, 6);
  tap(300, 430);
  cGame::updateState();
  EXPECT_EQ(pages().helpPage, 5);
  EXPECT_FALSE(machine().stateChangePending);
}

TEST_F(Help, FromTheInGameMenuItReturnsThereAndKeepsItsSprites) {
  enterFrom(GameState::inGameMenu);
  release(rightKey);
  cGame::updateState();
  release(backKey);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::inGameMenu);
  cGame::updateState();
  EXPECT_EQ(machine().currentState, GameState::inGameMenu);
  EXPECT_EQ(pages().helpPage, 0);
  EXPECT_TRUE(helpSpritesKept());
}

TEST_F(Help, FromTheMainMenuItReturnsThereAndReleasesItsSprites) {
  enterFrom(GameState::loading);
  release(rightKey);
  cGame::updateState();
  paint();
  tap(740, 436);  // the back softkey's corner
  cGame::updateState();
  EXPECT_FALSE(machine().stateChangePending) << "no softkey painted yet";
  cGame::addOverlayTouchArea(700, 400, 80, 72, 1002);
  tap(740, 436);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::mainMenu);
  cGame::updateState();
  EXPECT_EQ(pages().helpPage, 0);
  for (int32_t slot : {11, 27, 30, 34}) EXPECT_EQ(loop().sprites->get(slot), nullptr) << slot;
}

TEST_F(Help, EveryPagePaintsWithoutItsPictures) {
  enterFrom(GameState::loading);
  for (int32_t i = 0; i < 7; ++i) {
    loop().frameCount = 4 * i + 1;
    paint();
    release(rightKey);
    cGame::updateState();
  }
  EXPECT_EQ(pages().helpPage, 0);
}

using PromotionPrompt = PagesFixture;

TEST_F(PromotionPrompt, TheCornerButtonOpensThePromotionScreen) {
  enterState(GameState::messageBox);
  EXPECT_FALSE(states().messageBoxShown);
  EXPECT_EQ(box().transitionDirection, 1) << "the box opens with the screen";
  release('5');
  cGame::updateState();
  EXPECT_FALSE(machine().stateChangePending) << "only the softkey goes on";
  paint();
  ASSERT_EQ(touch().overlayTouchAreas->size(), 1);
  tap(32, 32);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::promotion);
}

using PromotionHost = PagesFixture;

TEST_F(PromotionHost, ReleasedKeysBecomeThePromotionScreensActions) {
  KivraStatics& k = Kivra::statics();
  k.initialised = true;
  machine().currentState = GameState::promotion;
  const struct {
    int32_t code;  // released key code
    int32_t action;
  } cases[] = {{'2', Kivra::listUp},  {-4, Kivra::listUp},      {'8', Kivra::listDown},  {'4', Kivra::previousPage},
               {-1, Kivra::previousPage}, {'6', Kivra::nextPage}, {'5', Kivra::choose},    {-6, Kivra::choose},
               {-5, Kivra::choose},   {'0', 0}};
  for (const auto& c : cases) {
    k.state = Kivra::browsing;
    k.pointerAction = false;
    release(c.code);
    cGame::stateKivra(StateMessage::update);
    EXPECT_EQ(k.action, c.action) << c.code;
    EXPECT_FALSE(machine().stateChangePending) << c.code;
  }
  k.state = Kivra::browsing;
  release(-7);
  cGame::stateKivra(StateMessage::update);
  EXPECT_EQ(k.action, Kivra::back);
  // The screen leaves in its next frame.
  cGame::latchInput();
  cGame::stateKivra(StateMessage::update);
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::mainMenu);
  EXPECT_EQ(shellStatics().cGameMenu.menuMemory->get(0), 75);
}

}  // namespace
