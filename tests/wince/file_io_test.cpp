#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tests/wince/file_test_folders.h"
#include "wince/file_faults.h"
#include "wince/file_io.h"
#include "wince/log.h"

namespace {

using filetest::readHostFile;
using filetest::writeHostFile;

constexpr const char* archivePath = "\\program files\\corvanta\\quendrill\\data.bar";
constexpr const char* recordPath = "\\Program Files\\Corvanta\\Quendrill\\game0.rec";

class DeviceFiles : public filetest::MappedFolders {
 protected:
  void TearDown() override {
    EXPECT_EQ(wince::openFileCount(), 0) << "a test left a file open";
    MappedFolders::TearDown();
  }

  std::string readAll(FILE* file) {
    std::string bytes;
    char buffer[7];
    size_t count;
    while ((count = wince::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    return bytes;
  }
};

TEST_F(DeviceFiles, ReadsTheInstalledFileThroughItsLowerCasedDevicePath) {
  writeHostFile(installed / "data.bar", "0123456789");
  FILE* file = wince::fopen(archivePath, "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(wince::openFileCount(), 1);
  ASSERT_EQ(wince::fseek(file, 0, SEEK_END), 0);
  EXPECT_EQ(wince::ftell(file), 10);
  ASSERT_EQ(wince::fseek(file, 4, SEEK_SET), 0);
  EXPECT_EQ(readAll(file), "456789");
  EXPECT_EQ(wince::fseek(file, 20, SEEK_SET), 0) << "seeking past the end is allowed";
  char byte;
  EXPECT_EQ(wince::fread(&byte, 1, 1, file), 0u);
  EXPECT_EQ(wince::fclose(file), 0);
}

TEST_F(DeviceFiles, MissingFilesAndRefusedPathsGiveNoFile) {
  EXPECT_EQ(wince::fopen(archivePath, "rb"), nullptr);
  wince::LogCapture capture;
  EXPECT_EQ(wince::fopen("\\Program Files\\Corvanta\\Quendrill\\..\\..\\..\\etc\\passwd", "rb"), nullptr);
  EXPECT_EQ(wince::fopen("\\etc\\passwd", "wb"), nullptr);
  EXPECT_EQ(wince::fopen(nullptr, "rb"), nullptr);
  EXPECT_TRUE(capture.contains("Refused device path"));
  EXPECT_EQ(wince::openFileCount(), 0);
}

TEST_F(DeviceFiles, OnlyCLibraryModesAreAccepted) {
  writeHostFile(data / "game0.rec", "x");
  for (const char* mode : {"r", "rb", "rb+", "r+b", "w", "wb", "wb+", "a", "ab+"}) {
    SCOPED_TRACE(mode);
    FILE* file = wince::fopen(recordPath, mode);
    EXPECT_NE(file, nullptr);
    if (file) wince::fclose(file);
  }
  for (const char* mode : {"", "x", "rx", "wbx", "rbb", "w++", "r,ccs=UTF-8", "br"}) {
    SCOPED_TRACE(mode);
    wince::LogCapture capture;
    EXPECT_EQ(wince::fopen(archivePath, mode), nullptr);
    EXPECT_TRUE(capture.contains("unknown mode"));
  }
  EXPECT_EQ(wince::fopen(archivePath, nullptr), nullptr);
}

TEST_F(DeviceFiles, WritesLandInTheDataFolderAndShadowTheInstalledFile) {
  writeHostFile(installed / "game0.rec", "installed copy");
  FILE* file = wince::fopen(recordPath, "wb+");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(wince::fwrite("saved", 1, 5, file), 5u);
  ASSERT_EQ(wince::fseek(file, 0, SEEK_SET), 0);
  EXPECT_EQ(readAll(file), "saved") << "wb+ also reads";
  EXPECT_EQ(wince::fclose(file), 0);
  EXPECT_EQ(readHostFile(installed / "game0.rec"), "installed copy");
  EXPECT_EQ(readHostFile(data / "game0.rec"), "saved");

  file = wince::fopen(recordPath, "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(readAll(file), "saved");
  wince::fclose(file);
}

TEST_F(DeviceFiles, ModeWCreatesOrTruncates) {
  writeHostFile(data / "game0.rec", "old bytes");
  FILE* file = wince::fopen(recordPath, "w");
  ASSERT_NE(file, nullptr);
  wince::fclose(file);
  EXPECT_EQ(readHostFile(data / "game0.rec"), "");
  EXPECT_TRUE(filetest::fs::exists(data / "game0.rec"));
}

TEST_F(DeviceFiles, OnlyRegularFilesOpenAndNothingElseMakesTheCallerWait) {
  // Nobody ever opens the other end of these FIFOs.
  filetest::fs::create_directories(data);
  ASSERT_EQ(mkfifo((installed / "data.bar").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((data / "game0.rec").c_str(), 0600), 0);
  filetest::fs::create_directories(data / "game1.rec");
  for (const char* mode : {"rb", "r+b", "wb", "ab"}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(wince::fopen(recordPath, mode), nullptr);
    EXPECT_EQ(wince::fopen("\\Program Files\\Corvanta\\Quendrill\\game1.rec", mode), nullptr);
  }
  EXPECT_EQ(wince::fopen(archivePath, "rb"), nullptr);
  EXPECT_TRUE(filetest::fs::is_fifo(data / "game0.rec"));

  // A regular file opened without waiting still blocks as usual afterwards
  // and "w" still empties it.
  writeHostFile(data / "game2.rec", "old bytes");
  FILE* file = wince::fopen("\\Program Files\\Corvanta\\Quendrill\\game2.rec", "wb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fcntl(fileno(file), F_GETFL) & O_NONBLOCK, 0);
  wince::fclose(file);
  EXPECT_EQ(readHostFile(data / "game2.rec"), "");
}

TEST_F(DeviceFiles, TempFilesLiveInTheTempFolder) {
  FILE* file = wince::fopen("\\temp\\sound3.ogg", "wb");
  ASSERT_NE(file, nullptr);
  wince::fwrite("OggS", 1, 4, file);
  wince::fclose(file);
  EXPECT_EQ(readHostFile(temp / "sound3.ogg"), "OggS");
}

TEST_F(DeviceFiles, InjectedWriteFailureHitsOnlyTheNthWrite) {
  FILE* file = wince::fopen(recordPath, "wb");
  ASSERT_NE(file, nullptr);
  wince::failNthFileOperation(wince::FileOperation::write, 2);
  EXPECT_EQ(wince::fwrite("a", 1, 1, file), 1u);
  EXPECT_EQ(wince::fwrite("b", 1, 1, file), 0u);
  EXPECT_EQ(wince::fwrite("c", 1, 1, file), 1u);
  EXPECT_EQ(wince::fclose(file), 0);
  EXPECT_EQ(readHostFile(data / "game0.rec"), "ac");
}

TEST_F(DeviceFiles, InjectedCloseFailureStillReleasesTheFile) {
  wince::failNthFileOperation(wince::FileOperation::close, 1);
  FILE* file = wince::fopen(recordPath, "wb");
  ASSERT_NE(file, nullptr);
  wince::fwrite("abc", 1, 3, file);
  EXPECT_EQ(wince::fclose(file), EOF);
  EXPECT_EQ(wince::openFileCount(), 0);
  file = wince::fopen(recordPath, "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(wince::fclose(file), 0) << "a fault fails one call only";
}

TEST_F(DeviceFiles, NullFilesAreRefusedQuietly) {
  char byte;
  EXPECT_EQ(wince::fread(&byte, 1, 1, nullptr), 0u);
  EXPECT_EQ(wince::fwrite(&byte, 1, 1, nullptr), 0u);
  EXPECT_EQ(wince::fseek(nullptr, 0, SEEK_SET), -1);
  EXPECT_EQ(wince::ftell(nullptr), -1);
  EXPECT_EQ(wince::fflush(nullptr), EOF);
  EXPECT_EQ(wince::fclose(nullptr), EOF);
}

}  // namespace
