// Chapter 8, the Weir Tower, played from the play menu to its results: the
// opening sets the goal, the tower's plan is studied in its close-up (the
// door gear, then the map scrap behind it), the wedge is named and the
// leader wakes to guard the door on his beat; Bram slips to the door while
// the leader's back is turned, Tilda and Wren tell how to free the gate,
// its timing gauge is missed once and then hit, Tilda calls him in, the
// leader's question about the bell is answered wrong and then right, the
// closing narration tells of the way on, and the chapter's end opens
// chapter 9. A second run is caught by the leader, starts again from the
// checkpoint at the sign and plays on to the end.
#include <gtest/gtest.h>

#include <cctype>

#include <string>

#include "tests/e2e/Playthrough.h"

namespace {

TEST(Playthrough, Chapter8) {
  e2e::Playthrough play("chapter8");
  play.openChapters(8);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(8, true) + e2e::chapterScript(8), 3000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           "cutscene 0 starts",  // the opening
                                           "GameState 4 -> 14",
                                           "line 2",  // Hesk: the gears are stuck
                                           "line 4",
                                           "cutscene 0 ends",
                                           "line 5",  // the plan's close-up opens
                                           "line 6",  // the door gear
                                           "item 2: 1 held",  // the map scrap
                                           "cutscene 1 starts",  // the wedge is named
                                           "line 9",
                                           "line 21",  // Tilda: the leader guards the door
                                           "line 23",  // Bram: he can wait
                                           "line 34",  // Wren: watch which way he looks
                                           "cutscene 1 ends",
                                           "cutscene 2 starts",  // at the door: how to knock it free
                                           "line 10",
                                           "line 36",
                                           "cutscene 3 starts",  // the gate stands open
                                           "line 25",
                                           "cutscene 4 starts",  // through the door
                                           "line 14",  // the leader
                                           "line 15",  // Bram's lantern
                                           "line 27",  // the leader's question
                                           "answer 0 (wrong)",
                                           "line 33",  // Hesk's reminder
                                           "line 27",
                                           "answer 1 (right)",
                                           "line 31",  // the leader lets the bell go
                                           "line 35",  // Bram: a quiet home for it
                                           "item 1: 1 held",  // the bell
                                           "line 18",
                                           "cutscene 7 ends",
                                           "cutscene 8 starts",  // the closing narration
                                           "cutscene 9 starts",  // the chapter's end
                                           "chapter 8 done; 9 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           "chapter 9 is chosen",  // the results screen goes on
                                       }));
  // Slipping past unseen: no catch on the way.
  EXPECT_EQ(run.output.find("the room is restored from its snapshot"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("plan"), "chapter8_plan.png");
  e2e::expectMatchesGolden(play.shot("gauge"), "chapter8_gauge.png");
  e2e::expectMatchesGolden(play.shot("ask"), "chapter8_ask.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter8_bell.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter8_results.png");
}

// The chapter's script from its line that starts with marker, every frame
// number up to and including its "wait state" line moved by shift (the
// frames after that count from the state).
std::string shiftedFrom(const std::string& script, const std::string& marker, int shift) {
  std::string out;
  bool counting = true, started = false;
  for (size_t at = 0; at < script.size();) {
    size_t end = script.find('\n', at);
    if (end == std::string::npos) end = script.size();
    const std::string line = script.substr(at, end - at);
    at = end + 1;
    started = started || line.rfind(marker, 0) == 0;
    if (!started) continue;
    if (counting && !line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) {
      const size_t space = line.find(' ');
      out += std::to_string(std::stoi(line.substr(0, space)) + shift) + line.substr(space) + "\n";
      counting = line.find("wait state") == std::string::npos;
    } else {
      out += line + "\n";
    }
  }
  return out;
}

// Walking to the door while the leader faces it: he spots Bram, the catch
// ends in the game-over screen, and "try again" starts the room from the
// checkpoint at the sign, before the plan was read; the plan, the leader's
// beat and the rest of the chapter then play again to its end.
TEST(Playthrough, Chapter8CaughtByTheLeaderAndAgain) {
  e2e::Playthrough play("chapter8caught");
  play.openChapters(8);
  const std::string chapter = e2e::chapterScript(8);
  const std::string marker = "# The leader has just turned east";
  const std::string script = e2e::menusToChapter(8, true) + e2e::scriptUntil(chapter, marker) +
                             // Straight to the door while he faces it; Tilda's and Wren's words.
                             "535 pen down 200 365\n545 pen up 200 365\n570 tap 400 400\n600 tap 400 400\n"
                             // "Try again?" Yes; the plan again, its lines, the gear, the scrap.
                             "740 tap 200 440\n780 tap 620 390\n820 tap 400 400\n840 tap 350 250\n"
                             "870 tap 400 400\n890 tap 490 258\n"
                             // The wedge named again; the leader's beat as before.
                             "920 tap 400 400\n950 tap 400 400\n980 tap 400 400\n1010 tap 400 400\n"
                             "1040 tap 400 400\n1070 tap 400 400\n" +
                             shiftedFrom(chapter, marker, 561);
  const e2e::ProgramResult run = play.run(script, 3200);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "cutscene 1 ends",
                                           "line 10",  // the words at the door
                                           "the room is restored from its snapshot",
                                           "line 5",  // the plan again
                                           "item 2: 1 held",
                                           "cutscene 1 starts",
                                           "cutscene 1 ends",
                                           "cutscene 3 starts",  // the gate stands open
                                           "answer 1 (right)",
                                           "item 1: 1 held",
                                           "chapter 8 done; 9 open",
                                           "GameState 4 -> 15",
                                       }));
}

}  // namespace
