#include "runtime/lcdui/PixelStore.h"

#include <algorithm>
#include <limits>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"

namespace lcdui {
namespace {

constexpr int64_t largestLength = std::numeric_limits<int32_t>::max();

bool isSixteenBitType(int32_t pixelType) {
  return pixelType == raster::opaqueRgb565 || pixelType == raster::keyedRgb565 || pixelType == raster::argb4444;
}

}  // namespace

ShortArray* sixteenBitStore(Object* pixels) {
  if (pixels == nullptr || pixels->getClassId() != classid::ShortArray) return nullptr;
  return static_cast<ShortArray*>(pixels);
}

raster::Surface pixelStoreSurface(Object* pixels, int32_t width, int32_t height, int32_t pitch, int32_t pixelType) {
  raster::Surface surface;
  surface.width = width;
  surface.height = height;
  surface.pitch = pitch;
  surface.pixelType = pixelType;
  ShortArray* store = sixteenBitStore(pixels);
  if (store == nullptr || width < 0 || height < 0 || pitch < 0) return surface;
  if (int64_t(pitch >> 1) * height > store->length()) return surface;
  surface.pixels = reinterpret_cast<uint16_t*>(store->elements());
  return surface;
}

PixelStore allocatePixelStore(int32_t width, int32_t height, int32_t pixelType, int32_t extraBytes) {
  PixelStore store;
  int64_t length;
  if (isSixteenBitType(pixelType)) {
    const int64_t pitch = raster::pixelStorePitch(width);
    store.pitch = int32_t(pitch);
    length = (pitch / 2) * height;
  } else if (pixelType == 3) {
    store.pitch = width;
    length = int64_t(extraBytes) + int64_t(width) * height + 1;
  } else {
    store.pitch = int32_t((int64_t(width) + 1) / 2);
    length = int64_t(extraBytes) + int64_t(store.pitch) * height + 1;
  }
  if (length > largestLength) {
    debugLog("image %d x %d: too large for a pixel store", width, height);
    return store;
  }
  // A negative length reaches the array, which logs it and keeps no storage.
  const int32_t arrayLength = int32_t(std::max<int64_t>(length, -1));
  if (isSixteenBitType(pixelType))
    store.pixels = newShortArray(arrayLength);
  else
    store.pixels = newByteArray(arrayLength);
  return store;
}

PixelStore wrapForeignStore(int32_t width, int32_t height, void* buffer) {
  PixelStore store;
  const int64_t pitch = raster::pixelStorePitch(width);
  store.pitch = int32_t(pitch);
  const int64_t length = (pitch / 2) * height;
  if (length < 0) {
    logFailedCheck("length of array should be >= 0");
    return store;
  }
  if (length > largestLength) {
    debugLog("screen buffer %d x %d: too large to wrap", width, height);
    return store;
  }
  store.pixels = wrapShortArray(static_cast<int16_t*>(buffer), int32_t(length));
  return store;
}

}  // namespace lcdui
