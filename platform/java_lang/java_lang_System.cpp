#include "platform/java_lang/java_lang_System.h"

#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "wince/clock.h"

int64_t java_lang_System::currentTimeMillis() { return static_cast<int64_t>(GetTickCount64()); }

String* java_lang_System::getProperty(String* key) {
  String* mediaVersionKey = newObject<String>("microedition.media.version");
  if (key != nullptr && mediaVersionKey != nullptr && key->equals(mediaVersionKey)) return newObject<String>("1.0");
  return newObject<String>("PROPERTY VALUE EMPTY");
}
