#pragma once
// Screens painted over the game's own content: the start-up loads (the
// interface sprites, fonts, texts, the common sprites) from the built data.bar into a fresh runtime,
// and the screen's pixels written as a PNG to hold against a golden image.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/look/screen_png.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"

class LookFixture : public RuntimeFixture {
 protected:
  explicit LookFixture(const char* folder)
      : RuntimeFixture(48u << 20, 32u << 20, &shellTestInitialisers()), m_folders(folder) {}

  void SetUp() override {
    namespace fs = std::filesystem;
    wince::useFakeClock(100000, true);
    application().close();
    fs::copy_file(QUENDRILL_DATA_BAR, m_folders.installed / "data.bar", fs::copy_options::overwrite_existing);
    ASSERT_TRUE(application().init(&shellTestInitialisers(), 48u << 20, 32u << 20,
                                   Application::LiteralPool::fromArchive));
    cGameLoopStatics& frame = shellStatics().cGameLoop;
    frame.sprites = newObjectArray(52);
    shellStatics().cGameStates.twoEntryTable = newObjectArray(2);
    frame.frameTime = 62;
    // The splash's enter loads the interface and HUD sprites and starts the
    // first profile.
    cGame::stateSplash(StateMessage::enter);
    finishRun();
    runProfile(LoadProfile::startUp);
  }
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
    wince::useRealClock();
  }

  static void runProfile(int32_t profile) {
    shellStatics().cGameLoad.loadProfile = profile;
    cGame::startLoading();
    finishRun();
  }
  static void finishRun() {
    cGameLoadStatics& run = shellStatics().cGameLoad;
    for (int32_t step = 0; step < 100 && !run.loadingDone; ++step) cGame::loadStep();
  }

  // An 800 x 480 screen the game paints into.
  static javax_microedition_lcdui_Image* newScreen() {
    javax_microedition_lcdui_Image* screen = javax_microedition_lcdui_Image::createImage(800, 480);
    javax_microedition_lcdui_Graphics* g = screen->getGraphics();
    shellStatics().cGameLoop.graphics = g;
    // The animation players draw through the toolkit's Graphics, as the
    // frame loop sets it.
    toolkitStatics().cGameDraw.graphics = g;
    toolkitStatics().cGameDraw.screenGraphics = g;
    toolkitStatics().cGameDraw.screenWidth = 800;
    toolkitStatics().cGameDraw.screenHeight = 480;
    return screen;
  }

  // The screen held against the golden image of that name.
  void expectLooksLike(javax_microedition_lcdui_Image* screen, const std::string& golden) {
    expectScreenMatchesGolden(screen, m_folders.root, golden);
  }

  testsupport::MappedFileSystem m_folders;
};
