#include "runtime/gc/ObjectRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "runtime/lang/DebugLog.h"
#include "runtime/memory/FragmentHeap.h"

ObjectRegistry::~ObjectRegistry() { std::free(m_entries); }

bool ObjectRegistry::add(Object* object) {
  if (m_count == m_capacity) {
    const uint32_t capacity = m_capacity == 0 ? 512 : m_capacity * 2;
    auto* entries = static_cast<Object**>(std::calloc(capacity, sizeof(Object*)));
    if (entries == nullptr) {
      debugLog("ObjectManager: registry cannot grow past %u objects", m_capacity);
      return false;
    }
    if (m_count > 0) std::memcpy(entries, m_entries, sizeof(Object*) * m_count);
    std::free(m_entries);
    m_entries = entries;
    m_capacity = capacity;
  }
  m_entries[m_count++] = object;
  return true;
}

void ObjectRegistry::sortByAddress() {
  if (m_sortedCount == m_count) return;
  Object** middle = m_entries + m_sortedCount;
  Object** end = m_entries + m_count;
  // Objects made into the holes a sweep left come in address order, as
  // best fit hands them out: then there is nothing to sort.
  if (!std::is_sorted(middle, end, std::less<Object*>())) std::sort(middle, end, std::less<Object*>());
  std::inplace_merge(m_entries, middle, end, std::less<Object*>());
  m_sortedCount = m_count;
}

Object* ObjectRegistry::containing(uintptr_t address, const FragmentHeap& heap) const {
  const auto* pointer = reinterpret_cast<const std::byte*>(address);
  if (pointer < heap.regionBegin() || pointer >= heap.regionEnd()) return nullptr;
  Object* const* begin = m_entries;
  Object* const* end = begin + m_sortedCount;
  Object* const* after = std::upper_bound(begin, end, address,
                                          [](uintptr_t value, Object* entry) { return value < reinterpret_cast<uintptr_t>(entry); });
  if (after == begin) return nullptr;
  Object* candidate = *(after - 1);
  const uintptr_t start = reinterpret_cast<uintptr_t>(candidate);
  return address - start < heap.payloadSize(candidate) ? candidate : nullptr;
}

void ObjectRegistry::truncate(uint32_t count, uint32_t sortedCount) {
  m_count = std::min(count, m_count);
  m_sortedCount = std::min(sortedCount, m_count);
}
