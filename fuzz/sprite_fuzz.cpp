// Sprite loading and module decoding over arbitrary bytes. A block is either
// refused or loaded consistently: every module of every palette decodes
// within the shared buffer, every frame measures, the caches build.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "runtime/Application.h"
#include "runtime/object/ObjectFactory.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

Application* startRuntime() { return toolkitfuzz::startRuntimeWithLanguageClasses(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  // The largest real sprites are near 90 KB.
  if (size > (128u << 10)) return 0;
  ByteArray* bytes = newByteArray(static_cast<int32_t>(size));
  if (bytes == nullptr) return 0;
  if (size > 0) std::memcpy(bytes->m_elements, data, size);
  ASprite* sprite = newObject<ASprite>();
  if (sprite == nullptr || !sprite->load(bytes, 0, 0xFFFFFF, 1)) return 0;
  IntArray* bounds = newIntArray(4);
  for (int32_t f = 0; f < sprite->getFrameCount(); ++f) sprite->getFrameBounds(bounds, f, 0, 0, 7);
  for (int32_t p = 0; p < sprite->paletteCount; ++p) {
    sprite->setPalette(p);
    for (int32_t m = 0; m < sprite->getModuleCount(); ++m) sprite->decodeModuleRGB(m);
  }
  sprite->setRGBMode(true);
  if (sprite->paletteCount > 0) sprite->buildModuleCache(0, 0, -1, -1);
  for (int32_t a = 0; a < sprite->getAnimCount(); ++a) sprite->buildAnimCache(0, a);
  application->m_pending = nullptr;
  return 0;
}
