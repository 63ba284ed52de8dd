// The File natives and the file-backed streams over the mapped device
// folders.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/io/java_io_OutputStream.h"
#include "runtime/io/javax_microedition_io_File.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/file_io.h"
#include "wince/path_mapping.h"

namespace {

namespace fs = std::filesystem;
using namespace streamtest;

constexpr const char* installPath = "\\Program Files\\Corvanta\\Quendrill\\";

class FileNativesTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    RuntimeFixture::TearDown();
    EXPECT_EQ(wince::openFileCount(), 0);
  }
  void writeInstalled(const std::string& name, const std::string& bytes) {
    std::ofstream(m_folders.installed / name, std::ios::binary) << bytes;
  }
  std::string readData(const std::string& name) {
    std::ifstream in(m_folders.data / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  javax_microedition_io_File* file(const std::string& name) {
    return newObject<javax_microedition_io_File>(newObject<String>((installPath + name).c_str()));
  }

  testsupport::MappedFileSystem m_folders{"file-natives"};
};

TEST_F(FileNativesTest, InputStreamAvailableSkipMarkReset) {
  writeInstalled("ten.bin", "0123456789");
  java_io_InputStream* in = file("ten.bin")->openInputStream();
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->available(), 10);
  EXPECT_EQ(in->skip(4), 4);
  EXPECT_EQ(in->available(), 6);
  in->mark(0);
  EXPECT_EQ(in->read(), '4');
  in->reset();
  EXPECT_EQ(in->read(), '4');
  EXPECT_EQ(in->skip(0), 0);
  EXPECT_EQ(in->skip(-3), -3);
  EXPECT_EQ(in->markSupported(), 1);
  in->close();
  in->close();
  EXPECT_EQ(in->read(), -1);
}

TEST_F(FileNativesTest, ReadsAnswerMinusOneAtTheEndSoLoopsEnd) {
  writeInstalled("three.bin", "abc");
  java_io_InputStream* in = file("three.bin")->openInputStream();
  ByteArray* into = newByteArray(8);
  EXPECT_EQ(in->read(into, 0, 0), 0);
  EXPECT_EQ(in->read(into, 2, 6), 3);
  EXPECT_EQ(bytesOf(into, 5), (std::vector<uint8_t>{0, 0, 'a', 'b', 'c'}));
  EXPECT_EQ(in->read(into, 0, 8), -1);
  EXPECT_EQ(in->read(), -1);
  EXPECT_EQ(in->read(into, 4, 5), 0);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
  in->close();

  // readFully over a file shorter than asked ends with EOFException.
  in = file("three.bin")->openInputStream();
  auto* data = newObject<java_io_DataInputStream>(in);
  data->readFully(newByteArray(4));
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  in->close();
}

TEST_F(FileNativesTest, ReadAllTakesTheWholeFile) {
  std::string big(1300, 'q');
  big[1299] = 'z';
  writeInstalled("big.bin", big);
  java_io_InputStream* in = file("big.bin")->openInputStream();
  ByteArray* all = java_io_InputStream::readAll(in);
  in->close();
  ASSERT_NE(all, nullptr);
  ASSERT_EQ(all->length(), 1300);
  EXPECT_EQ(all->elements()[1299], 'z');
  EXPECT_EQ(java_io_InputStream::readAll(nullptr), nullptr);
}

TEST_F(FileNativesTest, WritesGoToTheDataFolderAndCreateTruncates) {
  javax_microedition_io_File* record = file("Store.Rec");
  EXPECT_EQ(textOf(record->m_path), u"\\program files\\corvanta\\quendrill\\store.rec");
  EXPECT_EQ(record->exists(), 0);
  EXPECT_EQ(record->fileSize(), 0);
  EXPECT_EQ(record->openInputStream(), nullptr);

  java_io_OutputStream* out = record->openOutputStream();
  ASSERT_NE(out, nullptr);
  out->write(byteArrayOf({'h', 'e', 'l', 'l', 'o'}), 1, 3);
  out->write(0x121);
  out->write(byteArrayOf({1}), 0, 2);
  EXPECT_EQ(takePending(), classid::java_lang_IndexOutOfBoundsException);
  out->close();
  EXPECT_EQ(readData("store.rec"), "ell!");
  EXPECT_EQ(record->exists(), 1);
  EXPECT_EQ(record->fileSize(), 4);

  EXPECT_EQ(record->create(), 1);
  EXPECT_EQ(record->exists(), 1);
  EXPECT_EQ(record->fileSize(), 0);
}

TEST_F(FileNativesTest, PathsTheFileSystemRefusesOpenNothing) {
  for (const char* path : {"\\Windows\\system.ini", "\\Program Files\\Corvanta\\Quendrill\\..\\x", ""}) {
    auto* refused = newObject<javax_microedition_io_File>(newObject<String>(path));
    EXPECT_EQ(refused->exists(), 0) << path;
    EXPECT_EQ(refused->create(), 0) << path;
    EXPECT_EQ(refused->openOutputStream(), nullptr) << path;
  }
  const char16_t withNul[] = u"\\temp\\a\0b";
  auto* cut = newObject<javax_microedition_io_File>(newObject<String>(withNul, 0, 9));
  EXPECT_EQ(cut->create(), 0);
  EXPECT_EQ(newObject<javax_microedition_io_File>()->exists(), 0);
}

TEST_F(FileNativesTest, FolderNames) {
  EXPECT_EQ(textOf(javax_microedition_io_File::getProgramFilesDir()), u"\\Program Files");
  EXPECT_EQ(textOf(javax_microedition_io_File::getInstallDir()), u"\\Program Files\\Corvanta\\Quendrill");
  EXPECT_EQ(javax_microedition_io_File::availableSize(), 0x7FFFFFFF);
}

}  // namespace
