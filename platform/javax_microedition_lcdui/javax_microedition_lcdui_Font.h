#pragma once
// javax_microedition_lcdui_Font (class id 85): face, style and size as asked
// for, and the metrics of the one system font every Font draws with. So the
// height, ascent and widths are the same for every Font.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/object/Object.h"

class String;

class javax_microedition_lcdui_Font : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_lcdui_Font;

  static constexpr int32_t FACE_SYSTEM = 0;
  static constexpr int32_t FACE_MONOSPACE = 32;
  static constexpr int32_t FACE_PROPORTIONAL = 64;
  static constexpr int32_t STYLE_PLAIN = 0;
  static constexpr int32_t STYLE_BOLD = 1;
  static constexpr int32_t STYLE_ITALIC = 2;
  static constexpr int32_t STYLE_UNDERLINED = 4;
  static constexpr int32_t SIZE_MEDIUM = 0;
  static constexpr int32_t SIZE_SMALL = 8;
  static constexpr int32_t SIZE_LARGE = 16;
  static constexpr int32_t FONT_STATIC_TEXT = 0;
  static constexpr int32_t FONT_INPUT_TEXT = 1;

  // Stores the three as given, then the system font's metrics (both 0 when
  // the font cannot be read).
  void init(int32_t face, int32_t style, int32_t size);

  virtual int32_t getSize() { return size; }
  virtual int32_t getHeight() { return height; }

  // Made on first use as face, style and size 0; null only when the object
  // heap is full.
  static javax_microedition_lcdui_Font* getDefaultFont();
  // FONT_STATIC_TEXT and FONT_INPUT_TEXT give the default Font; any other
  // value raises IllegalArgumentException and answers null.
  static javax_microedition_lcdui_Font* getFont(int32_t fontSpecifier);
  // Cached under face | style | size, so combinations with the same bits
  // share one Font. The arguments are not checked.
  static javax_microedition_lcdui_Font* getFont(int32_t face, int32_t style, int32_t size);

  int32_t getFace() const { return face; }
  int32_t getStyle() const { return style; }
  int32_t getBaselinePosition() const { return ascent; }
  bool isPlain() const { return style == STYLE_PLAIN; }
  bool isBold() const { return (style & STYLE_BOLD) != 0; }
  bool isItalic() const { return (style & STYLE_ITALIC) != 0; }
  bool isUnderlined() const { return (style & STYLE_UNDERLINED) != 0; }

  // Widths in the system font; the width of a text is the sum of its
  // characters' widths. A null text or a range outside the array is logged
  // and measures 0.
  int32_t stringWidth(String* text);
  int32_t charWidth(char16_t character);
  int32_t charsWidth(CharArray* characters, int32_t offset, int32_t length);

  int32_t face;
  int32_t style;
  int32_t size;
  int32_t ascent;
  int32_t height;
};
