#pragma once
// The world kit's fixture with what actor tests reach for most: the world's
// statics, sprites of exact frame boxes, actors placed in pixels and the
// layer list read back.
#include <gtest/gtest.h>

#include <vector>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActor.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/world/world_kit.h"

struct TestFrame {
  int x, y, width, height;
};

class WorldFixture : public WorldKitFixture {
 protected:
  void SetUp() override {
    WorldKitFixture::SetUp();
    play().behavioursEnabled = true;
  }

  static cGamePlayStatics& play() { return worldStatics().cGamePlay; }
  static cActorStatics& lists() { return worldStatics().cActor; }

  // A test sprite in slot whose frames have the given boxes and whose
  // animations step through the given frames, without step offsets.
  // Without animations, each frame gets one of its own (tile sprites).
  static ASprite* makeSprite(int slot, const std::vector<TestFrame>& frames,
                             std::vector<std::vector<int>> anims, int palettes = 1) {
    if (anims.empty()) {
      for (size_t f = 0; f < frames.size(); ++f) anims.push_back({static_cast<int>(f)});
    }
    worldkit::TestSpriteDescription description;
    description.palettes = palettes;
    description.animations = static_cast<int>(anims.size());
    size_t steps = 1;
    for (const std::vector<int>& anim : anims) steps = std::max(steps, anim.size());
    description.steps = static_cast<int>(steps);
    description.frameBox = [frames, anims, steps](int frame) {
      // Frame f of the kit is step f % steps of animation f / steps.
      const std::vector<int>& anim = anims[static_cast<size_t>(frame) / steps];
      const int step = std::min(frame % static_cast<int>(steps), static_cast<int>(anim.size()) - 1);
      const TestFrame& box = frames[static_cast<size_t>(anim[static_cast<size_t>(step)])];
      return worldkit::TestFrameBox{box.x, box.y, box.width, box.height};
    };
    description.stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; };
    return installSprite(slot, description);
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
};
