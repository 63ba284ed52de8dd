// The help pages over the game's own content: every picture is drawn whole
// inside the page's clip, clear of the page arrows and of the texts, every
// text reads inside the clip above the arrows, and each page is held against
// its golden image.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/shell/cGameHelpPages.h"
#include "game/toolkit/ASprite.h"
#include "tests/game/look/look_fixture.h"

namespace {

struct Box {
  int32_t left, top, right, bottom;
  bool overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  bool inside(const Box& other) const {
    return left >= other.left && top >= other.top && right <= other.right && bottom <= other.bottom;
  }
};

constexpr Box pageClip{helppage::clipX, helppage::clipY, helppage::clipX + helppage::clipWidth,
                       helppage::clipY + helppage::clipHeight};
constexpr Box arrowAreas[] = {
    {helppage::previousArea[0], helppage::previousArea[1], helppage::previousArea[0] + helppage::previousArea[2],
     helppage::previousArea[1] + helppage::previousArea[3]},
    {helppage::nextArea[0], helppage::nextArea[1], helppage::nextArea[0] + helppage::nextArea[2],
     helppage::nextArea[1] + helppage::nextArea[3]}};

class HelpLook : public LookFixture {
 protected:
  HelpLook() : LookFixture("help-look") {}

  void SetUp() override {
    LookFixture::SetUp();
    runProfile(LoadProfile::extraSprites);
  }

  static ASprite* sprite(int32_t slot) {
    return static_cast<ASprite*>(shellStatics().cGameLoop.sprites->get(slot));
  }

  static Box frameBox(ASprite* s, int32_t frame, int32_t x, int32_t y, int32_t flags) {
    IntArray* bounds = newIntArray(4);
    s->getFrameBounds(bounds, frame, x, y, flags);
    return {bounds->get(0), bounds->get(1), bounds->get(2), bounds->get(3)};
  }

  // Where a text's wrapped lines stand, as the page paints them.
  static Box textBox(const helppage::Text& text) {
    ASprite* font = sprite(contentrequirement::textFontSlot);
    ShortArray* lines = font->wrapText(cGame::getText(text.textId), text.width);
    const int32_t count = lines->get(0);
    int32_t widest = 0;
    for (int32_t k = 0; k < count; ++k) widest = std::max<int32_t>(widest, lines->get(2 * k + 2));
    const int32_t height = count * (font->getLineHeight() + font->getLineGap());
    const int32_t left = text.anchor == helppage::centre ? text.x - widest / 2 : text.x;
    return {left, text.y - height / 2, left + widest, text.y + height / 2};
  }
};

TEST_F(HelpLook, EveryPictureIsWholeBesideItsLinesAndEveryTextInsideThePage) {
  for (int32_t page = 0; page < cGamePagesStatics::helpPageCount; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const helppage::Page& shown = helppage::pages[page];
    std::vector<Box> texts;
    for (const helppage::Text& text : shown.texts) {
      if (text.textId == 0) continue;
      const Box box = textBox(text);
      EXPECT_TRUE(box.inside(pageClip)) << "text " << text.textId;
      for (const Box& arrows : arrowAreas) EXPECT_FALSE(box.overlaps(arrows)) << "text " << text.textId;
      texts.push_back(box);
    }
    std::vector<Box> pictures;
    for (const helppage::Frame& frame : shown.frames) {
      if (frame.slot == 0) continue;
      ASprite* s = sprite(frame.slot);
      ASSERT_NE(s, nullptr) << "slot " << frame.slot;
      ASSERT_LT(frame.frame, s->getFrameCount()) << "slot " << frame.slot;
      pictures.push_back(frameBox(s, frame.frame, frame.x, frame.y, 0));
    }
    for (const helppage::Picture& picture : shown.pictures) {
      if (picture.slot == 0) continue;
      ASprite* s = sprite(picture.slot);
      ASSERT_NE(s, nullptr) << "slot " << picture.slot;
      ASSERT_LT(picture.anim, s->getAnimCount()) << "slot " << picture.slot << " draws nothing";
      ASSERT_GT(s->getAFrameCount(picture.anim), 0);
      for (int32_t aframe = 0; aframe < s->getAFrameCount(picture.anim); ++aframe) {
        pictures.push_back(frameBox(s, s->getAFrameFrame(picture.anim, aframe),
                                    picture.x + s->getAFrameOffsetX(picture.anim, aframe),
                                    picture.y + s->getAFrameOffsetY(picture.anim, aframe),
                                    s->getAFrameFlags(picture.anim, aframe) & 15));
      }
    }
    for (const Box& picture : pictures) {
      EXPECT_LT(picture.left, picture.right);
      EXPECT_LT(picture.top, picture.bottom);
      EXPECT_TRUE(picture.inside(pageClip)) << picture.left << "," << picture.top << " " << picture.right << ","
                                            << picture.bottom;
      for (const Box& arrows : arrowAreas) EXPECT_FALSE(picture.overlaps(arrows));
      for (const Box& text : texts) EXPECT_FALSE(picture.overlaps(text)) << picture.left << "," << picture.top;
    }
  }
}

TEST_F(HelpLook, EachPageFromTheMainMenu) {
  javax_microedition_lcdui_Image* screen = newScreen();
  cGame::setNextState(GameState::help);
  cGame::updateState();
  for (int32_t page = 0; page < cGamePagesStatics::helpPageCount; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    shellStatics().cGamePages.helpPage = page;
    shellStatics().cGameLoop.frameCount = 4;  // the pictures' second step
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
    expectLooksLike(screen, "help_page_" + std::to_string(page) + ".png");
  }
}

}  // namespace
