// Our content as the game loads it: the logo, common and interface packs hold
// the frames and animations the screens draw, sized for touch and laid out
// where the screens place them, and the English texts fill the shared ids.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/ContentRequirements.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/toolkit/toolkit_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/compiler/ContentCompiler.h"

namespace {

namespace fs = std::filesystem;
using cGame = cGameToolkit;

class InterfaceContentTest : public ToolkitFixture {
 protected:
  InterfaceContentTest() : ToolkitFixture(24u << 20, 16u << 20) {}

  // Packing the content is the slow part: once for all the cases.
  static void SetUpTestSuite() { s_archive = new std::vector<uint8_t>(tools::compileContent(QUENDRILL_CONTENT_DIR)); }
  static void TearDownTestSuite() {
    delete s_archive;
    s_archive = nullptr;
  }

  void SetUp() override {
    ToolkitFixture::SetUp();
    const std::vector<uint8_t>& archive = *s_archive;
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    ASSERT_TRUE(loadStringLiteralPoolFromArchive());
    cGame::clinitGameData();
  }

  static ASprite* loadFrom(int32_t packLiteral, int32_t entry) {
    cGame::openPack(stringLiteral(packLiteral));
    ASprite* sprite = cGame::loadSprite(entry, 1, 0, 0, false, false, false);
    cGame::closePack();
    return sprite;
  }

  static inline std::vector<uint8_t>* s_archive = nullptr;
  testsupport::MappedFileSystem m_folders{"interface-content"};
};

TEST_F(InterfaceContentTest, EverySpriteHasTheFramesAndAnimationsTheScreensDraw) {
  // The screens' pictures; the fonts draw every frame and the world's
  // sprites are the world's.
  for (const contentrequirement::SpriteRequirement& expected : contentrequirement::sprites) {
    if (expected.world || expected.pack == LiteralId::fontPack) continue;
    SCOPED_TRACE(std::string(expected.role));
    ASprite* sprite = loadFrom(int32_t(expected.pack), expected.entry);
    ASSERT_NE(sprite, nullptr);
    std::vector<bool> drawn(size_t(sprite->getFrameCount()), false);
    for (int32_t frame : expected.drawnFrames) {
      ASSERT_LT(frame, sprite->getFrameCount());
      drawn[size_t(frame)] = true;
      EXPECT_GT(sprite->getFrameWidth(frame), 0) << "frame " << frame;
      EXPECT_GT(sprite->getFrameHeight(frame), 0) << "frame " << frame;
    }
    for (int32_t anim = 0; anim < sprite->getAnimCount(); ++anim)
      for (int32_t aframe = 0; aframe < sprite->getAFrameCount(anim); ++aframe)
        drawn[size_t(sprite->getAFrameFrame(anim, aframe))] = true;
    // Frames nobody draws stay empty, so a wrong index shows nothing rather
    // than some other picture.
    for (int32_t frame = 0; frame < sprite->getFrameCount(); ++frame) {
      if (drawn[size_t(frame)]) continue;
      EXPECT_EQ(sprite->getFModuleCount(frame), 0) << "frame " << frame;
    }
    ASSERT_GE(sprite->getAnimCount(), expected.minAnimations);
    for (int32_t anim = 0; anim < sprite->getAnimCount(); ++anim) EXPECT_GT(sprite->getAFrameCount(anim), 0);
  }
}

TEST_F(InterfaceContentTest, PicturesFitWhereTheScreensPlaceThem) {
  ASprite* title = loadFrom(139, 0);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->getFrameX(0), 0);
  EXPECT_EQ(title->getFrameY(0), 0);
  EXPECT_EQ(title->getFrameWidth(0), 800);
  EXPECT_EQ(title->getFrameHeight(0), 480);
  // The menus' backdrop is the same scene, whole.
  EXPECT_EQ(title->getFrameX(contentrequirement::menuBackdropFrame), 0);
  EXPECT_EQ(title->getFrameY(contentrequirement::menuBackdropFrame), 0);
  EXPECT_EQ(title->getFrameWidth(contentrequirement::menuBackdropFrame), 800);
  EXPECT_EQ(title->getFrameHeight(contentrequirement::menuBackdropFrame), 480);
  // A menu's up arrow, drawn at y 70, stays clear of the heading above it
  // (its letters end by y 50) and of the first row (from y 105); the down
  // arrow likewise below the last row.
  ASprite* ui = loadFrom(190, 0);
  ASSERT_NE(ui, nullptr);
  for (int32_t frame : {0, 1, 48, 49}) {
    EXPECT_GE(70 + ui->getFrameY(frame), 50) << frame;
    EXPECT_LE(70 + ui->getFrameY(frame) + ui->getFrameHeight(frame), 105) << frame;
  }
  // The results table's rows sit between y 150 and 325 and the continue
  // prompt at 446: the panel drawn at (400, 240) covers the rows only.
  ASprite* results = loadFrom(139, 1);
  ASSERT_NE(results, nullptr);
  EXPECT_LE(240 + results->getFrameY(1), 150);
  EXPECT_GE(240 + results->getFrameY(1) + results->getFrameHeight(1), 330);
  EXPECT_LE(240 + results->getFrameY(1) + results->getFrameHeight(1), 430);
  EXPECT_GE(results->paletteCount, 2);  // the best grade's shadow
  // The logos are centred on their anchors.
  for (int32_t entry : {0, 1}) {
    ASprite* logo = loadFrom(126, entry);
    ASSERT_NE(logo, nullptr);
    EXPECT_NEAR(logo->getFrameX(0) * 2 + logo->getFrameWidth(0), 0, 1);
    EXPECT_LE(logo->getFrameWidth(0), 780);
  }
}

// Where the screens take a touch area from a frame's size it is at least
// 64 px each way; a pressed look keeps its normal look's bounds.
TEST_F(InterfaceContentTest, TouchAreasTakenFromFramesAreLargeEnough) {
  ASprite* ui = loadFrom(190, 0);
  ASprite* hud = loadFrom(190, 1);
  ASSERT_NE(ui, nullptr);
  ASSERT_NE(hud, nullptr);
  struct Area {
    ASprite* sprite;
    int32_t frame, grow;
  };
  for (const Area& area : {Area{ui, 27, 0}, Area{ui, 28, 0}, Area{ui, 40, 0}, Area{ui, 46, 20}, Area{hud, 62, 0},
                           Area{hud, 66, 0}, Area{hud, 19, 30}, Area{hud, 25, 30}}) {
    EXPECT_GE(area.sprite->getFrameWidth(area.frame) + area.grow, 64) << area.frame;
    EXPECT_GE(area.sprite->getFrameHeight(area.frame) + area.grow, 64) << area.frame;
  }
  const std::pair<ASprite*, std::vector<std::pair<int32_t, int32_t>>> pairs[] = {
      {ui, {{0, 48}, {1, 49}, {27, 28}, {34, 35}, {40, 41}, {46, 47}}},
      {hud, {{2, 11}, {3, 12}, {4, 13}, {5, 14}, {6, 15}, {7, 16}, {8, 17}, {9, 18}, {19, 20}, {19, 21},
             {19, 22}, {19, 23}, {19, 24}, {25, 26}, {27, 28}, {62, 63}, {66, 67}}}};
  for (const auto& [sprite, list] : pairs)
    for (const auto& [normal, pressed] : list) {
      EXPECT_EQ(sprite->getFrameX(normal), sprite->getFrameX(pressed)) << normal << "/" << pressed;
      EXPECT_EQ(sprite->getFrameY(normal), sprite->getFrameY(pressed)) << normal << "/" << pressed;
      EXPECT_EQ(sprite->getFrameWidth(normal), sprite->getFrameWidth(pressed)) << normal << "/" << pressed;
      EXPECT_EQ(sprite->getFrameHeight(normal), sprite->getFrameHeight(pressed)) << normal << "/" << pressed;
    }
}

// The pad's direction areas are built from its arrows' bounds: with ours they
// form a 3 x 3 grid centred on the pad's anchor (130, 365), each arrow drawn
// inside its own area.
TEST_F(InterfaceContentTest, ThePadsArrowsGiveAGridOfDirectionAreasAroundTheirAnchor) {
  ASprite* hud = loadFrom(190, 1);
  ASSERT_NE(hud, nullptr);
  auto centreX = [&](int32_t f) { return hud->getFrameX(f) + hud->getFrameWidth(f) / 2; };
  auto centreY = [&](int32_t f) { return hud->getFrameY(f) + hud->getFrameHeight(f) / 2; };
  const int32_t cx = centreX(4) + 20, cy = centreY(4) + 325;
  EXPECT_EQ(cx + 110, 130);
  EXPECT_EQ(cy + 110, 365);
  struct Cell {
    int32_t frame, x, y, w, h;  // the area the frame's arrow belongs to
  };
  const Cell cells[] = {
      {4, cx + 80, cy, 60, 80},
      {5, centreX(5) + 100, centreY(5) + 325, 60, 80},
      {2, centreX(2) + 90, centreY(2) + 335, 80, 60},
      {3, centreX(3) + 90, centreY(3) + 335, 80, 60},
      {9, cx, cy, 80, 80},
      {8, cx + 140, cy, 80, 80},
      {7, cx + 140, cy + 140, 80, 80},
      {6, cx, cy + 140, 80, 80},
  };
  const int32_t grid[][2] = {{100, 255}, {100, 395}, {20, 335}, {160, 335}, {20, 255}, {160, 255}, {160, 395}, {20, 395}};
  for (size_t i = 0; i < std::size(cells); ++i) {
    const Cell& cell = cells[i];
    SCOPED_TRACE(cell.frame);
    EXPECT_EQ(cell.x, grid[i][0]);
    EXPECT_EQ(cell.y, grid[i][1]);
    const int32_t arrowX = 130 + centreX(cell.frame), arrowY = 365 + centreY(cell.frame);
    EXPECT_GE(arrowX, cell.x);
    EXPECT_LT(arrowX, cell.x + cell.w);
    EXPECT_GE(arrowY, cell.y);
    EXPECT_LT(arrowY, cell.y + cell.h);
  }
}

TEST_F(InterfaceContentTest, TheCommonPackCarriesThePngImage) {
  cGame::openPack(stringLiteral(int32_t(LiteralId::commonSpritePack)));
  ByteArray* bytes = cGame::readPackEntry(3);
  cGame::closePack();
  ASSERT_NE(bytes, nullptr);
  javax_microedition_lcdui_Image* image = javax_microedition_lcdui_Image::createImage(bytes, 0, bytes->length());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->getWidth(), 64);
  EXPECT_EQ(image->getHeight(), 64);
}

TEST_F(InterfaceContentTest, TheSharedTextsAreExactlyTheScreensIdsAndEveryRoomFollowsThem) {
  String* english = stringLiteral(int32_t(LiteralId::packNamePrefix))->concat(cGame::getLanguageSuffix(0));
  cGame::loadTextPack(english, 0);
  ASSERT_EQ(cGame::getTextCount(), contentrequirement::sharedTextCount);
  for (int32_t id : contentrequirement::textsShown) EXPECT_NE(cGame::getText(id), nullptr) << id;
  for (int32_t id : contentrequirement::textsWithOneArgument) {
    String* text = cGame::getText(id);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(std::u16string(text->view()).find(u"%s0"), std::u16string::npos) << id;
  }
  for (int32_t room = 0; room < contentrequirement::rooms; ++room) {
    cGame::loadTextPacks(english, 0, room + 1);
    EXPECT_GT(cGame::getTextCount(), contentrequirement::sharedTextCount) << room;
    // What the game-over screen shows.
    EXPECT_NE(cGame::getText(contentrequirement::sharedTextCount), nullptr) << room;
  }
}

}  // namespace
