// A save cut short by the process being killed leaves the old or the new
// record, never a first start: a child process of this program saves two
// records in turn and reports each finished save through a pipe; the parent
// kills it after a varying number of them, in the middle of the next.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/cGame.h"
#include "tests/game/shell/shell_runtime_fixture.h"
#include "runtime/lang/Arrays.h"
#include "wince/path_mapping.h"

extern char** environ;

namespace {

constexpr const char* childFolderVariable = "QUENDRILL_SAVE_CHILD_ROOT";
constexpr const char* childPipeVariable = "QUENDRILL_SAVE_CHILD_FD";

// The two records the child alternates between: chapters open 1 or 2, and
// every partner count equal to it, so a torn record shows.
void setProgress(int32_t chapters) {
  shellStatics().cGameSave.chaptersOpen = chapters;
  for (int32_t i = 0; i < 6; ++i) shellStatics().cGameSave.partnerItemCounts->set(i, chapters * 1000 + i);
}

class SavedGameKillTest : public ShellRuntimeFixture {};

// Runs only as the child of the test below.
TEST_F(SavedGameKillTest, ChildSavesUntilKilled) {
  const char* root = std::getenv(childFolderVariable);
  const char* pipe = std::getenv(childPipeVariable);
  if (root == nullptr || pipe == nullptr) GTEST_SKIP() << "runs as a child process only";
  const std::string folder = root;
  wince::configureFileSystem({folder + "/installed", folder + "/data", folder + "/temp"});
  // A killed child never cleans up: its own folders go now.
  std::filesystem::remove_all(m_folders.root);
  const int fd = std::atoi(pipe);
  for (int32_t save = 0;; ++save) {
    setProgress(1 + save % 2);
    cGame::saveSettings();
    const char done = 1;
    if (write(fd, &done, 1) != 1) return;
  }
}

pid_t spawnSaver(const std::string& root, int fd) {
  std::vector<std::string> environment = {std::string(childFolderVariable) + "=" + root,
                                          std::string(childPipeVariable) + "=" + std::to_string(fd)};
  for (char** variable = environ; *variable; ++variable) {
    const std::string entry = *variable;
    if (entry.starts_with("GTEST_")) continue;
    environment.push_back(entry);
  }
  std::vector<char*> pointers;
  for (std::string& entry : environment) pointers.push_back(entry.data());
  pointers.push_back(nullptr);
  std::string program = "/proc/self/exe", filter = "--gtest_filter=SavedGameKillTest.ChildSavesUntilKilled";
  char* arguments[] = {program.data(), filter.data(), nullptr};
  pid_t child = -1;
  if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, arguments, pointers.data()) != 0) return -1;
  return child;
}

TEST_F(SavedGameKillTest, AKilledSaveLeavesTheOldOrTheNewRecord) {
  setProgress(1);
  cGame::saveSettings();
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = spawnSaver(m_folders.root.string(), fds[1]);
    close(fds[1]);
    ASSERT_GT(child, 0);
    // Kill after 1 + 3 x round finished saves, while the next one runs.
    const int finished = 1 + 3 * round;
    int seen = 0;
    char byte;
    while (seen < finished && read(fds[0], &byte, 1) == 1) ++seen;
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(fds[0]);
    ASSERT_EQ(seen, finished) << "the child stopped saving";

    shellStatics().cGameSave.chaptersOpen = 0;
    cGame::loadSettings();
    const int32_t chapters = shellStatics().cGameSave.chaptersOpen;
    ASSERT_TRUE(chapters == 1 || chapters == 2) << chapters;
    for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(shellStatics().cGameSave.partnerItemCounts->get(i), chapters * 1000 + i);
    EXPECT_EQ(readData("rms_quendrill.db.rec1.db").size(), 35u);
  }
}

}  // namespace
