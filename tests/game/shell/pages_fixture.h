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
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/SpriteWriter.h"

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
  static void setTexts(const std::map<int32_t, std::string>& entries) {
    constexpr int32_t count = 300;
    std::string bytes;
    IntArray* offsets = newIntArray(count + 1);
    for (int32_t id = 0; id < count; ++id) {
      offsets->set(id, static_cast<int32_t>(bytes.size()));
      if (auto found = entries.find(id); found != entries.end()) bytes += found->second;
    }
    offsets->set(count, static_cast<int32_t>(bytes.size()));
    ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    cGameTextStatics& texts = toolkitStatics().cGameText;
    texts.count = count;
    texts.encoding = nullptr;
    texts.bytes = data;
    texts.offsets = offsets;
  }

  // Frame 0 the metrics (ascent 8, line height 10), frame 1 the block every
  // character falls back to; palettes 0..6 all visible on black.
  static ASprite* blockFont() {
    tools::SpriteDescription s;
    s.flags = 0x1000000;
    tools::SpriteModule metrics;
    metrics.kind = 5;
    s.modules.push_back(metrics);
    tools::SpriteModule block;
    block.width = 6;
    block.height = 8;
    block.indices.assign(48, 1);
    s.modules.push_back(block);
    s.frames.resize(2);
    s.frames[0].modules = {{0, 0, -8, 0, 0}, {0, 0, 2, 0, 0}, {0, 0, 4, 0, 0}};
    s.frames[1].modules = {{0, 7, 0, 0, 0}, {1, 0, -8, 0, 0}};
    for (int p = 0; p < 7; ++p) s.palettes.push_back({0, 0xFF000000u | 0xF8F8F8u});
    s.encoding = tools::spriteformat::bytes;
    const std::vector<uint8_t> bytes = tools::writeSprite(s);
    ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    ASprite* font = newObject<ASprite>();
    if (!font->load(data, 0, 0xFFFFFF, 1)) return nullptr;
    ShortArray* map = newShortArray(1);
    map->set(0, 0);
    font->setCharMap(map);
    font->initFontMetrics();
    return font;
  }

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
