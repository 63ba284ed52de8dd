// The Font class: one system face behind every Font, the cache keyed by
// face | style | size, the font specifiers, and widths that add up.
#include <gtest/gtest.h>

#include <string>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Font.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

using Font = javax_microedition_lcdui_Font;

class FontTest : public RuntimeFixture {
 protected:
  static String* text(const char16_t* characters) { return newObject<String>(characters); }
  static CharArray* chars(const std::u16string& characters) {
    CharArray* array = newCharArray(int32_t(characters.size()));
    for (size_t i = 0; i < characters.size(); ++i) array->set(int32_t(i), characters[i]);
    return array;
  }
};

TEST_F(FontTest, EveryFaceStyleAndSizeHasTheSystemFontsMetrics) {
  Font* reference = Font::getDefaultFont();
  ASSERT_NE(reference, nullptr);
  // DejaVu Sans Bold at 16 pixels: its line fits the 20-pixel spacing of
  // the lines that the game draws in the system font.
  EXPECT_EQ(reference->getHeight(), 19);
  EXPECT_EQ(reference->getBaselinePosition(), 15);
  const int32_t referenceWidth = reference->stringWidth(text(u"Quendrill & co"));
  EXPECT_GT(referenceWidth, 0);

  for (int32_t face : {Font::FACE_SYSTEM, Font::FACE_MONOSPACE, Font::FACE_PROPORTIONAL}) {
    for (int32_t style : {Font::STYLE_PLAIN, Font::STYLE_BOLD, Font::STYLE_ITALIC, Font::STYLE_UNDERLINED, 7}) {
      for (int32_t size : {Font::SIZE_MEDIUM, Font::SIZE_SMALL, Font::SIZE_LARGE}) {
        SCOPED_TRACE(testing::Message() << face << "/" << style << "/" << size);
        Font* font = Font::getFont(face, style, size);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->getFace(), face);
        EXPECT_EQ(font->getStyle(), style);
        EXPECT_EQ(font->getSize(), size);
        EXPECT_EQ(font->getHeight(), reference->getHeight());
        EXPECT_EQ(font->getBaselinePosition(), reference->getBaselinePosition());
        EXPECT_EQ(font->stringWidth(text(u"Quendrill & co")), referenceWidth);
        EXPECT_EQ(font->charWidth(u'W'), reference->charWidth(u'W'));
      }
    }
  }
}

TEST_F(FontTest, WidthsAddUp) {
  Font* font = Font::getDefaultFont();
  const std::u16string samples[] = {u"AV", u"To", u"Wait...", u"a&b", u"line\nbreak", u"\u00e9t\u00e9", u"\U0001F600"};
  for (const std::u16string& sample : samples) {
    int32_t sum = 0;
    for (char16_t character : sample) sum += font->charWidth(character);
    EXPECT_EQ(font->stringWidth(text(sample.c_str())), sum) << "no kerning: " << sample.size();
    CharArray* array = chars(u"[" + sample + u"]");
    EXPECT_EQ(font->charsWidth(array, 1, int32_t(sample.size())), sum);
  }
  EXPECT_EQ(font->stringWidth(text(u"")), 0);
  EXPECT_EQ(font->charsWidth(chars(u"abc"), 3, 0), 0);
}

TEST_F(FontTest, NullTextsAndRangesOutsideTheArrayMeasureZeroAndAreLogged) {
  Font* font = Font::getDefaultFont();
  CharArray* four = chars(u"abcd");
  struct Case {
    const char* what;
    CharArray* array;
    int32_t offset, length;
  };
  const Case cases[] = {
      {"null array", nullptr, 0, 1}, {"negative offset", four, -1, 2},     {"negative length", four, 1, -1},
      {"past the end", four, 3, 2},  {"start beyond the end", four, 5, 0}, {"wrapping sum", four, 2, INT32_MAX},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    EXPECT_EQ(font->charsWidth(c.array, c.offset, c.length), 0) << c.what;
    EXPECT_NE(log.text(), "") << c.what;
  }
  wince::LogCapture log;
  EXPECT_EQ(font->stringWidth(nullptr), 0);
  EXPECT_NE(log.text().find("stringWidth"), std::string::npos);
}

TEST_F(FontTest, TheCacheAnswersOneFontPerCombinedKey) {
  Font* boldSystem = Font::getFont(0, 1, 0);
  EXPECT_EQ(Font::getFont(0, 1, 0), boldSystem);
  // The key is face | style | size: these ask for the same bits.
  EXPECT_EQ(Font::getFont(1, 0, 0), boldSystem);
  EXPECT_EQ(Font::getFont(0, 0, 1), boldSystem);
  Font* smallMono = Font::getFont(Font::FACE_MONOSPACE, Font::STYLE_PLAIN, Font::SIZE_SMALL);
  EXPECT_NE(smallMono, boldSystem);
  EXPECT_NE(smallMono, Font::getFont(Font::FACE_MONOSPACE, Font::STYLE_PLAIN, Font::SIZE_LARGE));
  // The default Font is not the cache's.
  EXPECT_NE(Font::getFont(0, 0, 0), Font::getDefaultFont());
  EXPECT_EQ(Font::getFont(0, 0, 0), Font::getFont(0, 0, 0));

  // Both live in the static block's roots: a collection keeps them.
  Font* defaultFont = Font::getDefaultFont();
  collect();
  EXPECT_EQ(Font::getDefaultFont(), defaultFont);
  EXPECT_EQ(Font::getFont(Font::FACE_MONOSPACE, Font::STYLE_PLAIN, Font::SIZE_SMALL), smallMono);
  EXPECT_EQ(smallMono->getFace(), Font::FACE_MONOSPACE);
}

TEST_F(FontTest, FontSpecifiers) {
  struct Case {
    int32_t specifier;
    bool isDefault;
  };
  const Case cases[] = {{0, true}, {1, true}, {2, false}, {-1, false}, {INT32_MIN, false}, {100, false}};
  for (const Case& c : cases) {
    Font* font = Font::getFont(c.specifier);
    const int32_t pending = takePending();
    if (c.isDefault) {
      EXPECT_EQ(font, Font::getDefaultFont()) << c.specifier;
      EXPECT_EQ(pending, nothingPending) << c.specifier;
    } else {
      EXPECT_EQ(font, nullptr) << c.specifier;
      EXPECT_EQ(pending, classid::java_lang_IllegalArgumentException) << c.specifier;
    }
  }
  Font* defaultFont = Font::getDefaultFont();
  EXPECT_EQ(defaultFont->getFace(), 0);
  EXPECT_EQ(defaultFont->getStyle(), 0);
  EXPECT_EQ(defaultFont->getSize(), 0);
  EXPECT_EQ(block().javax_microedition_lcdui_Font.defaultFont, defaultFont);
}

TEST_F(FontTest, StylePredicatesReadTheStyleBits) {
  struct Case {
    int32_t style;
    bool plain, bold, italic, underlined;
  };
  const Case cases[] = {{0, true, false, false, false}, {1, false, true, false, false},
                        {2, false, false, true, false}, {4, false, false, false, true},
                        {7, false, true, true, true},   {8, false, false, false, false}};
  for (const Case& c : cases) {
    Font* font = newObject<Font>(0, c.style, 0);
    EXPECT_EQ(font->isPlain(), c.plain) << c.style;
    EXPECT_EQ(font->isBold(), c.bold) << c.style;
    EXPECT_EQ(font->isItalic(), c.italic) << c.style;
    EXPECT_EQ(font->isUnderlined(), c.underlined) << c.style;
  }
}

}  // namespace
