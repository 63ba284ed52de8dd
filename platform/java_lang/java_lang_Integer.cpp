#include "platform/java_lang/java_lang_Integer.h"

#include "runtime/lang/NumberText.h"

int32_t java_lang_Integer::equals(Object* other) {
  return Object::instanceOf(other, classId) && static_cast<java_lang_Integer*>(other)->value == value;
}

String* java_lang_Integer::toString() { return intToText(value); }

int32_t java_lang_Integer::parseInt(String* text) { return parseIntText(text); }

int32_t java_lang_Integer::parseInt(String* text, int32_t radix) { return parseIntText(text, radix); }
