#pragma once
// The collector's list of every object of the object heap. Its array comes
// from the system allocator; it is the collector's own structure, not a root.
#include <cstdint>

class FragmentHeap;
class Object;

class ObjectRegistry {
 public:
  ObjectRegistry() = default;
  ~ObjectRegistry();
  ObjectRegistry(const ObjectRegistry&) = delete;
  ObjectRegistry& operator=(const ObjectRegistry&) = delete;

  // Appends; the array grows to 512 entries, then doubles. False (and the
  // object stays unregistered) when the system allocator has no room.
  bool add(Object* object);

  uint32_t count() const { return m_count; }
  Object** entries() { return m_entries; }
  Object* newest() const { return m_count > 0 ? m_entries[m_count - 1] : nullptr; }

  // Orders the entries by address so that containing() can answer. Entries
  // kept by a sweep stay in order; only those added since are sorted in.
  void sortByAddress();
  // The object whose block in heap holds the address (the object's own
  // address or any address inside it), or null. Needs sortByAddress().
  Object* containing(uintptr_t address, const FragmentHeap& heap) const;
  // Keeps the first count entries, of which the first sortedCount are in
  // address order (a sweep moves the survivors to the front, in their order).
  void truncate(uint32_t count, uint32_t sortedCount);
  uint32_t sortedCount() const { return m_sortedCount; }

 private:
  Object** m_entries = nullptr;
  uint32_t m_capacity = 0;
  uint32_t m_count = 0;
  uint32_t m_sortedCount = 0;  // entries [0, m_sortedCount) are in address order
};
