#include "platform/java_lang/java_lang_Boolean.h"

#include "runtime/object/ObjectFactory.h"

int32_t java_lang_Boolean::equals(Object* other) {
  return Object::instanceOf(other, classId) && static_cast<java_lang_Boolean*>(other)->value == value;
}

String* java_lang_Boolean::toString() { return newObject<String>(value == 1 ? "true" : "false"); }
