#include "platform/java_lang/java_lang_Character.h"

#include "platform/com_sun_cldc_i18n_uclc/com_sun_cldc_i18n_uclc_DefaultCaseConverter.h"
#include "runtime/object/ObjectFactory.h"

namespace {
using Converter = com_sun_cldc_i18n_uclc_DefaultCaseConverter;
char16_t low16(int32_t c) { return static_cast<char16_t>(c & 0xFFFF); }
}  // namespace

int32_t java_lang_Character::equals(Object* other) {
  return Object::instanceOf(other, classId) && static_cast<java_lang_Character*>(other)->value == value;
}

String* java_lang_Character::toString() {
  const char16_t text[2] = {value, 0};
  return newObject<String>(text, 0, 1);
}

bool java_lang_Character::isLowerCase(int32_t c) { return Converter::isLowerCase(low16(c)); }
bool java_lang_Character::isUpperCase(int32_t c) { return Converter::isUpperCase(low16(c)); }
bool java_lang_Character::isDigit(int32_t c) { return Converter::isDigit(low16(c)); }
char16_t java_lang_Character::toLowerCase(int32_t c) { return Converter::toLowerCase(low16(c)); }
char16_t java_lang_Character::toUpperCase(int32_t c) { return Converter::toUpperCase(low16(c)); }
int32_t java_lang_Character::digit(int32_t c, int32_t radix) { return Converter::digit(low16(c), radix); }
