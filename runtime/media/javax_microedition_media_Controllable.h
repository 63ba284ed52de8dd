#pragma once
// The Controllable interface view (id 91).
#include <cstdint>

#include "runtime/object/ClassTable.h"

class Object;
class ObjectArray;
class String;

class javax_microedition_media_Controllable {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_media_Controllable;
  virtual Object* getControl(String* controlType) = 0;
  virtual ObjectArray* getControls() = 0;

 protected:
  javax_microedition_media_Controllable() = default;
  ~javax_microedition_media_Controllable() = default;
};
