// Frame snapshots: captured sprite frames in five slots, and their drawing
// turned about a pivot by texture-mapped scanlines.
#include <algorithm>
#include <utility>

#include "game/toolkit/MathHelpers.h"
#include "game/toolkit/SharedPixelBuffer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

using Graphics = javax_microedition_lcdui_Graphics;

namespace {

cGameSnapshotStatics& snapshots() { return toolkitStatics().cGameSnapshots; }

bool tablesExist() {
  const cGameSnapshotStatics& s = snapshots();
  return s.keys != nullptr && s.records != nullptr && s.pixels != nullptr;
}

// The warped frame is laid out in the shared buffer at this pitch; the edge
// tables hold one entry per screen row.
constexpr int32_t warpPitch = 100;
constexpr int32_t edgeTableRows = 480;

struct EdgeTables {
  int32_t x[edgeTableRows];
  int32_t u[edgeTableRows];
  int32_t v[edgeTableRows];
};

struct Corner {
  int32_t x, y, u, v;
};

// One edge of a chain from a down to b: per row, x and the texture's u and
// v in 8.8. Rows outside the tables are stepped over.
void walkEdge(const Corner& a, const Corner& b, EdgeTables& tables) {
  const int32_t rows = b.y - a.y;
  if (rows <= 0) return;
  const int32_t xStep = ((b.x - a.x) << 8) / rows;
  const int32_t uStep = ((b.u - a.u) << 8) / rows;
  const int32_t vStep = ((b.v - a.v) << 8) / rows;
  int32_t x = (a.x << 8) + 128, u = a.u << 8, v = a.v << 8;
  for (int32_t row = a.y; row < b.y; ++row) {
    if (row >= 0 && row < edgeTableRows) {
      tables.x[row] = x >> 8;
      tables.u[row] = u;
      tables.v[row] = v;
    }
    x += xStep;
    u += uStep;
    v += vStep;
  }
}

}  // namespace

bool snapshotTablesReady() {
  cGameSnapshotStatics& s = snapshots();
  if (s.keys == nullptr) s.keys = newObjectArray(snapshotSlotCount);
  if (s.records == nullptr) s.records = newObjectArray(snapshotSlotCount);
  if (s.pixels == nullptr) s.pixels = newObjectArray(snapshotSlotCount);
  return tablesExist();
}

int32_t cGame::findFreeSnapshot() {
  if (!snapshotTablesReady()) return -1;
  for (int32_t i = 0; i < snapshotSlotCount; ++i)
    if (snapshots().keys->get(i) == nullptr) return i;
  return -1;
}

int32_t cGame::findSnapshot(Object* key, int32_t frame) {
  if (!tablesExist()) return -1;
  for (int32_t i = 0; i < snapshotSlotCount; ++i) {
    if (snapshots().keys->get(i) != key) continue;
    auto* record = static_cast<IntArray*>(snapshots().records->get(i));
    if (record != nullptr && record->length() > 4 && record->get(4) == frame) return i;
  }
  return -1;
}

void cGame::freeSnapshot(int32_t i) {
  if (i < 0 || i >= snapshotSlotCount || !tablesExist()) return;
  snapshots().keys->set(i, nullptr);
  snapshots().records->set(i, nullptr);
  snapshots().pixels->set(i, nullptr);
}

void cGame::drawWarpedSnapshot(Object* key, int32_t frame, int32_t pivotX, int32_t pivotY, int32_t x, int32_t y,
                               int32_t degrees, int32_t flags) {
  const int32_t slot = findSnapshot(key, frame);
  if (slot < 0) {
    debugLog("no snapshot of %p frame %d", static_cast<void*>(key), frame);
    return;
  }
  auto* record = static_cast<IntArray*>(snapshots().records->get(slot));
  auto* source = static_cast<IntArray*>(snapshots().pixels->get(slot));
  Graphics* graphics = toolkitStatics().cGameDraw.graphics;
  if (!objectIsUsable(source) || !objectIsUsable(graphics)) return;
  const int32_t width = record->get(0), height = record->get(1);
  const int32_t offsetX = record->get(2), offsetY = record->get(3);

  // Corners about the pivot: top-left, top-right, bottom-right, bottom-left.
  const int32_t left = offsetX - pivotX + x, top = offsetY - pivotY + y;
  Corner corners[4] = {{left, top, 0, 0},
                       {left + width, top, width - 1, 0},
                       {left + width, top + height, width - 1, height - 1},
                       {left, top + height, 0, height - 1}};
  if ((flags & 1) != 0)
    for (Corner& corner : corners) corner.u = width - 1 - corner.u;
  if ((flags & 2) != 0) {
    std::swap(corners[0].u, corners[3].u);
    std::swap(corners[0].v, corners[3].v);
    std::swap(corners[1].u, corners[2].u);
    std::swap(corners[1].v, corners[2].v);
  }

  const int32_t turn = javaDivide(degrees * angle::degreeScale, 360);
  const int32_t cosine = cosLookup(turn), sine = cosLookup(angle::quarter - turn);
  for (Corner& corner : corners) {
    const int32_t turnedX = (corner.x * cosine - corner.y * sine + 128) >> 8;
    const int32_t turnedY = (corner.y * cosine + corner.x * sine + 128) >> 8;
    corner.x = turnedX;
    corner.y = turnedY;
  }
  int32_t leastX = corners[0].x, leastY = corners[0].y;
  for (const Corner& corner : corners) {
    leastX = std::min(leastX, corner.x);
    leastY = std::min(leastY, corner.y);
  }
  int32_t topIndex = 0;
  for (int32_t i = 0; i < 4; ++i) {
    corners[i].x -= leastX;
    corners[i].y -= leastY;
    if (corners[i].y < corners[topIndex].y) topIndex = i;
  }
  const Corner& topCorner = corners[topIndex];
  const Corner& bottomCorner = corners[(topIndex + 2) & 3];
  if (topCorner.y == bottomCorner.y) return;
  const Corner& before = corners[(topIndex + 3) & 3];
  const Corner& after = corners[(topIndex + 1) & 3];
  const bool afterIsLeft = after.x < before.x;
  const Corner& leftCorner = afterIsLeft ? after : before;
  const Corner& rightCorner = afterIsLeft ? before : after;

  EdgeTables leftEdge{}, rightEdge{};
  walkEdge(topCorner, leftCorner, leftEdge);
  walkEdge(leftCorner, bottomCorner, leftEdge);
  walkEdge(topCorner, rightCorner, rightEdge);
  walkEdge(rightCorner, bottomCorner, rightEdge);

  IntArray* buffer = sharedPixelBuffer();
  if (buffer == nullptr || buffer->elements() == nullptr) return;
  // The frame must fit the buffer's pitch and the edge tables: whatever
  // lies beyond them is cut off rather than written past them.
  const int32_t rows = std::min({bottomCorner.y, edgeTableRows, buffer->length() / warpPitch});
  int32_t* out = buffer->elements();
  std::fill_n(out, buffer->length(), 0);
  const int32_t* in = source->elements();
  const int64_t sourceLength = source->length();
  for (int32_t row = 0; row < rows; ++row) {
    const int32_t fromX = leftEdge.x[row], toX = rightEdge.x[row];
    if (fromX == toX) continue;
    const int32_t uStep = javaDivide(rightEdge.u[row] - leftEdge.u[row], toX - fromX);
    const int32_t vStep = javaDivide(rightEdge.v[row] - leftEdge.v[row], toX - fromX);
    const int32_t firstX = std::max(fromX, 0), endX = std::min(toX, warpPitch);
    int32_t u = leftEdge.u[row] + 128 + uStep * (firstX - fromX);
    int32_t v = leftEdge.v[row] + 128 + vStep * (firstX - fromX);
    for (int32_t column = firstX; column < endX; ++column, u += uStep, v += vStep) {
      const int64_t index = int64_t{u >> 8} + int64_t{v >> 8} * width;
      if (index >= 0 && index < sourceLength) out[row * warpPitch + column] = in[index];
    }
  }
  graphics->drawRGB(buffer, 0, warpPitch, leastX + pivotX, leastY + pivotY, std::min(rightCorner.x, warpPitch), rows,
                    true);
}
