// Our art and description through the sprite compiler, read back by the
// game's reader: pictures split into modules the buffer holds, exact
// palettes and recolours, measured frame rects.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/game/toolkit/sprite_test_support.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/compiler/SpriteCompiler.h"

namespace {

class SpriteCompilerTest : public SpriteFixture {
 protected:
  testsupport::MappedFileSystem files{"sprite-compiler"};

  std::filesystem::path write(const std::string& name, const std::string& text) {
    const std::filesystem::path path = files.root / name;
    std::ofstream(path) << text;
    return path;
  }
};

// 200 x 140: red left half, blue right half below a transparent strip.
const char* const pictureSvg =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="140" shape-rendering="crispEdges">
  <rect x="0" y="0" width="100" height="140" fill="#ff0000"/>
  <rect x="100" y="20" width="100" height="120" fill="#0000ff"/>
</svg>)";

const char* const pictureDescription = R"({
  "art": "picture.svg",
  "flags": ["offsetsShort"],
  "recolours": [{"#ff0000": "#00ff00"}],
  "modules": [
    {"name": "picture", "rect": [0, 0, 200, 140]},
    {"name": "bar", "shape": "filledRectangle", "colour": "#80ff0000", "size": [4, 4]}
  ],
  "frames": [
    {"name": "whole", "modules": [{"module": "picture"}]},
    {"name": "both", "modules": [{"frame": "whole"}, {"module": "bar", "at": [-3, 1], "flags": ["flipX"]}]}
  ],
  "animations": [{"name": "show", "frames": [{"frame": "both", "time": 3, "at": [2, 0]}]}]
})";

TEST_F(SpriteCompilerTest, APictureTooLargeForOneModuleIsSplitAndReadsBackPixelForPixel) {
  write("picture.svg", pictureSvg);
  const std::vector<uint8_t> bytes = tools::compileSprite(write("picture.json", pictureDescription));
  ASprite* sprite = loadSpriteBytes(bytes);
  ASSERT_NE(sprite, nullptr);
  // 160 x 128, 40 x 128, 160 x 12, 40 x 12, then the bar.
  ASSERT_EQ(sprite->getModuleCount(), 5);
  EXPECT_EQ(sprite->getModuleWidth(1), 40);
  EXPECT_EQ(sprite->getModuleHeight(2), 12);
  EXPECT_EQ(sprite->getFModuleCount(0), 4);
  EXPECT_EQ(sprite->getFModuleY(0, 3), 128);
  EXPECT_EQ(sprite->getFrameWidth(0), 200);
  EXPECT_EQ(sprite->getFrameHeight(0), 140);
  EXPECT_EQ(sprite->getFrameX(1), -3);
  EXPECT_EQ(sprite->getAFrameTime(0, 0), 3);
  EXPECT_EQ(sprite->pixelEncoding, 0x56F2);
  EXPECT_EQ(sprite->paletteCount, 2);

  const tools::ArtImage art = tools::rasteriseArt(files.root / "picture.svg", 1);
  for (int32_t palette = 0; palette < 2; ++palette) {
    sprite->setPalette(palette);
    for (int32_t m = 0; m < 4; ++m) {
      const int32_t w = sprite->getModuleWidth(m), h = sprite->getModuleHeight(m);
      const int32_t left = sprite->getFModuleValue(0, m), top = sprite->getFModuleY(0, m);
      IntArray* pixels = sprite->decodeModuleRGB(m);
      ASSERT_NE(pixels, nullptr);
      for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
          uint32_t expected = art.pixels[static_cast<size_t>((top + y) * 200 + left + x)];
          if (expected >> 24 == 0) expected = 0x00FF00FF;
          if (palette == 1 && expected == 0xFFFF0000) expected = 0xFF00FF00;
          ASSERT_EQ(static_cast<uint32_t>(pixels->get(y * w + x)), expected) << m << " " << x << "," << y;
        }
      }
    }
  }
}

TEST_F(SpriteCompilerTest, AlphaArtKeepsItsAlphaPerPixel) {
  write("glow.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="4" height="1" shape-rendering="crispEdges">
  <rect x="0" y="0" width="2" height="1" fill="#ffffff" fill-opacity="0.5"/>
  <rect x="2" y="0" width="1" height="1" fill="#ffffff"/>
</svg>)");
  const auto path = write("glow.json", R"({"art": "glow.svg", "encoding": "alphaRuns",
    "modules": [{"name": "glow", "rect": [0, 0, 4, 1]}]})");
  ASprite* sprite = loadSpriteBytes(tools::compileSprite(path));
  ASSERT_NE(sprite, nullptr);
  IntArray* pixels = sprite->decodeModuleRGB(0);
  ASSERT_NE(pixels, nullptr);
  EXPECT_NEAR(static_cast<double>(static_cast<uint32_t>(pixels->get(0)) >> 24), 128, 1);
  EXPECT_EQ(static_cast<uint32_t>(pixels->get(0)) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(static_cast<uint32_t>(pixels->get(2)), 0xFFFFFFFFu);
  EXPECT_EQ(static_cast<uint32_t>(pixels->get(3)) >> 24, 0u);
}

TEST_F(SpriteCompilerTest, MistakesNameTheDescription) {
  write("picture.svg", pictureSvg);
  const std::pair<const char*, const char*> cases[] = {
      {R"({"modules": [{"name": "a", "rect": [0, 0, 1, 1]}]})", "need \"art\""},
      {R"({"art": "picture.svg", "modules": [{"name": "a", "rect": [190, 0, 20, 1]}]})", "outside the art"},
      {R"({"frames": [{"name": "f", "modules": [{"module": "missing"}]}]})", "no module \"missing\""},
      {R"({"flags": ["sideways"]})", "unknown flag"},
      {R"({"art": "picture.svg", "encoding": "packed1", "modules": [{"name": "a", "rect": [0, 0, 200, 140]}]})",
       "too wide"},
  };
  for (const auto& [description, message] : cases) {
    SCOPED_TRACE(description);
    try {
      tools::compileSprite(write("bad.json", description));
      ADD_FAILURE() << "compiled";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("bad.json"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
