#include "platform/java_lang/java_lang_System.h"

#include "platform/java_util/java_util_Hashtable.h"
#include "runtime/Application.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/io/java_io_ConsoleOutputStream.h"
#include "runtime/io/java_io_PrintStream.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "wince/clock.h"

namespace {

constexpr int32_t propertyTableCapacity = 11;

String* emptyPropertyValue() { return newObject<String>("PROPERTY VALUE EMPTY"); }

}  // namespace

int64_t java_lang_System::currentTimeMillis() { return static_cast<int64_t>(GetTickCount64()); }

void java_lang_System::gc() {
  Application* application = Application::get();
  if (application != nullptr && application->getObjectManager() != nullptr) application->getObjectManager()->gc(0);
}

String* java_lang_System::getProperty(String* key) {
  if (key == nullptr) {
    debugLog("java_lang_System::getProperty(): null key");
    return emptyPropertyValue();
  }
  String* mediaVersionKey = newObject<String>("microedition.media.version");
  if (mediaVersionKey != nullptr && key->equals(mediaVersionKey)) return newObject<String>("1.0");
  java_util_Hashtable* table = statics().java_lang_System.properties;
  if (table != nullptr) {
    if (Object* value = table->get(key)) return static_cast<String*>(value);
  }
  return emptyPropertyValue();
}

java_io_PrintStream* java_lang_System::out() { return statics().java_lang_System.out; }

java_io_PrintStream* java_lang_System::err() { return statics().java_lang_System.err; }

void java_lang_System::clinit() {
  java_lang_SystemStatics& system = statics().java_lang_System;
  system.out = newObject<java_io_PrintStream>(newObject<java_io_ConsoleOutputStream>());
  system.err = system.out;
  system.properties = newObject<java_util_Hashtable>(propertyTableCapacity);
  String* key = literalOrNull(static_cast<int32_t>(LiteralId::systemPropertyKey));
  String* value = literalOrNull(static_cast<int32_t>(LiteralId::systemPropertyValue));
  if (system.properties == nullptr || key == nullptr || value == nullptr) {
    debugLog("java_lang_System: the property table has no entry (no literal pool)");
    return;
  }
  system.properties->put(key, value);
}
