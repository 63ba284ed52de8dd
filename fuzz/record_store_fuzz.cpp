// Opening and reading a record store over any index, record and owner
// files. Input: a control byte c, then (c & 7) record lengths of one byte
// each, then the owner file's length in one byte when c & 0x08, then the
// records' bytes, then the owner file's bytes, then the index file's bytes
// (none when c & 0x80). Record i has id i + 1, or 7 x (i + 1) when c & 0x40
// (gaps); c & 0x20 opens with create. The owner file, when there is one,
// names the store that its files belong to. Whatever the files hold: the store's ids are positive,
// unique and never above the last id handed out, every listed record reads
// as its file or raises a record-store exception, and a store closed and
// opened again shows the same ids.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_folders.h"
#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/fuzz_require.h"
#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_rms/RecordStoreIndex.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumeration.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

namespace fs = std::filesystem;
using fuzzfolders::dataFolder;
using RecordStore = javax_microedition_rms_RecordStore;

Application* startRuntime() {
  fuzzfolders::mapThrowAwayFolders("record-store-fuzz");

  auto* application = new Application();
  application->init(nullptr, 4u << 20, 4u << 20);
  ObjectArray* pool = newObjectArray(320);
  application->getStaticClass()->literalPool = pool;
  const struct {
    int32_t index;
    const char* text;
  } literals[] = {{1, ""}, {300, "\\"}, {301, "rms_"}, {302, ".db"}, {303, ".rec"}, {304, ""}, {305, ".owner"},
                      {306, "Record store is full"}, {307, "Record store could not be written"},
                      {308, "Record index out of range: "}, {309, "Record store name belongs to another store"},
                      {310, "Record could not be read"}};
  for (const auto& literal : literals) pool->set(literal.index, newString(literal.text));
  return application;
}

bool isRecordStoreException(Object* thrown) {
  const uint16_t id = thrown->getClassId();
  return id == classid::javax_microedition_rms_RecordStoreException ||
         id == classid::javax_microedition_rms_InvalidRecordIDException ||
         id == classid::javax_microedition_rms_RecordStoreNotFoundException;
}

// The pending exception, if any, is one a store may raise; it is cleared.
bool takeStoreFailure(Application* application) {
  Object* pending = application->getPending();
  if (pending == nullptr) return false;
  require(isRecordStoreException(pending));
  application->m_pending = nullptr;
  return true;
}

void writeFile(const fs::path& path, const uint8_t* bytes, size_t size) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

std::vector<int32_t> idsOf(RecordStore* store) {
  std::vector<int32_t> ids;
  for (int32_t i = 0; i < store->getNumRecords(); ++i) {
    ids.push_back(static_cast<java_lang_Integer*>(store->ids->elementAt(i))->value);
  }
  return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 1 || size > (1u << 18)) return 0;
  const uint8_t control = data[0];
  const size_t recordCount = control & 7;
  const bool hasOwnerFile = (control & 0x08) != 0;
  const size_t lengthBytes = recordCount + (hasOwnerFile ? 1 : 0);
  if (size < 1 + lengthBytes) return 0;

  std::error_code ignored;
  fs::remove_all(dataFolder(), ignored);
  fs::create_directories(dataFolder());
  size_t at = 1 + lengthBytes;
  std::vector<int64_t> recordSizes;
  for (size_t i = 0; i < recordCount; ++i) {
    const size_t length = std::min<size_t>(data[1 + i], size - at);
    const int32_t id = static_cast<int32_t>(i + 1) * ((control & 0x40) != 0 ? 7 : 1);
    writeFile(dataFolder() / ("rms_fuzz.db.rec" + std::to_string(id) + ".db"), data + at, length);
    at += length;
  }
  if (hasOwnerFile) {
    const size_t length = std::min<size_t>(data[1 + recordCount], size - at);
    writeFile(dataFolder() / "rms_fuzz.db.owner", data + at, length);
    at += length;
  }
  if ((control & 0x80) == 0) writeFile(dataFolder() / "rms_fuzz.db", data + at, size - at);

  RecordStore* store = RecordStore::openRecordStore(newString("fuzz"), (control & 0x20) != 0);
  if (store == nullptr) {
    require(takeStoreFailure(application));
    return 0;
  }
  require(application->getPending() == nullptr);
  const std::vector<int32_t> ids = idsOf(store);
  require(ids.size() <= static_cast<size_t>(maxRecordsPerStore));
  std::set<int32_t> distinct;
  // The next id wraps past the last one as Java's int does; the highest id
  // handed out is one below it.
  const auto highestId = static_cast<int32_t>(static_cast<uint32_t>(store->getNextRecordID()) - 1u);
  for (const int32_t id : ids) {
    require(id > 0 && id <= highestId);
    require(distinct.insert(id).second);
    ByteArray* record = store->getRecord(id);
    if (takeStoreFailure(application)) continue;
    const int32_t recordSize = store->getRecordSize(id);
    require(!takeStoreFailure(application));
    require(record == nullptr || record->length() == recordSize);
  }
  require(store->getSize() >= 0);
  javax_microedition_rms_RecordEnumeration* walk = store->enumerateRecords(nullptr, nullptr, false);
  require(walk != nullptr && walk->numRecords() == static_cast<int32_t>(ids.size()));
  for (size_t i = 0; i < ids.size(); ++i) require(walk->nextRecordId() == ids[i]);
  require(!walk->hasNextElement());

  const int32_t nextRecordId = store->getNextRecordID();
  store->closeRecordStore();
  require(!takeStoreFailure(application));
  RecordStore* again = RecordStore::openRecordStore(newString("fuzz"), false);
  require(again != nullptr && application->getPending() == nullptr);
  require(idsOf(again) == ids && again->getNextRecordID() == nextRecordId);
  return 0;
}
