#pragma once
// A throw-away installed, data and temp folder, mapped as the device's file
// system while the object lives. As a fixture member it is made before the
// fixture's runtime starts and goes after the runtime has closed.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "wince/file_faults.h"
#include "wince/path_mapping.h"

namespace testsupport {

class MappedFileSystem {
 public:
  explicit MappedFileSystem(const std::string& prefix,
                            const std::filesystem::path& base = std::filesystem::temp_directory_path())
      : root(makeRoot(base / (prefix + "-XXXXXX"))), installed(root / "installed"), data(root / "data"),
        temp(root / "temp") {
    std::filesystem::create_directories(installed);
    wince::configureFileSystem({installed.string(), data.string(), temp.string()});
  }
  ~MappedFileSystem() {
    wince::clearFileFaults();
    wince::configureFileSystem({});
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  MappedFileSystem(const MappedFileSystem&) = delete;
  MappedFileSystem& operator=(const MappedFileSystem&) = delete;

  const std::filesystem::path root, installed, data, temp;

 private:
  static std::filesystem::path makeRoot(const std::filesystem::path& pattern) {
    std::string name = pattern.string();
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + name);
    return name;
  }
};

}  // namespace testsupport
