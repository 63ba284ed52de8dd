// Image data: the four palette formats, the eight pixel encodings byte by
// byte, palettes and their alpha operations, the caches and their pools,
// and cGame::loadSprite over a pack.
#include <gtest/gtest.h>

#include "game/toolkit/SpritePixelDecoding.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lcdui/raster/Surface.h"
#include "tests/game/toolkit/sprite_test_support.h"
#include "wince/log.h"

namespace {

using tools::SpriteDescription;

class SpriteImageTest : public SpriteFixture {};

// One w x h image module with its palettes and bytes as given.
std::vector<uint8_t> imageBlock(int w, int h, uint16_t paletteFormat, int paletteCount, int coloursByte,
                                const std::vector<uint8_t>& paletteBytes, uint16_t encoding,
                                const std::vector<uint8_t>& moduleBytes) {
  std::vector<uint8_t> b = {0, 0};
  putU32(b, 0x1000000);
  putU16(b, 1);
  b.insert(b.end(), {0, static_cast<uint8_t>(w), static_cast<uint8_t>(h)});
  for (int table = 0; table < 4; ++table) putU16(b, 0);
  putU16(b, paletteFormat);
  b.push_back(static_cast<uint8_t>(paletteCount));
  b.push_back(static_cast<uint8_t>(coloursByte));
  b.insert(b.end(), paletteBytes.begin(), paletteBytes.end());
  putU16(b, encoding);
  putU16(b, static_cast<uint32_t>(moduleBytes.size()));
  b.insert(b.end(), moduleBytes.begin(), moduleBytes.end());
  return b;
}

// Colour i is 0xFF0000i0 + i: every index shows in the pixel.
std::vector<uint8_t> indexPalette(int colours) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < colours; ++i) putU32(bytes, 0xFF000000u | static_cast<uint32_t>(i) << 4 | static_cast<uint32_t>(i));
  return bytes;
}
constexpr uint32_t colourOf(uint32_t i) { return 0xFF000000u | i << 4 | i; }

std::vector<uint32_t> decodedPixels(ASprite* sprite, int32_t module) {
  IntArray* pixels = sprite->decodeModuleRGB(module);
  if (pixels == nullptr) return {};
  const int32_t n = sprite->getModuleWidth(module) * sprite->getModuleHeight(module);
  return std::vector<uint32_t>(reinterpret_cast<uint32_t*>(pixels->elements()),
                               reinterpret_cast<uint32_t*>(pixels->elements()) + n);
}

struct PaletteCase {
  uint16_t format;
  uint32_t stored;
  uint32_t argb;
  bool transparency;
  bool alpha;
};

TEST_F(SpriteImageTest, PaletteFormatsGiveTheirColoursAndFlags) {
  const PaletteCase cases[] = {
      {0x5515, 0x7C1F, 0x00FF00FF, true, false},  {0x5515, 0xFC1F, 0xFFF800F8, false, false},
      {0x5515, 0x8000 | 0x421, 0xFF080808, false, false}, {0x6505, 0xF81F, 0x00FF00FF, true, false},
      {0x6505, 0x07E0, 0xFF00FC00, false, false}, {0x4444, 0xF123, 0xFF112233, false, false},
      {0x4444, 0x7123, 0x77112233, true, true},   {0x4444, 0x0FFF, 0x00FFFFFF, true, false},
      {0x8888, 0x80123456, 0x80123456, true, true}, {0x8888, 0x00FF00FF, 0x00FF00FF, true, false},
      {0x8888, 0xFF010203, 0xFF010203, false, false},
  };
  for (const PaletteCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.format << " " << c.stored);
    std::vector<uint8_t> palette;
    if (c.format == 0x8888)
      putU32(palette, c.stored);
    else
      putU16(palette, c.stored);
    ASprite* sprite = loadSpriteBytes(imageBlock(1, 1, c.format, 1, 1, palette, 0x5602, {0}));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(static_cast<IntArray*>(sprite->palettes->get(0))->get(0)), c.argb);
    EXPECT_EQ(sprite->hasTransparency != 0, c.transparency);
    EXPECT_EQ(sprite->hasAlpha != 0, c.alpha);
    EXPECT_EQ(decodedPixels(sprite, 0), std::vector<uint32_t>{c.argb});
  }
}

TEST_F(SpriteImageTest, PaletteWriterAndReaderAgree) {
  const std::pair<int, uint32_t> formats[] = {
      {0x8888, 0xFF8844CC}, {0x4444, 0xFF8844CC}, {0x5515, 0xFF8840C8}, {0x6505, 0xFF8844C8}};
  for (const auto& [format, opaque] : formats) {
    SCOPED_TRACE(format);
    SpriteDescription s;
    s.flags = 0x1000000;
    s.modules = {imageModule(2, 1, {0, 1})};
    s.paletteFormat = format;
    s.palettes = {{0x00FF00FF, 0xFF8844CC}};
    ASprite* sprite = loadSpriteDescription(s);
    ASSERT_NE(sprite, nullptr);
    const std::vector<uint32_t> pixels = decodedPixels(sprite, 0);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0], 0x00FF00FFu);
    EXPECT_EQ(pixels[1], opaque) << std::hex << pixels[1];
    EXPECT_TRUE(sprite->hasTransparency != 0);
  }
}

struct EncodingCase {
  const char* name;
  uint16_t encoding;
  int colours;  // 256 is stored as 0
  int w, h;
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> indices;  // expected palette indices; 0xFFFF = transparent key
  std::vector<uint32_t> alphas;   // expected alpha per pixel when not 0xFF
};

constexpr uint32_t key = 0xFFFF;

TEST_F(SpriteImageTest, EveryEncodingDecodesItsBytes) {
  const EncodingCase cases[] = {
      {"1 bit, ten pixels", 0x0200, 2, 10, 1, {0b10110000, 0b01000000}, {1, 0, 1, 1, 0, 0, 0, 0, 0, 1}, {}},
      {"2 bits", 0x0400, 4, 5, 1, {0b00011011, 0b11000000}, {0, 1, 2, 3, 3}, {}},
      {"4 bits", 0x1600, 16, 3, 1, {0x5A, 0x30}, {5, 10, 3}, {}},
      {"4 bits past the colours", 0x1600, 4, 2, 1, {0x1F}, {1, key}, {}},
      {"bytes", 0x5602, 3, 3, 1, {2, 0, 1}, {2, 0, 1}, {}},
      {"bytes past the colours", 0x5602, 3, 2, 1, {3, 255}, {key, key}, {}},
      {"single or run", 0x27F1, 4, 5, 1, {3, 0x83, 1, 2}, {3, 1, 1, 1, 2}, {}},
      {"single or run, clipped", 0x27F1, 4, 2, 1, {0x8A, 1}, {1, 1}, {}},
      {"run or literals", 0x56F2, 8, 2, 2, {2, 7, 0x82, 1, 3}, {7, 7, 1, 3}, {}},
      {"run or literals, clipped", 0x56F2, 8, 3, 1, {1, 2, 0x84, 4, 5, 6, 7}, {2, 4, 5}, {}},
      {"packed runs, 16 colours", 0x64F0, 16, 5, 1, {0x35, 0x02}, {5, 5, 5, 5, 2}, {}},
      {"packed runs, 256 colours", 0x64F0, 256, 2, 1, {0x35, 0xFF}, {0x35, 0xFF}, {}},
      {"packed runs, 2 colours", 0x64F0, 2, 4, 1, {0x05, 0x00}, {1, 1, 1, 0}, {}},
      {"packed runs, 1 colour", 0x64F0, 1, 3, 1, {0x02}, {0, 0, 0}, {}},
      {"alpha runs", 0xA256, 4, 3, 1, {0x83, 1, 2, 3, 254, 3, 128}, {1, 2, 3}, {128, 128, 128}},
      {"alpha singles and a run", 0xA256, 4, 4, 1, {4, 1, 10, 254, 3, 0}, {1, 1, 1, 1}, {10, 0, 0, 0}},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASprite* sprite = loadSpriteBytes(
        imageBlock(c.w, c.h, 0x8888, 1, c.colours & 0xFF, indexPalette(c.colours), c.encoding, c.bytes));
    ASSERT_NE(sprite, nullptr);
    // Stale pixels past the module stay as they were.
    IntArray* buffer = ASprite::getPixelBuffer(nullptr, 0, 0);
    for (int32_t i = 0; i < 16; ++i) buffer->set(i, 0x12345678);
    const std::vector<uint32_t> pixels = decodedPixels(sprite, 0);
    ASSERT_EQ(pixels.size(), c.indices.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      uint32_t expected = c.indices[i] == key ? 0x00FF00FFu : colourOf(c.indices[i]);
      if (!c.alphas.empty()) expected = (expected & 0xFFFFFF) | c.alphas[i] << 24;
      EXPECT_EQ(pixels[i], expected) << i;
    }
    EXPECT_EQ(buffer->get(static_cast<int32_t>(pixels.size())), 0x12345678);
  }
}

TEST_F(SpriteImageTest, EncodingsSetTheirIndexBitsAndFlags) {
  ASprite* sprite = loadSpriteBytes(imageBlock(1, 1, 0x8888, 1, 0, indexPalette(256), 0x64F0, {0}));
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->coloursPerPalette, 256);
  EXPECT_EQ(sprite->indexBits, 8);
  EXPECT_EQ(sprite->indexMask, 255);
  sprite = loadSpriteBytes(imageBlock(1, 1, 0x8888, 1, 16, indexPalette(16), 0xA640, {0}));
  EXPECT_EQ(sprite->indexBits, 4);
  EXPECT_EQ(sprite->indexMask, 15);
  sprite = loadSpriteBytes(imageBlock(1, 1, 0x8888, 1, 2, indexPalette(2), 0xA256, {1, 0, 0xFF}));
  EXPECT_TRUE(sprite->hasTransparency != 0 && sprite->hasAlpha != 0);
}

TEST_F(SpriteImageTest, DamagedOrUnknownPixelDataDecodesToNothing) {
  struct Case {
    const char* name;
    uint16_t encoding;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"unknown encoding", 0x1234, {0, 0, 0, 0}},
      {"encoding without a decoding", 0xA640, {0, 0, 0, 0}},
      {"packed bytes end early", 0x1600, {0xFF}},
      {"literals end early", 0x56F2, {0x84, 1, 1}},
      {"run without its index", 0x56F2, {2, 1, 2}},
      {"alpha pass ends early", 0xA256, {4, 1, 254, 3}},
      {"runs end early", 0x64F0, {0x00, 0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASprite* sprite = loadSpriteBytes(imageBlock(2, 2, 0x8888, 1, 2, indexPalette(2), c.encoding, c.bytes));
    ASSERT_NE(sprite, nullptr);
    wince::LogCapture log;
    EXPECT_EQ(sprite->decodeModuleRGB(0), nullptr);
    EXPECT_TRUE(log.contains("cannot be decoded")) << log.text();
  }
}

TEST_F(SpriteImageTest, WriterAndReaderAgreeOnEveryEncoding) {
  std::vector<uint8_t> indices(13 * 7);
  std::vector<uint8_t> alpha(indices.size());
  for (size_t i = 0; i < indices.size(); ++i) {
    indices[i] = static_cast<uint8_t>(i % 11 < 5 ? 1 : (i * 7) % 4);
    alpha[i] = static_cast<uint8_t>(i % 9 < 4 ? 0xFF : i % 9 == 6 ? 254 : i * 13);
  }
  for (int encoding : {0x0200, 0x0400, 0x1600, 0x5602, 0x27F1, 0x56F2, 0x64F0, 0xA256}) {
    SCOPED_TRACE(encoding);
    SpriteDescription s;
    s.flags = 0x1000000;
    s.modules = {imageModule(13, 7, encoding == 0x0200 ? std::vector<uint8_t>(indices.size(), 1) : indices)};
    if (encoding == 0xA256) s.modules[0].alpha = alpha;
    s.encoding = encoding;
    s.palettes = {{0xFF000000, 0xFF111111, 0xFF222222, 0xFF333333}};
    ASprite* sprite = loadSpriteDescription(s);
    ASSERT_NE(sprite, nullptr);
    const std::vector<uint32_t> pixels = decodedPixels(sprite, 0);
    ASSERT_EQ(pixels.size(), indices.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      uint32_t expected = s.palettes[0][s.modules[0].indices[i]];
      if (encoding == 0xA256) expected = (expected & 0xFFFFFF) | static_cast<uint32_t>(alpha[i]) << 24;
      ASSERT_EQ(pixels[i], expected) << i;
    }
  }
}

TEST_F(SpriteImageTest, DamagedImageDataIsRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* logged;
  };
  std::vector<uint8_t> sizeWithoutBytes = imageBlock(1, 1, 0x8888, 1, 1, indexPalette(1), 0x5602, {});
  sizeWithoutBytes.back() = 5;
  std::vector<uint8_t> negativeSize = imageBlock(1, 1, 0x8888, 1, 1, indexPalette(1), 0x5602, {0});
  negativeSize[negativeSize.size() - 2] = 0x80;  // the size's high byte: 16-bit sizes are signed
  const auto bigModule = [](uint16_t width, uint16_t height) {
    std::vector<uint8_t> bytes = {0, 0};
    putU32(bytes, 0x1000010);
    putU16(bytes, 1);
    bytes.push_back(0);
    putU16(bytes, width);
    putU16(bytes, height);
    for (int table = 0; table < 4; ++table) putU16(bytes, 0);
    return bytes;
  };
  const Case cases[] = {
      {"17 palettes", imageBlock(1, 1, 0x8888, 17, 1, indexPalette(17), 0x5602, {0}), "more than 16 palettes"},
      {"module bytes past the end", sizeWithoutBytes, "past the end"},
      {"negative module size", negativeSize, "negative module size"},
      {"palettes past the end", imageBlock(1, 1, 0x8888, 2, 1, indexPalette(1), 0x5602, {}), "past the end"},
      {"module of 161 x 128", bigModule(161, 128), "larger than the pixel buffer"},
      // Products that wrap in 32 bits to a small or negative size.
      {"module of 46341 x 46341", bigModule(46341, 46341), "larger than the pixel buffer"},
      {"module of 65535 x 65535", bigModule(65535, 65535), "larger than the pixel buffer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wince::LogCapture log;
    EXPECT_EQ(loadSpriteBytes(c.bytes), nullptr);
    EXPECT_TRUE(log.contains(c.logged)) << log.text();
  }
}

TEST_F(SpriteImageTest, SetPaletteKeepsToExistingPalettes) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {imageModule(1, 1)};
  s.palettes = {{0xFF000000}, {0xFF0000FF}, {0xFF00FF00}};
  ASprite* sprite = loadSpriteDescription(s);
  ASSERT_NE(sprite, nullptr);
  sprite->setPalette(2);
  EXPECT_EQ(sprite->getPalette(), 2);
  sprite->setPalette(-1);
  sprite->setPalette(3);
  EXPECT_EQ(sprite->getPalette(), 2);
  EXPECT_EQ(decodedPixels(sprite, 0), std::vector<uint32_t>{0xFF00FF00});
}

TEST_F(SpriteImageTest, PaletteAlphaOperations) {
  SpriteDescription s;
  s.flags = 0x1000000;
  s.modules = {imageModule(1, 1)};
  const std::vector<uint32_t> colours = {0x00FF00FF, 0xFF102030, 0x80405060, 0x00123456};
  s.palettes = {colours, colours, {0xFF000000, 0xFF400000, 0xFF800000, 0xFFC00000}};
  ASprite* sprite = loadSpriteDescription(s);
  ASSERT_NE(sprite, nullptr);
  auto palette = [&](int32_t p) {
    auto* a = static_cast<IntArray*>(sprite->palettes->get(p));
    return std::vector<uint32_t>(reinterpret_cast<uint32_t*>(a->elements()),
                                 reinterpret_cast<uint32_t*>(a->elements()) + a->length());
  };
  sprite->setPaletteAlpha(0, 0x80, false, true);  // scaled
  EXPECT_EQ(palette(0), (std::vector<uint32_t>{0x00FF00FF, 0x7F102030, 0x40405060, 0x00123456}));
  sprite->setPaletteAlpha(1, 0x60, true, false);  // the transparent ones stay
  EXPECT_EQ(palette(1), (std::vector<uint32_t>{0x00FF00FF, 0x60102030, 0x60405060, 0x00123456}));
  sprite->setPaletteAlpha(1, 0x20, false, false);
  EXPECT_EQ(palette(1)[0], 0x20FF00FFu);
  sprite->hasAlpha = 0;
  s.palettes[0] = colours;
  sprite = loadSpriteDescription(s);
  sprite->applyAlphaPalette(0);  // the last palette's red is the alpha
  EXPECT_EQ(palette(0), (std::vector<uint32_t>{0x00FF00FF, 0x40102030, 0x80405060, 0x00123456}));
  EXPECT_TRUE(sprite->hasTransparency != 0 && sprite->hasAlpha != 0);
}

class SpriteCacheTest : public SpriteFixture {
 protected:
  // Two image modules and a shape, two palettes.
  static SpriteDescription cachedSprite() {
    SpriteDescription s;
    s.flags = 0x1000000;
    s.modules = {imageModule(3, 2, {1, 1, 1, 0, 0, 1}), imageModule(2, 2, {1, 1, 1, 1})};
    tools::SpriteModule box;
    box.kind = 2;
    box.width = box.height = 4;
    s.modules.push_back(box);
    s.palettes = {{0x00FF00FF, 0xFF204060}, {0x00FF00FF, 0xFF604020}};
    s.frames.resize(1);
    s.frames[0].modules = {{1, 0, 0, 1, 0}};
    return s;
  }
};

TEST_F(SpriteCacheTest, RgbModeCachesExactPixelArraysPerPalette) {
  ASprite* sprite = loadSpriteDescription(cachedSprite());
  sprite->setRGBMode(true);
  sprite->buildModuleCache(1, 0, -1, -1);
  IntArray* pixels = sprite->getModulePixels(0, 1);
  ASSERT_NE(pixels, nullptr);
  ASSERT_EQ(pixels->length(), 6);
  EXPECT_EQ(static_cast<uint32_t>(pixels->get(0)), 0xFF604020u);
  EXPECT_EQ(static_cast<uint32_t>(pixels->get(3)), 0x00FF00FFu);
  EXPECT_EQ(sprite->getModulePixels(2, 1), nullptr);  // shapes are not cached
  EXPECT_EQ(sprite->getModulePixels(0, 0), nullptr);
  EXPECT_EQ(sprite->getPalette(), 0);
  // Rebuilding reuses the arrays.
  sprite->buildModuleCache(1, 0, 0, -1);
  EXPECT_EQ(sprite->getModulePixels(0, 1), pixels);
}

TEST_F(SpriteCacheTest, CopyFromSharesTheOtherPalettesImages) {
  ASprite* sprite = loadSpriteDescription(cachedSprite());
  sprite->buildModuleCache(0, 0, -1, -1);
  sprite->buildModuleCache(1, 0, -1, 0);
  ASSERT_NE(sprite->getModuleImage(0, 0), nullptr);
  EXPECT_EQ(sprite->getModuleImage(0, 1), sprite->getModuleImage(0, 0));
  EXPECT_EQ(sprite->getModuleImage(1, 1), sprite->getModuleImage(1, 0));
  EXPECT_EQ(sprite->getModuleImage(0, 0)->getWidth(), 3);
}

TEST_F(SpriteCacheTest, StalePixelsPastAModuleNeverMakeItsImageTranslucent) {
  ASprite* sprite = loadSpriteDescription(cachedSprite());
  IntArray* buffer = ASprite::getPixelBuffer(nullptr, 0, 0);
  for (int32_t i = 0; i < 64; ++i) buffer->set(i, 0x40FFFFFF);
  sprite->buildModuleCache(0, 1, 1, -1);
  ASSERT_NE(sprite->getModuleImage(1, 0), nullptr);
  EXPECT_EQ(sprite->getModuleImage(1, 0)->m_pixelType, raster::opaqueRgb565);
}

TEST_F(SpriteCacheTest, FrameAndAnimCachesBuildWhatTheFramesUse) {
  SpriteDescription s = cachedSprite();
  s.flags |= 0x4000;
  s.frames.resize(2);
  s.frames[1].modules = {{0, 0, 0, 0, 0x10}, {0, 1, 1, 0, 0}};  // frame 0 (module 1, palette 1), module 0
  s.anims.resize(1);
  s.anims[0].aframes = {{1, 1, 0, 0, 0}};
  ASprite* sprite = loadSpriteDescription(s);
  sprite->buildAnimCache(0, 0);
  EXPECT_NE(sprite->getModuleImage(1, 1), nullptr);  // the frame module's own palette
  EXPECT_NE(sprite->getModuleImage(0, 0), nullptr);
  EXPECT_EQ(sprite->getModuleImage(1, 0), nullptr);
}

TEST_F(SpriteCacheTest, PoolsEvictTheOldestImageRoundRobin) {
  ASprite::initCachePools(7);
  ASprite::initCachePool(3, 20);
  SpriteDescription glyphs = cachedSprite();
  glyphs.modules.assign(21, imageModule(1, 1));
  glyphs.frames.clear();
  ASprite* font = loadSpriteDescription(glyphs);
  ASprite* other = loadSpriteDescription(glyphs);
  ASprite::setCachePool(font, 3);
  ASprite::setCachePool(other, 3);
  auto* image = javax_microedition_lcdui_Image::createImage(1, 1);
  auto cachedModules = [](ASprite* sprite) {
    std::string held;
    for (int32_t m = 0; m < 21; ++m) held += sprite->getModuleImage(m, sprite->getPalette()) != nullptr ? '1' : '0';
    return held;
  };
  for (int32_t m = 0; m < 20; ++m) ASprite::cacheModuleImage(font, m, image);
  EXPECT_EQ(cachedModules(font), "111111111111111111110");
  ASprite::cacheModuleImage(font, 20, image);  // the 21st evicts the first
  EXPECT_EQ(cachedModules(font), "011111111111111111111");
  ASprite::cacheModuleImage(font, 5, image);  // already cached: nothing moves
  EXPECT_EQ(cachedModules(font), "011111111111111111111");
  ASprite::cacheModuleImage(other, 0, image);  // pools are shared between sprites
  EXPECT_EQ(cachedModules(font), "001111111111111111111");
  EXPECT_EQ(cachedModules(other), "100000000000000000000");
  font->setPalette(1);  // entries remember their palette
  ASprite::cacheModuleImage(font, 0, image);
  EXPECT_EQ(cachedModules(font), "100000000000000000000");
  font->setPalette(0);
  EXPECT_EQ(cachedModules(font), "000111111111111111111");
}

TEST_F(SpriteCacheTest, LoadSpriteFromAPackBuildsCachesAndDropsTheData) {
  tools::PackWriter writer;
  writer.add(1, tools::writeSprite(cachedSprite()));
  writer.add(1, std::vector<uint8_t>(26, 0));
  writer.add(1, std::vector<uint8_t>(27, 0));
  install(writer.write("s"));
  cGame::openPack(newObject<String>("s"));
  ASprite* sprite = cGame::loadSprite(0, 0x3, 0, 0, true, true, false);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->moduleImageData, nullptr);
  EXPECT_EQ(sprite->palettes, nullptr);
  EXPECT_EQ(sprite->decodeModuleRGB(0), nullptr);
  EXPECT_NE(sprite->getModuleImage(0, 0), nullptr);
  EXPECT_NE(sprite->getModuleImage(1, 1), nullptr);
  EXPECT_EQ(sprite->cachePool, -1);
  {
    wince::LogCapture log;
    EXPECT_EQ(cGame::loadSprite(1, 1, 0, 0, false, false, false), nullptr);
    EXPECT_TRUE(log.contains("not a sprite")) << log.text();
  }
  EXPECT_NE(cGame::loadSprite(2, 1, 0, 0, false, false, false), nullptr);
  // RGB mode with alpha applied to palette 1 only.
  sprite = cGame::loadSprite(0, 0x2, 1, 0x80, true, false, true);
  ASSERT_NE(sprite, nullptr);
  EXPECT_TRUE(sprite->rgbMode());
  EXPECT_EQ(static_cast<uint32_t>(sprite->getModulePixels(0, 1)->get(0)), 0x80604020u);
  EXPECT_EQ(sprite->getModulePixels(0, 0), nullptr);
  EXPECT_NE(sprite->moduleImageData, nullptr);
}

}  // namespace
