#pragma once
// DrawEffects: the per-draw effect state the sprite painter applies to a
// frame's pixels. Effect n is bit n of active.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;
class javax_microedition_lcdui_Graphics;
class javax_microedition_lcdui_Image;

namespace effect {
inline constexpr int32_t grey = 7;
inline constexpr int32_t highlightBand = 8;
inline constexpr int32_t alpha = 10;
inline constexpr int32_t suppressPixelEffects = 11;
// Effects that need the back image: refused while it is not available.
inline constexpr int32_t needBackImage = 0x27F;
// Effects that turn a block's pixels.
inline constexpr int32_t pixelEffects = 0xD80;
// Effects that are remembered as pending until consumed.
inline constexpr int32_t pendable = 0x1F;
inline constexpr int32_t count = 12;
}  // namespace effect

struct DrawEffectsStatics {
  int8_t available;    // set by cGame's class initialiser
  int8_t initialised;  // 1 after initDrawEffects
  int8_t processed;    // the alpha flag of the pixels the effects produced
  int32_t active;
  int32_t pending;
  int32_t pending2;  // tested by effectsPending; nothing here sets it
  int32_t screenWidth;
  int32_t screenHeight;
  // Size of the block applyDrawEffects answered (w and h swapped by a turn).
  int32_t outputWidth;
  int32_t outputHeight;
  ObjectArray* parameters;  // int[12][]: [8] int[6], [10] int[2]
  javax_microedition_lcdui_Image* backImage;
  javax_microedition_lcdui_Graphics* backGraphics;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&DrawEffectsStatics::parameters, &DrawEffectsStatics::backImage,
                              &DrawEffectsStatics::backGraphics};
  }
};
