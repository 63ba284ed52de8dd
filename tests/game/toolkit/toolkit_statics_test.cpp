// The toolkit's statics open the game's block in both layouts that run it:
// the whole game's and the toolkit tests' own.
#include <gtest/gtest.h>

#include "game/GameStatics.h"
#include "tests/game/toolkit/toolkit_fixture.h"

namespace {

class ToolkitStaticsTest : public ToolkitFixture {};

TEST_F(ToolkitStaticsTest, TheToolkitFindsItsStaticsAtTheBlockStart) {
  EXPECT_EQ(static_cast<void*>(&toolkitStatics()), block().gameBlock);
  EXPECT_EQ(block().gameBlockSize, sizeof(ToolkitStatics));
}

TEST(GameStaticsLayout, TheWholeGameBlockCountsEveryPartsReferences) {
  constexpr GameStaticsDescription whole = describeGameStatics<GameStatics>();
  constexpr size_t parts = referencefields::staticsCount<ToolkitStatics>() +
                           referencefields::staticsCount<ShellStatics>() +
                           referencefields::staticsCount<WorldStatics>() +
                           referencefields::staticsCount<StoryStatics>();
  EXPECT_EQ(whole.referenceCount, parts);
}

}  // namespace
