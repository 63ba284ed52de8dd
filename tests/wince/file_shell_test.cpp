#include <gtest/gtest.h>

#include <string>

#include "tests/wince/file_test_folders.h"
#include "wince/file_io.h"
#include "wince/file_shell.h"

namespace {

using filetest::writeHostFile;

TEST(ShellFolders, ProgramFilesAndTheProgramAreDevicePaths) {
  WCHAR path[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAM_FILES, FALSE));
  EXPECT_EQ(std::u16string(path), u"\\Program Files");
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, 5, FALSE));
  EXPECT_EQ(path[0], u'\0');

  const std::u16string program = u"\\Program Files\\Corvanta\\Quendrill\\Quendrill.exe";
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), program.size());
  EXPECT_EQ(std::u16string(path), program);
}

TEST(ShellFolders, ModuleFileNameIsCutToTheBuffer) {
  WCHAR small[9];
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 9), 9u);
  EXPECT_EQ(std::u16string(small), u"\\Program");
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 0), 0u);
  EXPECT_EQ(GetModuleFileNameW(nullptr, nullptr, 9), 0u);
}

using ShellFiles = filetest::MappedFolders;

TEST_F(ShellFiles, TheArchivePathBuiltTheRuntimesWayOpensTheInstalledArchive) {
  writeHostFile(installed / "data.bar", "archive");
  WCHAR folder[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE));
  const std::u16string archive = std::u16string(folder) + u"\\Corvanta\\Quendrill" + u"\\data.bar";
  FILE* file = wince::fopen(archive, "rb");
  ASSERT_NE(file, nullptr);
  wince::fclose(file);

  WCHAR program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::u16string programDirectory(program);
  programDirectory.resize(programDirectory.rfind(u'\\') + 1);
  file = wince::fopen(programDirectory + u"log.txt", "w+");
  ASSERT_NE(file, nullptr);
  wince::fclose(file);
  EXPECT_TRUE(filetest::fs::exists(data / "log.txt"));
}

TEST_F(ShellFiles, DeleteFileRemovesOnlyTheUsersFiles) {
  writeHostFile(installed / "data.bar", "archive");
  writeHostFile(data / "game0.rec", "record");
  EXPECT_TRUE(DeleteFileW(u"\\Program Files\\Corvanta\\Quendrill\\game0.rec"));
  EXPECT_FALSE(filetest::fs::exists(data / "game0.rec"));
  EXPECT_FALSE(DeleteFileW(u"\\Program Files\\Corvanta\\Quendrill\\game0.rec"));
  EXPECT_FALSE(DeleteFileW(u"\\Program Files\\Corvanta\\Quendrill\\data.bar"));
  EXPECT_TRUE(filetest::fs::exists(installed / "data.bar"));
  EXPECT_FALSE(DeleteFileW(u"\\Program Files\\Corvanta\\Quendrill\\..\\..\\x"));
  EXPECT_FALSE(DeleteFileW(nullptr));
}

}  // namespace
