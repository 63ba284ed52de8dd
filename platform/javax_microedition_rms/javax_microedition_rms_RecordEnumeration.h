#pragma once
// The record-store interface views: RecordEnumeration (id 103), whose
// operations the enumeration implements in this table order, and the filter
// and comparator (ids 105 and 102) that enumerateRecords accepts and never
// applies.
#include <cstdint>

#include "runtime/object/ClassTable.h"

class ByteArray;

class javax_microedition_rms_RecordEnumeration {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_rms_RecordEnumeration;
  virtual int32_t numRecords() = 0;
  virtual ByteArray* nextRecord() = 0;
  virtual int32_t nextRecordId() = 0;
  virtual ByteArray* previousRecord() = 0;
  virtual int32_t previousRecordId() = 0;
  virtual bool hasNextElement() = 0;
  virtual bool hasPreviousElement() = 0;
  virtual void reset() = 0;
  virtual void rebuild() = 0;
  virtual void keepUpdated(bool keepUpdated) = 0;
  virtual bool isKeptUpdated() = 0;
  virtual void destroy() = 0;

 protected:
  javax_microedition_rms_RecordEnumeration() = default;
  ~javax_microedition_rms_RecordEnumeration() = default;
};

class javax_microedition_rms_RecordFilter {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_rms_RecordFilter;
  virtual bool matches(ByteArray* candidate) = 0;

 protected:
  javax_microedition_rms_RecordFilter() = default;
  ~javax_microedition_rms_RecordFilter() = default;
};

class javax_microedition_rms_RecordComparator {
 public:
  static constexpr uint16_t classId = classid::javax_microedition_rms_RecordComparator;
  virtual int32_t compare(ByteArray* first, ByteArray* second) = 0;

 protected:
  javax_microedition_rms_RecordComparator() = default;
  ~javax_microedition_rms_RecordComparator() = default;
};
