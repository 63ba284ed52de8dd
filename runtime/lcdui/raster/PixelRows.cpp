#include "runtime/lcdui/raster/PixelRows.h"

#include <cwchar>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/EightPixels.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {
namespace {

constexpr size_t longRun = 64;

}  // namespace

void fillPixels(uint16_t* destination, size_t count, uint16_t value) {
  if (count < 8) {
    for (size_t i = 0; i < count; ++i) destination[i] = value;
    return;
  }
  // Long runs go to the C library's wide fill, which picks the widest
  // stores the processor has; pixels go in pairs from a 4-byte boundary.
  static_assert(sizeof(wchar_t) == 4);
  if (count >= longRun) {
    if (reinterpret_cast<uintptr_t>(destination) & 2) {
      *destination++ = value;
      --count;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(destination), wchar_t(uint32_t(value) * 0x10001u), count / 2);
    if (count & 1) destination[count - 1] = value;
    return;
  }
  const EightPixels pattern = EightPixels{} + value;
  uint16_t* const end = destination + count;
  while (end - destination >= 32) {
    store(destination, pattern);
    store(destination + 8, pattern);
    store(destination + 16, pattern);
    store(destination + 24, pattern);
    destination += 32;
  }
  while (end - destination >= 8) {
    store(destination, pattern);
    destination += 8;
  }
  // Filling twice is harmless, so the tail is one overlapping store.
  if (destination != end) store(end - 8, pattern);
}

void copyKeyedPixels(uint16_t* destination, const uint16_t* source, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) store(destination + i, keyedStep(load(destination + i), load(source + i)));
  // A keyed copy is idempotent too: redo the last eight rather than loop.
  if (i != count && count >= 8) {
    const size_t last = count - 8;
    store(destination + last, keyedStep(load(destination + last), load(source + last)));
    return;
  }
  for (; i < count; ++i)
    if (source[i] != transparentKey) destination[i] = source[i];
}

void blendArgb4444Pixels(uint16_t* destination, const uint16_t* source, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) store(destination + i, blendStep(load(destination + i), load(source + i)));
  for (; i < count; ++i) destination[i] = blendArgb4444(destination[i], source[i]);
}

}  // namespace raster
