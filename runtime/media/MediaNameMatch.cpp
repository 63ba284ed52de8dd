#include "runtime/media/MediaNameMatch.h"

#include <cstring>

#include "runtime/lang/String.h"

namespace {

char16_t asciiLower(char16_t character) {
  return (character >= u'A' && character <= u'Z') ? static_cast<char16_t>(character + (u'a' - u'A')) : character;
}

}  // namespace

bool matchesMediaName(String* given, const char* name) {
  if (given == nullptr) return false;
  const int32_t length = given->length();
  if (static_cast<size_t>(length) > std::strlen(name)) return false;
  const char16_t* characters = given->characters();
  for (int32_t index = 0; index < length; ++index) {
    if (asciiLower(characters[index]) != asciiLower(static_cast<unsigned char>(name[index]))) return false;
  }
  return true;
}
