#include "tests/game/world/world_kit.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "game/GameClassInitialisers.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/cGameToolkit.h"
#include "platform/java_util/java_util_Random.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/archive_test_support.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "wince/clock.h"

namespace {

// data.bar holding only the content's literal pool, made once per run.
const std::vector<uint8_t>& literalArchive() {
  static const std::vector<uint8_t> archive = [] {
    const std::string path = std::string(QUENDRILL_CONTENT_DIR) + "/literals.txt";
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << file.rdbuf();
    const std::vector<uint8_t> pool = tools::writeLiteralPool(tools::parseLiteralTable(text.str(), path).texts);
    return archivetest::archiveOf({{"constants.bin", std::string(pool.begin(), pool.end())}});
  }();
  return archive;
}

}  // namespace

std::filesystem::path WorldKitFixture::folderBase() {
  // Nothing is synced here, but a memory file system costs nothing either.
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                           : std::filesystem::temp_directory_path();
}

void WorldKitFixture::SetUp() {
  wince::useFakeClock(clockStart, true);
  const std::vector<uint8_t>& archive = literalArchive();
  std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
      .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
  ASSERT_TRUE(application().init(&gameClassInitialisers(), objectHeapBytes, nativePoolBytes, Application::LiteralPool::fromArchive));

  m_screen = javax_microedition_lcdui_Image::createImage(screenWidth, screenHeight);
  ASSERT_NE(m_screen, nullptr);
  m_screenGraphics = m_screen->getGraphics();
  cGameLoopStatics& loop = shellStatics().cGameLoop;
  loop.graphics = m_screenGraphics;
  cGameDrawStatics& drawing = toolkitStatics().cGameDraw;
  drawing.graphics = m_screenGraphics;
  drawing.screenGraphics = m_screenGraphics;
  drawing.screenWidth = loop.screenWidth;
  drawing.screenHeight = loop.screenHeight;
  cGameToolkit::initDrawEffects();

  if (loop.sprites == nullptr) loop.sprites = newObjectArray(52);
  seedRandom(randomSeed);
  loop.lastFrameTick = static_cast<int64_t>(clockStart);
  setTimeStep(framePeriod);
}

void WorldKitFixture::TearDown() {
  application().m_pending = nullptr;
  m_screen = nullptr;
  m_screenGraphics = nullptr;
  RuntimeFixture::TearDown();
  wince::useRealClock();
}

ASprite* WorldKitFixture::sprite(int slot) {
  ObjectArray* sprites = shellStatics().cGameLoop.sprites;
  if (sprites == nullptr || slot < 0 || slot >= sprites->length()) return nullptr;
  return static_cast<ASprite*>(sprites->get(slot));
}

java_util_Random* WorldKitFixture::random() { return shellStatics().cGameLoop.random; }

void WorldKitFixture::seedRandom(int64_t seed) {
  java_util_Random*& random = shellStatics().cGameLoop.random;
  if (random == nullptr) random = newObject<java_util_Random>(seed);
  else random->setSeed(seed);
}

uint64_t WorldKitFixture::now() { return GetTickCount64(); }

void WorldKitFixture::advanceClock(uint64_t ms) { wince::advanceFakeClock(ms); }

void WorldKitFixture::setTimeStep(int32_t ms) {
  cGameLoopStatics& loop = shellStatics().cGameLoop;
  loop.frameTime = ms;
  loop.timeStep = ms;
}

void WorldKitFixture::stepFrame(int32_t ms) {
  advanceClock(static_cast<uint64_t>(ms < 0 ? 0 : ms));
  cGameLoopStatics& loop = shellStatics().cGameLoop;
  setTimeStep(ms);
  loop.lastFrameTick = static_cast<int64_t>(now());
  loop.paintTick = loop.lastFrameTick;
  loop.playClock += ms;
  loop.frameCount += 1;
}

uint16_t WorldKitFixture::pixelAt(int32_t x, int32_t y) const { return m_screen->surface().row(y)[x]; }

void WorldKitFixture::fillScreen(uint16_t rgb565) {
  const raster::Surface surface = m_screen->surface();
  for (int32_t y = 0; y < surface.height; ++y)
    for (int32_t x = 0; x < surface.width; ++x) surface.row(y)[x] = rgb565;
}
