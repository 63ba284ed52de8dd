#pragma once
// The byte encodings of strings: ISO-8859-1, UTF-8 and SJIS (whose units are
// the SJIS codes themselves; no table is applied). Each runs in two passes,
// a count and a conversion into storage the caller sized from the count, so
// that no buffer is shared between callers.
#include <cstdint>

class String;

enum class Encoding { latin1, utf8, sjis, unknown };

// "UTF-8" or "UTF8" in any ASCII case, exactly "ISO-8859-1", exactly "SJIS";
// null names ISO-8859-1.
Encoding encodingNamed(const String* name);

// Units the bytes decode to. A sequence cut off by the end of the bytes is
// dropped.
int32_t decodedLength(Encoding encoding, const uint8_t* bytes, int32_t count);
// Writes the decodedLength units.
void decodeBytes(Encoding encoding, const uint8_t* bytes, int32_t count, char16_t* units);

// Bytes the units encode to.
int32_t encodedLength(Encoding encoding, const char16_t* units, int32_t count);
// Writes the encodedLength bytes.
void encodeUnits(Encoding encoding, const char16_t* units, int32_t count, uint8_t* bytes);
