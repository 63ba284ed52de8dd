// The cinematic screen: black bars close over the scene, a black screen
// shows a text, a scrolling narration with a typed caption or the game-over
// choice, and the bars open again. It restarts the player at a checkpoint,
// ends a chapter, and hands a deferred cutscene start on when it closes.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/GameStatics.h"
#include "game/shell/GameState.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;

namespace {

namespace kind {
inline constexpr int32_t restart = 0, message = 1, gameOver = 2, chapterEnd = 3, narration = 4;
}
namespace phase {
inline constexpr int32_t closed = -1, closing = 0, opening = 1, dark = 2, text = 3, narration = 4, choice = 5;
}

constexpr int32_t forever = 0x7FFFFFFF;
constexpr int32_t barMs = 400;
constexpr int32_t screenW = 800;
constexpr int32_t screenH = 480;
constexpr int32_t textOffset = 272;
constexpr int32_t roomTitleOffset = 171;
constexpr int32_t chapterEndText = 49;
constexpr int32_t continueText = 41;
constexpr int32_t gameOverText = 43;
constexpr int32_t retryQuestionText = 102;
constexpr int32_t narratorText = 149;
// The two game-over buttons' labels: retry, main menu.
constexpr int32_t optionLabels[2] = {contentrequirement::yesText, contentrequirement::noText};
constexpr int32_t gameOverMusic = 4;
constexpr int32_t chapterEndMusic = 3;
constexpr int32_t textFontSlot = 5;
constexpr int32_t titleFontSlot = 6;
constexpr int32_t backdropSlot = 3;
constexpr int32_t backdropFrame = 1;
constexpr int32_t backdropAlpha = 114;
constexpr int32_t buttonSlot = 50;
// The button's face, and its face while a finger is down on it.
constexpr int32_t buttonFrame = 40;
constexpr int32_t buttonPressedFrame = 41;
constexpr int32_t selectionRim = 0xF0C040;
constexpr int32_t continueArea = 202;
constexpr int32_t firstOptionArea = 10;
constexpr int32_t partnerOffsetY = 20;
// The narration: its window, where a text starts and how fast it scrolls
// and types (24.8 per frame).
constexpr int32_t narrationWrap = 736;
constexpr int32_t narrationTop = 110;
constexpr int32_t narrationStart = 410;
constexpr int32_t narrationWindow = 300;
constexpr int32_t narrationFloor = 220;
constexpr int32_t scrollStep = 6 << 8;
constexpr int32_t typeStep = 128;
constexpr int32_t captionRight = 715;
constexpr int32_t captionTop = 387;
// GameKeys.
constexpr int32_t okKeys[] = {5, 11};
constexpr int32_t upKeys[] = {1, 8};
constexpr int32_t downKeys[] = {2, 14};
constexpr int32_t sideKeys[] = {3, 10, 4, 12};
constexpr int32_t leftSoftkey = 18;
// Anchors of the sprite fonts: centred both ways, top and centre, top-left.
constexpr int32_t centred = 3;
constexpr int32_t topCentre = 17;
constexpr int32_t topLeft = 20;

cGameCinematicStatics& cine() { return storyStatics().cGameCinematic; }

bool anyKey(const int32_t* first, const int32_t* last, bool (*test)(int32_t)) {
  return std::any_of(first, last, test);
}

// The id of the area (or overlay area) a released touch landed on, -1 none.
int32_t releasedArea(bool overlay) {
  const cGameTouchStatics& pointer = touch();
  const SensibleRectangle* area = overlay ? pointer.touchedOverlayArea : pointer.touchedArea;
  return area != nullptr && pointer.pointerWasReleased ? area->id : -1;
}

void clearAllInput() {
  cGame::clearInput();
  cGame::clearTouchState();
}

int32_t textHeight(const ASprite* font, ShortArray* lines) {
  const int32_t count = lines != nullptr && lines->length() > 0 ? lines->get(0) : 0;
  return std::max((font->getLineHeight() + font->getLineGap()) * count - font->getLineGap(), 0);
}

void paintText(ASprite* font, String* text, int32_t wrap, int32_t x, int32_t y, int32_t anchor, int32_t limit = -1) {
  if (font == nullptr || text == nullptr) return;
  cGame::paintTextBox(font, loop().graphics, text, font->wrapText(text, wrap), x, y, 0, -1, anchor, limit);
}

void paintFrameOf(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  if (sprite != nullptr && frame < sprite->getFrameCount())
    spritePainterCalls().paintFrame(sprite, loop().graphics, frame, x, y, 0);
}

void blackScreen(javax_microedition_lcdui_Graphics* g) {
  g->setColor(0);
  g->fillRect(0, 0, screenW, screenH);
}

// Shown in alternate 512 ms periods of the tick count.
void paintContinuePrompt() {
  if ((loop().paintTick & 512) == 0) return;
  ASprite* font = spriteAt(titleFontSlot);
  if (font == nullptr) return;
  font->setPalette(1);
  paintText(font, cGame::getText(continueText), screenW, 400, 445, centred);
}

int32_t captionLength() {
  const String* caption = cine().narrationCaption;
  return caption != nullptr ? caption->length() : 0;
}

void prepareNarration(int32_t text) {
  cGameCinematicStatics& c = cine();
  c.narrationLines = nullptr;
  c.narrationHeight = 0;
  c.narrationScroll = narrationTop << 8;
  ASprite* font = spriteAt(textFontSlot);
  String* body = text >= 0 ? cGame::getText(text + textOffset) : nullptr;
  if (body != nullptr && font != nullptr) {
    c.narrationLines = font->wrapTextToString(body, narrationWrap);
    const int32_t h = c.narrationLines != nullptr ? textHeight(font, font->wrapText(c.narrationLines, screenW)) : 0;
    c.narrationHeight = std::max(h, narrationWindow);
    c.narrationScroll = narrationStart << 8;
  }
  String* lead = stringLiteral(static_cast<int32_t>(LiteralId::narrationCaptionLead));
  String* narrator = cGame::getText(narratorText);
  c.narrationCaption = lead != nullptr && narrator != nullptr ? lead->concat(narrator) : narrator;
  c.narrationTyped = 0;
}

// The text scrolls in, then the caption types itself out; a text taller
// than the window can be scrolled by the held up and down keys.
void moveNarration() {
  cGameCinematicStatics& c = cine();
  const int32_t top = narrationTop << 8;
  const int32_t lowest = (narrationFloor - c.narrationHeight) << 8;
  bool typing = c.narrationTyped > 0;
  if (!typing) {
    if (c.narrationScroll > top) c.narrationScroll = std::max({c.narrationScroll - scrollStep, top, lowest});
    typing = c.narrationScroll <= std::max(top, lowest);
  } else if (c.narrationHeight > narrationWindow) {
    if (anyKey(std::begin(upKeys), std::end(upKeys), cGame::isKeyHeld))
      c.narrationScroll = std::min(c.narrationScroll + scrollStep, top);
    if (anyKey(std::begin(downKeys), std::end(downKeys), cGame::isKeyHeld))
      c.narrationScroll = std::max(c.narrationScroll - scrollStep, lowest);
  }
  // To the caption's full length: its last character is typed too.
  if (typing) c.narrationTyped = std::min(c.narrationTyped + typeStep, captionLength() << 8);
}

// The focus actor back at the checkpoint, its partners beside it, and the
// camera on it at once.
void restartAtCheckpoint() {
  cGameCinematicStatics& c = cine();
  cGamePlayStatics& play = worldStatics().cGamePlay;
  cActor* focus = play.focusActor;
  cActor* checkpoint = c.restartActor;
  if (focus == nullptr || checkpoint == nullptr) return;
  const int32_t x = checkpoint->param(4);
  const int32_t y = checkpoint->param(5);
  const int32_t facing = cActor::oppositeDirection(checkpoint->param(0));
  auto restartCharacter = [facing](cActor* actor, int32_t px, int32_t py) {
    actor->setX(px << 8);
    actor->setY(py << 8);
    if (Object::instanceOf(actor, classid::cActorMC) == 0) return;
    auto* character = static_cast<cActorMC*>(actor);
    character->setFacing(facing);
    character->setState(character->state);
  };
  restartCharacter(focus, x, y);
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor == focus || actor->kind != ActorKind::PLAYER || Object::instanceOf(actor, classid::cActorMC) == 0)
      continue;
    auto* partner = static_cast<cActorMC*>(actor);
    const bool linked = partner->companion == focus ||
                        (Object::instanceOf(focus, classid::cActorMC) != 0 &&
                         static_cast<cActorMC*>(focus)->companion == partner);
    if (linked) restartCharacter(partner, x, y - partnerOffsetY);
  }
  cGameCameraStatics& cam = worldStatics().cGameCamera;
  if (cActor* target = cam.cameraTarget != nullptr ? cam.cameraTarget : focus) {
    cam.cameraX = target->x - (screenW / 2 << 8);
    cam.cameraY = target->y - (screenH / 2 << 8);
  }
  cGame::clampCameraToZone();
  cGame::positionMapLayers();
  play.lastFocusX = focus->getPixelX();
  play.lastFocusY = focus->getPixelY();
}

// The bars open from fully closed, whatever time the text or wait took.
void startOpening() {
  cine().cinematicPhase = phase::opening;
  cine().cinematicElapsed = 0;
}

void confirm() {
  cGameCinematicStatics& c = cine();
  switch (c.cinematicKind) {
    case kind::chapterEnd:
      loading().loadProfile = LoadProfile::leaveWorld;
      loading().stateAfterLoading = GameState::results;
      cGame::setNextState(GameState::loading);
      c.cinematicElapsed = 0;
      return;
    case kind::restart:
      startOpening();
      restartAtCheckpoint();
      return;
    case kind::message:
    case kind::narration: {
      if (c.cinematicKind == kind::narration) c.cinematicPhase = phase::closed;
      else startOpening();
      if (c.cinematicCameraX != -1 || c.cinematicCameraY != -1) {
        cGame::setCameraPixelPosition(c.cinematicCameraX, c.cinematicCameraY);
        cGame::setCameraFollow(worldStatics().cGamePlay.focusActor);
      }
      if (storyStatics().cGameCutscene.deferredCutscene >= 0) {
        cGame::takeUpDeferredCutscene();
        cGame::updateCamera();
      }
      if (c.cinematicKind == kind::narration) {
        c.narrationCaption = nullptr;
        c.narrationLines = nullptr;
        clearAllInput();
      }
      return;
    }
    default:
      return;
  }
}

void updateTextOrNarration() {
  cGameCinematicStatics& c = cine();
  if (c.cinematicPhase == phase::narration) moveNarration();
  c.cinematicElapsed += loop().frameTime;
  // The chapter's end shows its own text whatever id it was given.
  const bool withText = c.cinematicText >= 0 || c.cinematicKind == kind::chapterEnd;
  bool confirmed;
  if (withText) {
    confirmed = anyKey(std::begin(okKeys), std::end(okKeys), cGame::isKeyPressed) ||
                releasedArea(false) == continueArea;
    if (confirmed) clearAllInput();
  } else {
    confirmed = c.cinematicElapsed >= c.cinematicDuration;
  }
  if (c.cinematicPhase == phase::narration) {
    confirmed = cGame::isKeyPressed(leftSoftkey) || releasedArea(true) == continueArea;
  }
  if (confirmed) confirm();
}

void takeGameOverOption(int32_t option) {
  cGameCinematicStatics& c = cine();
  c.gameOverOption = option;
  clearAllInput();
  cGame::stopAllSounds();
  if (option == 0) {
    c.cinematicPhase = phase::closed;
    cGame::restoreRoomSnapshot();
    cGame::updateCamera();
    return;
  }
  loading().loadProfile = LoadProfile::leaveWorld;
  loading().stateAfterLoading = GameState::mainMenu;
  cGame::setNextState(GameState::loading);
}

void updateGameOverChoice() {
  if (cGame::isAnchoredPanelActive()) cGame::closeAnchoredPanel();
  if (cGame::isCutsceneActive()) cGame::endCutscene(cGame::currentCutscene());
  cGameCinematicStatics& c = cine();
  if (anyKey(std::begin(sideKeys), std::end(sideKeys), cGame::isKeyReleased)) c.gameOverOption ^= 1;
  const int32_t option = releasedArea(false) - firstOptionArea;
  if (option == 0 || option == 1) takeGameOverOption(option);
}

void paintBars(javax_microedition_lcdui_Graphics* g, int32_t h) {
  g->setColor(0);
  g->fillRect(0, 0, screenW, h);
  g->fillRect(0, screenH - h, screenW, h);
}

void paintTextScreen(javax_microedition_lcdui_Graphics* g) {
  const cGameCinematicStatics& c = cine();
  blackScreen(g);
  const int32_t text = c.cinematicKind == kind::chapterEnd ? chapterEndText
                       : c.cinematicText >= 0          ? c.cinematicText + textOffset
                                                       : -1;
  if (ASprite* font = spriteAt(textFontSlot); font != nullptr && text >= 0) {
    font->setPalette(1);
    paintText(font, cGame::getText(text), 780, 400, 240, centred);
  }
  paintContinuePrompt();
  cGame::addTouchArea(2, 2, 796, 476, continueArea);
  touch().touchAreasComplete = true;
}

void paintNarration(javax_microedition_lcdui_Graphics* g) {
  const cGameCinematicStatics& c = cine();
  blackScreen(g);
  if (ASprite* backdrop = spriteAt(backdropSlot)) {
    cGame::enableEffect(effect::alpha, false);
    cGame::setEffectParameter(effect::alpha, 1, backdropAlpha);
    paintFrameOf(backdrop, backdropFrame, 400, 240);
    cGame::clearEffects(0xDE0);
  }
  if (ASprite* title = spriteAt(titleFontSlot)) {
    title->setPalette(1);
    const int32_t room = cGame::getProgress(shellStatics().cGameProgress.chapter);
    paintText(title, cGame::getText(room + roomTitleOffset), screenW, 400, 26, topCentre);
  }
  if (ASprite* font = spriteAt(textFontSlot)) {
    font->setPalette(1);
    if (c.narrationLines != nullptr) {
      g->setClip(30, narrationTop, 740, narrationWindow);
      paintText(font, c.narrationLines, screenW, 400, (c.narrationScroll + 128) >> 8, topCentre);
      g->setClip(0, 0, screenW, screenH);
    }
    if (String* caption = c.narrationCaption) {
      ShortArray* lines = font->wrapText(caption, screenW);
      const int32_t width = lines != nullptr && lines->length() > 2 ? lines->get(2) : 0;
      cGame::paintTextBox(font, g, caption, lines, captionRight - width, captionTop, 0, -1, topLeft,
                          c.narrationTyped >> 8);
    }
  }
  cGame::addOverlayTouchArea(2, 2, 796, 476, continueArea);
  touch().overlayAreasComplete = true;
  paintContinuePrompt();
}

void paintGameOver(javax_microedition_lcdui_Graphics* g) {
  const cGameCinematicStatics& c = cine();
  blackScreen(g);
  if (ASprite* title = spriteAt(titleFontSlot)) {
    title->setPalette(0);
    paintText(title, cGame::getText(gameOverText), 400, 400, 240, centred);
  }
  ASprite* font = spriteAt(textFontSlot);
  if (font != nullptr) {
    font->setPalette(1);
    paintText(font, cGame::getText(retryQuestionText), screenW, 400, 350, topCentre);
  }
  ASprite* buttons = spriteAt(buttonSlot);
  const bool withButton = buttons != nullptr && buttonFrame < buttons->getFrameCount();
  const int32_t bw = withButton ? buttons->getFrameWidth(buttonFrame) : 0;
  const int32_t bh = withButton ? buttons->getFrameHeight(buttonFrame) : 0;
  const cGameTouchStatics& pointer = touch();
  for (int32_t option = 0; option < 2; ++option) {
    const int32_t x = option == 0 ? 200 : 600;
    const int32_t y = 440;
    const int32_t area = firstOptionArea + option;
    const bool pressed = pointer.touchedArea != nullptr && pointer.touchedArea->id == area &&
                         (pointer.pointerIsDown || pointer.pointerDragging);
    const bool highlighted = option == c.gameOverOption;
    paintFrameOf(buttons, pressed ? buttonPressedFrame : buttonFrame, x, y);
    // The highlighted button gets a gold rim and a gold label.
    if (highlighted && withButton) {
      g->setColor(selectionRim);
      for (int32_t i = 3; i <= 5; ++i) g->drawRect(x - bw / 2 - i, y - bh / 2 - i, bw - 1 + 2 * i, bh - 1 + 2 * i);
    }
    cGame::addTouchArea(x - bw / 2, y - bh / 2, bw, bh, area);
    if (font != nullptr) {
      font->setPalette(highlighted && !pressed ? 0 : 1);
      paintText(font, cGame::getText(optionLabels[option]), bw > 0 ? bw : screenW, x, y, centred);
    }
  }
  touch().touchAreasComplete = true;
}

}  // namespace

void cGame::openCinematic(int32_t time, int32_t cinematicKind, int32_t text) {
  cGameCinematicStatics& c = cine();
  c.cinematicDuration = text >= 0 || time < 0 ? forever : time == 0 ? 1 : time;
  if (cinematicKind != kind::narration || text >= 0) {
    c.cinematicPhase = phase::closing;
    c.cinematicElapsed = 0;
  }
  discardDeferredCutscene();
  c.cinematicKind = cinematicKind;
  c.cinematicText = text;
  c.cinematicCameraX = -1;
  c.cinematicCameraY = -1;
  switch (cinematicKind) {
    case kind::gameOver:
      worldStatics().cGamePlay.damageFlashTime = 0;
      if (isAnchoredPanelActive()) closeAnchoredPanel();
      endCutscene(currentCutscene());
      playSound(gameOverMusic, false);
      break;
    case kind::chapterEnd:
      playSound(chapterEndMusic, false);
      computeResultScores();
      saveSettings();
      shellStatics().cGameProgress.finishedChapter = shellStatics().cGameProgress.chapter;
      break;
    case kind::narration:
      prepareNarration(text);
      break;
    default:
      break;
  }
  // Cleared and open again: areas frozen by the pad's last paint would
  // keep the screen's own out, and it could not be touched.
  if (touch().touchAreas != nullptr) touch().touchAreas->removeAllElements();
  touch().touchAreasComplete = false;
  clearTouchState();
  clearFrameKeys();
}

void cGame::setCinematicObject(cActor* actor) { cine().restartActor = actor; }

void cGame::setCinematicPosition(int32_t x, int32_t y) {
  cine().cinematicCameraX = x;
  cine().cinematicCameraY = y;
}

void cGame::setCinematicPhase(int32_t phase) { cine().cinematicPhase = phase; }

bool cGame::isCinematicActive() {
  const int32_t p = cine().cinematicPhase;
  return p >= phase::closing && p <= phase::choice;
}

int32_t cGame::cinematicPhase() { return cine().cinematicPhase; }

int32_t cGame::cinematicKind() { return isCinematicActive() ? cine().cinematicKind : -1; }

void cGame::setGameOverOption(int32_t option) { cine().gameOverOption = option == 1 ? 1 : 0; }

void cGame::closeCinematic() {
  cGameCinematicStatics& c = cine();
  c = cGameCinematicStatics{};
  c.cinematicPhase = phase::closed;
  c.cinematicText = -1;
  c.cinematicCameraX = -1;
  c.cinematicCameraY = -1;
  discardDeferredCutscene();
}

void cGame::updateCinematic() {
  cGameCinematicStatics& c = cine();
  const int32_t frameTime = loop().frameTime;
  switch (c.cinematicPhase) {
    case phase::closing:
      c.cinematicElapsed += frameTime;
      if (c.cinematicElapsed >= barMs) {
        c.cinematicElapsed = 0;
        c.cinematicPhase = c.cinematicKind == kind::chapterEnd ? phase::text : phase::dark;
      }
      break;
    case phase::opening:
      c.cinematicElapsed += frameTime;
      if (c.cinematicElapsed >= barMs) {
        c.cinematicPhase = phase::closed;
        c.cinematicElapsed = 0;
      }
      break;
    case phase::dark:
      c.cinematicElapsed += frameTime;
      skipCutscene();
      if (c.cinematicKind == kind::narration) {
        c.cinematicPhase = phase::narration;
        c.narrationTyped = 0;
        // The frames since the screen opened may have completed the overlay
        // areas with the HUD's softkeys; the narration's own full-screen
        // area must be the one its first paint registers, or no touch could
        // ever end it.
        cGame::clearTouchState();
      } else if (c.cinematicKind == kind::gameOver) {
        c.cinematicPhase = phase::choice;
        c.gameOverOption = 0;
      } else {
        c.cinematicPhase = phase::text;
      }
      c.cinematicElapsed = 0;
      break;
    case phase::text:
    case phase::narration:
      updateTextOrNarration();
      break;
    case phase::choice:
      updateGameOverChoice();
      break;
    default:
      break;
  }
}

void cGame::paintCinematic() {
  if (!isCinematicActive()) return;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  const cGameCinematicStatics& c = cine();
  g->setClip(0, 0, screenW, screenH);
  const int32_t closedHeight = std::clamp(c.cinematicElapsed, 0, barMs) * (screenH / 2) / barMs;
  switch (c.cinematicPhase) {
    case phase::closing: paintBars(g, closedHeight); break;
    case phase::opening: paintBars(g, screenH / 2 - closedHeight); break;
    case phase::dark: blackScreen(g); break;
    case phase::text: paintTextScreen(g); break;
    case phase::narration: paintNarration(g); break;
    case phase::choice: paintGameOver(g); break;
    default: break;
  }
}
