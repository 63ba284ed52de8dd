// The help pages (GameState 23): seven pages turned left and right in a
// ring, reached from the main menu (through loading their sprites) or from
// the in-game menu, and left back to where they came from.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;

namespace {

using contentrequirement::textFontSlot;
using contentrequirement::titleFontSlot;
using contentrequirement::interfaceSlot;
using contentrequirement::hudSlot;
constexpr int32_t previousArea = 62;
constexpr int32_t nextArea = 63;
constexpr int32_t pictureFrameDivisor = 4;
constexpr int32_t previousArrowFrame = 19;
constexpr int32_t flipX = 1;

// The sprites only help shows; the in-game menu's own screens keep them.
constexpr int32_t helpSpriteSlots[] = {27, 34, 30, 11};

// Anchors of the sprite font: 1 horizontal centre, 2 vertical centre.
constexpr int32_t centre = 3;
constexpr int32_t leftMiddle = 2;

struct PageText {
  int32_t textId;
  int32_t x, y, width, anchor;
};
struct PageFrame {
  int32_t slot, frame, x, y;
};
struct PagePicture {
  int32_t slot, anim, x, y;
};
struct HelpPage {
  PageText texts[4];
  PageFrame frames[6];
  PagePicture pictures[3];
};

// Unused entries have text id, slot 0.
constexpr HelpPage helpPages[cGamePagesStatics::helpPageCount] = {
    {{{245, 400, 90, 700, centre}, {247, 400, 340, 700, centre}},
     {},
     {{27, 0, 250, 220}, {34, 0, 550, 220}}},
    {{{248, 400, 80, 700, centre}, {249, 150, 150, 610, leftMiddle}, {250, 150, 240, 610, leftMiddle}},
     {{hudSlot, 62, 80, 150}, {interfaceSlot, 20, 80, 150}, {hudSlot, 62, 80, 240}, {interfaceSlot, 45, 80, 240}},
     {}},
    {{{251, 150, 110, 610, leftMiddle}, {252, 150, 230, 610, leftMiddle}, {253, 150, 340, 610, leftMiddle}},
     {{hudSlot, 54, 80, 110}, {hudSlot, 55, 80, 230}, {hudSlot, 56, 80, 340}},
     {}},
    {{{258, 400, 250, 700, centre}, {259, 400, 340, 700, centre}}, {{hudSlot, 26, 400, 140}}, {}},
    {{{254, 150, 90, 610, leftMiddle},
      {255, 150, 170, 610, leftMiddle},
      {256, 150, 250, 610, leftMiddle},
      {264, 150, 340, 610, leftMiddle}},
     {},
     {{30, 0, 80, 90}, {30, 1, 80, 170}, {11, 0, 80, 250}}},
    {{{257, 150, 110, 610, leftMiddle}, {260, 150, 230, 610, leftMiddle}, {261, 150, 340, 610, leftMiddle}},
     {},
     {{11, 1, 80, 110}, {27, 1, 80, 230}, {34, 1, 80, 340}}},
    {{{267, 150, 130, 610, leftMiddle}, {268, 150, 235, 610, leftMiddle}, {269, 150, 320, 610, leftMiddle}},
     {{hudSlot, 54, 80, 130}, {hudSlot, 54, 80, 235}, {hudSlot, 54, 80, 320}},
     {}},
};

bool openedFromInGameMenu() { return states().previousState == GameState::inGameMenu; }

bool areaReleased(int32_t id) {
  const cGameTouchStatics& pointer = touch();
  return pointer.releasedOnArea && pointer.touchedArea != nullptr && pointer.touchedArea->id == id;
}

void turnPage(int32_t step) {
  cGamePagesStatics& page = pages();
  page.helpPage = ((page.helpPage + step) % cGamePagesStatics::helpPageCount + cGamePagesStatics::helpPageCount) %
                  cGamePagesStatics::helpPageCount;
  touch().touchedArea = nullptr;
  touch().releasedOnArea = false;
  states().screenDirty = true;
}

void paintPageText(const PageText& text) {
  ASprite* font = spriteAt(textFontSlot);
  String* s = cGame::getText(text.textId);
  if (font == nullptr || s == nullptr) return;
  font->setPalette(text.textId == helpPages[pages().helpPage].texts[0].textId ? 0 : 1);
  ShortArray* lines = font->wrapText(s, text.width);
  if (lines != nullptr) cGame::paintTextBox(font, loop().graphics, s, lines, text.x, text.y, 0, -1, text.anchor, -1);
}

// An animation shown one frame every four painted frames.
void paintPicture(const PagePicture& picture) {
  ASprite* sprite = spriteAt(picture.slot);
  if (sprite == nullptr || picture.anim >= sprite->getAnimCount()) return;
  const int32_t count = sprite->getAFrameCount(picture.anim);
  if (count <= 0) return;
  const int32_t aframe = (std::max(loop().frameCount, 0) / pictureFrameDivisor) % count;
  sprite->paintAFrame(loop().graphics, picture.anim, aframe, picture.x, picture.y, 0, 0, 0);
}

void paintArrows(Graphics* g) {
  cGame::addTouchArea(260, 390, 80, 80, previousArea);
  cGame::addTouchArea(460, 390, 80, 80, nextArea);
  touch().touchAreasComplete = true;
  if (ASprite* arrows = spriteAt(interfaceSlot)) {
    arrows->paintFrame(g, previousArrowFrame, 300, 430, 0, 0, 0);
    arrows->paintFrame(g, previousArrowFrame, 500, 430, flipX, 0, 0);
  }
}

}  // namespace

void cGame::clinitHelp() { *stateHandlerSlot(GameState::help) = &stateHelp; }

void cGame::releaseHelpSprites() {
  ObjectArray* sprites = loop().sprites;
  if (sprites == nullptr) return;
  for (int32_t slot : helpSpriteSlots)
    if (slot < sprites->length()) sprites->set(slot, nullptr);
}

void cGame::stateHelp(int32_t message) {
  cGamePagesStatics& page = pages();
  switch (message) {
    case StateMessage::enter:
      box().rightSoftkey = 2;
      states().screenDirty = true;
      break;
    case StateMessage::update: {
      const int32_t key = getReleasedKey();
      const cGameTouchStatics& pointer = touch();
      if (key == 19 || (pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr)) {
        if (openedFromInGameMenu()) {
          setNextState(GameState::inGameMenu);
        } else {
          setNextState(GameState::mainMenu);
          playSound(1, false);
        }
      } else if (key == 4 || key == 12 || areaReleased(nextArea)) {
        turnPage(1);
      } else if (key == 3 || key == 10 || areaReleased(previousArea)) {
        turnPage(-1);
      }
      break;
    }
    case StateMessage::paint: {
      Graphics* g = loop().graphics;
      if (g == nullptr) break;
      cGame::fillScreen(g, 0x000000);
      if (!openedFromInGameMenu()) paintMenuDim();
      g->setClip(0, 50, 800, 380);
      const HelpPage& shown = helpPages[std::clamp(page.helpPage, 0, cGamePagesStatics::helpPageCount - 1)];
      for (const PageFrame& frame : shown.frames)
        if (ASprite* sprite = spriteAt(frame.slot)) sprite->paintFrame(g, frame.frame, frame.x, frame.y, 0, 0, 0);
      for (const PagePicture& picture : shown.pictures) paintPicture(picture);
      for (const PageText& text : shown.texts)
        if (text.textId != 0) paintPageText(text);
      g->setClip(0, 0, 800, 480);
      paintArrows(g);
      drawText(titleFontSlot, 1, getText(81), 400, 35, centre);
      break;
    }
    case StateMessage::exit:
      page.helpPage = 0;
      if (!openedFromInGameMenu()) releaseHelpSprites();
      break;
    default:
      break;
  }
}
