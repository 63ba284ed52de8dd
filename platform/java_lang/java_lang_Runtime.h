#pragma once
// java_lang_Runtime (class id 44): one object, made by the class initialiser
// and kept in the static block, that answers the device's memory figures.
#include <cstdint>

#include "runtime/object/Object.h"

class java_lang_Runtime : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Runtime;

  // The one Runtime; made here if the class initialiser has not run (null
  // only when the heap is full).
  static java_lang_Runtime* getRuntime();

  // Available and total physical memory in bytes (GlobalMemoryStatus).
  int64_t freeMemory();
  int64_t totalMemory();

  // The two operations of the class's table: neither does anything. The
  // collector keeps its own schedule, and a MIDlet leaves through
  // notifyDestroyed, never by ending the process.
  virtual void exit(int32_t status);
  virtual void gc();

  static void clinit();
};
