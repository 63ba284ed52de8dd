#include "runtime/gc/Marker.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "runtime/gc/ObjectRegistry.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Class.h"

namespace {
constexpr uint32_t initialFrames = 500;
}

Marker::~Marker() {
  std::free(m_frames);
  std::free(m_markWords);
}

bool Marker::begin(const std::byte* heapBegin, const std::byte* heapEnd) {
  const auto span = static_cast<uintptr_t>(heapEnd - heapBegin);
  const size_t wordCount = (span >> granuleShift) / 64 + 1;
  if (wordCount != m_markWordCount) {
    std::free(m_markWords);
    m_markWords = static_cast<uint64_t*>(std::calloc(wordCount, sizeof(uint64_t)));
    m_markWordCount = m_markWords != nullptr ? wordCount : 0;
  } else {
    std::memset(m_markWords, 0, sizeof(uint64_t) * wordCount);
  }
  if (m_markWords == nullptr) {
    if (!m_bitmapRefusalLogged) debugLog("ObjectManager: no room for the mark bitmap; marking in the headers");
    m_bitmapRefusalLogged = true;
    m_heapBegin = 0;
    m_heapSpan = 0;
    return false;
  }
  m_heapBegin = reinterpret_cast<uintptr_t>(heapBegin);
  m_heapSpan = span;
  return true;
}

__attribute__((always_inline)) inline bool Marker::markIfUnmarked(Object* object) {
  const uintptr_t offset = reinterpret_cast<uintptr_t>(object) - m_heapBegin;
  if (offset < m_heapSpan) {
    const uintptr_t granule = offset >> granuleShift;
    uint64_t& word = m_markWords[granule / 64];
    const uint64_t bit = uint64_t{1} << (granule % 64);
    if ((word & bit) != 0) return false;
    word |= bit;
    return true;
  }
  if (object->isMarked()) return false;
  object->setMarked();
  return true;
}

__attribute__((always_inline)) inline bool Marker::layoutOf(Object* object, Frame& frame) const {
  // A swept object reads 0xFEEE; only ids of the class table index records.
  const int32_t id = static_cast<int16_t>(object->getClassId());
  if (id == classid::ObjectArray) {
    auto* array = static_cast<ObjectArray*>(object);
    if (array->m_length <= 0 || array->m_elements == nullptr) return false;
    frame = Frame{reinterpret_cast<const std::byte*>(array->m_elements), nullptr, static_cast<uint32_t>(array->m_length), 0};
    return true;
  }
  if (m_records == nullptr || !isValidClassId(id)) return false;
  const Class& record = m_records[id];
  if (record.m_refFieldCount == 0 || record.m_refFieldOffsets == nullptr) return false;
  frame = Frame{reinterpret_cast<const std::byte*>(object), record.m_refFieldOffsets, record.m_refFieldCount, 0};
  return true;
}

__attribute__((always_inline)) inline Object* Marker::nextChildToVisit(Frame& frame, Frame& childFrame) {
  while (frame.next < frame.count) {
    const size_t offset = frame.offsets != nullptr ? frame.offsets[frame.next] : size_t{frame.next} * sizeof(Object*);
    ++frame.next;
    Object* child;
    std::memcpy(&child, frame.base + offset, sizeof child);
    if (child == nullptr || !markIfUnmarked(child)) continue;
    if (layoutOf(child, childFrame)) return child;
  }
  return nullptr;
}

bool Marker::push(const Frame& frame) {
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
  m_frames[m_depth++] = frame;
  return true;
}

void Marker::drain() {
  // The last class descended into, and its reference slots: in a structure
  // of one class (a list, a tree) the next child's slot is then known
  // without waiting for the class id of the child just reached.
  int32_t knownId = -1;
  const uint32_t* knownOffsets = nullptr;
  uint32_t knownCount = 0;
  // The object being descended into lives in registers; the stack holds
  // only the parents that still have children to visit.
  while (m_depth > 0) {
    const Frame top = m_frames[--m_depth];
    const std::byte* base = top.base;
    const uint32_t* offsets = top.offsets;
    uint32_t count = top.count;
    uint32_t next = top.next;
    while (next < count) {
      const size_t offset = offsets != nullptr ? offsets[next] : size_t{next} * sizeof(Object*);
      ++next;
      Object* child;
      std::memcpy(&child, base + offset, sizeof child);
      if (child == nullptr || !markIfUnmarked(child)) continue;
      Frame childFrame;
      const int32_t id = static_cast<int16_t>(child->getClassId());
      if (id == knownId) {
        childFrame = Frame{reinterpret_cast<const std::byte*>(child), knownOffsets, knownCount, 0};
      } else {
        if (!layoutOf(child, childFrame)) continue;
        if (childFrame.offsets != nullptr) {
          knownId = id;
          knownOffsets = childFrame.offsets;
          knownCount = childFrame.count;
        }
      }
      // A parent left off because the stack could not grow is finished by
      // finish(), which visits the children of every marked object.
      if (next < count) push(Frame{base, offsets, count, next});
      base = childFrame.base;
      offsets = childFrame.offsets;
      count = childFrame.count;
      next = 0;
    }
  }
}

void Marker::mark(Object* object) {
  if (object == nullptr || !markIfUnmarked(object)) return;
  Frame frame;
  if (layoutOf(object, frame) && push(frame)) drain();
}

void Marker::finish(ObjectRegistry& registry) {
  // Without stack: repeat one-level passes over the marked objects until a
  // pass finds no newly marked object that has references of its own.
  while (m_overflowed) {
    m_overflowed = false;
    for (uint32_t i = 0; i < registry.count(); ++i) {
      Object* object = registry.entries()[i];
      Frame frame;
      if (!isMarked(object) || !layoutOf(object, frame)) continue;
      Frame childFrame;
      while (nextChildToVisit(frame, childFrame) != nullptr) m_overflowed = true;
    }
  }
}
