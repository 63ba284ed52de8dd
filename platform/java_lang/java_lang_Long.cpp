#include "platform/java_lang/java_lang_Long.h"

#include "runtime/lang/NumberText.h"

int32_t java_lang_Long::equals(Object* other) {
  return Object::instanceOf(other, classId) && static_cast<java_lang_Long*>(other)->value == value;
}

String* java_lang_Long::toString() { return longToText(value); }
