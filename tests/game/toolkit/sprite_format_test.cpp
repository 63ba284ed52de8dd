// The sprite block read back through every accessor, for each flag that
// changes the layout; hand-written blocks pin the format the writer and the
// reader share; damaged blocks are refused.
#include <gtest/gtest.h>

#include "tests/game/toolkit/sprite_test_support.h"
#include "wince/log.h"

namespace {

using tools::SpriteDescription;
using tools::SpriteModule;

class SpriteFormatTest : public SpriteFixture {};

// Three frames (one naming another), two animations, shapes of every kind
// that stores something different, values that need the wide forms when
// the flags give them.
SpriteDescription sampleSprite(uint32_t flags) {
  const bool wideOffsets = (flags & 0x400) != 0;
  const bool wideSizes = (flags & 0x10) != 0;
  const bool wideAFrames = (flags & 0x40000) != 0;
  SpriteDescription s;
  s.flags = flags;
  SpriteModule image = imageModule(wideSizes ? 300 : 12, 5);
  image.x = (flags & 0x20) != 0 ? -7 : 200;
  image.y = 17;
  if (image.width * image.height > 20480) image.height = 2;
  image.indices.assign(static_cast<size_t>(image.width * image.height), 1);
  SpriteModule filled;
  filled.kind = 2;
  filled.colour = 0x80FF0000;
  filled.width = 9;
  filled.height = wideSizes ? 1000 : 25;
  SpriteModule arc;
  arc.kind = 3;
  arc.colour = 0xFF00FF00;
  arc.width = 6;
  arc.height = 4;
  arc.parameters = {30, -270};
  SpriteModule triangle;
  triangle.kind = 7;
  triangle.colour = 0xFF0000FF;
  triangle.parameters = {5, 0, -3, 8};
  SpriteModule box;
  box.kind = 5;
  box.width = 3;
  box.height = 2;
  s.modules = {image, filled, arc, triangle, box};
  s.frames.resize(3);
  s.frames[0].modules = {{0, wideOffsets ? -300 : -20, 4, 1, 0}, {1, 3, wideOffsets ? 1000 : 100, 0, 5}};
  s.frames[0].collisionRects = {{1, 2, 30, 40}, {-3, -4, 5, 6}};
  s.frames[1].modules = {{4, 0, 0, 2, 2}, {0, 10, 0, 0, 12}};
  s.frames[1].collisionRects = {{0, 0, 8, 8}};
  s.frames[2].modules = {{0, 5, -5, 0, 0x10}, {2, 1, 1, 0, 0}};
  for (int f = 0; f < 3; ++f) s.frames[static_cast<size_t>(f)].rect = {f - 2, -f, 20 + f, 30};
  s.anims.resize(2);
  s.anims[0].aframes = {{2, 255, wideAFrames ? 500 : -100, 3, 1}, {0, 4, 0, wideAFrames ? -900 : 127, 6}};
  s.anims[1].aframes = {{1, 7, 1, 1, 0}};
  if ((flags & 0x1000000) != 0) {
    s.palettes = {{0x00FF00FF, 0xFF102030}, {0x00FF00FF, 0xFF405060}};
    s.paletteFormat = 0x8888;
    s.encoding = 0x5602;
  }
  return s;
}

void expectSpriteReadsAs(const ASprite& sprite, const SpriteDescription& s) {
  const uint32_t flags = s.flags;
  ASSERT_EQ(sprite.getModuleCount(), static_cast<int32_t>(s.modules.size()));
  for (int32_t m = 0; m < sprite.getModuleCount(); ++m) {
    const SpriteModule& d = s.modules[static_cast<size_t>(m)];
    SCOPED_TRACE(m);
    EXPECT_EQ(sprite.getModuleKind(m), d.kind);
    const bool hasSize = d.kind != 6 && d.kind != 7;
    EXPECT_EQ(sprite.getModuleWidth(m), hasSize ? d.width : 0);
    EXPECT_EQ(sprite.getModuleHeight(m), hasSize ? d.height : 0);
    const bool positioned = d.kind == 0 && (flags & 0x22) != 0;
    EXPECT_EQ(sprite.getModuleX(m), positioned ? d.x : 0);
    EXPECT_EQ(sprite.getModuleY(m), positioned ? d.y : 0);
    if (d.kind != 0 && d.kind != 5) {
      EXPECT_EQ(static_cast<uint32_t>(sprite.getModuleColour(m)), d.colour);
    }
    const int32_t start = sprite.getModuleParameterStart(m);
    ASSERT_EQ(start >= 0, !d.parameters.empty());
    for (size_t i = 0; i < d.parameters.size(); ++i)
      EXPECT_EQ(sprite.moduleParameters->get(start + static_cast<int32_t>(i)), d.parameters[i]);
  }
  ASSERT_EQ(sprite.getFrameCount(), static_cast<int32_t>(s.frames.size()));
  for (int32_t f = 0; f < sprite.getFrameCount(); ++f) {
    SCOPED_TRACE(f);
    const auto& frame = s.frames[static_cast<size_t>(f)];
    ASSERT_EQ(sprite.getFModuleCount(f), static_cast<int32_t>(frame.modules.size()));
    for (int32_t i = 0; i < sprite.getFModuleCount(f); ++i) {
      const auto& fm = frame.modules[static_cast<size_t>(i)];
      EXPECT_EQ(sprite.getFModuleModule(f, i), fm.index);
      EXPECT_EQ(sprite.getFModuleValue(f, i), fm.x);
      EXPECT_EQ(sprite.getFModuleY(f, i), fm.y);
      EXPECT_EQ(sprite.getFModuleFlags(f, i), fm.flags);
      const int32_t global = sprite.frameFirstModule->get(f) + i;
      EXPECT_EQ(sprite.getFModuleX(global), fm.x);
      EXPECT_EQ(sprite.getFModulePalette(global), (flags & 0x4000) != 0 ? fm.palette : 0);
    }
    const auto rect = (flags & 0x1000) != 0 ? tools::computeFrameRect(s, f) : frame.rect;
    EXPECT_EQ(sprite.getFrameX(f), rect[0]);
    EXPECT_EQ(sprite.getFrameY(f), rect[1]);
    EXPECT_EQ(sprite.getFrameWidth(f), rect[2]);
    EXPECT_EQ(sprite.getFrameHeight(f), rect[3]);
    const bool collision = (flags & 0x8000) != 0;
    ASSERT_EQ(sprite.getFrameCollisionRectCount(f), collision ? static_cast<int32_t>(frame.collisionRects.size()) : 0);
    for (int32_t r = 0; r < sprite.getFrameCollisionRectCount(f); ++r)
      for (int32_t v = 0; v < 4; ++v)
        EXPECT_EQ(sprite.getCollisionRectValue(f, r, v), frame.collisionRects[static_cast<size_t>(r)][static_cast<size_t>(v)]);
  }
  ASSERT_EQ(sprite.getAnimCount(), static_cast<int32_t>(s.anims.size()));
  for (int32_t a = 0; a < sprite.getAnimCount(); ++a) {
    SCOPED_TRACE(a);
    const auto& anim = s.anims[static_cast<size_t>(a)];
    ASSERT_EQ(sprite.getAFrameCount(a), static_cast<int32_t>(anim.aframes.size()));
    for (int32_t i = 0; i < sprite.getAFrameCount(a); ++i) {
      const auto& af = anim.aframes[static_cast<size_t>(i)];
      EXPECT_EQ(sprite.getAFrameFrame(a, i), af.frame);
      EXPECT_EQ(sprite.getAFrameTime(a, i), af.time);
      EXPECT_EQ(sprite.getAFrameOffsetX(a, i), af.x);
      EXPECT_EQ(sprite.getAFrameOffsetY(a, i), af.y);
      EXPECT_EQ(sprite.getAFrameFlags(a, i), af.flags);
    }
  }
}

class SpriteFlagTable : public SpriteFormatTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(SpriteFlagTable, EveryAccessorReadsBackTheDescription) {
  const SpriteDescription description = sampleSprite(GetParam());
  ASprite* sprite = loadSpriteDescription(description);
  ASSERT_NE(sprite, nullptr);
  expectSpriteReadsAs(*sprite, description);
  EXPECT_EQ(sprite->flags, static_cast<int32_t>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Flags, SpriteFlagTable,
                         ::testing::Values(0u, 0x2u, 0x20u, 0x22u, 0x10u, 0x400u, 0x1000u, 0x1400u, 0x4000u, 0x8000u,
                                           0x8400u, 0x40000u, 0x1000000u, 0x1000080u, 0x1000008u | 0x1000u),
                         [](const auto& info) {
                           char name[16];
                           snprintf(name, sizeof name, "flags_%x", info.param);
                           return std::string(name);
                         });

TEST_F(SpriteFormatTest, IndexBitsReachModulesAndFrames768To1023) {
  SpriteDescription s;
  for (int m = 0; m < 1024; ++m) {
    SpriteModule box;
    box.kind = 5;
    box.width = m % 7 + 1;
    box.height = 1;
    s.modules.push_back(box);
  }
  s.frames.resize(1024);
  s.frames[0].modules = {{1023, 0, 0, 0, 0}, {768, 1, 0, 0, 1}, {300, 0, 0, 0, 0}};
  s.frames[1000].modules = {{0, 0, 0, 0, 0x10}};
  s.anims.resize(1);
  s.anims[0].aframes = {{1000, 1, 0, 0, 0}, {799, 1, 0, 0, 2}};
  ASprite* sprite = loadSpriteDescription(s);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->getFModuleModule(0, 0), 1023);
  EXPECT_EQ(sprite->getFModuleModule(0, 1), 768);
  EXPECT_EQ(sprite->getFModuleFlags(0, 1) & 0x3F, 1);
  EXPECT_EQ(sprite->getFModuleModule(0, 2), 300);
  EXPECT_EQ(sprite->getFModuleModule(1000, 0), 0);
  EXPECT_EQ(sprite->getAFrameFrame(0, 0), 1000);
  EXPECT_EQ(sprite->getAFrameFrame(0, 1), 799);
  EXPECT_EQ(sprite->getModuleWidth(1023), 1023 % 7 + 1);
}

// The block written byte by byte, against the writer and the reader.
TEST_F(SpriteFormatTest, HandWrittenBlockMatchesTheWriterAndReadsBack) {
  std::vector<uint8_t> bytes = {1, 0};
  putU32(bytes, 0x8002);  // byte positions, collision rects
  putU16(bytes, 3);       // modules
  bytes.insert(bytes.end(), {0, 4, 5, 10, 20});  // image at (4, 5), 10 x 20
  bytes.push_back(254);                          // filled rectangle
  putU32(bytes, 0xFF123456);
  bytes.insert(bytes.end(), {7, 8});
  bytes.push_back(249);  // filled triangle: colour, no size, four values
  putU32(bytes, 0xFF000000);
  for (int v : {1, -2, 3, -4}) putU16(bytes, static_cast<uint16_t>(v));
  putU16(bytes, 2);                                        // frame modules
  bytes.insert(bytes.end(), {0, 0xFE, 3, 0x01});            // module 0 at (-2, 3), mirrored
  bytes.insert(bytes.end(), {1, 1, 0xFF, 0x04});            // module 1 at (1, -1), rotated
  putU16(bytes, 1);                                        // collision rects
  bytes.insert(bytes.end(), {1, 2, 3, 4});
  putU16(bytes, 1);  // frames
  putU16(bytes, 2);  // two frame modules
  putU16(bytes, 0);
  bytes.push_back(1);                                   // one collision rect
  bytes.insert(bytes.end(), {0xFE, 0xFF, 12, 22});      // frame rect
  putU16(bytes, 1);                                     // aframes
  bytes.insert(bytes.end(), {0, 200, 0xFD, 4, 0x02});   // frame 0, time 200, (-3, 4), flipped
  putU16(bytes, 1);                                     // anims
  putU16(bytes, 1);
  putU16(bytes, 0);

  SpriteDescription s;
  s.flags = 0x8002;
  SpriteModule image = imageModule(10, 20);
  image.x = 4;
  image.y = 5;
  SpriteModule filled;
  filled.kind = 2;
  filled.colour = 0xFF123456;
  filled.width = 7;
  filled.height = 8;
  SpriteModule triangle;
  triangle.kind = 7;
  triangle.colour = 0xFF000000;
  triangle.parameters = {1, -2, 3, -4};
  s.modules = {image, filled, triangle};
  s.frames.resize(1);
  s.frames[0].modules = {{0, -2, 3, 0, 1}, {1, 1, -1, 0, 4}};
  s.frames[0].collisionRects = {{1, 2, 3, 4}};
  s.frames[0].rect = {-2, -1, 12, 22};
  s.anims.resize(1);
  s.anims[0].aframes = {{0, 200, -3, 4, 2}};
  std::vector<uint8_t> written = tools::writeSprite(s);
  EXPECT_EQ(written, bytes);

  ASprite* sprite = loadSpriteBytes(bytes);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->getModuleX(0), 4);
  EXPECT_EQ(sprite->getModuleY(0), 5);
  EXPECT_EQ(sprite->getModuleWidth(0), 10);
  EXPECT_EQ(sprite->getModuleHeight(0), 20);
  EXPECT_EQ(sprite->getModuleKind(1), 2);
  EXPECT_EQ(static_cast<uint32_t>(sprite->getModuleColour(1)), 0xFF123456u);
  EXPECT_EQ(sprite->getModuleKind(2), 7);
  EXPECT_EQ(sprite->moduleParameters->get(3), -4);
  EXPECT_EQ(sprite->getFModuleCount(0), 2);
  EXPECT_EQ(sprite->getFModuleValue(0, 0), -2);
  EXPECT_EQ(sprite->getFModuleY(0, 1), -1);
  EXPECT_EQ(sprite->getFrameX(0), -2);
  EXPECT_EQ(sprite->getFrameY(0), -1);
  EXPECT_EQ(sprite->getFrameWidth(0), 12);
  EXPECT_EQ(sprite->getCollisionRectValue(0, 0, 3), 4);
  EXPECT_EQ(sprite->getAFrameCount(0), 1);
  EXPECT_EQ(sprite->getAFrameTime(0, 0), 200);
  EXPECT_EQ(sprite->getAFrameOffsetX(0, 0), -3);
  EXPECT_EQ(sprite->getAFrameFlags(0, 0), 2);
  expectSpriteReadsAs(*sprite, s);
}

TEST_F(SpriteFormatTest, OnlyTheLowByteOfFrameModuleAndAFrameCountsCounts) {
  SpriteDescription s;
  s.modules = {imageModule(1, 1)};
  s.frames.resize(1);
  s.frames[0].modules.resize(5);
  s.anims.resize(1);
  s.anims[0].aframes.resize(5);
  std::vector<uint8_t> bytes = tools::writeSprite(s);
  // Frame record: after the module and frame-module tables.
  const size_t frameRecord = 6 + 2 + 3 + 2 + 5 * 4 + 2;
  ASSERT_EQ(bytes[frameRecord], 5);
  bytes[frameRecord + 1] = 0x01;
  // Animation record: after the frame record, its rect and the aframes.
  const size_t animRecord = frameRecord + 4 + 4 + 2 + 5 * 5 + 2;
  ASSERT_EQ(bytes[animRecord], 5);
  bytes[animRecord + 1] = 0x01;
  ASprite* sprite = loadSpriteBytes(bytes);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->getFModuleCount(0), 5);
  EXPECT_EQ(sprite->getAFrameCount(0), 5);
}

TEST_F(SpriteFormatTest, ComputedRectsMeasureTheFrameAndAnEmptyFrameIsEmpty) {
  SpriteDescription s;
  s.flags = 0x1000;
  s.modules = {imageModule(16, 6), imageModule(4, 8)};
  s.frames.resize(2);
  s.frames[0].modules = {{0, 0, -4, 0, 0}, {1, 2, 2, 0, 0}};  // x 0..15, y -4..9
  ASprite* sprite = loadSpriteDescription(s);
  ASSERT_NE(sprite, nullptr);
  IntArray* bounds = newIntArray(4);
  sprite->getFrameBounds(bounds, 0, 0, 0, 0);
  EXPECT_EQ(std::vector<int32_t>(bounds->elements(), bounds->elements() + 4), (std::vector<int32_t>{0, -4, 16, 10}));
  EXPECT_EQ(sprite->getFrameX(0), 0);
  EXPECT_EQ(sprite->getFrameY(0), -4);
  EXPECT_EQ(sprite->getFrameWidth(0), 16);
  EXPECT_EQ(sprite->getFrameHeight(0), 14);
  for (int32_t v = 0; v < 4; ++v) EXPECT_EQ(static_cast<ByteArray*>(sprite->frameRects)->get(4 + v), 0);
  // Mirrored, the module of width 16 at 0 lands at -16.
  sprite->getFrameBounds(bounds, 0, 100, 0, 1);
  EXPECT_EQ(bounds->get(0), 100 - 16);
  EXPECT_EQ(bounds->get(2), 100);
}

TEST_F(SpriteFormatTest, FramesNamingEachOtherMeasureInPartWithALogLine) {
  SpriteDescription s;
  SpriteModule box;
  box.kind = 5;
  box.width = box.height = 2;
  s.modules = {box};
  s.frames.resize(2);
  s.frames[0].modules = {{1, 1, 1, 0, 0x10}, {0, 0, 0, 0, 0}};
  s.frames[1].modules = {{0, 1, 1, 0, 0x10}};
  ASprite* sprite = loadSpriteDescription(s);
  ASSERT_NE(sprite, nullptr);
  IntArray* bounds = newIntArray(4);
  wince::LogCapture log;
  sprite->getFrameBounds(bounds, 0, 0, 0, 0);
  EXPECT_TRUE(log.contains("nests frames deeper")) << log.text();
  EXPECT_EQ(bounds->get(0), 0);
  sprite->buildFrameCache(0, 0);  // returns
}

TEST_F(SpriteFormatTest, AbsentTablesReadAsEmpty) {
  std::vector<uint8_t> bytes(27, 0);
  ASprite* sprite = loadSpriteBytes(bytes);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->getModuleCount(), 0);
  EXPECT_EQ(sprite->getFrameCount(), 0);
  EXPECT_EQ(sprite->getAnimCount(), 0);
  wince::LogCapture log;  // the arrays log the reads that miss
  EXPECT_EQ(sprite->getFModuleCount(0), 0);
  EXPECT_EQ(sprite->getAFrameCount(0), 0);
  EXPECT_EQ(sprite->getModuleWidth(0), 0);
  EXPECT_EQ(sprite->getFrameWidth(0), 0);
  EXPECT_EQ(sprite->getFrameCollisionRectCount(0), 0);
  EXPECT_EQ(sprite->decodeModuleRGB(0), nullptr);
}

TEST_F(SpriteFormatTest, NegativeCountsAreEmptyTables) {
  std::vector<uint8_t> bytes = {0, 0, 0, 0, 0, 0};
  for (int table = 0; table < 5; ++table) putU16(bytes, 0x8000);
  ASprite* sprite = loadSpriteBytes(bytes);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->getModuleCount(), 0);
  EXPECT_EQ(sprite->moduleWidth, nullptr);
}

struct DamageCase {
  const char* name;
  void (*damage)(std::vector<uint8_t>&);
  const char* logged;
};

// Offsets in the block of sampleSprite(0): modules start at 6.
const DamageCase damageCases[] = {
    {"unknown kind byte", [](std::vector<uint8_t>& b) { b[8] = 17; }, "module kind"},
    {"module count past 1024", [](std::vector<uint8_t>& b) { b[6] = 0x01, b[7] = 0x04; }, "module count"},
    {"truncated in the tables", [](std::vector<uint8_t>& b) { b.resize(40); }, "past the end"},
};

TEST_F(SpriteFormatTest, DamagedBlocksAreRefusedWithALogLine) {
  const std::vector<uint8_t> good = tools::writeSprite(sampleSprite(0));
  ASSERT_NE(loadSpriteBytes(good), nullptr);
  for (const DamageCase& c : damageCases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = good;
    c.damage(bytes);
    wince::LogCapture log;
    EXPECT_EQ(loadSpriteBytes(bytes), nullptr);
    EXPECT_TRUE(log.contains("damaged sprite data")) << log.text();
    EXPECT_TRUE(log.contains(c.logged)) << log.text();
  }
}

// Every prefix of a block with image data is refused or read without its
// image data, never past its end (the sanitizer build watches the reads).
TEST_F(SpriteFormatTest, EveryTruncationIsRefusedOrReadSafely) {
  const std::vector<uint8_t> good = tools::writeSprite(sampleSprite(0x1000000 | 0x8000 | 0x4000));
  wince::LogCapture log;
  for (size_t length = 0; length < good.size(); ++length) {
    std::vector<uint8_t> bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    ASprite* sprite = loadSpriteBytes(bytes);
    // A block that ends right after its tables has no image data to read.
    if (sprite != nullptr) {
      EXPECT_EQ(sprite->moduleImageData, nullptr) << length;
    }
  }
}

TEST_F(SpriteFormatTest, ReferencesToMissingEntriesAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* logged;
  };
  auto block = [](std::initializer_list<uint8_t> tail) {
    std::vector<uint8_t> b = {0, 0, 0, 0, 0, 0};
    putU16(b, 1);
    b.insert(b.end(), {253, 2, 2});  // one empty box
    b.insert(b.end(), tail);
    return b;
  };
  const Case cases[] = {
      {"frame module names module 1", block({1, 0, 1, 0, 0, 0}), "missing module"},
      {"frame module names a missing frame", block({1, 0, 0, 0, 0, 0x10, 0, 0}), "missing frame"},
      {"frame past the frame modules", block({1, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0}), "missing frame modules"},
      {"aframe names a missing frame", block({0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0}), "missing frame"},
      {"animation past the aframes", block({0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0}), "missing aframes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wince::LogCapture log;
    std::vector<uint8_t> bytes = c.bytes;
    bytes.resize(std::max<size_t>(bytes.size(), 27), 0);
    EXPECT_EQ(loadSpriteBytes(bytes), nullptr);
    EXPECT_TRUE(log.contains(c.logged)) << log.text();
  }
}

TEST_F(SpriteFormatTest, TheWriterRefusesWhatTheReaderWould) {
  SpriteDescription tooManyModules;
  tooManyModules.modules.resize(1025, imageModule(1, 1));
  EXPECT_THROW(tools::writeSprite(tooManyModules), std::runtime_error);
  SpriteDescription bigModule;
  bigModule.flags = 0x1000010;
  bigModule.modules = {imageModule(161, 128)};
  bigModule.palettes = {{0xFF000000}};
  EXPECT_THROW(tools::writeSprite(bigModule), std::runtime_error);
  bigModule.modules = {imageModule(160, 128)};
  bigModule.flags |= 0x80;
  EXPECT_NO_THROW(tools::writeSprite(bigModule));
  SpriteDescription tooManyPalettes = bigModule;
  tooManyPalettes.palettes.assign(17, {0xFF000000});
  EXPECT_THROW(tools::writeSprite(tooManyPalettes), std::runtime_error);
  SpriteDescription narrowOffset;
  narrowOffset.modules = {imageModule(1, 1)};
  narrowOffset.frames.resize(1);
  narrowOffset.frames[0].modules = {{0, 200, 0, 0, 0}};
  EXPECT_THROW(tools::writeSprite(narrowOffset), std::runtime_error);
  SpriteDescription wideRect = sampleSprite(0x1000);
  wideRect.frames[0].modules[1].y = 127;  // y -127..152: 279 high, past a byte
  wideRect.frames[0].modules[0].y = -127;
  EXPECT_THROW(tools::writeSprite(wideRect), std::runtime_error);
  SpriteDescription longFrame;
  longFrame.modules = {imageModule(1, 1)};
  longFrame.frames.resize(1);
  longFrame.frames[0].modules.resize(256);
  EXPECT_THROW(tools::writeSprite(longFrame), std::runtime_error);
}

}  // namespace
