// The log-to-file switch: off in this configuration; when used, the log goes
// to log.txt in the program's folder, which lands in the user's data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/app/HostWindow.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/log.h"

namespace {

// Standard output as it was, back in place at the end of the test.
class KeptStandardOutput {
 public:
  KeptStandardOutput() : m_kept(dup(STDOUT_FILENO)) {}
  ~KeptStandardOutput() {
    std::fflush(stdout);
    if (m_kept >= 0) {
      dup2(m_kept, STDOUT_FILENO);
      close(m_kept);
    }
  }

 private:
  int m_kept;
};

TEST(LogFile, OffUnlessSwitchedOnAndThenInTheProgramsFolder) {
  EXPECT_EQ(HostWindow{}.logToFile, 0);

  testsupport::MappedFileSystem folders("log-file");
  char16_t programDirectory[260];
  getProgramDirectory(programDirectory);
  {
    KeptStandardOutput kept;
    ASSERT_TRUE(openLogFile(programDirectory));
    logPrintf("first line of the log\n");
    ASSERT_TRUE(openLogFile(programDirectory)) << "a second opening starts the file afresh";
    logPrintf("into the log file\n");
  }
  std::string found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folders.data)) {
    if (entry.path().filename() != "log.txt") continue;
    std::ostringstream text;
    text << std::ifstream(entry.path()).rdbuf();
    found = text.str();
  }
  EXPECT_EQ(found, "into the log file\n");
  EXPECT_TRUE(std::filesystem::is_empty(folders.installed)) << "nothing is written beside the program";
}

}  // namespace
