#include "runtime/gc/Marker.h"

#include <cstdlib>
#include <cstring>

#include "runtime/gc/ObjectRegistry.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Class.h"

namespace {
constexpr uint32_t initialFrames = 500;
}

Marker::~Marker() { std::free(m_frames); }

bool Marker::hasReferences(const Object* object) const {
  // A swept object reads 0xFEEE; only ids of the class table index records.
  const int32_t id = static_cast<int16_t>(object->getClassId());
  if (id == classid::ObjectArray) {
    const auto* array = static_cast<const ObjectArray*>(object);
    return array->m_length > 0 && array->m_elements != nullptr;
  }
  return m_records != nullptr && isValidClassId(id) && m_records[id].m_refFieldCount > 0 &&
         m_records[id].m_refFieldOffsets != nullptr;
}

Object* Marker::nextChildToVisit(Frame& frame) {
  Object* object = frame.object;
  const int32_t id = static_cast<int16_t>(object->getClassId());
  const bool isArray = id == classid::ObjectArray;
  const uint32_t count = childCount(object);
  while (frame.next < count) {
    Object* child;
    if (isArray) {
      child = static_cast<ObjectArray*>(object)->m_elements[frame.next];
    } else {
      std::memcpy(&child, reinterpret_cast<const char*>(object) + m_records[id].m_refFieldOffsets[frame.next], sizeof child);
    }
    ++frame.next;
    if (child == nullptr || child->isMarked()) continue;
    child->setMarked();
    if (hasReferences(child)) return child;
  }
  return nullptr;
}

bool Marker::push(Object* object) {
  if (m_depth == m_capacity) {
    const uint32_t capacity = m_capacity == 0 ? initialFrames : m_capacity * 2;
    auto* frames = static_cast<Frame*>(std::realloc(m_frames, sizeof(Frame) * capacity));
    if (frames == nullptr) {
      if (!m_overflowed) debugLog("ObjectManager: mark stack cannot grow past %u levels", m_capacity);
      m_overflowed = true;
      return false;
    }
    m_frames = frames;
    m_capacity = capacity;
  }
  m_frames[m_depth++] = Frame{object, 0};
  return true;
}

uint32_t Marker::childCount(const Object* object) const {
  const int32_t id = static_cast<int16_t>(object->getClassId());
  if (id == classid::ObjectArray) return static_cast<uint32_t>(static_cast<const ObjectArray*>(object)->m_length);
  return m_records[id].m_refFieldCount;
}

void Marker::drain() {
  while (m_depth > 0) {
    Frame& frame = m_frames[m_depth - 1];
    Object* child = nextChildToVisit(frame);
    if (child == nullptr) {
      --m_depth;
    } else if (frame.next == childCount(frame.object)) {
      // The last child takes its parent's frame: a linked list needs one.
      frame = Frame{child, 0};
    } else {
      push(child);
    }
  }
}

void Marker::mark(Object* object) {
  if (object == nullptr || object->isMarked()) return;
  object->setMarked();
  if (hasReferences(object) && push(object)) drain();
}

void Marker::finish(ObjectRegistry& registry) {
  // Without stack: repeat one-level passes over the marked objects until a
  // pass finds no newly marked object that has references of its own.
  while (m_overflowed) {
    m_overflowed = false;
    for (uint32_t i = 0; i < registry.count(); ++i) {
      Object* object = registry.entries()[i];
      if (!object->isMarked() || !hasReferences(object)) continue;
      Frame frame{object, 0};
      while (nextChildToVisit(frame) != nullptr) m_overflowed = true;
    }
  }
}
