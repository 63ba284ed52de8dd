#pragma once
// ASprite::transformRGB: a block of ARGB pixels flipped and turned by the
// sprite paint flags (bit 0 flip horizontally, bit 1 flip vertically, bit 2
// turn 90 degrees clockwise after the flips), exactly as drawRegion draws
// the same block with the flags' transform.
#include <cstdint>

class IntArray;

// The result is width x height. With bit 2 the source is height pixels wide
// and width high (the caller passes the turned size). Neither block may
// overlap the other.
void transformPixels(const int32_t* source, int32_t* destination, int32_t width, int32_t height, int32_t flags);

// flags & 7 == 0 answers source itself. Otherwise the block goes into the
// shared pixel buffer, or into a fresh int[width * height] when source is
// that buffer or the buffer is too small. A null source, a negative size or
// a source shorter than width * height is logged and answers null.
IntArray* transformRGB(IntArray* source, int32_t width, int32_t height, int32_t flags);
