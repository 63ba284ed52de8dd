#include "game/toolkit/ASprite.h"

#include <initializer_list>

#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/object/ObjectFactory.h"

namespace {

IntArray* intTable(std::initializer_list<int32_t> values) {
  IntArray* table = newIntArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int32_t value : values) table->set(i++, value);
  return table;
}

ByteArray* byteTable(std::initializer_list<int32_t> values) {
  ByteArray* table = newByteArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int32_t value : values) table->set(i++, static_cast<int8_t>(value));
  return table;
}

}  // namespace

void ASprite::init() { cachePool = -1; }

void ASprite::setPalette(int32_t p) {
  if (p >= 0 && p < paletteCount) currentPalette = p;
}

void ASprite::collectIfSwitched() {
  if (toolkitStatics().ASprite.gcAfterLoad != 0) java_lang_System::gc();
}

void ASprite::clinit() {
  ASpriteStatics& s = toolkitStatics().ASprite;
  s.transformTable = intTable({0, 2, 1, 3, 5, 7, 4, 6});
  s.flipXTable = intTable({1, 0, 3, 2, 6, 7, 4, 5});
  s.flipYTable = intTable({2, 3, 0, 1, 5, 4, 7, 6});
  s.rotateTable = intTable({4, 5, 6, 7, 3, 2, 1, 0});
  s.lineBreaks = newShortArray(400);
  s.textRangeStart = s.textRangeEnd = s.drawLimit = -1;
  s.loaderBounds = newIntArray(4);
  s.gcAfterLoad = 1;
  // Signature, "IHDR", "PLTE", "tRNS", "IDAT", "IEND", the two IHDR tails,
  // the IEND chunk and the zlib header, as the PNG writer would have used.
  s.pngChunkBytes = newObjectArray(10);
  if (s.pngChunkBytes != nullptr) {
    s.pngChunkBytes->set(0, byteTable({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    s.pngChunkBytes->set(1, byteTable({'I', 'H', 'D', 'R'}));
    s.pngChunkBytes->set(2, byteTable({'P', 'L', 'T', 'E'}));
    s.pngChunkBytes->set(3, byteTable({'t', 'R', 'N', 'S'}));
    s.pngChunkBytes->set(4, byteTable({'I', 'D', 'A', 'T'}));
    s.pngChunkBytes->set(5, byteTable({'I', 'E', 'N', 'D'}));
    s.pngChunkBytes->set(6, byteTable({8, 6, 0, 0, 0}));
    s.pngChunkBytes->set(7, byteTable({8, 3, 0, 0, 0}));
    s.pngChunkBytes->set(8, byteTable({0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    s.pngChunkBytes->set(9, byteTable({0x78, 0x9C, 1}));
  }
  s.pngTable = newIntArray(256);
}
