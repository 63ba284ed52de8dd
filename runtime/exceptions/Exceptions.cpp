#include "runtime/exceptions/Exceptions.h"

#include <cstdio>

#include "runtime/LiteralIds.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

void java_lang_ArrayIndexOutOfBoundsException::init(int32_t index) {
  char digits[16];
  const int digitCount = std::snprintf(digits, sizeof digits, "%d", index);
  String* prefix = literalOrNull(static_cast<int32_t>(LiteralId::arrayIndexOutOfBoundsMessage));
  const int32_t prefixLength = prefix != nullptr ? prefix->length() : 0;
  String* text = newObject<String>(prefixLength + digitCount);
  if (text == nullptr || text->length() != prefixLength + digitCount) {
    m_message = text;
    return;
  }
  // charAt reads through the String's own field, which follows the
  // characters if the allocation above moved them.
  for (int32_t i = 0; i < prefixLength; ++i) text->setCharAt(i, prefix->charAt(i));
  for (int i = 0; i < digitCount; ++i) text->setCharAt(prefixLength + i, static_cast<char16_t>(digits[i]));
  m_message = text;
}
