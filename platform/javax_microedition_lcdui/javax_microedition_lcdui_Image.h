#pragma once
// javax_microedition_lcdui_Image (class id 87): a 16-bit pixel store and its
// shape. Its natives: the store allocation, PNG decoding,
// createRGBImage, getRGB and getGraphics; the screen Image wraps the
// display's back buffer instead of owning a store.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/raster/Surface.h"
#include "runtime/object/Object.h"

class String;
class java_io_InputStream;
class javax_microedition_lcdui_Graphics;

class javax_microedition_lcdui_Image : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Image;
  static constexpr auto referenceFields() { return ReferenceFieldList{&javax_microedition_lcdui_Image::pixels}; }

  // Image(width, height, type, extra): an immutable image with the store of
  // initBuffer for these values.
  void init(int32_t newWidth, int32_t newHeight, int32_t type, int32_t extraBytes) {
    initBuffer(newWidth, newHeight, type, extraBytes);
  }

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
  // A new mutable opaque image, all black. Null only when the object heap is
  // full.
  static javax_microedition_lcdui_Image* createImage(int32_t width, int32_t height);
  // A new mutable image of the region, drawn with drawRegion at (0, 0); the
  // transforms that turn it a quarter (4..7) swap width and height.
  static javax_microedition_lcdui_Image* createImage(javax_microedition_lcdui_Image* source, int32_t x, int32_t y,
                                                     int32_t width, int32_t height, int32_t transform);
  // The PNG data of the rest of the stream. Reading stops at the end of the
  // data (available() reaching 0) or at a read that gives nothing, so a
  // resource stream is never read past its entry. A read that raises leaves
  // its exception pending and answers null; so does a null stream (logged).
  // The stream is left open.
  static javax_microedition_lcdui_Image* createImage(java_io_InputStream* stream);
  // The PNG resource of that name from the archive; its stream is closed
  // afterwards. A missing resource is logged, raises IOException and answers
  // null.
  static javax_microedition_lcdui_Image* createImage(String* name);
  // ARGB integers to a new immutable image: ARGB4444 when processAlpha finds
  // partial alpha, else RGB565, keyed where alpha 0 left the key.
  static javax_microedition_lcdui_Image* createRGBImage(IntArray* rgb, int32_t width, int32_t height,
                                                        bool processAlpha);
  // Pixels as ARGB into argb[offset + row * scanlength + column]. Bad
  // arguments are logged; nothing outside the image or the array is touched.
  void getRGB(IntArray* argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width, int32_t height);

  bool isMutable() const { return mutableFlag != 0; }

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
