#pragma once
// A toolkit runtime with the literals the game-data readers use, and part
// files served from memory through the pack's opener, which counts opens.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/toolkit_fixture.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/PackWriter.h"

using cGame = cGameToolkit;

namespace gamedatatest {

struct MemoryResources {
  std::map<std::string, std::vector<uint8_t>> files;
  std::map<std::string, int> opens;
};

inline MemoryResources& resources() {
  static MemoryResources instance;
  return instance;
}

inline java_io_InputStream* openFromMemory(String* name) {
  std::string key;
  for (char16_t c : name->view()) key += static_cast<char>(c);
  ++resources().opens[key];
  const auto found = resources().files.find(key);
  if (found == resources().files.end()) return nullptr;
  ByteArray* bytes = newByteArray(static_cast<int32_t>(found->second.size()));
  for (size_t i = 0; i < found->second.size(); ++i) bytes->set(static_cast<int32_t>(i), static_cast<int8_t>(found->second[i]));
  return newObject<java_io_ByteArrayInputStream>(bytes);
}

}  // namespace gamedatatest

class GameDataFixture : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    std::vector<std::string> literals(300);
    literals[48] = "UTF-8";
    literals[217] = "_";
    const char* suffixes[] = {"en", "de", "fr", "it", "es", "pt", "nl", "ru", "pl", "cs", "sv", "da", "fi", "no", "tr"};
    const int indices[] = {200, 201, 202, 203, 204, 205, 206, 49, 207, 208, 209, 210, 211, 212, 213};
    for (int i = 0; i < 15; ++i) literals[indices[i]] = suffixes[i];
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
    cGame::clinitGameData();
    gamedatatest::resources() = {};
    toolkitStatics().cGamePack.opener = &gamedatatest::openFromMemory;
  }

  static void install(const std::vector<tools::PackFile>& files) {
    for (const auto& file : files) gamedatatest::resources().files[file.name] = file.bytes;
  }
  static void install(const std::string& name, std::vector<uint8_t> bytes) {
    gamedatatest::resources().files[name] = std::move(bytes);
  }
  static int opens(const std::string& name) { return gamedatatest::resources().opens[name]; }
  static int totalOpens() {
    int total = 0;
    for (const auto& [name, count] : gamedatatest::resources().opens) total += count;
    return total;
  }

  static ByteArray* byteArrayOf(const std::vector<uint8_t>& bytes) {
    ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    return array;
  }
  static java_io_ByteArrayInputStream* streamOf(const std::vector<uint8_t>& bytes) {
    return newObject<java_io_ByteArrayInputStream>(byteArrayOf(bytes));
  }
  static std::vector<uint8_t> bytesOf(ByteArray* array) {
    std::vector<uint8_t> out;
    for (int32_t i = 0; array != nullptr && i < array->length(); ++i) out.push_back(static_cast<uint8_t>(array->get(i)));
    return out;
  }
  static String* text(const char* ascii) { return newString(ascii); }
};
