#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Command.h"

#include "runtime/exceptions/ThrowNew.h"

void javax_microedition_lcdui_Command::init(String* label, int32_t commandType, int32_t priority) {
  init(label, nullptr, commandType, priority);
}

void javax_microedition_lcdui_Command::init(String* label, String* longLabel, int32_t commandType,
                                            int32_t priority) {
  if (commandType < 1 || commandType > 8) {
    throwNew<java_lang_IllegalArgumentException>();
    return;
  }
  this->commandType = commandType;
  this->priority = priority;
  if (label == nullptr) {
    throwNew<java_lang_NullPointerException>();
    return;
  }
  this->label = label;
  this->longLabel = longLabel;
}
