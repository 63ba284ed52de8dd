#include "platform/com_sun_cldc_i18n_uclc/com_sun_cldc_i18n_uclc_DefaultCaseConverter.h"

namespace {
constexpr char16_t sharpS = 223;
constexpr char16_t yWithDiaeresis = 255;
constexpr char16_t capitalYWithDiaeresis = 0x0178;
}  // namespace

bool com_sun_cldc_i18n_uclc_DefaultCaseConverter::isLowerCase(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= 223 && c <= 246) || (c >= 248 && c <= 255);
}

bool com_sun_cldc_i18n_uclc_DefaultCaseConverter::isUpperCase(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 192 && c <= 214) || (c >= 216 && c <= 222);
}

char16_t com_sun_cldc_i18n_uclc_DefaultCaseConverter::toLowerCase(char16_t c) {
  return isUpperCase(c) ? static_cast<char16_t>(c + 32) : c;
}

// A plain minus 32 would turn the two Latin-1 letters without an upper case
// in that range into symbols.
char16_t com_sun_cldc_i18n_uclc_DefaultCaseConverter::toUpperCase(char16_t c) {
  if (c == sharpS) return c;
  if (c == yWithDiaeresis) return capitalYWithDiaeresis;
  return isLowerCase(c) ? static_cast<char16_t>(c - 32) : c;
}

int32_t com_sun_cldc_i18n_uclc_DefaultCaseConverter::digit(char16_t c, int32_t radix) {
  if (radix < 2 || radix > 36) return -1;
  int32_t value = -1;
  if (isDigit(c)) {
    value = c - u'0';
  } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
    value = (c & 31) + 9;
  }
  return value < radix ? value : -1;
}
