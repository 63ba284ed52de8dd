#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_rms/RecordStoreFiles.h"
#include "platform/javax_microedition_rms/RecordStoreIndex.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumerationImpl.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/InstallPaths.h"
#include "runtime/io/javax_microedition_io_File.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "wince/file_replace.h"
#include "wince/path_mapping.h"

using RecordStore = javax_microedition_rms_RecordStore;

namespace {

// A name is at most a few dozen characters; anything larger is not one.
constexpr int64_t maxOwnerBytes = 1 << 16;
constexpr int64_t unknownIndex = -1;
constexpr int64_t missingIndex = 0;

bool raised() {
  Application* application = Application::get();
  return application != nullptr && application->getPending() != nullptr;
}

String* literal(LiteralId id) { return literalOrNull(static_cast<int32_t>(id)); }

std::u16string textOf(String* text) { return text == nullptr ? std::u16string() : std::u16string(text->view()); }

std::optional<std::u16string> literalText(LiteralId id) {
  String* text = literal(id);
  if (text == nullptr) return std::nullopt;
  return textOf(text);
}

// A fixed part of a file name in the form the file system sees it.
std::u16string deviceForm(const std::u16string& text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    out += static_cast<char16_t>(c & 0xFF);
  }
  return out;
}

std::u16string decimal(int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

String* newStringOf(const std::u16string& text) {
  return newObject<String>(text.data(), 0, static_cast<int32_t>(text.size()));
}

template <class E>
void raise(LiteralId message) {
  throwNew<E>(literal(message));
}

// Of the index file's bytes as seen: positive, so that it never equals
// missingIndex or unknownIndex.
int64_t digestOf(const WholeFile& file) {
  if (file.state == WholeFile::State::missing) return missingIndex;
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  for (const uint8_t byte : file.bytes) mix(byte);
  for (int shift = 0; shift < 64; shift += 8) mix(static_cast<uint8_t>(static_cast<uint64_t>(file.size) >> shift));
  mix(static_cast<uint8_t>(file.state));
  return static_cast<int64_t>((hash & static_cast<uint64_t>(INT64_MAX)) | 1);
}

int64_t digestOf(const std::vector<uint8_t>& bytes) {
  WholeFile file;
  file.state = WholeFile::State::read;
  file.size = static_cast<int64_t>(bytes.size());
  file.bytes = bytes;
  return digestOf(file);
}

std::vector<uint8_t> utf16BigEndian(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c >> 8));
    bytes.push_back(static_cast<uint8_t>(c));
  }
  return bytes;
}

enum class Owner { none, thisName, otherName };

// Who owns the files at an index path, by its owner file. An owner file that
// cannot be read does not lock the player out of a saved game: it counts as
// none and is written anew by the next change.
Owner ownerOf(const std::u16string& ownerPath, const std::u16string& name) {
  const WholeFile owner = readWholeDeviceFile(ownerPath, maxOwnerBytes);
  if (owner.state == WholeFile::State::missing) return Owner::none;
  if (owner.state != WholeFile::State::read || owner.size % 2 != 0) {
    debugLog("RecordStore: owner file %s is unreadable and will be written anew", printableDevicePath(ownerPath).c_str());
    return Owner::none;
  }
  return owner.bytes == utf16BigEndian(name) ? Owner::thisName : Owner::otherName;
}

// An index path of the form <store><suffix><infix><digits><suffix> is also
// the path of a record file of <store>: such a store would read a record as
// its index and overwrite it with one.
bool namesARecordFile(const std::u16string& devicePath, const std::u16string& suffix, const std::u16string& infix) {
  if (suffix.empty() || devicePath.size() < suffix.size() || !devicePath.ends_with(suffix)) return false;
  std::u16string body = devicePath.substr(0, devicePath.size() - suffix.size());
  size_t digitsStart = body.size();
  while (digitsStart > 0 && body[digitsStart - 1] >= u'0' && body[digitsStart - 1] <= u'9') --digitsStart;
  if (digitsStart == body.size()) return false;
  body.resize(digitsStart);
  return body.ends_with(suffix + infix);
}

// The rest of a host file name after the store's index name: the index
// itself, its owner file or a record file.
bool namesAFileOfTheStore(std::string_view rest, const std::u16string& ownerSuffix, const std::u16string& infix,
                          const std::u16string& suffix) {
  const std::u16string wide(rest.begin(), rest.end());
  if (wide.empty() || wide == ownerSuffix) return true;
  if (!wide.starts_with(infix) || !wide.ends_with(suffix) || wide.size() <= infix.size() + suffix.size()) return false;
  const std::u16string_view digits(wide.data() + infix.size(), wide.size() - infix.size() - suffix.size());
  return std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

// ---- opening ----

RecordStore* RecordStore::openRecordStore(String* name, bool createIfNecessary) {
  return openRecordStore(name, createIfNecessary, 0, true);
}

RecordStore* RecordStore::openRecordStore(String* name, bool createIfNecessary, int32_t, bool) {
  String* defaultVendor = literal(LiteralId::recordStoreDefaultVendor);
  return open(name, defaultVendor, defaultVendor, createIfNecessary);
}

RecordStore* RecordStore::openRecordStore(String* name, String* vendor, String* suite) {
  return open(name, vendor, suite, false);
}

RecordStore* RecordStore::open(String* name, String* vendor, String* suite, bool create) {
  if (name == nullptr) {
    logFailedCheck("NullPointer");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return nullptr;
  }
  const auto separator = literalText(LiteralId::recordStoreSeparator);
  const auto prefix = literalText(LiteralId::recordStorePrefix);
  const auto suffix = literalText(LiteralId::recordStoreSuffix);
  const auto infix = literalText(LiteralId::recordStoreRecordInfix);
  const auto ownerSuffix = literalText(LiteralId::recordStoreOwnerSuffix);
  if (!separator || !prefix || !suffix || !infix || !ownerSuffix) {
    // Without its fixed parts a store would land under another file name.
    debugLog("RecordStore: the string-literal pool lacks the parts of record-store file names");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return nullptr;
  }

  const std::u16string nameText = textOf(name);
  const std::u16string vendorText = textOf(vendor);
  const std::u16string suiteText = textOf(suite);
  std::u16string full = vendorText.empty() || suiteText.empty()
                            ? installFolder()
                            : programFilesFolder() + *separator + vendorText + *separator + suiteText;
  full += *separator + *prefix + nameText + *suffix;
  for (char16_t& c : full) {
    if (c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'<' || c == u'>' || c == u'|') c = u'_';
  }
  String* indexPath = newStringOf(full);
  if (indexPath == nullptr) {
    debugLog("RecordStore: no room for a store's path");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return nullptr;
  }
  const std::optional<std::u16string> device = recordStoreDevicePath(indexPath);
  if (!device) {
    debugLog("RecordStore: a store name holding a character whose low byte is 0 names no file");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return nullptr;
  }
  if (!wince::hostPathForWriting(*device, false)) {
    // Refused (and logged) by the file system: ".." or characters no file
    // name can hold. Such a store can never exist.
    if (create) {
      throwNew<javax_microedition_rms_RecordStoreException>();
    } else {
      throwNew<javax_microedition_rms_RecordStoreNotFoundException>(indexPath);
    }
    return nullptr;
  }
  if (namesARecordFile(*device, deviceForm(*suffix), deviceForm(*infix))) {
    debugLog("RecordStore: %s is the name of another store's record file; refused", printableDevicePath(*device).c_str());
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreNameTaken);
    return nullptr;
  }
  const Owner owner = ownerOf(*device + deviceForm(*ownerSuffix), nameText);
  if (owner == Owner::otherName) {
    debugLog("RecordStore: %s belongs to a store of another name (case or a character made '_'); refused",
             printableDevicePath(*device).c_str());
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreNameTaken);
    return nullptr;
  }

  // A process killed while it replaced one of the store's files left its
  // temporary copy behind; the store's own files are whole either way.
  wince::removeLeftoverTemporaries(*device, [&](std::string_view rest) {
    return namesAFileOfTheStore(rest, deviceForm(*ownerSuffix), deviceForm(*infix), deviceForm(*suffix));
  });
  const bool exists = deviceFileSize(*device) >= 0;
  if (!exists && !create) {
    throwNew<javax_microedition_rms_RecordStoreNotFoundException>(indexPath);
    return nullptr;
  }
  if (!exists && javax_microedition_io_File::availableSize() < 0) {
    raise<javax_microedition_rms_RecordStoreFullException>(LiteralId::recordStoreFull);
    return nullptr;
  }
  RecordStore* store = newObject<RecordStore>(indexPath, name, exists);
  if (store == nullptr) {
    debugLog("RecordStore: no room for a store object");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return nullptr;
  }
  if (raised()) return nullptr;
  store->ownerRecorded = owner == Owner::thisName;
  return store;
}

void RecordStore::init(String* indexPath, String* storeName, bool) {
  path = indexPath;
  name = storeName;
  openMarker = 1;
  nextRecordId = 0;
  seenIndexDigest = unknownIndex;
  ids = newObject<java_util_Vector>(10, 0);
  if (ids == nullptr) {
    debugLog("RecordStore: no room for a store's id list");
    throwNew<javax_microedition_rms_RecordStoreException>();
    return;
  }
  loadIndex();
}

void RecordStore::deleteRecordStore(String* storeName) {
  String* defaultVendor = literal(LiteralId::recordStoreDefaultVendor);
  RecordStore* store = open(storeName, defaultVendor, defaultVendor, false);
  if (store == nullptr) return;
  store->deleteAllRecords();
}

ObjectArray* RecordStore::listRecordStores() { return newObjectArray(0); }

// ---- the index ----

std::u16string RecordStore::indexDevicePath() { return recordStoreDevicePath(path).value_or(std::u16string()); }

std::u16string RecordStore::recordDevicePath(int32_t id) {
  const std::u16string index = indexDevicePath();
  const auto infix = literalText(LiteralId::recordStoreRecordInfix);
  const auto suffix = literalText(LiteralId::recordStoreSuffix);
  if (index.empty() || !infix || !suffix) return std::u16string();
  return index + deviceForm(*infix + decimal(id) + *suffix);
}

std::u16string RecordStore::ownerDevicePath() {
  const std::u16string index = indexDevicePath();
  const auto ownerSuffix = literalText(LiteralId::recordStoreOwnerSuffix);
  if (index.empty() || !ownerSuffix) return std::u16string();
  return index + deviceForm(*ownerSuffix);
}

RecordStoreIndex RecordStore::currentIndex() {
  RecordStoreIndex index;
  index.nextRecordId = nextRecordId;
  const int32_t count = ids->size();
  index.ids.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) index.ids.push_back(static_cast<java_lang_Integer*>(ids->elementAt(i))->value);
  return index;
}

bool RecordStore::takeIndex(const RecordStoreIndex& index) {
  ids->removeAllElements();
  for (const int32_t id : index.ids) {
    java_lang_Integer* boxed = newObject<java_lang_Integer>(id);
    if (boxed == nullptr) {
      debugLog("RecordStore: no room for the ids of %s", printableDevicePath(indexDevicePath()).c_str());
      throwNew<javax_microedition_rms_RecordStoreException>();
      return false;
    }
    ids->addElement(boxed);
    if (raised()) return false;
  }
  nextRecordId = index.nextRecordId;
  return true;
}

bool RecordStore::loadIndex() {
  const std::u16string indexPath = indexDevicePath();
  const WholeFile file = readWholeDeviceFile(indexPath, maxIndexBytes);
  const std::string shown = printableDevicePath(indexPath);
  const auto fromRecordFiles = [this] {
    return indexFromRecordFiles([this](int32_t id) { return deviceFileSize(recordDevicePath(id)); });
  };

  RecordStoreIndex index;
  bool stale = true;
  switch (file.state) {
    case WholeFile::State::missing:
      // A new store, unless its index was lost: records that hold data are
      // never handed out again as new ones.
      index = fromRecordFiles();
      if (!index.ids.empty()) {
        debugLog("RecordStore %s: no index; %zu records taken from the record files, next id %d", shown.c_str(),
                 index.ids.size(), index.nextRecordId + 1);
      }
      break;
    case WholeFile::State::read:
      if (file.bytes.empty()) {
        // What deleteRecordStore leaves; also what an index torn by a
        // crash looks like, so records that hold data are looked for.
        index = fromRecordFiles();
        stale = !index.ids.empty();
        if (stale) {
          debugLog("RecordStore %s: empty index; %zu records taken from the record files, next id %d", shown.c_str(),
                   index.ids.size(), index.nextRecordId + 1);
        }
      } else {
        IndexReading reading = parseRecordStoreIndex(file.bytes);
        if (reading.verdict == IndexVerdict::unreadable) {
          index = fromRecordFiles();
          debugLog("RecordStore %s: index unreadable (%s); %zu records taken from the record files, next id %d",
                   shown.c_str(), reading.problem.c_str(), index.ids.size(), index.nextRecordId + 1);
        } else {
          index = std::move(reading.index);
          stale = reading.verdict == IndexVerdict::mended;
          if (stale) debugLog("RecordStore %s: index mended: %s", shown.c_str(), reading.problem.c_str());
        }
      }
      break;
    case WholeFile::State::tooLarge:
    case WholeFile::State::failed:
      index = fromRecordFiles();
      debugLog("RecordStore %s: index %s; %zu records taken from the record files, next id %d", shown.c_str(),
               file.state == WholeFile::State::tooLarge ? "larger than any store's" : "could not be read",
               index.ids.size(), index.nextRecordId + 1);
      break;
  }
  if (!takeIndex(index)) {
    seenIndexDigest = unknownIndex;
    return false;
  }
  seenIndexDigest = digestOf(file);
  indexStale = stale;
  return true;
}

bool RecordStore::syncWithIndexFile() {
  const WholeFile file = readWholeDeviceFile(indexDevicePath(), maxIndexBytes);
  if (digestOf(file) == seenIndexDigest) return true;
  // Another opening of the store changed it: start from what it wrote.
  return loadIndex();
}

bool RecordStore::recordOwner() {
  if (ownerRecorded) return true;
  const std::u16string ownerPath = ownerDevicePath();
  const std::u16string nameText = textOf(name);
  const Owner owner = ownerPath.empty() ? Owner::otherName : ownerOf(ownerPath, nameText);
  if (owner == Owner::otherName) {
    debugLog("RecordStore %s: taken by a store of another name meanwhile; not written",
             printableDevicePath(indexDevicePath()).c_str());
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreNameTaken);
    return false;
  }
  if (owner == Owner::none && !replaceDeviceFile(ownerPath, utf16BigEndian(nameText))) {
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
    return false;
  }
  ownerRecorded = true;
  return true;
}

bool RecordStore::writeIndex() {
  if (!recordOwner()) return false;
  const std::vector<uint8_t> bytes = serializeRecordStoreIndex(currentIndex());
  if (!replaceDeviceFile(indexDevicePath(), bytes)) {
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
    return false;
  }
  seenIndexDigest = digestOf(bytes);
  indexStale = false;
  return true;
}

void RecordStore::closeRecordStore() {
  if (!indexStale) return;
  const WholeFile file = readWholeDeviceFile(indexDevicePath(), maxIndexBytes);
  if (digestOf(file) != seenIndexDigest) {
    debugLog("RecordStore %s: changed by another opening; its index is left as that one wrote it",
             printableDevicePath(indexDevicePath()).c_str());
    indexStale = false;
    return;
  }
  writeIndex();
}

// ---- records ----

int32_t RecordStore::positionOf(int32_t id) {
  for (int32_t i = ids->size() - 1; i >= 0; --i) {
    if (static_cast<java_lang_Integer*>(ids->elementAt(i))->value == id) return i;
  }
  return -1;
}

int32_t RecordStore::requirePosition(int32_t id) {
  const int32_t position = positionOf(id);
  if (position < 0) throwNew<javax_microedition_rms_InvalidRecordIDException>(intToText(id));
  return position;
}

bool RecordStore::takeRecordBytes(ByteArray* data, int32_t offset, int32_t numBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (data == nullptr) return true;
  if (!rangeInside(offset, numBytes, data->length())) {
    raiseArrayIndexOutOfBounds("RecordStore record bytes", offset < 0 || numBytes < 0 ? offset : int64_t{offset} + numBytes);
    return false;
  }
  if (numBytes > maxRecordBytes) {
    debugLog("RecordStore: a record of %d bytes is above the limit of %lld", numBytes,
             static_cast<long long>(maxRecordBytes));
    raise<javax_microedition_rms_RecordStoreFullException>(LiteralId::recordStoreFull);
    return false;
  }
  if (numBytes > 0) {
    const auto* first = reinterpret_cast<const uint8_t*>(data->elements()) + offset;
    bytes.assign(first, first + numBytes);
  }
  return true;
}

int32_t RecordStore::addRecord(ByteArray* data, int32_t offset, int32_t numBytes) {
  std::vector<uint8_t> bytes;
  if (!takeRecordBytes(data, offset, numBytes, bytes)) return 0;
  if (javax_microedition_io_File::availableSize() < static_cast<int32_t>(bytes.size())) {
    raise<javax_microedition_rms_RecordStoreFullException>(LiteralId::recordStoreFull);
    return 0;
  }
  if (!syncWithIndexFile()) return 0;
  if (ids->size() >= maxRecordsPerStore || nextRecordId == INT32_MAX) {
    debugLog("RecordStore %s: no more records (%d held, last id %d)", printableDevicePath(indexDevicePath()).c_str(),
             ids->size(), nextRecordId);
    raise<javax_microedition_rms_RecordStoreFullException>(LiteralId::recordStoreFull);
    return 0;
  }
  const int32_t id = nextRecordId + 1;
  java_lang_Integer* boxed = newObject<java_lang_Integer>(id);
  if (boxed == nullptr) {
    debugLog("RecordStore: no room for a record id");
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
    return 0;
  }
  if (!recordOwner()) return 0;
  // The record first: until the index names it, a crash leaves the old
  // store, and the next add simply writes the file again.
  if (!replaceDeviceFile(recordDevicePath(id), bytes)) {
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
    return 0;
  }
  ids->addElement(boxed);
  if (raised()) return 0;
  nextRecordId = id;
  if (!writeIndex()) {
    ids->removeElementAt(ids->size() - 1);
    nextRecordId = id - 1;
    return 0;
  }
  return id;
}

void RecordStore::setRecord(int32_t id, ByteArray* data, int32_t offset, int32_t numBytes) {
  if (!syncWithIndexFile()) return;
  if (requirePosition(id) < 0) return;
  std::vector<uint8_t> bytes;
  if (!takeRecordBytes(data, offset, numBytes, bytes)) return;
  const int64_t currentSize = std::max<int64_t>(deviceFileSize(recordDevicePath(id)), 0);
  if (javax_microedition_io_File::availableSize() < static_cast<int64_t>(bytes.size()) - currentSize) {
    raise<javax_microedition_rms_RecordStoreFullException>(LiteralId::recordStoreFull);
    return;
  }
  // A repaired or new index goes first, so that it lists the record before
  // the record changes.
  if (indexStale && !writeIndex()) return;
  if (!recordOwner()) return;
  if (!replaceDeviceFile(recordDevicePath(id), bytes)) {
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
  }
}

void RecordStore::deleteRecord(int32_t id) {
  if (!syncWithIndexFile()) return;
  const int32_t position = positionOf(id);
  if (position < 0) return;
  Object* removed = ids->elementAt(position);
  ids->removeElementAt(position);
  // The index first: a listed record is never one that was emptied.
  if (!writeIndex()) {
    ids->insertElementAt(removed, position);
    return;
  }
  if (!replaceDeviceFile(recordDevicePath(id), {})) {
    debugLog("RecordStore %s: record %d is out of the index but its file keeps its bytes",
             printableDevicePath(indexDevicePath()).c_str(), id);
  }
}

void RecordStore::deleteAllRecords() {
  // Each delete may first take in what another opening wrote, so the list
  // is read afresh every time; each pass removes one id.
  for (int32_t passes = ids->size() + maxRecordsPerStore; ids->size() > 0 && passes > 0; --passes) {
    deleteRecord(static_cast<java_lang_Integer*>(ids->elementAt(ids->size() - 1))->value);
    if (raised()) return;
  }
  if (!recordOwner()) return;
  const std::vector<uint8_t> empty;
  if (!replaceDeviceFile(indexDevicePath(), empty)) {
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreWriteFailed);
    return;
  }
  // As a new opening would read it.
  nextRecordId = 0;
  seenIndexDigest = digestOf(empty);
  indexStale = false;
}

int32_t RecordStore::getNumRecords() { return ids->size(); }

int32_t RecordStore::getNextRecordID() { return nextRecordId + 1; }

int32_t RecordStore::getSize() {
  int64_t total = 0;
  for (int32_t i = 0; i < ids->size(); ++i) {
    const int64_t size = deviceFileSize(recordDevicePath(static_cast<java_lang_Integer*>(ids->elementAt(i))->value));
    if (size > 0) total += size;
  }
  return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

int32_t RecordStore::getRecordSize(int32_t id) {
  if (requirePosition(id) < 0) return 0;
  const int64_t size = deviceFileSize(recordDevicePath(id));
  return static_cast<int32_t>(std::clamp<int64_t>(size, 0, INT32_MAX));
}

ByteArray* RecordStore::getRecord(int32_t id) {
  if (requirePosition(id) < 0) return nullptr;
  const std::u16string recordPath = recordDevicePath(id);
  const WholeFile file = readWholeDeviceFile(recordPath, maxRecordBytes);
  switch (file.state) {
    case WholeFile::State::missing: return nullptr;
    case WholeFile::State::tooLarge:
      debugLog("RecordStore %s: %lld bytes, more than a record may hold; not read", printableDevicePath(recordPath).c_str(),
               static_cast<long long>(file.size));
      raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreReadFailed);
      return nullptr;
    case WholeFile::State::failed:
      debugLog("RecordStore %s: could not be read whole", printableDevicePath(recordPath).c_str());
      raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreReadFailed);
      return nullptr;
    case WholeFile::State::read: break;
  }
  const auto size = static_cast<int32_t>(file.bytes.size());
  ByteArray* record = newByteArray(size);
  if (record == nullptr || record->length() != size) {
    debugLog("RecordStore %s: no room for a record of %d bytes", printableDevicePath(recordPath).c_str(), size);
    raise<javax_microedition_rms_RecordStoreException>(LiteralId::recordStoreReadFailed);
    return nullptr;
  }
  if (size > 0) std::memcpy(record->elements(), file.bytes.data(), file.bytes.size());
  return record;
}

int32_t RecordStore::getRecord(int32_t id, ByteArray* buffer, int32_t offset) {
  if (requirePosition(id) < 0) return 0;
  if (buffer == nullptr) {
    logFailedCheck("NullPointer");
    return 0;
  }
  const std::u16string recordPath = recordDevicePath(id);
  const WholeFile file = readWholeDeviceFile(recordPath, maxRecordBytes);
  if (file.state != WholeFile::State::read) {
    if (file.state != WholeFile::State::missing) {
      debugLog("RecordStore %s: could not be read (%lld bytes)", printableDevicePath(recordPath).c_str(),
               static_cast<long long>(file.size));
    }
    return 0;
  }
  const auto size = static_cast<int32_t>(file.bytes.size());
  if (!rangeInside(offset, size, buffer->length())) {
    raiseArrayIndexOutOfBounds("RecordStore.getRecord", offset < 0 ? offset : int64_t{offset} + size);
    return 0;
  }
  if (size > 0) std::memcpy(buffer->elements() + offset, file.bytes.data(), file.bytes.size());
  return size;
}

javax_microedition_rms_RecordEnumeration* RecordStore::enumerateRecords(javax_microedition_rms_RecordFilter*,
                                                                        javax_microedition_rms_RecordComparator*,
                                                                        bool) {
  auto* enumeration = newObject<javax_microedition_rms_RecordEnumerationImpl>(this);
  return enumeration != nullptr ? static_cast<javax_microedition_rms_RecordEnumeration*>(enumeration) : nullptr;
}
