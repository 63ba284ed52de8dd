// The kernels against the literal reference, bit for bit, over random
// sizes, clips, translations, colours, anchors, transforms and pixel types,
// on guarded surfaces whose guard bands must stay as they were.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/Line.h"
#include "runtime/lcdui/raster/Shapes.h"
#include "tests/runtime/raster_reference.h"
#include "tests/runtime/raster_test_surface.h"

namespace {

class Randomness {
 public:
  explicit Randomness(uint32_t seed) : m_engine(seed) {}
  int32_t between(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(m_engine); }
  bool oneIn(int n) { return between(0, n - 1) == 0; }
  uint32_t word() { return uint32_t(m_engine()); }
  // Mostly near the target, now and then anywhere at all.
  int32_t coordinate(int32_t low, int32_t high) {
    if (oneIn(12)) {
      static const int32_t far[] = {INT32_MIN, INT32_MIN + 7, -100000, 100000, INT32_MAX - 3, INT32_MAX};
      return far[between(0, 5)];
    }
    return between(low, high);
  }
  uint32_t colour() {
    static const uint32_t alphas[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF, 0xFF, 0xFF};
    const uint32_t alpha = oneIn(4) ? word() >> 24 : alphas[between(0, 7)];
    return alpha << 24 | (word() & 0xFFFFFF);
  }
  uint16_t pixel(int32_t pixelType) {
    if (pixelType == raster::keyedRgb565 && oneIn(3)) return raster::transparentKey;
    return uint16_t(word());
  }

 private:
  std::mt19937 m_engine;
};

void fillRandomly(GuardedSurface& canvas, Randomness& random) {
  for (int y = 0; y < canvas.surface.height; ++y)
    for (int x = 0; x < canvas.surface.width; ++x) canvas.at(x, y) = random.pixel(canvas.surface.pixelType);
}

enum Operation { fillRectOp, drawLineOp, drawRectOp, drawArcOp, fillArcOp, fillTriangleOp, drawRgbOp, drawRegionOp,
                 drawImageOp, selfDrawOp, operationCount };

const char* const operationNames[] = {"fillRect", "drawLine", "drawRect", "drawArc", "fillArc", "fillTriangle",
                                      "drawRGB", "drawRegion", "drawImage", "drawRegion into itself"};

// One random case: the same call on two copies of one target.
void runCase(Randomness& random, int caseNumber) {
  // Now and then wide enough for the long-run paths of fills and copies.
  const int width = random.oneIn(10) ? random.between(60, 150) : random.between(1, 33);
  const int height = random.between(1, 20);
  const int operation = random.between(0, operationCount - 1);
  const int32_t targetType = operation == drawRgbOp && random.oneIn(3) ? raster::argb4444 : raster::opaqueRgb565;
  GuardedSurface fast(width, height, targetType);
  fillRandomly(fast, random);
  GuardedSurface literal(fast);
  raster::GraphicsState state = raster::makeGraphicsState(fast.surface);
  if (!random.oneIn(4))
    raster::setClip(state, fast.surface, random.between(-5, width), random.between(-5, height),
                    random.between(-2, width + 5), random.between(-2, height + 5));
  raster::translate(state, random.between(-20, 20), random.between(-20, 20));
  state.colour = random.colour();

  uint32_t fastChecks = 0, literalChecks = 0;
  const raster::Surface& a = fast.surface;
  const raster::Surface& b = literal.surface;
  switch (operation) {
    case fillRectOp: {
      const int32_t x = random.coordinate(-30, width + 10), y = random.coordinate(-30, 30);
      const int32_t w = random.coordinate(-3, width + 20), h = random.coordinate(-3, 30);
      raster::fillRect(a, state, x, y, w, h);
      reference::fillRect(b, state, x, y, w, h);
      break;
    }
    case drawLineOp: {
      const int32_t x1 = random.coordinate(-40, 70), y1 = random.coordinate(-40, 60);
      const int32_t x2 = random.coordinate(-40, 70), y2 = random.coordinate(-40, 60);
      raster::drawLine(a, state, x1, y1, x2, y2);
      reference::drawLine(b, state, x1, y1, x2, y2);
      break;
    }
    case drawRectOp: {
      const int32_t x = random.coordinate(-30, 40), y = random.coordinate(-30, 30);
      const int32_t w = random.between(-5, 40), h = random.between(-5, 30);
      raster::drawRect(a, state, x, y, w, h);
      reference::drawRect(b, state, x, y, w, h);
      break;
    }
    case drawArcOp:
    case fillArcOp: {
      const int32_t x = random.between(-30, 40), y = random.between(-30, 30);
      const int32_t w = random.between(-6, 70), h = random.between(-6, 60);
      const int32_t start = random.oneIn(2) ? 90 * random.between(-5, 5) : random.between(-800, 800);
      const int32_t arc = random.oneIn(2) ? 90 * random.between(-5, 5) : random.between(-800, 800);
      const bool filled = operation == fillArcOp;
      if (filled)
        raster::fillArc(a, state, x, y, w, h, start, arc);
      else
        raster::drawArc(a, state, x, y, w, h, start, arc);
      reference::drawArc(b, state, x, y, w, h, start, arc, filled);
      break;
    }
    case fillTriangleOp: {
      int32_t v[6];
      for (int32_t& value : v) value = random.between(-60, 80);
      raster::fillTriangle(a, state, v[0], v[1], v[2], v[3], v[4], v[5]);
      reference::fillTriangle(b, state, v[0], v[1], v[2], v[3], v[4], v[5]);
      break;
    }
    case drawRgbOp: {
      std::vector<int32_t> data(size_t(random.between(0, 300)));
      for (int32_t& element : data) element = int32_t(random.colour());
      const int32_t w = random.between(-2, 30), h = random.between(-2, 20);
      const int32_t scan = random.oneIn(8) ? random.coordinate(-40, 40) : w + random.between(0, 3);
      const int32_t offset = random.oneIn(6) ? random.coordinate(-50, 300) : random.between(0, 20);
      const int32_t x = random.coordinate(-20, 30), y = random.coordinate(-20, 20);
      const bool processAlpha = random.oneIn(2);
      const int32_t* rgb = random.oneIn(50) ? nullptr : data.data();
      fastChecks = raster::drawRGB(a, state, rgb, data.size(), offset, scan, x, y, w, h, processAlpha);
      literalChecks = reference::drawRGB(b, state, rgb, data.size(), offset, scan, x, y, w, h, processAlpha);
      break;
    }
    case drawRegionOp:
    case drawImageOp:
    case selfDrawOp: {
      const int32_t sourceType = random.between(0, 2);
      GuardedSurface source(random.oneIn(10) ? random.between(60, 150) : random.between(1, 21), random.between(1, 21),
                            sourceType);
      fillRandomly(source, random);
      static const int32_t anchors[] = {0, 1 | 2, 8 | 32, 4 | 16, 1 | 32, 8 | 2, 1 | 8 | 2 | 32, 64};
      const int32_t anchor = anchors[random.between(0, 7)];
      const int32_t x = random.coordinate(-25, width + 10), y = random.coordinate(-25, 35);
      if (operation == drawImageOp) {
        const bool none = random.oneIn(50);
        fastChecks = raster::drawImage(a, state, none ? nullptr : &source.surface, x, y, anchor);
        literalChecks = none ? raster::regioncheck::nullSource
                             : reference::drawRegion(b, state, &source.surface, 0, 0, source.surface.width,
                                                     source.surface.height, 0, x, y, anchor);
        break;
      }
      const bool self = operation == selfDrawOp;
      if (self) {
        fast.surface.pixelType = literal.surface.pixelType = sourceType;
      }
      const raster::Surface& sourceA = self ? a : source.surface;
      const raster::Surface& sourceB = self ? b : source.surface;
      const int32_t transform = random.oneIn(40) ? random.between(-2, 12) : random.between(0, 7);
      const int32_t xs = random.oneIn(5) ? random.coordinate(-10, 25) : random.between(0, sourceA.width - 1);
      const int32_t ys = random.oneIn(5) ? random.coordinate(-10, 25) : random.between(0, sourceA.height - 1);
      const int32_t w = random.oneIn(8) ? random.coordinate(-3, 30) : random.between(1, sourceA.width);
      const int32_t h = random.oneIn(8) ? random.coordinate(-3, 30) : random.between(1, sourceA.height);
      const bool none = random.oneIn(50);
      fastChecks = raster::drawRegion(a, state, none ? nullptr : &sourceA, xs, ys, w, h, transform, x, y, anchor);
      literalChecks = reference::drawRegion(b, state, none ? nullptr : &sourceB, xs, ys, w, h, transform, x, y, anchor);
      break;
    }
  }
  ASSERT_TRUE(fast.guardsIntact()) << "case " << caseNumber << " " << operationNames[operation];
  ASSERT_EQ(fastChecks, literalChecks) << "case " << caseNumber << " " << operationNames[operation];
  ASSERT_TRUE(fast == literal) << "case " << caseNumber << " " << operationNames[operation] << "\nkernel:\n"
                               << fast.dump() << "reference:\n" << literal.dump();
}

}  // namespace

TEST(RasterDifferential, KernelsMatchTheLiteralRulesBitForBit) {
  constexpr int caseCount = 200000;
  Randomness random(20261210);
  for (int caseNumber = 0; caseNumber < caseCount; ++caseNumber) {
    runCase(random, caseNumber);
    if (HasFatalFailure()) return;
  }
}
