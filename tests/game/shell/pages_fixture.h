#pragma once
// The shell with a canvas, a screen, a few literals, texts a test writes and
// an optional block font (every character one 6 x 8 block), for the screens
// after play and beside the menus.
#include <map>
#include <string>
#include <vector>

#include "game/shell/Kivra.h"
#include "game/shell/KivraStatics.h"
#include "game/toolkit/ASprite.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/game/shell/text_kit.h"
#include "tools/writers/LiteralPoolWriter.h"

class PagesFixture : public ShellFixture {
 protected:
  using Image = javax_microedition_lcdui_Image;

  void SetUp() override {
    ShellFixture::SetUp();
    canvas = makeCanvas();
    screen = Image::createImage(800, 480);
    loop().graphics = screen->getGraphics();
    loop().frameTime = 62;
    loop().sprites = newObjectArray(52);
    std::vector<std::string> literals(192);
    literals[1] = "";
    literals[47] = "\n";
    literals[191] = "MIDlet-Version";
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
  }

  static cGamePagesStatics& pages() { return shellStatics().cGamePages; }
  static cGameSaveStatics& saved() { return shellStatics().cGameSave; }
  static cGameLoadStatics& loading() { return shellStatics().cGameLoad; }

  // The text pack holds exactly these texts (ids below 300).
  static void setTexts(const std::map<int32_t, std::string>& entries) { textkit::setTexts(entries, 300); }
  static ASprite* blockFont() { return textkit::blockFont(); }

  // A key pressed in one frame and released in the next, both latched.
  void release(int32_t code) {
    canvas->keyPressed(code);
    cGame::latchInput();
    canvas->keyReleased(code);
    cGame::latchInput();
  }
  void tap(int32_t x, int32_t y) {
    canvas->pointerPressed(x, y);
    canvas->pointerReleased(x, y);
    cGame::latchInput();
  }
  static void paint() { cGame::dispatchState(StateMessage::paint); }

  // Anything but black in the rectangle.
  bool lit(int32_t x, int32_t y, int32_t w, int32_t h) {
    IntArray* out = newIntArray(w * h);
    screen->getRGB(out, 0, w, x, y, w, h);
    for (int32_t i = 0; i < w * h; ++i)
      if ((out->get(i) & 0xFFFFFF) != 0) return true;
    return false;
  }
  static std::string text(String* s) {
    if (s == nullptr) return "(null)";
    std::string out;
    for (char16_t c : s->view()) out += static_cast<char>(c);
    return out;
  }

  // The promotion screen built with pages and never opened.
  static void promotionHasNews() {
    KivraStatics& k = Kivra::statics();
    k.initialised = true;
    k.pageEnabled = newBoolArray(1);
    k.pageEnabled->set(0, true);
    k.visitedChecked = true;
    k.visited = false;
  }

  cGame* canvas = nullptr;
  Image* screen = nullptr;
};
