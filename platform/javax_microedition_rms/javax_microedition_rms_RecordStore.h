#pragma once
// javax_microedition_rms_RecordStore (class id 107): a record store kept as
// plain files, one index file (RecordStoreIndex.h) and one file per record
// holding its bytes. Paths: folder + "\" + prefix + name + suffix for the
// index, index path + infix + decimal id + suffix for a record (the texts are
// string literals 300..303); / : * ? < > | become '_' and the whole path is
// lower-cased. No cache, no locking: one thread per store object.
//
// Every file is replaced atomically, records before the index on add and
// set, the index before the record on delete, so that the index never lists
// a record that is not (or no longer) there. A store that several objects
// have open stays whole: each change starts from the index on disk, and a
// close writes only what its own object changed.
//
// Two names that would share files (they differ in case or in a character
// that becomes '_') are told apart by an owner file beside the index that
// holds the name which first wrote the store; any other name is refused.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/object/Object.h"

class ByteArray;
class ObjectArray;
class String;
class java_util_Vector;
class javax_microedition_rms_RecordComparator;
class javax_microedition_rms_RecordEnumeration;
class javax_microedition_rms_RecordFilter;
struct RecordStoreIndex;

class javax_microedition_rms_RecordStore : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_rms_RecordStore;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_rms_RecordStore::path, &javax_microedition_rms_RecordStore::ids,
                              &javax_microedition_rms_RecordStore::name};
  }

  // openRecordStore(name, create, 0, true).
  static javax_microedition_rms_RecordStore* openRecordStore(String* name, bool createIfNecessary);
  // The install folder; authmode and writable are not used.
  static javax_microedition_rms_RecordStore* openRecordStore(String* name, bool createIfNecessary, int32_t authmode,
                                                             bool writable);
  // Never creates. A vendor and suite other than empty name a folder under
  // Program Files, which the file system refuses unless it is the install
  // folder.
  static javax_microedition_rms_RecordStore* openRecordStore(String* name, String* vendor, String* suite);
  // Deletes every record and empties the index; the files stay, so the store
  // still exists, with no records and ids counting from 1 again.
  static void deleteRecordStore(String* name);
  // No folder is listed: always an empty array.
  static ObjectArray* listRecordStores();

  // Writes the index when this object holds changes the file lacks (a new
  // store, a repaired index); the object stays usable.
  void closeRecordStore();
  int32_t getNumRecords();
  int32_t getNextRecordID();
  // Sum of the record files' sizes.
  virtual int32_t getSize();
  // Unknown id: InvalidRecordIDException with the id in decimal.
  int32_t getRecordSize(int32_t id);
  // Null when the record file is missing; a file above maxRecordBytes or one
  // that cannot be read raises RecordStoreException.
  ByteArray* getRecord(int32_t id);
  // The record into buffer at offset; its size, or 0 when the file is
  // missing or unreadable. A record that does not fit raises
  // ArrayIndexOutOfBoundsException and writes nothing.
  int32_t getRecord(int32_t id, ByteArray* buffer, int32_t offset);
  // The new id. A range outside data raises ArrayIndexOutOfBoundsException;
  // a record above maxRecordBytes, a store of maxRecordsPerStore records or
  // one whose ids are used up raises RecordStoreFullException; a failed
  // write raises RecordStoreException. On any failure the store is as it
  // was.
  int32_t addRecord(ByteArray* data, int32_t offset, int32_t numBytes);
  void setRecord(int32_t id, ByteArray* data, int32_t offset, int32_t numBytes);
  // An id not in the list: nothing. The record file is emptied, not removed.
  void deleteRecord(int32_t id);
  // Over this store's ids in list order; the arguments are not used.
  javax_microedition_rms_RecordEnumeration* enumerateRecords(javax_microedition_rms_RecordFilter* filter,
                                                             javax_microedition_rms_RecordComparator* comparator,
                                                             bool keepUpdated);
  String* getPath() { return path; }
  int32_t getOpenMarker() { return openMarker; }
  // Deletes every record from the last to the first, then empties the index
  // file.
  void deleteAllRecords();

  // The constructor: index as read from the files (see open).
  void init(String* indexPath, String* storeName, bool exists);

  String* path;             // the index file, before lower-casing
  java_util_Vector* ids;    // java_lang_Integer ids in file order
  int32_t nextRecordId;     // the last id handed out
  int32_t openMarker;       // 1 from construction on
  String* name;             // as asked for; the owner file holds it
  int64_t seenIndexDigest;  // of the index file as last read or written; 0: none
  bool indexStale;          // this object holds changes the index file lacks
  bool ownerRecorded;       // the owner file is known to hold name

  // Position of id in the list, or -1.
  int32_t positionOf(int32_t id);

 private:
  // The store's core open; null with the exception pending on failure.
  static javax_microedition_rms_RecordStore* open(String* name, String* vendor, String* suite, bool create);
  // Takes the index (or what the record files show) into the object; false
  // with RecordStoreException pending when the heap cannot hold it.
  bool loadIndex();
  bool takeIndex(const RecordStoreIndex& index);
  // Before a change: the index on disk, reloaded when another object changed
  // it since this one last saw it.
  bool syncWithIndexFile();
  bool writeIndex();
  bool recordOwner();
  RecordStoreIndex currentIndex();
  // The device paths of the index, a record and the owner file; empty when
  // the path cannot name a file.
  std::u16string indexDevicePath();
  std::u16string recordDevicePath(int32_t id);
  std::u16string ownerDevicePath();
  // The id's position, or -1 with InvalidRecordIDException pending.
  int32_t requirePosition(int32_t id);
  // Copies data[offset, offset + numBytes) into bytes; false with the
  // exception pending when the range or size is refused.
  static bool takeRecordBytes(ByteArray* data, int32_t offset, int32_t numBytes, std::vector<uint8_t>& bytes);
};
