// The game's own sounds: content/sounds.json compiled into data.bar, read by
// loadSounds from the installed archive, and played through both players.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/io/ResourceArchiveIndex.h"
#include "tests/game/toolkit/sound_bank_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/compiler/ContentCompiler.h"

namespace {

namespace fs = std::filesystem;
using namespace soundtest;

class SoundPackTest : public SoundBankFixture {
 protected:
  void install(const fs::path& content) {
    const std::vector<uint8_t> archive = tools::compileContent(content);
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    forgetResourceArchive();
    ASSERT_TRUE(loadStringLiteralPoolFromArchive());
    cGame::clinitGameData();
  }

  // Made before the runtime starts; the Ogg players' temporary files land in
  // its temp folder.
  testsupport::MappedFileSystem m_folders{"sound-pack"};
};

TEST_F(SoundPackTest, EverySoundOfTheCompiledPackPlaysThroughItsPlayer) {
  install(QUENDRILL_CONTENT_DIR);
  cGame::loadSounds();
  openGate();
  int wav = 0, ogg = 0;
  for (int32_t id = 0; id < sound::count; ++id) {
    SCOPED_TRACE("sound " + std::to_string(id));
    auto* type = static_cast<String*>(bank().contentType->get(id));
    if (sound::remapped(id) != id) {
      EXPECT_EQ(bank().data->get(id), nullptr) << "an empty entry";
      continue;
    }
    ASSERT_NE(type, nullptr);
    const std::string contentType = asciiOf(type);
    wav += contentType == "audio/x-wav";
    ogg += contentType == "audio/ogg";
    EXPECT_EQ(bank().kind->get(id), id <= 10 ? sound::channelA : sound::channelB);

    cGame::stopAllSounds();
    cGame::playSound(id, false);
    server().servePass();
    EXPECT_TRUE(cGame::isSoundPlaying(id)) << contentType;
    Player* player = bank().kind->get(id) == sound::channelA ? playerA() : playerB();
    ASSERT_NE(player, nullptr);
    EXPECT_GT(player->getDuration(), 0);
  }
  EXPECT_GE(wav, 1);
  EXPECT_GE(ogg, 1);
}

TEST_F(SoundPackTest, WithoutASoundPackNoSoundIsRegisteredAndRequestsDoNothing) {
  const fs::path content = m_folders.root / "content";
  fs::create_directories(content);
  for (const char* source : {"literals.txt", "app.jad"})
    fs::copy_file(fs::path(QUENDRILL_CONTENT_DIR) / source, content / source);
  install(content);
  cGame::loadSounds();
  openGate();
  for (int32_t id = 0; id < sound::count; ++id) EXPECT_EQ(bank().data->get(id), nullptr);
  cGame::playSound(0, false);
  cGame::playSound(20, false);
  EXPECT_EQ(server().requestA, -1);
  EXPECT_EQ(server().requestB, -1);
}

}  // namespace
