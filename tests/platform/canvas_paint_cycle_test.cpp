// The paint cycle and repaint over the headless GDI display.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "tests/platform/headless_canvas_fixture.h"

namespace {

struct PaintSeen {
  int32_t translateX, translateY, clipX, clipY, clipWidth, clipHeight, colour;
};

std::vector<PaintSeen> paints;

// Paints a red square at (10, 10) and leaves a moved origin and a small clip.
class ScribblingCanvas : public javax_microedition_lcdui_Canvas {
 public:
  using Super = javax_microedition_lcdui_Canvas;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;
  void paint(javax_microedition_lcdui_Graphics* g) override {
    paints.push_back({g->getTranslateX(), g->getTranslateY(), g->getClipX(), g->getClipY(), g->getClipWidth(),
                      g->getClipHeight(), g->getColor() & 0xFFFFFF});
    g->setColor(0xFF0000);
    g->fillRect(10, 10, 4, 4);
    g->translate(30, 40);
    g->setClip(1, 1, 2, 2);
  }
};

class CanvasPaintCycle : public HeadlessCanvasFixture<ScribblingCanvas> {
 protected:
  void SetUp() override {
    paints.clear();
    HeadlessCanvasFixture::SetUp();
  }

  uint16_t presentedPixel(int x, int y) { return wince::driver::presentedFrame()[size_t(y) * 800 + size_t(x)]; }
};

TEST_F(CanvasPaintCycle, EveryPaintStartsAtTheOriginWithFullClipAndWhite) {
  javax_microedition_lcdui_Canvas::repaint(canvas);
  javax_microedition_lcdui_Canvas::repaint(canvas);
  ASSERT_EQ(paints.size(), 2u);
  for (const PaintSeen& seen : paints) {
    EXPECT_EQ(seen.translateX, 0);
    EXPECT_EQ(seen.translateY, 0);
    EXPECT_EQ(seen.clipX, 0);
    EXPECT_EQ(seen.clipY, 0);
    EXPECT_EQ(seen.clipWidth, 800);
    EXPECT_EQ(seen.clipHeight, 480);
    EXPECT_EQ(seen.colour, 0xFFFFFF);
  }
  auto* g = static_cast<javax_microedition_lcdui_Graphics*>(host.application->m_screenGraphics);
  EXPECT_EQ(g->getTranslateX(), 0);
  EXPECT_EQ(g->getClipX(), 0);
  EXPECT_EQ(g->getClipWidth(), 800) << "the clip is the full screen after paint";
  EXPECT_EQ(g->getClipHeight(), 480);
}

TEST_F(CanvasPaintCycle, RepaintPresentsWhatWasPaintedOnABlackScreen) {
  ASSERT_NE(host.backBuffer, nullptr);
  EXPECT_EQ(std::count(host.backBuffer, host.backBuffer + 800 * 480, uint16_t{0}), 800 * 480)
      << "the screen is black before any paint";
  const uint64_t before = wince::driver::presentCount();
  javax_microedition_lcdui_Canvas::repaint(canvas);
  EXPECT_EQ(wince::driver::presentCount(), before + 1);
  EXPECT_EQ(presentedPixel(11, 11), 0xF800);
  EXPECT_EQ(presentedPixel(0, 0), 0);
  EXPECT_EQ(presentedPixel(799, 479), 0);
}

TEST_F(CanvasPaintCycle, RepaintIsGated) {
  struct GateCase {
    const char* name;
    uint8_t displayActive;
    uint32_t repaintSkip;
    bool withDisplayable;
    bool painted;
    bool presented;
  };
  const GateCase cases[] = {
      {"inactive window", 0, 0, true, false, false},
      {"orientation being corrected", 1, 1, true, false, false},
      {"skip word other than 1", 1, 0x101, true, true, true},
      {"no current Displayable", 1, 0, false, false, true},
      {"active", 1, 0, true, true, true},
  };
  for (const GateCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    paints.clear();
    host.displayActive = entry.displayActive;
    host.repaintSkip = entry.repaintSkip;
    host.application->m_current = entry.withDisplayable ? canvas : nullptr;
    const uint64_t before = wince::driver::presentCount();
    javax_microedition_lcdui_Canvas::repaint(canvas);
    EXPECT_EQ(!paints.empty(), entry.painted);
    EXPECT_EQ(wince::driver::presentCount() > before, entry.presented);
  }
}

}  // namespace
