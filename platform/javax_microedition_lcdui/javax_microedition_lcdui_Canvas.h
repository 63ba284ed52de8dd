#pragma once
// javax_microedition_lcdui_Canvas (class id 80): the Displayable the game
// paints. repaint paints the current Displayable and presents the frame at
// once, on the calling thread.
#include <cstdint>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Displayable.h"

class Application;

class javax_microedition_lcdui_Canvas : public javax_microedition_lcdui_Displayable {
 public:
  using Super = javax_microedition_lcdui_Displayable;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;

  // Paints and presents while the window is active and no orientation
  // change is under way; otherwise nothing. Whichever Canvas asks, the
  // current Displayable is painted.
  static void repaint(javax_microedition_lcdui_Canvas* canvas);
  // Painting is synchronous: nothing is ever waiting.
  static void serviceRepaints(javax_microedition_lcdui_Canvas* /*canvas*/) {}
  static void initNative(javax_microedition_lcdui_Canvas* /*canvas*/) {}
};

// One frame into the back buffer: the current Displayable's paint on the
// screen Graphics (origin 0, full clip, white), then the throttled
// collection. The clip is the full screen afterwards in every case.
void paintCycle(Application& application);
