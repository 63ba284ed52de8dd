// Decoded modules kept per palette: int[] pixels in RGB mode, Images
// otherwise; and the round-robin pools that bound the images of font
// sprites.
#include <algorithm>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/DebugLog.h"

namespace {

using Image = javax_microedition_lcdui_Image;

ObjectArray* rowOf(ObjectArray* cache, int32_t palette) {
  if (cache == nullptr || palette < 0 || palette >= cache->length()) return nullptr;
  return static_cast<ObjectArray*>(cache->get(palette));
}

Object* entryOf(ObjectArray* cache, int32_t palette, int32_t module) {
  ObjectArray* row = rowOf(cache, palette);
  if (row == nullptr || module < 0 || module >= row->length()) return nullptr;
  return row->get(module);
}

// A cache table of paletteCount rows of moduleCount entries, made as needed.
ObjectArray* ensureCacheTable(ObjectArray* table, int32_t paletteCount) {
  return table != nullptr ? table : newObjectArray(paletteCount);
}

bool anyPartialAlpha(const int32_t* pixels, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (static_cast<uint32_t>(pixels[i]) >> 24 != 0xFF) return true;
  return false;
}

}  // namespace

IntArray* ASprite::getModulePixels(int32_t module, int32_t palette) const {
  return static_cast<IntArray*>(entryOf(pixelCache, palette, module));
}

Image* ASprite::getModuleImage(int32_t module, int32_t palette) const {
  return static_cast<Image*>(entryOf(imageCache, palette, module));
}

void ASprite::buildModuleCache(int32_t palette, int32_t first, int32_t last, int32_t copyFrom) {
  ObjectArray*& table = rgbMode() ? pixelCache : imageCache;
  table = ensureCacheTable(table, paletteCount);
  if (table == nullptr || palette < 0 || palette >= table->length()) {
    debugLog("ASprite: no cache for palette %d", palette);
    return;
  }
  if (table->get(palette) == nullptr) table->set(palette, newObjectArray(moduleCount));
  ObjectArray* row = rowOf(table, palette);
  if (row == nullptr || moduleCount < 1) return;
  if (last == -1) last = moduleCount - 1;
  if (!hasImageModules()) return;
  first = first < 0 ? 0 : first;
  last = last >= moduleCount ? moduleCount - 1 : last;
  if (copyFrom < 0) {
    const int32_t savedPalette = currentPalette;
    currentPalette = palette;
    collectIfSwitched();
    for (int32_t m = first; m <= last; ++m) {
      const int32_t w = getModuleWidth(m);
      const int32_t h = getModuleHeight(m);
      if (getModuleKind(m) != spritemodule::image || w < 1 || h < 1) continue;
      IntArray* pixels = decodeModuleRGB(m);
      if (pixels == nullptr) continue;
      const int32_t count = w * h;
      // An array of exactly the module's pixels: stale pixels of the shared
      // buffer past them must not reach the cache or the image.
      IntArray* exact = rgbMode() ? static_cast<IntArray*>(row->get(m)) : nullptr;
      if (exact == nullptr || exact->length() != count) exact = newIntArray(count);
      if (exact == nullptr || exact->length() != count) {
        debugLog("ASprite: no room to cache module %d", m);
        continue;
      }
      pixels = toolkitStatics().ASprite.pixelBuffer;  // the allocation may have moved it
      std::copy(pixels->elements(), pixels->elements() + count, exact->elements());
      if (rgbMode()) {
        row->set(m, exact);
      } else {
        const bool processAlpha = anyPartialAlpha(exact->elements(), count);
        row->set(m, Image::createRGBImage(exact, w, h, processAlpha));
      }
    }
    collectIfSwitched();
    currentPalette = savedPalette;
  } else {
    ObjectArray* source = rowOf(table, copyFrom);
    for (int32_t m = first; m <= last; ++m) row->set(m, source != nullptr ? source->get(m) : nullptr);
  }
  collectIfSwitched();
}

void ASprite::buildFrameCache(int32_t palette, int32_t frame) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  const int8_t wasSwitched = statics.gcAfterLoad;
  collectIfSwitched();
  statics.gcAfterLoad = 0;
  std::vector<bool> walked(static_cast<size_t>(getFrameCount() > 0 ? getFrameCount() : 0));
  buildNestedFrameCache(palette, frame, 0, walked);
  statics.gcAfterLoad = wasSwitched;
  collectIfSwitched();
}

void ASprite::buildNestedFrameCache(int32_t palette, int32_t frame, int32_t depth, std::vector<bool>& walked) {
  // Damaged data could nest frames in a cycle, or name one frame many times
  // at every level.
  if (frame < 0 || frame >= getFrameCount() || depth > spritelimit::maxFrameNesting) return;
  if (walked[static_cast<size_t>(frame)]) return;
  walked[static_cast<size_t>(frame)] = true;
  const int32_t first = frameFirstModule->get(frame);
  for (int32_t i = 0; i < getFModuleCount(frame); ++i) {
    const int32_t k = first + i;
    const int32_t m = getFModuleModule(k);
    if ((fmoduleFlags->get(k) & spritetransform::hyperFrame) != 0) {
      buildNestedFrameCache(palette, m, depth + 1, walked);
      continue;
    }
    const int32_t p = (flags & spriteflag::fmodulePalettes) != 0 ? getFModulePalette(k) : palette;
    if (getModuleImage(m, p) == nullptr) buildModuleCache(p, m, m, -1);
  }
}

void ASprite::buildAnimCache(int32_t palette, int32_t anim) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  const int8_t wasSwitched = statics.gcAfterLoad;
  collectIfSwitched();
  statics.gcAfterLoad = 0;
  for (int32_t i = 0; i < getAFrameCount(anim); ++i) buildFrameCache(palette, getAFrameFrame(anim, i));
  statics.gcAfterLoad = wasSwitched;
  collectIfSwitched();
}

void ASprite::initCachePools(int32_t n) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  statics.poolEntries = newObjectArray(n);
  statics.poolOwners = newObjectArray(n);
  statics.poolNextSlot = newIntArray(n);
  statics.poolCapacity = newIntArray(n);
}

void ASprite::initCachePool(int32_t pool, int32_t capacity) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  if (statics.poolCapacity == nullptr || pool < 0 || pool >= statics.poolCapacity->length() || capacity < 1) {
    debugLog("ASprite: no cache pool %d of capacity %d", pool, capacity);
    return;
  }
  ShortArray* entries = newShortArray(capacity);
  ObjectArray* owners = newObjectArray(capacity);
  if (entries == nullptr || owners == nullptr) return;
  for (int32_t i = 0; i < capacity; ++i) entries->set(i, -1);
  statics.poolCapacity->set(pool, capacity);
  statics.poolNextSlot->set(pool, 0);
  statics.poolEntries->set(pool, entries);
  statics.poolOwners->set(pool, owners);
}

void ASprite::setCachePool(ASprite* sprite, int32_t pool) {
  sprite->cachePool = pool;
  if (sprite->rgbMode() || sprite->imageCache != nullptr) return;
  sprite->imageCache = newObjectArray(sprite->paletteCount);
  if (sprite->imageCache == nullptr) return;
  for (int32_t p = 0; p < sprite->paletteCount; ++p) sprite->imageCache->set(p, newObjectArray(sprite->moduleCount));
}

void ASprite::cacheModuleImage(ASprite* sprite, int32_t module, Image* image) {
  const int32_t pool = sprite->cachePool;
  ObjectArray* row = rowOf(sprite->imageCache, sprite->currentPalette);
  if (pool < 0 || row == nullptr || module < 0 || module >= row->length() || row->get(module) != nullptr) return;
  ASpriteStatics& statics = toolkitStatics().ASprite;
  if (statics.poolEntries == nullptr || pool >= statics.poolEntries->length()) return;
  auto* entries = static_cast<ShortArray*>(statics.poolEntries->get(pool));
  auto* owners = static_cast<ObjectArray*>(statics.poolOwners->get(pool));
  const int32_t capacity = statics.poolCapacity->get(pool);
  if (entries == nullptr || owners == nullptr || capacity < 1) return;
  const int32_t slot = statics.poolNextSlot->get(pool);
  const int32_t held = entries->get(slot);
  if (auto* owner = static_cast<ASprite*>(owners->get(slot)); held >= 0 && owner != nullptr) {
    if (ObjectArray* ownerRow = rowOf(owner->imageCache, held >> 10)) ownerRow->set(held & 0x3FF, nullptr);
  }
  entries->set(slot, static_cast<int16_t>((module & 0x3FF) + (sprite->currentPalette << 10)));
  owners->set(slot, sprite);
  statics.poolNextSlot->set(pool, (slot + 1) % capacity);
  row->set(module, image);
}
