// One scripted run of the built game through every screen outside the world:
// the title's sound question, the main menu, options and the sound menu
// (sound off, saved), a new game loading chapter 0, focus lost and regained
// suspending into the in-game menu, back to the main menu through its
// question, and the exit question ending the program with status 0. Golden
// frames pin how each screen looks.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/StateLog.h"

namespace {

namespace fs = std::filesystem;

// Frames of the fixed clock (62 ms each) at which the screens are ready for
// the next tap; the positions are the rows and buttons as painted.
constexpr const char* script =
    "# the sound question: yes\n"
    "200 tap 400 255\n"
    "# the title: touch to start\n"
    "270 tap 400 240\n"
    "# main menu: options, then sound, then off\n"
    "340 tap 400 275\n"
    "400 tap 400 205\n"
    "460 tap 400 275\n"
    "# back twice, to the main menu, which remembers options\n"
    "520 tap 745 436\n"
    "580 tap 745 436\n"
    "# up twice to a new game\n"
    "640 tap 400 70\n"
    "650 tap 400 70\n"
    "670 tap 400 135\n"
    "# in the chapter: the program loses and regains the focus\n"
    "770 focus lost\n"
    "775 focus gained\n"
    "# in-game menu: main menu, yes\n"
    "830 tap 400 275\n"
    "880 tap 400 272\n"
    "# main menu: down five rows to exit, exit, yes\n"
    "980 tap 400 410\n"
    "990 tap 400 410\n"
    "1000 tap 400 410\n"
    "1010 tap 400 410\n"
    "1020 tap 400 410\n"
    "1040 tap 400 345\n"
    "1090 tap 400 255\n";

const struct {
  int frame;
  const char* golden;
} goldens[] = {{259, "title.png"},       {339, "main_menu.png"},   {399, "options.png"},
               {459, "sound_menu.png"},  {692, "loading_bar.png"}, {829, "in_game_menu.png"},
               {849, "box_half_open.png"}, {869, "pause_question.png"}, {1089, "exit_question.png"}};

std::vector<std::pair<int, int>> stateChanges(const std::string& log) {
  std::vector<std::pair<int, int>> changes;
  for (const e2e::StateChange& change : e2e::stateChanges(log)) changes.emplace_back(change.from, change.to);
  return changes;
}

TEST(MenuRun, EveryScreenOutsideTheWorldFromBootToExit) {
  std::string pattern = (fs::temp_directory_path() / "menu-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << script;
  std::vector<std::string> words = {QUENDRILL_EXECUTABLE, "--installed",
                                    fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
                                    (root / "data").string(), "--headless", "--clock", "0", "--input",
                                    (root / "script.txt").string()};
  for (const auto& shot : goldens) {
    words.push_back("--screenshot");
    words.push_back(std::to_string(shot.frame) + ":" + (root / shot.golden).string());
  }
  // No --frames: the exit question's yes ends the program by itself.
  const e2e::ProgramResult run = e2e::runProgram(words, {}, 120000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;

  const std::vector<std::pair<int, int>> expected = {{1, 2},  {2, 4}, {4, 3}, {3, 5},   {5, 7},  {7, 9},  {9, 7},
                                                     {7, 5},  {5, 4}, {4, 14}, {14, 10}, {10, 4}, {4, 5}};
  EXPECT_EQ(stateChanges(run.output), expected) << run.output;
  EXPECT_NE(run.output.find("cGame: game thread ends"), std::string::npos) << run.output;

  // Sound off was saved: byte 2 of the settings record.
  std::ifstream record(root / "data" / "rms_quendrill.db.rec1.db", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(record)), {});
  ASSERT_GE(bytes.size(), 3u) << "no settings record";
  EXPECT_EQ(bytes[2], 0);

  for (const auto& shot : goldens) {
    SCOPED_TRACE(shot.golden);
    e2e::expectMatchesGolden(root / shot.golden, shot.golden);
  }
  fs::remove_all(root);
}

TEST(MenuRun, HelpFromTheMainMenuLoadsItsPicturesAndShowsTheFirstPage) {
  std::string pattern = (fs::temp_directory_path() / "menu-help-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  std::ofstream(root / "script.txt") << "200 tap 400 255\n270 tap 400 240\n# help, the fourth row\n340 tap 400 345\n";
  const fs::path shot = root / "help_page.png";
  const e2e::ProgramResult run = e2e::runProgram(
      {QUENDRILL_EXECUTABLE, "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
       (root / "data").string(), "--headless", "--clock", "0", "--frames", "420", "--input",
       (root / "script.txt").string(), "--screenshot", "419:" + shot.string()});
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  const std::vector<std::pair<int, int>> changes = stateChanges(run.output);
  ASSERT_FALSE(changes.empty()) << run.output;
  EXPECT_EQ(changes.back(), std::make_pair(4, 23)) << run.output;
  e2e::expectMatchesGolden(shot, "help_page.png");
  fs::remove_all(root);
}

}  // namespace
