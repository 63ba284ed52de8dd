#include "platform/java_lang/java_lang_Runtime.h"

#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "wince/memory_status.h"

java_lang_Runtime* java_lang_Runtime::getRuntime() {
  java_lang_RuntimeStatics& runtime = statics().java_lang_Runtime;
  if (runtime.instance == nullptr) runtime.instance = newObject<java_lang_Runtime>();
  return runtime.instance;
}

int64_t java_lang_Runtime::freeMemory() {
  MEMORYSTATUS status;
  GlobalMemoryStatus(&status);
  return static_cast<int64_t>(status.dwAvailPhys);
}

int64_t java_lang_Runtime::totalMemory() {
  MEMORYSTATUS status;
  GlobalMemoryStatus(&status);
  return static_cast<int64_t>(status.dwTotalPhys);
}

void java_lang_Runtime::exit(int32_t /*status*/) {}

void java_lang_Runtime::gc() {}

void java_lang_Runtime::clinit() { statics().java_lang_Runtime.instance = newObject<java_lang_Runtime>(); }
