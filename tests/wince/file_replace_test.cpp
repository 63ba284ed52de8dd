#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

#include "tests/wince/file_test_folders.h"
#include "wince/file_faults.h"
#include "wince/file_replace.h"
#include "wince/log.h"

namespace {

using filetest::readHostFile;
using filetest::writeHostFile;
namespace fs = filetest::fs;

constexpr std::u16string_view indexPath = u"\\Program Files\\Corvanta\\Quendrill\\game.idx";

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class AtomicReplace : public filetest::MappedFolders {
 protected:
  int filesInDataFolder() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(data)) ++count;
    return count;
  }
};

TEST_F(AtomicReplace, CreatesAndThenReplacesTheWholeFile) {
  ASSERT_TRUE(wince::replaceFileAtomically(indexPath, bytesOf("first, longer contents")));
  EXPECT_EQ(readHostFile(data / "game.idx"), "first, longer contents");
  ASSERT_TRUE(wince::replaceFileAtomically(indexPath, bytesOf("second")));
  EXPECT_EQ(readHostFile(data / "game.idx"), "second");
  ASSERT_TRUE(wince::replaceFileAtomically(indexPath, {}));
  EXPECT_EQ(readHostFile(data / "game.idx"), "");
  EXPECT_EQ(filesInDataFolder(), 1) << "no temporary file is left";
}

TEST_F(AtomicReplace, AnyFailingStepKeepsTheOldContentsAndLeavesNoTemporary) {
  for (const wince::FileOperation operation :
       {wince::FileOperation::write, wince::FileOperation::close, wince::FileOperation::rename}) {
    SCOPED_TRACE(int(operation));
    writeHostFile(data / "game.idx", "old contents");
    wince::failNthFileOperation(operation, 1);
    wince::LogCapture capture;
    EXPECT_FALSE(wince::replaceFileAtomically(indexPath, bytesOf("new contents")));
    EXPECT_TRUE(capture.contains("Could not replace " + (data / "game.idx").string()));
    EXPECT_EQ(readHostFile(data / "game.idx"), "old contents");
    EXPECT_EQ(filesInDataFolder(), 1);
  }
}

TEST_F(AtomicReplace, AFailedFirstWriteLeavesNoFileAtAll) {
  wince::failNthFileOperation(wince::FileOperation::rename, 1);
  EXPECT_FALSE(wince::replaceFileAtomically(indexPath, bytesOf("new")));
  EXPECT_FALSE(fs::exists(data / "game.idx"));
  EXPECT_EQ(filesInDataFolder(), 0);
}

TEST_F(AtomicReplace, KeepsTheModeOfTheFileItReplaces) {
  writeHostFile(data / "game.idx", "old");
  fs::permissions(data / "game.idx", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(wince::replaceFileAtomically(indexPath, bytesOf("new")));
  EXPECT_EQ(fs::status(data / "game.idx").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicReplace, RefusedPathsAndMissingFoldersFail) {
  wince::LogCapture capture;
  EXPECT_FALSE(wince::replaceFileAtomically(u"\\Program Files\\Corvanta\\Quendrill\\..\\evil", bytesOf("x")));
  EXPECT_FALSE(wince::replaceHostFileAtomically((root / "no such folder" / "file").string(), bytesOf("x")));
  EXPECT_TRUE(capture.contains("create temporary"));
}

}  // namespace
