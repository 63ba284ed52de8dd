#pragma once
// Marks an object and everything reachable from it, without recursion: an
// explicit stack of (object, next child) frames that grows as deep as the
// graph needs. Only object arrays and classes with reference fields are
// descended into.
#include <cstdint>

class Class;
class Object;
class ObjectRegistry;

class Marker {
 public:
  Marker() = default;
  ~Marker();
  Marker(const Marker&) = delete;
  Marker& operator=(const Marker&) = delete;

  // The Class records whose reference-field tables describe the objects
  // (null: only arrays are descended into).
  void setRecords(Class* records) { m_records = records; }
  void mark(Object* object);
  // When the stack could not grow, some marked objects were not descended
  // into; this marks what they reach, without any stack.
  void finish(ObjectRegistry& registry);

 private:
  struct Frame {
    Object* object;
    uint32_t next;
  };

  bool hasReferences(const Object* object) const;
  // Only for objects that have references.
  uint32_t childCount(const Object* object) const;
  // Marks the next unmarked children of frame; answers the first that has
  // references of its own (the frame's next index stays after it), or null
  // when the frame is exhausted.
  Object* nextChildToVisit(Frame& frame);
  bool push(Object* object);
  void drain();

  Frame* m_frames = nullptr;
  uint32_t m_capacity = 0;
  uint32_t m_depth = 0;
  Class* m_records = nullptr;
  bool m_overflowed = false;
};
