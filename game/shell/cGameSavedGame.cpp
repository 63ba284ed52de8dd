// The saved game: one 35-byte little-endian record (version 6) holding the
// settings and the progress, record 1 of the store named by literal 166.
// The record store replaces its files atomically, so a save that fails or
// is cut short leaves the old record; a failure never reaches the player.
// A record the start refuses is kept in a store of its own before a blank
// one replaces it, and one that cannot be read is left alone: the game never
// overwrites progress it did not read.
#include <algorithm>
#include <string>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/PendingExceptions.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/LiteralIds.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t recordVersion = 6;
constexpr int32_t recordBytes = 35;
constexpr int32_t partnerSlots = 6;
constexpr int32_t maxChaptersOpen = 10;
// Copies of refused records a data folder may hold; past it none is made.
constexpr int32_t maxKeptCopies = 100;

cGameSaveStatics& save() { return shellStatics().cGameSave; }

String* storeName() { return stringLiteral(static_cast<int32_t>(LiteralId::savedGameStore)); }

// The game's catch of any exception around a record-store call.
bool takeException() { return takePendingException(classid::java_lang_Exception); }

int32_t firstAvailableLanguage() { return loadElement(save().availableLanguages, 0); }

enum class RecordRead { none, read, failed };

// Record 1 of the store; failed when the store holds it but it could not be
// read.
ByteArray* readFirstRecord(String* name, RecordRead& outcome) {
  cGame::openStore(name);
  javax_microedition_rms_RecordStore* store = save().openStore;
  ByteArray* data = nullptr;
  outcome = RecordRead::none;
  if (takeException()) {
    outcome = RecordRead::failed;
  } else if (store != nullptr && store->getNumRecords() > 0) {
    data = store->getRecord(1);
    if (takeException()) {
      data = nullptr;
      outcome = RecordRead::failed;
    } else if (data != nullptr) {
      outcome = RecordRead::read;
    }
  }
  cGame::closeStore();
  return data;
}

// The refused record as record 1 of the first free store named
// <store>-refused-<n>; the store's name, or null when no copy was made.
String* keepRefusedRecord(ByteArray* data) {
  String* infix = stringLiteral(static_cast<int32_t>(LiteralId::savedGameRefusedInfix));
  String* prefix = infix != nullptr ? storeName()->concat(infix) : nullptr;
  for (int32_t n = 1; prefix != nullptr && n <= maxKeptCopies; ++n) {
    String* name = prefix->concat(intToText(n));
    if (name == nullptr) return nullptr;
    javax_microedition_rms_RecordStore* existing = javax_microedition_rms_RecordStore::openRecordStore(name, false);
    if (!takePendingException(classid::javax_microedition_rms_RecordStoreNotFoundException)) {
      // Taken by an earlier copy, or not to be told apart from one.
      if (takeException()) return nullptr;
      if (existing != nullptr) existing->closeRecordStore();
      takeException();
      continue;
    }
    javax_microedition_rms_RecordStore* store = javax_microedition_rms_RecordStore::openRecordStore(name, true);
    if (takeException() || store == nullptr) return nullptr;
    store->addRecord(data, 0, data->length());
    const bool kept = !takeException();
    store->closeRecordStore();
    takeException();
    return kept ? name : nullptr;
  }
  return nullptr;
}

std::string asciiOf(String* text) {
  std::string out;
  if (text != nullptr)
    for (const char16_t c : text->view()) out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

void cGame::clinitSavedGame() {
  cGameSaveStatics& saved = save();
  saved.availableLanguages = newIntArray(1);
  saved.partnerItemCounts = newIntArray(partnerSlots);
}

void cGame::saveSettings() {
  ByteArray* data = newByteArray(recordBytes);
  if (data == nullptr) return;
  const cGameSaveStatics& saved = save();
  set(data, 0);
  writeByte(recordVersion);
  writeByte(saved.language);
  writeBoolean(toolkitStatics().cGameSound.soundOn);
  writeByte(0);
  writeBoolean(saved.savedFlagA);
  writeBoolean(saved.savedFlagB);
  writeBoolean(saved.savedFlagC);
  writeByte(saved.chaptersOpen);
  writeBoolean(saved.resultsFlag);
  writeShort(saved.resultsCounter);
  for (int32_t i = 0; i < partnerSlots; ++i) writeInt(loadElement(saved.partnerItemCounts, i));
  restore();
  storeRecord(storeName(), data, 0, recordBytes);
}

void cGame::loadSettings() {
  RecordRead outcome;
  ByteArray* data = readFirstRecord(storeName(), outcome);
  cGameSaveStatics& saved = save();
  if (data == nullptr || data->length() < recordBytes || data->get(0) != recordVersion) {
    // A first start: sound and flags A and B keep what they are.
    resetCounters();
    if (outcome == RecordRead::failed) {
      debugLog("cGame: the saved game could not be read; it is left as it is and the game starts afresh");
      return;
    }
    if (data != nullptr && data->length() > 0) {
      const int32_t length = data->length();
      const int32_t version = data->get(0) & 0xFF;
      String* copy = keepRefusedRecord(data);
      if (copy == nullptr) {
        debugLog("cGame: the saved game (%d bytes, version %d) is refused and could not be kept aside; "
                 "it is left as it is and the game starts afresh",
                 length, version);
        return;
      }
      debugLog("cGame: the saved game (%d bytes, version %d) is refused; kept as record store %s, "
               "then a blank one is written",
               length, version, asciiOf(copy).c_str());
    }
    saveSettings();
    return;
  }
  set(data, 1);
  saved.language = readUnsignedByte();
  toolkitStatics().cGameSound.soundOn = readBoolean();
  skip(1);
  saved.savedFlagA = readBoolean();
  saved.savedFlagB = readBoolean();
  saved.savedFlagC = readBoolean();
  // The play menu offers at most ten chapters, whatever a damaged record says.
  saved.chaptersOpen = std::min(readUnsignedByte(), maxChaptersOpen);
  saved.resultsFlag = readBoolean();
  saved.resultsCounter = readShort();
  for (int32_t i = 0; i < partnerSlots; ++i) storeElement(saved.partnerItemCounts, i, readInt());
  restore();
  // This build offers one language, whatever the record names.
  saved.language = firstAvailableLanguage();
}

void cGame::resetCounters() {
  cGameSaveStatics& saved = save();
  saved.language = firstAvailableLanguage();
  saved.savedFlagC = false;
  saved.chaptersOpen = 0;
  saved.resultsFlag = false;
  saved.resultsCounter = 0;
  // Without memory for a new array the old one is emptied, so the counts
  // never become null.
  if (IntArray* counts = newIntArray(partnerSlots)) {
    saved.partnerItemCounts = counts;
  } else if (saved.partnerItemCounts != nullptr) {
    for (int32_t i = 0; i < partnerSlots; ++i) saved.partnerItemCounts->set(i, 0);
  }
}

void cGame::resetSettings() {
  resetCounters();
  saveSettings();
}

void cGame::openStore(String* name) {
  save().openStore = javax_microedition_rms_RecordStore::openRecordStore(name, true);
}

void cGame::closeStore() {
  cGameSaveStatics& saved = save();
  if (saved.openStore != nullptr) {
    saved.openStore->closeRecordStore();
    takeException();
  }
  saved.openStore = nullptr;
}

ByteArray* cGame::readRecord(String* name) {
  RecordRead ignored;
  return readFirstRecord(name, ignored);
}

void cGame::storeRecord(String* name, ByteArray* data, int32_t offset, int32_t length) {
  openStore(name);
  javax_microedition_rms_RecordStore* store = save().openStore;
  if (!takeException() && store != nullptr) {
    if (store->getNumRecords() > 0) {
      store->setRecord(1, data, offset, length);
    } else {
      store->addRecord(data, offset, length);
    }
    takeException();
  }
  closeStore();
}

ByteArray* cGame::loadRecord(String* name) { return readRecord(name); }

java_io_ByteArrayInputStream* cGame::openRecordStream(String* name) {
  ByteArray* data = readRecord(name);
  return data != nullptr ? newObject<java_io_ByteArrayInputStream>(data) : nullptr;
}
