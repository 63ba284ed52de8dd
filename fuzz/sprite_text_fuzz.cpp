// Sprite painting and text over arbitrary bytes: a u24 length (a real
// sprite block may pass 64 KB), that many bytes of sprite block, then a character map (the first half of the rest,
// little-endian shorts) and a text (the second half, one byte a
// character). A loaded sprite paints every frame and aframe with every
// flag; as a font it measures, draws, wraps and pages the text.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_leak_checking.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/Application.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

Application* startRuntime() {
  static ClassInitialisers initialisers;
  initialisers.gameStatics = describeGameStatics<ToolkitStatics>();
  setLangClassInitialisers(initialisers);
  setToolkitClassInitialisers(initialisers);
  auto* application = new Application();
  application->init(&initialisers, 8u << 20, 8u << 20);
  return application;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 3 || size > (128u << 10)) return 0;
  const size_t blockSize = std::min<size_t>(size - 3, size_t(data[0] | data[1] << 8 | data[2] << 16));
  ByteArray* bytes = newByteArray(int32_t(blockSize));
  if (bytes == nullptr) return 0;
  if (blockSize > 0) std::memcpy(bytes->m_elements, data + 3, blockSize);
  ASprite* sprite = newObject<ASprite>();
  if (sprite == nullptr || !sprite->load(bytes, 0, 0xFFFFFF, 1)) return 0;
  const uint8_t* rest = data + 3 + blockSize;
  const size_t restSize = size - 3 - blockSize;
  const size_t mapShorts = restSize / 4;
  ShortArray* map = newShortArray(int32_t(mapShorts));
  for (size_t i = 0; i < mapShorts; ++i) map->set(int32_t(i), int16_t(rest[2 * i] | rest[2 * i + 1] << 8));
  String* text = newString("");
  for (size_t i = 2 * mapShorts; i < restSize; ++i) text = text->concat(String::valueOf(char16_t(rest[i])));

  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(64, 48);
  javax_microedition_lcdui_Graphics* g = screen->getGraphics();
  ASprite::initCachePools(1);
  ASprite::initCachePool(0, 4);
  if (sprite->getModuleCount() % 2 == 1) ASprite::setCachePool(sprite, 0);
  for (int32_t flags = 0; flags < 8; ++flags) {
    for (int32_t f = 0; f < sprite->getFrameCount(); ++f) sprite->paintFrame(g, f, 32, 24, flags, 0, 0);
    for (int32_t a = 0; a < sprite->getAnimCount(); ++a)
      for (int32_t i = 0; i < sprite->getAFrameCount(a); ++i) sprite->paintAFrame(g, a, i, 32, 24, flags, 0, 0);
  }
  sprite->setCharMap(map);
  sprite->initFontMetrics();
  sprite->measureText(text, nullptr);
  sprite->drawStringAt(g, text, 60, 40, 8 | 32, true);
  toolkitStatics().ASprite.drawLimit = int32_t(restSize % 7);
  sprite->drawStringAt(g, text, 0, 0, 1 | 2, false);
  toolkitStatics().ASprite.drawLimit = -1;
  sprite->wrapText(text, int32_t(restSize % 50));
  sprite->drawPage(g, text, 10, 40, 32, 0, text != nullptr ? text->length() : 0);
  application->m_pending = nullptr;
  return 0;
}
