#pragma once
// javax_microedition_lcdui_Displayable (class id 84): what the runtime sends
// input, focus and paint requests to. The game's canvas overrides the
// handlers; the library's own bodies do nothing. The runtime calls them only
// through the vtable.
#include <cstdint>

#include "runtime/app/LifecycleTargets.h"

class javax_microedition_lcdui_Graphics;

class javax_microedition_lcdui_Displayable : public DisplayableOperations {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Displayable;

  // The screen's size, whatever the physical screen is.
  int32_t getWidth() override { return 800; }
  int32_t getHeight() override { return 480; }
  void sizeChanged(int32_t /*width*/, int32_t /*height*/) override {}
  void keyPressed(int32_t /*keyCode*/) override {}
  void keyReleased(int32_t /*keyCode*/) override {}
  void pointerPressed(int32_t /*x*/, int32_t /*y*/) override {}
  void pointerReleased(int32_t /*x*/, int32_t /*y*/) override {}
  void pointerDragged(int32_t /*x*/, int32_t /*y*/) override {}
  void showNotify() override {}
  void hideNotify() override {}
  void paint(javax_microedition_lcdui_Graphics* /*graphics*/) override {}
};
