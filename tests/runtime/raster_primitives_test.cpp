// Golden cases of the drawing kernels: state, fills, lines, arcs, triangles
// and round rectangles on small guarded targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Line.h"
#include "runtime/lcdui/raster/Shapes.h"
#include "tests/runtime/raster_test_surface.h"

using namespace raster;

namespace {

constexpr uint16_t red565 = 0xF800;

int countPixels(const GuardedSurface& canvas, uint16_t value) {
  int count = 0;
  for (int y = 0; y < canvas.surface.height; ++y)
    for (int x = 0; x < canvas.surface.width; ++x) count += canvas.at(x, y) == value;
  return count;
}

std::set<std::pair<int, int>> pixelsOf(const GuardedSurface& canvas, uint16_t value) {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < canvas.surface.height; ++y)
    for (int x = 0; x < canvas.surface.width; ++x)
      if (canvas.at(x, y) == value) pixels.insert({x, y});
  return pixels;
}

struct Painter {
  GuardedSurface canvas;
  GraphicsState state;
  explicit Painter(int width = 16, int height = 12, uint16_t fill = 0)
      : canvas(width, height, opaqueRgb565, fill), state(makeGraphicsState(canvas.surface)) {
    setColor(state, 0xFF0000);
  }
  const Surface& target() const { return canvas.surface; }
};

}  // namespace

TEST(RasterState, SetColorForcesAlphaAndReportsEachComponentOutOfRange) {
  GraphicsState state;
  setColor(state, 0x12345678);
  EXPECT_EQ(state.colour, 0xFF345678u);
  EXPECT_EQ(setColor(state, 1, 2, 3), 0u);
  EXPECT_EQ(state.colour, 0xFF010203u);
  EXPECT_EQ(setColor(state, 256, -1, 300), colourcheck::red | colourcheck::green | colourcheck::blue);
  // Not masked: components spill as they always did.
  EXPECT_EQ(state.colour, 0xFF000000u | (256u << 16) | (uint32_t(-1) << 8) | 300u);
}

TEST(RasterState, ClipIsBoundedByTheTargetAndReadBackRelativeToTheTranslation) {
  GuardedSurface canvas(20, 10);
  GraphicsState state = makeGraphicsState(canvas.surface);
  EXPECT_EQ(state.colour, 0u);
  translate(state, 5, 3);
  setClip(state, canvas.surface, -10, -10, 100, 8);
  EXPECT_EQ(state.clipX1, 0);
  EXPECT_EQ(state.clipY1, 0);
  EXPECT_EQ(state.clipX2, 20);
  EXPECT_EQ(state.clipY2, 1);
  EXPECT_EQ(getClipX(state), -5);
  EXPECT_EQ(getClipY(state), -3);
  EXPECT_EQ(getClipWidth(state), 20);
  EXPECT_EQ(getClipHeight(state), 1);

  setClip(state, canvas.surface, 0, 0, 10, 5);  // absolute 5..15, 3..8
  clipRect(state, canvas.surface, 2, -1, 20, 3);  // absolute 7..27, 2..5
  EXPECT_EQ(state.clipX1, 7);
  EXPECT_EQ(state.clipY1, 3);
  EXPECT_EQ(state.clipX2, 15);
  EXPECT_EQ(state.clipY2, 5);

  // Far values saturate instead of wrapping round to the other side.
  translate(state, 0x7FFFFFF0, 0);
  setClip(state, canvas.surface, 0x7FFFFFF0, 0, 100, 100);
  EXPECT_LE(getClipWidth(state), 0);
  resetForPaint(state, canvas.surface);
  EXPECT_EQ(state.colour, 0xFFFFFFFFu);
  EXPECT_EQ(getClipWidth(state), 20);
  EXPECT_EQ(state.translateX, 0);
}

TEST(RasterFillRect, ClipsAtTheEdgesAndDrawsNothingForEmptySizes) {
  struct Case {
    int x, y, width, height;
    int expectedPixels;
  };
  const Case cases[] = {
      {2, 2, 3, 4, 12},   {2, 2, 0, 4, 0},     {2, 2, 3, -1, 0},  {-2, -2, 4, 4, 4}, {-5, 0, 5, 5, 0},
      {14, 0, 5, 2, 4},   {16, 0, 5, 5, 0},    {0, 11, 3, 9, 3},  {0, 0, 16, 12, 192},
      {-0x7FFFFFFF, 0, 0x7FFFFFFF, 1, 0},     {0x7FFFFFF0, 0, 0x7FFFFFFF, 1, 0},
  };
  for (const Case& c : cases) {
    Painter painter;
    fillRect(painter.target(), painter.state, c.x, c.y, c.width, c.height);
    EXPECT_EQ(countPixels(painter.canvas, red565), c.expectedPixels) << c.x << "," << c.y << " " << c.width << "x" << c.height;
    EXPECT_TRUE(painter.canvas.guardsIntact());
  }
}

TEST(RasterFillRect, TouchingTheClipsRightEdgeIsCutThere) {
  Painter painter;
  setClip(painter.state, painter.target(), 2, 2, 6, 6);
  translate(painter.state, 1, 1);
  fillRect(painter.target(), painter.state, 0, 0, 100, 100);
  EXPECT_EQ(pixelsOf(painter.canvas, red565).size(), 36u);
  EXPECT_EQ(painter.canvas.at(7, 7), red565);
  EXPECT_EQ(painter.canvas.at(8, 7), 0);
  EXPECT_EQ(painter.canvas.at(2, 2), red565);
  EXPECT_EQ(painter.canvas.at(1, 1), 0);
}

TEST(RasterFillRect, RunsOfEveryLengthAndAlignmentStopAtTheirEnds) {
  for (int width = 1; width <= 140; width += width < 20 ? 1 : 7) {
    for (int x = 0; x < 4; ++x) {
      Painter painter(150, 3);
      fillRect(painter.target(), painter.state, x, 1, width, 1);
      ASSERT_EQ(countPixels(painter.canvas, red565), width);
      ASSERT_EQ(painter.canvas.at(x, 1), red565);
      ASSERT_EQ(painter.canvas.at(x + width - 1, 1), red565);
      ASSERT_TRUE(painter.canvas.guardsIntact());
    }
  }
  // A store without padding fills as one run; the words around it stay.
  std::vector<uint16_t> store(2 + 100 * 7 + 2, 0x5555);
  const Surface unpadded{store.data() + 2, 100, 7, 200, opaqueRgb565};
  GraphicsState state = makeGraphicsState(unpadded);
  setColor(state, 0xFF0000);
  fillRect(unpadded, state, 0, 1, 100, 5);
  EXPECT_EQ(std::count(store.begin(), store.end(), red565), 500);
  EXPECT_EQ(store[2 + 100], red565);
  EXPECT_EQ(store[2 + 99], 0x5555);
  EXPECT_EQ(store[2 + 600], 0x5555);
}

TEST(RasterFillRect, TranslucentColoursBlendByTheFillFormula) {
  struct Case {
    uint32_t colour;
    uint16_t before;
    uint16_t after;
  };
  const Case cases[] = {
      {0x00FFFFFF, 0x1234, 0x1234},                    // alpha 0: untouched
      {0x80FFFFFF, 0x0000, (15 << 11) | (31 << 5) | 15},  // 255 * 128 >> 11 = 15
      {0x80FFFFFF, 0xFFFF, (30 << 11) | (62 << 5) | 30},  // 15 + 15, 31 + 31
      {0xFEFFFFFF, 0x0000, (31 << 11) | (63 << 5) | 31},
      {0xFE000000, 0xFFFF, 0x0000},
      {0x40102030, 0x8410, ((16 * 192 >> 8) + (0x10 * 64 >> 11)) << 11 | ((32 * 192 >> 8) + (0x20 * 64 >> 10)) << 5 |
                               ((16 * 192 >> 8) + (0x30 * 64 >> 11))},
  };
  for (const Case& c : cases) {
    Painter painter(4, 4, c.before);
    painter.state.colour = c.colour;
    fillRect(painter.target(), painter.state, 0, 0, 4, 4);
    EXPECT_EQ(painter.canvas.at(3, 3), c.after) << std::hex << c.colour;
    EXPECT_EQ(countPixels(painter.canvas, c.after), 16);
  }
}

TEST(RasterBlend, FormulasAtTheEndsAndMidpoints) {
  // Lines and drawRGB: d + floor((s - d) * a / 256), floor rounding down.
  EXPECT_EQ(blendTowardsRgb565(0x0000, 0xFFFF, 128), (15 << 11) | (31 << 5) | 15);
  EXPECT_EQ(blendTowardsRgb565(0xFFFF, 0x0000, 128), (15 << 11) | (31 << 5) | 15);  // 31 - 16
  EXPECT_EQ(blendTowardsRgb565(0x0841, 0x0000, 1), 0x0020);  // -1 * 1 >> 8 = -1, -2 * 1 >> 8 = -1
  EXPECT_EQ(blendTowardsRgb565(0x1234, 0xFFFF, 0), 0x1234);
  EXPECT_EQ(blendTowardsRgb565(0x0000, 0xFFFF, 255), (30 << 11) | (62 << 5) | 30);
  // ARGB4444: opaque white over black lands short of white.
  EXPECT_EQ(blendArgb4444(0x0000, 0xFFFF), (29 << 11) | (59 << 5) | 29);
  EXPECT_EQ(blendArgb4444(0x1234, 0x0FFF), 0x1234);
  EXPECT_EQ(blendArgb4444(0xFFFF, 0x8000), ((31 + ((0 - 31) * 136 >> 8)) << 11) | ((63 + ((0 - 63) * 136 >> 8)) << 5) |
                                               (31 + ((0 - 31) * 136 >> 8)));
}

TEST(RasterLine, OnePointAndZeroSizedRectangleSetOnePixel) {
  Painter painter;
  drawLine(painter.target(), painter.state, 3, 4, 3, 4);
  EXPECT_EQ(pixelsOf(painter.canvas, red565), (std::set<std::pair<int, int>>{{3, 4}}));
  Painter rectangle;
  drawRect(rectangle.target(), rectangle.state, 5, 6, 0, 0);
  EXPECT_EQ(pixelsOf(rectangle.canvas, red565), (std::set<std::pair<int, int>>{{5, 6}}));
}

TEST(RasterLine, BresenhamWalksTheMajorAxisAndTiesWalkAlongX) {
  Painter painter;
  drawLine(painter.target(), painter.state, 0, 0, 5, 2);
  EXPECT_EQ(pixelsOf(painter.canvas, red565),
            (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
  Painter steep;
  drawLine(steep.target(), steep.state, 2, 5, 0, 0);
  EXPECT_EQ(pixelsOf(steep.canvas, red565).size(), 6u);
  EXPECT_EQ(steep.canvas.at(2, 5), red565);
  EXPECT_EQ(steep.canvas.at(0, 0), red565);
  Painter diagonal;
  drawLine(diagonal.target(), diagonal.state, 0, 3, 3, 0);
  EXPECT_EQ(pixelsOf(diagonal.canvas, red565), (std::set<std::pair<int, int>>{{0, 3}, {1, 2}, {2, 1}, {3, 0}}));
}

TEST(RasterLine, DrawRectCoversOneMorePixelEachWay) {
  Painter painter;
  drawRect(painter.target(), painter.state, 1, 1, 3, 2);
  EXPECT_EQ(pixelsOf(painter.canvas, red565),
            (std::set<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}));
}

TEST(RasterLine, TranslucentLineMovesEachFieldTowardsTheColour) {
  Painter painter(8, 4, 0x0000);
  painter.state.colour = 0x80FFFFFF;
  drawLine(painter.target(), painter.state, 0, 0, 7, 0);
  EXPECT_EQ(countPixels(painter.canvas, (15 << 11) | (31 << 5) | 15), 8);
}

TEST(RasterLine, FreshGraphicsHasAlphaZeroAndChangesNothing) {
  GuardedSurface canvas(8, 8, opaqueRgb565, 0x1234);
  const GuardedSurface before = canvas;
  const GraphicsState state = makeGraphicsState(canvas.surface);
  fillRect(canvas.surface, state, 0, 0, 8, 8);
  drawLine(canvas.surface, state, 0, 0, 7, 7);
  fillArc(canvas.surface, state, 0, 0, 8, 8, 0, 360);
  fillTriangle(canvas.surface, state, 0, 0, 7, 0, 0, 7);
  EXPECT_TRUE(canvas == before);
}

TEST(RasterLine, FarAwayEndPointsTerminateAndStayInsideTheClip) {
  std::mt19937 random(9116);
  const int32_t far[] = {INT32_MIN, INT32_MIN + 1, -1000000000, -70000, -1, 0, 1, 5, 70000, 1000000000, INT32_MAX};
  auto coordinate = [&]() -> int32_t {
    return (random() & 1) ? far[random() % std::size(far)] : int32_t(random() % 40) - 10;
  };
  for (int trial = 0; trial < 20000; ++trial) {
    Painter painter(24, 16);
    const int clipX = random() % 10, clipY = random() % 8, clipW = random() % 12, clipH = random() % 8;
    setClip(painter.state, painter.target(), clipX, clipY, clipW, clipH);
    translate(painter.state, int32_t(random() % 2000) - 1000, int32_t(random() % 2000) - 1000);
    drawLine(painter.target(), painter.state, coordinate(), coordinate(), coordinate(), coordinate());
    ASSERT_TRUE(painter.canvas.guardsIntact());
    for (const auto& [x, y] : pixelsOf(painter.canvas, red565))
      ASSERT_TRUE(x >= clipX && x < clipX + clipW && y >= clipY && y < clipY + clipH) << trial;
  }
}

TEST(RasterArc, QuadrantsFollowStartAndEnd) {
  struct Case {
    int32_t start, arc;
    uint32_t quadrants;
  };
  const Case cases[] = {
      {0, 360, 0xF}, {90, 360, 0},   {0, 90, 1},     {0, 89, 0},      {0, 180, 3},    {90, 90, 2},
      {180, 180, 0xC}, {270, 90, 8}, {45, 180, 2},   {0, 720, 0xF},   {360, 360, 0},  {450, 90, 2},
      // Clockwise sweeps are the same arcs taken the other way round.
      {0, -180, 0xC},  {0, -360, 0xF}, {360, -90, 8}, {-90, 90, 8},   {-360, 360, 0xF}, {INT32_MIN, INT32_MIN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(arcQuadrants(c.start, c.arc), c.quadrants) << c.start << " " << c.arc;
}

TEST(RasterArc, WholeEllipseIsSymmetricAndTouchesItsBox) {
  Painter painter(24, 20);
  drawArc(painter.target(), painter.state, 2, 3, 16, 10, 0, 360);  // a = 8, b = 5, centre (10, 8)
  const auto pixels = pixelsOf(painter.canvas, red565);
  EXPECT_TRUE(pixels.count({10, 3}));
  EXPECT_TRUE(pixels.count({10, 13}));
  EXPECT_TRUE(pixels.count({2, 8}));
  EXPECT_TRUE(pixels.count({18, 8}));
  for (const auto& [x, y] : pixels) {
    EXPECT_TRUE(pixels.count({20 - x, y})) << x << "," << y;
    EXPECT_TRUE(pixels.count({x, 16 - y})) << x << "," << y;
  }
  Painter nothing(24, 20);
  drawArc(nothing.target(), nothing.state, 2, 3, 16, 10, 90, 360);
  EXPECT_EQ(countPixels(nothing.canvas, red565), 0);
}

TEST(RasterArc, ClockwiseHalfIsTheMirrorOfTheAnticlockwiseOne) {
  Painter upper(24, 20), lower(24, 20);
  fillArc(upper.target(), upper.state, 2, 2, 16, 12, 0, 180);
  fillArc(lower.target(), lower.state, 2, 2, 16, 12, 0, -180);
  const auto top = pixelsOf(upper.canvas, red565), bottom = pixelsOf(lower.canvas, red565);
  ASSERT_FALSE(top.empty());
  ASSERT_EQ(top.size(), bottom.size());
  for (const auto& [x, y] : top) EXPECT_TRUE(bottom.count({x, 16 - y})) << x << "," << y;  // centre row 8
}

TEST(RasterArc, FilledQuadrantSpansRunFromTheCentre) {
  Painter painter(24, 20);
  fillArc(painter.target(), painter.state, 0, 0, 10, 10, 0, 90);  // quadrant 0 only, centre (5, 5)
  const auto pixels = pixelsOf(painter.canvas, red565);
  for (const auto& [x, y] : pixels) {
    EXPECT_GE(x, 5);
    EXPECT_LE(y, 5);
    for (int between = 5; between < x; ++between) EXPECT_TRUE(pixels.count({between, y}));
  }
  EXPECT_TRUE(pixels.count({10, 5}));
  EXPECT_TRUE(pixels.count({5, 0}));
  EXPECT_FALSE(pixels.count({4, 5}));
}

TEST(RasterArc, CurvesTooLargeToWalkAreRefused) {
  Painter painter;
  EXPECT_EQ(fillArc(painter.target(), painter.state, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 360),
            shapecheck::tooLarge);
  EXPECT_EQ(drawArc(painter.target(), painter.state, 0, 0, 10, INT32_MAX, 0, 360), shapecheck::tooLarge);
  EXPECT_EQ(fillRoundRect(painter.target(), painter.state, -5, -5, INT32_MAX, INT32_MAX, INT32_MAX, 0),
            shapecheck::tooLarge);
  EXPECT_EQ(drawRoundRect(painter.target(), painter.state, -5, -5, INT32_MAX, INT32_MAX, INT32_MAX, 0),
            shapecheck::tooLarge);
  EXPECT_EQ(countPixels(painter.canvas, red565), 0);
  // The largest walked ellipse still draws where it crosses the target.
  const int32_t size = int32_t(2 * maximumCurveRadius);
  EXPECT_EQ(drawArc(painter.target(), painter.state, -size / 2 + 8, 4, size, 8, 0, 360), 0u);
  EXPECT_GT(countPixels(painter.canvas, red565), 0);
  EXPECT_TRUE(painter.canvas.guardsIntact());
}

TEST(RasterTriangle, RowsAreHalfOpenSpansBetweenTheEdges) {
  Painter painter;
  fillTriangle(painter.target(), painter.state, 0, 0, 0, 4, 4, 4);
  // Slopes 0 and 256: rows 0..3 span [0, y), row 4 spans [0, 4).
  std::set<std::pair<int, int>> expected;
  for (int y = 0; y <= 4; ++y)
    for (int x = 0; x < std::min(y, 4); ++x) expected.insert({x, y});
  EXPECT_EQ(pixelsOf(painter.canvas, red565), expected);
}

TEST(RasterTriangle, FlatTopStartsAtBothUpperVertices) {
  Painter painter;
  fillTriangle(painter.target(), painter.state, 8, 1, 2, 1, 5, 4);
  EXPECT_EQ(painter.canvas.at(2, 1), red565);
  EXPECT_EQ(painter.canvas.at(7, 1), red565);
  EXPECT_EQ(painter.canvas.at(8, 1), 0);
  EXPECT_EQ(painter.canvas.at(1, 1), 0);
}

TEST(RasterTriangle, FarVerticesOnlyCostTheRowsInsideTheClip) {
  Painter near(16, 12), far(16, 12);
  fillTriangle(near.target(), near.state, 4, -10, -6, 30, 20, 30);
  translate(far.state, 0, -1000000000);
  fillTriangle(far.target(), far.state, 4, 999999990, -6, 1000000030, 20, 1000000030);
  EXPECT_TRUE(near.canvas == far.canvas);
  EXPECT_GT(countPixels(near.canvas, red565), 50);
  Painter huge(16, 12);
  fillTriangle(huge.target(), huge.state, 0, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX);
  EXPECT_TRUE(huge.canvas.guardsIntact());
}

TEST(RasterRoundRect, NoRadiusIsAPlainRectangle) {
  Painter round, square;
  drawRoundRect(round.target(), round.state, 1, 1, 8, 6, 2, 99);
  drawRect(square.target(), square.state, 1, 1, 8, 6);
  EXPECT_TRUE(round.canvas == square.canvas);
  Painter filledRound, filledSquare;
  fillRoundRect(filledRound.target(), filledRound.state, 1, 1, 8, 6, 3, 0);
  fillRect(filledSquare.target(), filledSquare.state, 1, 1, 8, 6);
  EXPECT_TRUE(filledRound.canvas == filledSquare.canvas);
}

TEST(RasterRoundRect, CornersAreCutSymmetricallyAndEachPixelIsPaintedOnce) {
  Painter outline(20, 16, 0);
  outline.state.colour = 0x80FFFFFF;  // a second blend would show as a brighter pixel
  drawRoundRect(outline.target(), outline.state, 2, 2, 12, 10, 8, 0);  // radius 3
  const uint16_t once = blendTowardsRgb565(0, 0xFFFF, 128);
  const auto pixels = pixelsOf(outline.canvas, once);
  EXPECT_EQ(countPixels(outline.canvas, 0) + int(pixels.size()), 20 * 16);
  EXPECT_FALSE(pixels.count({2, 2}));
  EXPECT_TRUE(pixels.count({5, 2}));
  EXPECT_TRUE(pixels.count({2, 5}));
  for (const auto& [x, y] : pixels) {
    EXPECT_TRUE(pixels.count({16 - x, y}));
    EXPECT_TRUE(pixels.count({x, 14 - y}));
  }

  Painter filled(20, 16, 0);
  filled.state.colour = 0x80FFFFFF;
  fillRoundRect(filled.target(), filled.state, 2, 2, 12, 10, 8, 0);
  const uint16_t fillOnce = blendFill(0, 0x80FFFFFF, 128);
  const auto area = pixelsOf(filled.canvas, fillOnce);
  EXPECT_EQ(countPixels(filled.canvas, 0) + int(area.size()), 20 * 16);
  EXPECT_FALSE(area.count({2, 2}));
  EXPECT_TRUE(area.count({2, 6}));
  EXPECT_TRUE(area.count({13, 6}));
  EXPECT_FALSE(area.count({14, 6}));
  for (const auto& [x, y] : area) {
    EXPECT_TRUE(area.count({15 - x, y}));
    EXPECT_TRUE(area.count({x, 13 - y}));
  }
}
