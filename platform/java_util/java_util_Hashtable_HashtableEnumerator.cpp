#include "platform/java_util/java_util_Hashtable_HashtableEnumerator.h"

#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"

void java_util_Hashtable_HashtableEnumerator::init(java_util_Hashtable* owner, ObjectArray* buckets, bool yieldKeys) {
  keys = yieldKeys;
  table = buckets;
  index = buckets->length();
  entry = nullptr;
  hashtable = owner;
}

void* java_util_Hashtable_HashtableEnumerator::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::java_util_Enumeration ? static_cast<java_util_Enumeration*>(this) : nullptr;
}

void java_util_Hashtable_HashtableEnumerator::findEntry() {
  while (entry == nullptr && index > 0) {
    --index;
    entry = static_cast<java_util_HashtableEntry*>(table->get(index));
  }
}

bool java_util_Hashtable_HashtableEnumerator::hasMoreElements() {
  findEntry();
  return entry != nullptr;
}

Object* java_util_Hashtable_HashtableEnumerator::nextElement() {
  findEntry();
  if (entry == nullptr) {
    throwNew<java_util_NoSuchElementException>(literalOrNull(static_cast<int32_t>(LiteralId::hashtableNoMoreElements)));
    return nullptr;
  }
  java_util_HashtableEntry* handedOut = entry;
  entry = handedOut->next;
  return keys ? handedOut->key : handedOut->value;
}
