// Chapter 5, the Saltglass Caves, played headless through the real input
// path: the chapter menu, the pad, the big button, taps on the
// conversation box, the choice and the game-over buttons. The chapter's own
// part of the script is tests/e2e/scripts/chapter5.txt: the opening, Marrow's
// rhyme, the cold cave's lens between two sleepers, the barred door and the
// river cave, to the results. A second run follows the same script to the
// rhyme, is caught by a sleeper, retries from the checkpoint and plays on to
// the lens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/Playthrough.h"

namespace {

// How many chapters the saved game has open.
int chaptersOpen(const e2e::Playthrough& play) {
  std::ifstream in(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string record((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return record.size() > 7 ? int(record[7]) : -1;
}

TEST(Playthrough, Chapter5) {
  e2e::Playthrough play("chapter5");
  play.openChapters(5);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(5, true) + e2e::chapterScript(5), 1700);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "chapter 5 is chosen",
                                           "cutscene 0 starts",  // the opening
                                           "line 2",             // Hesk: the brook runs under the door
                                           "line 5",             // Wren: sleepers in the nest
                                           "cutscene 0 ends",
                                           "cutscene 1 starts",  // Marrow's rhyme
                                           "line 9",
                                           "line 10",
                                           "line 28",            // Marrow: the way down is behind him
                                           "cutscene 1 ends",
                                           "item 1: 0 held",     // the salt-glass lens
                                           "cutscene 6 starts",  // Bram turns back
                                           "cutscene 6 ends",
                                           "choice 0",           // use the lens on the door
                                           "item 1 used",
                                           "door 5 opens",
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
  EXPECT_EQ(chaptersOpen(play), 6);
  e2e::expectMatchesGolden(play.shot("door"), "chapter5_door.png");
  e2e::expectMatchesGolden(play.shot("lens"), "chapter5_lens.png");
  e2e::expectMatchesGolden(play.shot("narration"), "chapter5_narration.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter5_results.png");
}

// After the rhyme (frames go on from the chapter's script).
constexpr const char* caughtAndRetried =
    "# A careless step down beside the west sleeper wakes it: its two lines,\n"
    "# then the game-over screen.\n"
    "407 pen down 130 435\n"
    "412 pen up 130 435\n"
    "414 pen down 130 435\n"
    "416 pen up 130 435\n"
    "418 pen down 200 365\n"
    "422 pen up 200 365\n"
    "424 pen down 130 435\n"
    "428 pen up 130 435\n"
    "430 pen down 130 435\n"
    "434 pen up 130 435\n"
    "446 tap 400 420\n"
    "466 tap 400 420\n"
    "516 screenshot @SHOTS@/caught.png\n"
    "# Try again: back at the checkpoint, the sleeper asleep again; this time\n"
    "# along the cave's top and down its middle to the lens.\n"
    "516 tap 200 440\n"
    "539 screenshot @SHOTS@/retry.png\n"
    "549 pen down 200 365\n"
    "551 pen up 200 365\n"
    "553 pen down 130 435\n"
    "556 pen up 130 435\n"
    "558 pen down 200 365\n"
    "566 pen up 200 365\n"
    "568 pen down 130 435\n"
    "576 pen up 130 435\n"
    "578 pen down 200 435\n"
    "580 pen up 200 435\n"
    "582 tap 620 390\n";

TEST(Playthrough, Chapter5GameOverAndRetry) {
  e2e::Playthrough play("chapter5-retry");
  play.openChapters(5);
  const std::string toTheRhyme = e2e::scriptUntil(e2e::chapterScript(5), "# The way down");
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(5, true) + toTheRhyme + caughtAndRetried, 1250);
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "cutscene 1 ends",    // the rhyme heard
                                           "cutscene 4 starts",  // the west sleeper wakes
                                           "line 18",
                                           "line 17",            // "Got you!"
                                           "cutscene 4 ends",
                                           "the room is restored from its snapshot",
                                           "item 1: 0 held",     // the lens, on the second try
                                           "cutscene 6 starts",
                                       }));
  e2e::expectMatchesGolden(play.shot("caught"), "chapter5_caught.png");
  e2e::expectMatchesGolden(play.shot("retry"), "chapter5_retry.png");
}

}  // namespace
