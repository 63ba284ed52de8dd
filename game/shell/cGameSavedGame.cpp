// The saved game: one 35-byte little-endian record (version 6) holding the
// settings and the progress, record 1 of the store named by literal 166.
// The record store replaces its files atomically, so a save that fails or
// is cut short leaves the old record; a failure never reaches the player.
#include <algorithm>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/PendingExceptions.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/LiteralIds.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t recordVersion = 6;
constexpr int32_t recordBytes = 35;
constexpr int32_t partnerSlots = 6;
constexpr int32_t maxChaptersOpen = 10;

cGameSaveStatics& save() { return shellStatics().cGameSave; }

String* storeName() { return stringLiteral(static_cast<int32_t>(LiteralId::savedGameStore)); }

// The game's catch of any exception around a record-store call.
bool takeException() { return takePendingException(classid::java_lang_Exception); }

int32_t firstAvailableLanguage() { return loadElement(save().availableLanguages, 0); }

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
  ByteArray* data = readRecord(storeName());
  cGameSaveStatics& saved = save();
  if (data == nullptr || data->length() < recordBytes || data->get(0) != recordVersion) {
    // A first start: sound and flags A and B keep what they are.
    resetCounters();
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
  openStore(name);
  javax_microedition_rms_RecordStore* store = save().openStore;
  ByteArray* data = nullptr;
  if (!takeException() && store != nullptr && store->getNumRecords() > 0) {
    data = store->getRecord(1);
    if (takeException()) data = nullptr;
  }
  closeStore();
  return data;
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
