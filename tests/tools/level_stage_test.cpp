// The level pack's sources: record lines and event scripts, and their mistakes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/world/LevelRecordFormat.h"
#include "runtime/LiteralIds.h"
#include "tools/compiler/LevelStage.h"

namespace {

TEST(LevelStage, RecordsAndScriptsAssemble) {
  EXPECT_EQ(tools::assembleLevelRecords("# shared\nnop\n\n  nop # again\n", "a.lvl"), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(tools::assembleLevelRecords("# nothing\n", "a.lvl"), std::vector<uint8_t>{});
  EXPECT_EQ(tools::assembleEventScript("# no cutscenes yet\n", "a.evs"), std::vector<uint8_t>{0});
}

TEST(LevelStage, MistakesNameTheirPlace) {
  struct Case {
    bool script;
    std::string text, message;
  };
  const Case cases[] = {
      {false, "nop\nbarrel 3\n", "a:2: unknown record \"barrel\""},
      {false, "nop extra\n", "a:1: \"extra\" is not name=value: fields are written name=value, without spaces"},
      {true, "\ncutscene 1\n", "a:2: a cutscene has at least one track"},
  };
  for (const Case& c : cases) {
    try {
      c.script ? tools::assembleEventScript(c.text, "a") : tools::assembleLevelRecords(c.text, "a");
      ADD_FAILURE() << c.text << " was taken";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The opcodes of a stream, walked by the record table.
std::vector<int> opcodesOf(const std::vector<uint8_t>& bytes) {
  std::vector<int> ops;
  for (size_t at = 0; at < bytes.size(); at += 1 + size_t(levelrecord::bodySize(bytes[at]))) ops.push_back(bytes[at]);
  return ops;
}

TEST(LevelStage, TheWorldsTestRoomAssembles) {
  const std::filesystem::path source = std::filesystem::path(QUENDRILL_TEST_ROOMS_DIR) / "test_room.lvl";
  const tools::AssembledLevel room = tools::assembleLevel(readFile(source), source.string(), {0, nullptr});
  EXPECT_TRUE(room.warnings.empty());
  // header, zone, player, creature, person, barrier, item, hotspot, trigger, two hints
  EXPECT_EQ(opcodesOf(room.bytes), (std::vector<int>{2, 8, 4, 5, 6, 3, 50, 11, 81, 61, 61}));
  EXPECT_EQ(room.symbols.actors,
            (std::map<std::string, int32_t>{
                {"hero", 1}, {"murkling", 2}, {"ferryman", 3}, {"gate", 4}, {"lanternSpot", 5}, {"porch", 6}}));
  EXPECT_EQ(room.symbols.actions, (std::map<std::string, int32_t>{{"welcome", 1}, {"warning", 2}}));
  EXPECT_EQ(room.symbols.items, (std::map<std::string, int32_t>{{"lantern", 1}}));
  // The header names the player and the first hint.
  EXPECT_EQ(std::vector<uint8_t>(room.bytes.begin(), room.bytes.begin() + 10),
            (std::vector<uint8_t>{2, 0, 1, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(room.cameraZones, 1);
  EXPECT_EQ(room.actions, 2);
  EXPECT_EQ(room.items, 1);
}

// A content folder of level sources, removed again.
class LevelFolder {
 public:
  LevelFolder() : m_path(std::filesystem::temp_directory_path() / ("levels-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(m_path);
  }
  ~LevelFolder() { std::filesystem::remove_all(m_path); }
  void write(const std::string& name, const std::string& text) const { std::ofstream(m_path / name) << text; }
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

std::string packRefusal(const LevelFolder& folder) {
  tools::LiteralTable literals;
  literals.texts.assign(size_t(LiteralId::levelPack) + 100, "/x");
  tools::ArchiveWriter archive;
  try {
    tools::addLevelPack(archive, literals, folder.path());
  } catch (const std::runtime_error& error) {
    std::string message = error.what();
    const std::string prefix = folder.path().string() + "/";
    for (size_t at; (at = message.find(prefix)) != std::string::npos;) message.erase(at, prefix.size());
    return message;
  }
  return "(taken)";
}

TEST(LevelStage, EachRoomIsAssembledForItsProgressAfterTheSharedObjects) {
  const std::string item = "item sprite=27 anim=0 useKind=0 name=181 description=204 amount=1 value=0\n";
  const std::string hotspot17 =
      "hotspot id=1 x=0 y=0 flag=true sprite=17 anim=0 type=-1 reveal=none action=none cutscene=none item=none p7=0 "
      "p8=0\n";
  LevelFolder folder;
  folder.write("shared.lvl", "nop\n");
  folder.write("room0.lvl", hotspot17);  // room 0 loads slot 17
  folder.write("room0.evs", "");
  folder.write("room1.lvl", hotspot17);  // room 1 does not
  folder.write("room1.evs", "");
  EXPECT_EQ(packRefusal(folder), "room1.lvl:1: sprite=17: sprite slot 17 is empty here; room 1 does not load it");
  folder.write("room1.lvl", "nop\n");
  EXPECT_EQ(packRefusal(folder), "(taken)");
  folder.write("shared.lvl", item);
  folder.write("room1.lvl", item);
  EXPECT_EQ(packRefusal(folder),
            "room1.lvl:1: items are defined in one stream only, and shared.lvl defines them (item ids restart in "
            "every stream)");
}

}  // namespace
