#include "platform/java_util/java_util_Hashtable.h"

#include "platform/java_util/java_util_Hashtable_HashtableEnumerator.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/SynchronizedScope.h"

namespace {

String* literal(LiteralId id) { return literalOrNull(static_cast<int32_t>(id)); }

}  // namespace

void java_util_Hashtable::init(int32_t initialCapacity) {
  if (initialCapacity < 0) {
    throwNew<java_lang_IllegalArgumentException>(nullptr);
    return;
  }
  const int32_t capacity = initialCapacity == 0 ? 1 : initialCapacity;
  table = newObjectArray(capacity);
  rehashLimit = static_cast<int32_t>(int64_t{capacity} * 75 / 100);
  count = 0;
}

bool java_util_Hashtable::refuseNull(Object* object, const char* operation) {
  if (object != nullptr) return false;
  debugLog("NullPointerException: Hashtable.%s with null", operation);
  throwNew<java_lang_NullPointerException>(nullptr);
  return true;
}

java_util_HashtableEntry* java_util_Hashtable::find(Object* key, int32_t hash) {
  auto* entry = static_cast<java_util_HashtableEntry*>(table->get(bucketOf(hash, table->length())));
  for (; entry != nullptr; entry = entry->next) {
    if (entry->hash == hash && entry->key->equals(key) != 0) return entry;
  }
  return nullptr;
}

int32_t java_util_Hashtable::size() { return count; }

bool java_util_Hashtable::isEmpty() { return count == 0; }

bool java_util_Hashtable::contains(Object* value) {
  SynchronizedScope lock(this);
  if (refuseNull(value, "contains")) return false;
  for (int32_t i = table->length() - 1; i >= 0; --i) {
    for (auto* entry = static_cast<java_util_HashtableEntry*>(table->get(i)); entry != nullptr; entry = entry->next) {
      if (entry->value->equals(value) != 0) return true;
    }
  }
  return false;
}

void java_util_Hashtable::clear() {
  SynchronizedScope lock(this);
  for (int32_t i = table->length() - 1; i >= 0; --i) table->set(i, nullptr);
  count = 0;
}

bool java_util_Hashtable::containsKey(Object* key) {
  SynchronizedScope lock(this);
  if (refuseNull(key, "containsKey")) return false;
  return find(key, key->hashCode()) != nullptr;
}

Object* java_util_Hashtable::get(Object* key) {
  SynchronizedScope lock(this);
  if (refuseNull(key, "get")) return nullptr;
  java_util_HashtableEntry* entry = find(key, key->hashCode());
  return entry != nullptr ? entry->value : nullptr;
}

Object* java_util_Hashtable::put(Object* key, Object* value) {
  if (refuseNull(value, "put") || refuseNull(key, "put")) return nullptr;
  for (;;) {
    SynchronizedScope lock(this);
    const int32_t hash = key->hashCode();
    if (java_util_HashtableEntry* entry = find(key, hash)) {
      Object* previous = entry->value;
      entry->value = value;
      return previous;
    }
    // After a rehash the monitor is given up and the whole put runs again,
    // so the bucket is found in the new table.
    if (count >= rehashLimit && rehash()) continue;
    const int32_t bucket = bucketOf(hash, table->length());
    auto* head = static_cast<java_util_HashtableEntry*>(table->get(bucket));
    auto* entry = newObject<java_util_HashtableEntry>(hash, key, value, head);
    if (entry == nullptr) {
      debugLog("Hashtable: no room for an entry, nothing added");
      return nullptr;
    }
    table->set(bucket, entry);
    ++count;
    return nullptr;
  }
}

bool java_util_Hashtable::rehash() {
  const int32_t oldCapacity = table->length();
  const int64_t wanted = int64_t{oldCapacity} * 2 + 1;
  if (wanted > INT32_MAX) return false;
  const auto newCapacity = static_cast<int32_t>(wanted);
  ObjectArray* buckets = newObjectArray(newCapacity);
  if (buckets == nullptr || buckets->length() != newCapacity) {
    debugLog("Hashtable: no room to rehash to %d buckets, the table stays at %d", newCapacity, oldCapacity);
    return false;
  }
  ObjectArray* oldBuckets = table;
  table = buckets;
  rehashLimit = static_cast<int32_t>(int64_t{newCapacity} * 75 / 100);
  for (int32_t i = oldCapacity - 1; i >= 0; --i) {
    auto* entry = static_cast<java_util_HashtableEntry*>(oldBuckets->get(i));
    while (entry != nullptr) {
      java_util_HashtableEntry* following = entry->next;
      const int32_t bucket = bucketOf(entry->hash, newCapacity);
      entry->next = static_cast<java_util_HashtableEntry*>(buckets->get(bucket));
      buckets->set(bucket, entry);
      entry = following;
    }
  }
  return true;
}

Object* java_util_Hashtable::remove(Object* key) {
  SynchronizedScope lock(this);
  if (refuseNull(key, "remove")) return nullptr;
  const int32_t hash = key->hashCode();
  const int32_t bucket = bucketOf(hash, table->length());
  java_util_HashtableEntry* previous = nullptr;
  for (auto* entry = static_cast<java_util_HashtableEntry*>(table->get(bucket)); entry != nullptr;
       previous = entry, entry = entry->next) {
    if (entry->hash != hash || entry->key->equals(key) == 0) continue;
    if (previous == nullptr) {
      table->set(bucket, entry->next);
    } else {
      previous->next = entry->next;
    }
    --count;
    return entry->value;
  }
  return nullptr;
}

java_util_Hashtable_HashtableEnumerator* java_util_Hashtable::keys() {
  SynchronizedScope lock(this);
  return newObject<java_util_Hashtable_HashtableEnumerator>(this, table, true);
}

java_util_Hashtable_HashtableEnumerator* java_util_Hashtable::elements() {
  SynchronizedScope lock(this);
  return newObject<java_util_Hashtable_HashtableEnumerator>(this, table, false);
}

String* java_util_Hashtable::toString() {
  SynchronizedScope lock(this);
  auto* text = newObject<StringBuffer>(int32_t{16});
  const int32_t last = size() - 1;
  java_util_Hashtable_HashtableEnumerator* keyWalk = keys();
  java_util_Hashtable_HashtableEnumerator* valueWalk = elements();
  if (text == nullptr || keyWalk == nullptr || valueWalk == nullptr) {
    debugLog("Hashtable: no room for its text");
    return nullptr;
  }
  text->append(literal(LiteralId::hashtableTextStart));
  for (int32_t i = 0; i <= last; ++i) {
    auto* pair = newObject<StringBuffer>();
    if (pair == nullptr) break;
    pair->append(keyWalk->nextElement());
    pair->append(literal(LiteralId::keyValueSeparator));
    pair->append(valueWalk->nextElement());
    text->append(pair->toString());
    if (i < last) text->append(literal(LiteralId::listSeparator));
  }
  text->append(literal(LiteralId::hashtableTextEnd));
  return text->toString();
}
