#pragma once
// javax_microedition_lcdui_Image (class id 87): a 16-bit pixel store and its
// shape. Its natives: the store allocation, PNG decoding,
// createRGBImage, getRGB and getGraphics; the screen Image wraps the
// display's back buffer instead of owning a store.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/raster/Surface.h"
#include "runtime/object/Object.h"

class javax_microedition_lcdui_Graphics;

class javax_microedition_lcdui_Image : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Image;
  static constexpr auto referenceFields() { return ReferenceFieldList{&javax_microedition_lcdui_Image::pixels}; }

  // An immutable image still gets one, after a "!mutable" log line.
  virtual javax_microedition_lcdui_Graphics* getGraphics();
  virtual int32_t getWidth();
  virtual int32_t getHeight();

  // The pixel store for a type (ImagePixelType, mutable flag in bit 24) and
  // a count of extra bytes that only the byte-per-pixel types use. A
  // mutable image of a type other than 0 logs "imagetype".
  void initBuffer(int32_t width, int32_t height, int32_t type, int32_t extraBytes);

  // PNG data to a new immutable image. Damaged data leaves the rest of the
  // image black; data the decoder cannot start on (no header, refused size)
  // gives a 0 x 0 image. Null only when the object heap is full.
  static javax_microedition_lcdui_Image* createImage(ByteArray* data, int32_t offset, int32_t length);
  // ARGB integers to a new immutable image: ARGB4444 when processAlpha finds
  // partial alpha, else RGB565, keyed where alpha 0 left the key.
  static javax_microedition_lcdui_Image* createRGBImage(IntArray* rgb, int32_t width, int32_t height,
                                                        bool processAlpha);
  // Pixels as ARGB into argb[offset + row * scanlength + column]. Bad
  // arguments are logged; nothing outside the image or the array is touched.
  void getRGB(IntArray* argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width, int32_t height);

  // The store as the kernels see it; valid until the next allocation.
  raster::Surface surface() const;

  Array* pixels;  // ShortArray for the 16-bit types
  int32_t width;
  int32_t height;
  int32_t pitch;       // bytes per row of the store
  int8_t mutableFlag;  // 1 for images made to be drawn into
  int32_t m_pixelType;
};

// The 800 x 480 screen Image: the Image with one more operation that wraps
// the display device's back buffer, which it never owns or frees.
class javax_microedition_lcdui_ScreenImage : public javax_microedition_lcdui_Image {
 public:
  using Super = javax_microedition_lcdui_Image;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Image;

  // Called once at start-up. The image is mutable; when the array object
  // cannot be made the pixel store stays null.
  virtual void wrapScreenBuffer(int32_t width, int32_t height, void* buffer);
};
