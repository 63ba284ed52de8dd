#pragma once
// java_util_HashtableEntry (class id 58): one link of a bucket's chain.
#include <cstdint>

#include "runtime/object/Object.h"

class java_util_HashtableEntry : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_HashtableEntry;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&java_util_HashtableEntry::key, &java_util_HashtableEntry::value,
                              &java_util_HashtableEntry::next};
  }

  void init(int32_t entryHash, Object* entryKey, Object* entryValue, java_util_HashtableEntry* entryNext) {
    hash = entryHash;
    key = entryKey;
    value = entryValue;
    next = entryNext;
  }

  int32_t hash;  // the key's hashCode when it was inserted
  Object* key;
  Object* value;
  java_util_HashtableEntry* next;
};
