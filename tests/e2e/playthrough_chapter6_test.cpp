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

// Pad arrows: right (200, 365). OK button (620, 390). A conversation line
// is dismissed by a tap on its box (400, 380); a tap where no line shows
// does nothing. The prompt's three signs stand at x 240, 400 and 560.

// From the menus to Bram on the lever, its prompt just open.
constexpr const char* toTheLever = R"(# the sound question, the title, the main menu's chapters
200 tap 400 255
270 tap 400 240
340 tap 400 135
# down the chapter list to chapter 6, and into it
400 tap 400 410
420 tap 400 410
440 tap 400 410
460 tap 400 410
480 tap 400 410
520 tap 400 345
# the opening's five lines
690 tap 400 380
715 tap 400 380
740 tap 400 380
765 tap 400 380
790 tap 400 380
# face the planks, lift them, throw them: they break
815 tap 200 365
825 tap 620 390
860 tap 620 390
# Wren and Tilda point at the stone
895 tap 400 380
915 tap 400 380
935 tap 400 380
# to the stone, grab it and push it along the deck into its cradle
955 pen down 200 365
961 pen up 200 365
970 tap 620 390
980 pen down 200 365
1055 pen up 200 365
# the stone sinks in; Tilda sends Bram at the bolts
1070 tap 400 380
1090 tap 400 380
1110 tap 400 380
# into the bolts, which shoot east, and past them: the river gate opens
1125 pen down 200 365
1137 pen up 200 365
1165 tap 400 380
1185 tap 400 380
1205 tap 400 380
1225 tap 400 380
1245 tap 400 380
# onto the lever
1265 pen down 200 365
1271 pen up 200 365
)";

// The signs tapped in time, and the chapter's end.
constexpr const char* inTime = R"(1290 tap 240 240
1300 tap 400 240
1310 tap 560 240
# the leaf comes down and the leader runs: five lines
1400 tap 400 380
1420 tap 400 380
1485 tap 400 380
1505 tap 400 380
1525 tap 400 380
# the closing narration, once read, and the chapter's end
1600 tap 400 240
1640 tap 400 240
)";

TEST(Playthrough, Chapter6) {
  e2e::Playthrough play("chapter6");
  play.openChapters(6);
  const e2e::ProgramResult run =
      play.run(std::string(toTheLever) + inTime, 1660, {{1010, "push"}, {1298, "prompt"}, {1595, "narration"}});
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
  std::string script = toTheLever;
  // The misses' lines, and the flood's (the signs stand higher).
  for (int frame = 1400; frame <= 2200; frame += 20) script += std::to_string(frame) + " tap 400 380\n";
  // Yes, try again; then east into the bolts once more.
  script += "2260 tap 200 440\n2300 pen down 200 365\n2306 pen up 200 365\n";
  const e2e::ProgramResult run = play.run(script, 2340);
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
