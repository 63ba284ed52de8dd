// Chapter 2, the Reedmarsh crossing, played from the play menu to the
// results: Wren's side-view run up the boardwalk, Ferryman Ode's voice from
// the reeds (how the ferry bell wants ringing), the Murklings that creep
// across the planks, his pouch of sling stones taken below the halfway post
// that keeps the checkpoint, two defeats and the retries from that post,
// the dodges, the bell's question answered wrong twice (a Murkling nips
// her; the second time Ode calls the answer from the reeds) and then right, the lantern that answers, the closing narration, and the third
// chapter opened in the saved game.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/Playthrough.h"

namespace {


TEST(Playthrough, Chapter2) {
  e2e::Playthrough play("chapter2");
  play.openChapters(2);
  // The chapter's own part of the script: tests/e2e/scripts/chapter2.txt.
  const e2e::ProgramResult run = play.run(e2e::menusToChapter(2, true) + e2e::chapterScript(2), 2100);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  EXPECT_TRUE(e2e::inOrder(run.output, {
                                           "GameState 6 -> 4",
                                           // The opening line is queued while the room loads.
                                           "line 1",
                                           "GameState 4 -> 14",
                                           "line 2",
                                           "line 3",
                                           // Ode in the reeds: three rings, and his wager.
                                           "line 12",
                                           "line 14",
                                           "line 16",
                                           // His pouch: the stones are taken before the post.
                                           "line 17",
                                           "line 18",
                                           "cutscene 0 starts",
                                           "item 3: 3 held",
                                           "line 19",
                                           "line 5",
                                           // Caught twice: each retry starts at the post.
                                           "the room is restored from its snapshot",
                                           "the room is restored from its snapshot",
                                           "line 7",
                                           // The rope is gone: how many rings?
                                           "cutscene 1 starts",
                                           "line 20",
                                           "line 21",
                                           "answer 1 (wrong)",
                                           "cutscene 2 starts",
                                           "line 25",
                                           "line 21",
                                           // Wrong again: Ode calls the answer from the reeds.
                                           "answer 0 (wrong)",
                                           "cutscene 6 starts",
                                           "line 25",
                                           "line 27",
                                           "line 21",
                                           "answer 2 (right)",
                                           "cutscene 3 starts",
                                           "line 8",
                                           "line 9",
                                           "line 26",
                                           "cutscene 3 ends",
                                           "cutscene 4 starts",  // the closing narration
                                           "cutscene 5 starts",  // the chapter's end
                                           "chapter 2 done; 3 open",
                                           "GameState 14 -> 4",
                                           "GameState 4 -> 15",
                                           // The results lead on into the third chapter.
                                           "chapter 3 is chosen",
                                           // Ode's pouch goes on with Wren (items 1..3 are kept).
                                           "item 3: 3 held",
                                       }));
  // The checkpoint is taken once the post's line has been said: the retries
  // do not say it again, and nothing but the bell ends the run.
  const std::vector<std::string> seen = e2e::milestones(run.output);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "line 5"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "the room is restored from its snapshot"), 2);
  // Ode's pouch is taken once, before the checkpoint, so the retry keeps it
  // and does not give it again; only the right count rings for the ferry.
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "item 3: 3 held"), 2) << "given once, then kept into chapter 3";
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "line 8"), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "line 21"), 3);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "line 27"), 1);

  // The saved game now offers the third chapter.
  EXPECT_EQ(play.savedChaptersOpen(), 3);

  e2e::expectMatchesGolden(play.shot("opening"), "chapter2_opening.png");
  e2e::expectMatchesGolden(play.shot("voice"), "chapter2_voice.png");
  e2e::expectMatchesGolden(play.shot("pouch"), "chapter2_pouch.png");
  e2e::expectMatchesGolden(play.shot("halfway"), "chapter2_halfway.png");
  e2e::expectMatchesGolden(play.shot("caught"), "chapter2_caught.png");
  e2e::expectMatchesGolden(play.shot("question"), "chapter2_question.png");
  e2e::expectMatchesGolden(play.shot("nip"), "chapter2_nip.png");
  e2e::expectMatchesGolden(play.shot("reminder"), "chapter2_reminder.png");
  e2e::expectMatchesGolden(play.shot("bell"), "chapter2_bell.png");
}

}  // namespace
