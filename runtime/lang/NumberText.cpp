#include "runtime/lang/NumberText.h"

#include <cinttypes>
#include <cstdio>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"

namespace {

bool isWhiteSpace(char16_t character) {
  return character == u' ' || (character >= u'\t' && character <= u'\r');
}

// Decimal digits with a sign, saturating at the ends of [minimum, maximum].
int64_t parseDecimal(String* text, int64_t minimum, int64_t maximum) {
  if (text == nullptr) {
    logFailedCheck("NullPointer");
    return 0;
  }
  const char16_t* characters = text->characters();
  const int32_t length = text->length();
  int32_t position = 0;
  while (position < length && isWhiteSpace(characters[position])) ++position;
  bool negative = false;
  if (position < length && (characters[position] == u'-' || characters[position] == u'+')) {
    negative = characters[position] == u'-';
    ++position;
  }
  // Accumulated as a magnitude; the limit is that of the sign's end.
  const uint64_t limit = negative ? uint64_t(-(minimum + 1)) + 1 : uint64_t(maximum);
  uint64_t magnitude = 0;
  bool outOfRange = false;
  for (; position < length && characters[position] >= u'0' && characters[position] <= u'9'; ++position) {
    const unsigned digit = characters[position] - u'0';
    if (outOfRange || magnitude > (limit - digit) / 10) {
      outOfRange = true;
      continue;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (outOfRange) {
    debugLog("number text out of range, answers the %s", negative ? "minimum" : "maximum");
    return negative ? minimum : maximum;
  }
  return negative ? int64_t(0 - magnitude) : int64_t(magnitude);
}

void checkRadix(int32_t radix) {
  if (radix != 10) logFailedCheck("base == 10");
}

}  // namespace

String* intToText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return newString(text);
}

String* intToHexText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<uint32_t>(value));
  return newString(text);
}

String* intToBinaryText(int32_t value) {
  char text[33];
  auto bits = static_cast<uint32_t>(value);
  int32_t position = 32;
  text[position] = '\0';
  do {
    text[--position] = static_cast<char>('0' + (bits & 1));
    bits >>= 1;
  } while (bits != 0);
  return newString(text + position);
}

String* longToText(int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%" PRId64, value);
  return newString(text);
}

int32_t parseIntText(String* text) { return static_cast<int32_t>(parseDecimal(text, INT32_MIN, INT32_MAX)); }

int32_t parseIntText(String* text, int32_t radix) {
  checkRadix(radix);
  return parseIntText(text);
}

int64_t parseLongText(String* text) { return parseDecimal(text, INT64_MIN, INT64_MAX); }

int64_t parseLongText(String* text, int32_t radix) {
  checkRadix(radix);
  return parseLongText(text);
}
