#pragma once
// What the record-store tests share: a runtime with the literals the stores
// name their files by, a throw-away data and installed folder, host-side
// access to the store files, and helpers for the pending exception.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/Application.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/file_faults.h"
#include "wince/file_io.h"
#include "wince/path_mapping.h"

namespace rmstest {

namespace fs = std::filesystem;
using RecordStore = javax_microedition_rms_RecordStore;

inline std::string bytesOf(std::initializer_list<int> values) {
  std::string out;
  for (const int value : values) out += static_cast<char>(value);
  return out;
}

// An index file's bytes: next id, count, ids, big-endian.
inline std::string indexBytes(int32_t nextId, std::vector<int32_t> ids) {
  std::string out;
  const auto append = [&out](int32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(static_cast<uint32_t>(value) >> shift);
  };
  append(nextId);
  append(static_cast<int32_t>(ids.size()));
  for (const int32_t id : ids) append(id);
  return out;
}

// What reopening a store shows: its next id and its records in list order.
struct StoreContents {
  bool exists = false;
  int32_t nextRecordId = 0;
  std::vector<std::pair<int32_t, std::string>> records;
  bool operator==(const StoreContents&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const StoreContents& contents) {
  if (!contents.exists) return out << "(no store)";
  out << "next " << contents.nextRecordId << ":";
  for (const auto& [id, bytes] : contents.records) out << " " << id << "=\"" << bytes << "\"";
  return out;
}

class RecordStoreFixture : public RuntimeFixture {
 protected:
  static constexpr int32_t keptSlots = 64;

  // Room in the native pool for a record above the size limit.
  RecordStoreFixture() : RuntimeFixture(defaultObjectHeapBytes, 4u << 20) {}

  void SetUp() override {
    RuntimeFixture::SetUp();
    installLiterals();
    testRoots().kept = newObjectArray(keptSlots);
  }

  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
    EXPECT_EQ(wince::openFileCount(), 0);
  }

  void installLiterals() {
    ObjectArray* pool = newObjectArray(320);
    block().literalPool = pool;
    const struct {
      int32_t index;
      const char16_t* text;
    } literals[] = {
        {1, u""},
        {265, u"Array index out of range: "},
        {300, u"\\"},
        {301, u"rms_"},
        {302, u".db"},
        {303, u".rec"},
        {304, u""},
        {305, u".owner"},
        {306, u"Record store is full"},
        {307, u"Record store could not be written"},
        {308, u"Record index out of range: "},
        {309, u"Record store name belongs to another store"},
        {310, u"Record could not be read"},
    };
    for (const auto& literal : literals) pool->set(literal.index, newObject<String>(literal.text));
  }

  // Keeps the object reachable for the collector until the test ends.
  template <class T>
  T* keep(int32_t slot, T* object) {
    testRoots().kept->set(slot, object);
    return object;
  }

  RecordStore* open(const std::u16string& name, bool create = true) {
    return RecordStore::openRecordStore(newObject<String>(name.c_str()), create);
  }

  static ByteArray* bytesArray(const std::string& bytes) {
    ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    return array;
  }
  static std::string textOf(String* text) { return asciiOf(text); }
  static std::string textOf(ByteArray* array) {
    if (array == nullptr) return "(null)";
    std::string out;
    for (int32_t i = 0; i < array->length(); ++i) out += static_cast<char>(array->get(i));
    return out;
  }

  int32_t add(RecordStore* store, const std::string& bytes) {
    return store->addRecord(bytesArray(bytes), 0, static_cast<int32_t>(bytes.size()));
  }
  void set(RecordStore* store, int32_t id, const std::string& bytes) {
    store->setRecord(id, bytesArray(bytes), 0, static_cast<int32_t>(bytes.size()));
  }

  // The store as a new opening shows it.
  StoreContents contentsOf(const std::u16string& name) {
    StoreContents contents;
    RecordStore* store = open(name, false);
    if (store == nullptr) {
      EXPECT_EQ(takePending(), classid::javax_microedition_rms_RecordStoreNotFoundException);
      return contents;
    }
    contents.exists = true;
    contents.nextRecordId = store->getNextRecordID() - 1;
    for (int32_t i = 0; i < store->getNumRecords(); ++i) {
      const int32_t id = static_cast<java_lang_Integer*>(store->ids->elementAt(i))->value;
      contents.records.emplace_back(id, textOf(store->getRecord(id)));
    }
    EXPECT_EQ(takePending(), -1);
    return contents;
  }

  // Host files of the data folder.
  fs::path dataFile(const std::string& name) { return data / name; }
  std::string readData(const std::string& name) {
    std::ifstream in(dataFile(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void writeData(const std::string& name, const std::string& bytes) {
    fs::create_directories(data);
    std::ofstream(dataFile(name), std::ios::binary) << bytes;
  }
  bool dataExists(const std::string& name) { return fs::exists(dataFile(name)); }
  // Files of the data folder, by name.
  std::vector<std::string> dataFiles() {
    std::vector<std::string> names;
    if (!fs::exists(data)) return names;
    for (const auto& entry : fs::directory_iterator(data)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Every write syncs; on a memory file system that costs nothing.
  static fs::path folderBase() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm")
                                                                                  : fs::temp_directory_path();
  }

  testsupport::MappedFileSystem m_folders{"record-store", folderBase()};
  const fs::path &root = m_folders.root, &installed = m_folders.installed, &data = m_folders.data;
};

}  // namespace rmstest
