#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class ByteArray;
class IntArray;
class Object;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

class cGameToolkit {
 public:
  // --- resource packs, streams and texts
  // (declared by the game-data files)

  // --- sprites: loading, caches
  // (declared by the sprite files)

  // --- sound bank
  // (declared by the sound files)

  // --- drawing helpers (DrawingHelpers.cpp), draw effects (DrawEffects.cpp),
  // frame snapshots (FrameSnapshots.cpp). A null Graphics is logged and
  // nothing is drawn.
  static void fillRect(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  // With a transform (sprite paint flags) the block is turned first; bit 2
  // swaps w and h, which are the source block's.
  static void drawRGBTransformed(javax_microedition_lcdui_Graphics* g, IntArray* pixels, int32_t offset, int32_t scan,
                                 int32_t x, int32_t y, int32_t w, int32_t h, bool processAlpha, bool ignored,
                                 int32_t transform);
  // Onto the screen Graphics the block is first cut to limitW x limitH.
  static void drawRGBClipped(javax_microedition_lcdui_Graphics* g, int32_t limitW, int32_t limitH, IntArray* pixels,
                             int32_t scan, int32_t srcX, int32_t srcY, int32_t x, int32_t y, int32_t w, int32_t h,
                             bool processAlpha);
  // Anti-aliased, its alpha running from alpha0 to alpha1; (x1, y1) itself
  // is not drawn.
  static void drawLineRGB(javax_microedition_lcdui_Graphics* g, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                          int32_t rgb, int32_t alpha0, int32_t alpha1);
  static void drawRectRGB(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t argb);
  static void drawThickLine(javax_microedition_lcdui_Graphics* g, int32_t width, int32_t x0, int32_t y0, int32_t x1,
                            int32_t y1, int32_t rgb, int32_t alpha0, int32_t alpha1);
  static void setFillColor(int32_t argb);
  // The fill colour's block over the rectangle, within g's clip.
  static void fillRectAlpha(javax_microedition_lcdui_Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h);
  // The 64 x 64 image of one ARGB colour, rebuilt only when the colour
  // changes.
  static javax_microedition_lcdui_Image* getColorImage(int32_t argb);

  static void initDrawEffects();
  static void enableEffect(int32_t n, bool resetParameters);
  static void setEffectDefaults(int32_t n);
  static bool isEffectActive(int32_t n);
  static bool effectsPending();
  // The active pixel effect over a block: the pixels to draw (their size in
  // the DrawEffects statics), or null when the block is to be drawn as it is.
  static IntArray* applyDrawEffects(javax_microedition_lcdui_Graphics* g, IntArray* pixels, int32_t x, int32_t y,
                                    int32_t w, int32_t h, int32_t transform, bool processAlpha, bool flag);
  static IntArray* applyDrawEffectsToImage(javax_microedition_lcdui_Graphics* g,
                                           javax_microedition_lcdui_Image* image, int32_t x, int32_t y, int32_t w,
                                           int32_t h, int32_t transform, bool processAlpha, bool flag);
  static IntArray* setAlpha(IntArray* src, IntArray* dst, int32_t count, int32_t alpha, bool keyed, bool scale);
  static IntArray* highlightBand(javax_microedition_lcdui_Graphics* g, IntArray* src, IntArray* dst, int32_t x,
                                 int32_t y, int32_t w, int32_t h, int32_t transform, bool scaleBySource);

  static int32_t findFreeSnapshot();
  static int32_t findSnapshot(Object* key, int32_t frame);
  static void freeSnapshot(int32_t i);
  // The snapshot turned by degrees about (pivotX, pivotY), on cGame::graphics.
  static void drawWarpedSnapshot(Object* key, int32_t frame, int32_t pivotX, int32_t pivotY, int32_t x, int32_t y,
                                 int32_t degrees, int32_t flags);

  // --- math helpers (MathHelpers.cpp)
  static int32_t readShortLE(ByteArray* bytes, int32_t offset);
  static bool byteIsSet(ByteArray* bytes, int32_t i);
  // rect = {x, y, w, h}; every border inside.
  static bool rectContains(int32_t x, int32_t y, IntArray* rect);
  static int32_t approxLength(int32_t dx, int32_t dy);
  static int32_t lerpColor(int32_t c0, int32_t c1, int32_t percent);
  // 8.8 cosine of an angle in 256ths of a turn; the sine of a is
  // cosLookup(quarter - a).
  static int32_t cosLookup(int32_t angle);
  static int32_t angleOf(int32_t x, int32_t y);
  static int32_t sqrtFixed(int32_t v);

 protected:
  cGameToolkit() = default;
};
