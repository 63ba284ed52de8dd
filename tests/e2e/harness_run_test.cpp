// Whole runs of the real executable through its harness options: a headless
// run closed after its frames, a display that cannot open, a second copy, a
// screenshot against its golden image, and scripted input reaching the game's canvas.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"

namespace {

namespace fs = std::filesystem;

// The frame of the harness's first log line that says what, or -1.
int frameOfLine(const std::string& log, const std::string& what) {
  const size_t at = log.find(what);
  if (at == std::string::npos) return -1;
  const size_t line = log.rfind('\n', at);
  int frame = -1;
  return std::sscanf(log.c_str() + (line == std::string::npos ? 0 : line + 1), "Harness: frame %d", &frame) == 1
             ? frame
             : -1;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class HarnessRun : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "harness-run-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
  }
  void TearDown() override { fs::remove_all(m_root); }

  // The executable against the built archive and a fresh data folder.
  std::vector<std::string> command(const std::vector<std::string>& options) const {
    std::vector<std::string> words = {QUENDRILL_EXECUTABLE, "--installed",
                                      fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data",
                                      (m_root / "data").string()};
    words.insert(words.end(), options.begin(), options.end());
    return words;
  }

  fs::path writeScript(const std::string& text) const {
    const fs::path path = m_root / "input.txt";
    std::ofstream(path) << text;
    return path;
  }

  fs::path m_root;
};

TEST_F(HarnessRun, AHeadlessRunEndsOnItsCloseAfterOneDestroyApp) {
  const e2e::ProgramResult run = e2e::runProgram(command({"--headless", "--frames", "30", "--clock", "1000"}));
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  const std::string& log = run.output;
  EXPECT_EQ(e2e::countOf(log, "Application::startApp"), 1) << log;
  EXPECT_EQ(e2e::countOf(log, "Application::close"), 1) << log;
  EXPECT_EQ(e2e::countOf(log, "Application::destoryMIDlet"), 1) << log;
  EXPECT_EQ(e2e::countOf(log, "destroyApp("), 1) << log;
  EXPECT_EQ(e2e::countOf(log, "CorvaQNDR::destroyApp(true)"), 1) << log;
  EXPECT_EQ(log.find("m_midlet is already NULL."), std::string::npos) << log;
  // One game thread; the close parks it for good before the MIDlet is
  // destroyed, so it never ends a pass over freed objects.
  const size_t started = log.find("Application::startApp");
  const size_t running = log.find("cGame: game thread runs");
  const size_t closing = log.find("Application::close");
  const size_t destroyed = log.find("CorvaQNDR::destroyApp(true)");
  EXPECT_EQ(e2e::countOf(log, "cGame: game thread runs"), 1) << log;
  EXPECT_LT(started, running);
  EXPECT_LT(running, closing);
  EXPECT_LT(closing, destroyed);
  EXPECT_EQ(log.find("cGame: game thread ends"), std::string::npos) << log;
}

// The game thread moves one frame per harness frame, so the same frames show
// the same pixels: the splash's switch to its second logo and the loading
// bar after it land on the same frames every time.
TEST_F(HarnessRun, ARunRepeatsExactlyOnTheFixedClock) {
  auto options = [&](const std::string& name) {
    return std::vector<std::string>{"--headless", "--frames", "150", "--clock", "5000", "--screenshot",
                                    "70:" + (m_root / (name + "-70.png")).string(), "--screenshot",
                                    "140:" + (m_root / (name + "-140.png")).string()};
  };
  const e2e::ProgramResult first = e2e::runProgram(command(options("first")));
  const e2e::ProgramResult second = e2e::runProgram(command(options("second")));
  ASSERT_EQ(first.exitStatus, 0) << first.output;
  ASSERT_EQ(second.exitStatus, 0) << second.output;
  EXPECT_NE(first.output.find("Quendrill runtime: tick 5000"), std::string::npos) << first.output;
  for (const char* frame : {"-70.png", "-140.png"}) {
    EXPECT_EQ(readFile(m_root / (std::string("first") + frame)),
              readFile(m_root / (std::string("second") + frame)))
        << frame;
  }
}

TEST_F(HarnessRun, ADisplayThatCannotOpenEndsTheRunWithMinusOne) {
  // The host has no DirectDraw: opening that display type fails as on a
  // device without ddraw.dll.
  const e2e::ProgramResult run = e2e::runProgram(command({"--headless", "--display", "DDRAW", "--frames", "5"}));
  EXPECT_EQ(run.exitStatus, 255) << run.output;
  EXPECT_NE(run.output.find("openDisplay(DDRAW): Could not create a DDRAW display type."), std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("new MemoryManagers"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("destroyApp"), std::string::npos) << run.output;
}

TEST_F(HarnessRun, ASecondCopyLeavesTheFirstAloneAndEndsWithZero) {
  const e2e::EnvironmentChanges shared = {{"QUENDRILL_INSTANCE_NAMESPACE", e2e::freshInstanceNamespace()}};
  // The first runs until it is told to stop.
  e2e::ProgramProcess first(command({"--headless"}), shared);
  ASSERT_TRUE(first.started());
  ASSERT_TRUE(first.waitForOutput("Application::startApp", 30000)) << first.output();

  const e2e::ProgramResult second = e2e::runProgram(command({"--headless", "--frames", "5"}), shared);
  EXPECT_EQ(second.exitStatus, 0) << second.output;
  EXPECT_EQ(second.output.find("new MemoryManagers"), std::string::npos) << second.output;
  EXPECT_EQ(second.output.find("InitInstance"), std::string::npos) << second.output;

  // A wrapper and the terminal may both pass on one request to stop.
  first.sendSignal(SIGTERM);
  first.sendSignal(SIGINT);
  const e2e::ProgramResult firstRun = first.finish(30000);
  EXPECT_EQ(firstRun.exitStatus, 0) << firstRun.output;
  EXPECT_EQ(e2e::countOf(firstRun.output, "CorvaQNDR::destroyApp(true)"), 1) << firstRun.output;
}

TEST_F(HarnessRun, TheSplashMatchesItsGoldenImage) {
  const fs::path shot = m_root / "splash.png";
  const e2e::ProgramResult run =
      e2e::runProgram(command({"--headless", "--frames", "10", "--clock", "0", "--screenshot", "8:" + shot.string()}));
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_NE(run.output.find("Harness: frame 8 written to"), std::string::npos) << run.output;
  e2e::expectMatchesGolden(shot, "splash.png");
}

TEST_F(HarnessRun, ScriptedPenInputReachesTheCanvas) {
  const fs::path script = writeScript(
      "# a tap, then a press dragged and let go elsewhere\n"
      "2 tap 400 240\n"
      "4 pen down 10 20\n"
      "5 pen move 30 40\n"
      "6 pen up 799 479\n");
  const e2e::ProgramResult run =
      e2e::runProgram(command({"--headless", "--frames", "8", "--clock", "0", "--input", script.string()}));
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  const std::string& log = run.output;
  const size_t tapPressed = log.find("cGame: pen pressed at 400,240");
  const size_t tapReleased = log.find("cGame: pen released at 400,240");
  const size_t pressed = log.find("cGame: pen pressed at 10,20");
  const size_t released = log.find("cGame: pen released at 799,479");
  ASSERT_NE(tapPressed, std::string::npos) << log;
  ASSERT_NE(released, std::string::npos) << log;
  EXPECT_LT(tapPressed, tapReleased);
  EXPECT_LT(tapReleased, pressed);
  EXPECT_LT(pressed, released);
  // All of it before the close.
  EXPECT_LT(released, log.find("Application::close"));
}

TEST_F(HarnessRun, AScriptWaitsForAGameStateThenCountsItsFramesFromThere) {
  // A new game: the room's loading takes what it takes, and the lines after
  // the wait are played that many frames after the room is on screen.
  const fs::path shot = m_root / "in-room.png";
  const fs::path script = writeScript("200 tap 400 255\n270 tap 400 240\n340 tap 400 135\n341 wait state 14\n"
                                      "0 where\n5 screenshot " + shot.string() + "\n6 close\n");
  const e2e::ProgramResult run = e2e::runProgram(
      command({"--headless", "--frames", "2000", "--clock", "0", "--input", script.string()}));
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  const int seen = frameOfLine(run.output, "GameState 14, the script goes on");
  EXPECT_GT(seen, 341) << run.output;
  EXPECT_EQ(frameOfLine(run.output, "the focus character stands at"), seen) << run.output;
  EXPECT_EQ(frameOfLine(run.output, "written to"), seen + 5) << run.output;
  EXPECT_EQ(frameOfLine(run.output, ": close"), seen + 6) << run.output;
  EXPECT_TRUE(fs::exists(shot));
}

TEST_F(HarnessRun, AScriptedCloseEndsTheRunBeforeItsFrames) {
  const fs::path script = writeScript("3 close\n");
  const fs::path late = m_root / "late.png";
  const e2e::ProgramResult run = e2e::runProgram(command(
      {"--headless", "--frames", "500", "--clock", "0", "--input", script.string(), "--screenshot",
       "400:" + late.string()}));
  // The program ended well; the harness says what it could not do.
  EXPECT_EQ(run.exitStatus, 3) << run.output;
  EXPECT_EQ(e2e::countOf(run.output, "CorvaQNDR::destroyApp(true)"), 1) << run.output;
  EXPECT_NE(run.output.find("no screenshot of frame 400"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(late));
}

TEST_F(HarnessRun, AWrongScriptLineStopsBeforeTheProgramStarts) {
  const fs::path script = writeScript("1 tap 1 2\n2 pen sideways 3 4\n");
  const e2e::ProgramResult run = e2e::runProgram(command({"--headless", "--input", script.string()}));
  EXPECT_EQ(run.exitStatus, 2) << run.output;
  EXPECT_NE(run.output.find(script.string() + ":2: "), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("InitInstance"), std::string::npos) << run.output;
}

TEST_F(HarnessRun, AScriptThatIsNoRegularFileFailsAsAMissingOne) {
  const fs::path fifo = m_root / "fifo.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& script : {m_root / "missing.txt", fifo}) {
    const e2e::ProgramResult run = e2e::runProgram(command({"--headless", "--input", script.string()}), {}, 20000);
    EXPECT_EQ(run.exitStatus, 2) << run.output;
    EXPECT_NE(run.output.find(script.string() + ":0: cannot be read"), std::string::npos) << run.output;
  }
}

TEST_F(HarnessRun, AScreenshotPathThatIsALinkIsNeitherFollowedNorReplaced) {
  const fs::path target = m_root / "target.txt";
  std::ofstream(target) << "kept";
  const fs::path link = m_root / "link.png";
  fs::create_symlink(target, link);
  const e2e::ProgramResult run =
      e2e::runProgram(command({"--headless", "--frames", "4", "--clock", "0", "--screenshot", "2:" + link.string()}));
  EXPECT_EQ(run.exitStatus, 3) << run.output;
  EXPECT_NE(run.output.find(link.string() + ": not a regular file"), std::string::npos) << run.output;
  EXPECT_TRUE(fs::is_symlink(link));
  std::ifstream in(target);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "kept");
}

TEST_F(HarnessRun, AReaderThatStopsReadingDoesNotEndTheRun) {
  // As `quendrill ... | head -c 10`: standard output closes after 10 bytes.
  const fs::path shot = m_root / "after-the-pipe.png";
  const e2e::ProgramResult run = e2e::runProgram(
      command({"--headless", "--frames", "10", "--clock", "0", "--screenshot", "8:" + shot.string()}), {}, 60000,
      {.separateErrors = true, .outputLimit = 10});
  EXPECT_EQ(run.exitStatus, 0) << run.output << run.errors;
  EXPECT_EQ(run.output.size(), 10u);
  EXPECT_TRUE(fs::exists(shot));
}

TEST_F(HarnessRun, HelpNamesEveryHarnessOption) {
  const e2e::ProgramResult run = e2e::runProgram({QUENDRILL_EXECUTABLE, "--help"});
  EXPECT_EQ(run.exitStatus, 0);
  for (const char* option : {"--headless", "--frames", "--input", "--screenshot", "--installed", "--data", "--clock"}) {
    EXPECT_NE(run.output.find(option), std::string::npos) << option;
  }
}

}  // namespace
