// The diagnostic overlay: a black strip with the frame rate at the left and
// the free and total memory at the right, in the small font.
#include <gtest/gtest.h>

#include "tests/game/shell/pages_fixture.h"

namespace {

class Diagnostics : public PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    std::vector<std::string> literals(200);
    literals[128] = "/";
    literals[198] = "FPS ";
    literals[199] = "Memory KB ";
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
    loop().graphics->setColor(0xFFFFFF);
    loop().graphics->fillRect(0, 0, 800, 480);
  }
};

TEST_F(Diagnostics, TheStripShowsTheFrameRateAndTheMemory) {
  cGame::paintDiagnostics();
  EXPECT_TRUE(lit(0, 0, 800, 20)) << "nothing without the small font";

  loop().sprites->set(5, blockFont());
  loop().diagFps = 16;
  cGame::paintDiagnostics();
  // "FPS 16": six 6-pixel blocks from (5, 5); the memory figures end at 795.
  EXPECT_TRUE(lit(5, 5, 36, 8));
  EXPECT_FALSE(lit(0, 0, 800, 5)) << "the strip's top is black";
  EXPECT_FALSE(lit(400, 0, 100, 20)) << "the middle stays black";
  EXPECT_TRUE(lit(760, 5, 35, 8));
  EXPECT_FALSE(lit(795, 0, 5, 20));
  EXPECT_TRUE(lit(0, 20, 800, 1)) << "the picture below is left alone";
}

}  // namespace
