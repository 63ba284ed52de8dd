// System-font text on the presented screen: a Canvas draws two centred lines
// through the screen Graphics, the paint cycle presents the frame, and the
// frame must hold the stand-in's own rendering of those lines, pixel for
// pixel. On a mismatch both pictures are written as PNGs for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Canvas.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/headless_canvas_fixture.h"
#include "tests/runtime/png_test_writer.h"
#include "wince/gdi_pixels.h"
#include "wince/text.h"

namespace {

constexpr int screenWidth = 800, screenHeight = 480;
const std::u16string firstLine = u"Turn the device & hold it";
const std::u16string secondLine = u"sideways to play: 100%";
constexpr int firstTop = 210, secondTop = 230;  // 20 pixels apart, as the game spaces its notice

// White, then the two lines in black, centred on x = 400 with their tops at
// firstTop and secondTop.
class NoticeCanvas : public javax_microedition_lcdui_Canvas {
 public:
  using Super = javax_microedition_lcdui_Canvas;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Canvas;
  void paint(javax_microedition_lcdui_Graphics* g) override {
    g->setColor(0xFFFFFF);
    g->fillRect(0, 0, screenWidth, screenHeight);
    g->setColor(0x000000);
    g->drawString(newObject<String>(firstLine.c_str()), screenWidth / 2, firstTop, 17);
    g->drawString(newObject<String>(secondLine.c_str()), screenWidth / 2, secondTop, 17);
  }
};

struct LineBox {
  int left, top, width, height;
};

LineBox centredBox(const std::u16string& text, int top) {
  const int width = wince::systemFontTextWidth(text.data(), int(text.size()));
  return {screenWidth / 2 - (width >> 1), top, width, wince::systemFontMetrics().height};
}

void drawDirect(std::vector<uint16_t>& frame, const std::u16string& text, const LineBox& box) {
  wince::PixelTarget target;
  target.bits = reinterpret_cast<uint8_t*>(frame.data());
  target.width = screenWidth;
  target.height = screenHeight;
  target.pitch = screenWidth * 2;
  target.clip = RECT{box.left, box.top, box.left + box.width, box.top + box.height};
  wince::drawSystemFontText(target, box.left, box.top, text.data(), int(text.size()), 0x000000);
}

void writeFramePng(const std::vector<uint16_t>& frame, const std::string& path) {
  PngFixture fixture;
  fixture.width = screenWidth;
  fixture.height = screenHeight;
  for (int y = 0; y < screenHeight; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < screenWidth; ++x) {
      const uint32_t rgb = wince::rgb565ToRgb(frame[size_t(y) * screenWidth + size_t(x)]);
      row.insert(row.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    }
    fixture.rows.push_back(row);
  }
  const std::vector<uint8_t> bytes = writePng(fixture);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

using TextScreenshot = HeadlessCanvasFixture<NoticeCanvas>;

TEST_F(TextScreenshot, ThePresentedFrameShowsTheLinesAsTheTextRoutineDrawsThem) {
  const uint64_t before = wince::driver::presentCount();
  javax_microedition_lcdui_Canvas::repaint(canvas);
  ASSERT_EQ(wince::driver::presentCount(), before + 1);
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  ASSERT_EQ(frame.size(), size_t(screenWidth) * screenHeight);

  std::vector<uint16_t> expected(frame.size(), 0xFFFF);
  const LineBox first = centredBox(firstLine, firstTop), second = centredBox(secondLine, secondTop);
  drawDirect(expected, firstLine, first);
  drawDirect(expected, secondLine, second);
  if (frame != expected) {
    const std::string base = testing::TempDir() + "text_screenshot";
    writeFramePng(frame, base + ".actual.png");
    writeFramePng(expected, base + ".expected.png");
    ADD_FAILURE() << "the presented frame differs; see " << base << ".actual.png and .expected.png";
  }

  // Readable: each line is dark pixels on white, filling its box from edge
  // to edge within a few pixels, and the 20-pixel spacing leaves a white
  // row between the lines.
  for (const LineBox& box : {first, second}) {
    int dark = 0, leftmost = screenWidth, rightmost = -1, other = 0;
    for (int y = box.top; y < box.top + box.height; ++y)
      for (int x = box.left; x < box.left + box.width; ++x) {
        const uint16_t pixel = frame[size_t(y) * screenWidth + size_t(x)];
        if (pixel == 0x0000) {
          ++dark;
          leftmost = std::min(leftmost, x);
          rightmost = std::max(rightmost, x);
        } else if (pixel != 0xFFFF) {
          ++other;
        }
      }
    EXPECT_GT(dark, box.width * 2);
    EXPECT_EQ(other, 0) << "only black on white";
    EXPECT_LE(leftmost - box.left, 3);
    EXPECT_LE(box.left + box.width - 1 - rightmost, 3);
  }
  EXPECT_EQ(first.top + first.height, secondTop - 1);
  for (int x = 0; x < screenWidth; ++x)
    ASSERT_EQ(frame[size_t(secondTop - 1) * screenWidth + size_t(x)], 0xFFFF) << "gap row, column " << x;
}

}  // namespace
