// The text page (GameState 16): the credits scrolling through a window in
// the middle of the screen, steered by holding up or down; reached at the
// end of the game it goes on by itself once the text has run through.
#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;

namespace {

using contentrequirement::textFontSlot;
using contentrequirement::titleFontSlot;
using contentrequirement::interfaceSlot;
constexpr int32_t wrapWidth = 780;
constexpr int32_t windowTop = 120;
constexpr int32_t windowHeight = 260;
constexpr int32_t bottom = 480;
constexpr int32_t startY = 380;
constexpr int32_t upArea = 0;
constexpr int32_t downArea = 1;
constexpr int32_t topCentre = 17;

bool areaTouched(int32_t id) {
  const SensibleRectangle* area = touch().touchedArea;
  return area != nullptr && area->id == id;
}

// Text 144 with the program's version in its placeholder.
String* creditsText() {
  String* text = cGame::getText(144);
  if (text == nullptr) return nullptr;
  auto* midlet = static_cast<javax_microedition_midlet_MIDlet*>(loop().midlet);
  String* key = stringLiteral(static_cast<int32_t>(LiteralId::versionProperty));
  String* version = midlet != nullptr && key != nullptr ? midlet->getAppProperty(key) : nullptr;
  if (version == nullptr) version = stringLiteral(static_cast<int32_t>(LiteralId::emptyText));
  return cGame::formatText1(text, version);
}

int32_t lineCount(String* lines) {
  if (lines == nullptr || lines->length() == 0) return 0;
  int32_t count = 1;
  for (int32_t i = 0; i < lines->length(); ++i) count += lines->charAt(i) == u'\n' ? 1 : 0;
  return count;
}

void updateScroll() {
  cGamePagesStatics& page = pages();
  const int32_t height = page.textPageHeight;
  int32_t& y = page.textPageY;
  const bool up = cGame::isKeyHeld(1) || cGame::isKeyHeld(8) || areaTouched(upArea);
  const bool down = cGame::isKeyHeld(2) || cGame::isKeyHeld(14) || areaTouched(downArea);
  if (up) {
    // Below the window's bottom, scrolling back shows the text's end.
    const bool wasBelow = y >= bottom;
    y += 8;
    if (wasBelow) y = windowTop - height;
  } else {
    y -= down ? 8 : 4;
    // Only a move that carries the text upwards starts it again from the
    // bottom; after the jump to the end an up move would otherwise bounce
    // straight back.
    if (y <= windowTop - height) y = bottom;
  }
  cGameTouchStatics& pointer = touch();
  if (pointer.pointerWasReleased && (areaTouched(upArea) || areaTouched(downArea))) {
    pointer.touchedArea = nullptr;
    pointer.releasedOnArea = false;
  }
}

}  // namespace

void cGame::clinitTextPage() { *stateHandlerSlot(GameState::textPage) = &stateTextPage; }

void cGame::stateTextPage(int32_t message) {
  cGamePagesStatics& page = pages();
  switch (message) {
    case StateMessage::enter: {
      box().leftSoftkey = -1;
      if (page.textPageAutoReturn)
        box().rightSoftkey = -1;
      else
        box().rightSoftkey = states().previousState == GameState::results ? 8 : 2;
      String* text = creditsText();
      ASprite* font = spriteAt(textFontSlot);
      page.textPageLines = font != nullptr && text != nullptr ? font->wrapTextToString(text, wrapWidth) : text;
      const int32_t pitch = font != nullptr ? font->getLineHeight() + font->getLineGap() : 0;
      page.textPageHeight = lineCount(page.textPageLines) * pitch;
      page.textPageY = startY;
      break;
    }
    case StateMessage::update: {
      const cGameTouchStatics& pointer = touch();
      const bool softkeyReleased = pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr &&
                                   pointer.touchedOverlayArea->id >= 2;
      if ((!page.textPageAutoReturn && getPressedKey() == 19) || softkeyReleased) setNextState(GameState::mainMenu);
      updateScroll();
      if (page.textPageAutoReturn && page.textPageY == bottom) {
        setNextState(promotionHasNews() ? GameState::messageBox : GameState::mainMenu);
        page.textPageAutoReturn = false;
      }
      break;
    }
    case StateMessage::paint: {
      Graphics* g = loop().graphics;
      if (g == nullptr) break;
      cGame::fillScreen(g, 0x000000);
      g->setClip(0, windowTop, 800, windowHeight);
      ASprite* font = spriteAt(textFontSlot);
      if (font != nullptr && page.textPageLines != nullptr)
        font->drawPage(g, page.textPageLines, 400, page.textPageY, topCentre, 0, page.textPageLines->length());
      g->setClip(0, 0, 800, 480);
      drawText(titleFontSlot, 1, getText(83), 400, 35, 3);
      addTouchArea(0, 0, 800, 240, upArea);
      addTouchArea(0, 240, 800, 480, downArea);
      touch().touchAreasComplete = true;
      if (ASprite* arrows = spriteAt(interfaceSlot)) {
        arrows->paintFrame(g, areaTouched(upArea) ? 48 : 0, 400, 80, 0, 0, 0);
        arrows->paintFrame(g, areaTouched(downArea) ? 49 : 1, 400, 420, 0, 0, 0);
      }
      break;
    }
    default:
      break;
  }
}
