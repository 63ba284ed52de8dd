// Chapter 5, the Saltglass Caves, played headless through the real input
// path: the chapter menu, the pad, the big button, taps on the
// conversation box, the answers, the choice and the game-over buttons. The
// chapter's own part of the script is tests/e2e/scripts/chapter5.txt: the
// opening, Marrow's half of the rhyme, the wardens' signpost with the rest,
// Marrow's question (a wrong answer, then the right one) and his step
// aside, the cold cave's lens between two sleepers, the barred door and
// the river cave, to the results. A second run follows the same script to
// Marrow's step aside, is caught by a sleeper, retries from the checkpoint
// and plays on to the lens; a third tries the step before the rhyme is
// said back and stays above it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

TEST(Playthrough, Chapter5) {
  e2e::Playthrough play("chapter5");
  play.openChapters(5);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(5, true) + e2e::chapterScript(5), 2000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "chapter 5 is chosen",
                                           "cutscene 0 starts",  // the opening
                                           "line 2",             // Hesk: the brook runs under the door
                                           "line 5",             // Wren: sleepers in the nest
                                           "cutscene 0 ends",
                                           "cutscene 1 starts",  // Marrow's half of the rhyme
                                           "line 9",
                                           "line 30",            // the rest is on the signpost
                                           "line 31",            // he keeps the step till then
                                           "cutscene 1 ends",
                                           "cutscene 9 starts",  // the signpost read
                                           "line 10",            // the rhyme's second half
                                           "cutscene 9 ends",
                                           "cutscene 11 starts",  // Marrow's question
                                           "line 37",
                                           "answer 2 (wrong)",
                                           "line 44",             // read it again
                                           "cutscene 11 starts",  // asked again
                                           "answer 1 (right)",
                                           "cutscene 12 starts",  // Marrow steps aside
                                           "line 42",
                                           "line 12",
                                           "cutscene 12 ends",
                                           "item 4: 0 held",     // the salt-glass lens
                                           "cutscene 6 starts",  // a sleeper mutters; Bram turns back
                                           "line 45",
                                           "cutscene 6 ends",
                                           "choice 0",           // use the lens on the door
                                           "item 4 used",
                                           "door 9 opens",
                                           "cutscene 7 starts",  // the river cave
                                           "line 25",            // Marrow hears the wheel
                                           "line 27",            // Bram: on to Ferrow's Bridge
                                           "cutscene 7 ends",
                                           "cutscene 8 starts",  // after the narration
                                           "chapter 5 done; 6 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 6 is chosen",  // the results screen goes on
                                       }));
  // No sleeper woke on the way.
  EXPECT_EQ(run.output.find("cGame: the room is restored"), std::string::npos);
  EXPECT_EQ(play.savedChaptersOpen(), 6);
  e2e::expectMatchesGolden(play.shot("door"), "chapter5_door.png");
  e2e::expectMatchesGolden(play.shot("signpost"), "chapter5_signpost.png");
  e2e::expectMatchesGolden(play.shot("question"), "chapter5_question.png");
  e2e::expectMatchesGolden(play.shot("lens"), "chapter5_lens.png");
  e2e::expectMatchesGolden(play.shot("narration"), "chapter5_narration.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter5_results.png");
}

// After Marrow has stepped aside (frames go on from the chapter's script).
constexpr const char* caughtAndRetried =
    "# Down the step past the checkpoint, then a careless step down beside\n"
    "# the west sleeper wakes it: its two lines, then the game-over screen.\n"
    "870 pen down 130 435\n"
    "876 pen up 130 435\n"
    "892 pen down 200 435\n"
    "897 pen up 200 435\n"
    "900 pen down 130 435\n"
    "904 pen up 130 435\n"
    "916 tap 400 420\n"
    "936 tap 400 420\n"
    "986 screenshot @SHOTS@/caught.png\n"
    "# Try again: back at the checkpoint below the step, Marrow still aside,\n"
    "# the sleeper asleep again; this time along the cave's top and down its\n"
    "# middle to the lens.\n"
    "986 tap 200 440\n"
    "1009 screenshot @SHOTS@/retry.png\n"
    "1019 pen down 200 365\n"
    "1028 pen up 200 365\n"
    "1041 pen down 130 435\n"
    "1049 pen up 130 435\n"
    "1065 tap 620 390\n";

TEST(Playthrough, Chapter5GameOverAndRetry) {
  e2e::Playthrough play("chapter5-retry");
  play.openChapters(5);
  const std::string toTheStep = e2e::scriptUntil(e2e::chapterScript(5), "# The way down");
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(5, true) + toTheStep + caughtAndRetried, 1650);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "answer 1 (right)",   // the rhyme said back
                                           "cutscene 12 ends",   // Marrow aside
                                           "cutscene 4 starts",  // the west sleeper wakes
                                           "line 18",
                                           "line 17",            // "Got you!"
                                           "cutscene 4 ends",
                                           "the room is restored from its snapshot",
                                           "item 4: 0 held",     // the lens, on the second try
                                           "cutscene 6 starts",
                                       }));
  e2e::expectMatchesGolden(play.shot("caught"), "chapter5_caught.png");
  e2e::expectMatchesGolden(play.shot("retry"), "chapter5_retry.png");
}

// Where the script's "where" lines found Bram, in order.
std::vector<std::pair<int, int>> placesStood(const std::string& log) {
  std::vector<std::pair<int, int>> out;
  const std::string mark = "the focus character stands at ";
  for (size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) {
    int x = 0, y = 0;
    if (std::sscanf(log.c_str() + at + mark.size(), "%d,%d", &x, &y) == 2) out.emplace_back(x, y);
  }
  return out;
}

// Before the rhyme is said back, Marrow's figure fills the two-cell step
// down: pressed straight down on the step and beside it, Bram stays above
// the step's row (the cold cave starts at y 448) and wakes no sleeper.
TEST(Playthrough, Chapter5MarrowKeepsTheStep) {
  e2e::Playthrough play("chapter5-step");
  play.openChapters(5);
  const std::string toMarrow = e2e::scriptUntil(e2e::chapterScript(5), "# Up to the hall");
  const std::string tries =
      "420 where\n"
      "422 pen down 200 365\n"  // onto the step's column
      "424 pen up 200 365\n"
      "430 where\n"
      "432 pen down 130 435\n"  // straight down at it
      "444 pen up 130 435\n"
      "450 where\n"
      "452 pen down 60 435\n"  // down beside it
      "460 pen up 60 435\n"
      "466 where\n"
      "468 pen down 130 435\n"
      "478 pen up 130 435\n"
      "490 where\n";
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(5, true) + toMarrow + tries, 1000);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"cutscene 1 ends"}));
  const std::vector<std::pair<int, int>> stood = placesStood(run.output);
  ASSERT_EQ(stood.size(), 5u) << run.output;
  EXPECT_GT(stood[1].first, 880) << "Bram did not reach the step's column";
  EXPECT_GT(stood[2].second, 380) << "Bram left the row above the step";
  for (const auto& [x, y] : stood) EXPECT_LT(y, 448) << "Bram got below the step at " << x << "," << y;
  EXPECT_EQ(run.output.find("cGame: cutscene 4 starts"), std::string::npos);
}

}  // namespace
