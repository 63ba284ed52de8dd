// The per-draw pixel effects the sprite painter applies to a frame's
// pixels: translucency (effect 10) and a moving highlight band (effect 8).
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "game/toolkit/SharedPixelBuffer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/TransformRGB.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

namespace {

DrawEffectsStatics& effects() { return toolkitStatics().DrawEffects; }

int32_t effectBit(int32_t n) { return javaShiftLeft(1, n); }

// Parameter slot 0 of an effect: -1 follows the caller's flag, 1 forces it
// off, 2 forces it on.
bool flagByMode(int32_t mode, bool flag) { return mode == 1 ? false : mode == 2 ? true : flag; }

// int[12][] with the two parameter arrays at their defaults; null when the
// object heap is full.
ObjectArray* newParameterTable() {
  ObjectArray* table = newObjectArray(effect::count);
  IntArray* band = newIntArray(6);
  IntArray* alpha = newIntArray(2);
  if (table == nullptr || band == nullptr || alpha == nullptr) return nullptr;
  table->set(effect::highlightBand, band);
  table->set(effect::alpha, alpha);
  return table;
}

// The parameters of effect n (null for an effect without any). The table
// is made at its first use when initDrawEffects has not run yet.
IntArray* effectParameters(int32_t n) {
  ObjectArray*& table = effects().parameters;
  if (table == nullptr) {
    table = newParameterTable();
    if (table == nullptr) return nullptr;
    cGame::setEffectDefaults(effect::highlightBand);
    cGame::setEffectDefaults(effect::alpha);
  }
  if (n < 0 || n >= table->length()) return nullptr;
  return static_cast<IntArray*>(table->get(n));
}

}  // namespace

void cGame::initDrawEffects() {
  DrawEffectsStatics& state = effects();
  state.screenWidth = toolkitStatics().cGameDraw.screenWidth;
  state.screenHeight = toolkitStatics().cGameDraw.screenHeight;
  state.active = 0;
  state.parameters = nullptr;
  effectParameters(effect::highlightBand);
  if (state.available) {
    state.backImage = Image::createImage(state.screenWidth, state.screenHeight);
    state.backGraphics = state.backImage != nullptr ? state.backImage->getGraphics() : nullptr;
  }
  state.initialised = 1;
  state.pending = 0;
}

void cGame::enableEffect(int32_t n, bool resetParameters) {
  DrawEffectsStatics& state = effects();
  const int32_t bit = effectBit(n);
  state.active |= bit;
  if (!state.available && (bit & effect::needBackImage) != 0) state.active &= ~bit;
  if ((bit & effect::pendable) != 0) state.pending |= bit;
  if (resetParameters) setEffectDefaults(n);
}

void cGame::clearEffects(int32_t mask) { effects().active &= ~mask; }

void cGame::setEffectParameter(int32_t n, int32_t index, int32_t value) {
  IntArray* parameters = effectParameters(n);
  if (parameters != nullptr && index >= 0 && index < parameters->length()) parameters->set(index, value);
}

void cGame::setEffectDefaults(int32_t n) {
  if (n != effect::highlightBand && n != effect::alpha) return;
  IntArray* parameters = effectParameters(n);
  if (parameters == nullptr) return;
  if (n == effect::highlightBand) {
    initElements(parameters, {-1, 0, 40, 0xFFFFFF, 0, 8});
  } else {
    initElements(parameters, {-1, 255});
  }
}

bool cGame::isEffectActive(int32_t n) { return (effects().active & effectBit(n)) != 0; }

bool cGame::effectsPending() { return effects().pending != 0 || effects().pending2 != 0; }

IntArray* cGame::applyDrawEffects(Graphics* g, IntArray* pixels, int32_t x, int32_t y, int32_t w, int32_t h,
                                  int32_t transform, bool processAlpha, bool flag) {
  DrawEffectsStatics& state = effects();
  state.processed = processAlpha;
  if ((state.active & effect::pixelEffects) != 0) {
    if ((transform & 4) != 0) std::swap(w, h);
    pixels = transformRGB(pixels, w, h, transform);
    if (pixels == nullptr) return nullptr;
  }
  state.outputWidth = w;
  state.outputHeight = h;
  if (isEffectActive(effect::suppressPixelEffects)) return nullptr;
  const bool alpha = isEffectActive(effect::alpha);
  const bool band = !alpha && isEffectActive(effect::highlightBand) && !isEffectActive(effect::grey);
  if (!alpha && !band) return nullptr;
  const int64_t count = int64_t{w} * h;
  if (w < 0 || h < 0 || count > pixels->length()) {
    logFailedCheck("applyDrawEffects size");
    return nullptr;
  }
  IntArray* output = scratchBlockFor(pixels, int32_t(count));
  IntArray* parameters = effectParameters(alpha ? effect::alpha : effect::highlightBand);
  if (output == nullptr || parameters == nullptr) return nullptr;
  const bool mode = flagByMode(parameters->get(0), flag);
  if (alpha) return setAlpha(pixels, output, int32_t(count), parameters->get(1), processAlpha, mode);
  return highlightBand(g, pixels, output, x, y, w, h, transform, mode);
}

IntArray* cGame::applyDrawEffectsToImage(Graphics* g, Image* image, int32_t x, int32_t y, int32_t w, int32_t h,
                                         int32_t transform, bool processAlpha, bool flag) {
  if (!objectIsUsable(image) || w < 0 || h < 0 || int64_t{w} * h > 0x7FFFFFFF) return nullptr;
  IntArray* pixels = scratchBlockFor(nullptr, w * h);
  if (pixels == nullptr) return nullptr;
  image->getRGB(pixels, 0, w, 0, 0, w, h);
  return applyDrawEffects(g, pixels, x, y, w, h, transform, processAlpha, flag);
}

IntArray* cGame::setAlpha(IntArray* src, IntArray* dst, int32_t count, int32_t alpha, bool keyed, bool scale) {
  alpha = std::clamp(alpha, 0, 255);
  if (!objectIsUsable(src) || !objectIsUsable(dst)) return dst;
  if (count > src->length() || count > dst->length()) {
    logFailedCheck("setAlpha count");
    count = std::min(src->length(), dst->length());
  }
  const int32_t* in = src->elements();
  int32_t* out = dst->elements();
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t pixel = uint32_t(in[i]);
    const uint32_t rgb = pixel & 0xFFFFFF, pixelAlpha = pixel >> 24;
    if (scale) {
      out[i] = int32_t(rgb | ((pixelAlpha * uint32_t(alpha)) >> 8) << 24);
    } else if (keyed && rgb == 0xFF00FF) {
      out[i] = 0;
    } else if (pixelAlpha == 0) {
      // A hole of the block stays a hole.
      out[i] = int32_t(pixel);
    } else {
      out[i] = int32_t(rgb | uint32_t(alpha) << 24);
    }
  }
  effects().processed = 1;
  return dst;
}

IntArray* cGame::highlightBand(Graphics* g, IntArray* src, IntArray* dst, int32_t x, int32_t y, int32_t w, int32_t h,
                               int32_t transform, bool scaleBySource) {
  (void)transform;  // the block comes already turned
  IntArray* parameters = effectParameters(effect::highlightBand);
  if (parameters == nullptr) return nullptr;
  const int32_t position = parameters->get(1), bandWidth = parameters->get(2);
  const uint32_t colour = uint32_t(parameters->get(3)) & 0xFFFFFF;
  const int32_t shift = parameters->get(5);
  const int32_t topAlpha = javaShiftLeft(1, shift) - 1;
  const int32_t halfBand = bandWidth >> 1;
  const int64_t start = parameters->get(4) != 0 ? int64_t{position} - halfBand - x : position;

  drawRGBTransformed(g, src, 0, w, x, y, w, h, true, true, 0);

  const int64_t count = int64_t{w} * h;
  if (!objectIsUsable(src) || !objectIsUsable(dst) || w < 0 || h < 0 || count > src->length() ||
      count > dst->length()) {
    logFailedCheck("highlightBand size");
    return nullptr;
  }
  const int32_t* in = src->elements();
  int32_t* out = dst->elements();
  for (int32_t row = 0; row < h; ++row) {
    for (int32_t column = 0; column < w; ++column) {
      const int64_t index = int64_t{row} * w + column;
      const uint32_t sourceAlpha = uint32_t(in[index]) >> 24;
      int32_t alpha = 0;
      // A band narrower than 2 pixels has no column inside it, so the
      // division below never meets a zero half width.
      if (start < column && column < start + bandWidth && sourceAlpha != 0) {
        const int32_t distance = int32_t(std::abs(column - start - halfBand));
        const int32_t scaled = javaShiftLeft(distance, shift);
        alpha = scaleBySource ? topAlpha - scaled / halfBand : topAlpha - (scaled - 1) / halfBand;
        // The far edge of an odd band would reach -1, which the shift
        // below turns into full opacity.
        alpha = std::max(alpha, 0);
      }
      const uint32_t overlayAlpha = scaleBySource ? (sourceAlpha * uint32_t(alpha)) >> 8 : uint32_t(alpha);
      out[index] = int32_t(colour | overlayAlpha << 24);
    }
  }
  effects().processed = 1;
  return dst;
}
