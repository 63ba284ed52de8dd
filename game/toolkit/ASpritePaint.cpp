// The sprite painter: modules, frame modules, frames and aframes into a
// Graphics, with paint flags composed with the flags the sprite stores. Run
// in measure mode it draws nothing and widens the bounds statics instead,
// so getFrameBounds shares the placement arithmetic exactly.
#include <cstdint>
#include <utility>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/TransformRGB.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/DebugLog.h"

namespace {

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;
using spritelimit::maxFrameNesting;

// Effects that send a module's pixels through the effect pass.
constexpr int32_t painterEffects = 0xDE0;

int32_t composed(IntArray* table, int32_t f) { return table->get(f & 7) | (f & ~7); }

bool effectsOn() {
  const DrawEffectsStatics& e = toolkitStatics().DrawEffects;
  return e.available != 0 && (e.active & painterEffects) != 0;
}

int32_t effectAlpha() {
  ObjectArray* parameters = toolkitStatics().DrawEffects.parameters;
  auto* p = parameters != nullptr ? static_cast<IntArray*>(parameters->get(effect::alpha)) : nullptr;
  return p != nullptr && p->length() > 1 ? p->get(1) : 0xFF;
}

void drawImageWith(Graphics* g, Image* image, int32_t transform, int32_t x, int32_t y) {
  if (transform != 0)
    g->drawRegion(image, 0, 0, image->getWidth(), image->getHeight(), transform, x, y, 0);
  else
    g->drawImage(image, x, y, 0);
}

// The effect pass's pixels as an image at (x, y); false when the pass
// leaves the block as it is.
bool drawEffectPixels(Graphics* g, IntArray* pixels, int32_t x, int32_t y) {
  if (pixels == nullptr) return false;
  const DrawEffectsStatics& e = toolkitStatics().DrawEffects;
  Image* image = Image::createRGBImage(pixels, e.outputWidth, e.outputHeight, e.processed != 0);
  if (image == nullptr) return false;
  g->drawImage(image, x, y, 0);
  return true;
}

// One walk over a sprite's pieces. Frames naming frames nest; damaged data
// could nest them in a cycle, or name frames many times at every level, so
// the walk stops at a fixed depth and after a fixed number of frame modules.
struct Painter {
  ASprite& sprite;
  Graphics* g;
  ASpriteStatics& statics;
  bool tooDeep = false;
  int32_t visited = 0;

  void module(int32_t m, int32_t x, int32_t y, int32_t flags) {
    if (m < 0 || m >= sprite.getModuleCount()) return;
    int32_t w = sprite.getModuleWidth(m);
    int32_t h = sprite.getModuleHeight(m);
    if ((flags & spritetransform::rotate90) != 0) std::swap(w, h);
    const int32_t kind = sprite.getModuleKind(m);
    if (kind != spritemodule::image && g != nullptr && statics.measureMode != 1) {
      shape(m, kind, x, y, w, h, flags);
      return;
    }
    if (statics.measureMode == 1) {
      if (x < statics.boundsMinX) statics.boundsMinX = x;
      if (y < statics.boundsMinY) statics.boundsMinY = y;
      if (x + w > statics.boundsMaxX) statics.boundsMaxX = x + w;
      if (y + h > statics.boundsMaxY) statics.boundsMaxY = y + h;
      return;
    }
    if (w < 1 || h < 1 || g == nullptr) return;
    if (x + w < g->getClipX() || y + h < g->getClipY() || x >= g->getClipX() + g->getClipWidth() ||
        y >= g->getClipY() + g->getClipHeight())
      return;
    if ((sprite.flags & (spriteflag::hasImages | spriteflag::imageData)) == 0) return;
    image(m, x, y, flags);
  }

  void shape(int32_t m, int32_t kind, int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags) {
    int32_t colour = sprite.getModuleColour(m);
    if (cGame::isEffectActive(effect::grey)) {
      const int32_t red = (colour >> 16) & 0xFF;
      colour = (colour & ~0xFFFF) | red << 8 | red;
    }
    g->setColor(colour);
    const int32_t alpha = static_cast<uint32_t>(colour) >> 24;
    const int32_t p = sprite.getModuleParameterStart(m);
    ShortArray* parameters = sprite.moduleParameters;
    auto parameter = [&](int32_t i) { return static_cast<int32_t>(parameters->get(p + i)); };
    auto hasParameters = [&](int32_t n) { return p >= 0 && parameters != nullptr && p + n <= parameters->length(); };
    switch (kind) {
      case spritemodule::rectangle:
        if (cGame::isEffectActive(effect::alpha))
          cGame::drawRectRGB(g, x, y, w - 1, h - 1, (colour & 0xFFFFFF) | effectAlpha() << 24);
        else
          g->drawRect(x, y, w - 1, h - 1);
        break;
      case spritemodule::filledRectangle:
        if (alpha >= 1 && alpha <= 254) {
          cGame::setFillColor(colour);
          cGame::fillRectAlpha(g, x, y, w, h);
        } else if (cGame::isEffectActive(effect::alpha)) {
          cGame::setFillColor((colour & 0xFFFFFF) | effectAlpha() << 24);
          cGame::fillRectAlpha(g, x, y, w, h);
        } else {
          g->fillRect(x, y, w, h);
        }
        break;
      case spritemodule::arc:
      case spritemodule::filledArc: {
        if (!hasParameters(2)) break;
        int32_t start = (flags & spritetransform::flipX) != 0 ? 90 - parameter(0) : parameter(0);
        int32_t arc = parameter(1);
        if ((flags & spritetransform::flipY) != 0) {
          start = -start;
          arc = -arc;
        }
        if ((flags & spritetransform::rotate90) != 0) start -= 90;
        if (kind == spritemodule::arc)
          g->drawArc(x, y, w, h, start, arc);
        else
          g->fillArc(x, y, w, h, start, arc);
        break;
      }
      case spritemodule::triangle:
      case spritemodule::filledTriangle: {
        if (!hasParameters(4)) break;
        const int32_t x2 = x + parameter(0), y2 = y + parameter(1), x3 = x + parameter(2), y3 = y + parameter(3);
        if (kind == spritemodule::filledTriangle) {
          g->fillTriangle(x, y, x2, y2, x3, y3);
        } else {
          g->drawLine(x, y, x2, y2);
          g->drawLine(x2, y2, x3, y3);
          g->drawLine(x, y, x3, y3);
        }
        break;
      }
      default:
        break;
    }
  }

  void image(int32_t m, int32_t x, int32_t y, int32_t flags) {
    const int32_t w = sprite.getModuleWidth(m);
    const int32_t h = sprite.getModuleHeight(m);
    const int32_t transform = statics.transformTable->get(flags & 7);
    const bool effects = effectsOn();
    const bool transparent = sprite.hasTransparency != 0;
    const bool alpha = sprite.hasAlpha != 0;
    if (Image* cached = sprite.getModuleImage(m, sprite.currentPalette)) {
      if (effects && drawEffectPixels(g, cGame::applyDrawEffectsToImage(g, cached, x, y, w, h, flags, transparent,
                                                                        alpha), x, y))
        return;
      drawImageWith(g, cached, transform, x, y);
      return;
    }
    IntArray* pixels = sprite.getModulePixels(m, sprite.currentPalette);
    if (pixels == nullptr) pixels = sprite.decodeModuleRGB(m);
    if (pixels == nullptr) return;
    if (effects && drawEffectPixels(g, cGame::applyDrawEffects(g, pixels, x, y, w, h, flags, transparent, alpha), x, y))
      return;
    if (!sprite.rgbMode() && !effects && sprite.cachePool >= 0) {
      if (Image* made = cacheImage(m, pixels, w, h)) {
        drawImageWith(g, made, transform, x, y);
        return;
      }
      pixels = sprite.getModulePixels(m, sprite.currentPalette);
      if (pixels == nullptr) pixels = sprite.decodeModuleRGB(m);
      if (pixels == nullptr) return;
    }
    cGame::drawRGBTransformed(g, pixels, 0, w, x, y, w, h, transparent, transparent, flags);
  }

  // The decoded module as an image in the sprite's pool, or null when
  // there is no room for it.
  Image* cacheImage(int32_t m, IntArray* pixels, int32_t w, int32_t h) {
    if (sprite.imageCache == nullptr) ASprite::setCachePool(&sprite, sprite.cachePool);
    Image* made = Image::createRGBImage(pixels, w, h, sprite.hasTransparency != 0);
    if (made == nullptr) return nullptr;
    ASprite::cacheModuleImage(&sprite, m, made);
    return made;
  }

  void frameModule(int32_t frame, int32_t i, int32_t x, int32_t y, int32_t flags, int32_t depth) {
    if (frame < 0 || frame >= sprite.getFrameCount() || i < 0 || i >= sprite.getFModuleCount(frame)) return;
    if (++visited > spritelimit::maxFrameModulesPerWalk) {
      tooDeep = true;
      return;
    }
    const int32_t k = sprite.frameFirstModule->get(frame) + i;
    int32_t f = sprite.fmoduleFlags->get(k) & 0xFF;
    const int32_t m = sprite.getFModuleModule(k);
    if ((sprite.flags & spriteflag::fmodulePalettes) != 0) sprite.currentPalette = sprite.getFModulePalette(k);
    const bool namesFrame = (f & spritetransform::hyperFrame) != 0;
    if (!namesFrame && m >= sprite.getModuleCount()) return;
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
    if (frame < 0 || frame >= sprite.getFrameCount()) return;
    const int32_t count = sprite.getFModuleCount(frame);
    for (int32_t i = 0; i < count; ++i) frameModule(frame, i, x, y, flags, depth);
  }

  void aframe(int32_t anim, int32_t aframeIndex, int32_t x, int32_t y, int32_t flags) {
    if (anim < 0 || anim >= sprite.getAnimCount() || aframeIndex < 0 || aframeIndex >= sprite.getAFrameCount(anim))
      return;
    const int32_t i = sprite.animFirstAFrame->get(anim) + aframeIndex;
    const int32_t frame = sprite.getAFrameFrame(i);
    int32_t dx = sprite.getAFrameOffsetX(i);
    int32_t dy = sprite.getAFrameOffsetY(i);
    int32_t f = sprite.aframeFlags->get(i) & 15;
    if ((flags & spritetransform::flipX) != 0) {
      f = composed(statics.flipXTable, f);
      dx = -dx;
    }
    if ((flags & spritetransform::flipY) != 0) {
      f = composed(statics.flipYTable, f);
      dy = -dy;
    }
    if ((flags & spritetransform::rotate90) != 0) {
      f = composed(statics.rotateTable, f);
      const int32_t rotatedX = -dy;
      dy = dx;
      dx = rotatedX;
    }
    wholeFrame(frame, x + dx, y + dy, f, 0);
  }

  void logIfTooDeep(int32_t frame, const char* done) const {
    if (tooDeep) {
      debugLog("ASprite: frame %d nests frames deeper than %d or past %d frame modules; %s in part", frame,
               maxFrameNesting, spritelimit::maxFrameModulesPerWalk, done);
    }
  }
};

}  // namespace

void ASprite::paintModule(Graphics* g, int32_t module, int32_t x, int32_t y, int32_t paintFlags) {
  Painter{*this, g, toolkitStatics().ASprite}.module(module, x, y, paintFlags);
}

void ASprite::paintFModule(Graphics* g, int32_t frame, int32_t fmodule, int32_t x, int32_t y, int32_t paintFlags,
                           int32_t, int32_t) {
  Painter painter{*this, g, toolkitStatics().ASprite};
  painter.frameModule(frame, fmodule, x, y, paintFlags, 0);
  painter.logIfTooDeep(frame, "painted");
}

void ASprite::paintFrame(Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t paintFlags, int32_t, int32_t) {
  Painter painter{*this, g, toolkitStatics().ASprite};
  painter.wholeFrame(frame, x, y, paintFlags, 0);
  painter.logIfTooDeep(frame, "painted");
}

void ASprite::paintAFrame(Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y, int32_t paintFlags,
                          int32_t, int32_t) {
  Painter painter{*this, g, toolkitStatics().ASprite};
  painter.aframe(anim, aframe, x, y, paintFlags);
  if (painter.tooDeep) painter.logIfTooDeep(getAFrameFrame(anim, aframe), "painted");
}

void ASprite::getFrameBounds(IntArray* out, int32_t frame, int32_t x, int32_t y, int32_t paintFlags) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  statics.measureMode = 1;
  statics.boundsMinX = statics.boundsMinY = INT32_MAX;
  statics.boundsMaxX = statics.boundsMaxY = INT32_MIN;
  Painter painter{*this, nullptr, statics};
  painter.wholeFrame(frame, x, y, paintFlags, 0);
  painter.logIfTooDeep(frame, "measured");
  statics.measureMode = 0;
  if (out == nullptr || out->length() < 4) return;
  out->set(0, statics.boundsMinX);
  out->set(1, statics.boundsMinY);
  out->set(2, statics.boundsMaxX);
  out->set(3, statics.boundsMaxY);
}

IntArray* ASprite::transformRGB(IntArray* source, int32_t w, int32_t h, int32_t paintFlags) {
  return ::transformRGB(source, w, h, paintFlags);
}
