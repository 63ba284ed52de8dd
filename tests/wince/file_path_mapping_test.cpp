#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/ScopedEnvironment.h"
#include "tests/wince/file_test_folders.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

using filetest::MappedFolders;
using filetest::writeHostFile;

enum class Folder { installed, temp, refused };

struct MappingCase {
  const char16_t* devicePath;
  Folder folder;
  const char* relative;  // below the host folder
};

class DevicePathMapping : public MappedFolders {
 protected:
  std::optional<std::string> expected(const MappingCase& mapping) {
    if (mapping.folder == Folder::refused) return std::nullopt;
    const filetest::fs::path folder = mapping.folder == Folder::installed ? installed : temp;
    return std::string(mapping.relative).empty() ? folder.string() : (folder / mapping.relative).string();
  }
};

TEST_F(DevicePathMapping, TranslatesOrRefusesDevicePaths) {
  const MappingCase cases[] = {
      {u"\\Program Files\\Corvanta\\Quendrill\\data.bar", Folder::installed, "data.bar"},
      {u"\\program files\\corvanta\\quendrill\\data.bar", Folder::installed, "data.bar"},
      {u"/PROGRAM FILES/Corvanta/Quendrill/data.bar", Folder::installed, "data.bar"},
      {u"\\\\Program Files\\.\\Corvanta\\\\Quendrill\\data.bar\\", Folder::installed, "data.bar"},
      {u"\\Program Files\\Corvanta\\Quendrill\\Saves\\Slot.DAT", Folder::installed, "Saves/Slot.DAT"},
      {u"\\Program Files\\Corvanta\\Quendrill", Folder::installed, ""},
      {u"\\Program Files\\Corvanta\\Quendrill\\caf\u00e9 \u20ac.txt", Folder::installed, "caf\xc3\xa9 \xe2\x82\xac.txt"},
      {u"\\temp\\sound0.ogg", Folder::temp, "sound0.ogg"},
      {u"\\TEMP\\sound12.ogg", Folder::temp, "sound12.ogg"},
      {u"\\Program Files\\Corvanta\\Quendrill\\..\\..\\..\\etc\\passwd", Folder::refused, ""},
      {u"\\temp\\..\\Program Files\\Corvanta\\Quendrill\\data.bar", Folder::refused, ""},
      {u"\\Program Files\\Corvanta\\Quendrill\\saves\\..", Folder::refused, ""},
      {u"\\Program Files\\Corvanta\\Other\\data.bar", Folder::refused, ""},
      {u"\\Program Files\\Corvanta", Folder::refused, ""},
      {u"\\Windows\\system.ini", Folder::refused, ""},
      {u"data.bar", Folder::refused, ""},
      {u"C:\\Program Files\\Corvanta\\Quendrill\\data.bar", Folder::refused, ""},
      {u"", Folder::refused, ""},
      {u"\\temp\\a\nb", Folder::refused, ""},
      {u"\\temp\\lone\xd800surrogate", Folder::refused, ""},
  };
  for (const MappingCase& mapping : cases) {
    const std::u16string path(mapping.devicePath);
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    wince::LogCapture capture;
    EXPECT_EQ(wince::hostPathForReading(path), expected(mapping));
    EXPECT_EQ(capture.contains("Refused device path"), mapping.folder == Folder::refused);
  }
}

TEST_F(DevicePathMapping, RefusalLogNamesThePathWithoutItsControlCharacters) {
  wince::LogCapture capture;
  EXPECT_FALSE(wince::hostPathForWriting(u"\\Program Files\\Corvanta\\Quendrill\\..\\x\r\n"));
  EXPECT_TRUE(capture.contains("Refused device path \"\\Program Files\\Corvanta\\Quendrill\\..\\x??\""))
      << capture.text();
}

TEST_F(DevicePathMapping, ReadsPreferTheDataFolderAndWritesGoThere) {
  const std::u16string path = u"\\Program Files\\Corvanta\\Quendrill\\scores.dat";
  EXPECT_EQ(wince::hostPathForReading(path), (installed / "scores.dat").string()) << "neither folder has it";
  writeHostFile(installed / "scores.dat", "installed");
  EXPECT_EQ(wince::hostPathForReading(path), (installed / "scores.dat").string());
  writeHostFile(data / "scores.dat", "user");
  EXPECT_EQ(wince::hostPathForReading(path), (data / "scores.dat").string());
  EXPECT_EQ(wince::hostPathForWriting(path), (data / "scores.dat").string());
}

TEST_F(DevicePathMapping, WritingMakesTheHostFoldersOnlyWhenAsked) {
  const std::u16string path = u"\\Program Files\\Corvanta\\Quendrill\\a\\b\\c.rec";
  EXPECT_EQ(wince::hostPathForWriting(path, false), (data / "a/b/c.rec").string());
  EXPECT_FALSE(filetest::fs::exists(data / "a"));
  EXPECT_EQ(wince::hostPathForWriting(path), (data / "a/b/c.rec").string());
  EXPECT_TRUE(filetest::fs::is_directory(data / "a/b"));
  EXPECT_EQ(filetest::fs::status(data).permissions() & filetest::fs::perms::all, filetest::fs::perms::owner_all)
      << "the player's folders are private";
}

TEST_F(DevicePathMapping, AFileWhereAFolderBelongsFailsTheWrite) {
  writeHostFile(data / "a", "a file, not a folder");
  wince::LogCapture capture;
  EXPECT_FALSE(wince::hostPathForWriting(u"\\Program Files\\Corvanta\\Quendrill\\a\\c.rec"));
  EXPECT_TRUE(capture.contains("Cannot make the folder of " + (data / "a/c.rec").string()));
}

TEST_F(DevicePathMapping, NarrowPathsWidenByteForByte) {
  EXPECT_EQ(wince::widenDevicePath("\\temp\\\xe9"), std::u16string(u"\\temp\\\u00e9"));
}

TEST(DefaultFolders, DataFolderFollowsXdgDataHomeWhenItIsAbsolute) {
  {
    ScopedEnvironment dataHome("XDG_DATA_HOME", "/srv/xdg");
    wince::configureFileSystem({});
    EXPECT_EQ(wince::fileSystemFolders().dataFolder, "/srv/xdg/corvanta");
  }
  {
    ScopedEnvironment dataHome("XDG_DATA_HOME", "relative/xdg");
    ScopedEnvironment home("HOME", "/home/player");
    wince::configureFileSystem({});
    EXPECT_EQ(wince::fileSystemFolders().dataFolder, "/home/player/.local/share/corvanta");
  }
  {
    ScopedEnvironment dataHome("XDG_DATA_HOME", nullptr);
    ScopedEnvironment home("HOME", "/home/player");
    wince::configureFileSystem({});
    EXPECT_EQ(wince::fileSystemFolders().dataFolder, "/home/player/.local/share/corvanta");
  }
  wince::configureFileSystem({});
}

TEST(DefaultFolders, TempIsAPrivateFolderMadeOnFirstUse) {
  wince::configureFileSystem({"/nonexistent/installed", "/nonexistent/data", ""});
  const std::optional<std::string> hostPath = wince::hostPathForWriting(u"\\temp\\sound0.ogg");
  ASSERT_TRUE(hostPath);
  const std::string folder = wince::fileSystemFolders().tempFolder;
  EXPECT_EQ(*hostPath, folder + "/sound0.ogg");
  EXPECT_NE(folder.find("/quendrill-"), std::string::npos);
  EXPECT_EQ(filetest::fs::status(folder).permissions() & filetest::fs::perms::all, filetest::fs::perms::owner_all);
  EXPECT_EQ(wince::hostPathForReading(u"\\temp\\sound0.ogg"), hostPath) << "the same folder for the whole run";
  EXPECT_NE(folder.find("/quendrill-" + std::to_string(getpid()) + "-"), std::string::npos) << "named by its maker";
  wince::configureFileSystem({});
}

// A run killed before its exit leaves its temp folder; the next run takes
// away those whose maker is gone, and nothing else.
TEST_F(DevicePathMapping, TempFoldersOfRunsThatAreGoneAreRemoved) {
  // A process that has ended: its id names no process now.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const filetest::fs::path base = root / "tmp";
  const std::string goneName = "quendrill-" + std::to_string(gone) + "-aB3dE9";
  const std::string liveName = "quendrill-" + std::to_string(getppid()) + "-Zz0000";
  const std::string ownName = "quendrill-" + std::to_string(getpid()) + "-own000";
  writeHostFile(base / goneName / "sound0.ogg", "ogg");
  filetest::fs::create_directories(base / liveName);
  filetest::fs::create_directories(base / ownName);
  filetest::fs::create_directories(base / "quendrill-oldold");       // older build, empty
  writeHostFile(base / "quendrill-oldful" / "sound1.ogg", "ogg");    // older build, in use
  filetest::fs::create_directories(base / "quendrill-notours");      // not a name we make
  filetest::fs::create_directories(root / "kept");
  filetest::fs::create_directory_symlink(root / "kept", base / ("quendrill-" + std::to_string(gone) + "-link00"));
  const auto anHourAgo = filetest::fs::file_time_type::clock::now() - std::chrono::hours(2);
  for (const char* old : {"quendrill-oldold", "quendrill-oldful"}) filetest::fs::last_write_time(base / old, anHourAgo);

  wince::LogCapture log;
  EXPECT_EQ(wince::removeStaleTempFolders(base.string()), 2);
  EXPECT_FALSE(filetest::fs::exists(base / goneName));
  EXPECT_FALSE(filetest::fs::exists(base / "quendrill-oldold"));
  for (const std::string& kept : {liveName, ownName, std::string("quendrill-oldful"), std::string("quendrill-notours")})
    EXPECT_TRUE(filetest::fs::exists(base / kept)) << kept;
  EXPECT_TRUE(filetest::fs::exists(root / "kept")) << "a link is never followed";
  EXPECT_TRUE(log.contains("Removed 2 temp folder")) << log.text();
  EXPECT_EQ(wince::removeStaleTempFolders((root / "missing").string()), 0);
}

}  // namespace
