#pragma once
// The two pools every runtime allocates from, and the allocation entry points
// that the object model, arrays and strings use.
#include <cstddef>
#include <cstdint>

#include "runtime/memory/FragmentHeap.h"

struct MemoryManagers {
  static constexpr uint32_t objectHeapSize = 0x300000;
  static constexpr uint32_t nativePoolSize = 0x500000;

  MemoryManagers(uint32_t objectHeapBytes = objectHeapSize, uint32_t nativePoolBytes = nativePoolSize);

  FragmentHeap m_objectHeap;  // type 0, never compacted
  FragmentHeap m_nativePool;  // type 1, compacted

  // Registers each new collected object with the collector; until one is
  // installed, objects are simply not registered.
  using RegisterObjectHook = void (*)(void* object, void* context);
  RegisterObjectHook m_registerObject = nullptr;
  void* m_registerContext = nullptr;

  // The pools that the free functions below use (the running Application's).
  static MemoryManagers* current();
  static void setCurrent(MemoryManagers* managers);
};

// Zero-filled bytes from the native pool, else from the system allocator;
// null only when both fail.
void* nativeMalloc(size_t byteCount);
// Gives the address back to whichever pool holds it, else to the system.
void nativeFree(void* address);
// Selector 0: a zero-filled, registered block of the object heap, or null.
// Any other selector: zero-filled, unregistered, from the native pool with
// the system allocator as fallback.
void* allocObject(uint32_t byteCount, int selector);

// The process's new-handler: logs "ERROR: Operator new failed: out of
// store.\n" and throws std::bad_alloc.
void installOutOfMemoryHandler();
