// Text packs: all texts of a language as one byte array with an offset
// table, decoded to a String when asked for. The table is checked when read:
// ends that run backwards or past the data refuse the whole pack.
#include <algorithm>
#include <string>

#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/TextUtf8.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/java_lang/java_lang_System.h"
#include "game/toolkit/cGamePackReading.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

cGameTextStatics& texts() { return toolkitStatics().cGameText; }

String* emptyText() { return stringLiteral(static_cast<int32_t>(LiteralId::emptyText)); }

String* newStringOf(const std::u16string& units) {
  return newObject<String>(units.data(), 0, static_cast<int32_t>(units.size()));
}

// Entry `entry` of the open pack read as a text pack. Compressed entries are
// located a second time by readPackEntry, as the loader always did.
void readTextEntry(int32_t entry) {
  const int32_t n = cGame::locatePack(entry);
  if (n < 0) return;
  ByteArray* data = cGame::isPackEntryCompressed() ? cGame::readPackEntry(entry) : readLocatedPackEntry(n);
  if (data == nullptr) return;
  auto* in = newObject<java_io_ByteArrayInputStream>(data);
  if (in != nullptr) cGame::readTextPack(in);
}

}  // namespace

int32_t cGame::readTextPack(java_io_InputStream* in) {
  cGameTextStatics& t = texts();
  setStreamByteCount(0);
  const int32_t count = readStreamS32(in);
  if (count < 0 || static_cast<int64_t>(count) * 4 > in->available()) {
    debugLog("text pack: count %d does not fit the data", count);
    return getStreamByteCount();
  }
  IntArray* offsets = newIntArray(count + 1);
  if (offsets == nullptr) return getStreamByteCount();
  for (int32_t i = 1; i <= count; ++i) {
    const int32_t end = readStreamS32(in);
    if (end < offsets->get(i - 1) || takePendingException(classid::java_lang_Exception)) {
      debugLog("text pack: end of text %d out of order", i - 1);
      return getStreamByteCount();
    }
    offsets->set(i, end);
  }
  const int32_t length = offsets->get(count);
  if (length > in->available()) {
    debugLog("text pack: %d text bytes pass the end of the data", length);
    return getStreamByteCount();
  }
  ByteArray* bytes = newByteArray(length);
  if (bytes == nullptr || readStreamFully(in, bytes, 0, length) != length) return getStreamByteCount();
  t.count = count;
  t.offsets = offsets;
  t.bytes = bytes;
  return getStreamByteCount();
}

void cGame::loadTextPack(String* pack, int32_t entry) {
  clearTexts();
  openPack(pack);
  readTextEntry(entry);
  closePack();
}

void cGame::loadTextPacks(String* pack, int32_t first, int32_t second) {
  cGameTextStatics& t = texts();
  clearTexts();
  openPack(pack);
  readTextEntry(first);
  const int32_t c1 = t.count;
  ByteArray* b1 = t.bytes;
  IntArray* o1 = t.offsets;
  clearTexts();
  readTextEntry(second);
  const int32_t c2 = t.count;
  ByteArray* b2 = t.bytes;
  IntArray* o2 = t.offsets;
  clearTexts();
  closePack();

  // A failed entry joins as an empty one, so the other's ids stay put.
  const int32_t base = o1 != nullptr ? o1->get(c1) : 0;
  const int32_t extra = o2 != nullptr ? o2->get(c2) : 0;
  IntArray* offsets = newIntArray(c1 + c2 + 1);
  ByteArray* bytes = offsets != nullptr ? newByteArray(base + extra) : nullptr;
  if (bytes == nullptr) return;
  for (int32_t k = 1; k <= c1; ++k) offsets->set(k, o1->get(k));
  for (int32_t k = 1; k <= c2; ++k) offsets->set(c1 + k, o2->get(k) + base);
  if (base > 0) std::copy_n(b1->elements(), base, bytes->elements());
  if (extra > 0) std::copy_n(b2->elements(), extra, bytes->elements() + base);
  t.count = c1 + c2;
  t.offsets = offsets;
  t.bytes = bytes;
}

void cGame::clearTexts() {
  cGameTextStatics& t = texts();
  if (t.cache != nullptr) {
    for (int32_t i = 0; i < t.count && i < t.cache->length(); ++i) t.cache->set(i, nullptr);
  }
  t.cache = nullptr;
  t.offsets = nullptr;
  t.bytes = nullptr;
  t.count = 0;
}

String* cGame::getText(int32_t id) {
  cGameTextStatics& t = texts();
  if (id < 0 || id >= t.count || t.offsets == nullptr || t.bytes == nullptr) {
    debugLog("text %d: no such text (%d loaded)", id, t.count);
    return nullptr;
  }
  const int32_t start = t.offsets->get(id);
  const int32_t end = t.offsets->get(id + 1);
  if (start == end) return nullptr;
  String* utf8 = stringLiteral(static_cast<int32_t>(LiteralId::textEncodingName));
  if (t.encoding != nullptr && t.encoding->equals(utf8) != 0) {
    const std::optional<std::u16string> text =
        decodeTextUtf8({reinterpret_cast<const uint8_t*>(t.bytes->elements()) + start, static_cast<size_t>(end - start)});
    return text ? newStringOf(*text) : emptyText();
  }
  return newObject<String>(t.bytes, start, end - start, t.encoding);
}

String* cGame::formatText(String* textTemplate, ObjectArray* args) {
  if (textTemplate == nullptr || textTemplate->indexOf('%') < 0) return textTemplate;
  // Every text is copied out before anything is allocated.
  const std::u16string source(textTemplate->view());
  const int32_t argCount = args != nullptr ? args->length() : 0;
  std::u16string result;
  size_t copied = 0;
  size_t from = 0;
  for (;;) {
    const size_t p = source.find(u'%', from);
    if (p == std::u16string::npos || p + 1 >= source.size()) break;
    const char16_t digit = p + 2 < source.size() ? source[p + 2] : 0;
    if (source[p + 1] == u's' && digit >= u'0' && digit <= u'9' && digit - u'0' < argCount) {
      result.append(source, copied, p - copied);
      auto* arg = static_cast<String*>(args->get(digit - u'0'));
      if (arg != nullptr) {
        result.append(arg->view());
      } else {
        result.append(u"null");
      }
      copied = from = p + 3;
    } else {
      from = p + 1;
    }
  }
  result.append(source, copied, std::u16string::npos);
  return newStringOf(result);
}

String* cGame::formatText1(String* textTemplate, String* arg) {
  ObjectArray* args = newObjectArray(1);
  if (args == nullptr) return nullptr;
  args->set(0, arg);
  return formatText(textTemplate, args);
}

String* cGame::getLanguageSuffix(int32_t i) {
  if (i < 0 || i >= static_cast<int32_t>(std::size(languageSuffixLiterals))) return nullptr;
  return stringLiteral(static_cast<int32_t>(languageSuffixLiterals[i]));
}

void cGame::cacheAllTexts() {
  cGameTextStatics& t = texts();
  ObjectArray* cache = newObjectArray(t.count);
  if (cache == nullptr) return;
  for (int32_t i = 0; i < t.count; ++i) cache->set(i, getText(i));
  t.cache = cache;
  t.offsets = nullptr;
  t.bytes = nullptr;
  java_lang_System::gc();
}

int32_t cGame::getTextCount() { return texts().count; }

void cGame::clinitGameData() {
  texts().encoding = literalOrNull(static_cast<int32_t>(LiteralId::textEncodingName));
}
