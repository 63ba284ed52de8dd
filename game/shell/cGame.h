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
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "runtime/lang/java_lang_Runnable.h"

class SensibleRectangle;
class javax_microedition_lcdui_Display;
class javax_microedition_lcdui_Displayable;
class javax_microedition_midlet_MIDlet;
struct InputEvent;

class cGame : public javax_microedition_lcdui_Canvas, public java_lang_Runnable, public cGameToolkit {
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
  static void applyPointerPressed(int32_t x, int32_t y);
  static void applyPointerReleased(int32_t x, int32_t y);
  static void applyPointerDragged(int32_t x, int32_t y);

  // --- what later screens and the sprites provide (cGameScreenSeams.cpp)
  static void createSpriteCacheTables();
  static void updateMessageBox();
  static void paintMessageBox();
  static void paintContinuePrompt();
  static void paintSoftkeys();
  static void paintPortraitNotice();

  int64_t lastLoopTick;

 private:
  static void applyEvent(const InputEvent& event);
  static void applyResume(bool wasPaused, int64_t tick);
};
