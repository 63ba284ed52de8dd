// Chapter 1, the Dry Lock at Millrace, played through the real input path
// from a fresh data folder: a new game, Hesk's goal, Pip's riddle answered
// wrong, then right after reading the lock's sign, a coin by the canal's
// steps, the towpath past the Murklings and the lantern that
// chases them off, the key from the reeds, the winch hut's door, the winch
// that opens the lock's gate, the closing narration and the results. The
// saved game then opens chapter 2, and the play menu offers it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// The chapter's script is tests/e2e/scripts/chapter1.txt; frames of the
// fixed clock (62 ms each). The pad's arrows are held by the pen (right
// 200,365; left 60,365; up 130,295; down 130,435), the round button at
// 620,390 talks, takes and opens, a tap on the conversation box (400,380)
// dismisses a line.

// Where the focus character stood at each of the script's "where" lines, in
// order ("x,y").
std::vector<std::string> placesStood(const std::string& log) {
  const std::string where = ": the focus character stands at ";
  std::vector<std::string> places;
  for (size_t at = log.find(where); at != std::string::npos; at = log.find(where, at + 1)) {
    const size_t from = at + where.size();
    places.push_back(log.substr(from, log.find_first_not_of("0123456789,-", from) - from));
  }
  return places;
}

TEST(Playthrough, Chapter1) {
  e2e::Playthrough play("chapter1");
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(1, false) + e2e::chapterScript(1), 2400);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {// the opening starts as the room loads; then Hesk's goal
                                        "cutscene 0 starts", "GameState 4 -> 14", "cutscene 0 ends",
                                        "cutscene 1 starts", "line 2",
                                        "line 28", "line 3",
                                        // Pip's riddle: a wrong answer, the sign, the right answer
                                        "cutscene 2 starts", "line 7", "answer 0 (wrong)", "line 11",
                                        "cutscene 5 starts", "line 16", "cutscene 2 starts", "line 7",
                                        "answer 1 (right)", "cutscene 3 starts",
                                        "line 13", "line 14",
                                        // a step down on the way to the canal's steps: a coin
                                        // (item 2, the room's key being item 1)
                                        "collectible 2 taken",
                                        // the lantern chases the Murklings off
                                        "cutscene 7 starts", "line 18", "line 27", "cutscene 7 ends",
                                        // the key, the hut's door
                                        "item 1: 1 held", "cutscene 6 starts", "line 17", "choice 0",
                                        "item 1 used", "door 13 opens",
                                        // the winch, the gate, the last lines and the closing
                                        "cutscene 8 starts", "line 21", "line 22", "line 23", "cutscene 8 ends",
                                        "cutscene 9 starts", "chapter 1 done; 2 open", "GameState 14 -> 4",
                                        "GameState 4 -> 15",
                                        // the results screen goes on
                                        "chapter 2 is chosen"}));
  // Nobody was caught on the way.
  EXPECT_EQ(run.output.find("restored from its snapshot"), std::string::npos);
  // Only that one coin: the others lie off the way (the results say 1).
  EXPECT_EQ(run.output.find("collectible"), run.output.rfind("collectible"));

  e2e::expectMatchesGolden(play.shot("riddle"), "chapter1_riddle.png");
  e2e::expectMatchesGolden(play.shot("lantern"), "chapter1_lantern.png");
  e2e::expectMatchesGolden(play.shot("gate"), "chapter1_gate.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter1_results.png");

  // The saved game now opens two chapters (byte 7 of the settings record).
  EXPECT_EQ(play.savedChaptersOpen(), 2);

  // Started again on that data folder, the main menu offers the chapters and
  // the play menu lists chapter 2 beside chapter 1.
  const e2e::ProgramResult again =
      play.run("200 tap 400 255\n270 tap 400 240\n340 tap 400 135\n", 420, {{419, "play_menu"}});
  EXPECT_EQ(again.exitStatus, 0) << again.output;
  EXPECT_TRUE(e2e::inOrder(again.output, {"GameState 3 -> 5", "GameState 5 -> 6"}));
  e2e::expectMatchesGolden(play.shot("play_menu"), "chapter1_play_menu.png");
}

// The danger: after the riddle, up the canal's steps (the checkpoint) and
// east along the bank's edge, straight into the first Murkling's sight. It
// raises the alarm, the lantern goes out, and "try again" puts Bram back
// where the checkpoint caught him, the Murklings still on watch.
TEST(Playthrough, Chapter1CaughtOnTheBankTriesAgainAtTheCheckpoint) {
  std::string script = e2e::menusToChapter(1, false) +
                       e2e::scriptUntil(e2e::chapterScript(1), "# -- up through the canal");
  script +=
      "# up the steps only as far as the bank's edge, then east along it\n"
      "579 pen down 130 295\n"
      "594 pen up 130 295\n"
      "604 pen down 200 365\n"
      "624 pen up 200 365\n"
      "625 where\n"
      "# caught: try again\n"
      "749 screenshot @SHOTS@/caught.png\n"
      "789 tap 200 440\n"
      "804 where\n";
  e2e::Playthrough play("chapter1-caught");
  const e2e::ProgramResult run = play.run(script, 1300);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"answer 1 (right)", "cutscene 3 ends", "the room is restored from its snapshot"}));
  EXPECT_EQ(run.output.find("cutscene 7 starts"), std::string::npos) << "the lantern never reached them";
  const std::vector<std::string> places = placesStood(run.output);
  ASSERT_EQ(places.size(), 2u) << run.output;
  EXPECT_EQ(places[0], "404,208") << run.output;
  EXPECT_EQ(places[1], "208,268") << "back at the top of the steps: " << run.output;
  e2e::expectMatchesGolden(play.shot("caught"), "chapter1_caught.png");
}

}  // namespace
