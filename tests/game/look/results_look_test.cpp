// How the results screen looks over the game's own content: the start-up
// loads (fonts, texts, the common sprites) from the built data.bar, results
// put in by hand, the screen run to where it waits, one frame painted and
// held against its golden image.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/e2e/GoldenImage.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"

namespace {

namespace fs = std::filesystem;

class ResultsLook : public RuntimeFixture {
 protected:
  ResultsLook() : RuntimeFixture(48u << 20, 32u << 20, &shellTestInitialisers()) {}

  void SetUp() override {
    wince::useFakeClock(100000, true);
    application().close();
    fs::copy_file(QUENDRILL_DATA_BAR, m_folders.installed / "data.bar", fs::copy_options::overwrite_existing);
    ASSERT_TRUE(application().init(&shellTestInitialisers(), 48u << 20, 32u << 20,
                                   Application::LiteralPool::fromArchive));
    cGameLoopStatics& frame = shellStatics().cGameLoop;
    frame.sprites = newObjectArray(52);
    shellStatics().cGameStates.twoEntryTable = newObjectArray(2);
    frame.frameTime = 62;
    for (int32_t profile : {LoadProfile::firstStart, LoadProfile::startUp}) runProfile(profile);
  }
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
    wince::useRealClock();
  }

  static void runProfile(int32_t profile) {
    cGameLoadStatics& run = shellStatics().cGameLoad;
    run.loadProfile = profile;
    cGame::startLoading();
    for (int32_t step = 0; step < 100 && !run.loadingDone; ++step) cGame::loadStep();
  }

  testsupport::MappedFileSystem m_folders{"results-look"};
};

// The screen's pixels as an RGB PNG at path.
void writeScreen(javax_microedition_lcdui_Image* screen, const fs::path& path) {
  IntArray* argb = newIntArray(800 * 480);
  screen->getRGB(argb, 0, 800, 0, 0, 800, 480);
  std::vector<uint8_t> rgb(800 * 480 * 3);
  for (int32_t i = 0; i < 800 * 480; ++i) {
    const uint32_t p = uint32_t(argb->get(i));
    rgb[size_t(i) * 3] = uint8_t(p >> 16);
    rgb[size_t(i) * 3 + 1] = uint8_t(p >> 8);
    rgb[size_t(i) * 3 + 2] = uint8_t(p);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 800;
  image.height = 480;
  image.format = PNG_FORMAT_RGB;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr));
}

TEST_F(ResultsLook, TheResultsOfAChapterWaitingForOk) {
  ASSERT_NE(shellStatics().cGameLoop.sprites->get(3), nullptr) << "the results sprite";
  IntArray* results = shellStatics().cGameShared.results;
  ASSERT_NE(results, nullptr);
  // Counts 3, 2, 1, 4; scores from them; the total; grade 3.
  const int32_t values[] = {100, 3, 30, 2, 200, 1, 150, 4, -800, 50, 0, 0, 3};
  for (int32_t i = 0; i < 13; ++i) results->set(i, values[i]);
  shellStatics().cGameProgress.chapter = 2;

  javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
  shellStatics().cGameLoop.graphics = screen->getGraphics();
  cGame::setNextState(GameState::results);
  for (int32_t update = 0; update < 200 && shellStatics().cGamePages.resultsPhase != 5; ++update) {
    cGame::updateState();
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
  }
  ASSERT_EQ(shellStatics().cGamePages.resultsPhase, 5);
  // A few more frames: the grade's picture holds the step it took.
  for (int32_t i = 0; i < 8; ++i) {
    cGame::updateState();
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
  }
  const fs::path shot = m_folders.root / "results.png";
  writeScreen(screen, shot);
  e2e::expectMatchesGolden(shot, "results.png");
}

}  // namespace
