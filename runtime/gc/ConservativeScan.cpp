#include "runtime/gc/ConservativeScan.h"

#include <pthread.h>

#include <algorithm>
#include <cstdlib>

#include "runtime/gc/Marker.h"
#include "runtime/gc/ObjectRegistry.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/memory/FragmentHeap.h"

namespace {

// The highest address of the calling thread's stack, asked once per thread.
uintptr_t currentThreadStackTop() {
  thread_local uintptr_t top = 0;
  if (top == 0) {
    pthread_attr_t attributes;
    void* lowest = nullptr;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
      pthread_attr_getstack(&attributes, &lowest, &size);
      pthread_attr_destroy(&attributes);
    }
    top = reinterpret_cast<uintptr_t>(lowest) + size;
  }
  return top;
}

}  // namespace

ConservativeScan::~ConservativeScan() { std::free(m_pins); }

// Uninstrumented, so that no red zone between the frame's top and the area
// stays uncleared.
__attribute__((noinline, no_sanitize("address"))) void ConservativeScan::clearDeadStackBelowCaller() {
  volatile uintptr_t area[2048];
  for (auto& word : area) word = 0;
}

void ConservativeScan::begin(ObjectRegistry& registry, const FragmentHeap& objectHeap, const FragmentHeap& nativePool,
                             Marker& marker) {
  m_registry = &registry;
  m_objectHeap = &objectHeap;
  m_nativePool = &nativePool;
  m_marker = &marker;
  m_pinCount = 0;
  m_pinsOverflowed = false;
}

void ConservativeScan::addPin(uintptr_t word) {
  if (m_pinCount == m_pinCapacity) {
    const uint32_t capacity = m_pinCapacity == 0 ? 256 : m_pinCapacity * 2;
    auto* pins = static_cast<uintptr_t*>(std::realloc(m_pins, sizeof(uintptr_t) * capacity));
    if (pins == nullptr) {
      // Unlisted blocks could move under a live pointer: markPinnedOwners
      // then forbids the compaction altogether.
      m_pinsOverflowed = true;
      return;
    }
    m_pins = pins;
    m_pinCapacity = capacity;
  }
  m_pins[m_pinCount++] = word;
}

void ConservativeScan::consider(uintptr_t word) {
  if (Object* object = m_registry->containing(word, *m_objectHeap)) {
    m_marker->mark(object);
    return;
  }
  const auto* pointer = reinterpret_cast<const std::byte*>(word);
  if (pointer >= m_nativePool->regionBegin() && pointer < m_nativePool->regionEnd()) addPin(word);
}

// Stack words include ASan's poisoned red zones; reading them is the point.
__attribute__((no_sanitize("address"))) void ConservativeScan::scanRange(const void* from, const void* to) {
  auto low = reinterpret_cast<uintptr_t>(std::min(from, to));
  const auto high = reinterpret_cast<uintptr_t>(std::max(from, to));
  low = (low + sizeof(uintptr_t) - 1) & ~(uintptr_t{sizeof(uintptr_t)} - 1);
  for (uintptr_t address = low; address + sizeof(uintptr_t) <= high; address += sizeof(uintptr_t)) {
    consider(*reinterpret_cast<const uintptr_t*>(address));
  }
}

__attribute__((noinline, no_sanitize("address"))) void ConservativeScan::scanCurrentThreadStack() {
  // Everything above this frame: the callers' frames with their spilled
  // registers.
  scanRange(__builtin_frame_address(0), reinterpret_cast<const void*>(currentThreadStackTop()));
}

void ConservativeScan::markPinnedOwners() {
  if (m_pinCount == 0) return;
  std::sort(m_pins, m_pins + m_pinCount);
  m_pinCount = static_cast<uint32_t>(std::unique(m_pins, m_pins + m_pinCount) - m_pins);
  // One walk over the pool's blocks, in address order with the pins.
  const uint32_t header = m_nativePool->headerSize();
  const std::byte* payload = m_nativePool->regionBegin() + header;
  uint32_t pin = 0;
  while (payload < m_nativePool->regionEnd() && pin < m_pinCount) {
    const uint32_t size = m_nativePool->payloadSize(payload);
    if (size == 0) break;
    const auto blockStart = reinterpret_cast<uintptr_t>(payload) - header;
    const auto blockEnd = reinterpret_cast<uintptr_t>(payload) + size;
    while (pin < m_pinCount && m_pins[pin] < blockStart) ++pin;
    if (pin < m_pinCount && m_pins[pin] < blockEnd) {
      if (void** ownerField = m_nativePool->owner(payload)) {
        m_marker->mark(m_registry->containing(reinterpret_cast<uintptr_t>(ownerField), *m_objectHeap));
      }
    }
    payload = reinterpret_cast<const std::byte*>(blockEnd) + header;
  }
}
