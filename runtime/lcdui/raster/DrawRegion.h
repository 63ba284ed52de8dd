#pragma once
// drawRegion and drawImage: a region of a 16-bit image into the target
// under one of the eight MIDP transforms, by the source's pixel type
// (opaque copy, keyed copy, ARGB4444 blend). The target is always written
// as RGB565.
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// Graphics anchor bits.
namespace anchor {
constexpr int32_t HCENTER = 1;
constexpr int32_t VCENTER = 2;
constexpr int32_t LEFT = 4;
constexpr int32_t RIGHT = 8;
constexpr int32_t TOP = 16;
constexpr int32_t BOTTOM = 32;
constexpr int32_t BASELINE = 64;
}  // namespace anchor

// Sprite transforms; 4..7 swap the axes.
namespace transform {
constexpr int32_t TRANS_NONE = 0;
constexpr int32_t TRANS_MIRROR_ROT180 = 1;
constexpr int32_t TRANS_MIRROR = 2;
constexpr int32_t TRANS_ROT180 = 3;
constexpr int32_t TRANS_MIRROR_ROT270 = 4;
constexpr int32_t TRANS_ROT90 = 5;
constexpr int32_t TRANS_ROT270 = 6;
constexpr int32_t TRANS_MIRROR_ROT90 = 7;
}  // namespace transform

// What drawRegion found wrong, for the natives layer to log in this order:
// "drawRegion pSrc", "drawRegion x_src", "drawRegion y_src",
// "drawRegion transform", "m_pixelType". A null source, a bad transform or
// a bad pixel type draws nothing; a region reaching outside the source
// draws the part that lies inside it. The region checks are only made when
// the clip leaves something to draw.
namespace regioncheck {
constexpr uint32_t nullSource = 1;
constexpr uint32_t sourceX = 2;
constexpr uint32_t sourceY = 4;
constexpr uint32_t badTransform = 8;
constexpr uint32_t badPixelType = 16;
}  // namespace regioncheck

// source may be null; a source without a usable store counts as null.
uint32_t drawRegion(const Surface& target, const GraphicsState& state, const Surface* source, int32_t xSource,
                    int32_t ySource, int32_t width, int32_t height, int32_t transform, int32_t xDest, int32_t yDest,
                    int32_t anchor);

// drawRegion of the whole image, untransformed.
uint32_t drawImage(const Surface& target, const GraphicsState& state, const Surface* image, int32_t x, int32_t y,
                   int32_t anchor);

}  // namespace raster
