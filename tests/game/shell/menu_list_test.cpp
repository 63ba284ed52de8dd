// The menu list: filling, remembered rows, navigation with marked rows,
// deletion, touch selection and the confirmation counted by the painter.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "game/toolkit/ASprite.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/shell/shell_fixture.h"
#include "tools/writers/SpriteWriter.h"

namespace {

constexpr int32_t marked = MenuRow::marked;

class MenuList : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    canvas = makeCanvas();
    loop().graphics = javax_microedition_lcdui_Image::createImage(800, 480)->getGraphics();
  }
  static IntArray* rows(std::initializer_list<int32_t> words) {
    IntArray* array = newIntArray(static_cast<int32_t>(words.size()));
    int32_t i = 0;
    for (int32_t word : words) array->set(i++, word);
    return array;
  }
  void release(int32_t code) {
    canvas->keyPressed(code);
    cGame::latchInput();
    canvas->keyReleased(code);
    cGame::latchInput();
    cGame::updateMenuList();
  }

  cGame* canvas = nullptr;
};

TEST_F(MenuList, NavigationWrapsSkipsMarkedRowsAndMovesTheWindow) {
  cGame::setListItems(-1, rows({10, 11 | marked, 12, 13, 14, 15}), 4);
  // '8' is down, '2' up.
  const struct {
    int32_t key, selected, first;
  } steps[] = {{'8', 2, 0}, {'8', 3, 0}, {'8', 4, 1}, {'8', 5, 2}, {'8', 0, 0},
               {'2', 5, 2}, {'2', 4, 2}, {'2', 3, 2}, {'2', 2, 2}, {'2', 0, 0}};
  for (const auto& step : steps) {
    release(step.key);
    EXPECT_EQ(menu().listSelected, step.selected) << "key " << char(step.key);
    EXPECT_EQ(menu().listFirst, step.first) << "key " << char(step.key);
  }
}

TEST_F(MenuList, ListsWithNoRowOrEveryRowMarkedNeverHang) {
  cGame::setListItems(-1, rows({10 | marked, 11 | marked}), 4);
  release('8');
  release('2');
  EXPECT_GE(menu().listSelected, 0);
  EXPECT_LT(menu().listSelected, 2);

  cGame::setListItems(-1, rows({}), 4);
  release('8');
  cGame::paintMenuList(240);
  EXPECT_EQ(menu().listSelected, 0);
  EXPECT_EQ(cGame::findMenuItem(10), -1);
}

TEST_F(MenuList, MoreThanTwentyRowsKeepTwentyAndDeletingTheLastStaysInTheTable) {
  IntArray* many = newIntArray(25);
  for (int32_t i = 0; i < 25; ++i) many->set(i, 100 + i);
  cGame::setListItems(-1, many, 4);
  EXPECT_EQ(menu().listCount, 20);
  menu().listSelected = 19;
  cGame::removeMenuItem(119, true);
  EXPECT_EQ(menu().listCount, 19);
  EXPECT_EQ(menu().listSelected, 0);
  EXPECT_EQ(menu().listRows->get(18), 118);

  cGame::removeMenuItem(105, false);
  EXPECT_EQ(menu().listRows->get(5), 105 | marked);
  EXPECT_EQ(menu().listCount, 19);
}

TEST_F(MenuList, RemovingARowMovesALaterSelectionUp) {
  cGame::setListItems(-1, rows({10, 11, 12, 13, 14, 15}), 4);
  menu().listSelected = 5;
  cGame::removeMenuItem(12, true);
  EXPECT_EQ(menu().listSelected, 4);
  EXPECT_EQ(menu().listFirst, 1);
  EXPECT_EQ(menu().listRows->get(2), 13);
}

TEST_F(MenuList, ARememberedRowIsFoundAgainAfterItGainedFlags) {
  menu().menuMemory->set(2, 13);
  cGame::setListItems(2, rows({10, 11, 12, 13 | MenuRow::highlight | MenuRow::newArrow, 14}), 4);
  EXPECT_EQ(menu().listSelected, 3);
  menu().menuMemory->set(2, 99);
  cGame::setListSelection(2, 4);
  EXPECT_EQ(menu().listSelected, 0);
  cGame::replaceMenuItem(10, 20);
  EXPECT_EQ(cGame::findMenuItem(20), 0);
}

TEST_F(MenuList, ATouchedRowIsSelectedAtOnceAndAnOkTakesTenPaintedFrames) {
  cGame::setListItems(-1, rows({10, 11, 12}), 4);
  cGame::paintMenuList(240);
  ASSERT_EQ(touch().touchAreas->size(), 3) << "one area a row; no arrows outside the main and play menus";
  auto* second = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(1));
  canvas->pointerPressed(400, second->y + 5);
  cGame::latchInput();
  cGame::updateMenuList();
  EXPECT_EQ(menu().listSelected, 1);

  auto& box = shellStatics().cGameBox;
  box.confirmRequested = true;
  for (int frame = 1; frame < 10; ++frame) {
    cGame::paintMenuList(240);
    EXPECT_FALSE(box.confirmDone) << frame;
  }
  cGame::paintMenuList(240);
  EXPECT_TRUE(box.confirmDone);
}

TEST_F(MenuList, AQuickTapSelectsItsRowBeforeTheConfirmationBlinks) {
  cGame::setListItems(-1, rows({10, 11, 12}), 4);
  cGame::paintMenuList(240);
  auto* third = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(2));
  // Press and release in one frame: only the release is left to see.
  canvas->pointerPressed(400, third->y + 5);
  canvas->pointerReleased(400, third->y + 5);
  cGame::latchInput();
  ASSERT_FALSE(touch().touchHit);
  ASSERT_TRUE(touch().releasedOnArea);
  cGame::updateMenuList();
  EXPECT_EQ(menu().listSelected, 2) << "the blink shows the selected row";
}

// An interface sprite whose row backgrounds are told apart by colour: frame
// 34 (plain) red, frame 35 (selected) green, each a 16x16 block centred.
ASprite* rowBackgroundSprite() {
  tools::SpriteDescription description;
  description.flags = 0x1000000;
  description.palettes = {{0xFFFF0000u, 0xFF00FF00u}};
  tools::SpriteModule red, green;
  red.width = green.width = 16;
  red.height = green.height = 16;
  red.indices.assign(256, 0);
  green.indices.assign(256, 1);
  description.modules = {red, green};
  description.frames.resize(36);
  description.frames[34].modules = {{0, -8, -8, 0, 0}};
  description.frames[35].modules = {{1, -8, -8, 0, 0}};
  const std::vector<uint8_t> bytes = tools::writeSprite(description);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASprite* sprite = newObject<ASprite>();
  return sprite->load(data, 0, 0xFFFFFF, 1) ? sprite : nullptr;
}

// The chosen row blinks to the plain background on confirmation frames 1..4
// and shows the selected one before and after.
TEST_F(MenuList, TheConfirmedRowBlinksOnItsFirstFourCountedFrames) {
  ASprite* sprite = rowBackgroundSprite();
  ASSERT_NE(sprite, nullptr);
  loop().sprites = newObjectArray(52);
  loop().sprites->set(50, sprite);
  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  loop().graphics = screen->getGraphics();
  cGame::setListItems(-1, rows({10, 11}), 4);
  IntArray* pixel = newIntArray(1);
  auto selectedRowColour = [&] {
    cGame::paintMenuList(240);
    const int32_t y = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(0))->y + 32;
    screen->getRGB(pixel, 0, 1, 400, y, 1, 1);
    return uint32_t(pixel->get(0)) & 0xFFFFFF;
  };
  EXPECT_EQ(selectedRowColour(), 0x00FF00u) << "selected, not confirming";
  auto& box = shellStatics().cGameBox;
  box.confirmRequested = true;
  for (int32_t frame = 1; frame <= 6; ++frame) {
    cGame::clearTouchState();
    EXPECT_EQ(selectedRowColour(), frame <= 4 ? 0xFF0000u : 0x00FF00u) << "counted frame " << frame;
  }
}

}  // namespace

namespace {

// A navigation step resets the whole touch state: the overlay areas go too
// (the softkeys register again) and a pending choice is closed.
TEST_F(MenuList, ANavigationStepResetsTheOverlayAreasAndClosesAPendingChoice) {
  cGame::setListItems(-1, rows({10, 11, 12}), 4);
  cGame::addOverlayTouchArea(0, 0, 70, 70, 1001);
  touch().overlayAreasComplete = true;
  cGame::openChoice(nullptr, 2, nullptr, 0);
  release('8');
  EXPECT_EQ(menu().listSelected, 1);
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  EXPECT_FALSE(touch().overlayAreasComplete);
  EXPECT_EQ(storyStatics().cGameChoice.choiceState, 3) << "closes at its next update";
  cGame::clearChoice();
}

}  // namespace
