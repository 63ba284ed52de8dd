// The resource archive: the index reader's refusals, the lookup rules and
// the entry streams over a real file in the installed folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/io/ResourceArchiveIndex.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/io/javax_microedition_io_ResourceInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/runtime/archive_test_support.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/file_io.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

namespace fs = std::filesystem;
using namespace archivetest;
using namespace streamtest;

TEST(ArchiveIndexTest, RefusesIndexesThatDoNotFitTheFile) {
  const std::vector<uint8_t> good = archiveOf({{"a", "xyz"}});
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* reason;
  };
  const std::vector<uint8_t> pastEnd(good.begin(), good.end() - 1);
  std::vector<uint8_t> negativeOffset = good;
  negativeOffset[5] = 0x80;
  const Case cases[] = {
      {"empty file", {}, "no entry count"},
      {"negative count", {0x80, 0x00}, "entry count -32768"},
      {"count larger than the file", {0x7F, 0xFF, 0, 0}, "entry count 32767"},
      {"index cut short", std::vector<uint8_t>(good.begin(), good.begin() + 12), "cut short at entry 0"},
      {"entry past the end", pastEnd, "entry a lies outside"},
      {"negative offset", negativeOffset, "entry a lies outside"},
      {"malformed name", {0, 1, 0, 1, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}, "malformed name"},
  };
  for (const Case& c : cases) {
    ResourceArchiveIndex index;
    std::string error;
    EXPECT_FALSE(index.parse(c.bytes, error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(index.entries().empty());
  }
  ResourceArchiveIndex index;
  std::string error;
  ASSERT_TRUE(index.parse(good, error)) << error;
  ASSERT_EQ(index.entries().size(), 1u);
  EXPECT_EQ(index.entries()[0].size, 3);
}

TEST(ArchiveIndexTest, LookupRules) {
  ResourceArchiveIndex index;
  std::string error;
  ASSERT_TRUE(index.parse(archiveOf({{"app.jad", "1"}, {"App.JAD", "2"}, {"/lead", "3"}}), error)) << error;
  struct Case {
    std::u16string name;
    int expectedEntry;  // -1: none
  };
  const Case cases[] = {
      {u"app.jad", 0}, {u"/app.jad", 0}, {u"APP.JAD", 0}, {u"/App.jad", 0}, {u"//app.jad", -1},
      {u"app.ja", -1}, {u"lead", -1},    {u"//lead", 2},  {u"/lead", -1},   {u"", -1},
  };
  for (const Case& c : cases) {
    const ResourceArchiveEntry* entry = index.find(c.name);
    if (c.expectedEntry < 0) {
      EXPECT_EQ(entry, nullptr);
    } else {
      EXPECT_EQ(entry, &index.entries()[static_cast<size_t>(c.expectedEntry)]);
    }
  }
  // Only ASCII letters fold.
  ResourceArchiveIndex folded;
  const std::vector<uint8_t> accented = {0, 1, 0, 2, 0xC3, 0xA9, 0, 0, 0, 14, 0, 0, 0, 0};
  ASSERT_TRUE(folded.parse(accented, error)) << error;
  EXPECT_NE(folded.find(u"\u00E9"), nullptr);
  EXPECT_EQ(folded.find(u"\u00C9"), nullptr);
}

TEST(ArchiveIndexTest, CountZeroFindsNothing) {
  ResourceArchiveIndex index;
  std::string error;
  ASSERT_TRUE(index.parse(std::vector<uint8_t>{0, 0}, error));
  EXPECT_EQ(index.find(u"app.jad"), nullptr);
}

class ArchiveStreamTest : public RuntimeFixture {
 protected:
  void writeInstalled(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(m_folders.installed / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  java_io_InputStream* resource(const char* name) {
    return javax_microedition_io_ResourceInputStream::getResourceAsStream(newObject<String>(name));
  }
  std::string readToEnd(java_io_InputStream* stream) {
    std::string text;
    for (int32_t c = stream->read(); c >= 0; c = stream->read()) text += static_cast<char>(c);
    return text;
  }

  testsupport::MappedFileSystem m_folders{"archive-test"};
};

TEST_F(ArchiveStreamTest, EntryStreamEndsAtTheEntry) {
  writeInstalled("data.bar", archiveOf({{"five", "12345"}, {"next", "NEXT"}, {"empty", ""}}));
  java_io_InputStream* stream = resource("/five");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->getClassId(), classid::javax_microedition_io_ResourceInputStream);
  EXPECT_EQ(stream->available(), 5);
  EXPECT_EQ(readToEnd(stream), "12345");
  EXPECT_EQ(stream->read(), -1);
  ByteArray* into = newByteArray(1);
  EXPECT_EQ(stream->read(into, 0, 1), 0);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  stream->close();

  stream = resource("five");
  EXPECT_EQ(stream->skip(100), 5);
  EXPECT_EQ(stream->available(), 0);
  stream->close();

  stream = resource("five");
  ByteArray* all = newByteArray(10);
  EXPECT_EQ(stream->read(all, 0, 10), 5);
  stream->close();

  stream = resource("EMPTY");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->read(), -1);
  stream->close();
  EXPECT_EQ(resource("missing"), nullptr);
  EXPECT_EQ(wince::openFileCount(), 0);
}

TEST_F(ArchiveStreamTest, MarkAndResetKeepTheEntryEndInStep) {
  writeInstalled("data.bar", archiveOf({{"abc", "abc"}, {"after", "Z"}}));
  java_io_InputStream* stream = resource("abc");
  stream->mark(0);
  EXPECT_EQ(stream->read(), 'a');
  EXPECT_EQ(stream->read(), 'b');
  stream->reset();
  EXPECT_EQ(readToEnd(stream), "abc");
  stream->close();
}

TEST_F(ArchiveStreamTest, DataReadsOfAnEntryCutShortByTheFileEnd) {
  // The index is checked when read; the file shrinking afterwards still ends
  // reads instead of spinning.
  const std::vector<uint8_t> archive = archiveOf({{"words", std::string("\0\x10hello", 7)}});
  writeInstalled("data.bar", archive);
  java_io_InputStream* stream = resource("words");
  writeInstalled("data.bar", std::vector<uint8_t>(archive.begin(), archive.end() - 3));
  auto* data = newObject<java_io_DataInputStream>(stream);
  EXPECT_EQ(data->readUTF(), nullptr);
  EXPECT_EQ(takePending(), classid::java_io_EOFException);
  stream->close();

  // The end of the file answers -1, which the entry never counts as taken.
  stream = resource("words");
  ByteArray* into = newByteArray(7);
  EXPECT_EQ(stream->read(into, 0, 7), 4);
  EXPECT_EQ(stream->read(into, 0, 3), -1);
  EXPECT_EQ(stream->read(), -1);
  EXPECT_EQ(stream->available(), 3);
  stream->close();
}

TEST_F(ArchiveStreamTest, BarNamesOpenTheirOwnFileInTheInstallFolderFirst) {
  writeInstalled("data.bar", archiveOf({{"pack.bar", "archived"}, {"only.bar", "entry"}, {"upper.BAR", "upper"}}));
  writeInstalled("pack.bar", {'f', 'i', 'l', 'e'});
  writeInstalled("upper.bar", {'f'});
  java_io_InputStream* stream = resource("/pack.bar");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->getClassId(), classid::java_io_InputStream);
  EXPECT_EQ(readToEnd(stream), "file");
  stream->close();
  stream = resource("only.bar");
  EXPECT_EQ(readToEnd(stream), "entry");
  stream->close();
  // Only a lower-case ".bar" tries a file.
  stream = resource("upper.BAR");
  EXPECT_EQ(readToEnd(stream), "upper");
  stream->close();
  // A ".bar" name cannot leave the install folder.
  EXPECT_EQ(resource("../data.bar"), nullptr);
  EXPECT_EQ(wince::openFileCount(), 0);
}

TEST_F(ArchiveStreamTest, UnreadableArchiveIsLoggedOnceAndAnswersNull) {
  wince::LogCapture log;
  EXPECT_EQ(resource("app.jad"), nullptr);
  EXPECT_EQ(resource("app.jad"), nullptr);
  const std::string text = log.text();
  EXPECT_NE(text.find("data.bar: cannot be opened"), std::string::npos) << text;
  EXPECT_EQ(text.find("cannot be opened"), text.rfind("cannot be opened"));
}

// Each Application reads its own archive into its own static block.
TEST(ArchivePerApplicationTest, ASecondApplicationReadsItsOwnArchive) {
  const struct {
    const char* prefix;
    const char* text;
  } runs[] = {{"archive-first", "first"}, {"archive-second", "second one"}};
  for (const auto& run : runs) {
    testsupport::MappedFileSystem folders(run.prefix);
    const std::vector<uint8_t> archive = archiveOf({{"which", run.text}});
    std::ofstream(folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    Application application;
    ASSERT_TRUE(application.init(nullptr, 1u << 20, 1u << 20));
    const auto& index = statics().javax_microedition_io_ResourceInputStream;
    EXPECT_EQ(index.archiveFile, nullptr) << "read on the first lookup";
    java_io_InputStream* stream = javax_microedition_io_ResourceInputStream::getResourceAsStream(newString("which"));
    ASSERT_NE(stream, nullptr) << run.text;
    std::string text;
    for (int32_t c = stream->read(); c >= 0; c = stream->read()) text += static_cast<char>(c);
    stream->close();
    EXPECT_EQ(text, run.text);
    ASSERT_NE(index.archiveFile, nullptr);
    ASSERT_NE(index.entryNames, nullptr);
    EXPECT_EQ(index.entryNames->length(), 1);
    EXPECT_EQ(index.entrySizes->get(0), static_cast<int32_t>(text.size()));
    application.close();
  }
}

}  // namespace
