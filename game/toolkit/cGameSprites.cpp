// cGame's sprite loading: a pack entry into an ASprite with its palettes'
// alpha and caches prepared.
#include "game/toolkit/ASprite.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

ASprite* cGame::loadSprite(int32_t entry, int32_t paletteMask, int32_t alphaMode, int32_t alpha, bool buildCaches,
                           bool dropData, bool rgbMode) {
  ByteArray* data = cGame::readPackEntry(entry);
  if (data == nullptr || data->length() < spritelimit::minEntryBytes) {
    debugLog("cGame::loadSprite: entry %d is not a sprite (%d bytes)", entry, data != nullptr ? data->length() : 0);
    return nullptr;
  }
  ASprite* sprite = newObject<ASprite>();
  if (sprite == nullptr) return nullptr;
  if (!sprite->load(data, 0, 0xFFFFFF, 1)) {
    debugLog("cGame::loadSprite: entry %d refused", entry);
    return nullptr;
  }
  if (rgbMode) sprite->setRGBMode(true);
  for (int32_t p = 0; p < sprite->paletteCount && (static_cast<uint32_t>(paletteMask) >> p) != 0; ++p) {
    if ((paletteMask >> p & 1) == 0) continue;
    if (alphaMode == 1)
      sprite->setPaletteAlpha(p, alpha, sprite->hasTransparency != 0, sprite->hasAlpha != 0);
    else if (alphaMode == 2)
      sprite->applyAlphaPalette(p);
    if (buildCaches) sprite->buildModuleCache(p, 0, -1, -1);
  }
  if (buildCaches && dropData) sprite->freeImageData();
  return sprite;
}
