#pragma once
// java_util_Hashtable (class id 57): the chained hash map. Keys are matched
// by their hashCode and the stored key's equals. Every operation that reads
// or changes the table holds its monitor; size and isEmpty read the count
// without it. Null keys and null values raise NullPointerException.
#include <cstdint>

#include "platform/java_util/java_util_HashtableEntry.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Object.h"

class java_util_Hashtable_HashtableEnumerator;

class java_util_Hashtable : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Hashtable;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_Hashtable::table}; }

  // Capacity 11.
  void init() { init(11); }
  // Negative: IllegalArgumentException and no table; 0 gives capacity 1.
  void init(int32_t initialCapacity);

  // "{key=value, ...}" in enumeration order.
  String* toString() override;
  virtual int32_t size();
  virtual bool isEmpty();
  // Whether some entry's value equals value.
  virtual bool contains(Object* value);
  virtual void clear();

  bool containsKey(Object* key);
  Object* get(Object* key);
  // The key's previous value, or null.
  Object* put(Object* key, Object* value);
  // The removed value, or null.
  Object* remove(Object* key);
  java_util_Hashtable_HashtableEnumerator* keys();
  java_util_Hashtable_HashtableEnumerator* elements();

  ObjectArray* table;
  int32_t count;
  int32_t rehashLimit;  // capacity x 75 / 100

 private:
  // With the monitor held: twice the capacity plus one, every entry moved.
  // False (table unchanged) when there is no room for the new array.
  bool rehash();
  static int32_t bucketOf(int32_t hash, int32_t capacity) { return (hash & 0x7FFFFFFF) % capacity; }
  // With the monitor held: the matching entry, or null.
  java_util_HashtableEntry* find(Object* key, int32_t hash);
  // A null key is refused with NullPointerException.
  static bool refuseNull(Object* object, const char* operation);
};
