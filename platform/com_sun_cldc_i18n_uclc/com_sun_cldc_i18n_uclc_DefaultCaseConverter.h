#pragma once
// com_sun_cldc_i18n_uclc_DefaultCaseConverter (class id 14): case and digits
// for ASCII and ISO 8859-1. Lower case: a-z, 223-246, 248-255; upper case:
// A-Z, 192-214, 216-222.
#include <cstdint>

struct com_sun_cldc_i18n_uclc_DefaultCaseConverter {
  static bool isLowerCase(char16_t c);
  static bool isUpperCase(char16_t c);
  static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
  // 223 (sharp s) has no upper case of its own and stays; 255 becomes 376.
  static char16_t toLowerCase(char16_t c);
  static char16_t toUpperCase(char16_t c);
  // Only 0-9 and the ASCII letters are digits; -1 for a radix outside 2..36
  // or a value not below it.
  static int32_t digit(char16_t c, int32_t radix);
};
