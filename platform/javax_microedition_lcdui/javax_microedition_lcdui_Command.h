#pragma once
// javax_microedition_lcdui_Command (class id 81): a labelled command of type
// 1..8. A bad type raises IllegalArgumentException (tested first), a null
// label NullPointerException; the fields stay clear then.
#include <cstdint>

#include "runtime/lang/String.h"
#include "runtime/object/Object.h"

class javax_microedition_lcdui_Command : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Command;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_lcdui_Command::label, &javax_microedition_lcdui_Command::longLabel};
  }

  void init(String* label, int32_t commandType, int32_t priority);
  void init(String* label, String* longLabel, int32_t commandType, int32_t priority);

  virtual int32_t getPriority() { return priority; }
  String* getLabel() const { return label; }
  String* getLongLabel() const { return longLabel; }
  int32_t getCommandType() const { return commandType; }
  void setUnusedValue(int32_t value) { unusedValue = value; }
  int32_t getUnusedValue() const { return unusedValue; }

  String* label;
  String* longLabel;
  int32_t commandType;
  int32_t priority;
  int32_t unusedValue;
};
