// Record stores whose index file is damaged, cut short or missing: what a
// store still knows is kept, records that hold data are never handed out
// again as new ones, and every repair is logged.
#include <optional>

#include "platform/javax_microedition_rms/RecordStoreIndex.h"
#include "tests/platform/record_store_fixture.h"
#include "wince/log.h"

namespace {

using namespace rmstest;

class RecordStoreRepairTest : public RecordStoreFixture {};

struct DamagedStore {
  const char* what;
  std::optional<std::string> index;  // none: no index file
  std::map<int32_t, std::string> records;
  StoreContents expected;  // as opened with create
  const char* logged;      // fragment of the log line, or null for none
};

std::string bigIndex() { return indexBytes(1, std::vector<int32_t>(maxRecordsPerStore + 1, 1)); }

TEST_F(RecordStoreRepairTest, DamagedIndexesAreMendedOrRebuiltFromTheRecordFiles) {
  const DamagedStore cases[] = {
      {"intact", indexBytes(2, {1, 2}), {{1, "a"}, {2, "b"}}, {true, 2, {{1, "a"}, {2, "b"}}}, nullptr},
      {"emptied by deleteRecordStore", "", {{1, ""}, {2, ""}}, {true, 0, {}}, nullptr},
      {"empty after a crash, saved game intact", "", {{1, "game"}}, {true, 1, {{1, "game"}}}, "empty index; 1 records"},
      {"cut inside the header", std::string("\0\0\0", 3), {{1, "a"}, {2, ""}, {3, "c"}},
       {true, 3, {{1, "a"}, {3, "c"}}}, "shorter than its 8-byte header"},
      {"count larger than the file", indexBytes(2, {1, 2}).substr(0, 12), {{1, "a"}, {2, "b"}},
       {true, 2, {{1, "a"}, {2, "b"}}}, "cut short"},
      {"negative count", indexBytes(1, {}).substr(0, 4) + bytesOf({0xFF, 0xFF, 0xFF, 0xFE}), {{1, "a"}},
       {true, 1, {{1, "a"}}}, "negative record count"},
      {"count above the limit", indexBytes(1, {}).substr(0, 4) + bytesOf({0, 0, 0x40, 0x01}), {{1, "a"}}, {true, 1, {{1, "a"}}}, "record count 16385 above the limit"},
      {"larger than any index", bigIndex() + std::string(64, 0), {{1, "a"}}, {true, 1, {{1, "a"}}},
       "larger than any store's"},
      {"repeated ids", indexBytes(3, {1, 3, 1, 3}), {{1, "a"}, {3, "c"}}, {true, 3, {{1, "a"}, {3, "c"}}},
       "2 repeated ids dropped"},
      {"ids of 0 and below", indexBytes(2, {0, 2, -5}), {{2, "b"}}, {true, 2, {{2, "b"}}},
       "2 ids of 0 or below dropped"},
      {"id above the next id", indexBytes(1, {1, 7}), {{1, "a"}, {7, "g"}}, {true, 7, {{1, "a"}, {7, "g"}}},
       "next id 1 raised to 7"},
      {"negative next id", indexBytes(-4, {}), {}, {true, 0, {}}, "next id -4 raised to 0"},
      {"bytes after the ids", indexBytes(1, {1}) + "zz", {{1, "a"}}, {true, 1, {{1, "a"}}},
       "2 bytes after the last id ignored"},
      {"index lost, records left", std::nullopt, {{1, "game"}, {2, ""}}, {true, 1, {{1, "game"}}},
       "no index; 1 records"},
      {"gap in the record files", "", {{1, "a"}, {20, "t"}}, {true, 20, {{1, "a"}, {20, "t"}}}, "empty index; 2"},
  };
  for (const DamagedStore& store : cases) {
    SCOPED_TRACE(store.what);
    fs::remove_all(data);
    if (store.index) writeData("rms_save.db", *store.index);
    for (const auto& [id, bytes] : store.records) writeData("rms_save.db.rec" + std::to_string(id) + ".db", bytes);
    wince::LogCapture log;
    RecordStore* opened = keep(0, open(u"save"));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(takePending(), -1);
    if (store.logged != nullptr) {
      EXPECT_TRUE(log.contains(store.logged)) << log.text();
    } else {
      EXPECT_FALSE(log.contains("RecordStore")) << log.text();
    }
    StoreContents seen{true, opened->getNextRecordID() - 1, {}};
    for (int32_t i = 0; i < opened->getNumRecords(); ++i) {
      const int32_t id = static_cast<java_lang_Integer*>(opened->ids->elementAt(i))->value;
      seen.records.emplace_back(id, textOf(opened->getRecord(id)));
    }
    EXPECT_EQ(seen, store.expected);

    // The next record never lands on one that holds data.
    const int32_t added = add(opened, "new");
    EXPECT_EQ(added, store.expected.nextRecordId + 1);
    for (const auto& [id, bytes] : store.records) {
      if (id != added) {
        EXPECT_EQ(readData("rms_save.db.rec" + std::to_string(id) + ".db"), bytes) << id;
      }
    }
    // What the store knew, and the new record, are now in a sound index.
    StoreContents after = store.expected;
    after.nextRecordId = added;
    after.records.emplace_back(added, "new");
    EXPECT_EQ(contentsOf(u"save"), after);
    EXPECT_EQ(takePending(), -1);
  }
}

TEST_F(RecordStoreRepairTest, AMendedIndexIsWrittenOnCloseAndAnIntactOneIsNot) {
  writeData("rms_save.db", indexBytes(2, {1, 2, 2}));
  writeData("rms_save.db.rec1.db", "a");
  writeData("rms_save.db.rec2.db", "b");
  RecordStore* store = open(u"save", false);
  ASSERT_NE(store, nullptr);
  store->closeRecordStore();
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(readData("rms_save.db"), indexBytes(2, {1, 2}));

  wince::LogCapture log;
  RecordStore* again = open(u"save", false);
  again->closeRecordStore();
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(readData("rms_save.db"), indexBytes(2, {1, 2}));
}

TEST_F(RecordStoreRepairTest, AnOwnerFileThatCannotBeReadDoesNotLockTheStoreAway) {
  writeData("rms_save.db", indexBytes(1, {1}));
  writeData("rms_save.db.rec1.db", "game");
  writeData("rms_save.db.owner", "odd");
  wince::LogCapture log;
  RecordStore* store = keep(0, open(u"save", false));
  ASSERT_NE(store, nullptr);
  EXPECT_TRUE(log.contains("unreadable and will be written anew"));
  set(store, 1, "later game");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(readData("rms_save.db.owner"), bytesOf({0, 's', 0, 'a', 0, 'v', 0, 'e'}));
  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 1, {{1, "later game"}}}));
}

TEST(RecordStoreIndexParse, SerializedIndexesReadBackIntact) {
  const RecordStoreIndex indexes[] = {{0, {}}, {1, {1}}, {9, {4, 2, 9}}, {INT32_MAX, {INT32_MAX}}};
  for (const RecordStoreIndex& index : indexes) {
    const std::vector<uint8_t> bytes = serializeRecordStoreIndex(index);
    const IndexReading reading = parseRecordStoreIndex(bytes);
    EXPECT_EQ(reading.verdict, IndexVerdict::intact);
    EXPECT_EQ(reading.index, index);
  }
}

TEST(RecordStoreIndexParse, RecordFilesAreLookedForUntilAGapOfMissingIds) {
  std::vector<int32_t> asked;
  const RecordStoreIndex found = indexFromRecordFiles([&asked](int32_t id) -> int64_t {
    asked.push_back(id);
    if (id == 3) return 35;
    if (id == 4 + recordProbeGap) return 1;  // after a gap the search has ended
    return id < 3 ? 0 : -1;
  });
  EXPECT_EQ(found, (RecordStoreIndex{3, {3}}));
  EXPECT_EQ(asked.back(), 3 + recordProbeGap);
  EXPECT_EQ(asked.size(), static_cast<size_t>(3 + recordProbeGap));
}

}  // namespace
