// Starting the game over any stored record 1 of the saved game. Input: the
// record's bytes. Whatever they hold: nothing stays pending, the game runs
// with language 0 and at most ten chapters open, and the record is either
// kept as it was (accepted) or replaced by a fresh 35-byte one after a copy
// of it was kept in a store of its own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_folders.h"
#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/fuzz_require.h"
#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "runtime/Application.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

namespace fs = std::filesystem;
using fuzzfolders::dataFolder;

Application* startRuntime() {
  fuzzfolders::mapThrowAwayFolders("saved-game-fuzz");

  auto* application = new Application();
  application->init(&gameClassInitialisers(), 4u << 20, 4u << 20);
  ObjectArray* pool = newObjectArray(320);
  application->getStaticClass()->literalPool = pool;
  const struct {
    int32_t index;
    const char* text;
  } literals[] = {{1, ""},       {166, "quendrill"}, {300, "\\"},    {301, "rms_"},
                  {302, ".db"},  {303, ".rec"},      {304, ""},      {305, ".owner"},
                  {311, "-refused-"}};
  for (const auto& literal : literals) pool->set(literal.index, newString(literal.text));
  return application;
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size > 4096) return 0;
  std::error_code ignored;
  fs::remove_all(dataFolder(), ignored);
  fs::create_directories(dataFolder());
  // The index: next id 1, one record, id 1 (big-endian).
  writeFile(dataFolder() / "rms_quendrill.db", std::string("\0\0\0\1\0\0\0\1\0\0\0\1", 12));
  const std::string record(reinterpret_cast<const char*>(data), size);
  writeFile(dataFolder() / "rms_quendrill.db.rec1.db", record);

  cGame::loadSettings();
  require(application->getPending() == nullptr);
  const cGameSaveStatics& saved = shellStatics().cGameSave;
  require(saved.language == 0);
  require(saved.chaptersOpen >= 0 && saved.chaptersOpen <= 10);
  require(saved.openStore == nullptr);
  const std::string after = readFile(dataFolder() / "rms_quendrill.db.rec1.db");
  if (size >= 35 && data[0] == 6) {
    require(after == record);
  } else {
    require(after.size() == 35 && after[0] == 6);
    if (size > 0) require(readFile(dataFolder() / "rms_quendrill-refused-1.db.rec1.db") == record);
  }
  return 0;
}
