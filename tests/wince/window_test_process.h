#pragma once
// Runs one test of this very program in a process of its own, with extra
// environment variables; answers its exit code (-1 when it did not exit).
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

inline int runTestInChildProcess(const std::string& testName, const std::vector<std::string>& extraEnvironment) {
  std::vector<std::string> environment = extraEnvironment;
  for (char** variable = environ; *variable; ++variable) {
    const std::string entry = *variable;
    // The child runs exactly the one test it is given, whatever shard the
    // parent belongs to.
    if (entry.starts_with("GTEST_TOTAL_SHARDS=") || entry.starts_with("GTEST_SHARD_INDEX=")) continue;
    bool replaced = false;
    for (const std::string& extra : extraEnvironment)
      replaced |= entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
    if (!replaced) environment.push_back(entry);
  }
  std::vector<char*> environmentPointers;
  for (std::string& entry : environment) environmentPointers.push_back(entry.data());
  environmentPointers.push_back(nullptr);
  std::string program = "/proc/self/exe", filter = "--gtest_filter=" + testName;
  char* arguments[] = {program.data(), filter.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, arguments, environmentPointers.data()) != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
