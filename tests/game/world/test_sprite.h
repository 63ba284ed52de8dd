#pragma once
// Sprites for world tests: made by the content compiler's sprite writer from
// a few numbers and read by the game's own sprite reader, so a test knows
// every frame's rectangle, every step's offset and every palette's colour
// without art. Frame f is animation f / steps, step f % steps; by default
// every frame has its own size, so a rectangle or a painted box names the
// frame it came from.
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/writers/SpriteWriter.h"

class ASprite;

namespace worldkit {

// A frame's rectangle relative to the point it is painted at, as
// ASprite::getFrameX/Y/Width/Height answer it.
struct TestFrameBox {
  int x, y, width, height;
  bool operator==(const TestFrameBox&) const = default;
};

// An animation step's offset (the aframe's x and y).
struct TestStepOffset {
  int x, y;
  bool operator==(const TestStepOffset&) const = default;
};

// Default frame rectangles: frame f is (8 + 2f) x (16 + 2f) pixels standing
// on the painted point, centred on it: x = -width / 2, y = -height.
TestFrameBox distinctFrameBox(int frame);
// Default step offsets: step s of animation a is moved by (s + 1, -(a + 1)),
// so code that forgets the step's offset is caught.
TestStepOffset distinctStepOffset(int anim, int step);
// Palette p's one colour (opaque ARGB; exact in RGB565): red, green, blue,
// yellow, cyan, magenta, white, then greys; at most 16 palettes.
uint32_t testPaletteColour(int palette);

// N animations of M steps each over N x M frames (one image module each, of
// the frame's size, in the palette's colour), K palettes.
struct TestSpriteDescription {
  int animations = 2;  // N
  int steps = 3;       // M
  int palettes = 2;    // K
  int stepTime = 1;    // each step's time in the animation player's units
  std::function<TestFrameBox(int frame)> frameBox = distinctFrameBox;
  std::function<TestStepOffset(int anim, int step)> stepOffset = distinctStepOffset;

  int frameCount() const { return animations * steps; }
  int frameOf(int anim, int step) const { return anim * steps + step; }
  // What a step shows relative to the painted point: its frame's box moved
  // by the step's offset (add a position to get a frame rectangle).
  TestFrameBox stepBox(int anim, int step) const {
    TestFrameBox box = frameBox(frameOf(anim, step));
    const TestStepOffset offset = stepOffset(anim, step);
    box.x += offset.x;
    box.y += offset.y;
    return box;
  }
};

// The writer's description of it (for tests that want to change something
// before writing), and its bytes. Throws what the writer throws.
tools::SpriteDescription describeTestSprite(const TestSpriteDescription& description);
std::vector<uint8_t> writeTestSprite(const TestSpriteDescription& description);

// Loaded by ASprite::load as cGame::loadSprite loads a pack entry; with
// buildCaches each palette's module cache is built as the loader builds it.
// Null (and a test failure) when the reader refuses it. Needs a runtime.
ASprite* loadTestSprite(const TestSpriteDescription& description, bool buildCaches = false);

// Loaded and put into slot of cGame::sprites (made with 52 slots when the
// shell has not made it yet). Needs the game's statics.
ASprite* installTestSprite(int slot, const TestSpriteDescription& description, bool buildCaches = false);

}  // namespace worldkit
