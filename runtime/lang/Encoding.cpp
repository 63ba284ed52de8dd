#include "runtime/lang/Encoding.h"

#include "runtime/lang/String.h"

namespace {

bool nameIs(const String* name, const char* expected, bool ignoreAsciiCase) {
  const int32_t length = name->length();
  const char16_t* characters = name->characters();
  for (int32_t i = 0; i < length; ++i) {
    char16_t character = characters[i];
    auto wanted = static_cast<char16_t>(static_cast<unsigned char>(expected[i]));
    if (wanted == 0) return false;
    if (ignoreAsciiCase) {
      if (character >= u'a' && character <= u'z') character = static_cast<char16_t>(character - 32);
      if (wanted >= u'a' && wanted <= u'z') wanted = static_cast<char16_t>(wanted - 32);
    }
    if (character != wanted) return false;
  }
  return expected[length] == '\0';
}

// The bytes of the UTF-8 sequence that starts with lead; 0 for a byte that
// starts none (a continuation byte, or a lead of four bytes or more).
int32_t utf8SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 0;
}

bool sjisLeadByte(uint8_t byte) { return byte >= 0x80 && (byte < 0xA0 || byte >= 0xE0); }

// Walks the bytes once; emit receives each unit.
template <class Emit>
void utf8Walk(const uint8_t* bytes, int32_t count, Emit&& emit) {
  for (int32_t position = 0; position < count;) {
    const uint8_t lead = bytes[position];
    const int32_t length = utf8SequenceLength(lead);
    if (length == 0) {
      ++position;
      continue;
    }
    if (count - position < length) return;
    const uint8_t* sequence = bytes + position;
    if (length == 1) {
      emit(lead);
    } else if (length == 2) {
      emit(static_cast<char16_t>(((lead & 0x1F) << 6) | (sequence[1] & 0x3F)));
    } else {
      emit(static_cast<char16_t>(((lead & 0x0F) << 12) | ((sequence[1] & 0x3F) << 6) | (sequence[2] & 0x3F)));
    }
    position += length;
  }
}

template <class Emit>
void sjisWalk(const uint8_t* bytes, int32_t count, Emit&& emit) {
  for (int32_t position = 0; position < count;) {
    const uint8_t lead = bytes[position];
    if (!sjisLeadByte(lead)) {
      emit(lead);
      ++position;
    } else {
      if (count - position < 2) return;
      emit(static_cast<char16_t>((lead << 8) | bytes[position + 1]));
      position += 2;
    }
  }
}

}  // namespace

Encoding encodingNamed(const String* name) {
  if (name == nullptr) return Encoding::latin1;
  if (nameIs(name, "UTF-8", true) || nameIs(name, "UTF8", true)) return Encoding::utf8;
  if (nameIs(name, "ISO-8859-1", false)) return Encoding::latin1;
  if (nameIs(name, "SJIS", false)) return Encoding::sjis;
  return Encoding::unknown;
}

int32_t decodedLength(Encoding encoding, const uint8_t* bytes, int32_t count) {
  int32_t units = 0;
  switch (encoding) {
    case Encoding::latin1: return count;
    case Encoding::utf8: utf8Walk(bytes, count, [&](char16_t) { ++units; }); return units;
    case Encoding::sjis: sjisWalk(bytes, count, [&](char16_t) { ++units; }); return units;
    case Encoding::unknown: return 0;
  }
  return 0;
}

void decodeBytes(Encoding encoding, const uint8_t* bytes, int32_t count, char16_t* units) {
  switch (encoding) {
    case Encoding::latin1:
      for (int32_t i = 0; i < count; ++i) units[i] = bytes[i];
      return;
    case Encoding::utf8: utf8Walk(bytes, count, [&](char16_t unit) { *units++ = unit; }); return;
    case Encoding::sjis: sjisWalk(bytes, count, [&](char16_t unit) { *units++ = unit; }); return;
    case Encoding::unknown: return;
  }
}

int32_t encodedLength(Encoding encoding, const char16_t* units, int32_t count) {
  int32_t bytes = 0;
  switch (encoding) {
    case Encoding::latin1: return count;
    case Encoding::utf8:
      for (int32_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        bytes += unit >= 1 && unit <= 0x7F ? 1 : unit <= 0x7FF ? 2 : 3;
      }
      return bytes;
    case Encoding::sjis:
      for (int32_t i = 0; i < count; ++i) bytes += units[i] <= 0xFF ? 1 : 2;
      return bytes;
    case Encoding::unknown: return 0;
  }
  return 0;
}

void encodeUnits(Encoding encoding, const char16_t* units, int32_t count, uint8_t* bytes) {
  switch (encoding) {
    case Encoding::latin1:
      for (int32_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(units[i]);
      return;
    case Encoding::utf8:
      for (int32_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit >= 1 && unit <= 0x7F) {
          *bytes++ = static_cast<uint8_t>(unit);
        } else if (unit <= 0x7FF) {
          // The zero character takes two bytes, as in Java's modified UTF-8.
          *bytes++ = static_cast<uint8_t>(0xC0 | (unit >> 6));
          *bytes++ = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        } else {
          *bytes++ = static_cast<uint8_t>(0xE0 | (unit >> 12));
          *bytes++ = static_cast<uint8_t>(0x80 | ((unit >> 6) & 0x3F));
          *bytes++ = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        }
      }
      return;
    case Encoding::sjis:
      for (int32_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit > 0xFF) *bytes++ = static_cast<uint8_t>(unit >> 8);
        *bytes++ = static_cast<uint8_t>(unit);
      }
      return;
    case Encoding::unknown: return;
  }
}
