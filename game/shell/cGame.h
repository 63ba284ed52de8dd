#pragma once
// cGame (class id 118): the game's one canvas. It runs the game thread (the
// frame loop), the flat state machine of screens and the input; the toolkit's
// share of its operations comes from cGameToolkit. Its state lives in the
// shell's statics (cGameLoop, cGameStates, cGameKeys, cGameTouch) and in the
// toolkit's cGameState; the one instance field is lastLoopTick.
//
// Threads: the UI thread only appends key, pointer and life-cycle events to
// the input queue (and sets paused, runState); the game thread applies them
// at each frame's latch, then paints and updates. No paint runs on the UI
// thread.
#include <cstdint>

#include "game/shell/GameState.h"
#include "game/toolkit/cGameToolkit.h"
#include "game/story/cGameStory.h"
#include "game/world/cGameWorld.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "runtime/lang/java_lang_Runnable.h"

class ASprite;
class cActor;
class CVLibPlayer;
class SensibleRectangle;
class java_io_ByteArrayInputStream;
class javax_microedition_rms_RecordStore;
class javax_microedition_lcdui_Display;
class javax_microedition_lcdui_Displayable;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;
class javax_microedition_midlet_MIDlet;
struct InputEvent;

class cGame : public javax_microedition_lcdui_Canvas,
              public java_lang_Runnable,
              public cGameToolkit,
              public cGameWorld,
              public cGameStory {
 public:
  using Super = javax_microedition_lcdui_Canvas;
  static constexpr uint16_t classId = classid::cGame;

  // --- canvas and life cycle (cGameCanvas.cpp)
  static void clinit();
  // Key maps, clock bases, GameState 1, the sprite caches, the sound server.
  void init(javax_microedition_midlet_MIDlet* midlet, javax_microedition_lcdui_Display* display);
  void* lookupInterface(int32_t interfaceId) override;
  void sizeChanged(int32_t width, int32_t height) override;
  void keyPressed(int32_t code) override;
  void keyReleased(int32_t code) override;
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void pointerDragged(int32_t x, int32_t y) override;
  void showNotify() override;
  void hideNotify() override;
  void paint(javax_microedition_lcdui_Graphics* g) override;
  // The first start: seeds the game's Random and starts the game thread.
  // Does nothing while the thread runs.
  virtual void start();
  void run() override;

  // Both only set flags and queue the rest for the game thread.
  static void pause();
  static void resume();
  static void setCurrentDisplayable(javax_microedition_lcdui_Displayable* d);

  // --- game thread and frame loop (cGameLoop.cpp)
  // One pass of run: paint, update, sleep (or the paused sleep). False once
  // the loop must end (runState < 0, or an exception is pending).
  bool runPass();
  // The loop's end: any pending throwable is logged and taken, the resource
  // pack dropped, a collection asked for, and the MIDlet told.
  static void endGame();
  static void tick();
  static void paintFrame(javax_microedition_lcdui_Graphics* g);
  static void paintScreen();
  static void paintDiagnostics();

  // --- state machine (cGameStateMachine.cpp)
  static void setNextState(int32_t state);
  static void initStateMachine();
  static void updateState();
  static void dispatchState(int32_t message);
  // The handler table's entry of a GameState 0..23 (holding null when the
  // state has no handler); null for any other value. Screens add theirs.
  static StateHandler* stateHandlerSlot(int32_t state);
  static void stateInit(int32_t message);

  // --- key input (cGameKeys.cpp)
  static int32_t mapKeyCode(int32_t code);
  static void createKeyMaps();
  static void initKeyMap();
  static void setKeyMapping(int32_t selector, int32_t code, int32_t key);
  // Applies the queued events, then latches the per-frame block.
  static void latchInput();
  static bool isKeyPressed(int32_t key);
  static bool isKeyReleased(int32_t key);
  static bool isKeyHeld(int32_t key);
  static bool isKeyNotHeld(int32_t key);
  static int32_t getReleasedKey();
  static int32_t getPressedKey();
  static void clearFrameKeys();
  static bool updateKeySequence();
  // The six sequences of the detector (the class initialiser).
  static void initKeySequences();
  // A key event on the game thread (queued events and the HUD pad). A
  // release counts only for a key whose press was seen since the last clear.
  static void applyKeyPressed(int32_t code);
  static void applyKeyReleased(int32_t code);
  // Applies every queued event in arrival order.
  static void drainInput();

  // --- touch input (cGameTouch.cpp)
  static void addTouchArea(int32_t x, int32_t y, int32_t width, int32_t height, int32_t id);
  static void addOverlayTouchArea(int32_t x, int32_t y, int32_t width, int32_t height, int32_t id);
  static void hitTestTouchAreas(int32_t x, int32_t y);
  static void sendHudKeys();
  static void clearInput();
  static void clearTouchState();
  // clearInput, a pending choice closed, then clearTouchState.
  static void resetTouchState();
  static void applyPointerPressed(int32_t x, int32_t y);
  static void applyPointerReleased(int32_t x, int32_t y);
  static void applyPointerDragged(int32_t x, int32_t y);

  // --- the in-game HUD (cGameHudButtons.cpp): the pad, the OK, action,
  // inventory and item-shortcut buttons; the close-up back button and the
  // skip strip before the softkeys.
  static void paintHudButtons();
  static void paintHudBackButton();
  // The OK button's normal frame for what the player can act on now: 19
  // plain, 21 or 23 the two action looks (the pressed frame is one more).
  static int32_t okButtonLook();

  // --- the status panel and the gauge (cGameStatusPanel.cpp)
  static void paintStatusPanel();
  // The bar fills value / max of its width; below half it shows its warning
  // frame.
  static void paintGauge(int32_t value, int32_t max, int32_t iconFrame);

  // --- the timer ring's picture (cGameRingPaint.cpp)
  // ms < 1 is ignored.
  static void startTimerRing(int32_t ms);
  // Only while the ring opens or closes.
  static void paintTimerRing();
  // Points every 2 degrees joined by lines; a negative arc turns clockwise.
  static void drawArcLines(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);
  // The point of the ellipse in the box at angle degrees (counter-clockwise
  // on screen), left in ellipseX, ellipseY.
  static void ellipsePoint(int32_t x, int32_t y, int32_t w, int32_t h, int32_t angle);

  // --- the timed key-prompt popup (cGamePopup.cpp)
  static void openPopup(int32_t icon0, int32_t icon1, int32_t icon2, int32_t timeLimit, int32_t successAction,
                        int32_t failureAction, bool counterAttack);
  static bool isPopupActive();
  // Once per popup: starts cutscene A on a success, B on a failure; true
  // when one started. The result counts as taken in any case.
  static bool runPopupChoice(int32_t cutsceneA, int32_t paramA, int32_t cutsceneB, int32_t paramB);
  static void updatePopup();
  static void paintPopup();
  static void closePopup();
  static void resolveCounterAttack();
  // A tap on a popup icon, or else the icon's key pressed this frame.
  static bool getPopupIconFlag(int32_t iconId);

  // --- screen transition, message box and softkeys (cGameMessageBox.cpp)
  // True in the frame the transition finished opening or closing.
  static bool updateMessageBoxTransition(bool runAction);
  // Text only (by id or a ready string), or two buttons (texts 6 and 7).
  static void openTextBox(int32_t textId);
  static void openTextBox(String* text);
  static void openTextBox(int32_t textId, int32_t choice, bool backAllowed);
  static void updateMessageBox();
  static void paintMessageBox();
  static void paintContinuePrompt();
  // 0, 4, 6 and 11 are stored as -1 (nothing).
  static void setSoftkeys(int32_t right, int32_t left);
  static void paintSoftkeys();
  static bool getHudHidden();
  static void setHudHidden(bool hidden);
  // The ten painted frames between an OK and its effect, counted by the
  // list and box painters.
  static void countConfirmFrames();
  static void clearConfirm();

  // --- loading runs and the splash (cGameLoading.cpp)
  static void clinitLoading();
  // A new run of loadProfile: step 0, not done; its step count by profile.
  static void startLoading();
  // The next step of the run (cGameLoadSteps.cpp): the step numbered
  // loadStepIndex of loadProfile, then the counter moves on until done.
  static void loadStep();
  // When the run is active and done: requests the state chosen for after
  // it, once.
  static bool finishLoadingIfDone();
  static void stateLoading(int32_t message);
  static void stateSplash(int32_t message);

  // --- the loader's sprite sets and the room's set-up (cGameLoadSteps.cpp)
  using cGameToolkit::loadSprite;
  // Entry of the open pack with no alpha change; rgbMode false when left out.
  static ASprite* loadSprite(int32_t entry, int32_t paletteMask, bool buildCaches, bool dropData, bool rgbMode);
  static ASprite* loadSprite(int32_t entry, int32_t paletteMask, bool buildCaches, bool dropData);
  // Slots 2 and 3 (title and results), each only when empty.
  static void loadCommonSprites();
  // Slots 27, 34, 30 and 11 for the help pages, each only when empty.
  static void loadExtraSprites();
  // The last step of a room load.
  static void setUpRoom();

  // --- what the world and the story provide to the room load
  // (cGameInteraction.cpp, cGameTimedEvents.cpp, cGameStoryFlags.cpp)
  // Closes the open interaction mode; always true.
  static bool leaveInteraction();
  static void clearRoomTimedState();
  static void keepRoomAnimationPlayer(CVLibPlayer* player);
  static void clearStoryFlagBlock();

  // --- the results, the text page, help and the promotion states
  // (cGameResults.cpp, cGameTextPage.cpp, cGameHelp.cpp,
  // cGamePromotionStates.cpp); each clinit registers its handlers.
  static void clinitResults();
  static void stateResults(int32_t message);
  static void updateResultsSequence();
  static void paintResults();
  static void paintResultsRow(int32_t row, int32_t y);
  static void clinitTextPage();
  static void stateTextPage(int32_t message);
  static void clinitHelp();
  static void stateHelp(int32_t message);
  static void releaseHelpSprites();
  static void clinitPromotionStates();
  // The promotion prompt (GameState 21) and the promotion screen's host.
  static void stateMessageBox(int32_t message);
  static void stateKivra(int32_t message);
  // The promotion screen can be offered and has not been opened yet.
  static bool promotionHasNews();

  // --- the menu list (cGameMenuList.cpp)
  static void clinitMenuList();
  // At most 20 rows are kept.
  static void setListItems(int32_t menu, IntArray* rows, int32_t visible);
  static void setListSelection(int32_t menu, int32_t visible);
  // The first row whose text bits equal textId, or -1.
  static int32_t findMenuItem(int32_t textId);
  static void removeMenuItem(int32_t word, bool remove);
  static void replaceMenuItem(int32_t word, int32_t newWord);
  static void updateMenuList();
  static void paintMenuList(int32_t centreY);

  // --- title and menu screens (cGameMenus.cpp)
  static void clinitMenus();
  static void stateTitle(int32_t message);
  static void stateMainMenu(int32_t message);
  static void statePlayMenu(int32_t message);
  static void stateOptionsMenu(int32_t message);
  static void stateSoundMenu(int32_t message);
  static void stateInGameMenu(int32_t message);
  // The in-game menus' panel, opening with the screen transition.
  static void paintMenuPanel(int32_t outlineColour);
  // A promotion row's blinking "new" arrow, its tip at (x, y), drawn by
  // Kivra::paintNewArrow; true while one is due.
  static bool paintMenuNewArrow(int32_t x, int32_t y);
  // The arrow's picture, made once.
  static javax_microedition_lcdui_Image* newArrowImage();

  // --- shell text (cGameText.cpp)
  // Font sprite fontIndex in the palette, drawing text at (x, y).
  static void drawText(int32_t fontIndex, int32_t palette, String* text, int32_t x, int32_t y, int32_t anchor);
  // The hint box over play, while a hint is shown.
  static void paintInfoBox();

  // --- overlays and frame snapshots (cGameOverlays.cpp)
  static void paintPortraitNotice();
  // The landscape picture turned onto an upright screen.
  static void paintDimOverlay(javax_microedition_lcdui_Graphics* screen, javax_microedition_lcdui_Image* landscape);
  static void paintMenuDim();
  // The rectangle, within the clip, tiled with the 64x64 image of argb.
  static void fillRectWithColourTile(int32_t x, int32_t y, int32_t w, int32_t h, int32_t argb);
  // The whole screen in one colour; the clip is the whole screen after.
  static void fillScreen(javax_microedition_lcdui_Graphics* g, int32_t rgb);
  // The slot of the frame's snapshot, made on first use; -1 when every slot
  // is in use (the caller skips drawing).
  static int32_t renderFrameToImage(ASprite* sprite, int32_t frame);

  // --- saved game (cGameSavedGame.cpp): record 1 of the store named by
  // literal 166. Every record-store failure is swallowed: a failed read is a
  // first start, a failed write leaves the old record.
  static void clinitSavedGame();
  static void saveSettings();
  static void loadSettings();
  static void resetCounters();
  static void resetSettings();
  static void openStore(String* name);
  static void closeStore();
  // Record 1, or null when the store is empty or cannot be read.
  static ByteArray* readRecord(String* name);
  // Replaces record 1, or adds it to an empty store.
  static void storeRecord(String* name, ByteArray* data, int32_t offset, int32_t length);
  static ByteArray* loadRecord(String* name);
  static java_io_ByteArrayInputStream* openRecordStream(String* name);

  // --- story progress (cGameProgress.cpp)
  static void clinitProgress();
  static int32_t getProgress(int32_t i);
  // The progress value of the chapter being played.
  static int32_t progressValue();
  static void setChapter(int32_t i);
  // The chapter after i, -1 when there is none.
  static int32_t nextChapter(int32_t i);
  static bool isProgressAt3Or7();
  static bool isProgressAt9();
  static int32_t getProgressCode();
  static bool isIdInProgressList(int32_t id);
  static int32_t getProgressMode(int32_t id);
  static bool getRoomFlag();

  // --- shared game operations (cGameSharedOperations.cpp)
  static void clinitShared();
  static void seedRandom(int32_t low, int32_t high);
  // a when a == b, else a + |draw| mod (b - a) in int arithmetic.
  static int32_t randomInRange(int32_t a, int32_t b);
  static void updateAnimTimed(CVLibPlayer* player);
  // The step updateAnimTimed advances a player by.
  static int32_t animTimedStep();
  static void setTimer(int32_t seconds, int32_t action);
  static void addCombinationRecord(IntArray* record);
  static void startCutsceneAt(int32_t time, int32_t text, int32_t x, int32_t y, bool narration, bool force);
  static void computeResultScores();

  // --- what the story and the world provide to the shared operations
  // (game/story: cGameCinematic.cpp, cGameInteraction.cpp, ...)
  static void openCinematic(int32_t time, int32_t kind, int32_t text);
  // The object whose operation opened the cinematic screen (a door's switch).
  static void setCinematicObject(cActor* actor);
  static void setCinematicPosition(int32_t x, int32_t y);
  static void setCinematicPhase(int32_t phase);
  // Phase in 0..5; the game-over choice is phase 5 with its highlighted
  // button in gameOverOption.
  static bool isCinematicActive();
  static int32_t cinematicPhase();
  // The open cinematic's CinematicKind, -1 none.
  static int32_t cinematicKind();
  static void setGameOverOption(int32_t option);
  static void setCountdown(int32_t milliseconds, int32_t action);
  // The story's state reset as a room is loaded or left.
  static void resetInteraction();
  static void resetPopup();
  static void closeCinematic();
  static void initConversationQueue();
  static void resetConversation();
  static void resetStoryFlags();
  // The conversation queue: a question with count answers (lines below).
  static void queueConversationQuestion(int32_t text, int32_t speaker, int32_t balloonActor, IntArray* answers,
                                        int32_t count, int32_t right, int32_t rightAction, int32_t wrongAction);
  // Opens the interaction mode params[1] of the actor names; false when it
  // did not open.
  static bool startInteraction(cActor* actor);

  // --- what the frame of play steps and paints of the story (game/story)
  static void updateCinematic();
  static void paintCinematic();
  static bool isChoiceActive();
  // A pending two-option choice closes at its next update.
  static void closeChoice();
  static void updateChoice();
  static void paintChoice();
  // True while a timed-event phase runs and only the actors move.
  static bool updateTimedEvent();
  // The timed-event phase: -1 none, -2 finished, else 0..4.
  static int32_t timedPhase();
  static void paintTimedEvent();
  static void paintTimerOverlay();
  static void updateConversation();
  static bool isConversationActive();
  static void paintConversation();
  static void updateInteraction();
  static bool isInteractionActive();
  // The open interaction's InteractionKind (0 the close-up view), -1 none.
  static int32_t interactionKind();
  // The room's leading creature or the chapter keeps the action button away.
  static bool isActionButtonSuppressed();
  // The countdown's mm:ss at the top right, while it runs.
  static void paintCountdownClock();
  // The open interaction paints over the scene.
  static bool interactionOverWorld();
  static void paintInteraction();
  static void updateCountdown();
  // The timed captions around the room's leading creature: the alarm
  // sequence (started only when none runs), and a phase started at once.
  static void startCaptionSequence();
  static void startCaptionPhase(int32_t phase);
  static void showActorMarker(cActor* actor, int32_t dx, int32_t dy, int32_t reason);
  static void clampCameraAtBlockers();
  // What the side-view camera looks at besides the player; null when none.
  static cActor* sideViewTarget();

  // --- what the player character calls of the story (game/story)
  // The slot of the queued line, -1 when refused.
  static int32_t queueConversationLine(int32_t text, int32_t action, int32_t speaker, int32_t balloonActor);
  static void openChoice(String* text, int32_t type, cActor* actor, int32_t slot);
  // Caption text n of the timed captions at (x, y).
  static void showCaption(int32_t x, int32_t y, int32_t n);
  // The timed caption phase n with its clock at 0.
  static void startTimedCaption(int32_t n);

  int64_t lastLoopTick;

 private:
  static void applyEvent(const InputEvent& event);
  static void pausePromotion();
  static void applyResume(bool wasPaused, int64_t tick);
};
