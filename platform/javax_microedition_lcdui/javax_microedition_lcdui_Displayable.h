#pragma once
// javax_microedition_lcdui_Displayable (class id 84): what the runtime sends
// input, focus and paint requests to. The game's canvas overrides the
// handlers; the library's own bodies do nothing. The runtime calls them only
// through the vtable.
#include <cstdint>

#include "runtime/object/Object.h"

class javax_microedition_lcdui_Graphics;

class javax_microedition_lcdui_Displayable : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Displayable;

  // The screen's size, whatever the physical screen is.
  virtual int32_t getWidth() { return 800; }
  virtual int32_t getHeight() { return 480; }
  virtual void sizeChanged(int32_t /*width*/, int32_t /*height*/) {}
  virtual void keyPressed(int32_t /*keyCode*/) {}
  virtual void keyReleased(int32_t /*keyCode*/) {}
  virtual void pointerPressed(int32_t /*x*/, int32_t /*y*/) {}
  virtual void pointerReleased(int32_t /*x*/, int32_t /*y*/) {}
  virtual void pointerDragged(int32_t /*x*/, int32_t /*y*/) {}
  virtual void showNotify() {}
  virtual void hideNotify() {}
  virtual void paint(javax_microedition_lcdui_Graphics* /*graphics*/) {}
};
