#pragma once
// An Image's pixel store as the drawing kernels see it, and the two ways a
// store is made: allocated for a new image, or wrapped around the display's
// back buffer. Element addresses in a surface are valid only until the next
// allocation: build the surface again after one.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/raster/Surface.h"

namespace lcdui {

// Bit 24 of initBuffer's type asks for a mutable image.
constexpr int32_t mutableImageFlag = 1 << 24;

// The 16-bit store of an image, or null when pixels is not a ShortArray.
ShortArray* sixteenBitStore(Object* pixels);

// A surface over the store; an unusable one (null pixels) when the store is
// not a ShortArray or is too short for the shape the fields claim, so the
// kernels never walk off it.
raster::Surface pixelStoreSurface(Object* pixels, int32_t width, int32_t height, int32_t pitch, int32_t pixelType);

struct PixelStore {
  Array* pixels = nullptr;
  int32_t pitch = 0;
};

// initBuffer's store: for the 16-bit types a zero-filled ShortArray of
// (pitch / 2) x height elements, pitch = width x 2 rounded up to 4 bytes;
// for type 3 a ByteArray of extra + width x height + 1 bytes, pitch width;
// for other types half a byte a pixel. A negative size is logged by the
// array; a size past 32 bits is logged and gets no store.
PixelStore allocatePixelStore(int32_t width, int32_t height, int32_t pixelType, int32_t extraBytes);

// A ShortArray over foreign storage (the display's back buffer) that never
// frees it. A negative element count is logged and gets no store.
PixelStore wrapForeignStore(int32_t width, int32_t height, void* buffer);

}  // namespace lcdui
