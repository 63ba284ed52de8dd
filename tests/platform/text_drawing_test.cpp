// System-font text through the Graphics: anchors, colour, clip and
// translation, and the target's edges. Expected pictures come from the
// stand-in's text routine drawn straight into a plain buffer.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Font.h"
#include "runtime/lang/String.h"
#include "runtime/lcdui/SystemFontText.h"
#include "tests/platform/graphics_fixture.h"
#include "wince/log.h"
#include "wince/text.h"

namespace {

using Font = javax_microedition_lcdui_Font;

constexpr uint16_t white = 0xFFFF;
constexpr uint16_t red = 0xF800;

// A white picture with the text drawn by the stand-in's routine with its top
// left at (x, y), cut to the text's box (measured width by line height).
std::vector<uint16_t> expectedPicture(int width, int height, int x, int y, const std::u16string& text, uint32_t rgb) {
  std::vector<uint16_t> pixels(size_t(width) * size_t(height), white);
  const int textWidth = wince::systemFontTextWidth(text.data(), int(text.size()));
  const int lineHeight = wince::systemFontMetrics().height;
  wince::PixelTarget target;
  target.bits = reinterpret_cast<uint8_t*>(pixels.data());
  target.width = width;
  target.height = height;
  target.pitch = width * 2;
  target.clip = wince::intersectRect(RECT{0, 0, width, height}, RECT{x, y, x + textWidth, y + lineHeight});
  if (!wince::rectIsEmpty(target.clip)) wince::drawSystemFontText(target, x, y, text.data(), int(text.size()), rgb);
  return pixels;
}

class TextDrawing : public GraphicsFixture {
 protected:
  // A white width x height image (width even: no pad pixels) and a red Graphics on it.
  void makeTarget(int32_t width, int32_t height) {
    image = mutableImage(width, height);
    graphics = image->getGraphics();
    graphics->setColor(0xFFFFFF);
    graphics->fillRect(0, 0, width, height);
    graphics->setColor(0xFF0000);
  }
  std::vector<uint16_t> picture() const {
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < image->height; ++y)
      for (int32_t x = 0; x < image->width; ++x) pixels.push_back(pixelAt(image, x, y));
    return pixels;
  }
  static String* text(const std::u16string& characters) { return newObject<String>(characters.c_str()); }
  static int32_t widthOf(const std::u16string& characters) {
    return wince::systemFontTextWidth(characters.data(), int(characters.size()));
  }
  // Where the picture differs from the expected one, for the failure text.
  std::string firstDifference(const std::vector<uint16_t>& expected) const {
    const std::vector<uint16_t> actual = picture();
    for (size_t i = 0; i < actual.size(); ++i)
      if (actual[i] != expected[i])
        return "first difference at (" + std::to_string(i % size_t(image->width)) + ", " +
               std::to_string(i / size_t(image->width)) + ")";
    return "";
  }

  Image* image = nullptr;
  Graphics* graphics = nullptr;
};

TEST_F(TextDrawing, AnchorsPlaceTheTextBoxExactly) {
  const std::u16string sample = u"Hag";
  const int32_t w = widthOf(sample), h = 19, ascent = 15;
  ASSERT_EQ(Font::getDefaultFont()->getHeight(), h);
  ASSERT_EQ(Font::getDefaultFont()->getBaselinePosition(), ascent);
  constexpr int32_t x = 100, y = 50;
  struct Case {
    const char* what;
    int32_t anchor;
    int32_t left, top;
  };
  const Case cases[] = {
      {"TOP|LEFT", 20, x, y},
      {"TOP|HCENTER", 17, x - (w >> 1), y},
      {"BOTTOM|HCENTER: bottom row at y - 1", 33, x - (w >> 1), y - h},
      {"BASELINE|HCENTER", 65, x - (w >> 1), y - ascent},
      {"TOP|RIGHT", 24, x - w, y},
      {"0 is TOP|LEFT", 0, x, y},
      {"HCENTER alone: top at y", 1, x - (w >> 1), y},
      {"BOTTOM alone: left at x", 32, x, y - h},
      {"RIGHT alone", 8, x - w, y},
      {"VCENTER is no text anchor: top", 2 | 4, x, y},
      {"LEFT|RIGHT: the later flag wins", 4 | 8, x - w, y},
      {"TOP|BASELINE: the later flag wins", 16 | 4 | 64, x, y - ascent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    makeTarget(200, 100);
    graphics->drawString(text(sample), x, y, c.anchor);
    const std::vector<uint16_t> expected = expectedPicture(200, 100, c.left, c.top, sample, 0xFF0000);
    EXPECT_EQ(picture(), expected) << firstDifference(expected);
    EXPECT_GT(countOtherThan(image, white), 20) << "the text shows";
  }
}

TEST_F(TextDrawing, NullAndEmptyTextsDrawNothing) {
  makeTarget(64, 32);
  {
    wince::LogCapture log;
    graphics->drawString(nullptr, 10, 10, 20);
    EXPECT_NE(log.text(), "") << "a null text is logged";
  }
  graphics->drawString(text(u""), 10, 10, 20);
  graphics->drawChars(newCharArray(0), 0, 0, 10, 10, 20);
  CharArray* letters = newCharArray(3);
  for (int32_t i = 0; i < 3; ++i) letters->set(i, u'M');
  struct Range {
    CharArray* data;
    int32_t offset, length;
  };
  const Range badRanges[] = {
      {nullptr, 0, 1}, {letters, -1, 2}, {letters, 2, 2}, {letters, 0, -1}, {letters, 1, INT32_MAX}};
  for (const Range& range : badRanges) {
    wince::LogCapture log;
    graphics->drawChars(range.data, range.offset, range.length, 10, 10, 20);
    EXPECT_NE(log.text(), "");
  }
  EXPECT_EQ(countOtherThan(image, white), 0);
}

TEST_F(TextDrawing, TheTextsPartsDrawAsTheWhole) {
  makeTarget(120, 40);
  graphics->drawString(text(u"Wait"), 10, 10, 20);
  const std::vector<uint16_t> whole = picture();
  makeTarget(120, 40);
  CharArray* letters = newCharArray(6);
  const std::u16string framed = u"[Wait]";
  for (int32_t i = 0; i < 6; ++i) letters->set(i, framed[size_t(i)]);
  graphics->drawChars(letters, 1, 4, 10, 10, 20);
  EXPECT_EQ(picture(), whole);
  makeTarget(120, 40);
  int32_t x = 10;
  for (char16_t character : std::u16string(u"Wait")) {
    graphics->drawChar(character, x, 10, 20);
    x += Font::getDefaultFont()->charWidth(character);
  }
  EXPECT_EQ(picture(), whole);
}

TEST_F(TextDrawing, TextIsDrawnLiterallyOnOneLine) {
  const std::u16string samples[] = {u"A&B", u"&&x", u"one\ntwo", u"tab\tend"};
  for (const std::u16string& sample : samples) {
    makeTarget(200, 60);
    graphics->drawString(text(sample), 5, 5, 20);
    const std::vector<uint16_t> expected = expectedPicture(200, 60, 5, 5, sample, 0xFF0000);
    EXPECT_EQ(picture(), expected) << firstDifference(expected);
    // Every drawn pixel lies on the one line.
    for (int32_t y = 0; y < 60; ++y)
      for (int32_t column = 0; column < 200; ++column)
        if (pixelAt(image, column, y) != white) {
          ASSERT_TRUE(y >= 5 && y < 5 + 19) << column << "," << y;
        }
  }
  // The ampersand is a character of its own, not a marker of the next one.
  makeTarget(200, 60);
  graphics->drawString(text(u"&"), 5, 5, 20);
  EXPECT_GT(countOtherThan(image, white), 10);
}

TEST_F(TextDrawing, ColouredTextHasOnlyThatExactColour) {
  struct Case {
    uint32_t colour;
    uint16_t pixel;
  };
  // The last has the key's bits and alpha 0: text is neither keyed nor blended.
  const Case cases[] = {{0xFFFF0000, red}, {0x000000, 0x0000}, {0x123456, 0x11AA}, {0x0000F81F, 0x07C3}};
  for (const Case& c : cases) {
    makeTarget(160, 40);
    graphics->setColor(int32_t(c.colour));
    graphics->state.colour = c.colour;  // alpha as given
    graphics->drawString(text(u"Quendrill"), 4, 4, 20);
    int textPixels = 0;
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 160; ++x) {
        const uint16_t pixel = pixelAt(image, x, y);
        ASSERT_TRUE(pixel == white || pixel == c.pixel) << std::hex << c.colour << ": " << pixel;
        textPixels += pixel == c.pixel;
      }
    EXPECT_GT(textPixels, 50) << std::hex << c.colour;
  }
}

TEST_F(TextDrawing, TextIsPlacedInTargetCoordinatesPastTranslationAndClip) {
  makeTarget(200, 60);
  graphics->translate(30, 7);
  graphics->setClip(0, 0, 4, 4);
  graphics->drawString(text(u"Placed"), 10, 5, 20);
  const std::vector<uint16_t> expected = expectedPicture(200, 60, 10, 5, u"Placed", 0xFF0000);
  EXPECT_EQ(picture(), expected) << firstDifference(expected);
}

TEST_F(TextDrawing, MeasuredBoxHoldsEveryDrawnPixel) {
  // Every printable ASCII character, and a few beyond, stays inside the box
  // that stringWidth and getHeight describe.
  std::u16string all;
  for (char16_t c = 0x21; c < 0x7F; ++c) all += c;
  all += u"\u00c9\u00e7\u00df\u00fc\u20ac";
  Font* font = Font::getDefaultFont();
  for (char16_t character : all) {
    const std::u16string one(1, character);
    makeTarget(64, 64);
    graphics->drawString(text(one), 20, 20, 20);
    const int32_t w = font->stringWidth(text(one));
    int drawn = 0;
    for (int32_t y = 0; y < 64; ++y)
      for (int32_t x = 0; x < 64; ++x)
        if (pixelAt(image, x, y) != white) {
          ++drawn;
          EXPECT_TRUE(x >= 20 && x < 20 + w && y >= 20 && y < 20 + font->getHeight())
              << "character " << int(character) << " at " << x << "," << y;
        }
    EXPECT_GT(drawn, 0) << "character " << int(character);
  }
}

TEST_F(TextDrawing, TextAtTheEdgesStaysInsideTheStore) {
  // A plain store with guard elements around it and a pad pixel on each
  // row: text that reaches past any edge must leave all of them alone.
  constexpr int32_t width = 21, height = 12, pitchElements = 22, guard = 64;
  constexpr uint16_t guardValue = 0x1234, background = 0x0000;
  std::vector<uint16_t> store(guard + size_t(pitchElements) * height + guard, guardValue);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) store[guard + size_t(y) * pitchElements + size_t(x)] = background;
  raster::Surface surface{store.data() + guard, width, height, pitchElements * 2, raster::opaqueRgb565};
  raster::GraphicsState state = raster::makeGraphicsState(surface);
  state.colour = 0xFFFFFFFF;

  struct Case {
    int32_t x, y, anchor, translateX, translateY;
    bool shows;
  };
  const Case cases[] = {
      {15, 2, 20, 0, 0, true},     // past the right edge
      {2, 8, 20, 0, 0, true},      // past the bottom edge
      {18, 4, 20, 0, 0, true},     // past both
      {-10, -10, 20, 0, 0, true},  // before the top left
      {21, 0, 20, 0, 0, false},    // just right of the image
      {0, 12, 20, 0, 0, false},    // just below it
      {0, 0, 40, 0, 0, false},     // BOTTOM|RIGHT at the origin: wholly above-left
      {INT32_MAX, INT32_MAX, 20, INT32_MAX, 0, false},
      {INT32_MIN, INT32_MIN, 40, INT32_MIN, INT32_MIN, false},
      {INT32_MAX - 3, 0, 8, 0, 0, false},
      {INT32_MAX, 0, 8, -(INT32_MAX - 10), 0, false},  // far out; the translation does not bring text back
  };
  const std::u16string sample = u"WWWWWWWWWWjjjj";
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " anchor " << c.anchor);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) store[guard + size_t(y) * pitchElements + size_t(x)] = background;
    state.translateX = c.translateX;
    state.translateY = c.translateY;
    lcdui::drawSystemFontText(surface, state, sample, c.x, c.y, c.anchor);
    int drawn = 0;
    for (size_t i = 0; i < store.size(); ++i) {
      const bool isGuard = i < guard || i >= store.size() - guard;
      const bool isPad = !isGuard && (i - guard) % pitchElements == width;
      if (isGuard || isPad) {
        ASSERT_EQ(store[i], guardValue) << "element " << i;
      } else {
        drawn += store[i] != background;
      }
    }
    EXPECT_EQ(drawn > 0, c.shows);
  }
}

}  // namespace
