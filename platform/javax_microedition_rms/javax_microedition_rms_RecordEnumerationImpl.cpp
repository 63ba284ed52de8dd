#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumerationImpl.h"

#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"

using Enumeration = javax_microedition_rms_RecordEnumerationImpl;

void Enumeration::init(javax_microedition_rms_RecordStore* owner) {
  index = 0;
  store = owner;
}

void* Enumeration::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::javax_microedition_rms_RecordEnumeration
             ? static_cast<javax_microedition_rms_RecordEnumeration*>(this)
             : nullptr;
}

int32_t Enumeration::numRecords() { return store != nullptr ? store->getNumRecords() : 0; }

int32_t Enumeration::idAtIndex() {
  if (store == nullptr || index < 0 || index >= store->getNumRecords()) {
    String* text = literalOrNull(static_cast<int32_t>(LiteralId::recordStoreBadIndex));
    String* number = intToText(index);
    String* message = text != nullptr && number != nullptr ? text->concat(number) : number;
    throwNew<javax_microedition_rms_InvalidRecordIDException>(message);
    return 0;
  }
  return static_cast<java_lang_Integer*>(store->ids->elementAt(index))->value;
}

int32_t Enumeration::nextRecordId() {
  const int32_t id = idAtIndex();
  if (Application::get()->getPending() != nullptr) return 0;
  ++index;
  return id;
}

int32_t Enumeration::previousRecordId() {
  const int32_t id = idAtIndex();
  if (Application::get()->getPending() != nullptr) return 0;
  --index;
  return id;
}

ByteArray* Enumeration::nextRecord() {
  const int32_t id = idAtIndex();
  if (Application::get()->getPending() != nullptr) return nullptr;
  ByteArray* record = store->getRecord(id);
  if (Application::get()->getPending() != nullptr) return nullptr;
  ++index;
  return record;
}

ByteArray* Enumeration::previousRecord() {
  const int32_t id = idAtIndex();
  if (Application::get()->getPending() != nullptr) return nullptr;
  ByteArray* record = store->getRecord(id);
  if (Application::get()->getPending() != nullptr) return nullptr;
  --index;
  return record;
}

bool Enumeration::hasNextElement() { return index < numRecords(); }

bool Enumeration::hasPreviousElement() { return index > 0; }
