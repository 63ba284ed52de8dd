// Chapter 5, the Saltglass Caves, played headless through the real input
// path: the chapter menu, the pad, the big button, taps on the
// conversation box, the choice and the game-over buttons. The first run
// plays from the menu to the results; the second gets caught by a sleeping
// Murkling, retries from the checkpoint and plays on to the key.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {

// Builds the input script step by step, each step after the one before;
// frames are the harness's. Holding an arrow of the pad walks (Bram speeds
// up to about 19 px a frame); lines are touched away on their box.
class Steps {
 public:
  enum class Pad { up, down, left, right, upRight, downRight, upLeft };

  // The sound question, the title, the main menu's Chapters row, four
  // steps down the chapter list and its fifth row: the room is in play
  // about a hundred frames later, its opening cutscene running.
  Steps& chapterFive() {
    tapAt(200, 400, 255);
    tapAt(270, 400, 240);
    tapAt(340, 400, 135);
    for (int frame : {400, 410, 420, 430}) tapAt(frame, 400, 410);
    tapAt(450, 400, 345);
    m_frame = 450;
    return *this;
  }
  Steps& at(int frame) {
    m_frame = frame;
    return *this;
  }
  Steps& wait(int frames) {
    m_frame += frames;
    return *this;
  }
  Steps& hold(Pad pad, int frames) {
    const auto [x, y] = padPoint(pad);
    line(m_frame, "pen down " + std::to_string(x) + " " + std::to_string(y));
    m_frame += frames;
    line(m_frame, "pen up " + std::to_string(x) + " " + std::to_string(y));
    m_frame += 2;
    return *this;
  }
  Steps& tap(int x, int y, int after = 3) {
    tapAt(m_frame, x, y);
    m_frame += after;
    return *this;
  }
  // The big button at the lower right: talk, take, use.
  Steps& ok() { return tap(620, 390); }
  // Touches n conversation lines away, each once it may go (16 frames).
  Steps& dismiss(int n) {
    for (int i = 0; i < n; ++i) tap(400, 420, 20);
    return *this;
  }
  Steps& shot(const std::string& name) {
    m_shots[m_frame] = name;
    return *this;
  }

  int frame() const { return m_frame; }
  const std::map<int, std::string>& shots() const { return m_shots; }
  std::string text() const { return m_text; }

 private:
  static std::pair<int, int> padPoint(Pad pad) {
    switch (pad) {
      case Pad::up: return {130, 295};
      case Pad::down: return {130, 435};
      case Pad::left: return {60, 365};
      case Pad::right: return {200, 365};
      case Pad::upRight: return {200, 295};
      case Pad::downRight: return {200, 435};
      case Pad::upLeft: return {60, 295};
    }
    return {130, 365};
  }
  void tapAt(int frame, int x, int y) { line(frame, "tap " + std::to_string(x) + " " + std::to_string(y)); }
  void line(int frame, const std::string& event) { m_text += std::to_string(frame) + " " + event + "\n"; }

  int m_frame = 0;
  std::string m_text;
  std::map<int, std::string> m_shots;
};

using Pad = Steps::Pad;

// From the chapter menu through the opening (Hesk shows the barred door,
// Wren the sleepers in the nest) to Marrow, whose rhyme says where the key
// lies.
Steps& openingAndRhyme(Steps& steps) {
  steps.chapterFive().at(555).shot("door").dismiss(8).wait(10);
  // Along the hall to Marrow, and down beside him.
  steps.hold(Pad::right, 5).hold(Pad::right, 5).hold(Pad::right, 4).hold(Pad::down, 3);
  return steps.ok().wait(15).dismiss(6).wait(10);
}

// Down past the checkpoint into the cold cave, between its two sleepers to
// the glint at the bottom: the key, and Bram's two lines.
Steps& fetchTheKey(Steps& steps) {
  steps.hold(Pad::down, 5).hold(Pad::down, 2).hold(Pad::right, 4);
  steps.hold(Pad::downRight, 3).hold(Pad::upRight, 3).hold(Pad::right, 6).hold(Pad::down, 8);
  return steps.ok().wait(25);
}

// How many chapters the saved game has open.
int chaptersOpen(const e2e::Playthrough& play) {
  std::ifstream in(play.data() / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string record((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return record.size() > 7 ? int(record[7]) : -1;
}

TEST(Playthrough, Chapter5) {
  e2e::Playthrough play("chapter5");
  play.openChapters(5);
  Steps steps;
  openingAndRhyme(steps);
  fetchTheKey(steps).shot("key").dismiss(2).wait(10);
  // Back up the cold cave, up beside Marrow to the hall's top row (Hesk
  // stands in the row below) and along it to the door.
  steps.hold(Pad::up, 8).hold(Pad::left, 6).hold(Pad::left, 3).hold(Pad::up, 4).hold(Pad::up, 3).hold(Pad::up, 5);
  steps.hold(Pad::right, 3).hold(Pad::right, 2).hold(Pad::right, 2);
  // "Use Glass key here?" Yes: the gate lifts; through it to the river.
  steps.ok().wait(10).tap(215, 265).wait(30).hold(Pad::right, 2).hold(Pad::up, 8);
  steps.wait(20).dismiss(4).wait(30).shot("narration").tap(400, 240).wait(30).tap(400, 240).wait(40);
  steps.wait(100).shot("results").wait(5);
  const e2e::ProgramResult run = play.run(steps.text(), steps.frame(), steps.shots());
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "cutscene 0 starts",  // the opening
                                           "line 4",             // Hesk: the brook runs under the door
                                           "line 7",             // Wren: sleepers in the nest
                                           "cutscene 0 ends",
                                           "cutscene 1 starts",  // Marrow's rhyme
                                           "line 11",
                                           "line 12",
                                           "line 30",            // Marrow: the way down is behind him
                                           "cutscene 1 ends",
                                           "item 1: 0 held",     // the glass key
                                           "cutscene 6 starts",  // Bram turns back
                                           "cutscene 6 ends",
                                           "choice 0",           // use the key on the door
                                           "item 1 used",
                                           "door 5 opens",
                                           "cutscene 7 starts",  // the river cave
                                           "line 27",            // Marrow hears the wheel
                                           "line 29",            // Bram: on to Ferrow's Bridge
                                           "cutscene 7 ends",
                                           "cutscene 8 starts",  // after the narration
                                           "chapter 5 done; 6 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                       }));
  // No sleeper woke on the way.
  EXPECT_EQ(run.output.find("cGame: the room is restored"), std::string::npos);
  EXPECT_EQ(chaptersOpen(play), 6);
  e2e::expectMatchesGolden(play.shot("door"), "chapter5_door.png");
  e2e::expectMatchesGolden(play.shot("key"), "chapter5_key.png");
  e2e::expectMatchesGolden(play.shot("narration"), "chapter5_narration.png");
  e2e::expectMatchesGolden(play.shot("results"), "chapter5_results.png");
}

TEST(Playthrough, Chapter5GameOverAndRetry) {
  e2e::Playthrough play("chapter5-retry");
  play.openChapters(5);
  Steps steps;
  openingAndRhyme(steps);
  // A careless step down beside the west sleeper wakes it.
  steps.hold(Pad::down, 5).hold(Pad::down, 2).hold(Pad::right, 4).hold(Pad::down, 4).hold(Pad::down, 4);
  steps.wait(10).dismiss(2).wait(30).shot("caught");
  // Try again: back at the checkpoint, the sleeper asleep again; this
  // time along the cave's top and down its middle to the key.
  steps.tap(200, 440).wait(20).shot("retry").wait(10);
  steps.hold(Pad::right, 2).hold(Pad::down, 3).hold(Pad::right, 8).hold(Pad::down, 8).hold(Pad::downRight, 2);
  steps.ok().wait(30);
  const e2e::ProgramResult run = play.run(steps.text(), steps.frame(), steps.shots());
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "cutscene 1 ends",    // the rhyme heard
                                           "cutscene 4 starts",  // the west sleeper wakes
                                           "line 20",
                                           "line 19",            // "Got you!"
                                           "cutscene 4 ends",
                                           "the room is restored from its snapshot",
                                           "item 1: 0 held",     // the key, on the second try
                                           "cutscene 6 starts",
                                       }));
  e2e::expectMatchesGolden(play.shot("caught"), "chapter5_caught.png");
  e2e::expectMatchesGolden(play.shot("retry"), "chapter5_retry.png");
}

}  // namespace
