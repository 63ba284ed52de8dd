// Chapter 4, the Drowned Orchard, played from the play menu to its results:
// the title card, the opening over the dam, the goal told by Pip and the
// heroes, the Murkling that watches the way down chased off (its fall arms
// Pip's run), Pip finding the dam's peg, the peg taken (the flag trigger
// breaks the dam), the leader's alarm and his fall under Bram's lantern, the
// chapter's end and the results, with chapter 5 opened in the saved game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// Where the pen goes, on the screen as painted.
struct Point {
  int x, y;
};
constexpr Point soundNo{400, 255}, title{400, 240}, chaptersRow{400, 135}, chapter4Row{400, 345};
constexpr Point wholeScreen{400, 240}, lineBox{400, 380}, okButton{620, 390};
constexpr Point padRight{200, 365}, padLeft{60, 365}, padDown{130, 435};
constexpr Point gameOverYes{200, 440};

class Script {
 public:
  void tap(int frame, Point p) { add(frame, "tap " + at(p)); }
  void hold(int from, int to, Point p) {
    add(from, "pen down " + at(p));
    add(to, "pen up " + at(p));
  }
  std::string text() const {
    std::string out;
    for (const std::string& line : m_lines) out += line + "\n";
    return out;
  }

 private:
  static std::string at(Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
  void add(int frame, const std::string& event) {
    // Frames only grow, so the lines stay in the order the harness wants.
    EXPECT_GE(frame, m_last);
    m_last = frame;
    m_lines.push_back(std::to_string(frame) + " " + event);
  }
  std::vector<std::string> m_lines;
  int m_last = 0;
};

// From the play menu to the dam breaking: the title card, the goal, Pip's
// ask, the watcher chased off, Pip's run, the checkpoint on the way down
// and the peg; the leader then wakes (about frame 1465).
void upToTheDamBreaking(Script& s) {
  // The sound question, the title, the main menu's chapters, chapter 4.
  s.tap(200, soundNo);
  s.tap(270, title);
  s.tap(340, chaptersRow);
  s.tap(400, chapter4Row);
  // The title card waits for a touch; the opening then runs by itself.
  s.tap(500, wholeScreen);
  // Six lines: Pip followed them, and the goal (break the dam).
  for (int i = 0; i < 6; ++i) s.tap(625 + 20 * i, lineBox);
  // A few steps right, up to Pip, and talk to him: he knows the way into
  // the dam, but a Murkling watches the way down.
  s.hold(760, 767, padRight);
  s.tap(780, okButton);
  s.tap(810, lineBox);
  s.tap(830, lineBox);
  // Right to the free column and down towards the ladder: the watcher
  // sees Bram and comes; Bram turns to it and swings until it falls.
  s.hold(850, 867, padRight);
  s.hold(875, 882, padDown);
  s.hold(905, 906, padLeft);
  for (int frame = 915; frame <= 1035; frame += 5) s.tap(frame, okButton);
  // Pip runs along the brook into the dam and finds the peg.
  s.tap(1065, lineBox);
  s.tap(1215, lineBox);
  // Down the free column (over the checkpoint) to the brook, left to the
  // peg, and take it.
  s.hold(1230, 1233, padRight);
  s.hold(1240, 1256, padDown);
  s.hold(1265, 1275, padLeft);
  s.tap(1285, okButton);
  // The dam gives way: Bram's line, then Wren's.
  s.tap(1320, lineBox);
  s.tap(1445, lineBox);
}

// The leader's alarm, then the fight from first, the lantern again and
// again until he falls (he falls near first + 160); the taps stop before
// the end screen comes, which then waits for a touch.
void fightAndFinish(Script& s, int first) {
  for (int frame = first; frame <= first + 180; frame += 5) s.tap(frame, okButton);
  s.tap(first + 230, wholeScreen);
}

std::string chapterScript() {
  Script s;
  upToTheDamBreaking(s);
  fightAndFinish(s, 1470);
  return s.text();
}

TEST(Playthrough, Chapter4) {
  e2e::Playthrough play("chapter4");
  play.openChapters(4);
  const e2e::ProgramResult run =
      play.run(chapterScript(), 1790,
               {{1268, "to_the_peg"}, {1370, "dam_breaks"}, {1580, "fight"}, {1770, "results"}});
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",  // from the play menu
                                           "cutscene 1 starts",  // the title card
                                           "GameState 4 -> 14",
                                           "cutscene 0 starts",  // the opening, after the card
                                           "cutscene 0 ends",
                                           "cutscene 3 starts",  // the goal
                                           "line 2",
                                           "line 7",
                                           "cutscene 2 starts",  // the leader's orders
                                           "cutscene 4 starts",  // Pip asks for the watcher to go
                                           "line 12",
                                           "line 23",
                                           "cutscene 2 starts",  // the orders again
                                           "cutscene 5 starts",  // the watcher fell: Pip finds the peg
                                           "line 25",
                                           "line 13",
                                           "cutscene 2 starts",
                                           "item 1: 0 held",     // the peg
                                           "cutscene 6 starts",  // the dam breaks
                                           "line 17",
                                           "line 20",
                                           "cutscene 6 ends",
                                           "chapter 4 done; 5 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                       }));
  // Pip goes once, the peg is taken once, and the dam breaks once.
  const std::vector<std::string> seen = e2e::milestones(run.output);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "item 1: 0 held"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "cutscene 5 starts"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "cutscene 6 starts"), 1);

  // The saved game now offers chapter 5.
  std::ifstream saved(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string record{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
  ASSERT_GT(record.size(), 7u);
  EXPECT_EQ(record[7], 5);

  e2e::expectMatchesGolden(play.shot("to_the_peg"), "chapter4_to_the_peg.png");
  e2e::expectMatchesGolden(play.shot("dam_breaks"), "chapter4_dam_breaks.png");
  e2e::expectMatchesGolden(play.shot("fight"), "chapter4_fight.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter4_results.png");
}

}  // namespace

namespace {

// Bram lets the leader beat him: the game-over choice's Yes (touched)
// puts the room back as it was at the checkpoint on the way down, before
// the peg, and the chapter is played on from there to its results.
TEST(Playthrough, Chapter4RetriesFromTheCheckpoint) {
  e2e::Playthrough play("chapter4-retry");
  play.openChapters(4);
  Script s;
  upToTheDamBreaking(s);
  // No lantern: the leader wins and the game-over choice comes.
  s.tap(1900, gameOverYes);
  // From the checkpoint: down to the brook, left to the peg, take it again.
  s.hold(1960, 1970, padDown);
  s.hold(1980, 1990, padLeft);
  s.tap(2000, okButton);
  s.tap(2030, lineBox);
  s.tap(2150, lineBox);
  fightAndFinish(s, 2200);
  const e2e::ProgramResult run = play.run(s.text(), 2460, {}, {"--where", "1910"});
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "item 1: 0 held",
                                           "cutscene 6 starts",
                                           "cutscene 6 ends",
                                           "the room is restored from its snapshot",
                                           "item 1: 0 held",  // the peg again: it was not yet taken
                                           "cutscene 6 starts",
                                           "cutscene 6 ends",
                                           "chapter 4 done; 5 open",
                                           "GameState 4 -> 15",
                                       }));
  // The retry starts on the free column between the ladder and the brook,
  // where the checkpoint lies, not where the chapter began.
  const std::string where = "Harness: frame 1910: the focus character stands at ";
  const size_t at = run.output.find(where);
  ASSERT_NE(at, std::string::npos) << run.output;
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(run.output.c_str() + at + where.size(), "%d,%d", &x, &y), 2);
  EXPECT_GE(x, 992);
  EXPECT_LE(x, 1088);
  EXPECT_GE(y, 536);
  EXPECT_LE(y, 664);
}

}  // namespace
