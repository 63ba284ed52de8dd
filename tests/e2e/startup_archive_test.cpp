// Start-up of the real executable against the built archive, a missing one
// and a truncated one: a clear log line and the exit status, never a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/ProgramProcess.h"
#include "tools/writers/ArchiveWriter.h"

namespace {

namespace fs = std::filesystem;

// A short headless run: the program closes its window after a few frames.
e2e::ProgramResult runQuendrill(const fs::path& installed, const fs::path& data, e2e::OutputStreams streams = {}) {
  return e2e::runProgram({QUENDRILL_EXECUTABLE, "--installed", installed.string(), "--data", data.string(),
                          "--headless", "--frames", "3", "--clock", "0"},
                         {}, 60000, streams);
}

class StartUpTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "startup-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
    fs::create_directories(m_root / "installed");
  }
  void TearDown() override { fs::remove_all(m_root); }

  fs::path m_root;
};

TEST_F(StartUpTest, BuiltArchiveStarts) {
  const e2e::ProgramResult run = runQuendrill(fs::path(QUENDRILL_DATA_BAR).parent_path(), m_root / "data");
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_EQ(run.output.find("cannot start"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, MissingArchiveFailsWithALogLine) {
  const e2e::ProgramResult run = runQuendrill(m_root / "installed", m_root / "data");
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("data.bar: cannot be opened"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, TruncatedArchiveFailsWithALogLine) {
  std::ifstream built(QUENDRILL_DATA_BAR, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(built)), {});
  ASSERT_GT(bytes.size(), 100u);
  std::ofstream(m_root / "installed" / "data.bar", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  const e2e::ProgramResult run = runQuendrill(m_root / "installed", m_root / "data");
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("data.bar: entry"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, ALiteralPoolThatCannotBeReadFailsWithALogLine) {
  tools::ArchiveWriter archive;
  archive.add("constants.bin", {0, 0, 0, 1, 0, 1, 0x80});
  const std::vector<uint8_t> bytes = archive.write();
  std::ofstream(m_root / "installed" / "data.bar", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  const e2e::ProgramResult run = runQuendrill(m_root / "installed", m_root / "data");
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("/constants.bin: malformed text"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("new MemoryManagers"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, AnArchiveThatIsNoRegularFileFailsAsAMissingOneOnStandardError) {
  // A FIFO nobody writes to would block an open that waits for a writer.
  fs::create_directories(m_root / "fifo");
  ASSERT_EQ(mkfifo((m_root / "fifo" / "data.bar").c_str(), 0600), 0);
  fs::create_directories(m_root / "folder" / "data.bar");
  for (const char* installed : {"installed", "fifo", "folder"}) {
    SCOPED_TRACE(installed);
    // The folder as a user may type it, with a slash at its end.
    const e2e::ProgramResult run =
        runQuendrill((m_root / installed).string() + "/", m_root / "data", {.separateErrors = true});
    EXPECT_EQ(run.exitStatus, 1) << run.output << run.errors;
    EXPECT_NE(run.errors.find("Quendrill cannot start: the resource archive " + (m_root / installed / "data.bar").string() +
                              " is missing or damaged.\n"),
              std::string::npos)
        << run.errors;
    EXPECT_EQ(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
  }
}

}  // namespace
