// Chapter 10, the Heartwheel, the game's last, played from the play menu to
// the credits: the opening sets the goal and the caller wakes; his horn
// brought two Murklings in; Bram's lantern and Wren's sling bring the caller
// down; the King listens and asks his price, refuses the lantern (Marrow
// remembers the old bell) and takes the Weir Tower's bell; Hesk gave it to
// Pip, who hid it under the brass cog by Tilda and, asked again, tells so in
// a riddle; found, at the cave gate the
// game asks whether to use it (Yes); the gate takes Bram in, the King gives
// the spindle back, Bram sets it where the King sat (Yes again), the wheel turns and
// everyone gathers round, the closing narration tells of the water
// coming home, and the chapter's end leads to the results. There the last
// chapter shows the game's closing words once, and then the credits, which
// leave by themselves (to the promotion prompt while the promotion has news,
// as it has in a fresh data folder).
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/Playthrough.h"

namespace {

TEST(Playthrough, Chapter10) {
  e2e::Playthrough play("chapter10");
  play.openChapters(10);
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(10, true) + e2e::chapterScript(10), 3000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "chapter 10 is chosen",
                                           "GameState 6 -> 4",
                                           "cutscene 0 starts",  // the opening
                                           "GameState 4 -> 14",
                                           "line 2",   // Alder: the horn first
                                           "line 3",   // the King: blow, caller
                                           "item 2: 2 held",  // Tilda's honey bread
                                           "line 5",   // Wren's sling
                                           "line 50",  // the crouching Murkling
                                           "cutscene 0 ends",
                                           "cutscene 1 starts",  // the caller is down
                                           "line 13",
                                           "line 14",  // the King listens
                                           "cutscene 3 starts",  // his question
                                           "line 16",
                                           "answer 0 (wrong)",  // the lantern
                                           "cutscene 2 starts",
                                           "line 20",  // no good to us
                                           "line 8",   // Marrow remembers the bell
                                           "cutscene 3 starts",  // asked again
                                           "answer 1 (right)",  // the bell
                                           "cutscene 4 starts",
                                           "line 22",  // Hesk gave his bell to Pip
                                           "line 34",  // Pip hid it: teeth that never bite
                                           "cutscene 4 ends",
                                           "cutscene 17 starts",  // Pip asked again
                                           "line 35",  // his riddle: the cog by Tilda
                                           "item 5: 1 held",  // the bell, under the cog by Tilda
                                           "cutscene 5 starts",
                                           "line 37",
                                           "cutscene 5 ends",
                                           "choice 0",  // use the bell here: yes
                                           "item 5 used",
                                           "door 18 opens",
                                           "cutscene 6 starts",  // the bargain
                                           "line 25",
                                           "item 4: 1 held",  // the spindle
                                           "line 39",  // set it where I sat
                                           "cutscene 6 ends",
                                           "choice 0",  // use the spindle here: yes
                                           "item 4 used",
                                           "door 23 opens",
                                           "cutscene 7 starts",  // the wheel turns
                                           "line 49",
                                           "line 47",  // everyone comes running
                                           "line 42",
                                           "line 44",
                                           "line 46",
                                           "line 28",
                                           "cutscene 7 ends",  // the narration closed
                                           "cutscene 9 starts",  // the chapter's end
                                           "chapter 10 done; 10 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",  // the results
                                           "GameState 15 -> 16",  // the credits
                                           "GameState 16 -> 21",  // they leave by themselves
                                       }));
  // The last chapter has no next one to choose.
  EXPECT_EQ(run.output.find("chapter 11 is chosen"), std::string::npos);

  e2e::expectMatchesGolden(play.shot("question"), "chapter10_question.png");
  e2e::expectMatchesGolden(play.shot("pip"), "chapter10_pip.png");
  e2e::expectMatchesGolden(play.shot("cog"), "chapter10_cog.png");
  e2e::expectMatchesGolden(play.shot("choice"), "chapter10_choice.png");
  e2e::expectMatchesGolden(play.shot("socket"), "chapter10_socket.png");
  e2e::expectMatchesGolden(play.shot("ending"), "chapter10_ending.png");
  e2e::expectMatchesGolden(play.shot("finished"), "chapter10_finished.png");
}

// Straight up the west walk to the cave gate before the King has named his
// price: the gate only says what it wants, nothing is offered and it stays
// shut; the timber stacks beside it keep Bram out of its mouth.
TEST(Playthrough, Chapter10GateWaitsForTheBell) {
  e2e::Playthrough play("chapter10gate");
  play.openChapters(10);
  const std::string room =
      "100 tap 400 400\n125 tap 400 400\n150 tap 400 400\n175 tap 400 400\n"
      "200 tap 400 400\n225 tap 400 400\n250 tap 400 400\n"
      "285 pen down 60 365\n297 pen up 60 365\n"
      "300 pen down 130 295\n335 pen up 130 295\n"
      "336 where\n340 tap 620 390\n347 screenshot @SHOTS@/gate.png\n";
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(10, true) + room, 900);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"cutscene 0 ends"}));
  EXPECT_EQ(run.output.find("cGame: choice"), std::string::npos) << "nothing to offer yet";
  EXPECT_EQ(run.output.find("door 18 opens"), std::string::npos);
  EXPECT_NE(run.output.find("the focus character stands at 336,112"), std::string::npos)
      << "stopped below the gate, beside its timber stack";
  e2e::expectMatchesGolden(play.shot("gate"), "chapter10_gate.png");
}

// West along the south walk past the foot of the west walk and up towards
// the crouching Murkling Wren pointed out: it pounces, the game is over, and
// the retry puts Bram back at the start with the Murkling crouched again, so
// the same mistake catches him again.
TEST(Playthrough, Chapter10MurklingPounces) {
  e2e::Playthrough play("chapter10pounce");
  play.openChapters(10);
  const std::string room =
      "100 tap 400 400\n125 tap 400 400\n150 tap 400 400\n175 tap 400 400\n"
      "200 tap 400 400\n225 tap 400 400\n250 tap 400 400\n"
      "285 pen down 60 365\n302 pen up 60 365\n305 pen down 130 295\n312 pen up 130 295\n"
      "322 screenshot @SHOTS@/pounce.png\n"
      "340 tap 400 400\n"
      // "Try again?": yes, once its bars have opened.
      "400 tap 200 440\n420 tap 200 440\n"
      "470 where\n"
      "480 pen down 60 365\n497 pen up 60 365\n500 pen down 130 295\n507 pen up 130 295\n";
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(10, true) + room, 1200);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(e2e::inOrder(run.output, {"line 50", "cutscene 0 ends", "cutscene 8 starts", "line 0",
                                        "the room is restored from its snapshot", "cutscene 8 starts"}));
  EXPECT_NE(run.output.find("the focus character stands at 560,698"), std::string::npos)
      << "back at the start after the retry";
  EXPECT_EQ(run.output.find("cutscene 1 starts"), std::string::npos) << "the caller was never reached";
  e2e::expectMatchesGolden(play.shot("pounce"), "chapter10_pounce.png");
}

}  // namespace
