// The executable: reads its options, makes sure the resource archive can be
// read, and hands the process to WinMain; the harness plays headless runs,
// scripted input and screenshots around it.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Harness.h"
#include "app/GameStartup.h"
#include "runtime/app/WinMain.h"
#include "runtime/io/ResourceArchive.h"
#include "runtime/literals/StringLiteralPool.h"
#include "wince/clock.h"
#include "wince/log.h"
#include "wince/path_mapping.h"
#include "wince/window.h"

namespace {

// The runtime cannot run without the archive's literal pool; saying so here
// gives the user a clear line instead of a start-up that fails later.
bool archiveReadable() {
  std::vector<uint8_t> literalPool;
  return readResourceEntry(u"/constants.bin", literalPool) && checkStringLiteralPool(literalPool);
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away (`quendrill | head`) must not end the run: the
  // log then simply goes nowhere.
  std::signal(SIGPIPE, SIG_IGN);
  HarnessOptions options;
  std::string message;
  switch (parseHarnessOptions(argc, argv, options, message)) {
    case OptionsOutcome::help:
      std::fputs(harnessUsage, stdout);
      return 0;
    case OptionsOutcome::bad:
      std::fprintf(stderr, "quendrill: %s\n%s", message.c_str(), harnessUsage);
      return 2;
    case OptionsOutcome::run:
      break;
  }
  wince::configureFileSystem(options.folders);
  if (!archiveReadable()) {
    const std::filesystem::path archive = std::filesystem::path(wince::fileSystemFolders().installedFolder) / "data.bar";
    std::fprintf(stderr, "Quendrill cannot start: the resource archive %s is missing or damaged.\n",
                 archive.lexically_normal().c_str());
    return 1;
  }

  const std::u16string displayType = options.displayType;
  ApplicationStartup startup = gameApplicationStartup();
  startup.displayType = displayType.c_str();
  Harness harness(std::move(options));
  harness.start();
  logPrintf("Quendrill runtime: tick %u\n", GetTickCount());
  int exitCode = WinMain(nullptr, nullptr, nullptr, SW_SHOW, startup);
  if (!harness.finish() && exitCode == 0) exitCode = harnessFailedExitCode;
  return exitCode;
}
