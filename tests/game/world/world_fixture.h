#pragma once
// The world over a runtime with the whole game's statics: a sprite table, an
// 800x480 screen Graphics as the frame's, a fixed Random and a time step.
// Sprites are synthetic: frame f is one filled rectangle whose size tells the
// frames apart; animation a steps through the frames it is given.
#include <gtest/gtest.h>

#include <vector>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActor.h"
#include "platform/java_util/java_util_Random.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/shell/shell_runtime_fixture.h"
#include "tools/writers/SpriteWriter.h"

struct TestFrame {
  int x, y, width, height;
};

class WorldFixture : public ShellRuntimeFixture {
 protected:
  void SetUp() override {
    ShellRuntimeFixture::SetUp();
    cGameLoopStatics& loop = shellStatics().cGameLoop;
    loop.sprites = newObjectArray(52);
    m_screen = javax_microedition_lcdui_Image::createImage(800, 480);
    ASSERT_NE(m_screen, nullptr);
    loop.graphics = m_screen->getGraphics();
    toolkitStatics().cGameDraw.graphics = loop.graphics;
    toolkitStatics().cGameDraw.screenGraphics = loop.graphics;
    loop.random = newObject<java_util_Random>(int64_t{42});
    setTimeStep(62);
    play().behavioursEnabled = true;
  }

  static cGamePlayStatics& play() { return worldStatics().cGamePlay; }
  static cActorStatics& lists() { return worldStatics().cActor; }
  static void setTimeStep(int32_t ms) {
    shellStatics().cGameLoop.timeStep = ms;
    shellStatics().cGameLoop.frameTime = ms;
  }

  // A sprite of the given frames and animations (each a list of frame
  // indices, one tick per step) with `palettes` palettes, put in slot.
  static ASprite* makeSprite(int slot, const std::vector<TestFrame>& frames,
                             const std::vector<std::vector<int>>& anims, int palettes = 1) {
    tools::SpriteDescription description;
    description.flags = 0x1000000 | 0x400;  // image data, 16-bit rects
    for (const TestFrame& frame : frames) {
      tools::SpriteModule module;
      module.kind = 2;  // filled rectangle
      module.width = frame.width;
      module.height = frame.height;
      module.colour = 0xFF808080;
      description.modules.push_back(module);
      tools::SpriteFrame f;
      f.modules.push_back({static_cast<int>(description.modules.size() - 1), frame.x, frame.y, 0, 0});
      f.rect = {frame.x, frame.y, frame.width, frame.height};
      description.frames.push_back(f);
    }
    for (const std::vector<int>& steps : anims) {
      tools::SpriteAnim anim;
      for (int frame : steps) anim.aframes.push_back({frame, 1, 0, 0, 0});
      description.anims.push_back(anim);
    }
    description.palettes.assign(static_cast<size_t>(palettes), std::vector<uint32_t>{0xFF000000, 0xFFFFFFFF});
    const std::vector<uint8_t> bytes = tools::writeSprite(description);
    ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    ASprite* sprite = newObject<ASprite>();
    EXPECT_TRUE(sprite->load(data, 0, 0xFFFFFF, 1));
    shellStatics().cGameLoop.sprites->set(slot, sprite);
    return sprite;
  }

  // A plain actor in layer list 0 at (x, y, z) pixels.
  static cActor* makeActor(int32_t kind, int32_t x, int32_t y, int32_t z = 0) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    position->set(2, z << 8);
    return cActor::create(kind, 0, position);
  }

  // The actors of layer list 0 in list order.
  static std::vector<cActor*> layerOrder() {
    std::vector<cActor*> order;
    for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) order.push_back(actor);
    return order;
  }

  javax_microedition_lcdui_Image* m_screen = nullptr;
};
