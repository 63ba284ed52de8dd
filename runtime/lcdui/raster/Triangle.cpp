#include <algorithm>
#include <utility>

#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/Shapes.h"

namespace raster {
namespace {

struct Vertex {
  int64_t x, y;
};

// Edge slope in 24.8 fixed point; a horizontal edge has none.
int64_t edgeSlope(const Vertex& from, const Vertex& to) {
  return to.y == from.y ? 0 : (to.x - from.x) * 256 / (to.y - from.y);
}

}  // namespace

// Rows wholly above or below the clip are stepped over in one addition:
// the edges move by whole slopes per row, so the spans drawn are the same
// as a walk through every row, and a far vertex costs nothing.
void fillTriangle(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  int32_t x3, int32_t y3) {
  const ClipBounds clip = effectiveClip(target, state);
  if (clip.isEmpty()) return;
  Vertex v[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < 2; ++i)
      if (v[i].y > v[i + 1].y) std::swap(v[i], v[i + 1]);
  const int64_t slope12 = edgeSlope(v[0], v[1]), slope13 = edgeSlope(v[0], v[2]), slope23 = edgeSlope(v[1], v[2]);
  int64_t left = v[0].x * 256, right = left;
  if (v[0].y == v[1].y) {
    left = std::min(v[0].x, v[1].x) * 256;
    right = std::max(v[0].x, v[1].x) * 256;
  }
  const int64_t tx = state.translateX, ty = state.translateY;
  const int64_t firstVisibleRow = clip.y1 - ty, endVisibleRow = clip.y2 - ty;  // caller coordinates
  const uint32_t colour = state.colour;
  auto fillRows = [&](int64_t firstRow, int64_t endRow, int64_t leftStep, int64_t rightStep) {
    const int64_t from = std::clamp(firstRow, std::min(firstVisibleRow, endRow), endRow);
    const int64_t to = std::clamp(endVisibleRow, from, endRow);
    int64_t rowLeft = left + leftStep * (from - firstRow), rowRight = right + rightStep * (from - firstRow);
    for (int64_t row = from; row < to; ++row, rowLeft += leftStep, rowRight += rightStep)
      fillRectAbsolute(target, clip, colour, (rowLeft >> 8) + tx, row + ty, (rowRight >> 8) - (rowLeft >> 8), 1);
    left += leftStep * (endRow - firstRow);
    right += rightStep * (endRow - firstRow);
  };
  fillRows(v[0].y, v[1].y, std::min(slope12, slope13), std::max(slope12, slope13));
  fillRows(v[1].y, v[2].y + 1, std::max(slope13, slope23), std::min(slope13, slope23));
}

}  // namespace raster
