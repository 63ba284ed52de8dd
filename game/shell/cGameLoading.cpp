// Loading runs (a profile's steps, one per update, with a progress bar) and
// the splash screen, which runs the first profile itself behind the logos.
#include <algorithm>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;

namespace {

constexpr int32_t splashMilliseconds = 8000;
constexpr int32_t firstLogoMilliseconds = 4000;
constexpr int32_t barWidth = 400;
constexpr int32_t splashTextId = 47;

// Steps per profile 0..6.
constexpr int32_t stepCounts[] = {6, 5, 0, 0, 25, 4, 3};

// The bar's filled width; a run of no steps shows full.
int32_t barFill() {
  const cGameLoadStatics& run = loading();
  if (run.loadStepCount <= 0) return barWidth;
  return std::clamp(run.loadStepIndex * barWidth / run.loadStepCount, 0, barWidth);
}

void paintLoadingBar(javax_microedition_lcdui_Graphics* g) {
  cGame::fillScreen(g, 0x000000);
  g->setColor(0xFFFFFF);
  g->drawRect(200, 368, barWidth, 28);
  g->setColor(0x900000);
  g->fillRect(201, 369, barFill() - 2, 27);
}

// The studio logo centred by its frame's bounds (frames drawn from the
// top-left corner or from their centre both land in the middle).
void paintFirstLogo(javax_microedition_lcdui_Graphics* g) {
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, 800, 480);
  ASprite* logo = spriteAt(0);
  IntArray* bounds = logo != nullptr ? newIntArray(4) : nullptr;
  if (bounds == nullptr) return;
  logo->getFrameBounds(bounds, 0, 0, 0, 0);
  const int32_t w = bounds->get(2) - bounds->get(0), h = bounds->get(3) - bounds->get(1);
  logo->paintFrame(g, 0, (800 - w) / 2 - bounds->get(0), (480 - h) / 2 - bounds->get(1), 0, 0, 0);
}

void paintSecondLogo(javax_microedition_lcdui_Graphics* g) {
  g->setColor(0x000000);
  g->fillRect(0, 0, 800, 480);
  ASprite* font = spriteAt(5);
  String* text = cGame::getText(splashTextId);
  ShortArray* lines = nullptr;
  int32_t h = 0;
  if (font != nullptr && text != nullptr) {
    font->setPalette(6);
    lines = font->wrapText(text, 780);
    if (lines != nullptr) h = lines->get(0) * (font->getLineHeight() + font->getLineGap());
  }
  ASprite* logo = spriteAt(1);
  const int32_t logoHeight = logo != nullptr ? logo->getFrameHeight(0) : 0;
  if (logo != nullptr) logo->paintFrame(g, 0, 400, 230 - h / 2, 0, 0, 0);
  if (lines != nullptr) cGame::paintTextBox(font, g, text, lines, 400, 230 + logoHeight / 2, 0, -1, 1, -1);
}

}  // namespace

void cGame::clinitLoading() {
  loading().stateAfterLoading = GameState::none;
  *stateHandlerSlot(GameState::splash) = &stateSplash;
  *stateHandlerSlot(GameState::loading) = &stateLoading;
}

void cGame::startLoading() {
  cGameLoadStatics& run = loading();
  run.loadingDone = false;
  run.loadingActive = true;
  run.loadStepIndex = 0;
  if (run.loadProfile >= 0 && run.loadProfile < int32_t(std::size(stepCounts)))
    run.loadStepCount = stepCounts[run.loadProfile];
  resetDataStream();
}

bool cGame::finishLoadingIfDone() {
  cGameLoadStatics& run = loading();
  if (!run.loadingActive || !run.loadingDone) return false;
  setNextState(run.stateAfterLoading);
  run.loadingActive = false;
  run.stateAfterLoading = GameState::none;
  return true;
}

void cGame::stateLoading(int32_t message) {
  switch (message) {
    case StateMessage::enter:
      box().leftSoftkey = box().rightSoftkey = -1;
      startLoading();
      break;
    case StateMessage::update:
      loadStep();
      finishLoadingIfDone();
      break;
    case StateMessage::paint:
      if (loop().graphics != nullptr) paintLoadingBar(loop().graphics);
      break;
    case StateMessage::exit:
      loading().loadProfile = LoadProfile::keepCount;
      break;
    default:
      break;
  }
}

void cGame::stateSplash(int32_t message) {
  cGameLoadStatics& run = loading();
  switch (message) {
    case StateMessage::enter:
      openPack(stringLiteral(static_cast<int32_t>(LiteralId::uiSpritePack)));
      setSprite(50, loadSprite(0, 1, 0, 0, false, false, false));
      setSprite(51, loadSprite(1, 1, 0, 0, false, false, false));
      closePack();
      states().screenDirty = true;
      run.loadProfile = LoadProfile::firstStart;
      startLoading();
      break;
    case StateMessage::update:
      if (!run.loadingDone) {
        loadStep();
        break;
      }
      run.loadingActive = false;
      run.stateAfterLoading = GameState::none;
      if (states().timeInState > splashMilliseconds) {
        run.stateAfterLoading = GameState::title;
        run.loadProfile = LoadProfile::startUp;
        setNextState(GameState::loading);
      }
      break;
    case StateMessage::paint: {
      javax_microedition_lcdui_Graphics* g = loop().graphics;
      if (g == nullptr || (!states().screenDirty && !loop().forcePaint)) break;
      g->setClip(0, 0, 800, 480);
      if (states().timeInState < firstLogoMilliseconds || !run.loadingDone)
        paintFirstLogo(g);
      else
        paintSecondLogo(g);
      break;
    }
    case StateMessage::exit:
      setSprite(0, nullptr);
      setSprite(1, nullptr);
      break;
    default:
      break;
  }
}
