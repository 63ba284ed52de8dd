// GameState 14, the frame of play: which mode owns the update (a cinematic,
// the two-option choice, a timed event, the cutscene's hold, the timer
// ring's turn, or normal play), the world's time step, the way into the
// in-game menu, and the order the scene is painted in.
#include <bit>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"

using namespace shell;

namespace {

// The side view's world never steps further than this in one frame.
constexpr int32_t longestSideViewStep = 50;
constexpr int32_t leftSoftkeyBit = 18;
constexpr int32_t keyBits = 0xFFFFFF;  // bits 23..0 of the released keys
constexpr int32_t menuCornerArea = 1001;
constexpr int32_t inGameMenuMemory = 2;
constexpr int32_t ringDarkening = 0x70000000;
constexpr int32_t ringRunning = 1;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

cActorMC* focusCharacter() {
  cActor* focus = play().focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

bool foregroundCutscene() { return cGame::isCutsceneActive() && !shellStatics().cGameShared.fullSpeedAnimation; }

void moveCamera() {
  cGame::findCameraZone();
  cGame::updateCamera();
}

// Everything that lives while the player plays; a conversation line or an
// open interaction holds the popup, the actors, the marker and the cutscene.
void updateNormalPlay() {
  const int32_t step = loop().timeStep;
  if (CVLibPlayer* overlay = play().overlayPlayer) {
    overlay->update(shellStatics().cGameShared.fullSpeedAnimation ? step : step * 10 / 16);
  }
  cGame::updateFallingParticles();
  cGame::updateNotice();
  cGame::updateEffects();
  cGame::updateConversation();
  if (exceptionPending()) return;
  cGame::updateInteraction();
  if (exceptionPending()) return;
  if (!cGame::isConversationActive() && !cGame::isInteractionActive()) {
    cGame::updatePopup();
    cActor::updateAll();
    if (exceptionPending()) return;
    cGame::updateActionMarker();
    cGame::stepCutscene();
    if (exceptionPending()) return;
  }
  cGame::updateCountdown();
  moveCamera();
}

// False when the frame ends early.
bool updatePlayModes() {
  cGamePlayStatics& state = play();
  if (cGame::isCinematicActive()) {
    state.menuBlocked = true;
    cGame::updateCinematic();
    return true;
  }
  if (cGame::isChoiceActive()) {
    state.menuBlocked = false;
    cGame::updateChoice();
    return true;
  }
  if (cGame::updateTimedEvent()) {
    state.menuBlocked = true;
    cActor::updateAll();
    return true;
  }
  if (foregroundCutscene()) {
    state.menuBlocked = true;
  } else {
    cActorMC* focus = focusCharacter();
    state.menuBlocked = focus != nullptr && focus->isDefeated();
  }
  if (cGame::handleCinematicSkip()) return false;
  cGame::updateTimerRing();
  if (cGame::isCutsceneHolding()) {
    cGame::stepCutscene();
    moveCamera();
  } else if (cGame::isRingFrozen()) {
    moveCamera();
  } else {
    updateNormalPlay();
  }
  if (exceptionPending()) return false;
  cGame::clampCameraAtBlockers();
  return true;
}

}  // namespace

void cGameWorld::stateInGame(int32_t message) {
  switch (message) {
    case StateMessage::enter:
      box().leftSoftkey = -2;
      box().rightSoftkey = -1;
      loading().loadProfile = LoadProfile::keepCount;
      break;
    case StateMessage::update:
      updateInGame();
      break;
    case StateMessage::paint:
      paintInGame();
      break;
    default:
      break;
  }
}

void cGameWorld::updateInGame() {
  cGame::updateKeySequence();
  cGamePlayStatics& state = play();
  state.cameraPixelX = CVLibPlayer::getLayerScrollX(0);
  state.cameraPixelY = CVLibPlayer::getLayerScrollY(0);
  cGameLoopStatics& frame = loop();
  frame.timeStep = frame.frameTime;
  if (shellStatics().cGameProgress.sideViewMode && frame.frameTime >= longestSideViewStep) {
    frame.timeStep = longestSideViewStep;
  }
  if (foregroundCutscene()) {
    state.behavioursEnabled = false;
  } else {
    const int32_t phase = cGame::timedPhase();
    state.behavioursEnabled = phase == -1 || phase == -2;
  }
  // The cutscene's skip control may take the whole frame, the menu included.
  if (!updatePlayModes() || exceptionPending()) return;
  openInGameMenuIfAsked();
}

void cGameWorld::openInGameMenuIfAsked() {
  const int32_t released = keys().frameReleased & keyBits;
  bool open = released != 0 && 31 - std::countl_zero(static_cast<uint32_t>(released)) == leftSoftkeyBit;
  cGameTouchStatics& pointer = touch();
  if (!open) {
    const bool resumed = loop().forcePaint && !states().menuSuspended;
    const bool cornerTapped = pointer.touchedOverlayArea != nullptr &&
                              pointer.touchedOverlayArea->id == menuCornerArea && pointer.pointerWasReleased;
    open = resumed || cornerTapped;
  }
  if (!open) return;
  pointer.touchedOverlayArea = nullptr;
  pointer.pointerWasReleased = false;
  // A blocked menu still takes the tap, so it does not reach the scene.
  if (play().menuBlocked) return;
  states().menuSuspended = true;
  cGame::stopAllSounds();
  cGame::setNextState(GameState::inGameMenu);
  if (IntArray* memory = menu().menuMemory) memory->set(inGameMenuMemory, -1);
}

void cGameWorld::paintInGame() {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  play().highlightPresent = false;
  g->setClip(0, 0, 800, 480);
  CVLibPlayer::paintLayers(g, 0, 0, 0);
  CVLibPlayer::paintLayers(g, 0, 0, 2);
  // A close-up or a race has a screen of its own instead of the scene.
  if (cGame::isInteractionActive() && !cGame::interactionOverWorld()) {
    cGame::paintTimerOverlay();
    cGame::paintInteraction();
    cGame::paintInfoBox();
    cGame::paintEffects();
    cGame::paintConversation();
    cGame::paintTimedEvent();
    cGame::paintCinematic();
    return;
  }
  if (play().ringMode == ringRunning) cGame::fillRectWithColourTile(0, 0, 800, 480, ringDarkening);
  cActor::paintLayer(0);
  if (exceptionPending()) return;
  if (cActorMC* focus = focusCharacter()) focus->paintExtras();
  cActorEnemy::paintCones();
  // The layer over the scene shows only outside the camera's zones.
  if (cGame::isOutsideZones()) CVLibPlayer::paintLayers(g, 0, 0, 3);
  cGame::paintActorMarker();
  cGame::paintActorBalloons();
  cGame::paintConversation();
  cGame::paintEffects();
  cGame::paintHudButtons();
  cGame::paintPopup();
  if (worldStatics().cGameEffects.particleMode != 0) {
    g->setClip(0, 0, 800, 480);
    cGame::paintFallingParticles();
  }
  cGame::paintTimerRing();
  cGame::paintChoice();
  cGame::paintTimerOverlay();
  if (cGame::isInteractionActive()) {
    cGame::paintInteraction();
    cGame::paintConversation();
  }
  cGame::paintInfoBox();
  cGame::paintTimedEvent();
  cGame::paintCinematic();
}
