// The bounds of a frame as its modules would be painted: the painter's
// offset and flag arithmetic, measuring instead of drawing.
#include <cstdint>
#include <utility>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/DebugLog.h"

namespace {

using spritelimit::maxFrameNesting;

struct BoundsWalk {
  const ASprite& sprite;
  ASpriteStatics& statics;
  bool tooDeep = false;

  int32_t composed(IntArray* table, int32_t f) const { return table->get(f & 7) | (f & ~7); }

  void module(int32_t m, int32_t x, int32_t y, int32_t flags) {
    int32_t w = sprite.getModuleWidth(m);
    int32_t h = sprite.getModuleHeight(m);
    if ((flags & spritetransform::rotate90) != 0) std::swap(w, h);
    if (x < statics.boundsMinX) statics.boundsMinX = x;
    if (y < statics.boundsMinY) statics.boundsMinY = y;
    if (x + w > statics.boundsMaxX) statics.boundsMaxX = x + w;
    if (y + h > statics.boundsMaxY) statics.boundsMaxY = y + h;
  }

  void frameModule(int32_t frame, int32_t i, int32_t x, int32_t y, int32_t flags, int32_t depth) {
    const int32_t k = sprite.frameFirstModule->get(frame) + i;
    int32_t f = sprite.fmoduleFlags->get(k) & 0xFF;
    const int32_t m = sprite.getFModuleModule(k);
    const bool namesFrame = (f & spritetransform::hyperFrame) != 0;
    int32_t w = namesFrame ? 0 : sprite.getModuleWidth(m);
    int32_t h = namesFrame ? 0 : sprite.getModuleHeight(m);
    int32_t ox = sprite.getFModuleX(k);
    int32_t oy = sprite.getFModuleY(k);
    if ((f & spritetransform::rotate90) != 0) std::swap(w, h);
    if ((flags & spritetransform::flipX) != 0) {
      f = composed(statics.flipXTable, f);
      ox = -(w + ox);
    }
    if ((flags & spritetransform::flipY) != 0) {
      f = composed(statics.flipYTable, f);
      oy = -(h + oy);
    }
    if ((flags & spritetransform::rotate90) != 0) {
      f = composed(statics.rotateTable, f);
      const int32_t rotatedX = -(h + oy);
      oy = ox;
      ox = rotatedX;
    }
    if (namesFrame)
      wholeFrame(m, x + ox, y + oy, f & 15, depth + 1);
    else
      module(m, x + ox, y + oy, f & 15);
  }

  void wholeFrame(int32_t frame, int32_t x, int32_t y, int32_t flags, int32_t depth) {
    if (depth > maxFrameNesting) {
      tooDeep = true;
      return;
    }
    const int32_t count = sprite.getFModuleCount(frame);
    for (int32_t i = 0; i < count; ++i) frameModule(frame, i, x, y, flags, depth);
  }
};

}  // namespace

void ASprite::getFrameBounds(IntArray* out, int32_t frame, int32_t x, int32_t y, int32_t flags) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  statics.measureMode = 1;
  statics.boundsMinX = statics.boundsMinY = INT32_MAX;
  statics.boundsMaxX = statics.boundsMaxY = INT32_MIN;
  BoundsWalk walk{*this, statics};
  if (frame >= 0 && frame < getFrameCount()) walk.wholeFrame(frame, x, y, flags, 0);
  if (walk.tooDeep) debugLog("ASprite: frame %d nests frames deeper than %d; measured in part", frame, maxFrameNesting);
  statics.measureMode = 0;
  if (out == nullptr) return;
  out->set(0, statics.boundsMinX);
  out->set(1, statics.boundsMinY);
  out->set(2, statics.boundsMaxX);
  out->set(3, statics.boundsMaxY);
}
