#pragma once
// java_util_Hashtable_HashtableEnumerator (class id 56): walks the bucket
// array it captured, from the last bucket down, each chain from its head.
// It takes no monitor; changes to the table meanwhile leave what it hands
// out unspecified (but never unsafe).
#include <cstdint>

#include "platform/java_util/java_util_Enumeration.h"
#include "platform/java_util/java_util_HashtableEntry.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Object.h"

class java_util_Hashtable;

class java_util_Hashtable_HashtableEnumerator : public Object, public java_util_Enumeration {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Hashtable_HashtableEnumerator;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_Hashtable_HashtableEnumerator::table,
                              &java_util_Hashtable_HashtableEnumerator::entry,
                              &java_util_Hashtable_HashtableEnumerator::hashtable};
  }

  // yieldKeys: keys, else values.
  void init(java_util_Hashtable* owner, ObjectArray* buckets, bool yieldKeys);

  void* lookupInterface(int32_t interfaceId) override;
  bool hasMoreElements() override;
  // Past the last element: NoSuchElementException.
  Object* nextElement() override;

  bool keys;
  int32_t index;  // the next bucket to look at, counting down
  ObjectArray* table;
  java_util_HashtableEntry* entry;
  java_util_Hashtable* hashtable;

 private:
  // Moves entry to the next non-empty bucket's head when it is null.
  void findEntry();
};
