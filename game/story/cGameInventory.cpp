// The inventory screen, GameState 11: the carried items as a grid of five
// columns over the dimmed scene, two of its three rows at a time; an action
// menu for the chosen item (use, combine) and the choice of a second item
// to combine it with.
#include <initializer_list>

#include "game/story/ItemFields.h"
#include "game/ContentRequirements.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/story/cGameStory.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;

namespace {

namespace mode {
constexpr int32_t browsing = 1;
constexpr int32_t actionMenu = 2;
constexpr int32_t secondItem = 3;
}  // namespace mode

// Action codes, each also the text id of its label.
namespace action {
constexpr int32_t close = 3;
constexpr int32_t combine = 10;
constexpr int32_t use = 11;
}  // namespace action

constexpr int32_t slotCount = 15;
constexpr int32_t columns = 5;
constexpr int32_t visibleRows = 2;
constexpr int32_t cellArea = 100;
constexpr int32_t actionArea = 260;
constexpr int32_t cellSize = 76;
constexpr int32_t gridX = 210, gridY = 114;
constexpr int32_t titleText = 103;
constexpr int32_t noMatchText = 54;
constexpr int32_t noMatchMillis = 3000;
constexpr int32_t kitSlot = 11;
constexpr int32_t titleRuleFrame = 28;
constexpr int32_t panelTopFrame = 29;
constexpr int32_t actionRowFrame = 27;
constexpr int32_t actionRowPressedFrame = 28;
constexpr int32_t descriptionWidth = 376;

constexpr int32_t centre = 3;
constexpr int32_t topCentre = 17;
constexpr int32_t topLeft = 20;
constexpr int32_t rightBottom = 40;

constexpr int32_t dim = static_cast<int32_t>(0xA0000000u);
constexpr int32_t cursorCell = static_cast<int32_t>(0xA0FFFFFFu);
constexpr int32_t firstCell = static_cast<int32_t>(0xA000AA00u);
constexpr int32_t itemCell = static_cast<int32_t>(0xA0000000u);
constexpr int32_t emptyCell = static_cast<int32_t>(0xA0A00000u);

cGameInventoryStatics& inventory() { return storyStatics().cGameInventory; }

cActorMC* player() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

// The slot's {id, count}, or null when it holds no item.
IntArray* slotEntry(int32_t slot) {
  cActorMC* character = player();
  if (character == nullptr || character->items == nullptr || slot < 0 || slot >= character->items->length())
    return nullptr;
  auto* entry = static_cast<IntArray*>(character->items->get(slot));
  return entry != nullptr && entry->length() >= 2 && entry->get(0) >= 1 ? entry : nullptr;
}

int32_t itemField(IntArray* entry, int32_t f) { return cGame::getItemField(entry->get(0), f); }

void resetInput() {
  cGame::clearInput();
  cGame::clearTouchState();
}

// Keeps the cursor's row in view. The cells' touch areas follow the rows
// shown, so a scroll registers them again.
void moveCursor(int32_t slot) {
  cGameInventoryStatics& state = inventory();
  state.inventoryCursor = slot;
  const int32_t row = slot / columns;
  const int32_t scroll = state.inventoryScroll;
  if (row < state.inventoryScroll) state.inventoryScroll = row;
  if (row >= state.inventoryScroll + visibleRows) state.inventoryScroll = row - visibleRows + 1;
  if (state.inventoryScroll != scroll) resetInput();
  states().screenDirty = true;
}

// The released main-list area's id less base when it lies in [0, count),
// else -1.
int32_t releasedArea(int32_t base, int32_t count) {
  const cGameTouchStatics& pointer = touch();
  if (!pointer.releasedOnArea || pointer.touchedArea == nullptr) return -1;
  const int32_t k = pointer.touchedArea->id - base;
  return k >= 0 && k < count ? k : -1;
}

bool softkeyReleased() {
  const cGameTouchStatics& pointer = touch();
  return pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr;
}

bool isOk(int32_t key) { return key == 18 || key == 5 || key == 11; }
bool isUp(int32_t key) { return key == 1 || key == 8; }
bool isDown(int32_t key) { return key == 2 || key == 14; }

// The menu's rows: every action but the last, which the back softkey is.
int32_t listedActions() {
  IntArray* actions = inventory().inventoryActions;
  return actions != nullptr && actions->length() > 0 ? actions->length() - 1 : 0;
}

void chooseItem() {
  cGameInventoryStatics& state = inventory();
  if (state.inventoryMode == mode::secondItem) {
    if (state.inventoryCursor == state.inventoryFirst) return;
    const int32_t result = cGame::findCombination(player(), state.inventoryCursor, state.inventoryFirst);
    state.inventoryMode = mode::browsing;
    state.inventoryFirst = -1;
    // The grid's items changed: their cells register again.
    resetInput();
    if (result >= 0) {
      moveCursor(result);
    } else {
      cGame::showHint(noMatchText, noMatchMillis, true);
    }
    states().screenDirty = true;
    return;
  }
  if (cGame::isInteractionActive() || slotEntry(state.inventoryCursor) == nullptr) return;
  state.inventoryMode = mode::actionMenu;
  state.inventoryActionCursor = 0;
  resetInput();
  cActorMC* character = player();
  const bool usable = character != nullptr && character->canUseItemSlot(state.inventoryCursor);
  state.inventoryActions = usable ? state.usableItemActions : state.otherItemActions;
  states().screenDirty = true;
}

void leaveGrid() {
  cGameInventoryStatics& state = inventory();
  resetInput();
  if (state.inventoryMode == mode::secondItem) {
    state.inventoryMode = mode::actionMenu;
    state.inventoryFirst = -1;
  } else {
    box().pendingAction = PendingAction::afterLoading;
    loading().stateAfterLoading = GameState::inGameMenu;
    box().transitionClock = -1;
    // Opened from the HUD: the in-game menu goes straight back to play.
    if (touch().menuButtonUsed) shellStatics().cGameMenus.inventoryDone = true;
  }
  states().screenDirty = true;
}

void updateGrid(int32_t key) {
  cGameInventoryStatics& state = inventory();
  cGame::setSoftkeys(2, -1);
  const int32_t cursor = state.inventoryCursor;
  if (isUp(key)) {
    if (cursor >= columns) moveCursor(cursor - columns);
  } else if (isDown(key)) {
    if (cursor < slotCount - columns) moveCursor(cursor + columns);
  } else if (key == 3 || key == 10) {
    if (cursor > 0) moveCursor(cursor - 1);
  } else if (key == 4 || key == 12) {
    if (cursor < slotCount - 1) moveCursor(cursor + 1);
  }
  const int32_t cell = releasedArea(cellArea, slotCount);
  if (isOk(key) || cell >= 0) {
    if (cell >= 0) {
      state.inventoryCursor = cell;
      resetInput();
    }
    chooseItem();
  } else if (key == 19 || softkeyReleased()) {
    leaveGrid();
  }
}

void runAction() {
  cGameInventoryStatics& state = inventory();
  IntArray* actions = state.inventoryActions;
  const int32_t k = state.inventoryActionCursor;
  if (actions == nullptr || k < 0 || k >= actions->length()) return;
  switch (actions->get(k)) {
    case action::close:
      state.inventoryMode = mode::browsing;
      break;
    case action::combine:
      state.inventoryMode = mode::secondItem;
      state.inventoryFirst = state.inventoryCursor;
      break;
    case action::use:
      if (cActorMC* character = player(); character != nullptr && character->canUseItemSlot(state.inventoryCursor)) {
        character->useItem(state.inventoryCursor);
        state.inventoryMode = mode::browsing;
      }
      break;
    default:
      break;
  }
  states().screenDirty = true;
}

void updateActionMenu(int32_t key) {
  cGameInventoryStatics& state = inventory();
  cGameTouchStatics& pointer = touch();
  cGame::setSoftkeys(3, -1);
  const int32_t listed = listedActions();
  if ((pointer.pointerIsDown || pointer.pointerDragging) && pointer.touchedArea != nullptr) {
    const int32_t k = pointer.touchedArea->id - actionArea;
    if (k >= 0 && k < listed) {
      state.inventoryActionCursor = k;
      states().screenDirty = true;
    }
  }
  if (listed > 0 && isUp(key)) {
    state.inventoryActionCursor = state.inventoryActionCursor > 0 ? state.inventoryActionCursor - 1 : listed - 1;
    states().screenDirty = true;
  } else if (listed > 0 && isDown(key)) {
    state.inventoryActionCursor = state.inventoryActionCursor < listed - 1 ? state.inventoryActionCursor + 1 : 0;
    states().screenDirty = true;
  }
  const int32_t row = releasedArea(actionArea, listed);
  if (isOk(key) || row >= 0) {
    if (row >= 0) state.inventoryActionCursor = row;
    resetInput();
    runAction();
  } else if (key == 19 || softkeyReleased()) {
    resetInput();
    state.inventoryMode = mode::browsing;
    states().screenDirty = true;
  }
}

IntArray* actionList(std::initializer_list<int32_t> codes) {
  IntArray* list = newIntArray(static_cast<int32_t>(codes.size()));
  if (list == nullptr) return nullptr;
  int32_t i = 0;
  for (int32_t code : codes) list->set(i++, code);
  return list;
}

// --- paint

void paintFrameAt(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->paintFrame(loop().graphics, frame, x, y, 0, 0, 0);
}

// The first frame of the item's icon animation, its box centred on (x, y).
void paintIcon(IntArray* entry, int32_t x, int32_t y) {
  ASprite* sprite = spriteAt(itemField(entry, itemfield::iconSprite));
  const int32_t anim = itemField(entry, itemfield::iconAnim);
  if (sprite == nullptr || anim < 0 || anim >= sprite->getAnimCount() || sprite->getAFrameCount(anim) < 1) return;
  const int32_t frame = sprite->getAFrameFrame(anim, 0);
  IntArray* bounds = newIntArray(4);
  if (bounds == nullptr) return;
  sprite->getFrameBounds(bounds, frame, 0, 0, 0);
  if (bounds->get(2) < bounds->get(0)) return;  // nothing to show
  const int32_t cx = (bounds->get(0) + bounds->get(2)) / 2;
  const int32_t cy = (bounds->get(1) + bounds->get(3)) / 2;
  paintFrameAt(sprite, frame, x - cx, y - cy);
}

void paintCount(int32_t count, int32_t x, int32_t y) {
  StringBuffer* text = newObject<StringBuffer>();
  if (text == nullptr) return;
  text->append(stringLiteral(static_cast<int32_t>(LiteralId::itemCountPrefix)));
  text->append(count);
  String* s = text->toString();
  cGame::drawText(contentrequirement::textFontSlot, 3, s, x + 74, y + 76, rightBottom);
  cGame::drawText(contentrequirement::textFontSlot, 3, s, x + 75, y + 76, rightBottom);
  cGame::drawText(contentrequirement::textFontSlot, 0, s, x + 74, y + 75, rightBottom);
}

void paintGrid() {
  const cGameInventoryStatics& state = inventory();
  for (int32_t r = 0; r < visibleRows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t slot = (state.inventoryScroll + r) * columns + c;
      const int32_t x = gridX + cellSize * c;
      const int32_t y = gridY + cellSize * r;
      IntArray* entry = slotEntry(slot);
      const int32_t colour = slot == state.inventoryCursor ? cursorCell
                             : slot == state.inventoryFirst ? firstCell
                             : entry != nullptr             ? itemCell
                                                            : emptyCell;
      cGame::fillRectWithColourTile(x + 1, y + 1, cellSize - 3, cellSize - 3, colour);
      if (entry == nullptr) continue;
      paintIcon(entry, x + 38, y + 39);
      if (entry->get(1) > 0) paintCount(entry->get(1), x, y);
      if (state.inventoryMode != mode::actionMenu) cGame::addTouchArea(x, y, cellSize, cellSize, cellArea + slot);
    }
  }
}

void paintDescription() {
  cGame::fillRectWithColourTile(212, 301, descriptionWidth, 146, dim);
  paintFrameAt(spriteAt(kitSlot), panelTopFrame, 400, 287);
  IntArray* entry = slotEntry(inventory().inventoryCursor);
  if (entry == nullptr) return;
  if (const int32_t name = itemField(entry, itemfield::name); name >= 0)
    cGame::drawText(contentrequirement::textFontSlot, 0, cGame::getText(name), 400, 306, topCentre);
  const int32_t description = itemField(entry, itemfield::description);
  String* text = description >= 0 ? cGame::getText(description) : nullptr;
  ASprite* font = spriteAt(contentrequirement::textFontSlot);
  if (text == nullptr || font == nullptr) return;
  if (itemField(entry, itemfield::useKind) == 0) {
    StringBuffer* value = newObject<StringBuffer>();
    if (value == nullptr) return;
    value->append(stringLiteral(static_cast<int32_t>(LiteralId::emptyText)));
    value->append(itemField(entry, itemfield::value));
    text = cGame::formatText1(text, value->toString());
    if (text == nullptr) return;
  }
  font->setPalette(1);
  ShortArray* lines = font->wrapText(text, descriptionWidth);
  if (lines != nullptr) cGame::paintTextBox(font, loop().graphics, text, lines, 222, 331, 0, -1, topLeft, -1);
}

void paintActionMenu() {
  const cGameInventoryStatics& state = inventory();
  const cGameTouchStatics& pointer = touch();
  cGame::fillRectWithColourTile(gridX, gridY, 380, 152, dim);
  ASprite* hud = spriteAt(contentrequirement::hudSlot);
  IntArray* actions = state.inventoryActions;
  if (hud == nullptr || actions == nullptr) return;
  const int32_t listed = listedActions();
  int32_t y = 170;
  for (int32_t k = 0; k < listed; ++k) {
    const bool pressed = pointer.touchedArea != nullptr && pointer.touchedArea->id == actionArea + k &&
                         (pointer.pointerIsDown || pointer.pointerDragging);
    // The row the keys have chosen looks pressed too: OK acts on it.
    const bool lit = pressed || k == state.inventoryActionCursor;
    const int32_t frame = lit ? actionRowPressedFrame : actionRowFrame;
    paintFrameAt(hud, frame, 400, y);
    const int32_t w = hud->getFrameWidth(frame);
    const int32_t h = hud->getFrameHeight(frame);
    cGame::addTouchArea(400 - w / 2, y - h / 2, w, h, actionArea + k);
    cGame::drawText(contentrequirement::textFontSlot, lit ? 0 : 1, cGame::getText(actions->get(k)), 400, y, centre);
    y += h * 3 / 2;
  }
}

}  // namespace

void cGameStory::clinitInventory() {
  cGameInventoryStatics& state = inventory();
  state.usableItemActions = actionList({action::use, action::combine, action::close});
  state.otherItemActions = actionList({action::combine, action::close});
  *cGame::stateHandlerSlot(GameState::inventory) = &stateInventory;
}

void cGameStory::stateInventory(int32_t message) {
  switch (message) {
    case StateMessage::enter: {
      box().transitionDirection = 1;
      box().transitionClock = 0;
      states().screenDirty = true;
      cGameInventoryStatics& state = inventory();
      state.inventoryScroll = 0;
      state.inventoryMode = mode::browsing;
      state.inventoryFirst = -1;
      state.inventoryCursor = 0;
      state.inventoryActionCursor = 0;
      cGame::clearHint();
      break;
    }
    case StateMessage::update:
      updateInventory();
      break;
    case StateMessage::paint:
      paintInventory();
      break;
    default:
      break;
  }
}

void cGameStory::updateInventory() {
  const int32_t key = cGame::getReleasedKey();
  // A hint takes the screen: it runs out, or any key or tap takes it away
  // (a "You found" notice after combining must not swallow the player's
  // taps for its whole time). The press only takes the hint away.
  if (cGame::isHintShown()) {
    cGame::updateNotice();
    if (key >= 0 || touch().pointerWasReleased) {
      cGame::clearHint();
      resetInput();
    }
    states().screenDirty = true;
    return;
  }
  if (inventory().inventoryMode == mode::actionMenu) {
    updateActionMenu(key);
  } else {
    updateGrid(key);
  }
  cGame::updateMessageBoxTransition(true);
}

void cGameStory::paintInventory() {
  Graphics* g = loop().graphics;
  if (g == nullptr) return;
  g->setClip(0, 0, 800, 480);
  CVLibPlayer::paintLayers(g, 0, 0, 0);
  CVLibPlayer::paintLayers(g, 0, 0, 2);
  if (CVLibPlayer::isLayerBuilt(3)) CVLibPlayer::paintLayers(g, 0, 0, 3);
  cGame::paintTimerOverlay();
  g->setClip(0, 0, 800, 480);
  cGame::fillRectWithColourTile(0, 0, 800, 480, dim);
  cGame::drawText(contentrequirement::titleFontSlot, 1, cGame::getText(titleText), 400, 85, centre);
  ASprite* kit = spriteAt(kitSlot);
  if (kit != nullptr) kit->setPalette(0);
  paintFrameAt(kit, titleRuleFrame, 400, 100);
  paintGrid();
  paintDescription();
  if (inventory().inventoryMode == mode::actionMenu) paintActionMenu();
  cGame::paintInfoBox();
  states().screenDirty = false;
  touch().touchAreasComplete = true;
}
