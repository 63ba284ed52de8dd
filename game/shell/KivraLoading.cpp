// The promotion screen's loading steps: one pack entry per step, read at a
// running position from 0. Texts and glyphs whose bounds run past their entry
// are refused rather than read.
#include <array>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

ByteArray* openEntry(int32_t i) {
  kivra().position = 0;
  kivra().readPastEnd = false;
  return Kivra::readPackEntry(i);
}

int32_t countOf(ObjectArray* table) { return table != nullptr ? table->length() : 0; }

ObjectArray* rowNames(int32_t list) {
  ObjectArray* tables = kivra().rowNames;
  return tables != nullptr ? static_cast<ObjectArray*>(tables->get(list)) : nullptr;
}

// Entry 1: the text block of the parameter value in use.
void readTexts() {
  KivraStatics& k = kivra();
  k.texts = nullptr;
  ByteArray* entry = openEntry(1);
  ByteArray* block = nullptr;
  for (int32_t i = 0; i <= k.parameterIndex && !k.readPastEnd; ++i) block = Kivra::readChunk(entry);
  if (block == nullptr || k.readPastEnd) return (void)debugLog("Kivra: no texts for parameter %d", k.parameterIndex);
  k.position = 0;
  Kivra::readU16(block);
  const int32_t dataLength = Kivra::readU16(block);
  const int32_t dataStart = k.position;
  k.position += dataLength;
  Kivra::readU16(block);
  const int32_t count = Kivra::readU16(block);
  if (k.readPastEnd || dataStart + dataLength > block->length()) {
    return (void)debugLog("Kivra: text block of parameter %d cut short", k.parameterIndex);
  }
  ObjectArray* texts = newObjectArray(count);
  String* encoding = stringLiteral(static_cast<int32_t>(LiteralId::textEncodingName));
  int32_t start = 0;
  for (int32_t j = 0; j < count && texts != nullptr; ++j) {
    const int32_t end = j == count - 1 ? dataLength : Kivra::readU16(block);
    if (k.readPastEnd || end > dataLength || end < start) {
      return (void)debugLog("Kivra: text %d ends outside its block", j);
    }
    if (end > start) texts->set(j, newObject<String>(block, dataStart + start, end - start, encoding));
    start = end;
  }
  k.texts = texts;
}

// Entry 2: the font image in three colours and the glyph table.
void readFont() {
  KivraStatics& k = kivra();
  ByteArray* entry = openEntry(2);
  const int32_t chunkLength = Kivra::readU16(entry);
  k.position = 0;
  javax_microedition_lcdui_Image* plain = Kivra::readChunkImage(entry);
  if (plain == nullptr || k.readPastEnd) return (void)debugLog("Kivra: no font");
  const int32_t glyphBytes = Kivra::readU16(entry);
  const int32_t highest = Kivra::readU16(entry);
  const int32_t recordBytes = 4 + k.wideGlyphs;
  ByteArray* table = newByteArray((highest + 1) * recordBytes);
  ObjectArray* images = newObjectArray(3);
  if (table == nullptr || images == nullptr) return;
  images->set(0, plain);
  const std::array<int32_t, 2> colours = {0x00B4EF, 0xFF0000};
  for (int32_t c = 0; c < 2; ++c) {
    ByteArray* copy = newByteArray(entry->length());
    if (copy == nullptr) return;
    arraycopy(entry, 0, copy, 0, entry->length());
    images->set(c + 1, Kivra::recolourImage(copy, 2, chunkLength, 1, colours[c]));
  }
  const int32_t glyphs = glyphBytes / (2 + recordBytes);
  for (int32_t g = 0; g < glyphs && !k.readPastEnd; ++g) {
    const int32_t code = Kivra::readU16(entry);
    const int32_t from = k.position;
    k.position += recordBytes;
    if (k.position > entry->length()) {
      k.readPastEnd = true;
    } else if (code <= highest) {
      arraycopy(entry, from, table, code * recordBytes, recordBytes);
    }  // a code past the table's highest has nowhere to go
  }
  if (k.readPastEnd) debugLog("Kivra: glyph table cut short");
  k.glyphTable = table;
  k.fontImages = images;
  k.fontHeight = 32 <= highest ? table->get(32 * recordBytes + recordBytes - 1) & 255 : 0;
  k.glyphSpacing = k.fontHeight == 13 ? 0 : -1;
  Kivra::wrapNotice();
}

void readImages(int32_t entryIndex, ObjectArray* into, int32_t count) {
  ByteArray* entry = openEntry(entryIndex);
  for (int32_t i = 0; i < count && into != nullptr && entry != nullptr; ++i) into->set(i, Kivra::readChunkImage(entry));
}

javax_microedition_lcdui_Image* fixedImage(int32_t i) {
  ObjectArray* images = kivra().images;
  return images != nullptr ? static_cast<javax_microedition_lcdui_Image*>(images->get(i)) : nullptr;
}

void readListImages(int32_t list) {
  KivraStatics& k = kivra();
  auto* images = k.listImages != nullptr ? static_cast<ObjectArray*>(k.listImages->get(list)) : nullptr;
  const int32_t rows = countOf(rowNames(list));
  if (images == nullptr || rows == 0) return;
  readImages(6 + list, images, rows - 1);
  images->set(rows - 1, fixedImage(11));
  if (k.pageImages != nullptr) k.pageImages->set(list == 0 ? k.firstListPage : k.secondListPage, fixedImage(10));
}

bool sameText(String* a, int32_t literalIndex) {
  String* b = stringLiteral(literalIndex);
  return a != nullptr && b != nullptr && a->compareTo(b) == 0;
}

}  // namespace

javax_microedition_lcdui_Image* Kivra::readChunkImage(ByteArray* entry) {
  KivraStatics& k = kivra();
  const int32_t length = readU16(entry);
  if (k.readPastEnd || length > entry->length() - k.position) {
    k.readPastEnd = true;
    return nullptr;
  }
  javax_microedition_lcdui_Image* image = javax_microedition_lcdui_Image::createImage(entry, k.position, length);
  k.position += length;
  return image;
}

void Kivra::loadStep(int32_t step) {
  KivraStatics& k = kivra();
  k.position = 0;
  const bool fullScreen = k.packFlags != nullptr && k.packFlags->get(0);
  switch (step) {
    case -1: {
      k.images = newObjectArray(14);
      k.pageImages = newObjectArray(k.pageCount);
      k.listImages = newObjectArray(3);
      for (int32_t list = 0; list < 3 && k.listImages != nullptr; ++list) {
        k.listImages->set(list, newObjectArray(countOf(rowNames(list))));
      }
      break;
    }
    case 0: openPack(); break;
    case 1: readTexts(); break;
    case 2: readFont(); break;
    case 3: readImages(3, k.images, 14); break;
    case 4: {
      ByteArray* entry = openEntry(4);
      for (int32_t page = 0; page < countOf(k.pageNames) && entry != nullptr; ++page) {
        javax_microedition_lcdui_Image* image = readChunkImage(entry);
        if (k.pageImages != nullptr) k.pageImages->set(page, image);
      }
      break;
    }
    case 5: {
      ByteArray* entry = openEntry(5);
      if (entry == nullptr || k.pageImages == nullptr) break;
      k.pageImages->set(k.mainLinkPage, readChunkImage(entry));
      for (int32_t i = 0; i <= k.parameterIndex && !k.readPastEnd; ++i) k.parameterImage = readChunkImage(entry);
      break;
    }
    case 6:
    case 7: readListImages(step - 6); break;
    case 8: {
      ByteArray* entry = openEntry(8);
      if (entry == nullptr || k.pageImages == nullptr) break;
      k.pageImages->set(k.bannerPage, readChunkImage(entry));
      auto* value = static_cast<String*>(k.parameterValues->get(k.parameterIndex));
      if ((sameText(value, static_cast<int32_t>(LiteralId::languageSuffix7)) ||
           sameText(value, static_cast<int32_t>(LiteralId::promotionExtraImageValue))) &&
          k.extraImage == nullptr) {
        k.extraImage = readChunkImage(entry);
      }
      break;
    }
    case 9:
      if (fullScreen) {
        ByteArray* entry = openEntry(9);
        if (entry != nullptr && k.pageImages != nullptr) k.pageImages->set(k.fullScreenPage, readChunkImage(entry));
        break;
      }
      releasePack();
      break;
    case 10:
      if (fullScreen) releasePack();
      break;
    default: break;
  }
}

void Kivra::releasePageResources() {
  KivraStatics& k = kivra();
  if (k.pageImages == nullptr || k.pageIndex < 0 || k.pageIndex >= k.pageImages->length()) return;
  k.pageImages->set(k.pageIndex, nullptr);
}

javax_microedition_lcdui_Image* Kivra::recolourImage(ByteArray* bytes, int32_t offset, int32_t length, int32_t index,
                                                     int32_t rgb) {
  if (bytes == nullptr || offset < 0 || length < 0 || offset > bytes->length() - length) return nullptr;
  int8_t* data = bytes->m_elements;
  const int32_t end = offset + length;
  int32_t type = -1;
  for (int32_t i = offset; i + 4 <= end; ++i) {
    if (data[i] == 'P' && data[i + 1] == 'L' && data[i + 2] == 'T' && data[i + 3] == 'E') {
      type = i;
      break;
    }
  }
  if (type >= offset + 4) {
    auto byteAt = [&](int32_t at) { return static_cast<uint32_t>(static_cast<uint8_t>(data[at])); };
    const uint32_t dataLength = byteAt(type - 4) << 24 | byteAt(type - 3) << 16 | byteAt(type - 2) << 8 | byteAt(type - 1);
    // The entry and the CRC after the palette must lie inside the image.
    if (dataLength <= static_cast<uint32_t>(end - type - 8) && index >= 0 &&
        static_cast<uint32_t>(index) < dataLength / 3) {
      int8_t* entry = data + type + 4 + 3 * index;
      entry[0] = static_cast<int8_t>(rgb >> 16);
      entry[1] = static_cast<int8_t>(rgb >> 8);
      entry[2] = static_cast<int8_t>(rgb);
      uint32_t crc = 0xFFFFFFFFu;
      for (uint32_t i = 0; i < 4 + dataLength; ++i) {
        crc ^= byteAt(type + static_cast<int32_t>(i));
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
      }
      crc = ~crc;
      int8_t* stored = data + type + 4 + dataLength;
      for (int b = 0; b < 4; ++b) stored[b] = static_cast<int8_t>(crc >> (24 - 8 * b));
    } else {
      debugLog("Kivra: palette entry %d outside the image's palette", index);
    }
  }
  if (Application* application = Application::get()) application->m_gcRequested = 1;
  return javax_microedition_lcdui_Image::createImage(bytes, offset, length);
}
