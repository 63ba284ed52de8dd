// The saved game: the 35-byte record's exact bytes, which stored records a
// start accepts, how the store's record 1 is added and replaced, and that no
// failing or interrupted save ever loses the player's progress.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/shell/cGame.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/shell/shell_runtime_fixture.h"
#include "wince/file_faults.h"
#include "wince/log.h"

namespace {

using RecordStore = javax_microedition_rms_RecordStore;
using Bytes = std::vector<uint8_t>;

const char* const recordFile = "rms_quendrill.db.rec1.db";
// Record 1 of the n-th store that keeps a refused record.
std::string keptCopyFile(int n) { return "rms_quendrill-refused-" + std::to_string(n) + ".db.rec1.db"; }

class SavedGameTest : public ShellRuntimeFixture {
 protected:
  static String* storeName() { return newObject<String>(u"quendrill"); }

  static ByteArray* arrayOf(const Bytes& bytes) {
    ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    return array;
  }
  static Bytes bytesOf(ByteArray* array) {
    Bytes bytes;
    if (array == nullptr) return bytes;
    for (int32_t i = 0; i < array->length(); ++i) bytes.push_back(static_cast<uint8_t>(array->get(i)));
    return bytes;
  }
  Bytes recordOnDisk() const {
    const std::string text = readData(recordFile);
    return Bytes(text.begin(), text.end());
  }

  // Puts bytes into the store as its only record, 1.
  void storeDirectly(const Bytes& bytes) {
    RecordStore* store = RecordStore::openRecordStore(storeName(), true);
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->addRecord(arrayOf(bytes), 0, static_cast<int32_t>(bytes.size())), 1);
    store->closeRecordStore();
    ASSERT_EQ(takePending(), nothingPending);
  }
  int32_t recordCount() {
    RecordStore* store = RecordStore::openRecordStore(storeName(), false);
    const int32_t count = store != nullptr ? store->getNumRecords() : -1;
    application().m_pending = nullptr;
    return count;
  }

  // Every field of the record at a value of its own.
  static void setDistinctValues() {
    cGameSaveStatics& save = saved();
    save.language = 2;
    toolkitStatics().cGameSound.soundOn = true;
    save.savedFlagA = true;
    save.savedFlagB = false;
    save.savedFlagC = true;
    save.chaptersOpen = 7;
    save.resultsFlag = true;
    save.resultsCounter = 0x1234;
    const int32_t counts[] = {0x01020304, -2, 5, 0x7FFFFFFF, INT32_MIN, 9};
    for (int32_t i = 0; i < 6; ++i) save.partnerItemCounts->set(i, counts[i]);
  }
  static void clearValues() {
    cGameSaveStatics& save = saved();
    save.language = 9;
    toolkitStatics().cGameSound.soundOn = false;
    save.savedFlagA = save.savedFlagB = save.savedFlagC = save.resultsFlag = false;
    save.chaptersOpen = 0;
    save.resultsCounter = 0;
    for (int32_t i = 0; i < 6; ++i) save.partnerItemCounts->set(i, 0);
  }
  static std::vector<int32_t> partnerCounts() {
    std::vector<int32_t> counts;
    for (int32_t i = 0; i < 6; ++i) counts.push_back(saved().partnerItemCounts->get(i));
    return counts;
  }
};

// The record the distinct values make, byte by byte.
const Bytes goldenRecord = {
    6,    2,    1,    0,    1,    0,    1,    7,    1,    0x34, 0x12,  // header, flags, counter
    0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x05, 0x00, 0x00, 0x00,  // partner one
    0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80, 0x09, 0x00, 0x00, 0x00,  // partner two
};

TEST_F(SavedGameTest, GoldenRecordIsWrittenAndReadBack) {
  ASSERT_EQ(goldenRecord.size(), 35u);
  setDistinctValues();
  cGame::saveSettings();
  EXPECT_EQ(recordOnDisk(), goldenRecord);
  EXPECT_EQ(bytesOf(cGame::loadRecord(storeName())), goldenRecord);
  java_io_ByteArrayInputStream* stream = cGame::openRecordStream(storeName());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->read(), 6);

  clearValues();
  cGame::loadSettings();
  const cGameSaveStatics& save = saved();
  EXPECT_EQ(save.language, 0);  // the one language of this build, not the stored 2
  EXPECT_TRUE(toolkitStatics().cGameSound.soundOn);
  EXPECT_TRUE(save.savedFlagA);
  EXPECT_FALSE(save.savedFlagB);
  EXPECT_TRUE(save.savedFlagC);
  EXPECT_EQ(save.chaptersOpen, 7);
  EXPECT_TRUE(save.resultsFlag);
  EXPECT_EQ(save.resultsCounter, 0x1234);
  EXPECT_EQ(partnerCounts(), (std::vector<int32_t>{0x01020304, -2, 5, 0x7FFFFFFF, INT32_MIN, 9}));
  EXPECT_EQ(save.openStore, nullptr);
  EXPECT_EQ(takePending(), nothingPending);
}

Bytes withBytes(Bytes bytes, std::initializer_list<std::pair<size_t, uint8_t>> changes) {
  for (const auto& [offset, value] : changes) bytes.at(offset) = value;
  return bytes;
}

TEST_F(SavedGameTest, StoredRecordsAreAcceptedOrMakeAFirstStart) {
  Bytes longer = goldenRecord;
  longer.insert(longer.end(), {0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
  const struct {
    const char* name;
    bool stored;
    Bytes record;
    bool accepted;
    int32_t chaptersOpen;  // after the load
  } cases[] = {
      {"no store", false, {}, false, 0},
      {"empty record", true, {}, false, 0},
      {"34 bytes", true, Bytes(goldenRecord.begin(), goldenRecord.end() - 1), false, 0},
      {"version 5", true, withBytes(goldenRecord, {{0, 5}}), false, 0},
      {"version 7", true, withBytes(goldenRecord, {{0, 7}}), false, 0},
      {"40 bytes of version 6", true, longer, true, 7},
      {"stored language 3", true, withBytes(goldenRecord, {{1, 3}}), true, 7},
      {"eleven chapters open", true, withBytes(goldenRecord, {{7, 11}}), true, 10},
      {"255 chapters open", true, withBytes(goldenRecord, {{7, 255}}), true, 10},
      {"flag byte 2 is false", true, withBytes(goldenRecord, {{4, 2}}), true, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(m_folders.data);
    if (c.stored) storeDirectly(c.record);
    // What a first start keeps (sound, flags A and B) and what it resets.
    clearValues();
    toolkitStatics().cGameSound.soundOn = true;
    saved().savedFlagA = true;
    saved().savedFlagC = true;
    saved().chaptersOpen = 4;
    saved().resultsCounter = 99;
    saved().partnerItemCounts->set(0, 3);

    wince::LogCapture log;
    cGame::loadSettings();
    EXPECT_EQ(takePending(), nothingPending);
    EXPECT_EQ(saved().language, 0);
    EXPECT_EQ(saved().chaptersOpen, c.chaptersOpen);
    // A refused record that held anything is kept, with one line that names
    // the copy; nothing is kept or said otherwise.
    const bool kept = c.stored && !c.accepted && !c.record.empty();
    EXPECT_EQ(std::filesystem::exists(dataFile(keptCopyFile(1))), kept);
    if (kept) {
      EXPECT_EQ(readData(keptCopyFile(1)), std::string(c.record.begin(), c.record.end()));
    }
    EXPECT_EQ(log.contains("kept as record store quendrill-refused-1"), kept) << log.text();
    if (c.accepted) {
      EXPECT_EQ(saved().resultsCounter, 0x1234);
      EXPECT_EQ(partnerCounts()[3], 0x7FFFFFFF);
      EXPECT_EQ(saved().savedFlagA, c.record[4] == 1);
      EXPECT_EQ(recordOnDisk(), c.record);  // a load writes nothing
      // The next save drops the extra bytes.
      cGame::saveSettings();
      EXPECT_EQ(recordOnDisk().size(), 35u);
    } else {
      EXPECT_TRUE(toolkitStatics().cGameSound.soundOn);
      EXPECT_TRUE(saved().savedFlagA);
      EXPECT_FALSE(saved().savedFlagC);
      EXPECT_EQ(saved().resultsCounter, 0);
      EXPECT_EQ(partnerCounts(), std::vector<int32_t>(6, 0));
      // The fresh record is written at once.
      EXPECT_EQ(recordOnDisk(), (Bytes{6, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
      EXPECT_EQ(recordCount(), 1);
    }
  }
}

TEST_F(SavedGameTest, EveryRefusedRecordKeepsACopyOfItsOwn) {
  const Bytes first = withBytes(goldenRecord, {{0, 7}});
  const Bytes second(goldenRecord.begin(), goldenRecord.end() - 1);
  storeDirectly(first);
  cGame::loadSettings();
  RecordStore* store = RecordStore::openRecordStore(storeName(), false);
  ASSERT_NE(store, nullptr);
  store->setRecord(1, arrayOf(second), 0, static_cast<int32_t>(second.size()));
  ASSERT_EQ(takePending(), nothingPending);
  cGame::loadSettings();
  EXPECT_EQ(readData(keptCopyFile(1)), std::string(first.begin(), first.end()));
  EXPECT_EQ(readData(keptCopyFile(2)), std::string(second.begin(), second.end()));
  EXPECT_EQ(recordOnDisk().size(), 35u);
  EXPECT_EQ(recordOnDisk()[0], 6);
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(SavedGameTest, ARecordThatCannotBeKeptOrReadIsLeftAsItIs) {
  const Bytes refused = withBytes(goldenRecord, {{0, 7}});
  storeDirectly(refused);
  // The copy's first write fails: no copy, so no blank record either.
  wince::failNthFileOperation(wince::FileOperation::write, 1);
  wince::LogCapture log;
  cGame::loadSettings();
  wince::clearFileFaults();
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(recordOnDisk(), refused);
  EXPECT_EQ(saved().chaptersOpen, 0);
  EXPECT_TRUE(log.contains("could not be kept aside")) << log.text();

  // A record file larger than any record is never read, and never replaced
  // at start.
  const std::string huge((1 << 20) + 1, '\x06');
  std::ofstream(dataFile(recordFile), std::ios::binary | std::ios::trunc) << huge;
  log.clear();
  cGame::loadSettings();
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(readData(recordFile).size(), huge.size());
  EXPECT_TRUE(log.contains("could not be read")) << log.text();
}

TEST_F(SavedGameTest, AnEmptyStoreGetsRecordOneAndLaterSavesReplaceIt) {
  cGame::saveSettings();
  EXPECT_EQ(recordCount(), 1);
  for (int32_t chapters = 1; chapters <= 3; ++chapters) {
    saved().chaptersOpen = chapters;
    cGame::saveSettings();
    RecordStore* store = RecordStore::openRecordStore(storeName(), false);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(store->getNextRecordID(), 2);  // still only id 1 was handed out
    EXPECT_EQ(bytesOf(store->getRecord(1)).at(7), chapters);
  }
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(SavedGameTest, ResetSettingsSavesTheResetCounters) {
  setDistinctValues();
  cGame::saveSettings();
  IntArray* before = saved().partnerItemCounts;
  cGame::resetSettings();
  EXPECT_NE(saved().partnerItemCounts, before);
  EXPECT_EQ(recordOnDisk(), withBytes(goldenRecord, {{1, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}, {10, 0},
                                                     {11, 0}, {12, 0}, {13, 0}, {14, 0}, {15, 0}, {16, 0},
                                                     {17, 0}, {18, 0}, {19, 0}, {23, 0}, {24, 0}, {25, 0},
                                                     {26, 0}, {30, 0}, {31, 0}}));
}

TEST_F(SavedGameTest, TheClassInitialiserMakesTheCountsALoadFills) {
  EXPECT_EQ(partnerCounts(), std::vector<int32_t>(6, 0));
  ASSERT_NE(saved().availableLanguages, nullptr);
  EXPECT_EQ(saved().availableLanguages->length(), 1);
  storeDirectly(goldenRecord);
  cGame::loadSettings();  // no first start has made the array
  EXPECT_EQ(partnerCounts()[0], 0x01020304);
}

const char* operationName(wince::FileOperation operation) {
  switch (operation) {
    case wince::FileOperation::write: return "write";
    case wince::FileOperation::rename: return "rename";
    case wince::FileOperation::close: return "close";
  }
  return "?";
}

TEST_F(SavedGameTest, AFailingStepOfASaveKeepsTheOldRecordAndRaisesNothing) {
  for (const auto operation :
       {wince::FileOperation::write, wince::FileOperation::rename, wince::FileOperation::close}) {
    int keptOld = 0;
    bool stepsLeft = true;
    for (int nth = 1; stepsLeft; ++nth) {
      SCOPED_TRACE(testing::Message() << operationName(operation) << " " << nth);
      std::filesystem::remove_all(m_folders.data);
      setDistinctValues();
      cGame::saveSettings();
      const Bytes old = recordOnDisk();
      ASSERT_EQ(old, goldenRecord);

      saved().chaptersOpen = 8;
      wince::failNthFileOperation(operation, nth);
      cGame::saveSettings();
      stepsLeft = !wince::fileFaultPending(operation);
      wince::clearFileFaults();
      EXPECT_EQ(takePending(), nothingPending);
      EXPECT_EQ(saved().openStore, nullptr);

      const Bytes now = recordOnDisk();
      EXPECT_TRUE(now == old || now == withBytes(old, {{7, 8}}));
      keptOld += now == old;
      // A start after it finds the player's progress, never a first start.
      saved().chaptersOpen = 0;
      cGame::loadSettings();
      EXPECT_TRUE(saved().chaptersOpen == 7 || saved().chaptersOpen == 8);
      EXPECT_EQ(recordOnDisk(), now);
    }
    EXPECT_GT(keptOld, 0) << operationName(operation);
  }
}

}  // namespace
