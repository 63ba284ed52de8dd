#pragma once
// javax_microedition_rms_RecordEnumerationImpl (class id 104): walks a
// store's ids in list order by an index that starts at 0. Filters and
// comparators are never applied; the enumeration is never kept updated.
#include <cstdint>

#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumeration.h"
#include "runtime/object/Object.h"

class javax_microedition_rms_RecordStore;

class javax_microedition_rms_RecordEnumerationImpl : public Object, public javax_microedition_rms_RecordEnumeration {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::javax_microedition_rms_RecordEnumerationImpl;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&javax_microedition_rms_RecordEnumerationImpl::store};
  }

  void init(javax_microedition_rms_RecordStore* owner);

  void* lookupInterface(int32_t interfaceId) override;

  int32_t numRecords() override;
  // Past the end: InvalidRecordIDException. The index moves on only when
  // the record was read.
  ByteArray* nextRecord() override;
  // The id at the index, then the index moves on; an index outside the list
  // raises InvalidRecordIDException (the fixed text and the index).
  int32_t nextRecordId() override;
  // Below 0: InvalidRecordIDException; else the record at the index, and
  // the index moves back.
  ByteArray* previousRecord() override;
  int32_t previousRecordId() override;
  bool hasNextElement() override;
  bool hasPreviousElement() override;
  void reset() override { index = 0; }
  void rebuild() override {}
  void keepUpdated(bool) override {}
  bool isKeptUpdated() override { return false; }
  void destroy() override {}

  int32_t index;
  javax_microedition_rms_RecordStore* store;

 private:
  // The id at the index, or 0 with InvalidRecordIDException pending.
  int32_t idAtIndex();
};
