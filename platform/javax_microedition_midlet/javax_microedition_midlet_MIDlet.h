#pragma once
// javax_microedition_midlet_MIDlet (class id 100): the base of the game's
// MIDlet. The runtime makes exactly one at start-up and drives it through
// startApp, pauseApp and destroyApp.
#include <cstdint>

#include "runtime/object/Object.h"

class javax_microedition_midlet_MIDlet : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_midlet_MIDlet;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_midlet_MIDlet::properties};
  }

  // The game's operations; the runtime calls them only through the vtable.
  virtual void startApp() {}
  virtual void pauseApp() {}
  virtual void destroyApp(bool /*unconditional*/) {}

  Object* properties;
};
