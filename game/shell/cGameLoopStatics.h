#pragma once
// cGame's canvas and frame-loop statics: life cycle, frame clock, the
// Graphics of the frame and the diagnostic overlay. The flags the UI thread
// writes (runState) are read and written through std::atomic_ref.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class Object;
class ObjectArray;
class java_lang_Thread;
class java_util_Random;
class javax_microedition_lcdui_Display;
class javax_microedition_lcdui_Graphics;

struct cGameLoopStatics {
  int32_t runState;  // -1 not running or told to stop, 0 the game thread runs
  bool paintBusy;    // a frame is being painted; true until the loop starts
  bool framePainted; // the pass's repaint reached paintFrame's latch
  bool forcePaint;
  bool portraitShown;
  int32_t screenWidth;
  int32_t screenHeight;
  int32_t framePeriod;
  int64_t lastFrameTick;
  int64_t paintTick;
  int64_t lastPaintCall;
  int32_t frameTime;  // 0..1000 ms since the previous painted frame
  int32_t timeStep;
  int32_t playClock;
  int32_t frameCount;
  bool diagnosticsOn;
  int32_t diagFrames;
  int32_t diagFps;
  int64_t diagSampleTick;
  javax_microedition_lcdui_Display* display;
  Object* midlet;
  Object* instance;
  java_lang_Thread* gameThread;
  java_lang_Thread* soundThread;  // the sound server's
  javax_microedition_lcdui_Graphics* graphics;
  java_util_Random* random;
  ObjectArray* sprites;        // Object[52], made by GameState 1
  ObjectArray* languageNames;  // String[15]

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameLoopStatics::display,  &cGameLoopStatics::midlet,
                              &cGameLoopStatics::instance, &cGameLoopStatics::gameThread,
                              &cGameLoopStatics::soundThread,
                              &cGameLoopStatics::graphics, &cGameLoopStatics::random,
                              &cGameLoopStatics::sprites,  &cGameLoopStatics::languageNames};
  }
};
