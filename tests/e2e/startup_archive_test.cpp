// Start-up of the real executable against the built archive, a missing one
// and a truncated one: a clear log line and the exit status, never a hang.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitStatus;
  std::string output;
};

// The shell's timeout ends a run that hangs (status 124).
ProgramRun runQuendrill(const fs::path& installed, const fs::path& data) {
  const std::string command = "timeout 60 '" + std::string(QUENDRILL_EXECUTABLE) + "' --installed '" +
                              installed.string() + "' --data '" + data.string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return ProgramRun{-1, ""};
  ProgramRun run{-1, ""};
  char buffer[4096];
  for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, count);
  const int status = pclose(pipe);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
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
  const ProgramRun run = runQuendrill(fs::path(QUENDRILL_DATA_BAR).parent_path(), m_root / "data");
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_EQ(run.output.find("cannot start"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, MissingArchiveFailsWithALogLine) {
  const ProgramRun run = runQuendrill(m_root / "installed", m_root / "data");
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("data.bar: cannot be opened"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
}

TEST_F(StartUpTest, TruncatedArchiveFailsWithALogLine) {
  std::ifstream built(QUENDRILL_DATA_BAR, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(built)), {});
  ASSERT_GT(bytes.size(), 100u);
  std::ofstream(m_root / "installed" / "data.bar", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  const ProgramRun run = runQuendrill(m_root / "installed", m_root / "data");
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find("data.bar: entry"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Quendrill cannot start"), std::string::npos) << run.output;
}

}  // namespace
