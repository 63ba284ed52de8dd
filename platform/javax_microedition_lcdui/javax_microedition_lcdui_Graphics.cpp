#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"

#include <iterator>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Font.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/String.h"
#include "runtime/lcdui/DrawingChecks.h"
#include "runtime/lcdui/IntArrayElements.h"
#include "runtime/lcdui/PixelStore.h"
#include "runtime/lcdui/SystemFontText.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/Line.h"
#include "runtime/lcdui/raster/Shapes.h"

void javax_microedition_lcdui_Graphics::init(javax_microedition_lcdui_Image* image) {
  target = image;
  state = raster::GraphicsState{};
  if (image != nullptr) {
    state.clipX2 = image->getWidth();
    state.clipY2 = image->getHeight();
  }
}

void javax_microedition_lcdui_Graphics::reportToObserver(GraphicsCallKind kind, std::initializer_list<int32_t> values,
                                                         javax_microedition_lcdui_Image* image,
                                                         std::u16string_view text) {
  GraphicsCall call{kind, {}, image, text};
  int32_t* value = call.values;
  for (int32_t v : values) {
    if (value == std::end(call.values)) break;
    *value++ = v;
  }
  installedGraphicsObserver->observe(this, call);
}

raster::Surface javax_microedition_lcdui_Graphics::drawingSurface() const {
  if (target == nullptr || lcdui::sixteenBitStore(target->pixels) == nullptr) {
    logFailedCheck("");
    return raster::Surface{};
  }
  return target->surface();
}

void javax_microedition_lcdui_Graphics::setColor(int32_t red, int32_t green, int32_t blue) {
  report(GraphicsCallKind::setColorRGB, {red, green, blue});
  lcdui::logColourChecks(raster::setColor(state, red, green, blue));
}

void javax_microedition_lcdui_Graphics::setClip(int32_t x, int32_t y, int32_t width, int32_t height) {
  report(GraphicsCallKind::setClip, {x, y, width, height});
  // Only the target's size bounds the clip; its store is not touched.
  raster::Surface bounds;
  if (target != nullptr) bounds = target->surface();
  raster::setClip(state, bounds, x, y, width, height);
}

void javax_microedition_lcdui_Graphics::clipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  report(GraphicsCallKind::clipRect, {x, y, width, height});
  raster::Surface bounds;
  if (target != nullptr) bounds = target->surface();
  raster::clipRect(state, bounds, x, y, width, height);
}

void javax_microedition_lcdui_Graphics::fillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  report(GraphicsCallKind::fillRect, {x, y, width, height});
  raster::fillRect(drawingSurface(), state, x, y, width, height);
}

void javax_microedition_lcdui_Graphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  report(GraphicsCallKind::drawLine, {x1, y1, x2, y2});
  raster::drawLine(drawingSurface(), state, x1, y1, x2, y2);
}

void javax_microedition_lcdui_Graphics::drawRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  report(GraphicsCallKind::drawRect, {x, y, width, height});
  raster::drawRect(drawingSurface(), state, x, y, width, height);
}

void javax_microedition_lcdui_Graphics::drawArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                                                int32_t arcAngle) {
  report(GraphicsCallKind::drawArc, {x, y, width, height, startAngle, arcAngle});
  lcdui::logShapeChecks(raster::drawArc(drawingSurface(), state, x, y, width, height, startAngle, arcAngle), "drawArc");
}

void javax_microedition_lcdui_Graphics::fillArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                                                int32_t arcAngle) {
  report(GraphicsCallKind::fillArc, {x, y, width, height, startAngle, arcAngle});
  lcdui::logShapeChecks(raster::fillArc(drawingSurface(), state, x, y, width, height, startAngle, arcAngle), "fillArc");
}

void javax_microedition_lcdui_Graphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                                                     int32_t y3) {
  report(GraphicsCallKind::fillTriangle, {x1, y1, x2, y2, x3, y3});
  raster::fillTriangle(drawingSurface(), state, x1, y1, x2, y2, x3, y3);
}

void javax_microedition_lcdui_Graphics::drawRoundRect(int32_t x, int32_t y, int32_t width, int32_t height,
                                                      int32_t arcWidth, int32_t arcHeight) {
  report(GraphicsCallKind::drawRoundRect, {x, y, width, height, arcWidth, arcHeight});
  lcdui::logShapeChecks(raster::drawRoundRect(drawingSurface(), state, x, y, width, height, arcWidth, arcHeight),
                        "drawRoundRect");
}

void javax_microedition_lcdui_Graphics::fillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height,
                                                      int32_t arcWidth, int32_t arcHeight) {
  report(GraphicsCallKind::fillRoundRect, {x, y, width, height, arcWidth, arcHeight});
  lcdui::logShapeChecks(raster::fillRoundRect(drawingSurface(), state, x, y, width, height, arcWidth, arcHeight),
                        "fillRoundRect");
}

void javax_microedition_lcdui_Graphics::drawRGB(IntArray* rgbData, int32_t offset, int32_t scanlength, int32_t x,
                                                int32_t y, int32_t width, int32_t height, bool processAlpha) {
  report(GraphicsCallKind::drawRGB, {offset, scanlength, x, y, width, height, processAlpha ? 1 : 0});
  const raster::Surface surface = drawingSurface();
  const lcdui::IntArrayElements source = lcdui::intArrayElements(rgbData);
  lcdui::logRgbChecks(raster::drawRGB(surface, state, source.elements, source.length, offset, scanlength, x, y, width,
                                      height, processAlpha));
}

void javax_microedition_lcdui_Graphics::drawRegion(javax_microedition_lcdui_Image* source, int32_t xSource,
                                                   int32_t ySource, int32_t width, int32_t height, int32_t transform,
                                                   int32_t xDest, int32_t yDest, int32_t anchor) {
  report(GraphicsCallKind::drawRegion, {xSource, ySource, width, height, transform, xDest, yDest, anchor}, source);
  const raster::Surface surface = drawingSurface();
  raster::Surface sourceSurface;
  if (source != nullptr) sourceSurface = source->surface();
  lcdui::logRegionChecks(raster::drawRegion(surface, state, source != nullptr ? &sourceSurface : nullptr, xSource,
                                            ySource, width, height, transform, xDest, yDest, anchor));
}

void javax_microedition_lcdui_Graphics::drawImage(javax_microedition_lcdui_Image* image, int32_t x, int32_t y,
                                                  int32_t anchor) {
  report(GraphicsCallKind::drawImage, {x, y, anchor}, image);
  const raster::Surface surface = drawingSurface();
  raster::Surface imageSurface;
  if (image != nullptr) imageSurface = image->surface();
  lcdui::logRegionChecks(raster::drawImage(surface, state, image != nullptr ? &imageSurface : nullptr, x, y, anchor));
}

void javax_microedition_lcdui_Graphics::resetForPaint() {
  report(GraphicsCallKind::resetForPaint, {});
  raster::Surface bounds;
  if (target != nullptr) bounds = target->surface();
  raster::resetForPaint(state, bounds);
}

void javax_microedition_lcdui_Graphics::drawText(std::u16string_view text, int32_t x, int32_t y, int32_t anchor) {
  if (text.empty()) return;
  report(GraphicsCallKind::drawText, {x, y, anchor}, nullptr, text);
  lcdui::drawSystemFontText(drawingSurface(), state, text, x, y, anchor);
}

void javax_microedition_lcdui_Graphics::drawString(String* text, int32_t x, int32_t y, int32_t anchor) {
  if (text == nullptr) {
    logFailedCheck("drawString str");
    return;
  }
  // The default Font may have to be made: before the characters are taken.
  if (javax_microedition_lcdui_Font::getDefaultFont() == nullptr) return;
  drawText(text->view(), x, y, anchor);
}

void javax_microedition_lcdui_Graphics::drawChar(char16_t character, int32_t x, int32_t y, int32_t anchor) {
  if (javax_microedition_lcdui_Font::getDefaultFont() == nullptr) return;
  drawText(std::u16string_view(&character, 1), x, y, anchor);
}

void javax_microedition_lcdui_Graphics::drawChars(CharArray* data, int32_t offset, int32_t length, int32_t x, int32_t y,
                                                  int32_t anchor) {
  if (data == nullptr) {
    logFailedCheck("drawChars data");
    return;
  }
  if (offset < 0 || length < 0 || int64_t(offset) + length > data->length()) {
    logFailedCheck("drawChars offset, length");
    return;
  }
  if (javax_microedition_lcdui_Font::getDefaultFont() == nullptr) return;
  drawText(std::u16string_view(data->elements() + offset, size_t(length)), x, y, anchor);
}
