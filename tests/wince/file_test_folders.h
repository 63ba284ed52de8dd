#pragma once
// A throw-away installed, data and temp folder mapped as the device's file
// system for one test, with helpers to put and read host files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "wince/file_faults.h"
#include "wince/path_mapping.h"

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
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "file-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    installed = root / "installed";
    data = root / "data";
    temp = root / "temp";
    fs::create_directories(installed);
    wince::configureFileSystem({installed.string(), data.string(), temp.string()});
  }
  void TearDown() override {
    wince::clearFileFaults();
    wince::configureFileSystem({});
    fs::remove_all(root);
  }

  fs::path root, installed, data, temp;
};

}  // namespace filetest
