// Until the game shell exists, the executable starts the runtime's smallest
// program: it brings up the memory pools, reads the string-literal pool from
// the resource archive and closes again.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/GameClassInitialisers.h"
#include "runtime/Application.h"
#include "wince/clock.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

constexpr const char* usage =
    "usage: quendrill [options]\n"
    "  --installed DIR  the installed folder, which holds data.bar\n"
    "                   (default: data beside the executable, else ../data)\n"
    "  --data DIR       the user's data folder (default: $XDG_DATA_HOME/corvanta)\n"
    "  --help           this text\n";

// Fills folders from the command line; false (with the usage on standard
// error) for anything it does not know.
bool readOptions(int argc, char** argv, wince::FileSystemFolders& folders, bool& helpOnly) {
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    if (std::strcmp(option, "--help") == 0) {
      helpOnly = true;
      return true;
    }
    std::string* folder = std::strcmp(option, "--installed") == 0 ? &folders.installedFolder
                          : std::strcmp(option, "--data") == 0    ? &folders.dataFolder
                                                                  : nullptr;
    if (folder == nullptr || i + 1 >= argc) {
      std::fprintf(stderr, "quendrill: bad option %s\n%s", option, usage);
      return false;
    }
    *folder = argv[++i];
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  wince::FileSystemFolders folders;
  bool helpOnly = false;
  if (!readOptions(argc, argv, folders, helpOnly)) return 2;
  if (helpOnly) {
    std::fputs(usage, stdout);
    return 0;
  }
  wince::configureFileSystem(folders);

  logPrintf("Quendrill runtime: tick %u\n", GetTickCount());
  Application application;
  if (!application.init(&gameClassInitialisers(), MemoryManagers::objectHeapSize, MemoryManagers::nativePoolSize,
                        Application::LiteralPool::fromArchive)) {
    logPrintf("Quendrill cannot start: the resource archive %s/data.bar is missing or damaged.\n",
              wince::fileSystemFolders().installedFolder.c_str());
    application.close();
    return 1;
  }
  logPrintf("The game is not built yet; this is the runtime's smallest program.\n");
  application.close();
  return 0;
}
