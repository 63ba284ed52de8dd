#pragma once
// PLACEHOLDER until the game shell exists: the least MIDlet and canvas that
// let the runtime start, show a frame and shut down. The shell's CorvaQNDR
// and cGame replace both; nothing else may build on them.
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/ApplicationImpl.h"

// Paints a plain frame: a dark field inside a light border.
class PlaceholderCanvas : public javax_microedition_lcdui_Canvas {
 public:
  using Super = javax_microedition_lcdui_Canvas;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;

  void paint(javax_microedition_lcdui_Graphics* graphics) override;
  void showNotify() override { repaint(this); }
};

class CorvaQNDR : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;

  // Makes the placeholder canvas current and paints it.
  void startApp() override;
};

// What the executable hands WinMain while the placeholder stands in.
ApplicationStartup placeholderApplicationStartup();
