// Conversations: lines wait in a ring of 15 slots and are shown one at a
// time in a box across the lower screen, with the speaker's portrait and
// name. A line may carry an action run when it is dismissed, or be a
// question whose answers are taken by touch. While a line is up the player
// character has no control.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActor.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/lang/DebugLog.h"

using namespace shell;

namespace {

constexpr int32_t slots = cGameConversationStatics::slots;
constexpr int32_t textOffset = 272;
constexpr int32_t nameOffset = 147;
constexpr int32_t fontSlot = 5;
constexpr int32_t portraitSlot = 11;
constexpr int32_t buttonSlot = 50;
constexpr int32_t iconSlot = 27;
constexpr int32_t nextIconAnim = 14;
constexpr int32_t iconAnim = 75;
constexpr int32_t boxArea = 201;
constexpr int32_t firstAnswerArea = 100;
constexpr int32_t balloonLiteral = 176;
constexpr int32_t framesBeforeAdvance = 15;
constexpr int32_t boxColour = static_cast<int32_t>(0xC0000000);
constexpr int32_t white = 0xFFFFFF;
constexpr int32_t screenW = 800;
constexpr int32_t screenH = 480;
// GameKeys: OK, previous and next answer.
constexpr int32_t okKeys[] = {5, 11};
constexpr int32_t previousKeys[] = {8, 1};
constexpr int32_t nextKeys[] = {14, 2};
constexpr int32_t buttonFrame = 42;
constexpr int32_t buttonPressedFrame = 43;

cGameConversationStatics& talk() { return storyStatics().cGameConversation; }

int32_t slotValue(IntArray* a, int32_t slot) {
  return a != nullptr && slot >= 0 && slot < a->length() ? a->get(slot) : -1;
}
void setSlot(IntArray* a, int32_t slot, int32_t value) {
  if (a != nullptr && slot >= 0 && slot < a->length()) a->set(slot, value);
}

bool eitherPressed(const int32_t (&keys)[2]) { return cGame::isKeyPressed(keys[0]) || cGame::isKeyPressed(keys[1]); }

// The id of the area a released touch landed on, -1 without one.
int32_t releasedArea() {
  const cGameTouchStatics& pointer = touch();
  return pointer.touchedArea != nullptr && pointer.pointerWasReleased ? pointer.touchedArea->id : -1;
}

CVLibPlayer* makeIcon(int32_t anim) {
  CVLibPlayer* icon = newObject<CVLibPlayer>();
  if (icon == nullptr) return nullptr;
  icon->setSprite(spriteAt(anim == iconAnim ? iconSlot : buttonSlot));
  icon->setAnim(anim, -1);
  return icon;
}

int32_t textHeight(const ASprite* font, int32_t lines) {
  return (font->getLineHeight() + font->getLineGap()) * lines - font->getLineGap();
}
int32_t lineCount(ShortArray* lines) { return lines != nullptr && lines->length() > 0 ? lines->get(0) : 0; }

void paintTextBlock(ASprite* font, String* text, int32_t width, int32_t x, int32_t y, int32_t anchor) {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ShortArray* lines = font->wrapText(text, width);
  cGame::paintTextBox(font, g, text, lines, x, y, 0, -1, anchor, -1);
}

void paintFrameOf(int32_t slot, int32_t frame, int32_t x, int32_t y) {
  if (ASprite* sprite = spriteAt(slot)) spritePainterCalls().paintFrame(sprite, loop().graphics, frame, x, y, 0);
}

// The translucent band of the box with a white line at its top and bottom.
void paintBand(int32_t top, int32_t h) {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  g->setClip(0, top, screenW, h);
  cGame::fillRectWithColourTile(0, top, screenW, h - 1, boxColour);
  g->setColor(white);
  g->drawLine(0, top, screenW - 1, top);
  g->drawLine(0, top + h - 1, screenW - 1, top + h - 1);
}

// The name centred on x from y (moved up by half its extra lines) and the
// portrait at (portraitX, y).
void paintSpeaker(ASprite* font, int32_t speaker, int32_t width, int32_t x, int32_t centreY, int32_t portraitX) {
  String* name = cGame::getText(speaker + nameOffset);
  if (name == nullptr) return;
  font->setPalette(0);
  // Centred on x, a line wider than twice x would run off the screen's left
  // edge: such a name breaks into more lines instead.
  ShortArray* lines = font->wrapText(name, std::min(width, 2 * x - 8));
  const int32_t y = centreY - (font->getLineHeight() + font->getLineGap()) * (lineCount(lines) - 1) / 2;
  cGame::paintTextBox(font, loop().graphics, name, lines, x, y, 0, -1, 17, -1);
  paintFrameOf(portraitSlot, cGame::speakerPortrait(speaker), portraitX, y);
}

void takeAnswer(int32_t i) {
  cGameConversationStatics& c = talk();
  const bool right = i == c.answerRight;
  const int32_t action = right ? c.answerRightAction : c.answerWrongAction;
  debugLog("cGame: answer %d (%s)", i, right ? "right" : "wrong");
  c.answerChosen = i;
  touch().touchedArea = nullptr;
  cGame::clearFrameKeys();
  cGame::dismissConversationLine();
  cGame::clearInput();
  c.answerTexts = nullptr;
  c.answerChosen = -1;
  if (action > 0) {
    if (cGame::isCutsceneActive()) cGame::endCutscene(cGame::currentCutscene());
    cGame::runAction(cGame::findActionById(action));
  }
}

void updateAnswers() {
  cGameConversationStatics& c = talk();
  const int32_t count = c.answerTexts->length();
  if (count <= 0) return;
  if (eitherPressed(previousKeys)) c.answerChosen = (count + c.answerChosen - 1) % count;
  if (eitherPressed(nextKeys)) c.answerChosen = (c.answerChosen + 1) % count;
  const int32_t i = releasedArea() - firstAnswerArea;
  if (i >= 0 && i < count) takeAnswer(i);
}

}  // namespace

void cGame::initConversationQueue() {
  cGameConversationStatics& c = talk();
  c.conversationTexts = newIntArray(slots);
  c.conversationActions = newIntArray(slots);
  c.conversationSpeakers = newIntArray(slots);
  c.conversationBalloonActors = newIntArray(slots);
  if (c.conversationTexts != nullptr) {
    for (int32_t slot = 0; slot < slots; ++slot) c.conversationTexts->set(slot, -1);
  }
  c.conversationRead = 0;
  c.conversationWrite = 0;
  c.conversationFrames = 0;
  c.conversationMayAdvance = false;
  c.answerTexts = nullptr;
  c.answerChosen = -1;
  c.answerLine = -1;
  c.conversationNextIcon = makeIcon(nextIconAnim);
  c.conversationIcon = makeIcon(iconAnim);
}

void cGame::resetConversation() {
  cGameConversationStatics& c = talk();
  c = cGameConversationStatics{};
  c.answerChosen = -1;
  c.answerLine = -1;
}

bool cGame::isConversationActive() {
  const cGameConversationStatics& c = talk();
  return slotValue(c.conversationTexts, c.conversationRead) >= 0;
}

bool cGameStory::isConversationQueueFull() {
  return talk().conversationWrite == talk().conversationRead && cGame::isConversationActive();
}

bool cGameStory::isConversationQueueIdle() {
  return talk().conversationWrite == talk().conversationRead && !cGame::isConversationActive();
}

int32_t cGame::queueConversationLine(int32_t text, int32_t action, int32_t speaker, int32_t balloonActor) {
  cGameConversationStatics& c = talk();
  if (c.conversationTexts == nullptr || text < 0 || isConversationQueueFull()) return -1;
  const int32_t slot = c.conversationWrite;
  setSlot(c.conversationTexts, slot, text + textOffset);
  setSlot(c.conversationActions, slot, action);
  setSlot(c.conversationSpeakers, slot, speaker);
  setSlot(c.conversationBalloonActors, slot, balloonActor);
  setPlayerControl(false);
  debugLog("cGame: line %d", text);
  c.conversationWrite = (c.conversationWrite + 1) % slots;
  if (!isConversationActive()) c.conversationRead = (c.conversationRead + 1) % slots;
  clearInput();
  clearTouchState();
  return slot;
}

void cGame::queueConversationQuestion(int32_t text, int32_t speaker, int32_t balloonActor, IntArray* answers,
                                      int32_t count, int32_t right, int32_t rightAction, int32_t wrongAction) {
  // One question at a time: a second one would take the first one's answers.
  if (talk().answerTexts != nullptr || answers == nullptr || count <= 0 || count > answers->length()) return;
  if (right < 0 || right >= count) return;
  const int32_t slot = queueConversationLine(text, -1, speaker, balloonActor);
  if (slot < 0) return;
  setConversationAnswers(answers, count, right, rightAction, wrongAction, slot);
  // The answers' areas come with the next paint; input clears as a cutscene
  // start clears it, which leaves the in-game menu's own alone.
  if (touch().touchAreas != nullptr) touch().touchAreas->removeAllElements();
  if (!states().menuSuspended) {
    clearInput();
    clearTouchState();
  }
  talk().answerChosen = -1;
}

void cGameStory::setConversationAnswers(IntArray* answers, int32_t count, int32_t right, int32_t rightAction,
                                        int32_t wrongAction, int32_t line) {
  cGameConversationStatics& c = talk();
  if (c.answerTexts == nullptr) c.answerTexts = newIntArray(count);
  if (c.answerTexts == nullptr) return;
  const int32_t n = std::min({count, c.answerTexts->length(), answers->length()});
  for (int32_t i = 0; i < n; ++i) c.answerTexts->set(i, answers->get(i) + textOffset);
  c.answerRight = right;
  c.answerRightAction = rightAction;
  c.answerWrongAction = wrongAction;
  c.answerLine = line;
  c.answerChosen = 0;
}

bool cGameStory::isAnswerPending() {
  const cGameConversationStatics& c = talk();
  return c.answerTexts != nullptr && c.answerLine == c.conversationRead;
}

int32_t cGameStory::speakerPortrait(int32_t code) {
  switch (code) {
    case 1: return 21;
    case 2: return 22;
    case 5: return 24;
    case 6: return 23;
    case 10: return 26;
    case 11: return 27;
    default: return 25;
  }
}

void cGameStory::dismissConversationLine() {
  cGameConversationStatics& c = talk();
  const int32_t slot = c.conversationRead;
  c.conversationFrames = 0;
  c.conversationMayAdvance = false;
  cGame::setPlayerControl(true);
  cGame::clearInput();
  cGame::clearTouchState();
  setSlot(c.conversationTexts, slot, -1);
  const int32_t action = slotValue(c.conversationActions, slot);
  if (action > 0) runAction(findActionById(action));
  setSlot(c.conversationActions, slot, -1);
  setSlot(c.conversationSpeakers, slot, -1);
  setSlot(c.conversationBalloonActors, slot, -1);
  // From the dismissed slot, not from wherever a follow-up the action
  // queued has already moved the read index: moving on twice would pass
  // the follow-up by.
  c.conversationRead = (slot + 1) % slots;
}

void cGame::updateConversation() {
  cGameConversationStatics& c = talk();
  if (c.conversationTexts == nullptr) return;
  if (!isConversationActive()) {
    if (!isConversationQueueIdle()) c.conversationRead = (c.conversationRead + 1) % slots;
    return;
  }
  if (c.conversationIcon != nullptr) c.conversationIcon->update(loop().frameTime);
  if (isAnswerPending()) {
    updateAnswers();
    return;
  }
  if (!c.conversationMayAdvance) return;
  // Only a press begun while the line was up moves it on: a pad let go as
  // the line appeared would otherwise pass it by unread.
  const bool tapped = releasedArea() == boxArea && touch().pressSerial != c.linePressSerial;
  if (eitherPressed(okKeys) || tapped) {
    touch().touchedArea = nullptr;
    if (c.conversationNextIcon != nullptr) c.conversationNextIcon->update(loop().timeStep);
    dismissConversationLine();
    clearFrameKeys();
  }
}

void cGame::paintConversation() {
  cGameConversationStatics& c = talk();
  if (!isConversationActive()) return;
  if (++c.conversationFrames == 1) c.linePressSerial = touch().pressSerial;
  c.conversationMayAdvance = c.conversationFrames > framesBeforeAdvance;
  const int32_t slot = c.conversationRead;
  if (cActor* speaking = cActor::findById(slotValue(c.conversationBalloonActors, slot));
      speaking != nullptr && !isInteractionActive()) {
    speaking->clearBalloon();
    if (speaking->isOnScreen()) cActor::paintBalloon(speaking, stringLiteral(balloonLiteral), 0, 0);
  }
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* font = spriteAt(fontSlot);
  if (g == nullptr || font == nullptr) return;
  if (isAnswerPending()) {
    paintConversationQuestion();
    return;
  }
  String* text = getText(slotValue(c.conversationTexts, slot));
  const int32_t speaker = slotValue(c.conversationSpeakers, slot);
  const bool named = speaker >= 0 && getText(speaker + nameOffset) != nullptr;
  font->setPalette(1);
  ShortArray* lines = font->wrapText(text, named ? 610 : 780);
  const int32_t h = std::max(textHeight(font, lineCount(lines)) + 10, 195);
  const int32_t top = 380 - h / 2;
  paintBand(top, h);
  if (named) {
    paintTextBox(font, g, text, lines, 150, 380, 0, -1, 6, -1);
    paintSpeaker(font, speaker, 144, 70, 410, 70);
  } else {
    paintTextBox(font, g, text, lines, 400, 380, 0, -1, 3, -1);
  }
  if (c.conversationIcon != nullptr) {
    c.conversationIcon->x = 788;
    c.conversationIcon->y = top + h - 6;
  }
  g->setClip(0, 0, screenW, screenH);
  if (!states().menuSuspended) {
    addTouchArea(0, top, screenW, h, boxArea);
    touch().touchAreasComplete = true;
  }
  if (c.conversationMayAdvance && c.conversationNextIcon != nullptr) {
    c.conversationNextIcon->x = 760;
    c.conversationNextIcon->y = top + h - 17;
    c.conversationNextIcon->paint();
  }
}

void cGameStory::stepConversationIndicator() {
  if (CVLibPlayer* icon = talk().conversationNextIcon) icon->update(loop().timeStep);
}

void cGameStory::paintConversationQuestion() {
  cGameConversationStatics& c = talk();
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* font = spriteAt(fontSlot);
  if (g == nullptr || font == nullptr || c.answerTexts == nullptr) return;
  ASprite* buttons = spriteAt(buttonSlot);
  const bool withButton = buttons != nullptr && buttonFrame < buttons->getFrameCount();
  const int32_t bw = withButton ? buttons->getFrameWidth(buttonFrame) : 0;
  const int32_t bh = withButton ? buttons->getFrameHeight(buttonFrame) : 0;
  const int32_t count = c.answerTexts->length();
  String* question = cGame::getText(slotValue(c.conversationTexts, c.conversationRead));
  const int32_t q = textHeight(font, lineCount(font->wrapText(question, 593)));
  int32_t h = q + 126 + 20;
  for (int32_t i = 0; i < count; ++i)
    h += textHeight(font, lineCount(font->wrapText(cGame::getText(c.answerTexts->get(i)), 458))) + 63;
  h = std::max(h, 220);
  const int32_t top = 347 - h / 2;
  paintBand(top, h);
  font->setPalette(1);
  paintTextBlock(font, question, 593, 195, top + 10, 20);
  const cGameTouchStatics& pointer = touch();
  const int32_t centreX = 242 + bw / 2;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t y = top + q + 68 + 97 * i;
    const bool pressed = pointer.touchedArea != nullptr && pointer.touchedArea->id == firstAnswerArea + i &&
                         (pointer.pointerIsDown || pointer.pointerDragging);
    font->setPalette(pressed ? 1 : 0);
    if (!pressed) c.answerChosen = -1;
    paintFrameOf(buttonSlot, pressed ? buttonPressedFrame : buttonFrame, centreX, y);
    cGame::addTouchArea(242, y - bh / 2, bw, bh, firstAnswerArea + i);
    paintTextBlock(font, cGame::getText(c.answerTexts->get(i)), 458, centreX, y, 3);
  }
  const int32_t speaker = slotValue(c.conversationSpeakers, c.conversationRead);
  if (speaker >= 0) paintSpeaker(font, speaker, 189, 72, 361, 70);
  g->setClip(0, 0, screenW, screenH);
  touch().touchAreasComplete = true;
}
