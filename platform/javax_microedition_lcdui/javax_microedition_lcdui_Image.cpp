#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"

#include <algorithm>
#include <cstring>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/Application.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/ResourceArchiveIndex.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/io/javax_microedition_io_ResourceInputStream.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/lcdui/DrawingChecks.h"
#include "runtime/lcdui/IntArrayElements.h"
#include "runtime/lcdui/PixelStore.h"
#include "runtime/lcdui/PngImageData.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/ImageConversions.h"
#include "runtime/object/ObjectFactory.h"

using Image = javax_microedition_lcdui_Image;
using Graphics = javax_microedition_lcdui_Graphics;

Graphics* Image::getGraphics() {
  if (!mutableFlag) logFailedCheck("!mutable");
  return newObject<Graphics>(this);
}

int32_t Image::getWidth() { return width; }

int32_t Image::getHeight() { return height; }

raster::Surface Image::surface() const { return lcdui::pixelStoreSurface(pixels, width, height, pitch, m_pixelType); }

void Image::initBuffer(int32_t newWidth, int32_t newHeight, int32_t type, int32_t extraBytes) {
  m_pixelType = type & ~lcdui::mutableImageFlag;
  const lcdui::PixelStore store = lcdui::allocatePixelStore(newWidth, newHeight, m_pixelType, extraBytes);
  pixels = store.pixels;
  pitch = store.pitch;
  width = newWidth;
  height = newHeight;
  if (type & lcdui::mutableImageFlag) {
    mutableFlag = 1;
    if (m_pixelType != raster::opaqueRgb565) logFailedCheck("imagetype");
  }
}

Image* Image::createImage(ByteArray* data, int32_t offset, int32_t length) {
  // Decoded on the system heap first: the image and its store are made
  // afterwards, so no pool storage is held while libpng runs.
  png::DecodedPng decoded;
  const png::PngDecodeStatus status = lcdui::decodePngBytes(data, offset, length, decoded);
  const bool hasPixels = status == png::PngDecodeStatus::decoded || status == png::PngDecodeStatus::libpngError;
  Image* image = newObject<Image>();
  if (image == nullptr) return nullptr;
  if (!hasPixels) {
    image->initBuffer(0, 0, raster::opaqueRgb565, 0);
    return image;
  }
  image->initBuffer(decoded.width, decoded.height,
                    decoded.pixelType == raster::argb4444 ? raster::argb4444 : raster::opaqueRgb565, 0);
  image->m_pixelType = decoded.pixelType;
  if (ShortArray* store = lcdui::sixteenBitStore(image->pixels); store != nullptr && store->elements() != nullptr) {
    const size_t count = std::min<size_t>(size_t(store->length()), size_t(decoded.pitch >> 1) * size_t(decoded.height));
    std::memcpy(store->elements(), decoded.pixels.get(), count * sizeof(uint16_t));
  }
  return image;
}

Image* Image::createImage(int32_t newWidth, int32_t newHeight) {
  Image* image = newObject<Image>();
  if (image != nullptr) image->initBuffer(newWidth, newHeight, lcdui::mutableImageFlag | raster::opaqueRgb565, 0);
  return image;
}

Image* Image::createImage(Image* source, int32_t x, int32_t y, int32_t regionWidth, int32_t regionHeight,
                          int32_t transform) {
  const bool quarterTurn = transform >= 4 && transform <= 7;
  Image* image = createImage(quarterTurn ? regionHeight : regionWidth, quarterTurn ? regionWidth : regionHeight);
  if (image == nullptr) return nullptr;
  if (Graphics* graphics = image->getGraphics(); graphics != nullptr)
    graphics->drawRegion(source, x, y, regionWidth, regionHeight, transform, 0, 0,
                         raster::anchor::TOP | raster::anchor::LEFT);
  return image;
}

Image* Image::createImage(java_io_InputStream* stream) {
  if (stream == nullptr) {
    logFailedCheck("createImage stream");
    return nullptr;
  }
  // Reading until a read answers less than 1 would ask a resource stream for
  // one more block at the end of its entry, which it refuses with an
  // EOFException: the end of the data ends the reading instead.
  ByteArray* bytes = java_io_InputStream::readAll(stream);
  Application* application = Application::get();
  if (application != nullptr && application->getPending() != nullptr) return nullptr;
  if (bytes == nullptr) return nullptr;
  return createImage(bytes, 0, bytes->length());
}

Image* Image::createImage(String* name) {
  if (name == nullptr) {
    logFailedCheck("createImage name");
    return nullptr;
  }
  java_io_InputStream* stream = javax_microedition_io_ResourceInputStream::getResourceAsStream(name);
  if (stream == nullptr) {
    debugLog("createImage: no resource %s",
             narrowForLog(name->view()).c_str());
    throwNew<java_io_IOException>(nullptr);
    return nullptr;
  }
  Image* image = createImage(stream);
  // An open entry stream holds a file until the collector finds it.
  stream->close();
  return image;
}

Image* Image::createRGBImage(IntArray* rgb, int32_t rgbWidth, int32_t rgbHeight, bool processAlpha) {
  const lcdui::IntArrayElements before = lcdui::intArrayElements(rgb);
  lcdui::logRgbImageChecks(raster::checkRgbImageArguments(before.elements, before.length, rgbWidth, rgbHeight));
  const bool needsAlpha = raster::rgbImageNeedsAlpha(before.elements, before.length, processAlpha);
  Image* image = newObject<Image>();
  if (image == nullptr) return nullptr;
  image->initBuffer(rgbWidth, rgbHeight, needsAlpha ? raster::argb4444 : raster::opaqueRgb565, 0);
  // The allocations above may have moved the elements: read them again.
  raster::Surface surface = image->surface();
  const lcdui::IntArrayElements source = lcdui::intArrayElements(rgb);
  if (source.elements != nullptr && surface.isUsable())
    image->m_pixelType = raster::fillRgbImage(surface, source.elements, source.length, processAlpha);
  return image;
}

void Image::getRGB(IntArray* argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t regionWidth,
                   int32_t regionHeight) {
  const lcdui::IntArrayElements target = lcdui::intArrayElements(argb);
  lcdui::logGetRgbChecks(
      raster::getRGB(surface(), target.elements, target.length, offset, scanlength, x, y, regionWidth, regionHeight));
}

void javax_microedition_lcdui_ScreenImage::wrapScreenBuffer(int32_t bufferWidth, int32_t bufferHeight, void* buffer) {
  pixels = nullptr;
  width = height = pitch = 0;
  mutableFlag = 0;
  m_pixelType = raster::opaqueRgb565;
  const lcdui::PixelStore store = lcdui::wrapForeignStore(bufferWidth, bufferHeight, buffer);
  pixels = store.pixels;
  pitch = store.pitch;
  width = bufferWidth;
  height = bufferHeight;
  mutableFlag = 1;
}
