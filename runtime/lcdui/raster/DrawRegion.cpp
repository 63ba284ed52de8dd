#include "runtime/lcdui/raster/DrawRegion.h"

#include <algorithm>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/Clip.h"
#include "runtime/lcdui/raster/EightPixels.h"
#include "runtime/lcdui/raster/PixelRows.h"

namespace raster {
namespace {

// A half-open range of offsets.
struct Span {
  int64_t first, end;
  bool isEmpty() const { return end <= first; }
};

// Offset k within a run of `size` counted from the other end.
Span mirrored(Span span, int64_t size) { return {size - span.end, size - span.first}; }

// Destination offset (i, j) inside the drawn rectangle and source offset
// (u, v) inside the region: bit 2 of the transform swaps the axes (i runs
// along v), bit 1 reverses u and bit 0 reverses v.
struct Mapping {
  bool swapsAxes, reversesU, reversesV;
  int64_t width, height;  // of the source region

  Span uFromDestination(Span i, Span j) const {
    const Span along = swapsAxes ? j : i;
    return reversesU ? mirrored(along, width) : along;
  }
  Span vFromDestination(Span i, Span j) const {
    const Span along = swapsAxes ? i : j;
    return reversesV ? mirrored(along, height) : along;
  }
  Span iFromSource(Span u, Span v) const {
    return swapsAxes ? (reversesV ? mirrored(v, height) : v) : (reversesU ? mirrored(u, width) : u);
  }
  Span jFromSource(Span u, Span v) const {
    return swapsAxes ? (reversesU ? mirrored(u, width) : u) : (reversesV ? mirrored(v, height) : v);
  }
};

struct OpaqueCopy {
  static void pixel(uint16_t& target, uint16_t source) { target = source; }
  static EightPixels step(EightPixels, EightPixels source) { return source; }
  static void row(uint16_t* target, const uint16_t* source, size_t count) { copyPixels(target, source, count); }
};

struct KeyedCopy {
  static void pixel(uint16_t& target, uint16_t source) {
    if (source != transparentKey) target = source;
  }
  static EightPixels step(EightPixels target, EightPixels source) { return keyedStep(target, source); }
  static void row(uint16_t* target, const uint16_t* source, size_t count) { copyKeyedPixels(target, source, count); }
};

struct Argb4444Blend {
  static void pixel(uint16_t& target, uint16_t source) { target = blendArgb4444(target, source); }
  static EightPixels step(EightPixels target, EightPixels source) { return blendStep(target, source); }
  static void row(uint16_t* target, const uint16_t* source, size_t count) {
    blendArgb4444Pixels(target, source, count);
  }
};

// A mirrored row: target[k] takes sourceFirst[-k], eight pixels a step.
template <class Operation>
void reversedRow(uint16_t* target, const uint16_t* sourceFirst, size_t count) {
  size_t k = 0;
  for (; k + 8 <= count; k += 8) store(target + k, Operation::step(load(target + k), loadReversed(sourceFirst - k)));
  for (; k < count; ++k) Operation::pixel(target[k], *(sourceFirst - k));
}

// Everything a blit needs once clipping is done: the drawn rectangle's
// corner on the target, the region's corner on the source, and the
// destination offsets left to draw.
struct Blit {
  const Surface& target;
  const Surface& source;
  Mapping mapping;
  int64_t targetX, targetY;
  int64_t sourceX, sourceY;
  Span i, j;

  uint16_t* targetPixel(int64_t di, int64_t dj) const { return target.row(int32_t(targetY + dj)) + (targetX + di); }
  const uint16_t* sourcePixel(int64_t u, int64_t v) const { return source.row(int32_t(sourceY + v)) + (sourceX + u); }
};

// Transforms 0..3 map target rows to source rows.
template <class Operation>
void blitRows(const Blit& blit) {
  const Mapping& map = blit.mapping;
  const size_t count = size_t(blit.i.end - blit.i.first);
  for (int64_t dj = blit.j.first; dj < blit.j.end; ++dj) {
    const int64_t v = map.reversesV ? map.height - 1 - dj : dj;
    uint16_t* target = blit.targetPixel(blit.i.first, dj);
    if (!map.reversesU) {
      Operation::row(target, blit.sourcePixel(blit.i.first, v), count);
    } else {
      reversedRow<Operation>(target, blit.sourcePixel(map.width - 1 - blit.i.first, v), count);
    }
  }
}

// Transforms 4..7 map target rows to source columns: pixel by pixel down
// a column over the given part of the drawn rectangle.
template <class Operation>
void blitColumnsOneByOne(const Blit& blit, Span i, Span j) {
  const Mapping& map = blit.mapping;
  const ptrdiff_t sourceRowStep = blit.source.pitch >> 1;
  const ptrdiff_t step = map.reversesV ? -sourceRowStep : sourceRowStep;
  const int64_t firstV = map.reversesV ? map.height - 1 - i.first : i.first;
  const size_t count = size_t(std::max<int64_t>(i.end - i.first, 0));
  for (int64_t dj = j.first; dj < j.end; ++dj) {
    const int64_t u = map.reversesU ? map.width - 1 - dj : dj;
    const uint16_t* source = blit.sourcePixel(u, firstV);
    uint16_t* target = blit.targetPixel(i.first, dj);
    for (size_t k = 0; k < count; ++k) Operation::pixel(target[k], source[ptrdiff_t(k) * step]);
  }
}

// One 8x8 block of a turned blit: eight source rows of eight pixels, one
// sourceRowStep apart, land as the block's eight columns; source column t
// lands in target row t (7 - t with reverseRows).
template <class Operation>
[[gnu::always_inline]] inline void turnedBlock(uint16_t* target, ptrdiff_t targetRowStep, const uint16_t* source,
                                               ptrdiff_t sourceRowStep, bool reverseRows) {
  EightPixels r0 = load(source), r1 = load(source + sourceRowStep), r2 = load(source + 2 * sourceRowStep),
              r3 = load(source + 3 * sourceRowStep), r4 = load(source + 4 * sourceRowStep),
              r5 = load(source + 5 * sourceRowStep), r6 = load(source + 6 * sourceRowStep),
              r7 = load(source + 7 * sourceRowStep);
  transpose(r0, r1, r2, r3, r4, r5, r6, r7);
  const ptrdiff_t step = reverseRows ? -targetRowStep : targetRowStep;
  uint16_t* row = reverseRows ? target + 7 * targetRowStep : target;
  for (EightPixels column : {r0, r1, r2, r3, r4, r5, r6, r7}) {
    store(row, Operation::step(load(row), column));
    row += step;
  }
}

// Whole 8x8 blocks go through a register transpose, stepping along the
// source by whole blocks; the ragged right and bottom edges one pixel at a
// time.
template <class Operation>
void blitColumns(const Blit& blit) {
  const Mapping& map = blit.mapping;
  const ptrdiff_t targetRowStep = blit.target.pitch >> 1;
  // One step along i is one source row, upwards when v runs backwards.
  const ptrdiff_t sourceRowStep = map.reversesV ? -(blit.source.pitch >> 1) : blit.source.pitch >> 1;
  const int64_t blocksAlongI = (blit.i.end - blit.i.first) / 8;
  const int64_t blockEndI = blit.i.first + blocksAlongI * 8;
  const int64_t blockEndJ = blit.j.first + (blit.j.end - blit.j.first) / 8 * 8;
  const int64_t firstV = map.reversesV ? map.height - 1 - blit.i.first : blit.i.first;
  for (int64_t dj = blit.j.first; dj < blockEndJ; dj += 8) {
    // The eight target rows read source columns u .. u + 7 (reversed when u runs backwards).
    const int64_t firstU = map.reversesU ? map.width - 1 - (dj + 7) : dj;
    const uint16_t* source = blit.sourcePixel(firstU, firstV);
    uint16_t* target = blit.targetPixel(blit.i.first, dj);
    for (int64_t block = 0; block < blocksAlongI; ++block)
      turnedBlock<Operation>(target + 8 * block, targetRowStep, source + 8 * block * sourceRowStep, sourceRowStep,
                             map.reversesU);
    blitColumnsOneByOne<Operation>(blit, {blockEndI, blit.i.end}, {dj, dj + 8});
  }
  blitColumnsOneByOne<Operation>(blit, blit.i, {blockEndJ, blit.j.end});
}

// An image drawn into itself: pixel by pixel in the source's own order, as
// a walk over the source region always went, so overlapping areas read
// what earlier steps wrote.
template <class Operation>
void blitInSourceOrder(const Blit& blit) {
  const Mapping& map = blit.mapping;
  const Span u = map.uFromDestination(blit.i, blit.j), v = map.vFromDestination(blit.i, blit.j);
  for (int64_t sv = v.first; sv < v.end; ++sv) {
    for (int64_t su = u.first; su < u.end; ++su) {
      const Span oneU{su, su + 1}, oneV{sv, sv + 1};
      const int64_t di = map.iFromSource(oneU, oneV).first, dj = map.jFromSource(oneU, oneV).first;
      Operation::pixel(*blit.targetPixel(di, dj), *blit.sourcePixel(su, sv));
    }
  }
}

bool storesOverlap(const Surface& a, const Surface& b) {
  const uint16_t* aEnd = a.pixels + a.elementCount();
  const uint16_t* bEnd = b.pixels + b.elementCount();
  return a.pixels < bEnd && b.pixels < aEnd;
}

template <class Operation>
void runBlit(const Blit& blit) {
  if (storesOverlap(blit.target, blit.source))
    blitInSourceOrder<Operation>(blit);
  else if (blit.mapping.swapsAxes)
    blitColumns<Operation>(blit);
  else
    blitRows<Operation>(blit);
}

}  // namespace

uint32_t drawRegion(const Surface& target, const GraphicsState& state, const Surface* source, int32_t xSource,
                    int32_t ySource, int32_t width, int32_t height, int32_t transform, int32_t xDest, int32_t yDest,
                    int32_t anchor) {
  if (transform < 0 || transform > 7) return regioncheck::badTransform;
  const ClipBounds clip = effectiveClip(target, state);
  if (clip.isEmpty()) return 0;
  const Mapping mapping{(transform & 4) != 0, (transform & 2) != 0, (transform & 1) != 0, width, height};
  const int64_t drawnWidth = mapping.swapsAxes ? height : width;
  const int64_t drawnHeight = mapping.swapsAxes ? width : height;
  int64_t x = int64_t(xDest) + state.translateX, y = int64_t(yDest) + state.translateY;
  if (anchor & anchor::HCENTER)
    x -= drawnWidth >> 1;
  else if (anchor & anchor::RIGHT)
    x -= drawnWidth;
  if (anchor & anchor::VCENTER)
    y -= drawnHeight >> 1;
  else if (anchor & anchor::BOTTOM)
    y -= drawnHeight;

  Span i{std::max<int64_t>(0, clip.x1 - x), std::min<int64_t>(drawnWidth, clip.x2 - x)};
  Span j{std::max<int64_t>(0, clip.y1 - y), std::min<int64_t>(drawnHeight, clip.y2 - y)};
  if (i.isEmpty() || j.isEmpty()) return 0;
  if (!source || !source->isUsable()) return regioncheck::nullSource;

  // The region as the clip left it, checked against the source.
  Span u = mapping.uFromDestination(i, j), v = mapping.vFromDestination(i, j);
  uint32_t checks = 0;
  if (xSource + u.first < 0 || xSource + u.end > source->width) checks |= regioncheck::sourceX;
  if (ySource + v.first < 0 || ySource + v.end > source->height) checks |= regioncheck::sourceY;
  const int32_t pixelType = source->pixelType;
  if (pixelType != opaqueRgb565 && pixelType != keyedRgb565 && pixelType != argb4444)
    return checks | regioncheck::badPixelType;

  // Only what exists in the source is drawn.
  u = {std::max<int64_t>(u.first, -int64_t(xSource)), std::min<int64_t>(u.end, int64_t(source->width) - xSource)};
  v = {std::max<int64_t>(v.first, -int64_t(ySource)), std::min<int64_t>(v.end, int64_t(source->height) - ySource)};
  if (u.isEmpty() || v.isEmpty()) return checks;
  const Blit blit{target, *source, mapping, x, y, xSource, ySource, mapping.iFromSource(u, v), mapping.jFromSource(u, v)};
  if (pixelType == opaqueRgb565)
    runBlit<OpaqueCopy>(blit);
  else if (pixelType == keyedRgb565)
    runBlit<KeyedCopy>(blit);
  else
    runBlit<Argb4444Blend>(blit);
  return checks;
}

uint32_t drawImage(const Surface& target, const GraphicsState& state, const Surface* image, int32_t x, int32_t y,
                   int32_t anchor) {
  if (!image) return regioncheck::nullSource;
  return drawRegion(target, state, image, 0, 0, image->width, image->height, transform::TRANS_NONE, x, y, anchor);
}

}  // namespace raster
