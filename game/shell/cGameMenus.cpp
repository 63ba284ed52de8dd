// The title and the front-end menus: main menu, chapter choice, options,
// sound and the in-game menu. They share one list, one screen transition
// and one way of confirming; each screen only says what its rows do.
#include <algorithm>
#include <initializer_list>

#include "game/shell/Kivra.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

namespace {

// Row text ids by what they do.
namespace row {
constexpr int32_t chooseChapter = 97;
constexpr int32_t newGame = 74;
constexpr int32_t promotion = 75;
constexpr int32_t promotionAlt1 = 76;
constexpr int32_t promotionAlt2 = 77;
constexpr int32_t webLink = 78;
constexpr int32_t options = 80;
constexpr int32_t help = 81;
constexpr int32_t credits = 83;
constexpr int32_t exit = 85;
constexpr int32_t sound = 32;
constexpr int32_t resetProgress = 88;
constexpr int32_t mainMenu = 100;
constexpr int32_t soundOn = 37;
constexpr int32_t soundOff = 38;
constexpr int32_t firstChapter = 171;
}  // namespace row

// Questions and notices the menus open.
namespace text {
constexpr int32_t soundQuestion = 31;
constexpr int32_t pressToStart = 40;
constexpr int32_t exitQuestion = 42;
constexpr int32_t newGameQuestion = 45;
constexpr int32_t playMenuTitle = 86;
constexpr int32_t optionsTitle = 80;
constexpr int32_t resetQuestion = 91;
constexpr int32_t resetDone = 92;
constexpr int32_t inGameTitle = 95;
constexpr int32_t mainMenuQuestion = 101;
constexpr int32_t soundTitle = 32;
constexpr int32_t titleFooter = 146;
}  // namespace text

// Menu numbers of the remembered rows.
constexpr int32_t mainMenuSlot = 0;
constexpr int32_t chapterSlot = 1;
constexpr int32_t inGameSlot = 2;

constexpr int32_t visibleRows = 4;
constexpr int32_t listCentreY = 240;
constexpr int32_t firstRowArea = 50;
constexpr int32_t upArrowArea = 60;
constexpr int32_t downArrowArea = 61;
constexpr int32_t cornerArea = 1001;
constexpr int32_t backSoftkey = 2;
constexpr int32_t white = 0xFFFFFF;
constexpr int32_t centreAnchor = 3;
constexpr int32_t menuMusic = 1;
constexpr int32_t soundOnJingle = 19;
constexpr int32_t musicResumeFrames = 12;
constexpr int32_t chapterCount = 10;
constexpr int32_t newArrowSize = 10;
constexpr int32_t keyColour = 0xFF00FF;
constexpr int32_t topLeftAnchor = 20;

cGameMenusStatics& tables() { return shellStatics().cGameMenus; }
cGameSoundStatics& sounds() { return toolkitStatics().cGameSound; }
KivraStatics& promotion() { return shellStatics().Kivra; }

IntArray* intArrayOf(std::initializer_list<int32_t> values) {
  IntArray* array = newIntArray(static_cast<int32_t>(values.size()));
  if (array == nullptr) return nullptr;
  int32_t i = 0;
  for (int32_t value : values) array->set(i++, value);
  return array;
}

void startOpening() {
  box().transitionDirection = 1;
  box().transitionClock = 0;
}

// Leaves for a state once the screen has closed.
void leaveTo(int32_t state) {
  loading().stateAfterLoading = state;
  box().pendingAction = PendingAction::afterLoading;
}

// A question with two buttons, shown once the screen has closed.
void ask(int32_t textId) {
  cGame::openTextBox(textId, 0, true);
  box().pendingAction = PendingAction::showBox;
}

void startLoadingAfterClose(int32_t profile, int32_t after) {
  loading().loadProfile = profile;
  loading().stateAfterLoading = after;
  box().pendingAction = PendingAction::startLoading;
}

void startChapter(int32_t chapter) {
  cGame::setChapter(chapter);
  startLoadingAfterClose(LoadProfile::enterRoom, GameState::inGame);
}

// An empty list (a menu that was skipped) leaves the remembered row alone.
void rememberRow(int32_t slot) {
  const cGameMenuStatics& list = menu();
  if (list.menuMemory == nullptr || slot < 0 || slot >= list.menuMemory->length()) return;
  if (list.listSelected < 0 || list.listSelected >= list.listCount) return;
  list.menuMemory->set(slot, list.listRows->get(list.listSelected));
}

bool promotionAvailable() {
  const KivraStatics& k = promotion();
  return k.initialised && k.enabledPageCount > 0;
}

bool isBackReleased(int32_t key) {
  const cGameTouchStatics& pointer = touch();
  return key == 19 || (pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr);
}

bool isRowArea(const SensibleRectangle* area) {
  return area != nullptr && area->id != upArrowArea && area->id != downArrowArea && area->id >= firstRowArea &&
         area->id - firstRowArea < menu().listCount;
}

// What a menu screen does with its answers, rows and back, and how it
// enters, paints and remembers its row.
struct MenuScreen {
  void (*answer)(int32_t textId, int32_t choice);
  void (*act)(int32_t rowText);
  void (*back)();
  void (*enter)();
  int32_t title;       // text id, -1 none
  bool panel;          // painted on the in-game panel
  int32_t remembered;  // menu whose row the exit remembers, -1 none
};

// The update every menu shares: an answered box, navigation, the delayed
// confirmation, back, then the transition (which runs a pending action).
void updateMenu(const MenuScreen& screen) {
  cGameBoxStatics& state = box();
  cGameTouchStatics& pointer = touch();
  int32_t key = -1;
  if (state.messageBoxAnswered) {
    state.messageBoxAnswered = false;
    startOpening();
    if (screen.answer != nullptr) screen.answer(state.messageBoxTextId, states().messageBoxChoice);
  } else {
    cGame::updateMenuList();
    key = cGame::getReleasedKey();
    if (key == 18 || key == 5 || key == 11 || (pointer.releasedOnArea && isRowArea(pointer.touchedArea)))
      state.confirmRequested = true;
  }
  // The painter counts the confirmation frames and blinks the row.
  if (state.confirmRequested) states().screenDirty = true;
  if (state.confirmDone) {
    cGame::clearConfirm();
    cGameMenuStatics& list = menu();
    if (isRowArea(pointer.touchedArea)) {
      list.listSelected = pointer.touchedArea->id - firstRowArea;
      pointer.touchedArea = nullptr;
      pointer.releasedOnArea = false;
    }
    // A marked row is shown but never acted on.
    if (list.listSelected >= 0 && list.listSelected < list.listCount) {
      const int32_t word = list.listRows->get(list.listSelected);
      if ((word & MenuRow::marked) == 0 && screen.act != nullptr) screen.act(word & MenuRow::textBits);
    }
  }
  if (screen.back != nullptr && isBackReleased(key)) {
    pointer.pointerWasReleased = false;
    pointer.touchedOverlayArea = nullptr;
    screen.back();
  }
  cGame::updateMessageBoxTransition(true);
}

// The paint every menu shares; only while the screen changed.
void paintMenu(int32_t titleText, bool panel) {
  Graphics* g = loop().graphics;
  if (g == nullptr || (!states().screenDirty && !loop().forcePaint)) return;
  g->setClip(0, 0, 800, 480);
  if (panel) {
    cGame::paintMenuPanel(white);
  } else {
    g->setColor(0x000000);
    g->fillRect(0, 0, 800, 480);
    cGame::paintMenuDim();
  }
  if (!states().messageBoxShown) {
    if (titleText >= 0) cGame::drawText(6, 1, cGame::getText(titleText), 400, 35, centreAnchor);
    cGame::paintMenuList(listCentreY);
  }
  g->setClip(0, 0, 800, 480);
  states().screenDirty = false;
}

// --- title

void titleUpdate() {
  cGameBoxStatics& state = box();
  if (state.messageBoxAnswered && state.messageBoxTextId == text::soundQuestion) {
    state.messageBoxAnswered = false;
    const bool on = states().messageBoxChoice == 1;
    sounds().soundOn = on;
    if (on) {
      sounds().resumeDelay = musicResumeFrames;
      sounds().resumeId = -1;
    }
  }
  cGameTouchStatics& pointer = touch();
  const int32_t key = cGame::getReleasedKey();
  if (key == 5 || key == 11 || (pointer.releasedOnArea && pointer.touchedArea != nullptr)) {
    pointer.touchedArea = nullptr;
    pointer.releasedOnArea = false;
    cGame::setNextState(GameState::mainMenu);
    cGame::playSound(menuMusic, false);
  }
}

void titlePaint() {
  Graphics* g = loop().graphics;
  if (g == nullptr) return;
  g->setClip(0, 0, 800, 480);
  if (ASprite* picture = spriteAt(2)) {
    picture->paintFrame(g, 0, 0, 0, 0, 0, 0);
  } else {
    g->setColor(0x000000);
    g->fillRect(0, 0, 800, 480);
  }
  if (!states().messageBoxShown && (loop().paintTick & 512) != 0) {
    cGame::addTouchArea(0, 0, 800, 480, 0);
    touch().touchAreasComplete = true;
    cGame::drawText(6, 4, cGame::getText(text::pressToStart), 400, 240, centreAnchor);
  }
  cGame::drawText(5, 3, cGame::getText(text::titleFooter), 400, 460, centreAnchor);
}

// --- main menu

void newGameNow() {
  cGame::setChapter(0);
  startLoadingAfterClose(LoadProfile::enterRoom, GameState::inGame);
  shellStatics().cGameSave.chaptersOpen = 1;
  cGame::saveSettings();
}

void mainMenuAnswer(int32_t textId, int32_t choice) {
  if (choice != 1) return;
  if (textId == text::exitQuestion) {
    cGame::stopSoundChannels();
    setRunState(-1);
  } else if (textId == text::newGameQuestion) {
    cGame::stopSoundChannels();
    states().screenDirty = false;
    loading().stateAfterLoading = GameState::inGame;
    loading().loadProfile = LoadProfile::enterRoom;
    cGame::setNextState(GameState::loading);
    cGame::setChapter(0);
    cGame::resetCounters();
    shellStatics().cGameSave.chaptersOpen = 1;
    cGame::saveSettings();
    // Next time the menu opens on the chapter choice above.
    if (menu().listSelected > 0) --menu().listSelected;
  }
}

void mainMenuAct(int32_t rowText) {
  switch (rowText) {
    case row::chooseChapter:
      leaveTo(GameState::playMenu);
      break;
    case row::newGame:
      if (shellStatics().cGameSave.chaptersOpen < 1)
        newGameNow();
      else
        ask(text::newGameQuestion);
      break;
    case row::promotion:
    case row::promotionAlt1:
    case row::promotionAlt2:
      leaveTo(GameState::promotion);
      break;
    case row::webLink:
      Kivra::openDirectLink();
      Kivra::resetInput();
      Kivra::update(Kivra::back);
      Kivra::paint(loop().graphics);
      break;
    case row::options:
      if (IntArray* memory = menu().menuMemory) memory->set(chapterSlot, -1);
      leaveTo(GameState::optionsMenu);
      break;
    case row::help:
      cGame::stopSoundChannels();
      loading().loadProfile = LoadProfile::extraSprites;
      loading().stateAfterLoading = GameState::help;
      cGame::setNextState(GameState::loading);
      break;
    case row::credits:
      leaveTo(GameState::textPage);
      break;
    case row::exit:
      ask(text::exitQuestion);
      break;
    default:
      break;
  }
}

void mainMenuEnter() {
  cGame::loadCommonSprites();
  cGame::setListItems(mainMenuSlot, tables().mainMenuRows, visibleRows);
  if (shellStatics().cGameSave.chaptersOpen < 1) cGame::removeMenuItem(row::chooseChapter, true);
  if (promotionAvailable())
    cGame::replaceMenuItem(row::promotion, row::promotion | MenuRow::newArrow | MenuRow::highlight);
  else
    cGame::removeMenuItem(row::promotion, true);
  if (Kivra::findDirectLink())
    cGame::replaceMenuItem(row::webLink, row::webLink | MenuRow::highlight);
  else
    cGame::removeMenuItem(row::webLink, true);
  box().leftSoftkey = box().rightSoftkey = -1;
  if (!cGame::isSoundPlaying(menuMusic)) {
    sounds().resumeId = menuMusic;
    sounds().resumeLoop = false;
    sounds().resumeDelay = musicResumeFrames;
  }
  startOpening();
  states().screenDirty = true;
}

// --- play menu

void playMenuAct(int32_t rowText) {
  const int32_t chapter = rowText - row::firstChapter;
  if (chapter >= 0 && chapter < chapterCount) startChapter(chapter);
}

void playMenuEnter() {
  cGame::setListItems(chapterSlot, tables().chapterRows, visibleRows);
  const int32_t open = std::clamp(shellStatics().cGameSave.chaptersOpen, 0, chapterCount);
  for (int32_t chapter = open; chapter < chapterCount; ++chapter)
    cGame::removeMenuItem(row::firstChapter + chapter, true);
  box().rightSoftkey = backSoftkey;
  int32_t& finished = shellStatics().cGameProgress.finishedChapter;
  if (finished >= 0 && finished < chapterCount - 1) {
    menu().menuMemory->set(chapterSlot, row::firstChapter + finished + 1);
    cGame::setListSelection(chapterSlot, visibleRows);
    finished = -1;
  }
  startOpening();
  states().screenDirty = true;
}

// --- options

void markResetWhenNothingToReset() {
  if (shellStatics().cGameSave.chaptersOpen == 0) cGame::removeMenuItem(row::resetProgress, false);
}

void optionsAnswer(int32_t textId, int32_t choice) {
  if (textId != text::resetQuestion || choice != 1) return;
  cGame::resetCounters();
  cGame::saveSettings();
  cGame::openTextBox(text::resetDone);
  box().pendingAction = PendingAction::showBox;
  box().rightSoftkey = backSoftkey;
  markResetWhenNothingToReset();
}

void optionsAct(int32_t rowText) {
  if (rowText == row::sound) leaveTo(GameState::soundMenu);
  if (rowText == row::resetProgress) ask(text::resetQuestion);
}

void optionsEnter() {
  cGame::setListItems(chapterSlot, tables().optionRows, visibleRows);
  box().rightSoftkey = backSoftkey;
  markResetWhenNothingToReset();
  startOpening();
  states().screenDirty = true;
}

// --- sound menu

void soundMenuAct(int32_t rowText) {
  if (rowText == row::soundOn) {
    sounds().soundOn = true;
    cGame::saveSettings();
    cGame::playSound(menuMusic, false);
  } else if (rowText == row::soundOff) {
    cGame::stopSoundChannels();
    sounds().soundOn = false;
    cGame::saveSettings();
  } else {
    return;
  }
  leaveTo(GameState::optionsMenu);
}

void soundMenuEnter() {
  cGame::setListItems(-1, tables().soundRows, visibleRows);
  if (menu().listCount > 1) menu().listSelected = sounds().soundOn ? 0 : 1;
  box().rightSoftkey = backSoftkey;
  startOpening();
  states().screenDirty = true;
}

// --- in-game menu

void inGameAnswer(int32_t textId, int32_t choice) {
  if (choice != 1) return;
  if (textId == text::mainMenuQuestion) {
    loading().loadProfile = LoadProfile::leaveWorld;
    loading().stateAfterLoading = GameState::mainMenu;
    states().menuSuspended = false;
    cGame::setNextState(GameState::loading);
  } else if (textId == text::exitQuestion) {
    cGame::stopSoundChannels();
    setRunState(-1);
  }
}

void inGameAct(int32_t rowText) {
  switch (rowText) {
    case row::sound:
      sounds().soundOn = !sounds().soundOn;
      if (sounds().soundOn) {
        cGame::playSound(soundOnJingle, false);
      } else {
        cGame::stopSoundChannels();
      }
      cGame::saveSettings();
      states().screenDirty = true;
      break;
    case row::help:
      leaveTo(GameState::help);
      break;
    case row::mainMenu:
      ask(text::mainMenuQuestion);
      break;
    case row::exit:
      ask(text::exitQuestion);
      break;
    default:
      break;
  }
}

void inGameEnter() {
  cGame::resetRunningGauge();
  cGameTouchStatics& pointer = touch();
  if (pointer.menuButtonUsed) {
    // The HUD's menu button goes to the inventory; the menu is not shown.
    menu().listCount = 0;
    box().pendingAction = PendingAction::afterLoading;
    if (tables().inventoryDone) {
      loading().stateAfterLoading = GameState::inGame;
      states().menuSuspended = false;
      sounds().resumeDelay = 0;
      pointer.menuButtonUsed = false;
      tables().inventoryDone = false;
    } else {
      loading().stateAfterLoading = GameState::inventory;
      cGame::clearInput();
    }
    return;
  }
  cGame::setListItems(inGameSlot, tables().inGameMenuRows, visibleRows);
  box().rightSoftkey = backSoftkey;
  startOpening();
  states().screenDirty = true;
}

void backToMainMenu() { leaveTo(GameState::mainMenu); }
void backToOptions() { leaveTo(GameState::optionsMenu); }
void backToPlay() {
  states().menuSuspended = false;
  leaveTo(GameState::inGame);
}

// The messages every menu state handles alike.
void runMenuState(const MenuScreen& screen, int32_t message) {
  switch (message) {
    case StateMessage::enter:
      screen.enter();
      break;
    case StateMessage::update:
      updateMenu(screen);
      break;
    case StateMessage::paint:
      paintMenu(screen.title, screen.panel);
      break;
    case StateMessage::exit:
      if (screen.remembered >= 0) rememberRow(screen.remembered);
      break;
    default:
      break;
  }
}

}  // namespace

void cGame::clinitMenus() {
  cGameMenusStatics& menus = tables();
  menus.mainMenuRows = intArrayOf({97, 74, 75, 78, 80, 81, 83, 85});
  menus.chapterRows = intArrayOf({171, 172, 173, 174, 175, 176, 177, 178, 179, 180});
  menus.inGameMenuRows = intArrayOf({32, 81, 100, 85});
  menus.soundRows = intArrayOf({37, 38});
  menus.buttonTexts = intArrayOf({6, 7});
  menus.optionRows = intArrayOf({32, 88});
  *stateHandlerSlot(GameState::title) = &stateTitle;
  *stateHandlerSlot(GameState::mainMenu) = &stateMainMenu;
  *stateHandlerSlot(GameState::playMenu) = &statePlayMenu;
  *stateHandlerSlot(GameState::optionsMenu) = &stateOptionsMenu;
  *stateHandlerSlot(GameState::soundMenu) = &stateSoundMenu;
  *stateHandlerSlot(GameState::inGameMenu) = &stateInGameMenu;
}

bool cGame::paintMenuNewArrow(int32_t x, int32_t y) {
  if (!promotionAvailable() || Kivra::wasVisited()) return false;
  Image* arrow = newArrowImage();
  // The image's tip is its right edge's middle pixel, placed at (x, y).
  const int32_t w = arrow != nullptr ? arrow->getWidth() : 0;
  const int32_t h = arrow != nullptr ? arrow->getHeight() : 0;
  return Kivra::paintNewArrow(loop().graphics, arrow, x - (w - 1), y - h / 2, topLeftAnchor);
}

Image* cGame::newArrowImage() {
  Image*& image = tables().newArrowImage;
  if (image != nullptr) return image;
  // The promotion screen's arrow shape, pointing right, cut out of a
  // magenta ground.
  const int32_t half = (newArrowSize % 2 == 0 ? newArrowSize - 1 : newArrowSize) / 2;
  const int32_t w = half + 1, h = 2 * half + 1;
  Image* ground = Image::createImage(w, h);
  IntArray* pixels = newIntArray(w * h);
  if (ground == nullptr || pixels == nullptr) return nullptr;
  Graphics* g = ground->getGraphics();
  g->setColor(keyColour);
  g->fillRect(0, 0, w, h);
  Kivra::drawArrow(g, half, half, newArrowSize, promotion().highlightColour, false, false);
  ground->getRGB(pixels, 0, w, 0, 0, w, h);
  const int32_t key = Graphics::getDisplayColor(keyColour) & 0xFFFFFF;
  for (int32_t i = 0; i < w * h; ++i)
    if ((pixels->get(i) & 0xFFFFFF) == key) pixels->set(i, 0);
  image = Image::createRGBImage(pixels, w, h, true);
  return image;
}

void cGame::paintMenuPanel(int32_t outlineColour) {
  Graphics* g = loop().graphics;
  if (g == nullptr) return;
  const int32_t w = static_cast<int32_t>(box().transitionClock * 800 / 300);
  g->setClip((800 - w) / 2, 0, w, 480);
  const int32_t panel = static_cast<int32_t>(0xE0000000u);
  fillRectWithColourTile((800 - w) / 2, 0, w, 480, panel);
  fillRectWithColourTile(20, 60, 760, 360, panel);
  fillRectWithColourTile(20, 15, 760, 40, panel);
  g->setColor(outlineColour);
  g->drawRect(20, 60, 760, 360);
  g->drawRect(20, 15, 760, 40);
}

void cGame::stateTitle(int32_t message) {
  switch (message) {
    case StateMessage::enter:
      box().leftSoftkey = box().rightSoftkey = -1;
      openTextBox(text::soundQuestion, 0, false);
      states().messageBoxShown = true;
      startOpening();
      break;
    case StateMessage::update:
      titleUpdate();
      break;
    case StateMessage::paint:
      titlePaint();
      break;
    default:
      break;
  }
}

void cGame::stateMainMenu(int32_t message) {
  static constexpr MenuScreen screen{&mainMenuAnswer, &mainMenuAct, nullptr, &mainMenuEnter, -1, false, mainMenuSlot};
  if (message == StateMessage::update) updateKeySequence();
  // The promotion row's arrow blinks: the list repaints while it shows.
  if (message == StateMessage::paint && menu().newArrowShown) states().screenDirty = true;
  runMenuState(screen, message);
  if (message == StateMessage::paint && loop().graphics != nullptr) {
    addOverlayTouchArea(0, 0, 70, 70, cornerArea);
    touch().overlayAreasComplete = true;
  }
}

void cGame::statePlayMenu(int32_t message) {
  static constexpr MenuScreen screen{nullptr,         &playMenuAct, &backToMainMenu, &playMenuEnter,
                                     text::playMenuTitle, false,    chapterSlot};
  runMenuState(screen, message);
}

void cGame::stateOptionsMenu(int32_t message) {
  static constexpr MenuScreen screen{&optionsAnswer,     &optionsAct, &backToMainMenu, &optionsEnter,
                                     text::optionsTitle, false,       chapterSlot};
  runMenuState(screen, message);
}

void cGame::stateSoundMenu(int32_t message) {
  static constexpr MenuScreen screen{nullptr, &soundMenuAct, &backToOptions, &soundMenuEnter, text::soundTitle,
                                     true,    -1};
  runMenuState(screen, message);
}

void cGame::stateInGameMenu(int32_t message) {
  static constexpr MenuScreen screen{&inGameAnswer,     &inGameAct, &backToPlay, &inGameEnter,
                                     text::inGameTitle, true,       inGameSlot};
  // Nothing of the scene shows under the panel yet: it opens on black.
  if (message == StateMessage::paint) {
    if (Graphics* g = loop().graphics; g != nullptr && (states().screenDirty || loop().forcePaint)) {
      cGame::fillScreen(g, 0x000000);
    }
  }
  runMenuState(screen, message);
}
