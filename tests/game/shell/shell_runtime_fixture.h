#pragma once
// A runtime whose game block is the whole game's statics, with the language,
// toolkit and shell classes initialised over a throw-away mapped file system,
// and the literals the saved game's record store needs; no display, no
// canvas: for the shell's operations that work on statics alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/GameStatics.h"
#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/runtime/archive_test_support.h"
#include "tests/support/LiteralPoolBytes.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"

class ShellRuntimeFixture : public RuntimeFixture {
 protected:
  ShellRuntimeFixture() : RuntimeFixture(4u << 20, 4u << 20, &shellTestInitialisers()) {}

  // The class initialisers find the literal pool, as at a real start: the
  // record-store literals as content/literals.txt has them, every other
  // index empty.
  void SetUp() override {
    const std::vector<uint8_t> pool = literalPoolBytes(312, {{166, "quendrill"},
                                                             {186, "Combination table full"},
                                                             {300, "\\"},
                                                             {301, "rms_"},
                                                             {302, ".db"},
                                                             {303, ".rec"},
                                                             {305, ".owner"},
                                                             {311, "-refused-"}});
    const std::vector<uint8_t> archive = archivetest::archiveOf({{"constants.bin", std::string(pool.begin(), pool.end())}});
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    ASSERT_TRUE(application().init(&shellTestInitialisers(), 4u << 20, 4u << 20, Application::LiteralPool::fromArchive));
  }
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  static cGameSaveStatics& saved() { return shellStatics().cGameSave; }
  static cGameProgressStatics& progress() { return shellStatics().cGameProgress; }
  static cGameSharedStatics& shared() { return shellStatics().cGameShared; }

  // Host files of the data folder.
  std::filesystem::path dataFile(const std::string& name) const { return m_folders.data / name; }
  std::string readData(const std::string& name) const {
    std::ifstream in(dataFile(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Every save syncs; on a memory file system that costs nothing.
  static std::filesystem::path folderBase() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                             : std::filesystem::temp_directory_path();
  }

  testsupport::MappedFileSystem m_folders{"shell", folderBase()};
};
