#include "game/toolkit/SharedPixelBuffer.h"

#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/Arrays.h"

IntArray* sharedPixelBuffer() {
  IntArray*& buffer = toolkitStatics().ASprite.pixelBuffer;
  if (buffer == nullptr) buffer = newIntArray(sharedPixelBufferLength);
  return buffer;
}

IntArray* scratchBlockFor(IntArray* source, int32_t count) {
  if (count < 0) return nullptr;
  IntArray* buffer = sharedPixelBuffer();
  if (buffer != nullptr && buffer != source && count <= buffer->length()) return buffer;
  return newIntArray(count);
}
