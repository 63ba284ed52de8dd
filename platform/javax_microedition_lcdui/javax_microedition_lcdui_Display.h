#pragma once
// javax_microedition_lcdui_Display (class id 83): one screen, no widgets; a
// Display only records which Displayable is current.
#include <cstdint>

#include "runtime/object/Object.h"

class javax_microedition_lcdui_Displayable;

class javax_microedition_lcdui_Display : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Display;

  // A new Display on every call; the MIDlet is not looked at.
  static javax_microedition_lcdui_Display* getDisplay(Object* midlet);
  // The Application's current Displayable, null included; nothing is sent
  // or painted.
  void setCurrent(javax_microedition_lcdui_Displayable* displayable);
  javax_microedition_lcdui_Displayable* getCurrent();
};
