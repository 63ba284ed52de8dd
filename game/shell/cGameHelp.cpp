// The help pages (GameState 23): seven pages turned left and right in a
// ring, reached from the main menu (through loading their sprites) or from
// the in-game menu, and left back to where they came from.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameHelpPages.h"
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
constexpr int32_t previousAreaId = 62;
constexpr int32_t nextAreaId = 63;
constexpr int32_t pictureFrameDivisor = 4;
constexpr int32_t previousArrowFrame = 19;
constexpr int32_t flipX = 1;

// The sprites only help shows; the in-game menu's own screens keep them.
constexpr int32_t helpSpriteSlots[] = {27, 34, 30, 11};

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

void paintPageText(const helppage::Text& text) {
  ASprite* font = spriteAt(textFontSlot);
  String* s = cGame::getText(text.textId);
  if (font == nullptr || s == nullptr) return;
  font->setPalette(text.heading ? 0 : 1);
  ShortArray* lines = font->wrapText(s, text.width);
  if (lines != nullptr) cGame::paintTextBox(font, loop().graphics, s, lines, text.x, text.y, 0, -1, text.anchor, -1);
}

// An animation shown one frame every four painted frames.
void paintPicture(const helppage::Picture& picture) {
  ASprite* sprite = picture.slot != 0 ? spriteAt(picture.slot) : nullptr;
  if (sprite == nullptr || picture.anim >= sprite->getAnimCount()) return;
  const int32_t count = sprite->getAFrameCount(picture.anim);
  if (count <= 0) return;
  const int32_t aframe = (std::max(loop().frameCount, 0) / pictureFrameDivisor) % count;
  sprite->paintAFrame(loop().graphics, picture.anim, aframe, picture.x, picture.y, 0, 0, 0);
}

void paintArrows(Graphics* g) {
  using helppage::nextArea, helppage::previousArea;
  cGame::addTouchArea(previousArea[0], previousArea[1], previousArea[2], previousArea[3], previousAreaId);
  cGame::addTouchArea(nextArea[0], nextArea[1], nextArea[2], nextArea[3], nextAreaId);
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
      } else if (key == 4 || key == 12 || areaReleased(nextAreaId)) {
        turnPage(1);
      } else if (key == 3 || key == 10 || areaReleased(previousAreaId)) {
        turnPage(-1);
      }
      break;
    }
    case StateMessage::paint: {
      Graphics* g = loop().graphics;
      if (g == nullptr) break;
      cGame::fillScreen(g, 0x000000);
      if (!openedFromInGameMenu()) paintMenuDim();
      g->setClip(helppage::clipX, helppage::clipY, helppage::clipWidth, helppage::clipHeight);
      const helppage::Page& shown =
          helppage::pages[std::clamp(page.helpPage, 0, cGamePagesStatics::helpPageCount - 1)];
      for (const helppage::Frame& frame : shown.frames) {
        ASprite* sprite = frame.slot != 0 ? spriteAt(frame.slot) : nullptr;
        if (sprite != nullptr) sprite->paintFrame(g, frame.frame, frame.x, frame.y, 0, 0, 0);
      }
      for (const helppage::Picture& picture : shown.pictures) paintPicture(picture);
      for (const helppage::Text& text : shown.texts)
        if (text.textId != 0) paintPageText(text);
      g->setClip(0, 0, 800, 480);
      paintArrows(g);
      drawText(titleFontSlot, 1, getText(81), 400, 35, helppage::centre);
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
