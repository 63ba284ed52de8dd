// Chapter 6, Ferrow's Bridge, played from the play menu to its results: the
// planks lifted and thrown aside, the counterweight pushed along the deck
// into its cradle, the bolts knocked along their rails, the river gate's
// countdown, the lever's key prompt tapped in time, the closing narration,
// and chapter 7 opened in the saved game; and the same lever missed until
// the water takes the deck, retried from the checkpoint.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The chapter's script is tests/e2e/scripts/chapter6.txt. Pad arrows:
// right (200, 365). OK button (620, 390). A conversation line is dismissed
// by a tap on its box (400, 380). The prompt's three signs stand at x 240,
// 400 and 560.

TEST(Playthrough, Chapter6) {
  e2e::Playthrough play("chapter6");
  play.openChapters(6);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(6, true) + e2e::chapterScript(6) + "120 close\n", 4000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;

  const std::vector<std::string> expected = {
      "GameState 6 -> 4",
      "cutscene 0 starts",  // the opening
      "GameState 4 -> 14",
      "cutscene 0 ends",
      "cutscene 12 starts",  // the goal, after the pan
      "line 2",
      "line 6",
      "cutscene 3 starts",  // the planks are broken
      "line 26",
      "cutscene 4 starts",  // the stone is in its cradle
      "line 11",
      "cutscene 5 starts",  // past the bolts: the river gate
      "line 13",
      "line 16",
      "cutscene 5 ends",
      "cutscene 7 starts",  // the lever's key prompt
      "cutscene 9 starts",  // pulled in time: the leaf comes down
      "line 17",
      "line 21",
      "cutscene 9 ends",  // with the closing narration
      "cutscene 10 starts",  // once it is read
      "chapter 6 done; 7 open",
      "GameState 14 -> 4",
      "GameState 4 -> 15",
      "chapter 7 is chosen",  // the results screen goes on
  };
  EXPECT_TRUE(e2e::inOrder(run.output, expected));
  // In time: no miss, and the water never took the deck.
  const std::vector<std::string> seen = e2e::milestones(run.output);
  for (const std::string& line : seen) {
    EXPECT_NE(line.rfind("cutscene 8 starts", 0), 0u) << "the prompt was missed";
    EXPECT_NE(line.rfind("cutscene 11 starts", 0), 0u) << "the countdown ran out";
  }

  // The saved game offers chapter 7 now.
  std::ifstream saved(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string record((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  ASSERT_GT(record.size(), 7u);
  EXPECT_EQ(record[7], 7);

  // Bram pushing the stone along the deck; the prompt's signs over the
  // darkened bridge with the countdown's clock; the closing narration.
  e2e::expectMatchesGolden(play.shot("push"), "chapter6_push.png");
  e2e::expectMatchesGolden(play.shot("prompt"), "chapter6_prompt.png");
  e2e::expectMatchesGolden(play.shot("narration"), "chapter6_narration.png");
}

// The signs never tapped: Bram misses, tries again and again until the
// countdown runs out, the water takes the deck, and the retry starts him at
// the checkpoint before the bolts, which he passes again.
TEST(Playthrough, Chapter6FloodedDeckRetriesFromTheBolts) {
  e2e::Playthrough play("chapter6-flood");
  play.openChapters(6);
  std::string script = e2e::menusToChapter(6, true) +
                       e2e::scriptUntil(e2e::chapterScript(6), "# -- the lever's prompt is open");
  // The misses' lines, and the flood's (the signs stand higher).
  for (int frame = 839; frame <= 1639; frame += 20) script += std::to_string(frame) + " tap 400 380\n";
  // Yes, try again; then east into the bolts once more.
  script += "1699 tap 200 440\n1739 pen down 200 365\n1745 pen up 200 365\n1779 close\n";
  const e2e::ProgramResult run = play.run(script, 4000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  const std::vector<std::string> expected = {
      "cutscene 5 starts",  // the river gate and the countdown
      "cutscene 7 starts",  // the prompt
      "cutscene 8 starts",  // missed
      "line 24",
      "cutscene 7 starts",  // at once again
      "cutscene 8 starts",
      "cutscene 11 starts",  // the countdown ran out
      "line 22",
      "the room is restored from its snapshot",
      "cutscene 5 starts",  // past the bolts again
  };
  EXPECT_TRUE(e2e::inOrder(run.output, expected));
  EXPECT_EQ(run.output.find("chapter 6 done"), std::string::npos);
}

}  // namespace
