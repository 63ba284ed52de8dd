// The screen transition, the message box's answers, the softkeys, the panel
// fill and the snapshot slots.
#include <gtest/gtest.h>

#include "game/toolkit/cGameSnapshotStatics.h"
#include "game/toolkit/ASprite.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/shell/shell_fixture.h"
#include "tools/writers/SpriteWriter.h"

namespace {

using Image = javax_microedition_lcdui_Image;

class MessageBox : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    canvas = makeCanvas();
    screen = Image::createImage(800, 480);
    loop().graphics = screen->getGraphics();
    loop().frameTime = 100;
  }
  // One update of the box with this key code released in its frame.
  void updateWithKey(int32_t code) {
    if (code != 0) {
      canvas->keyPressed(code);
      cGame::latchInput();
      canvas->keyReleased(code);
    }
    cGame::latchInput();
    cGame::updateMessageBox();
  }
  // A two-button box shown and fully open, as the menus show it.
  void showQuestion(bool backAllowed) {
    cGame::openTextBox(12, 0, backAllowed);
    box().pendingAction = PendingAction::showBox;
    for (int i = 0; i < 8 && !states().messageBoxShown; ++i) cGame::updateMessageBoxTransition(true);
    ASSERT_TRUE(states().messageBoxShown);
    while (box().transitionDirection != 0) cGame::updateMessageBoxTransition(true);
  }
  int32_t pixel(int32_t x, int32_t y) {
    IntArray* out = newIntArray(1);
    screen->getRGB(out, 0, 1, x, y, 1, 1);
    return out->get(0) & 0xFFFFFF;
  }

  cGame* canvas = nullptr;
  Image* screen = nullptr;
};

TEST_F(MessageBox, TransitionOpensOverThreeHundredMillisecondsAndActsOnceClosed) {
  box().transitionDirection = 1;
  box().transitionClock = 0;
  // 100 ms frames: 100, 200, 300 are not past the end; 400 is, clamped.
  const bool opened[] = {false, false, false, true};
  for (bool expected : opened) EXPECT_EQ(cGame::updateMessageBoxTransition(true), expected);
  EXPECT_EQ(box().transitionClock, 300);
  EXPECT_FALSE(cGame::updateMessageBoxTransition(true)) << "still";

  box().pendingAction = PendingAction::startLoading;
  const bool closed[] = {false, false, true};
  for (bool expected : closed) EXPECT_EQ(cGame::updateMessageBoxTransition(true), expected);
  EXPECT_EQ(box().transitionClock, 0);
  EXPECT_EQ(box().pendingAction, PendingAction::none);
  EXPECT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::loading);
}

TEST_F(MessageBox, AQuestionOpensOnTheSecondButtonTogglesAndAnswersAfterTenPaintedFrames) {
  showQuestion(false);
  EXPECT_EQ(states().messageBoxChoice, 0);
  updateWithKey('8');
  EXPECT_EQ(states().messageBoxChoice, 1);
  updateWithKey('2');
  EXPECT_EQ(states().messageBoxChoice, 0);
  updateWithKey(-7);
  EXPECT_EQ(states().messageBoxChoice, 0) << "back is not allowed";
  EXPECT_FALSE(box().messageBoxAnswered);

  updateWithKey(-6);
  ASSERT_TRUE(box().confirmRequested);
  for (int frame = 0; frame < 9; ++frame) {
    cGame::paintMessageBox();
    updateWithKey(0);
    EXPECT_FALSE(box().messageBoxAnswered) << "frame " << frame;
  }
  cGame::paintMessageBox();
  updateWithKey(0);
  EXPECT_TRUE(box().messageBoxAnswered);
  EXPECT_EQ(box().pendingAction, PendingAction::hideBox);

  // Closing: neither a toggle nor back changes the answer any more.
  updateWithKey('8');
  updateWithKey(-7);
  EXPECT_EQ(states().messageBoxChoice, 0);
  for (int i = 0; i < 4 && states().messageBoxShown; ++i) updateWithKey(0);
  EXPECT_FALSE(states().messageBoxShown);
  EXPECT_EQ(states().messageBoxChoice, 0);
}

TEST_F(MessageBox, BackDismissesOnlyAQuestionThatAllowsIt) {
  showQuestion(true);
  updateWithKey(-7);
  EXPECT_EQ(states().messageBoxChoice, 2);
  EXPECT_TRUE(box().messageBoxAnswered);
  EXPECT_EQ(box().pendingAction, PendingAction::hideBox);
}

TEST_F(MessageBox, ATouchedButtonBecomesTheChoiceAndItsReleaseConfirms) {
  showQuestion(false);
  touch().touchAreas->removeAllElements();
  touch().touchAreasComplete = false;
  cGame::paintMessageBox();
  ASSERT_EQ(touch().touchAreas->size(), 2);
  auto* first = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(0));
  ASSERT_EQ(first->id, 1);
  const int32_t x = 400, y = first->y + 10;
  canvas->pointerPressed(x, y);
  canvas->pointerReleased(x, y);
  cGame::latchInput();
  cGame::updateMessageBox();
  EXPECT_EQ(states().messageBoxChoice, 1);
  EXPECT_TRUE(box().confirmRequested);
}

TEST_F(MessageBox, OpeningATextBoxClearsTheScreensTouchAreas) {
  cGame::addTouchArea(0, 0, 800, 480, 55);
  cGame::openTextBox(3);
  EXPECT_EQ(touch().touchAreas->size(), 0);
  EXPECT_EQ(box().messageBoxButtons, 0);
  EXPECT_EQ(box().messageBoxTextId, 3);
}

TEST_F(MessageBox, TheBoxGrowsFromTheCentreLine) {
  cGame::openTextBox(3);
  box().messageBoxTextHeight = 40;
  const struct {
    int64_t clock;
    int32_t clipX, clipWidth;
  } cases[] = {{0, 400, 0}, {150, 200, 400}, {300, 0, 800}};
  for (const auto& c : cases) {
    box().transitionClock = c.clock;
    cGame::paintMessageBox();
    EXPECT_EQ(loop().graphics->getClipX(), c.clipX) << c.clock;
    EXPECT_EQ(loop().graphics->getClipWidth(), c.clipWidth) << c.clock;
  }
}

TEST_F(MessageBox, SoftkeyCodesAndTheirAreas) {
  // The first screens (splash, loading) show no softkey until one is set.
  EXPECT_EQ(box().rightSoftkey, -1);
  EXPECT_EQ(box().leftSoftkey, -1);
  cGame::paintSoftkeys();
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  cGame::clearTouchState();

  const struct {
    int32_t right, left, storedRight, storedLeft;
  } cases[] = {{0, 4, -1, -1}, {6, 11, -1, -1}, {2, -2, 2, -2}, {8, -1, 8, -1}};
  for (const auto& c : cases) {
    cGame::setSoftkeys(c.right, c.left);
    EXPECT_EQ(box().rightSoftkey, c.storedRight);
    EXPECT_EQ(box().leftSoftkey, c.storedLeft);
  }
  cGame::setSoftkeys(8, -1);
  cGame::paintSoftkeys();
  ASSERT_EQ(touch().overlayTouchAreas->size(), 1);
  EXPECT_EQ(static_cast<SensibleRectangle*>(touch().overlayTouchAreas->elementAt(0))->id, 1002);
  EXPECT_TRUE(touch().overlayAreasComplete);

  // A question hides both softkeys while it is up.
  cGame::clearTouchState();
  showQuestion(false);
  cGame::paintContinuePrompt();
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  EXPECT_EQ(box().rightSoftkey, 8) << "the screen's own softkeys come back";
}

TEST_F(MessageBox, ThePanelFillStaysInsideTheClipAndRestoresIt) {
  auto* g = loop().graphics;
  g->setColor(0x000000);
  g->fillRect(0, 0, 800, 480);
  g->setClip(100, 100, 200, 200);
  cGame::fillRectWithColourTile(50, 150, 400, 100, static_cast<int32_t>(0xFFFF0000u));
  EXPECT_EQ(g->getClipX(), 100);
  EXPECT_EQ(g->getClipWidth(), 200);
  EXPECT_EQ(pixel(150, 200) & 0xF80000, 0xF80000) << "inside rectangle and clip";
  EXPECT_EQ(pixel(299, 249) & 0xF80000, 0xF80000);
  EXPECT_EQ(pixel(60, 200), 0) << "outside the clip";
  EXPECT_EQ(pixel(150, 120), 0) << "outside the rectangle";
  EXPECT_EQ(pixel(300, 200), 0);
}

TEST_F(MessageBox, SnapshotsKeyOutMagentaAreReusedAndASixthFindsNoSlot) {
  tools::SpriteDescription description;
  description.flags = 0x1000000;
  description.palettes = {{0xFFFF00FFu, 0xFF00FF00u}};
  tools::SpriteModule image;
  image.width = 4;
  image.height = 2;
  image.indices = {0, 1, 1, 0, 1, 0, 0, 1};
  description.modules = {image};
  description.frames.resize(1);
  description.frames[0].modules = {{0, -2, -1, 0, 0}};
  ASprite* sprite = newObject<ASprite>();
  const std::vector<uint8_t> bytes = tools::writeSprite(description);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASSERT_TRUE(sprite->load(data, 0, 0xFFFFFF, 1));

  const int32_t slot = cGame::renderFrameToImage(sprite, 0);
  ASSERT_GE(slot, 0);
  auto& slots = toolkitStatics().cGameSnapshots;
  auto* record = static_cast<IntArray*>(slots.records->get(slot));
  const int32_t expected[] = {4, 2, -2, -1, 0};
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(record->get(i), expected[i]) << i;
  auto* pixels = static_cast<IntArray*>(slots.pixels->get(slot));
  EXPECT_EQ(uint32_t(pixels->get(0)) >> 24, 0u) << "magenta is keyed out";
  EXPECT_EQ(uint32_t(pixels->get(1)) >> 24, 0xFFu);
  EXPECT_EQ(cGame::renderFrameToImage(sprite, 0), slot) << "made once";

  for (int32_t i = 0; i < snapshotSlotCount; ++i)
    if (slots.keys->get(i) == nullptr) slots.keys->set(i, newIntArray(1));
  EXPECT_EQ(cGame::renderFrameToImage(sprite, 1), -1);
  EXPECT_EQ(cGame::renderFrameToImage(sprite, 0), slot);
}

TEST_F(MessageBox, TheRotatedCopyTurnsTheLandscapeTilesOntoAnUprightScreen) {
  Image* landscape = Image::createImage(800, 480);
  auto* source = landscape->getGraphics();
  source->setColor(0x000000);
  source->fillRect(0, 0, 800, 480);
  source->setColor(0xFF0000);
  source->fillRect(0, 420, 80, 60);
  source->setColor(0x00FF00);
  source->fillRect(720, 0, 80, 60);
  Image* upright = Image::createImage(480, 800);
  cGame::paintDimOverlay(upright->getGraphics(), landscape);
  IntArray* out = newIntArray(1);
  const auto at = [&](int32_t x, int32_t y) {
    upright->getRGB(out, 0, 1, x, y, 1, 1);
    return out->get(0) & 0xFFFFFF;
  };
  EXPECT_EQ(at(10, 10), 0xFF0000);
  EXPECT_EQ(at(59, 79), 0xFF0000);
  EXPECT_EQ(at(450, 760), 0x00FF00);
  EXPECT_EQ(at(100, 100), 0);
}

}  // namespace

namespace {

// Opening a question and answering it reset the whole touch state, the
// overlay areas and a pending choice included.
TEST_F(MessageBox, AQuestionOpensAndClosesWithTheWholeTouchStateReset) {
  const auto overlayAreaAndChoice = [] {
    cGame::addOverlayTouchArea(0, 0, 70, 70, 1001);
    cGame::openChoice(nullptr, 2, nullptr, 0);
  };
  overlayAreaAndChoice();
  showQuestion(true);
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  EXPECT_EQ(storyStatics().cGameChoice.choiceState, 3);

  overlayAreaAndChoice();
  updateWithKey(-7);
  EXPECT_TRUE(box().messageBoxAnswered);
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  EXPECT_EQ(storyStatics().cGameChoice.choiceState, 3);
  cGame::clearChoice();
}

}  // namespace
