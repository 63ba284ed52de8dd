#pragma once
// ASprite (class id 112): modules (image pieces or simple shapes) placed in
// frames, frames timed in animations, all read column-wise from one sprite
// block; the image modules' encoded pixels with their palettes, and the
// per-palette caches of decoded modules.
//
// The reader trusts nothing: a count, kind byte, index or length that does
// not fit refuses the whole sprite with a log line, so every table a loaded
// sprite holds is consistent; the accessors answer 0 for a table the sprite
// does not have.
#include <cstdint>
#include <vector>

#include "runtime/lang/Arrays.h"
#include "game/toolkit/SpriteLimits.h"
#include "runtime/object/Object.h"

class CharArray;
class String;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

// Flags word of a sprite block.
namespace spriteflag {
constexpr uint32_t moduleXYBytes = 0x2;
constexpr uint32_t hasImages = 0x8;
constexpr uint32_t moduleSizeShorts = 0x10;
constexpr uint32_t moduleXYShorts = 0x20;
constexpr uint32_t imageSizesU32 = 0x80;
constexpr uint32_t offsetsShorts = 0x400;
constexpr uint32_t computeFrameRects = 0x1000;
constexpr uint32_t fmodulePalettes = 0x4000;
constexpr uint32_t collisionRects = 0x8000;
constexpr uint32_t aframeOffsetsShorts = 0x40000;
constexpr uint32_t imageData = 0x1000000;
}  // namespace spriteflag

// Bits of a frame-module or aframe flags byte.
namespace spritetransform {
constexpr int32_t flipX = 1;
constexpr int32_t flipY = 2;
constexpr int32_t rotate90 = 4;
constexpr int32_t hyperFrame = 16;
constexpr int32_t indexHighBits = 0xC0;
}  // namespace spritetransform

// Module kinds as the sprite stores them, and the kind bytes of the block.
namespace spritemodule {
constexpr int32_t image = 0;
constexpr int32_t rectangle = 1;
constexpr int32_t filledRectangle = 2;
constexpr int32_t arc = 3;
constexpr int32_t filledArc = 4;
constexpr int32_t emptyBox = 5;
constexpr int32_t triangle = 6;
constexpr int32_t filledTriangle = 7;
}  // namespace spritemodule

class ASprite : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::ASprite;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&ASprite::charMap,          &ASprite::moduleXBytes,      &ASprite::moduleYBytes,
                              &ASprite::moduleXShorts,    &ASprite::moduleYShorts,     &ASprite::moduleWidth,
                              &ASprite::moduleHeight,     &ASprite::moduleParameters,  &ASprite::moduleParameterIndex,
                              &ASprite::frameModuleCount, &ASprite::frameFirstModule,  &ASprite::frameRects,
                              &ASprite::collisionRects,   &ASprite::frameFirstCollisionRect,
                              &ASprite::fmoduleModule,    &ASprite::fmoduleFlags,      &ASprite::fmoduleX,
                              &ASprite::fmoduleY,         &ASprite::fmodulePalette,    &ASprite::animAFrameCount,
                              &ASprite::animFirstAFrame,  &ASprite::aframeFrame,       &ASprite::aframeTime,
                              &ASprite::aframeX,          &ASprite::aframeY,           &ASprite::aframeFlags,
                              &ASprite::moduleImageData,  &ASprite::moduleDataOffsets, &ASprite::palettes,
                              &ASprite::pixelCache,       &ASprite::imageCache,        &ASprite::moduleKind,
                              &ASprite::moduleColour};
  }

  // Cache pool -1 (none); everything else 0 or null.
  void init();

  // The sprite's own operation: current palette = p when 0 <= p < palette
  // count, else nothing.
  virtual void setPalette(int32_t p);

  static void clinit();

  // --- loading (ASpriteLoad.cpp)
  // Fills the sprite from the block at offset of data. extra1 and extra2
  // have no effect (callers pass 0xFFFFFF and 1). False, logged, when the
  // block is damaged; the sprite must not be used then.
  bool load(ByteArray* data, int32_t offset, int32_t extra1, int32_t extra2);
  bool loadAt(ByteArray* data, int32_t offset) { return load(data, offset, 0xFFFFFF, 1); }
  // The table readers: each answers the offset after what it read, or -1,
  // logged, when the table is damaged. They run in this order; each checks
  // its indices against the tables read before it.
  int32_t loadModules(int32_t offset, ByteArray* data);
  int32_t loadFModules(int32_t offset, ByteArray* data);
  int32_t loadFrames(int32_t offset, ByteArray* data);
  int32_t loadAFrames(int32_t offset, ByteArray* data);
  int32_t loadAnims(int32_t offset, ByteArray* data);
  // Module image data, offsets and palettes dropped: only cached modules
  // can be drawn afterwards.
  void freeImageData();

  // --- table accessors (ASpriteTables.cpp); an absent table reads as empty
  int32_t getModuleCount() const { return moduleCount; }
  int32_t getFrameCount() const;
  int32_t getAnimCount() const;
  int32_t getFModuleCount(int32_t frame) const;
  int32_t getAFrameCount(int32_t anim) const;
  int32_t getAFrameFrame(int32_t aframe) const;  // global aframe index
  int32_t getAFrameFrame(int32_t anim, int32_t aframe) const;
  int32_t getAFrameOffsetX(int32_t aframe) const;
  int32_t getAFrameOffsetY(int32_t aframe) const;
  int32_t getAFrameOffsetX(int32_t anim, int32_t aframe) const;
  int32_t getAFrameOffsetY(int32_t anim, int32_t aframe) const;
  int32_t getAFrameFlags(int32_t anim, int32_t aframe) const;
  int32_t getAFrameTime(int32_t anim, int32_t aframe) const;
  int32_t getFModuleModule(int32_t fmodule) const;  // global frame-module index
  int32_t getFModuleModule(int32_t frame, int32_t fmodule) const;
  int32_t getFModuleFlags(int32_t frame, int32_t fmodule) const;
  int32_t getFModuleValue(int32_t frame, int32_t fmodule) const;  // the x
  int32_t getFModuleY(int32_t frame, int32_t fmodule) const;
  int32_t getFModuleX(int32_t fmodule) const;  // global frame-module index
  int32_t getFModuleY(int32_t fmodule) const;
  int32_t getFModulePalette(int32_t fmodule) const;
  int32_t getModuleKind(int32_t module) const;
  int32_t getModuleX(int32_t module) const;
  int32_t getModuleY(int32_t module) const;
  int32_t getModuleWidth(int32_t module) const;
  int32_t getModuleHeight(int32_t module) const;
  int32_t getModuleColour(int32_t module) const;
  // Index of the module's first extra parameter in moduleParameters, -1 when
  // it has none.
  int32_t getModuleParameterStart(int32_t module) const;
  int32_t getFrameX(int32_t frame) const;
  int32_t getFrameY(int32_t frame) const;
  int32_t getFrameWidth(int32_t frame) const;
  int32_t getFrameHeight(int32_t frame) const;
  int32_t getFrameCollisionRectCount(int32_t frame) const;
  // Value 0..3 (x, y, width, height) of the frame's rect-th collision rect.
  int32_t getCollisionRectValue(int32_t frame, int32_t rect, int32_t value) const;
  int32_t getModuleDataOffset(int32_t module) const;

  // --- painting (ASpritePaint.cpp). Paint flags: bit 0 flip horizontally,
  // bit 1 vertically, bit 2 turn 90 degrees clockwise; they compose with the
  // flags the sprite stores. a and b are only handed on. Indices outside
  // their tables paint nothing.
  void paintModule(javax_microedition_lcdui_Graphics* g, int32_t module, int32_t x, int32_t y, int32_t paintFlags);
  void paintFModule(javax_microedition_lcdui_Graphics* g, int32_t frame, int32_t fmodule, int32_t x, int32_t y,
                    int32_t paintFlags, int32_t a, int32_t b);
  void paintFrame(javax_microedition_lcdui_Graphics* g, int32_t frame, int32_t x, int32_t y, int32_t paintFlags,
                  int32_t a, int32_t b);
  void paintAFrame(javax_microedition_lcdui_Graphics* g, int32_t anim, int32_t aframe, int32_t x, int32_t y,
                   int32_t paintFlags, int32_t a, int32_t b);
  // out = {minX, minY, maxX, maxY} of the frame's modules as painted at
  // (x, y) with flags; the empty bounds when the frame has none.
  void getFrameBounds(IntArray* out, int32_t frame, int32_t x, int32_t y, int32_t flags);
  static IntArray* transformRGB(IntArray* source, int32_t w, int32_t h, int32_t paintFlags);

  // --- text (ASpriteText.cpp): the sprite as a font, one frame per
  // character, whose first frame module's x is the advance. Frame 0 holds
  // the metrics, frame 1 the glyph of characters the map lacks.
  // map: {buckets N, N first pairs (code, frame), then groups (bucket,
  // count, count pairs)}. Codes compare as unsigned 16-bit values.
  void setCharMap(ShortArray* map);
  int32_t getCharFrame(int32_t c) const;
  int32_t getGlyphWidth(int32_t frame) const;
  void initFontMetrics();
  void initLineGap();
  void initSpaceWidth();
  int32_t getLineHeight() const { return lineHeight; }
  int32_t getLineGap() const { return lineGap; }
  int32_t getSpaceWidth() const { return spaceWidth; }
  int32_t getBaselineOffset() const { return baselineOffset; }
  int32_t getCharSpacing() const { return charSpacing; }
  void setCharSpacing(int32_t spacing) { charSpacing = spacing; }
  void resetCharSpacing() { charSpacing = 0; }
  // Into the measured width and height statics.
  void measureText(String* s, CharArray* chars);
  // Anchor bits: 8 right, 1 horizontal centre, 32 bottom, 2 vertical centre.
  void drawString(javax_microedition_lcdui_Graphics* g, String* s, CharArray* chars, int32_t x, int32_t y,
                  int32_t anchor, bool restorePalette);
  void drawStringAt(javax_microedition_lcdui_Graphics* g, String* s, int32_t x, int32_t y, int32_t anchor,
                    bool restorePalette);
  void drawPage(javax_microedition_lcdui_Graphics* g, String* s, int32_t x, int32_t y, int32_t anchor, int32_t start,
                int32_t end);
  // The shared line-break table: [0] lines, then per line (start of the
  // next line, pixel width). At most 199 lines; the rest are dropped.
  ShortArray* wrapText(String* s, int32_t width);
  String* wrapTextToString(String* s, int32_t width);
  // out = {start - 1, each index of ch, end}; the line count.
  static int32_t splitLines(String* s, int32_t start, int32_t end, int32_t ch, IntArray* out);

  // --- image data and palettes (ASpriteImageData.cpp)
  int32_t loadImageData(int32_t offset, ByteArray* data, int32_t extra);
  // Decodes w x h pixels of the current palette from data at offset into
  // the shared pixel buffer. False when there is no palette, the module does
  // not fit the buffer, the encoding is unknown or the bytes are damaged.
  bool decodeModulePixels(ByteArray* data, int32_t offset, int32_t w, int32_t h);
  // The shared pixel buffer holding the module's pixels, or null.
  IntArray* decodeModuleRGB(int32_t module);
  static IntArray* getPixelBuffer(IntArray* inUse, int32_t w, int32_t h);
  int32_t getPalette() const { return currentPalette; }
  void setRGBMode(bool on);
  void setPaletteAlpha(int32_t p, int32_t alpha, bool hasTransparency, bool hasAlpha);
  void setPaletteAlphaAuto(int32_t p, int32_t alpha) { setPaletteAlpha(p, alpha, hasTransparency != 0, hasAlpha != 0); }
  void applyAlphaPalette(int32_t p, int32_t source);
  void applyAlphaPalette(int32_t p) { applyAlphaPalette(p, paletteCount - 1); }

  // --- caches (ASpriteCaches.cpp)
  void buildModuleCache(int32_t palette, int32_t first, int32_t last, int32_t copyFrom);
  void buildFrameCache(int32_t palette, int32_t frame);
  void buildAnimCache(int32_t palette, int32_t anim);
  javax_microedition_lcdui_Image* getModuleImage(int32_t module, int32_t palette) const;
  // The pixel cache entry of (palette, module), or null.
  IntArray* getModulePixels(int32_t module, int32_t palette) const;
  static void initCachePools(int32_t n);
  static void initCachePool(int32_t pool, int32_t capacity);
  static void setCachePool(ASprite* sprite, int32_t pool);
  static void cacheModuleImage(ASprite* sprite, int32_t module, javax_microedition_lcdui_Image* image);

  bool hasImageModules() const { return (flags & (spriteflag::hasImages | spriteflag::imageData)) != 0; }
  bool rgbMode() const { return (drawMode & 1) != 0; }

  int32_t cachePool;
  int32_t lineHeight;
  int32_t lineGap;
  int32_t charSpacing;
  int32_t spaceWidth;
  int32_t baselineOffset;
  int8_t underline;
  int8_t bold;
  ObjectArray* charMap;
  int32_t charMapSize;
  int32_t moduleCount;
  ByteArray* moduleXBytes;
  ByteArray* moduleYBytes;
  ShortArray* moduleXShorts;
  ShortArray* moduleYShorts;
  ShortArray* moduleWidth;
  ShortArray* moduleHeight;
  ShortArray* moduleParameters;
  ShortArray* moduleParameterIndex;  // pairs (module, first parameter)
  ByteArray* frameModuleCount;
  ShortArray* frameFirstModule;
  Array* frameRects;  // ByteArray, or ShortArray under flag 0x400
  Array* collisionRects;
  ShortArray* frameFirstCollisionRect;  // per frame, plus the total
  ByteArray* fmoduleModule;
  ByteArray* fmoduleFlags;
  ShortArray* fmoduleX;
  ShortArray* fmoduleY;
  ByteArray* fmodulePalette;
  ByteArray* animAFrameCount;
  ShortArray* animFirstAFrame;
  ByteArray* aframeFrame;
  ByteArray* aframeTime;
  ShortArray* aframeX;
  ShortArray* aframeY;
  ByteArray* aframeFlags;
  ByteArray* moduleImageData;
  IntArray* moduleDataOffsets;
  int32_t flags;
  ObjectArray* palettes;  // 16 slots of IntArray
  int32_t paletteCount;
  int32_t coloursPerPalette;
  int32_t currentPalette;
  int8_t hasTransparency;
  int8_t hasAlpha;
  int32_t drawMode;
  int32_t pixelEncoding;
  int32_t indexMask;
  int32_t indexBits;
  ObjectArray* pixelCache;  // per palette: ObjectArray per module of IntArray
  ObjectArray* imageCache;  // per palette: ObjectArray per module of Image
  ByteArray* moduleKind;
  IntArray* moduleColour;

 private:
  // Frame rects measured from the frames' modules (flag 0x1000).
  bool computeFrameRects();
  // Frame-module entries that name frames must name existing ones: known
  // only once the frame table is read.
  bool checkHyperFrameIndices();
  void collectIfSwitched();
  // walked: one flag per frame, so that a frame named many times is walked once.
  void buildNestedFrameCache(int32_t palette, int32_t frame, int32_t depth, std::vector<bool>& walked);
};
