// The script assembler's output read back by the game's loader, and played.
#include <gtest/gtest.h>

#include "tests/game/story/story_fixture.h"
#include "tools/compiler/ScriptAssembler.h"

namespace {

class ScriptRoundTripTest : public StoryFixture {};

TEST_F(ScriptRoundTripTest, TheAssemblersScriptLoadsAsTheBuilderWritesIt) {
  const std::vector<uint8_t> assembled = tools::assembleScript(
                                             "cutscene 5\n"
                                             "  track actor 42 interpolate\n"
                                             "    at 0: place 10 20\n"
                                             "    at 1: place 30 40; pause\n"
                                             "  track plain nowait\n"
                                             "    at 0.5: control true; question 1 2 3 4 5 6 7 8 0 none none\n"
                                             "cutscene 9\n"
                                             "  track spawn 27 nowait stepped\n"
                                             "    at 0: anim 3\n"
                                             "    at 0.2: caption text=1 x=2 y=3 narration=true\n",
                                             "a.evs")
                                             .bytes;
  ScriptBuilder builder;
  builder.cutscene(5, 2).cutscene(9, 1);
  builder.track(2, 1, 42).key(0).cmd(21, {10, 20}).key(10).cmd(21, {30, 40}).cmd(56);
  builder.track(0, 4).key(5).cmd(54, {1}).cmd(61, {1, 2, 3, 4, 5, 6, 7, 8, 0, -1, -1});
  builder.track(3, 12, 11).key(0).cmd(22, {3}).key(2).cmd(58, {0, 1, 2, 3, 1});
  EXPECT_EQ(assembled, builder.bytes());

  cActor* actor = scriptActor(42, 0, 0);
  cGame::loadEventScript(ScriptBuilder::toArray(assembled));
  ASSERT_EQ(events().trackCount, 3);
  EXPECT_EQ(cGame::getCutsceneFirstTrack(1), 2);
  ASSERT_TRUE(cGame::playCutscene(0));
  // 20 px in a second: 5 (24.8) a millisecond, truncated.
  EXPECT_EQ(actor->x, (10 << 8) + 5 * 62);
  setTimeStep(100);
  for (int i = 0; i < 20 && cGame::isCutsceneActive(); ++i) cGame::stepCutscene();
  EXPECT_EQ(actor->getPixelX(), 30);
  EXPECT_FALSE(cGame::isCutsceneActive()) << "the plain track is not waited for";
}

}  // namespace
