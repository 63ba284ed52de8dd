#pragma once
// The five frame-snapshot slots: per slot a key object (null: free), a
// record int[5] {width, height, offset x, offset y, frame} and the ARGB
// pixels. The shell fills a slot that findFreeSnapshot gave it.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class ObjectArray;

inline constexpr int32_t snapshotSlotCount = 5;

struct cGameSnapshotStatics {
  ObjectArray* keys;     // Object[5]
  ObjectArray* records;  // int[5][]
  ObjectArray* pixels;   // int[5][]
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameSnapshotStatics::keys, &cGameSnapshotStatics::records,
                              &cGameSnapshotStatics::pixels};
  }
};

// The three tables, made on first use; false when the object heap is full.
bool snapshotTablesReady();
