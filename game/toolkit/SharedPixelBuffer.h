#pragma once
// The sprite class's shared pixel buffer (ASprite::pixelBuffer) and the
// rule every helper follows when it needs a scratch block of pixels.
#include <cstdint>

#include "game/toolkit/ASprite.h"

class IntArray;

inline constexpr int32_t sharedPixelBufferLength = spritelimit::pixelBufferSize;

// ASprite::pixelBuffer, made on first use; null only when the object heap
// is full.
IntArray* sharedPixelBuffer();

// The block a helper writes count pixels into: the shared buffer, unless the
// helper reads from that very buffer or the buffer is too small, in which
// case a fresh int[count]. Null when no block can be had.
IntArray* scratchBlockFor(IntArray* source, int32_t count);
