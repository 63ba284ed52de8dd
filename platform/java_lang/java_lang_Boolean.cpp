#include "platform/java_lang/java_lang_Boolean.h"

#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

int32_t java_lang_Boolean::equals(Object* other) {
  return Object::instanceOf(other, classId) && static_cast<java_lang_Boolean*>(other)->value == value;
}

String* java_lang_Boolean::toString() {
  return stringLiteral(static_cast<int32_t>(value == 1 ? LiteralId::trueText : LiteralId::falseText));
}

void java_lang_Boolean::clinit() {
  java_lang_BooleanStatics& booleans = statics().java_lang_Boolean;
  booleans.trueValue = newObject<java_lang_Boolean>(1);
  booleans.falseValue = newObject<java_lang_Boolean>(0);
}
