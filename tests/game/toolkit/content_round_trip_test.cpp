// The whole path of a text: a language source compiled into data.bar by the
// content compiler, then found in the installed archive and read by the
// game's pack and text-pack readers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/toolkit/cGameToolkit.h"
#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/toolkit/toolkit_fixture.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/compiler/ContentCompiler.h"
#include "wince/file_io.h"

namespace {

namespace fs = std::filesystem;
using cGame = cGameToolkit;

void writeFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class ContentRoundTripTest : public ToolkitFixture {
 protected:
  void compileInto(const fs::path& content) {
    fs::copy_file(fs::path(QUENDRILL_CONTENT_DIR) / "literals.txt", content / "literals.txt");
    fs::copy_file(fs::path(QUENDRILL_CONTENT_DIR) / "app.jad", content / "app.jad");
    const std::vector<uint8_t> archive = tools::compileContent(content);
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    ASSERT_TRUE(loadStringLiteralPoolFromArchive());
    cGame::clinitGameData();
  }
  static std::u16string textOf(String* text) { return text != nullptr ? std::u16string(text->view()) : u"(null)"; }

  testsupport::MappedFileSystem m_folders{"content-round-trip"};
};

TEST_F(ContentRoundTripTest, CompiledTextsReadBackThroughTheArchive) {
  const fs::path content = m_folders.root / "content";
  std::string roomTexts;
  for (int i = 0; i < 1200; ++i) roomTexts += "LINE_" + std::to_string(i) + " Line " + std::to_string(i) + " of the room\n";
  writeFile(content / "texts" / "en.txt",
            "# reference\n[common]\nHELLO Hello\nEURO caf\xC3\xA9 \xE2\x82\xAC\nEMPTY\n[room 0]\n" + roomTexts +
                "[room 1]\nDOOR The door\\nis locked.\n");
  writeFile(content / "texts" / "fr.txt",
            "[room 1]\nDOOR La porte\n[common]\nEURO Caf\xC3\xA9\nHELLO Bonjour\nEMPTY\n[room 0]\n" + roomTexts);
  compileInto(content);

  String* english = stringLiteral(static_cast<int32_t>(LiteralId::packNamePrefix))->concat(cGame::getLanguageSuffix(0));
  cGame::loadTextPacks(english, 0, 2);
  ASSERT_EQ(cGame::getTextCount(), 4);
  EXPECT_EQ(textOf(cGame::getText(0)), u"Hello");
  EXPECT_EQ(textOf(cGame::getText(1)), u"caf\u00E9 \u20AC");
  EXPECT_EQ(cGame::getText(2), nullptr);
  EXPECT_EQ(textOf(cGame::getText(3)), u"The door\nis locked.");

  String* french = stringLiteral(static_cast<int32_t>(LiteralId::packNamePrefix))->concat(cGame::getLanguageSuffix(1));
  cGame::loadTextPacks(french, 0, 1);
  ASSERT_EQ(cGame::getTextCount(), 3 + 1200);
  EXPECT_EQ(textOf(cGame::getText(0)), u"Bonjour");  // ids follow the reference's order
  EXPECT_EQ(textOf(cGame::getText(3 + 1199)), u"Line 1199 of the room");
  cGame::loadTextPack(french, 2);
  EXPECT_EQ(textOf(cGame::getText(0)), u"La porte");
  EXPECT_EQ(wince::openFileCount(), 0);
}

TEST_F(ContentRoundTripTest, TheCompilerRefusesTextsTheGameCannotShow) {
  const fs::path content = m_folders.root / "bad";
  writeFile(content / "texts" / "en.txt", "[common]\nSMILE \xF0\x9F\x98\x80\n");
  fs::copy_file(fs::path(QUENDRILL_CONTENT_DIR) / "literals.txt", content / "literals.txt");
  fs::copy_file(fs::path(QUENDRILL_CONTENT_DIR) / "app.jad", content / "app.jad");
  try {
    tools::compileContent(content);
    FAIL() << "compiled";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Basic Multilingual Plane"), std::string::npos) << error.what();
  }
}

}  // namespace
