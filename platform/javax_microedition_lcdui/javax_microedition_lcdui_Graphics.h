#pragma once
// javax_microedition_lcdui_Graphics (class id 86): draws into one Image, its
// target. Colour, clip and translation are the drawing state the kernels
// read; caller coordinates are relative to the translation, the clip is
// absolute. Argument checks never throw: they log a line and a stack trace
// and the operation goes on.
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "platform/javax_microedition_lcdui/GraphicsObserver.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"
#include "runtime/object/Object.h"

class String;
class javax_microedition_lcdui_Image;

class javax_microedition_lcdui_Graphics : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Graphics;
  static constexpr auto referenceFields() { return ReferenceFieldList{&javax_microedition_lcdui_Graphics::target}; }

  // Colour 0 (alpha 0: fills and lines change nothing until setColor), no
  // translation, the whole target as clip.
  void init(javax_microedition_lcdui_Image* target);

  void setColor(int32_t rgb) {
    report(GraphicsCallKind::setColor, {rgb});
    raster::setColor(state, rgb);
  }
  // Components outside 0..255 are logged and not masked.
  void setColor(int32_t red, int32_t green, int32_t blue);
  int32_t getColor() const { return int32_t(state.colour); }
  int32_t getRedComponent() const { return int32_t((state.colour >> 16) & 0xFF); }
  int32_t getGreenComponent() const { return int32_t((state.colour >> 8) & 0xFF); }
  int32_t getBlueComponent() const { return int32_t(state.colour & 0xFF); }
  static int32_t getDisplayColor(int32_t colour) { return colour; }

  void translate(int32_t x, int32_t y) {
    report(GraphicsCallKind::translate, {x, y});
    raster::translate(state, x, y);
  }
  int32_t getTranslateX() const { return state.translateX; }
  int32_t getTranslateY() const { return state.translateY; }

  void setClip(int32_t x, int32_t y, int32_t width, int32_t height);
  void clipRect(int32_t x, int32_t y, int32_t width, int32_t height);
  int32_t getClipX() const { return raster::getClipX(state); }
  int32_t getClipY() const { return raster::getClipY(state); }
  int32_t getClipWidth() const { return raster::getClipWidth(state); }
  int32_t getClipHeight() const { return raster::getClipHeight(state); }

  void fillRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void drawRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void drawArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle, int32_t arcAngle);
  void fillArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle, int32_t arcAngle);
  void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
  void drawRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth, int32_t arcHeight);
  void fillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth, int32_t arcHeight);
  void drawRGB(IntArray* rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width,
               int32_t height, bool processAlpha);
  void drawRegion(javax_microedition_lcdui_Image* source, int32_t xSource, int32_t ySource, int32_t width,
                  int32_t height, int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor);
  void drawImage(javax_microedition_lcdui_Image* image, int32_t x, int32_t y, int32_t anchor);

  // One line of text in the default Font and the current colour, anchored at
  // (x, y) (0 means TOP|LEFT; a missing horizontal flag LEFT, a missing
  // vertical one TOP). Translation and clip apply, as to every other
  // drawing. Null or empty text, or a range outside the array, draws
  // nothing; null and bad ranges are logged.
  void drawString(String* text, int32_t x, int32_t y, int32_t anchor);
  void drawChar(char16_t character, int32_t x, int32_t y, int32_t anchor);
  void drawChars(CharArray* data, int32_t offset, int32_t length, int32_t x, int32_t y, int32_t anchor);

  // What the paint cycle does before each paint: no translation, the whole
  // target as clip, white.
  void resetForPaint();

  javax_microedition_lcdui_Image* target;
  raster::GraphicsState state;

 private:
  // Tells an installed GraphicsObserver of a call before it draws.
  void report(GraphicsCallKind kind, std::initializer_list<int32_t> values,
              javax_microedition_lcdui_Image* image = nullptr, std::u16string_view text = {}) {
    if (installedGraphicsObserver != nullptr) reportToObserver(kind, values, image, text);
  }
  void reportToObserver(GraphicsCallKind kind, std::initializer_list<int32_t> values,
                        javax_microedition_lcdui_Image* image, std::u16string_view text);
  // The target's store for drawing. A target without a 16-bit store logs an
  // empty message and gives a surface the kernels draw nothing into.
  raster::Surface drawingSurface() const;
  // The text core. The characters must not move: callers make every object
  // they need before they take them.
  void drawText(std::u16string_view text, int32_t x, int32_t y, int32_t anchor);
};
