// Chapter 6, Ferrow's Bridge, played from the play menu to its results: the
// planks lifted and thrown aside, the first counterweight pushed along the
// deck into its cradle, Ode's wager won, Wren's sling sending the pit's
// Murkling off, the second counterweight pushed into the pit by the water, the bolts knocked along their rails, the river
// gate's countdown, the lever's key prompt tapped in time, Wren's sling, the
// closing narration, and chapter 7 opened in the saved game; the same lever
// missed until the water takes the deck, retried from the checkpoint; and
// Ode's wager lost, the signpost read, and the wager won at the second try.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The chapter's script is tests/e2e/scripts/chapter6.txt. Pad arrows:
// right (200, 365). OK button (620, 390). A conversation line is dismissed
// by a tap on its box (400, 380). Ode's answers stand at (392, 225 / 322 /
// 419). The prompt's three signs stand at x 240, 400 and 560.

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
      "line 49",  // Wren, of the Murkling by the water
      "cutscene 3 starts",  // the planks are broken
      "line 26",
      "cutscene 4 starts",  // the first stone is in its cradle
      "line 11",
      "cutscene 18 starts",  // Ode has not told yet: Wren sends Bram to him
      "line 41",
      "cutscene 2 starts",  // Ode's wager
      "line 28",
      "answer 1 (right)",
      "cutscene 15 starts",  // won: he tells where the pit is
      "line 34",
      "cutscene 19 starts",  // down the bank: Wren's sling sends the pit's Murkling off
      "line 48",
      "cutscene 13 starts",  // the second stone is in the pit
      "line 38",
      "cutscene 14 starts",  // both weights hang: the bolts wake
      "line 40",
      "cutscene 5 starts",  // past the bolts: the river gate
      "line 13",
      "line 16",
      "cutscene 5 ends",
      "cutscene 7 starts",  // the lever's key prompt
      "cutscene 9 starts",  // pulled in time: the leaf comes down
      "line 17",
      "line 45",  // Wren's sling
      "line 18",
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
  EXPECT_EQ(play.savedChaptersOpen(), 7);

  // Bram pushing the stone along the deck; Ode's wager; the second stone
  // pushed into the pit; the prompt's signs over the darkened bridge with
  // the countdown's clock; the closing narration.
  e2e::expectMatchesGolden(play.shot("push"), "chapter6_push.png");
  e2e::expectMatchesGolden(play.shot("question"), "chapter6_question.png");
  e2e::expectMatchesGolden(play.shot("pit"), "chapter6_pit.png");
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
  for (int frame = 1370; frame <= 2170; frame += 20) script += std::to_string(frame) + " tap 400 380\n";
  // Yes, try again; then east into the bolts once more.
  script += "2230 tap 200 440\n2270 pen down 200 365\n2276 pen up 200 365\n2310 close\n";
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

// Ode's wager lost: he laughs and points at the signpost; the signpost read
// (it names the pit); the wager asked again and won; and from then on Ode
// has other things to say.
TEST(Playthrough, Chapter6OdesWagerLostThenWonAfterTheSignpost) {
  e2e::Playthrough play("chapter6-wager");
  play.openChapters(6);
  std::string script = e2e::menusToChapter(6, true) +
                       e2e::scriptUntil(e2e::chapterScript(6), "# -- Ode's question is open");
  script +=
      "700 tap 392 225\n"                          // into the river: wrong
      "725 tap 400 380\n"                          // his laugh
      "740 pen down 60 365\n752 pen up 60 365\n"   // west along the path to the signpost
      "765 tap 620 390\n785 tap 400 380\n805 tap 400 380\n"
      "825 pen down 200 295\n828 pen up 200 295\n"  // back up to Ode
      "840 tap 620 390\n860 tap 400 380\n"
      "895 tap 392 322\n"                          // down by the water: right
      "925 tap 400 380\n945 tap 400 380\n"
      "970 tap 620 390\n"                          // Ode once more
      "1015 close\n";
  const e2e::ProgramResult run = play.run(script, 3000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  const std::vector<std::string> expected = {
      "cutscene 2 starts",  // the wager
      "answer 0 (wrong)",
      "line 32",
      "cutscene 17 starts",  // the signpost
      "line 42",
      "cutscene 2 starts",  // the wager again
      "answer 1 (right)",
      "cutscene 15 starts",
      "line 33",
      "cutscene 16 starts",  // the Ode who has lost his bet
      "line 35",
  };
  EXPECT_TRUE(e2e::inOrder(run.output, expected));
  // Only the first stone hangs: the bolts sleep.
  EXPECT_EQ(run.output.find("cutscene 14 starts"), std::string::npos);
}

// The stones in the other order: the second one into the pit before the
// planks and the first one. The bolts wake only once both hang, and Wren
// does not send Bram to Ode for a stone already set.
TEST(Playthrough, Chapter6StonesInEitherOrder) {
  e2e::Playthrough play("chapter6-order");
  play.openChapters(6);
  std::string script = e2e::menusToChapter(6, true) +
                       e2e::scriptUntil(e2e::chapterScript(6), "# face the planks");
  script +=
      // down the bank: Wren's sling sends the pit's Murkling off (two lines);
      // behind the second stone, grab it, push it into the pit
      "279 pen down 130 435\n286 pen up 130 435\n298 tap 400 380\n305 tap 400 380\n325 tap 400 380\n"
      "345 pen down 200 435\n348 pen up 200 435\n356 pen down 130 435\n359 pen up 130 435\n"
      "365 pen down 200 365\n367 pen up 200 365\n380 tap 620 390\n390 pen down 200 365\n445 pen up 200 365\n"
      "445 tap 400 380\n470 tap 400 380\n490 tap 400 380\n510 tap 400 380\n"
      // back up to the planks: lift, throw; Wren and Tilda
      "530 pen down 60 295\n537 pen up 60 295\n545 pen down 130 295\n547 pen up 130 295\n"
      "555 tap 200 365\n565 tap 620 390\n600 tap 620 390\n635 tap 400 380\n655 tap 400 380\n675 tap 400 380\n"
      // the first stone along the deck into its cradle
      "690 pen down 130 295\n692 pen up 130 295\n700 pen down 200 365\n706 pen up 200 365\n"
      "715 tap 620 390\n725 pen down 200 365\n800 pen up 200 365\n800 tap 400 380\n"
      "820 tap 400 380\n840 tap 400 380\n860 tap 400 380\n880 tap 400 380\n900 tap 400 380\n920 tap 400 380\n"
      "945 close\n";
  const e2e::ProgramResult run = play.run(script, 3000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  const std::vector<std::string> expected = {
      "cutscene 13 starts",  // the pit first
      "line 38",
      "cutscene 3 starts",  // the planks
      "cutscene 4 starts",  // the cradle
      "line 11",
      "cutscene 14 starts",  // both: the bolts wake
      "line 40",
  };
  EXPECT_TRUE(e2e::inOrder(run.output, expected));
  // Nothing woke the bolts before the second weight hung.
  const size_t both = run.output.find("cutscene 14 starts");
  ASSERT_NE(both, std::string::npos);
  EXPECT_GT(both, run.output.find("cutscene 4 starts"));
  EXPECT_EQ(run.output.find("line 41"), std::string::npos);
}

}  // namespace
