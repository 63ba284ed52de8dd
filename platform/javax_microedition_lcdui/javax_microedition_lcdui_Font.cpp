#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Font.h"

#include <string>

#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Hashtable.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/String.h"
#include "runtime/lcdui/SystemFontText.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

using Font = javax_microedition_lcdui_Font;

void Font::init(int32_t newFace, int32_t newStyle, int32_t newSize) {
  face = newFace;
  style = newStyle;
  size = newSize;
  const lcdui::SystemFontMetrics metrics = lcdui::systemFontMetrics();
  ascent = metrics.ascent;
  height = metrics.height;
}

Font* Font::getDefaultFont() {
  javax_microedition_lcdui_FontStatics& shared = statics().javax_microedition_lcdui_Font;
  if (shared.defaultFont == nullptr) shared.defaultFont = newObject<Font>(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM);
  return shared.defaultFont;
}

Font* Font::getFont(int32_t fontSpecifier) {
  if (fontSpecifier == FONT_STATIC_TEXT || fontSpecifier == FONT_INPUT_TEXT) return getDefaultFont();
  throwNew<java_lang_IllegalArgumentException>(nullptr);
  return nullptr;
}

Font* Font::getFont(int32_t fontFace, int32_t fontStyle, int32_t fontSize) {
  javax_microedition_lcdui_FontStatics& shared = statics().javax_microedition_lcdui_Font;
  if (shared.fontCache == nullptr) shared.fontCache = newObject<java_util_Hashtable>(4);
  auto* key = newObject<java_lang_Integer>(fontFace | fontStyle | fontSize);
  if (shared.fontCache == nullptr || key == nullptr) return nullptr;
  if (Object* cached = shared.fontCache->get(key); cached != nullptr) return static_cast<Font*>(cached);
  Font* font = newObject<Font>(fontFace, fontStyle, fontSize);
  if (font != nullptr) shared.fontCache->put(key, font);
  return font;
}

int32_t Font::stringWidth(String* text) {
  if (text == nullptr) {
    logFailedCheck("stringWidth str");
    return 0;
  }
  // Measuring allocates nothing, so the characters stay where they are.
  return lcdui::systemFontWidth(text->view());
}

int32_t Font::charWidth(char16_t character) { return lcdui::systemFontWidth(std::u16string_view(&character, 1)); }

int32_t Font::charsWidth(CharArray* characters, int32_t offset, int32_t length) {
  if (characters == nullptr) {
    logFailedCheck("charsWidth ch");
    return 0;
  }
  if (offset < 0 || length < 0 || int64_t(offset) + length > characters->length()) {
    logFailedCheck("charsWidth offset, length");
    return 0;
  }
  return lcdui::systemFontWidth(std::u16string_view(characters->elements() + offset, size_t(length)));
}
