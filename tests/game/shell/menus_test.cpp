// The title and the front-end menus driven through whole frames: keys go in
// as the canvas gets them, and the frame loop paints, latches and updates on
// the fake clock. Saved settings land in a throw-away data folder.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/shell/Kivra.h"
#include "game/shell/StandIns.h"
#include "platform/java_util/java_util_Hashtable.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "wince/browser.h"

namespace {

constexpr int32_t okKey = -5;  // fire: GameKey 5
constexpr int32_t backKey = -7;
constexpr int32_t downKey = '8';
constexpr int32_t upKey = '2';

class Menus : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    std::ifstream file(std::string(QUENDRILL_CONTENT_DIR) + "/literals.txt");
    std::stringstream text;
    text << file.rdbuf();
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(tools::parseLiteralTable(text.str(), "literals").texts)));
    canvas = makeCanvas();
    // Stopping the sound server moved the clock; the first frame starts now.
    loop().lastFrameTick = now();
    loop().sprites = newObjectArray(52);
    progress().finishedChapter = -1;
  }

  static cGameLoadStatics& run() { return shellStatics().cGameLoad; }
  static cGameSaveStatics& saved() { return shellStatics().cGameSave; }
  static cGameProgressStatics& progress() { return shellStatics().cGameProgress; }
  static cGameSoundStatics& sound() { return toolkitStatics().cGameSound; }
  static int32_t current() { return machine().currentState; }

  // One pass of the game thread; false once the game was told to end.
  bool pass() { return canvas->runPass(); }
  template <typename Done>
  bool passUntil(Done done, int32_t limit = 80) {
    for (int32_t i = 0; i < limit && !done(); ++i)
      if (!pass()) break;
    return done();
  }
  bool press(int32_t code) {
    canvas->keyPressed(code);
    canvas->keyReleased(code);
    return pass();
  }

  // Enters a state from a quiet screen, lets it open and paint.
  void open(int32_t state) {
    states().messageBoxShown = false;
    box().pendingAction = PendingAction::none;
    box().messageBoxAnswered = false;
    cGame::clearConfirm();
    cGame::setNextState(state);
    ASSERT_TRUE(pass());
    ASSERT_TRUE(passUntil(
        [&] { return current() == state && box().transitionDirection == 0 && states().framesInState >= 2; }));
  }

  std::vector<int32_t> rowTexts() const {
    std::vector<int32_t> texts;
    for (int32_t i = 0; i < menu().listCount; ++i) texts.push_back(menu().listRows->get(i) & MenuRow::textBits);
    return texts;
  }
  static int32_t selectedText() { return menu().listRows->get(menu().listSelected) & MenuRow::textBits; }

  // Moves down to the row and confirms it.
  void choose(int32_t textId) {
    for (int32_t i = 0; i < MenuRow::capacity && selectedText() != textId; ++i) press(downKey);
    ASSERT_EQ(selectedText(), textId);
    press(okKey);
  }
  // Waits for the question, answers it and waits for it to close.
  void answer(int32_t textId, bool yes) {
    ASSERT_TRUE(passUntil([] { return states().messageBoxShown && box().transitionDirection == 0; }));
    ASSERT_EQ(box().messageBoxTextId, textId);
    ASSERT_EQ(box().messageBoxButtons, 1);
    if (yes) press(upKey);
    press(okKey);
    passUntil([] { return !states().messageBoxShown; });
  }
  // Byte i of the stored settings record, -1 when there is none.
  static int32_t recordByte(int32_t i) {
    ByteArray* record = cGame::readRecord(stringLiteral(static_cast<int32_t>(LiteralId::savedGameStore)));
    return record != nullptr && i < record->length() ? record->get(i) : -1;
  }

  testsupport::MappedFileSystem folders{"menus"};
  cGame* canvas = nullptr;
};

TEST_F(Menus, TheTitleAsksForSoundThenOkLeadsToTheMainMenu) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "yes" : "no");
    sound().soundOn = !yes;
    sound().resumeId = 5;
    cGame::setNextState(GameState::title);
    ASSERT_TRUE(pass());
    ASSERT_EQ(current(), GameState::title);
    EXPECT_TRUE(states().messageBoxShown);
    answer(31, yes);
    EXPECT_EQ(sound().soundOn, yes);
    if (yes) {
      EXPECT_EQ(sound().resumeId, -1) << "the remembered sound is dropped";
      EXPECT_EQ(sound().resumeDelay, 12);
    }
    // Back and a direction do nothing; OK goes on.
    press(backKey);
    press(downKey);
    pass();
    EXPECT_EQ(current(), GameState::title);
    press(okKey);
    pass();
    EXPECT_EQ(current(), GameState::mainMenu);
  }
}

TEST_F(Menus, MainMenuRowsFollowTheOpenChaptersAndEachLeadsWhereItSays) {
  const struct {
    int32_t row, chaptersOpen;
    int32_t state;         // the state entered, or -1 for a question
    int32_t questionText;  // with state -1
    int32_t stepCount, afterLoading;
  } cases[] = {
      {97, 2, GameState::playMenu, 0, 0, 0},
      {74, 0, GameState::loading, 0, 25, GameState::inGame},
      {74, 2, -1, 45, 0, 0},
      {80, 0, GameState::optionsMenu, 0, 0, 0},
      {81, 0, GameState::loading, 0, 3, GameState::help},
      {83, 0, GameState::textPage, 0, 0, 0},
      {85, 0, -1, 42, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << ", " << c.chaptersOpen << " open");
    saved().chaptersOpen = c.chaptersOpen;
    open(GameState::mainMenu);
    // No promotion screen and no direct link here: both rows go.
    const std::vector<int32_t> expectedRows = c.chaptersOpen > 0 ? std::vector<int32_t>{97, 74, 80, 81, 83, 85}
                                                                  : std::vector<int32_t>{74, 80, 81, 83, 85};
    EXPECT_EQ(rowTexts(), expectedRows);
    choose(c.row);
    ASSERT_TRUE(passUntil([] { return current() != GameState::mainMenu || states().messageBoxShown; }));
    if (c.state < 0) {
      EXPECT_EQ(current(), GameState::mainMenu);
      EXPECT_EQ(box().messageBoxTextId, c.questionText);
      continue;
    }
    EXPECT_EQ(current(), c.state);
    if (c.state == GameState::loading) {
      EXPECT_EQ(run().loadStepCount, c.stepCount);
      EXPECT_EQ(run().stateAfterLoading, c.afterLoading);
    }
    if (c.row == 74) {
      EXPECT_EQ(saved().chaptersOpen, 1);
      EXPECT_EQ(progress().chapter, 0);
      EXPECT_EQ(recordByte(7), 1) << "saved";
    }
  }
}

TEST_F(Menus, AChoiceWaitsTenPaintedFramesAndTheClosingTransition) {
  open(GameState::mainMenu);
  choose(80);
  int32_t passes = 1;
  while (current() == GameState::mainMenu && passes < 60) {
    pass();
    ++passes;
  }
  // Ten frames of blinking, then 300 ms of 62 ms frames closing.
  EXPECT_GE(passes, 10 + 5);
  EXPECT_EQ(current(), GameState::optionsMenu);
}

TEST_F(Menus, BackDoesNothingInTheMainMenu) {
  open(GameState::mainMenu);
  for (int32_t i = 0; i < 20; ++i) press(backKey);
  EXPECT_EQ(current(), GameState::mainMenu);
  EXPECT_EQ(box().pendingAction, PendingAction::none);
}

TEST_F(Menus, ANewGameWithChaptersOpenStartsOverOnlyAfterYes) {
  saved().chaptersOpen = 3;
  saved().resultsCounter = 40;
  open(GameState::mainMenu);
  choose(74);
  answer(45, false);
  pass();
  EXPECT_EQ(current(), GameState::mainMenu);
  EXPECT_EQ(saved().chaptersOpen, 3);

  choose(74);
  answer(45, true);
  pass();
  EXPECT_EQ(current(), GameState::loading);
  EXPECT_EQ(run().stateAfterLoading, GameState::inGame);
  EXPECT_EQ(run().loadStepCount, 25);
  EXPECT_EQ(saved().chaptersOpen, 1);
  EXPECT_EQ(saved().resultsCounter, 0) << "counters reset";
  EXPECT_EQ(recordByte(7), 1);
  // The menu remembers the row above the new game.
  EXPECT_EQ(menu().menuMemory->get(0) & MenuRow::textBits, 97);
}

TEST_F(Menus, ThePlayMenuListsOpenChaptersAndSelectsTheSuccessorOfTheFinishedOne) {
  const struct {
    int32_t open, finished, remembered, selected;
  } cases[] = {
      {3, 0, -1, 1},     // the successor of the finished chapter
      {3, -1, 173, 2},   // the remembered row
      {10, 9, 175, 4},   // the last chapter has no successor
      {2, -1, 175, 0},   // a remembered row that is not open
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.open << " open, finished " << c.finished);
    // Parked in a state without a screen, so no exit overwrites the row set here.
    cGame::setNextState(0);
    ASSERT_TRUE(pass());
    saved().chaptersOpen = c.open;
    progress().finishedChapter = c.finished;
    menu().menuMemory->set(1, c.remembered);
    open(GameState::playMenu);
    std::vector<int32_t> expected;
    for (int32_t chapter = 0; chapter < c.open; ++chapter) expected.push_back(171 + chapter);
    EXPECT_EQ(rowTexts(), expected);
    EXPECT_EQ(menu().listSelected, c.selected);
    EXPECT_EQ(progress().finishedChapter, c.finished == 9 ? 9 : -1);
    EXPECT_EQ(box().rightSoftkey, 2);
  }

  // OK starts the selected chapter; back returns to the main menu.
  press(downKey);
  press(okKey);
  ASSERT_TRUE(passUntil([] { return current() == GameState::loading; }));
  EXPECT_EQ(progress().chapter, 1);
  EXPECT_EQ(run().stateAfterLoading, GameState::inGame);
  open(GameState::playMenu);
  press(backKey);
  EXPECT_TRUE(passUntil([] { return current() == GameState::mainMenu; }));
  EXPECT_EQ(menu().menuMemory->get(1), 172) << "the row remembered on the way out";
}

TEST_F(Menus, SoundOffInTheSoundMenuIsSavedAndLeadsBackToTheOptions) {
  sound().soundOn = true;
  sound().startStamp = 0;
  // A bank holding only the menu music, on channel A.
  sound().data = newObjectArray(34);
  sound().contentType = newObjectArray(34);
  sound().kind = newIntArray(34);
  ByteArray* music = newByteArray(8);
  for (int32_t i = 0; i < 4; ++i) music->set(i, static_cast<int8_t>("OggS"[i]));
  cGame::registerSound(music, 1, 1);
  open(GameState::mainMenu);
  choose(80);
  ASSERT_TRUE(passUntil([] { return current() == GameState::optionsMenu; }));
  EXPECT_EQ(rowTexts(), (std::vector<int32_t>{32, 88}));
  choose(32);
  ASSERT_TRUE(passUntil([] { return current() == GameState::soundMenu; }));
  EXPECT_EQ(menu().listSelected, 0) << "sound is on";
  choose(38);
  ASSERT_TRUE(passUntil([] { return current() == GameState::optionsMenu; }));
  EXPECT_FALSE(sound().soundOn);
  EXPECT_EQ(sound().currentA, -1) << "the music stopped";
  EXPECT_EQ(recordByte(2), 0);

  choose(32);
  ASSERT_TRUE(passUntil([] { return current() == GameState::soundMenu; }));
  EXPECT_EQ(menu().listSelected, 1) << "sound is off";
  choose(37);
  ASSERT_TRUE(passUntil([] { return current() == GameState::optionsMenu; }));
  EXPECT_TRUE(sound().soundOn);
  EXPECT_EQ(sound().currentA, 1) << "the menu music plays";
  EXPECT_EQ(recordByte(2), 1);

  press(backKey);
  EXPECT_TRUE(passUntil([] { return current() == GameState::mainMenu; }));
}

TEST_F(Menus, ResettingProgressAsksFirstThenTellsAndMarksTheRow) {
  saved().chaptersOpen = 4;
  open(GameState::optionsMenu);
  EXPECT_EQ(menu().listRows->get(1), 88) << "something to reset";
  choose(88);
  answer(91, false);
  EXPECT_EQ(saved().chaptersOpen, 4);

  choose(88);
  answer(91, true);
  EXPECT_EQ(saved().chaptersOpen, 0);
  EXPECT_EQ(recordByte(7), 0);
  ASSERT_TRUE(passUntil([] { return states().messageBoxShown; }));
  EXPECT_EQ(box().messageBoxTextId, 92);
  EXPECT_EQ(box().messageBoxButtons, 0);
  EXPECT_EQ(menu().listRows->get(1), 88 | MenuRow::marked);

  // Once dismissed, the marked row cannot be reached.
  press(okKey);
  ASSERT_TRUE(passUntil([] { return !states().messageBoxShown; }));
  for (int32_t i = 0; i < 3; ++i) {
    press(downKey);
    EXPECT_EQ(menu().listSelected, 0);
  }
  // Entered afresh with nothing open, the row starts marked.
  open(GameState::optionsMenu);
  EXPECT_EQ(menu().listRows->get(1), 88 | MenuRow::marked);
}

TEST_F(Menus, ATapOnARowSelectsAndConfirmsIt) {
  saved().chaptersOpen = 2;
  open(GameState::optionsMenu);
  ASSERT_EQ(menu().listSelected, 0);
  // Two rows centred on y 240: 205 and 275.
  canvas->pointerPressed(400, 275);
  canvas->pointerReleased(400, 275);
  ASSERT_TRUE(passUntil([] { return states().messageBoxShown; }));
  EXPECT_EQ(box().messageBoxTextId, 91);
  EXPECT_EQ(menu().listSelected, 1);
}

TEST_F(Menus, TheInGameMenuGoesBackToPlayOrThroughLoadingToTheMainMenu) {
  states().menuSuspended = true;
  open(GameState::inGameMenu);
  EXPECT_EQ(rowTexts(), (std::vector<int32_t>{32, 81, 100, 85}));
  press(backKey);
  ASSERT_TRUE(passUntil([] { return current() == GameState::inGame; }));
  EXPECT_FALSE(states().menuSuspended);

  states().menuSuspended = true;
  open(GameState::inGameMenu);
  choose(100);
  answer(101, false);
  pass();
  EXPECT_EQ(current(), GameState::inGameMenu);
  choose(100);
  answer(101, true);
  pass();
  EXPECT_EQ(current(), GameState::loading);
  EXPECT_EQ(run().loadStepCount, 4);
  EXPECT_FALSE(states().menuSuspended);
  EXPECT_TRUE(passUntil([] { return current() == GameState::mainMenu; }));
  EXPECT_EQ(menu().menuMemory->get(2), 100);
}

int32_t answerInteractionOpen(const char* name, int32_t value) {
  return std::string(name) == "isInteractionActive" ? 1 : value;
}

TEST_F(Menus, EnteringTheInGameMenuRestartsASwingingGauge) {
  standInHook() = &answerInteractionOpen;
  cGameInteractionStatics& mode = storyStatics().cGameInteraction;
  mode.interactionMode = 1;
  mode.interactionKind = 2;
  cGameRaceStatics& gauge = storyStatics().cGameRace;
  gauge.gaugeRunning = true;
  gauge.gaugeValue = 64;
  open(GameState::inGameMenu);
  EXPECT_EQ(gauge.gaugeValue, 0);
  standInHook() = nullptr;
}

TEST_F(Menus, TheInGameSoundRowTogglesAndSaves) {
  sound().soundOn = true;
  open(GameState::inGameMenu);
  choose(32);
  ASSERT_TRUE(passUntil([] { return !sound().soundOn; }));
  EXPECT_EQ(recordByte(2), 0);
  EXPECT_EQ(current(), GameState::inGameMenu) << "the menu stays";
  press(okKey);
  ASSERT_TRUE(passUntil([] { return sound().soundOn; }));
  EXPECT_EQ(recordByte(2), 1);
}

TEST_F(Menus, TheHudMenuButtonSkipsTheMenuForTheInventoryAndBack) {
  touch().menuButtonUsed = true;
  cGame::setNextState(GameState::inGameMenu);
  ASSERT_TRUE(passUntil([] { return current() == GameState::inventory; }));
  EXPECT_TRUE(touch().menuButtonUsed);

  shellStatics().cGameMenus.inventoryDone = true;
  states().menuSuspended = true;
  cGame::setNextState(GameState::inGameMenu);
  ASSERT_TRUE(passUntil([] { return current() == GameState::inGame; }));
  EXPECT_FALSE(touch().menuButtonUsed);
  EXPECT_FALSE(shellStatics().cGameMenus.inventoryDone);
  EXPECT_FALSE(states().menuSuspended);
}

TEST_F(Menus, TheInventoryOpenedFromTheHudGoesBackToPlay) {
  // What a release on the HUD's inventory button does.
  touch().menuButtonUsed = true;
  states().menuSuspended = true;
  cGame::setNextState(GameState::inGameMenu);
  ASSERT_TRUE(passUntil([] { return current() == GameState::inventory; }));
  ASSERT_TRUE(passUntil([] { return box().transitionDirection == 0; }));
  press(backKey);
  ASSERT_TRUE(passUntil([] { return current() == GameState::inGame; }));
  EXPECT_FALSE(touch().menuButtonUsed);
  EXPECT_FALSE(shellStatics().cGameMenus.inventoryDone);
  EXPECT_FALSE(states().menuSuspended);
}

TEST_F(Menus, ExitWithYesEndsTheGame) {
  open(GameState::mainMenu);
  choose(85);
  answer(42, false);
  EXPECT_TRUE(pass());
  choose(85);
  answer(42, true);
  EXPECT_LT(shellStatics().cGameLoop.runState, 0);
  EXPECT_FALSE(pass());
}

// Back on a question closes it, and the menu beneath takes taps again at
// once: its rows and arrows are registered anew.
TEST_F(Menus, AfterBackOnAQuestionTheMenuAnswersTouch) {
  const struct {
    int32_t state, row, question, tapped, leadsTo;
  } cases[] = {
      {GameState::mainMenu, 85, 42, 80, GameState::optionsMenu},
      {GameState::optionsMenu, 88, 91, 32, GameState::soundMenu},
      {GameState::inGameMenu, 85, 42, 81, GameState::help},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    saved().chaptersOpen = 2;
    open(c.state);
    choose(c.row);
    ASSERT_TRUE(passUntil([] { return states().messageBoxShown && box().transitionDirection == 0; }));
    ASSERT_EQ(box().messageBoxTextId, c.question);
    press(backKey);
    ASSERT_TRUE(passUntil([] { return !states().messageBoxShown && box().transitionDirection == 0; }));
    pass();
    const auto areaOf = [&](int32_t id) -> SensibleRectangle* {
      for (int32_t i = 0; i < touch().touchAreas->size(); ++i) {
        auto* area = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(i));
        if (area->id == id) return area;
      }
      return nullptr;
    };
    SensibleRectangle* area = areaOf(50 + cGame::findMenuItem(c.tapped));
    ASSERT_NE(area, nullptr) << "the row has no touch area";
    canvas->pointerPressed(400, area->y + area->height / 2);
    canvas->pointerReleased(400, area->y + area->height / 2);
    EXPECT_TRUE(passUntil([&] { return current() == c.leadsTo; }));
  }
}

TEST_F(Menus, ThePromotionRowIsFlaggedBlinksAndIsFoundAgainWithItsFlags) {
  KivraStatics& k = Kivra::statics();
  k.initialised = true;
  k.enabledPageCount = 1;
  open(GameState::mainMenu);
  const int32_t flagged = 75 | MenuRow::newArrow | MenuRow::highlight;
  ASSERT_EQ(menu().listRows->get(1), flagged);
  EXPECT_TRUE(menu().newArrowShown) << "not visited yet";
  choose(75);
  ASSERT_TRUE(passUntil([] { return current() == GameState::promotion; }));
  // Remembered by its text id, whether the word kept its flags or the
  // promotion screen's leaving stored the plain id.
  EXPECT_EQ(menu().menuMemory->get(0) & 0x0FFFFFFF, 75);
  open(GameState::mainMenu);
  EXPECT_EQ(menu().listSelected, 1);

  // Visited: the row stays, the arrow does not.
  Kivra::storeVisited();
  open(GameState::mainMenu);
  states().screenDirty = true;
  pass();
  EXPECT_FALSE(menu().newArrowShown);
}

// The promotion row's marker is the arrow picture, drawn by the promotion
// screen's own painter with its tip at x 714 on the row's centre line, and
// shown or hidden by that painter's blink phase.
TEST_F(Menus, ThePromotionRowsMarkerIsTheArrowPictureAtTheRowsEnd) {
  KivraStatics& k = Kivra::statics();
  k.initialised = true;
  k.enabledPageCount = 1;
  open(GameState::mainMenu);
  ASSERT_EQ(menu().listRows->get(1) & 0x0FFFFFFF, 75);
  auto* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  javax_microedition_lcdui_Image* arrow = cGame::newArrowImage();
  ASSERT_NE(arrow, nullptr);
  const int32_t w = arrow->getWidth(), h = arrow->getHeight();
  IntArray* expected = newIntArray(w * h);
  IntArray* painted = newIntArray(w * h);
  arrow->getRGB(expected, 0, w, 0, 0, w, h);
  const auto paintRow = [&](bool shown) {
    k.arrowShown = shown;
    k.arrowToggleTime = now();
    loop().graphics = screen->getGraphics();
    states().screenDirty = true;
    cGame::dispatchState(StateMessage::paint);
    const int32_t rowY = 240 - 3 * 35 + 70 * (1 - menu().listFirst);
    screen->getRGB(painted, 0, w, 714 - (w - 1), rowY - h / 2, w, h);
  };
  paintRow(true);
  int32_t opaque = 0;
  for (int32_t i = 0; i < w * h; ++i) {
    if ((uint32_t(expected->get(i)) >> 24) == 0) continue;
    ++opaque;
    EXPECT_EQ(painted->get(i) & 0xFFFFFF, expected->get(i) & 0xFFFFFF) << i;
  }
  EXPECT_GT(opaque, 0);
  EXPECT_TRUE(menu().newArrowShown);
  paintRow(false);
  for (int32_t i = 0; i < w * h; ++i) {
    if ((uint32_t(expected->get(i)) >> 24) != 0) {
      EXPECT_NE(painted->get(i) & 0xFFFFFF, expected->get(i) & 0xFFFFFF) << i;
    }
  }
  EXPECT_TRUE(menu().newArrowShown) << "still due while hidden";
}

// The direct link: with the descriptor naming one, the main menu offers its
// row, and choosing it hands the link to the browser and ends the game.
TEST_F(Menus, TheDirectLinkRowOpensItsLinkAndEndsTheGame) {
  wince::setBrowserMode(wince::BrowserMode::record);
  wince::clearBrowserRequests();
  KivraStatics& k = Kivra::statics();
  k.parameterValues = newObjectArray(1);
  k.parameterValues->set(0, newString("DIRECT"));
  k.midlet = newObject<javax_microedition_midlet_MIDlet>();
  k.midlet->properties = newObject<java_util_Hashtable>(11);
  parseDescriptor(newString("Promo-Direct: https://corvanta.example/quendrill\n"), k.midlet->properties);
  open(GameState::mainMenu);
  ASSERT_GE(cGame::findMenuItem(78), 0) << "the row is offered";
  EXPECT_EQ(menu().listRows->get(cGame::findMenuItem(78)), 78 | MenuRow::highlight);
  host.running = 1;
  choose(78);
  passUntil([&] { return host.running == 0; });
  EXPECT_EQ(host.running, 0) << "the game ends";
  EXPECT_EQ(wince::browserRequests(), (std::vector<std::string>{"https://corvanta.example/quendrill"}));
  wince::setBrowserMode(wince::BrowserMode::automatic);
}

TEST_F(Menus, ThePanelOpensFromTheCentreWithTheTransition) {
  auto* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  loop().graphics = screen->getGraphics();
  const auto pixel = [&](int32_t x, int32_t y) {
    IntArray* out = newIntArray(1);
    screen->getRGB(out, 0, 1, x, y, 1, 1);
    return out->get(0) & 0xFFFFFF;
  };
  loop().graphics->setColor(0x000000);
  loop().graphics->fillRect(0, 0, 800, 480);
  box().transitionClock = 150;  // half open: x 200..599
  cGame::paintMenuPanel(0xFFFFFF);
  EXPECT_EQ(pixel(400, 60), 0xFFFFFF) << "the outline inside the band";
  EXPECT_EQ(pixel(400, 15), 0xFFFFFF);
  EXPECT_EQ(pixel(100, 60), 0x000000) << "outside the band";
  EXPECT_EQ(pixel(650, 15), 0x000000);
}

}  // namespace
