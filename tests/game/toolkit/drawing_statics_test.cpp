// What the drawing and math helpers keep in cGame's statics survives a
// collection: every reference static is a root.
#include <gtest/gtest.h>

#include "game/toolkit/SharedPixelBuffer.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/toolkit/drawing_fixture.h"

namespace {

using DrawingStatics = DrawingFixture;

// Made in a frame of its own, so that no stack word of the test keeps them.
__attribute__((noinline)) void fillEveryStatic() {
  cGame::setFillColor(0x40123456);
  cGame::getColorImage(0x40654321);
  cGame::initDrawEffects();
  cGame::findFreeSnapshot();
  cGame::angleOf(3, 4);
  sharedPixelBuffer()->set(7, 77);
}

TEST_F(DrawingStatics, EveryReferenceStaticSurvivesACollection) {
  toolkitStatics().DrawEffects.available = 1;
  fillEveryStatic();
  collect();
  const ToolkitStatics& statics = toolkitStatics();
  const Object* kept[] = {statics.ASprite.pixelBuffer,     statics.cGameDraw.graphics,
                          statics.cGameDraw.fillBlock,     statics.cGameDraw.colourImageBuffer,
                          statics.cGameDraw.colourImage,   statics.DrawEffects.parameters,
                          statics.DrawEffects.backImage,   statics.DrawEffects.backGraphics,
                          statics.cGameSnapshots.keys,     statics.cGameSnapshots.records,
                          statics.cGameSnapshots.pixels,   statics.cGameMath.cosTable,
                          statics.cGameMath.arctangentTable};
  for (const Object* object : kept) {
    ASSERT_NE(object, nullptr);
    EXPECT_NE(object->getClassId(), noClass);
  }
  EXPECT_EQ(statics.ASprite.pixelBuffer->get(7), 77);
  EXPECT_EQ(statics.cGameDraw.fillBlock->get(4095), 0x40123456);
  EXPECT_EQ(static_cast<IntArray*>(statics.DrawEffects.parameters->get(8))->get(2), 40);
  EXPECT_EQ(statics.cGameMath.arctangentTable->get(256), 32);
}

}  // namespace
