// The key table, the volume steps and pen scaling of the window side.
#include <gtest/gtest.h>

#include "runtime/app/KeyMapping.h"
#include "runtime/app/PointerScaling.h"
#include "runtime/app/VolumeKeys.h"

namespace {

TEST(MapVirtualKey, WholeTable) {
  for (uint32_t key = 0; key < 256; ++key) {
    int32_t expected = static_cast<int32_t>(key);
    if (key == 0x0D || (key >= 0x25 && key <= 0x28) || (key >= 0x30 && key <= 0x39) || key == 0x77 || key == 0x78) {
      expected = -999;
    } else if (key == 0x70) {
      expected = -6;
    } else if (key == 0x71) {
      expected = -7;
    }
    EXPECT_EQ(mapVirtualKey(key), expected) << "virtual key " << key;
  }
}

TEST(MapVirtualKey, SystemAndVolumeKeys) {
  for (int32_t code : {0x5C, 0x5B, 0x73, 0x1B, 0x24, 0x72}) EXPECT_TRUE(isSystemKey(code)) << code;
  for (int32_t code : {0x75, 0x76, 0x41, -999, -6, 0x70}) EXPECT_FALSE(isSystemKey(code)) << code;
  EXPECT_TRUE(isVolumeKey(0x75));
  EXPECT_TRUE(isVolumeKey(0x76));
  EXPECT_FALSE(isVolumeKey(0x77));
}

TEST(VolumeSteps, BothChannelsStepAlikeAndSaturate) {
  struct VolumeCase {
    uint32_t before;
    bool up;
    uint32_t after;
  };
  const VolumeCase cases[] = {
      {0x00000000, true, 0x19991999},  {0xE665E665, true, 0xFFFFFFFF}, {0xE664E664, true, 0xFFFDFFFD},
      {0xFFFFFFFF, true, 0xFFFFFFFF},  {0x19991999, false, 0},         {0x199A199A, false, 0x00010001},
      {0x00000000, false, 0},          {0x0000E665, true, 0x1999FFFF}, {0x80000000, false, 0x66670000},
  };
  for (const VolumeCase& entry : cases) {
    EXPECT_EQ(volumeStepped(entry.before, entry.up), entry.after)
        << std::hex << entry.before << (entry.up ? " up" : " down");
  }
}

TEST(ScalePointer, RoundsHalfUpOnScaledAxesOnly) {
  const PointerScale saved = pointerScale();
  struct ScaleCase {
    float factorX, factorY;
    int32_t x, y, scaledX, scaledY;
  };
  const ScaleCase cases[] = {
      {1.0f, 1.0f, 799, 479, 799, 479},  {0.5f, 1.0f, 3, 7, 2, 7},       {0.5f, 0.5f, 1, -1, 1, 0},
      {1.25f, 0.75f, 2, 2, 3, 2},        {800.0f / 480.0f, 1.0f, 480, 5, 800, 5},
      {0.5f, 2.0f, -3, -3, -1, -6},
  };
  for (const ScaleCase& entry : cases) {
    pointerScale() = PointerScale{entry.factorX, entry.factorY};
    int32_t x = entry.x;
    int32_t y = entry.y;
    scalePointer(x, y);
    EXPECT_EQ(x, entry.scaledX) << entry.factorX << " * " << entry.x;
    EXPECT_EQ(y, entry.scaledY) << entry.factorY << " * " << entry.y;
  }
  pointerScale() = saved;
}

}  // namespace
