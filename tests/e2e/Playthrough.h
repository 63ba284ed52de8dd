#pragma once
// A chapter played headless from a fresh data folder: the real program, a
// fixed clock, an input script, screenshots by name; then the game's own log
// lines ("cGame: ...") read back as the milestones the run must pass in
// order.
//
//   e2e::Playthrough play("chapter3");
//   play.openChapters(3);                        // a saved game offering 1..3
//   const std::string script = e2e::menusToChapter(3, true) +
//       "40 tap 620 390\n"                       // frames from the room's first
//       "90 screenshot @SHOTS@/door.png\n";
//   const e2e::ProgramResult run = play.run(script, 4000);
//   EXPECT_TRUE(e2e::inOrder(run.output, {"cutscene 1 starts", "door 7 opens", "GameState 14 -> 15"}));
//   e2e::expectMatchesGolden(play.shot("door"), "chapter3_door.png");
//
// A script's "wait state N" lines make it count frames from the moment the
// game reaches a state, so that a chapter's part of a script plays the same
// whatever the loading before it took (and parts can be joined into one run
// of the whole game).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"

namespace e2e {

// What a player who played every chapter before brings into chapter (from
// 1): items 1..3 (oil, bread, sling stones) of partner 0 (Bram), then of
// partner 1 (Wren). The whole game's run holds this table to what it
// carries, so that each chapter's own test starts as a player would.
inline std::array<int, 6> suppliesInto(int chapter) {
  // Chapter 2's pouch of sling stones stays with Wren until chapter 4.
  if (chapter == 3 || chapter == 4) return {0, 0, 0, 0, 0, 3};
  return {};
}

class Playthrough {
 public:
  explicit Playthrough(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) != nullptr) {
      root_ = pattern;
    } else {
      ADD_FAILURE() << "no temporary folder for " << name;
    }
  }
  ~Playthrough() {
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }
  Playthrough(const Playthrough&) = delete;
  Playthrough& operator=(const Playthrough&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path data() const { return root_ / "data"; }

  // A saved game as the game writes it once chapters 1..open were reached:
  // the settings record (language 0, sound off, no results yet) with the
  // chapters open and the supplies a player brings into the last of them.
  void openChapters(int open) {
    std::filesystem::create_directories(data());
    std::string record(recordBytes, '\0');
    record[0] = char(recordVersion);
    record[7] = char(open);
    const std::array<int, 6> supplies = suppliesInto(open);
    for (size_t i = 0; i < supplies.size(); ++i)
      for (size_t b = 0; b < 4; ++b) record[suppliesAt + 4 * i + b] = char(uint32_t(supplies[i]) >> (8 * b));
    std::ofstream(data() / "rms_quendrill.db.rec1.db", std::ios::binary) << record;
  }

  // Runs the program for frames frames with the script; shots maps a frame
  // to a name whose PNG shot(name) then finds, as does a script line
  // "<frame> screenshot @SHOTS@/<name>.png".
  ProgramResult run(std::string script, int frames, const std::map<int, std::string>& shots = {},
                    const std::vector<std::string>& extra = {}) {
    const std::string marker = "@SHOTS@";
    for (size_t at = script.find(marker); at != std::string::npos; at = script.find(marker, at))
      script.replace(at, marker.size(), root_.string());
    std::ofstream(root_ / "script.txt") << script;
    std::vector<std::string> arguments = {QUENDRILL_EXECUTABLE,
                                          "--installed",
                                          std::filesystem::path(QUENDRILL_DATA_BAR).parent_path().string(),
                                          "--data",
                                          data().string(),
                                          "--headless",
                                          "--clock",
                                          "0",
                                          "--frames",
                                          std::to_string(frames),
                                          "--input",
                                          (root_ / "script.txt").string()};
    for (const auto& [frame, name] : shots) {
      arguments.push_back("--screenshot");
      arguments.push_back(std::to_string(frame) + ":" + shot(name).string());
    }
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return runProgram(arguments, {}, 300000);
  }

  std::filesystem::path shot(const std::string& name) const { return root_ / (name + ".png"); }

  // The chapters the saved game now has open; -1 without a settings record.
  int savedChaptersOpen() const {
    std::ifstream in(data() / "rms_quendrill.db.rec1.db", std::ios::binary);
    const std::string record((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return record.size() > 7 ? int(record[7]) : -1;
  }

 private:
  // The settings record's layout, as the game writes it.
  static constexpr int recordBytes = 35;
  static constexpr int recordVersion = 6;
  static constexpr size_t suppliesAt = 11;  // six little-endian ints
  std::filesystem::path root_;
};

// The menus from the program's start to chapter's room (chapters count from
// 1): the sound question, the title, then a new game for chapter 1 without a
// saved game, else the chapter list (chaptersOpen rows, the chapter's own
// number when not given): its row touched where all rows fit, else its down
// arrow to the chapter and the left softkey. Then the script waits until the
// room is played (GameState 14) and the lines after it count from there.
inline std::string menusToChapter(int chapter, bool savedGame, int chaptersOpen = 0) {
  std::string script = "200 tap 400 255\n270 tap 400 240\n";
  if (!savedGame) return script + "340 tap 400 135\n341 wait state 14\n";
  script += "340 tap 400 135\n";  // the chapter list
  const int rows = chaptersOpen > 0 ? chaptersOpen : chapter;
  if (rows <= 4) {
    // Up to four rows stand centred on the screen, 70 px apart.
    const int y = 240 + 70 * (chapter - 1) - 35 * (rows - 1);
    return script + "420 tap 400 " + std::to_string(y) + "\n421 wait state 14\n";
  }
  int frame = 420;
  for (int k = 1; k < chapter; ++k, frame += 8) script += std::to_string(frame) + " tap 400 410\n";
  script += std::to_string(frame) + " key down F1\n" + std::to_string(frame + 1) + " key up F1\n";
  return script + std::to_string(frame + 2) + " wait state 14\n";
}

// A chapter's own part of the input script, tests/e2e/scripts/chapter<k>.txt:
// from the room's first played frame (after the menus' "wait state 14")
// through the results screen, up to the touch that goes on to the next
// chapter. The chapter's test and the whole game's run both play it.
inline std::string chapterScript(int chapter) {
  const std::filesystem::path path = std::filesystem::path(QUENDRILL_E2E_GOLDEN_DIR).parent_path() / "scripts" /
                                     ("chapter" + std::to_string(chapter) + ".txt");
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  if (!in.good() && !in.eof()) ADD_FAILURE() << path << " cannot be read";
  if (text.empty()) ADD_FAILURE() << path << " is empty or missing";
  if (!text.empty() && text.back() != '\n') text += '\n';
  return text;
}

// The script's lines before the comment line that starts with marker (all
// of it when none does): a chapter's way to a moment that another test then
// plays differently.
inline std::string scriptUntil(const std::string& script, const std::string& marker) {
  for (size_t at = 0; at < script.size();) {
    if (script.compare(at, marker.size(), marker) == 0) return script.substr(0, at);
    const size_t next = script.find('\n', at);
    if (next == std::string::npos) break;
    at = next + 1;
  }
  return script;
}

// The game's log lines that start "cGame: ", without that prefix, up to the
// end of the scripted frames.
inline std::vector<std::string> milestones(const std::string& log) {
  const std::string prefix = "cGame: ";
  const size_t end = log.find("Harness: the script ends at frame ");
  std::vector<std::string> out;
  for (size_t at = log.find(prefix); at != std::string::npos && at < end; at = log.find(prefix, at + 1)) {
    if (at > 0 && log[at - 1] != '\n') continue;
    const size_t stop = log.find('\n', at);
    out.push_back(log.substr(at + prefix.size(), stop == std::string::npos ? std::string::npos : stop - at - prefix.size()));
  }
  return out;
}

// Each expected milestone is the start of a log line, found after the one
// before it.
inline ::testing::AssertionResult inOrder(const std::string& log, const std::vector<std::string>& expected) {
  const std::vector<std::string> seen = milestones(log);
  size_t next = 0;
  for (const std::string& want : expected) {
    while (next < seen.size() && seen[next].rfind(want, 0) != 0) ++next;
    if (next == seen.size()) {
      std::string all;
      for (const std::string& line : seen) all += "  " + line + "\n";
      return ::testing::AssertionFailure() << "milestone \"" << want << "\" never came (in order); the game said:\n"
                                           << all;
    }
    ++next;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace e2e
