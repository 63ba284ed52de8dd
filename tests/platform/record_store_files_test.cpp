// Record stores over files: the index and record files they write, and the
// operations over them.
#include <sys/stat.h>

#include "platform/javax_microedition_rms/RecordStoreIndex.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumerationImpl.h"
#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/platform/record_store_fixture.h"
#include "wince/log.h"

namespace {

using namespace rmstest;

class RecordStoreFilesTest : public RecordStoreFixture {};

TEST_F(RecordStoreFilesTest, NewStoreWithOneSavedGameWritesTheIndexByteForByte) {
  RecordStore* store = keep(0, open(u"save"));
  ASSERT_NE(store, nullptr);
  // Nothing is written before the first change.
  EXPECT_FALSE(dataExists("rms_save.db"));
  const std::string savedGame = std::string(1, 6) + std::string(34, 'x');
  EXPECT_EQ(add(store, savedGame), 1);
  EXPECT_EQ(takePending(), -1);

  EXPECT_EQ(readData("rms_save.db"), bytesOf({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(readData("rms_save.db.rec1.db"), savedGame);
  EXPECT_EQ(store->getNextRecordID(), 2);
  EXPECT_EQ(store->getNumRecords(), 1);
  EXPECT_EQ(store->getSize(), 35);
  EXPECT_EQ(store->getRecordSize(1), 35);
  EXPECT_EQ(textOf(store->getRecord(1)), savedGame);
  EXPECT_EQ(textOf(store->getPath()), "\\Program Files\\Corvanta\\Quendrill\\rms_save.db");
  EXPECT_EQ(store->getOpenMarker(), 1);
  // Only the store's files and no temporary file are left.
  EXPECT_EQ(dataFiles(), (std::vector<std::string>{"rms_save.db", "rms_save.db.owner", "rms_save.db.rec1.db"}));
}

TEST_F(RecordStoreFilesTest, TheProgramsOwnLiteralsNameTheFilesAsTheseTestsDo) {
  // The built data.bar beside the test program: if its literals named the
  // files differently, every saved game would be lost.
  wince::configureFileSystem({std::string(), data.string(), (root / "temp").string()});
  ASSERT_TRUE(loadStringLiteralPoolFromArchive());
  RecordStore* store = keep(0, open(u"Save:1"));
  ASSERT_NE(store, nullptr);
  add(store, "game");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(dataFiles(), (std::vector<std::string>{"rms_save_1.db", "rms_save_1.db.owner", "rms_save_1.db.rec1.db"}));
  EXPECT_EQ(textOf(literalOrNull(static_cast<int32_t>(LiteralId::recordStoreWriteFailed))),
            "Record store could not be written");
}

TEST_F(RecordStoreFilesTest, AStoreMadeButNeverClosedOrChangedIsNotFound) {
  ASSERT_NE(open(u"promo"), nullptr);
  EXPECT_EQ(open(u"promo", false), nullptr);
  EXPECT_EQ(pendingMessage(), "\\Program Files\\Corvanta\\Quendrill\\rms_promo.db");
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreNotFoundException);
}

TEST_F(RecordStoreFilesTest, ClosingANewStoreWritesAnEmptyIndexSoItExistsAfterwards) {
  RecordStore* store = open(u"promo");
  ASSERT_NE(store, nullptr);
  store->closeRecordStore();
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(readData("rms_promo.db"), bytesOf({0, 0, 0, 0, 0, 0, 0, 0}));
  RecordStore* again = open(u"promo", false);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->getNumRecords(), 0);
  EXPECT_EQ(again->getNextRecordID(), 1);
}

ino_t inodeOf(const fs::path& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

TEST_F(RecordStoreFilesTest, ClosingAStoreThatNothingChangedWritesNothing) {
  RecordStore* writer = open(u"save");
  add(writer, "data");
  const ino_t before = inodeOf(dataFile("rms_save.db"));
  ASSERT_NE(before, 0u);

  RecordStore* reader = keep(0, open(u"save", false));
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(textOf(reader->getRecord(1)), "data");
  wince::failNthFileOperation(wince::FileOperation::write, 1);
  wince::failNthFileOperation(wince::FileOperation::rename, 1);
  reader->closeRecordStore();
  EXPECT_EQ(takePending(), -1);
  // Replacing the file would have given it a new inode.
  EXPECT_EQ(inodeOf(dataFile("rms_save.db")), before);
}

TEST_F(RecordStoreFilesTest, TwoOpeningsOfOneStoreNeverHandOutAnIdTwiceNorDropTheOthersRecords) {
  RecordStore* first = keep(0, open(u"save"));
  RecordStore* second = keep(1, open(u"save"));
  EXPECT_EQ(add(second, "from second"), 1);
  EXPECT_EQ(add(first, "from first"), 2);
  second->closeRecordStore();
  first->closeRecordStore();
  EXPECT_EQ(takePending(), -1);
  const StoreContents expected{true, 2, {{1, "from second"}, {2, "from first"}}};
  EXPECT_EQ(contentsOf(u"save"), expected);
}

TEST_F(RecordStoreFilesTest, ANewStoreClosedAfterAnotherOpeningFilledItKeepsTheRecords) {
  // The shell's pattern: one opening held open while another saves.
  RecordStore* held = keep(0, open(u"save"));
  RecordStore* saver = open(u"save");
  add(saver, "game");
  saver->closeRecordStore();
  held->closeRecordStore();
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 1, {{1, "game"}}}));
}

TEST_F(RecordStoreFilesTest, IdsAreNeverReusedAndSetKeepsTheIndex) {
  RecordStore* store = keep(0, open(u"save"));
  EXPECT_EQ(add(store, "a"), 1);
  EXPECT_EQ(add(store, "b"), 2);
  EXPECT_EQ(add(store, "c"), 3);
  store->deleteRecord(3);
  EXPECT_EQ(add(store, "d"), 4);
  const std::string index = readData("rms_save.db");
  set(store, 2, "bee");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(readData("rms_save.db"), index);
  EXPECT_EQ(index, indexBytes(4, {1, 2, 4}));
  // A deleted record leaves an empty file behind.
  EXPECT_TRUE(dataExists("rms_save.db.rec3.db"));
  EXPECT_EQ(readData("rms_save.db.rec3.db"), "");
  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 4, {{1, "a"}, {2, "bee"}, {4, "d"}}}));
}

TEST_F(RecordStoreFilesTest, DeletingAnUnknownIdChangesNothingAndRaisesNothing) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "a");
  const ino_t before = inodeOf(dataFile("rms_save.db"));
  store->deleteRecord(7);
  store->deleteRecord(0);
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(inodeOf(dataFile("rms_save.db")), before);
  EXPECT_EQ(store->getNumRecords(), 1);
}

TEST_F(RecordStoreFilesTest, UnknownIdsRaiseInvalidRecordIdWithTheIdAsMessage) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "a");
  struct Case {
    const char* operation;
    std::function<void()> call;
  } cases[] = {
      {"getRecord", [&] { EXPECT_EQ(store->getRecord(5), nullptr); }},
      {"getRecord into buffer", [&] { EXPECT_EQ(store->getRecord(5, newByteArray(4), 0), 0); }},
      {"getRecordSize", [&] { EXPECT_EQ(store->getRecordSize(5), 0); }},
      {"setRecord", [&] { set(store, 5, "x"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.operation);
    c.call();
    EXPECT_EQ(pendingMessage(), "5");
    EXPECT_EQ(takePending(), classid::javax_microedition_rms_InvalidRecordIDException);
  }
  EXPECT_FALSE(dataExists("rms_save.db.rec5.db"));
}

TEST_F(RecordStoreFilesTest, DeleteRecordStoreLeavesAnExistingEmptyStoreThatCountsFromOneAgain) {
  RecordStore* store = open(u"save");
  add(store, "a");
  add(store, "b");
  RecordStore::deleteRecordStore(newObject<String>("save"));
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(readData("rms_save.db"), "");
  EXPECT_EQ(readData("rms_save.db.rec1.db"), "");
  EXPECT_EQ(readData("rms_save.db.rec2.db"), "");

  RecordStore* again = keep(0, open(u"save", false));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->getNumRecords(), 0);
  EXPECT_EQ(add(again, "new"), 1);
  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 1, {{1, "new"}}}));

  RecordStore::deleteRecordStore(newObject<String>("missing"));
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreNotFoundException);
}

TEST_F(RecordStoreFilesTest, ARecordFileDeletedFromOutsideReadsAsNull) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "a");
  fs::remove(dataFile("rms_save.db.rec1.db"));
  EXPECT_EQ(store->getRecord(1), nullptr);
  EXPECT_EQ(store->getRecordSize(1), 0);
  EXPECT_EQ(store->getRecord(1, newByteArray(4), 0), 0);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(RecordStoreFilesTest, ForbiddenCharactersOfANameBecomeUnderscoresAndTheNameIsLowerCased) {
  RecordStore* store = keep(0, open(u"Slot:1?A"));
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(textOf(store->getPath()), "\\Program Files\\Corvanta\\Quendrill\\rms_Slot_1_A.db");
  add(store, "a");
  EXPECT_EQ(readData("rms_slot_1_a.db"), indexBytes(1, {1}));
  EXPECT_EQ(readData("rms_slot_1_a.db.rec1.db"), "a");
  EXPECT_EQ(contentsOf(u"Slot:1?A"), (StoreContents{true, 1, {{1, "a"}}}));
}

TEST_F(RecordStoreFilesTest, NamesThatShareTheFilesOfAnotherStoreAreRefused) {
  RecordStore* store = keep(0, open(u"slot:1"));
  add(store, "mine");
  wince::LogCapture log;
  // U+0173 keeps only its low byte, 's', on the way to the file system.
  for (const char16_t* other : {u"slot?1", u"slot_1", u"SLOT:1", u"Slot|1", u"\u0173lot:1"}) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(other)));
    EXPECT_EQ(open(other), nullptr);
    EXPECT_EQ(pendingMessage(), "Record store name belongs to another store");
    EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  }
  EXPECT_TRUE(log.contains("belongs to a store of another name"));
  EXPECT_EQ(contentsOf(u"slot:1"), (StoreContents{true, 1, {{1, "mine"}}}));
}

TEST_F(RecordStoreFilesTest, AStoreFromBeforeOwnerFilesIsTakenByTheFirstNameThatChangesIt) {
  writeData("rms_save.db", indexBytes(1, {1}));
  writeData("rms_save.db.rec1.db", "old game");
  RecordStore* store = keep(0, open(u"Save", false));
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(textOf(store->getRecord(1)), "old game");
  set(store, 1, "new game");
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(open(u"save", false), nullptr);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  EXPECT_EQ(contentsOf(u"Save"), (StoreContents{true, 1, {{1, "new game"}}}));
}

TEST_F(RecordStoreFilesTest, ANameThatIsAnotherStoresRecordFileIsRefused) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "game");
  wince::LogCapture log;
  for (const char16_t* alias : {u"save.db.rec1", u"SAVE.DB.REC12"}) {
    EXPECT_EQ(open(alias), nullptr);
    EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  }
  EXPECT_TRUE(log.contains("another store's record file"));
  EXPECT_EQ(readData("rms_save.db.rec1.db"), "game");
  // Names that merely look alike are stores of their own.
  for (const char16_t* name : {u"save.db.rec", u"save.rec1", u"save.db.rec1x"}) {
    EXPECT_NE(open(name), nullptr);
    EXPECT_EQ(takePending(), -1);
  }
}

TEST_F(RecordStoreFilesTest, NamesTheFileSystemRefusesOpenNoStoreAndWriteNothing) {
  for (const char16_t* name : {u"bad\u0001name", u"..\\..\\..\\..\\escape", u"a\\..\\..\\b", u"nul\u0100"}) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(name)));
    EXPECT_EQ(open(name), nullptr);
    EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
    EXPECT_EQ(open(name, false), nullptr);
    EXPECT_NE(takePending(), -1);
  }
  EXPECT_TRUE(dataFiles().empty());
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 0u);
}

TEST_F(RecordStoreFilesTest, RangesOutsideTheDataRaiseAndWriteNothing) {
  RecordStore* store = keep(0, open(u"save"));
  ByteArray* data = keep(1, bytesArray("0123456789"));
  const struct {
    int32_t offset, count;
  } outside[] = {{-1, 2}, {0, -1}, {9, 2}, {11, 0}, {INT32_MAX, 1}, {1, INT32_MAX}};
  for (const auto& range : outside) {
    SCOPED_TRACE(testing::Message() << range.offset << "+" << range.count);
    EXPECT_EQ(store->addRecord(data, range.offset, range.count), 0);
    EXPECT_EQ(takePending(), classid::java_lang_ArrayIndexOutOfBoundsException);
  }
  EXPECT_EQ(store->getNumRecords(), 0);
  EXPECT_FALSE(dataExists("rms_save.db"));

  EXPECT_EQ(store->addRecord(data, 2, 3), 1);
  EXPECT_EQ(store->addRecord(nullptr, 0, 5), 2);
  EXPECT_EQ(store->addRecord(data, 10, 0), 3);
  store->setRecord(1, data, 8, 5);
  EXPECT_EQ(takePending(), classid::java_lang_ArrayIndexOutOfBoundsException);
  EXPECT_EQ(contentsOf(u"save"), (StoreContents{true, 3, {{1, "234"}, {2, ""}, {3, ""}}}));
}

TEST_F(RecordStoreFilesTest, GetRecordIntoABufferWritesOnlyWhenTheRecordFits) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "abc");
  ByteArray* buffer = keep(1, bytesArray("......"));
  EXPECT_EQ(store->getRecord(1, buffer, 3), 3);
  EXPECT_EQ(textOf(buffer), "...abc");
  for (const int32_t offset : {4, -1, 7}) {
    EXPECT_EQ(store->getRecord(1, buffer, offset), 0);
    EXPECT_EQ(takePending(), classid::java_lang_ArrayIndexOutOfBoundsException);
  }
  EXPECT_EQ(textOf(buffer), "...abc");
  EXPECT_EQ(store->getRecord(1, nullptr, 0), 0);
  EXPECT_EQ(takePending(), -1);
}

TEST_F(RecordStoreFilesTest, ARecordAboveTheLimitIsRefusedOnWriteAndOnRead) {
  RecordStore* store = keep(0, open(u"save"));
  EXPECT_EQ(store->addRecord(newByteArray(maxRecordBytes + 1), 0, maxRecordBytes + 1), 0);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreFullException);
  EXPECT_EQ(store->getNumRecords(), 0);

  add(store, "small");
  std::filesystem::resize_file(dataFile("rms_save.db.rec1.db"), maxRecordBytes + 1);
  wince::LogCapture log;
  EXPECT_EQ(store->getRecord(1), nullptr);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  EXPECT_TRUE(log.contains("more than a record may hold"));
  EXPECT_EQ(store->getRecord(1, newByteArray(16), 0), 0);
  EXPECT_EQ(takePending(), -1);
  EXPECT_EQ(store->getRecordSize(1), maxRecordBytes + 1);
}

TEST_F(RecordStoreFilesTest, AStoreWhoseIdsAreUsedUpIsFullInsteadOfWrapping) {
  writeData("rms_save.db", indexBytes(INT32_MAX, {INT32_MAX}));
  RecordStore* store = keep(0, open(u"save", false));
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(add(store, "x"), 0);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreFullException);
  EXPECT_EQ(readData("rms_save.db"), indexBytes(INT32_MAX, {INT32_MAX}));
}

TEST_F(RecordStoreFilesTest, StoresAreReadFromTheInstalledFolderWhenTheDataFolderHasNone) {
  std::ofstream(installed / "rms_bundled.db", std::ios::binary) << indexBytes(1, {1});
  std::ofstream(installed / "rms_bundled.db.rec1.db", std::ios::binary) << "shipped";
  EXPECT_EQ(contentsOf(u"bundled"), (StoreContents{true, 1, {{1, "shipped"}}}));
}

TEST_F(RecordStoreFilesTest, OtherOpeningsListingAndDefaults) {
  EXPECT_EQ(RecordStore::openRecordStore(nullptr, true), nullptr);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);

  RecordStore* store = RecordStore::openRecordStore(newObject<String>("save"), true, 0, false);
  add(keep(0, store), "a");
  RecordStore* byVendor =
      RecordStore::openRecordStore(newObject<String>("save"), newObject<String>(""), newObject<String>(""));
  ASSERT_NE(byVendor, nullptr);
  EXPECT_EQ(byVendor->getNumRecords(), 1);
  // Another vendor's folder lies outside what the file system maps.
  EXPECT_EQ(RecordStore::openRecordStore(newObject<String>("save"), newObject<String>("Other"),
                                         newObject<String>("Game")),
            nullptr);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreNotFoundException);

  ObjectArray* names = RecordStore::listRecordStores();
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(names->length(), 0);
}

TEST_F(RecordStoreFilesTest, WithoutTheLiteralsNoStoreOpensUnderAnotherName) {
  block().literalPool = nullptr;
  wince::LogCapture log;
  EXPECT_EQ(open(u"save"), nullptr);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreException);
  EXPECT_TRUE(log.contains("lacks the parts of record-store file names"));
  EXPECT_TRUE(dataFiles().empty());
}

TEST_F(RecordStoreFilesTest, EnumerationWalksTheIdsInListOrder) {
  RecordStore* store = keep(0, open(u"save"));
  add(store, "a");
  add(store, "b");
  add(store, "c");
  store->deleteRecord(2);
  javax_microedition_rms_RecordEnumeration* walk = store->enumerateRecords(nullptr, nullptr, true);
  ASSERT_NE(walk, nullptr);
  auto* impl = static_cast<javax_microedition_rms_RecordEnumerationImpl*>(walk);
  keep(1, impl);
  EXPECT_EQ(Object::instanceOf(impl, classid::javax_microedition_rms_RecordEnumeration), 1);
  EXPECT_EQ(walk->numRecords(), 2);
  EXPECT_FALSE(walk->hasPreviousElement());
  EXPECT_TRUE(walk->hasNextElement());
  EXPECT_EQ(textOf(walk->nextRecord()), "a");
  EXPECT_EQ(walk->nextRecordId(), 3);
  EXPECT_FALSE(walk->hasNextElement());
  EXPECT_TRUE(walk->hasPreviousElement());

  EXPECT_EQ(walk->nextRecord(), nullptr);
  EXPECT_EQ(pendingMessage(), "Record index out of range: 2");
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_InvalidRecordIDException);
  EXPECT_EQ(walk->nextRecordId(), 0);
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_InvalidRecordIDException);

  walk->reset();
  EXPECT_EQ(textOf(walk->previousRecord()), "a");
  EXPECT_EQ(walk->previousRecordId(), 0);
  EXPECT_EQ(pendingMessage(), "Record index out of range: -1");
  EXPECT_EQ(takePending(), classid::javax_microedition_rms_InvalidRecordIDException);
  EXPECT_FALSE(walk->isKeptUpdated());
  walk->rebuild();
  walk->keepUpdated(true);
  walk->destroy();
  EXPECT_FALSE(walk->isKeptUpdated());
}

}  // namespace
