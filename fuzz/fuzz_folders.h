#pragma once
// Throw-away installed, data and temp folders for targets that write files:
// in /dev/shm when it can be written (a file per input is cheap there),
// mapped as the device's file system and removed when the target exits.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "fuzz/fuzz_require.h"
#include "wince/path_mapping.h"

namespace fuzzfolders {

inline std::filesystem::path& dataFolder() {
  static std::filesystem::path folder;
  return folder;
}

inline void removeFolders() {
  std::error_code ignored;
  std::filesystem::remove_all(dataFolder().parent_path(), ignored);
}

// Maps fresh folders named after the target; answers the data folder.
inline const std::filesystem::path& mapThrowAwayFolders(const std::string& targetName) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path base = fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm")
                                                                                               : fs::temp_directory_path();
  std::string pattern = (base / (targetName + "-XXXXXX")).string();
  require(mkdtemp(pattern.data()) != nullptr);
  const fs::path root = pattern;
  dataFolder() = root / "data";
  fs::create_directories(root / "installed");
  wince::configureFileSystem({(root / "installed").string(), dataFolder().string(), (root / "temp").string()});
  atexit(removeFolders);
  return dataFolder();
}

}  // namespace fuzzfolders
