#pragma once
// The natives behind the number classes' text conversions (Integer, Long):
// decimal only, and no parse errors.
#include <cstdint>

class String;

// "%d".
String* intToText(int32_t value);
// "%x": lower case, no prefix, two's complement for negatives.
String* intToHexText(int32_t value);
// The binary digits of the value taken as unsigned, most significant first;
// "0" for 0.
String* intToBinaryText(int32_t value);
// The full signed 64-bit decimal value.
String* longToText(int64_t value);

// Leading white space, an optional sign, then decimal digits up to the first
// character that is not one (a character above 0xFF never is); no digits
// gives 0. A value outside the type's range is logged and answers the
// nearest end of the range. A radix other than 10 logs "base == 10" and a
// stack trace; the conversion stays decimal.
int32_t parseIntText(String* text);
int32_t parseIntText(String* text, int32_t radix);
int64_t parseLongText(String* text);
int64_t parseLongText(String* text, int32_t radix);
