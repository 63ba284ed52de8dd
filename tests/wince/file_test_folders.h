#pragma once
// A throw-away installed, data and temp folder mapped as the device's file
// system for one test, with helpers to put and read host files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/MappedFileSystem.h"

namespace filetest {

namespace fs = std::filesystem;

inline void writeHostFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MappedFolders : public testing::Test {
 protected:
  testsupport::MappedFileSystem folders{"file-test"};
  const fs::path &root = folders.root, &installed = folders.installed, &data = folders.data, &temp = folders.temp;
};

}  // namespace filetest
