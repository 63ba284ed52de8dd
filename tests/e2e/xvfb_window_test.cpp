// The real window: the SDL back end under a virtual X server, full screen on
// a screen twice the game's size, showing the splash, with a click
// of the host's mouse that reaches the canvas at the game's coordinates.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/GoldenImage.h"
#include "tests/e2e/ProgramProcess.h"

namespace {

namespace fs = std::filesystem;

bool xvfbRunAvailable() { return access("/usr/bin/xvfb-run", X_OK) == 0; }

TEST(XvfbRun, TheWindowShowsTheSplashAndAClickReachesTheCanvasScaled) {
  if (!xvfbRunAvailable()) GTEST_SKIP() << "xvfb-run is not installed";
  std::string pattern = (fs::temp_directory_path() / "xvfb-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  const fs::path script = root / "click.txt";
  const fs::path shot = root / "window.png";
  // The window fills a 1600x960 screen: its middle is the game's (400, 240).
  std::ofstream(script) << "3 mouse down 800 480\n4 mouse up 801 481\n";
  // SDL's session-bus helper keeps a buffer the sanitizer build counts as a
  // leak; it is the system library's, not the program's.
  const fs::path suppressions = root / "lsan.supp";
  std::ofstream(suppressions) << "leak:libdbus-1.so\n";
  const char* leakOptions = std::getenv("LSAN_OPTIONS");
  const std::string withSuppressions =
      (leakOptions != nullptr && *leakOptions != '\0' ? std::string(leakOptions) + ":" : std::string()) +
      "suppressions=" + suppressions.string();

  const e2e::ProgramResult run = e2e::runProgram(
      {"/usr/bin/timeout", "60", "/usr/bin/xvfb-run", "-a", "-s", "-screen 0 1600x960x24", QUENDRILL_EXECUTABLE,
       "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data", (root / "data").string(),
       "--frames", "10", "--clock", "0", "--input", script.string(), "--screenshot", "8:" + shot.string()},
      {{"QUENDRILL_FULLSCREEN", "1"}, {"QUENDRILL_HEADLESS", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt},
       {"SDL_AUDIODRIVER", "dummy"}, {"LSAN_OPTIONS", withSuppressions}},
      90000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_EQ(run.output.find("running headless"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("cGame: pen pressed at 400,240"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("cGame: pen released at 400,240"), std::string::npos) << run.output;
  EXPECT_EQ(e2e::countOf(run.output, "CorvaQNDR::destroyApp(true)"), 1) << run.output;
  if (fs::exists(shot)) {
    e2e::expectMatchesGolden(shot, "splash.png");
  } else {
    ADD_FAILURE() << "no screenshot written\n" << run.output;
  }
  fs::remove_all(root);
}

// Full screen on a display of another shape than the picture's (4:3): the
// picture keeps its shape, scaled to the display's width and centred with
// bars above and below; a click in a bar is no touch, one in the picture's
// middle reaches the canvas's middle.
TEST(XvfbRun, FullScreenOnAFourByThreeDisplayKeepsThePicturesShapeCentred) {
  if (!xvfbRunAvailable()) GTEST_SKIP() << "xvfb-run is not installed";
  std::string pattern = (fs::temp_directory_path() / "xvfb-run-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path root = pattern;
  const fs::path script = root / "clicks.txt";
  // 1024x768: the picture is 1024x614 from y 77; (512, 385) is its (400, 240).
  std::ofstream(script) << "3 mouse down 512 30\n4 mouse up 512 30\n5 mouse down 512 385\n6 mouse up 512 385\n";
  const fs::path suppressions = root / "lsan.supp";
  std::ofstream(suppressions) << "leak:libdbus-1.so\n";
  const char* leakOptions = std::getenv("LSAN_OPTIONS");
  const std::string withSuppressions =
      (leakOptions != nullptr && *leakOptions != '\0' ? std::string(leakOptions) + ":" : std::string()) +
      "suppressions=" + suppressions.string();

  const e2e::ProgramResult run = e2e::runProgram(
      {"/usr/bin/timeout", "60", "/usr/bin/xvfb-run", "-a", "-s", "-screen 0 1024x768x24", QUENDRILL_EXECUTABLE,
       "--installed", fs::path(QUENDRILL_DATA_BAR).parent_path().string(), "--data", (root / "data").string(),
       "--frames", "10", "--clock", "0", "--input", script.string()},
      {{"QUENDRILL_FULLSCREEN", "1"}, {"QUENDRILL_HEADLESS", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt},
       {"SDL_AUDIODRIVER", "dummy"}, {"LSAN_OPTIONS", withSuppressions}},
      90000);
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_NE(run.output.find("SDL: full screen 1024x768, the picture scaled to 1024x614 at 0,77"), std::string::npos)
      << run.output;
  EXPECT_EQ(e2e::countOf(run.output, "cGame: pen pressed at"), 1) << "the click in the bar is no touch\n" << run.output;
  EXPECT_NE(run.output.find("cGame: pen pressed at 400,240"), std::string::npos) << run.output;
  fs::remove_all(root);
}

}  // namespace
