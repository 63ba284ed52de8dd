#pragma once
// PLACEHOLDER until the program runs the shell's CorvaQNDR (game/shell):
// the least MIDlet and canvas that let the runtime start, show a frame and
// shut down, and that the end-to-end tests still pin. Nothing else may build
// on them.
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/ApplicationImpl.h"

// Paints a plain frame: a dark field inside a light border. Logs the pen, so
// that a scripted run can see its input arrive, and its own release.
class PlaceholderCanvas : public javax_microedition_lcdui_Canvas {
 public:
  using Super = javax_microedition_lcdui_Canvas;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;

  void paint(javax_microedition_lcdui_Graphics* graphics) override;
  void showNotify() override { repaint(this); }
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void finalize() override;
};

class PlaceholderMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;

  // Makes the placeholder canvas current and paints it.
  void startApp() override;
  // Logged, so that a run's log shows the one call close makes.
  void destroyApp(bool unconditional) override;
};

// What the executable hands WinMain while the placeholder stands in.
ApplicationStartup placeholderApplicationStartup();
