// A failure at every write, rename and close of a record store's change
// leaves the old or the new store, never a torn one, reports itself as
// RecordStoreException exactly when the store is the old one, and leaves the
// store object able to make the change once the disk works again.
#include <functional>

#include "tests/platform/record_store_fixture.h"

namespace {

using namespace rmstest;

class RecordStoreFaultsTest : public RecordStoreFixture {};

struct Change {
  const char* name;
  std::function<void()> setUp;  // the store before the change
  bool create;                  // how the change's store is opened
  std::function<void(RecordStore*)> change;
  StoreContents before, after;
};

const char* operationName(wince::FileOperation operation) {
  switch (operation) {
    case wince::FileOperation::write: return "write";
    case wince::FileOperation::rename: return "rename";
    case wince::FileOperation::close: return "close";
  }
  return "?";
}

TEST_F(RecordStoreFaultsTest, EveryFailingStepLeavesTheOldOrTheNewStore) {
  const auto twoRecords = [this] {
    RecordStore* store = open(u"save");
    add(store, "first");
    add(store, "second");
  };
  const auto damagedTwoRecords = [this] {
    writeData("rms_save.db", indexBytes(2, {1, 2, 1}));
    writeData("rms_save.db.rec1.db", "first");
    writeData("rms_save.db.rec2.db", "second");
  };
  const StoreContents two{true, 2, {{1, "first"}, {2, "second"}}};
  const StoreContents none{};
  const Change changes[] = {
      {"addRecord", twoRecords, false, [this](RecordStore* store) { add(store, "third"); }, two,
       {true, 3, {{1, "first"}, {2, "second"}, {3, "third"}}}},
      {"addRecord to a new store", [] {}, true,
       [this](RecordStore* store) { add(store, "first"); }, none, {true, 1, {{1, "first"}}}},
      {"setRecord", twoRecords, false, [this](RecordStore* store) { set(store, 1, "changed"); }, two,
       {true, 2, {{1, "changed"}, {2, "second"}}}},
      {"deleteRecord", twoRecords, false, [](RecordStore* store) { store->deleteRecord(1); }, two,
       {true, 2, {{2, "second"}}}},
      {"closeRecordStore of a new store", [] {}, true,
       [](RecordStore* store) { store->closeRecordStore(); }, none, {true, 0, {}}},
      {"closeRecordStore of a mended store", damagedTwoRecords, false,
       [](RecordStore* store) { store->closeRecordStore(); }, two, two},
  };
  const wince::FileOperation operations[] = {wince::FileOperation::write, wince::FileOperation::rename,
                                             wince::FileOperation::close};
  for (const Change& change : changes) {
    for (const wince::FileOperation operation : operations) {
      int failures = 0;
      bool stepsLeft = true;
      for (int nth = 1; stepsLeft; ++nth) {
        SCOPED_TRACE(testing::Message() << change.name << ", " << operationName(operation) << " " << nth);
        fs::remove_all(data);
        change.setUp();
        ASSERT_EQ(takePending(), -1);
        RecordStore* store = keep(0, open(u"save", change.create));
        ASSERT_NE(store, nullptr);

        wince::failNthFileOperation(operation, nth);
        change.change(store);
        // The change made fewer counted calls than nth: every step has failed.
        stepsLeft = !wince::fileFaultPending(operation);
        wince::clearFileFaults();
        const int32_t raised = takePending();
        const StoreContents reopened = contentsOf(u"save");
        if (raised == -1) {
          EXPECT_EQ(reopened, change.after);
        } else {
          ++failures;
          EXPECT_EQ(raised, classid::javax_microedition_rms_RecordStoreException);
          EXPECT_EQ(reopened, change.before);
          // The object is still whole: the change goes through now.
          change.change(store);
          EXPECT_EQ(takePending(), -1);
          EXPECT_EQ(contentsOf(u"save"), change.after);
        }
        for (const std::string& name : dataFiles()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
      }
      // Closes of reads may be hit instead, but some step of every kind is.
      EXPECT_GT(failures, 0) << change.name << ", " << operationName(operation);
    }
  }
}

TEST_F(RecordStoreFaultsTest, AFailedRecordWriteIsReportedAndTheIdIsHandedOutAgain) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "first");
  wince::failNthFileOperation(wince::FileOperation::write, 1);
  EXPECT_EQ(add(store, "second"), 0);
  EXPECT_EQ(pendingMessage(), "Record store could not be written");
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  EXPECT_EQ(store->getNumRecords(), 1);
  EXPECT_EQ(store->getNextRecordID(), 2);
  EXPECT_EQ(add(store, "second"), 2);
}

// What a process killed between a replacement's write and its rename leaves.
TEST_F(RecordStoreFaultsTest, LeftoverTemporariesOfAStoreGoWhenItIsOpenedAndNothingElseDoes) {
  writeData("rms_save.db", indexBytes(1, {1}));
  writeData("rms_save.db.rec1.db", "game");
  const std::vector<std::string> leftovers = {"rms_save.db.tmp-a1B2c3", "rms_save.db.owner.tmp-000000",
                                              "rms_save.db.rec1.db.tmp-ZzZzZz", "rms_save.db.rec17.db.tmp-q9q9q9"};
  for (const std::string& name : leftovers) writeData(name, std::string(64, 't'));
  const std::vector<std::string> others = {
      "rms_save.db2.db.tmp-abcdef",   // the store "save.db2"
      "rms_other.db.tmp-abcdef",      // another store
      "rms_save.db.tmp-short",        // no name a replacement makes
      "rms_save.db.recx.db.tmp-abcdef",
      "notes.txt",
  };
  for (const std::string& name : others) writeData(name, "other");
  fs::create_symlink(dataFile("notes.txt"), dataFile("rms_save.db.tmp-linked"));

  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 1, {{1, "game"}}}));
  for (const std::string& name : leftovers) EXPECT_FALSE(dataExists(name)) << name;
  for (const std::string& name : others) EXPECT_EQ(readData(name), "other") << name;
  EXPECT_TRUE(fs::is_symlink(dataFile("rms_save.db.tmp-linked")));
  EXPECT_EQ(readData("rms_save.db.rec1.db"), "game");
}

}  // namespace
