// The menu list: up to 20 row words, four visible, navigated by keys and
// touch, and its painter, which also counts the confirmation frames.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;

namespace {

constexpr int32_t upArrowArea = 60;
constexpr int32_t downArrowArea = 61;
constexpr int32_t firstRowArea = 50;
constexpr int32_t rowPitch = 70;
constexpr int32_t soundTextId = contentrequirement::soundMenuText;

int32_t rowAt(int32_t i) { return menu().listRows->get(i); }
bool isMarked(int32_t i) { return (rowAt(i) & MenuRow::marked) != 0; }

// A window that shows the selection.
void showSelection() {
  cGameMenuStatics& list = menu();
  if (list.listSelected > list.listVisible - 1) list.listFirst = list.listSelected - list.listVisible + 1;
}

bool releasedOn(int32_t id) {
  const cGameTouchStatics& state = touch();
  return state.releasedOnArea && state.touchedArea != nullptr && state.touchedArea->id == id;
}

// One step up or down per pass; bounded by the row count, so a list whose
// rows are all marked keeps its selection instead of spinning.
void moveSelection(int32_t step) {
  cGameMenuStatics& list = menu();
  cGame::resetTouchState();
  for (int32_t tries = 0; tries < list.listCount; ++tries) {
    list.listSelected += step;
    if (step < 0) {
      if (list.listSelected < list.listFirst) --list.listFirst;
      if (list.listSelected < 0) {
        list.listSelected = list.listCount - 1;
        list.listFirst = std::max(0, list.listCount - list.listVisible);
      }
    } else {
      if (list.listSelected > list.listFirst + list.listVisible - 1) ++list.listFirst;
      if (list.listSelected >= list.listCount) list.listSelected = list.listFirst = 0;
    }
    if (!isMarked(list.listSelected)) break;
  }
  states().screenDirty = true;
}

// Main menu always; play menu when its rows do not fit.
bool showsArrows() {
  const int32_t state = machine().currentState;
  const cGameMenuStatics& list = menu();
  return box().pendingAction != PendingAction::showBox &&
         (state == GameState::mainMenu || (state == GameState::playMenu && list.listCount - list.listVisible >= 1));
}

bool lastHit(int32_t id) { return touch().touchedArea != nullptr && touch().touchedArea->id == id; }

String* rowText(int32_t word) {
  String* text = cGame::getText(word & MenuRow::textBits);
  if (machine().currentState != GameState::inGameMenu || (word & MenuRow::textBits) != soundTextId) return text;
  String* state = toolkitStatics().cGameSound.soundOn ? cGame::getText(contentrequirement::soundOnText)
                                                      : cGame::getText(contentrequirement::soundOffText);
  if (text == nullptr || state == nullptr) return text;
  String* separated = text->concat(stringLiteral(static_cast<int32_t>(LiteralId::menuStateSeparator)));
  return separated != nullptr ? separated->concat(state) : text;
}

}  // namespace

void cGame::clinitMenuList() {
  menu().listRows = newIntArray(MenuRow::capacity);
  menu().menuMemory = newIntArray(5);
}

void cGame::setListItems(int32_t menuNumber, IntArray* rows, int32_t visible) {
  cGameMenuStatics& list = menu();
  int32_t count = rows != nullptr ? rows->length() : 0;
  if (count > MenuRow::capacity) {
    debugLog("setListItems: %d rows, the list keeps %d", count, MenuRow::capacity);
    count = MenuRow::capacity;
  }
  for (int32_t i = 0; i < count; ++i) list.listRows->set(i, rows->get(i));
  list.listCount = count;
  setListSelection(menuNumber, visible);
}

void cGame::setListSelection(int32_t menuNumber, int32_t visible) {
  cGameMenuStatics& list = menu();
  list.listFirst = 0;
  list.listVisible = visible;
  int32_t selected = -1;
  // Compared by text, so a row that gained a flag since is found again.
  if (menuNumber >= 0 && menuNumber < list.menuMemory->length())
    selected = findMenuItem(list.menuMemory->get(menuNumber) & MenuRow::textBits);
  list.listSelected = selected >= 0 && selected < list.listCount ? selected : 0;
  showSelection();
}

int32_t cGame::findMenuItem(int32_t textId) {
  const cGameMenuStatics& list = menu();
  for (int32_t i = 0; i < list.listCount; ++i)
    if ((rowAt(i) & MenuRow::textBits) == textId) return i;
  return -1;
}

void cGame::removeMenuItem(int32_t word, bool remove) {
  cGameMenuStatics& list = menu();
  int32_t row = -1;
  for (int32_t i = 0; i < list.listCount && row < 0; ++i)
    if (rowAt(i) == word) row = i;
  if (row < 0) return;
  list.listRows->set(row, word | MenuRow::marked);
  if (list.listSelected == row)
    list.listSelected = 0;
  else if (list.listSelected > row)
    --list.listSelected;
  if (!remove) return;
  // Shifted within the table: the last of 20 rows takes no entry past it.
  for (int32_t i = row; i + 1 < list.listCount; ++i) list.listRows->set(i, rowAt(i + 1));
  --list.listCount;
  if (list.listSelected >= list.listCount) list.listSelected = 0;
  showSelection();
}

void cGame::replaceMenuItem(int32_t word, int32_t newWord) {
  const cGameMenuStatics& list = menu();
  for (int32_t i = 0; i < list.listCount; ++i) {
    if (rowAt(i) == word) {
      list.listRows->set(i, newWord);
      return;
    }
  }
}

void cGame::updateMenuList() {
  cGameMenuStatics& list = menu();
  if (list.listCount <= 0) return;
  const int32_t key = getReleasedKey();
  const cGameTouchStatics& state = touch();
  // A tap whose press and release came in one frame leaves only its
  // release: that row is selected too, so the one it confirms is the one
  // that blinks.
  if ((state.touchHit || state.releasedOnArea) && state.touchedArea != nullptr) {
    const int32_t id = state.touchedArea->id;
    if (id != upArrowArea && id != downArrowArea && id - firstRowArea >= 0 && id - firstRowArea < list.listCount)
      list.listSelected = id - firstRowArea;
  }
  if (key == 1 || key == 8 || releasedOn(upArrowArea)) {
    moveSelection(-1);
  } else if (key == 2 || key == 14 || releasedOn(downArrowArea)) {
    moveSelection(1);
  }
}

void cGame::paintMenuList(int32_t centreY) {
  countConfirmFrames();
  cGameMenuStatics& list = menu();
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  const int32_t n = std::min(list.listVisible, list.listCount);
  const bool boxOpening = box().pendingAction == PendingAction::showBox;
  ASprite* interface = spriteAt(contentrequirement::interfaceSlot);
  ASprite* font = spriteAt(contentrequirement::titleFontSlot);
  const bool arrows = showsArrows();
  const int32_t y0 = centreY - (n - 1) * (rowPitch / 2);
  if (arrows) {
    if (interface != nullptr) interface->paintFrame(g, lastHit(upArrowArea) ? 48 : 0, 400, y0 - 65, 0, 0, 0);
    addTouchArea(360, y0 - 105, 80, 80, upArrowArea);
  }
  list.newArrowShown = false;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t row = (list.listFirst + i) % list.listCount;
    const int32_t word = rowAt(row);
    const int32_t y = y0 + rowPitch * i;
    const bool marked = (word & MenuRow::marked) != 0;
    const bool highlighted = (word & MenuRow::highlight) != 0;
    int32_t palette = 2;
    if (!marked) {
      const bool selected = list.listFirst + i == list.listSelected;
      palette = highlighted ? 3 : selected ? 0 : 1;
      const bool blink = box().confirmFrames >= 1 && box().confirmFrames <= 4;
      if (interface != nullptr) interface->paintFrame(g, selected && !blink ? 35 : 34, 400, y, 0, 0, 0);
    }
    if ((word & MenuRow::newArrow) != 0 && paintMenuNewArrow(714, y)) list.newArrowShown = true;
    if (!marked && !boxOpening) addTouchArea(0, y - 32, 800, 64, row + firstRowArea);
    String* text = rowText(word);
    if (font != nullptr && text != nullptr) {
      font->setPalette(palette);
      font->drawStringAt(g, text->toUpperCase(), 400, y, 3, false);
    }
  }
  if (boxOpening) return;
  if (arrows && n > 0) {
    const int32_t yLast = y0 + rowPitch * (n - 1);
    if (interface != nullptr) interface->paintFrame(g, lastHit(downArrowArea) ? 49 : 1, 400, yLast + 65, 0, 0, 0);
    addTouchArea(360, yLast + 25, 80, 80, downArrowArea);
  }
  touch().touchAreasComplete = true;
}
