// The results of a chapter (GameState 15): two titles fading in and out,
// the score rows one per update, the grade animation, and then the way on:
// the next chapter, the main menu, or at the end of the game the closing
// text and the credits.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
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

constexpr int32_t gradeSpriteSlot = contentrequirement::resultsSlot;
constexpr int32_t releasedSpriteSlot = 4;
constexpr int32_t rowFontSlot = contentrequirement::textFontSlot;
using contentrequirement::titleFontSlot;
constexpr int32_t totalLabel = 243;
constexpr int32_t fadeStep = 20;
constexpr int32_t fadeTop = 350;
constexpr int32_t fullScreenArea = 202;
constexpr int32_t titleY = 120;

constexpr int32_t leftBottom = 36;
constexpr int32_t rightBottom = 40;
constexpr int32_t rightTop = 24;
constexpr int32_t centre = 3;

// {label text, index of the count or -1, index of the score} per row.
constexpr int32_t rowTable[][3] = {{237, 1, 2}, {238, 3, 4}, {239, 5, 6}, {240, 7, 8}, {241, -1, 9}, {243, -1, 0}};

int32_t result(int32_t index) {
  IntArray* results = shellStatics().cGameShared.results;
  return results != nullptr && index >= 0 && index < results->length() ? results->get(index) : 0;
}

int32_t rowCount() {
  ObjectArray* table = pages().resultsRowTable;
  return table != nullptr ? table->length() : 0;
}

int32_t rowField(int32_t row, int32_t field) {
  ObjectArray* table = pages().resultsRowTable;
  auto* entry = table != nullptr && row >= 0 && row < table->length() ? static_cast<IntArray*>(table->get(row)) : nullptr;
  return entry != nullptr && field < entry->length() ? entry->get(field) : -1;
}

// String literal 1 followed by the number, as every number on screen.
String* numberText(int32_t value) {
  StringBuffer* text = newObject<StringBuffer>();
  if (text == nullptr) return nullptr;
  text->append(stringLiteral(static_cast<int32_t>(LiteralId::emptyText)));
  text->append(value);
  return text->toString();
}

bool isOk(int32_t key) { return key == 18 || key == 5 || key == 11; }

bool gameOver(int32_t next) { return next < 0 && shellStatics().cGameSave.resultsFlag; }

void openBox() { box().pendingAction = PendingAction::showBox; }

// A text box closed after the last chapter: the game is finished, the
// credits follow, and the finish is kept so it is shown only once.
void finishGame() {
  cGamePagesStatics& page = pages();
  if (cGame::promotionHasNews()) page.textPageAutoReturn = true;
  cGame::setNextState(GameState::textPage);
  cGameSoundStatics& sounds = toolkitStatics().cGameSound;
  sounds.resumeId = 0;
  sounds.resumeLoop = true;
  sounds.resumeDelay = 12;
  shellStatics().cGameSave.resultsFlag = true;
  cGame::saveSettings();
}

void updatePhases() {
  cGamePagesStatics& page = pages();
  switch (page.resultsPhase) {
    case 0:
      page.resultsFade += fadeStep;
      if (page.resultsFade >= fadeTop) {
        page.resultsFade = 255;
        page.resultsPhase = 1;
      }
      break;
    case 1:
      page.resultsFade -= fadeStep;
      if (page.resultsFade < 1) {
        page.resultsFade = 0;
        page.resultsTitle = cGame::getText(49);
        page.resultsPhase = 2;
      }
      break;
    case 2:
      page.resultsFade = std::min(page.resultsFade + fadeStep, 255);
      if (page.resultsFade >= 255) page.resultsPhase = 3;
      break;
    case 3:
      page.resultsRow += 1;
      if (page.resultsRow >= rowCount() - 1) page.resultsPhase = 4;
      break;
    case 4: {
      // The grade animation takes its one step as the rows are complete
      // and keeps that picture while the player chooses.
      if (page.resultsAnim != nullptr) page.resultsAnim->update(loop().frameTime);
      page.resultsPhase = 5;
      const int32_t next = cGame::nextChapter(shellStatics().cGameProgress.chapter);
      if (next >= 0 || shellStatics().cGameSave.resultsFlag) box().rightSoftkey = 8;
      break;
    }
    default:
      break;
  }
}

// Phase 5: the player chooses where to go.
void updateResultsChoice() {
  cGameTouchStatics& pointer = touch();
  const int32_t next = cGame::nextChapter(shellStatics().cGameProgress.chapter);
  const bool resultsFlag = shellStatics().cGameSave.resultsFlag;
  const int32_t key = cGame::getReleasedKey();
  const bool softkeyReleased = pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr;
  if ((key == 19 && (next >= 0 || resultsFlag)) || softkeyReleased) {
    cGame::openTextBox(101, 0, false);
    openBox();
    return;
  }
  const bool areaReleased = pointer.releasedOnArea && pointer.touchedArea != nullptr;
  if (!isOk(key) && !areaReleased) return;
  pointer.touchedArea = nullptr;
  pointer.releasedOnArea = false;
  if (next >= 0) {
    cGame::setChapter(next);
    loading().loadProfile = LoadProfile::enterRoom;
    loading().stateAfterLoading = GameState::inGame;
    cGame::setNextState(GameState::loading);
  } else if (!resultsFlag) {
    String* points = numberText(shellStatics().cGameSave.resultsCounter);
    String* text = cGame::getText(265);
    cGame::openTextBox(text != nullptr ? cGame::formatText1(text, points) : nullptr);
    openBox();
  }
}

void drawNumber(ASprite* font, int32_t palette, int32_t value, int32_t x, int32_t y) {
  String* text = numberText(value);
  if (font == nullptr || text == nullptr) return;
  font->setPalette(palette);
  font->drawString(loop().graphics, text, nullptr, x, y, rightBottom, false);
}

// The grade animation's current picture (the player's own paint draws on
// the toolkit's Graphics, which the shell's frame does not set).
void paintGrade(CVLibPlayer* anim, int32_t dx, int32_t dy) {
  ASprite* sprite = anim->sprite;
  if (sprite == nullptr || anim->anim < 0 || anim->getAFrameCount() <= 0) return;
  sprite->paintAFrame(loop().graphics, anim->anim, anim->aframe, anim->x + dx, anim->y + dy, anim->flags, 0, 0);
}

}  // namespace

void cGame::clinitResults() {
  ObjectArray* table = newObjectArray(static_cast<int32_t>(std::size(rowTable)));
  pages().resultsRowTable = table;
  for (int32_t row = 0; table != nullptr && row < table->length(); ++row) {
    IntArray* entry = newIntArray(3);
    if (entry == nullptr) break;
    for (int32_t field = 0; field < 3; ++field) entry->set(field, rowTable[row][field]);
    table->set(row, entry);
  }
  *stateHandlerSlot(GameState::results) = &stateResults;
}

void cGame::stateResults(int32_t message) {
  cGamePagesStatics& page = pages();
  switch (message) {
    case StateMessage::enter: {
      page.resultsTitle = getText(145);
      page.resultsFade = 0;
      page.resultsAnim = newObject<CVLibPlayer>();
      if (page.resultsAnim != nullptr) {
        page.resultsAnim->setSprite(spriteAt(gradeSpriteSlot));
        page.resultsAnim->setAnim(result(12), 0);
        page.resultsAnim->x = 540;
        page.resultsAnim->y = 345;
      }
      page.resultsPhase = 0;
      page.resultsRow = -1;
      box().leftSoftkey = box().rightSoftkey = -1;
      box().transitionDirection = 1;
      box().transitionClock = 0;
      break;
    }
    case StateMessage::update:
      updateResultsSequence();
      break;
    case StateMessage::paint:
      paintResults();
      break;
    case StateMessage::exit:
      page.resultsTitle = nullptr;
      page.resultsAnim = nullptr;
      if (ObjectArray* sprites = loop().sprites; sprites != nullptr && releasedSpriteSlot < sprites->length())
        sprites->set(releasedSpriteSlot, nullptr);
      break;
    default:
      break;
  }
}

void cGame::updateResultsSequence() {
  cGameBoxStatics& answer = box();
  if (answer.messageBoxAnswered) {
    answer.messageBoxAnswered = false;
    if (answer.messageBoxTextId == 101 && states().messageBoxChoice == 1) {
      setNextState(GameState::mainMenu);
    } else if (answer.messageBoxButtons == 0 && !shellStatics().cGameSave.resultsFlag) {
      finishGame();
    }
  }
  // Input counts only once the screen has been waiting: the update that
  // reaches phase 5 does not take a key still held from the rows.
  const bool waiting = pages().resultsPhase == 5;
  if (!waiting) {
    // A tap while the rows come in must not be taken as the answer later.
    touch().touchedArea = nullptr;
    touch().releasedOnArea = false;
  }
  updatePhases();
  if (waiting && !machine().stateChangePending) updateResultsChoice();
  states().screenDirty = true;
  updateMessageBoxTransition(true);
}

void cGame::paintResults() {
  const cGamePagesStatics& page = pages();
  Graphics* g = loop().graphics;
  if (g == nullptr) return;
  cGame::fillScreen(g, 0x000000);
  const int32_t phase = page.resultsPhase;
  if (ASprite* font = spriteAt(titleFontSlot); font != nullptr && page.resultsTitle != nullptr) {
    font->setPalette(phase >= 2 ? 0 : 1);
    font->drawString(g, page.resultsTitle, nullptr, 400, titleY, centre, false);
    // The fade darkens the title until it is fully in.
    const int32_t shown = std::clamp(page.resultsFade, 0, 255);
    if (shown < 255) fillRectWithColourTile(0, titleY - 30, 800, 60, (255 - shown) << 24);
  }
  if (phase >= 3) {
    if (ASprite* panel = spriteAt(gradeSpriteSlot)) panel->paintFrame(g, 1, 400, 240, 0, 0, 0);
    const int32_t top = shellStatics().IMenus.menuTop;
    for (int32_t row = 0; row <= page.resultsRow && row < rowCount(); ++row) paintResultsRow(row, top + 30 * row);
    if (!states().messageBoxShown) {
      addTouchArea(2, 2, 796, 476, fullScreenArea);
      touch().touchAreasComplete = true;
    }
  }
  if (phase >= 4) {
    drawText(rowFontSlot, 1, getText(244), 400, shellStatics().IMenus.menuBottom, rightTop);
    if (CVLibPlayer* anim = page.resultsAnim; anim != nullptr && anim->sprite != nullptr) {
      // The lowest grade gets a shadow.
      if (result(12) < 1) {
        anim->sprite->setPalette(1);
        paintGrade(anim, 1, 1);
      }
      anim->sprite->setPalette(0);
      paintGrade(anim, 0, 0);
    }
  }
  if (phase == 5 && !gameOver(nextChapter(shellStatics().cGameProgress.chapter)) && (loop().paintTick & 512) != 0)
    drawText(rowFontSlot, 0, getText(41), 400, 446, centre);
}

void cGame::paintResultsRow(int32_t row, int32_t y) {
  const int32_t label = rowField(row, 0);
  const int32_t countIndex = rowField(row, 1);
  const int32_t scoreIndex = rowField(row, 2);
  const bool total = label == totalLabel;
  const int32_t fontSlot = total ? titleFontSlot : rowFontSlot;
  drawText(fontSlot, total ? 4 : 1, getText(label), 40, y, leftBottom);
  ASprite* font = spriteAt(fontSlot);
  if (countIndex >= 0) drawNumber(font, 1, result(countIndex), 400, y);
  const int32_t score = result(scoreIndex);
  drawNumber(font, score < 0 ? 5 : 1, score, 760, y);
}
