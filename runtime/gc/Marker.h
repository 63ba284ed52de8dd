#pragma once
// Marks an object and everything reachable from it, without recursion: an
// explicit stack of (object, next child) frames that grows as deep as the
// graph needs. Only object arrays and classes with reference fields are
// descended into.
//
// The marks of objects in the object heap live in a bitmap of the marker's
// own, one bit per 8-byte granule, so that marking writes no object and the
// sweep reads no survivor; objects elsewhere (the UI thread, the class
// records) keep theirs in the header's mark bits, as do all objects when the
// bitmap cannot be had.
#include <cstddef>
#include <cstdint>

#include "runtime/object/Object.h"

class Class;
class ObjectRegistry;

class Marker {
 public:
  Marker() = default;
  ~Marker();
  Marker(const Marker&) = delete;
  Marker& operator=(const Marker&) = delete;

  // Starts a collection over the object heap [begin, end): every object in
  // it unmarked. Answers whether its marks are kept in the bitmap; false
  // (logged once) means the header bits, which the caller then clears.
  bool begin(const std::byte* heapBegin, const std::byte* heapEnd);
  // The Class records whose reference-field tables describe the objects
  // (null: only arrays are descended into).
  void setRecords(Class* records) { m_records = records; }
  void mark(Object* object);
  // When the stack could not grow, some marked objects were not descended
  // into; this marks what they reach, without any stack.
  void finish(ObjectRegistry& registry);
  bool isMarked(const Object* object) const {
    const uintptr_t offset = reinterpret_cast<uintptr_t>(object) - m_heapBegin;
    if (offset < m_heapSpan) {
      const uintptr_t granule = offset >> granuleShift;
      return (m_markWords[granule / 64] >> (granule % 64)) & 1;
    }
    return object->isMarked();
  }

 private:
  static constexpr uint32_t granuleShift = 3;

  // An object being descended into: its reference slots are at base +
  // offsets[i] (a class's reference fields), or base + i words (an object
  // array's elements) when offsets is null.
  struct Frame {
    const std::byte* base;
    const uint32_t* offsets;
    uint32_t count;
    uint32_t next;
  };

  // Marks the object; false when it was marked already.
  bool markIfUnmarked(Object* object);
  // The object's reference slots; false when it has none.
  bool layoutOf(Object* object, Frame& frame) const;
  // Marks the next unmarked children of frame; answers the first that has
  // references of its own, with its slots in childFrame (the frame's next
  // index stays after it), or null when the frame is exhausted.
  Object* nextChildToVisit(Frame& frame, Frame& childFrame);
  bool push(const Frame& frame);
  void drain();

  Frame* m_frames = nullptr;
  uint32_t m_capacity = 0;
  uint32_t m_depth = 0;
  Class* m_records = nullptr;
  bool m_overflowed = false;

  uint64_t* m_markWords = nullptr;
  size_t m_markWordCount = 0;
  uintptr_t m_heapBegin = 0;
  uintptr_t m_heapSpan = 0;  // 0 while the header bits hold every mark
  bool m_bitmapRefusalLogged = false;
};
