#include "runtime/memory/MemoryManagers.h"

#include <cstdlib>
#include <cstring>

namespace {

MemoryManagers* currentManagers = nullptr;

// calloc(0) may answer null, which callers would take for failure.
void* systemZeroed(size_t byteCount) { return std::calloc(byteCount ? byteCount : 1, 1); }

void* nativePoolZeroed(MemoryManagers* managers, size_t byteCount) {
  if (!managers || byteCount > UINT32_MAX) return nullptr;
  void* block = managers->m_nativePool.alloc(uint32_t(byteCount));
  if (block) std::memset(block, 0, byteCount);
  return block;
}

}  // namespace

MemoryManagers::MemoryManagers(uint32_t objectHeapBytes, uint32_t nativePoolBytes)
    : m_objectHeap(objectHeapBytes, FragmentHeap::objectHeapType),
      m_nativePool(nativePoolBytes, FragmentHeap::nativePoolType) {}

MemoryManagers* MemoryManagers::current() { return currentManagers; }

void MemoryManagers::setCurrent(MemoryManagers* managers) { currentManagers = managers; }

void* nativeMalloc(size_t byteCount) {
  if (void* block = nativePoolZeroed(MemoryManagers::current(), byteCount)) return block;
  return systemZeroed(byteCount);
}

void nativeFree(void* address) {
  if (!address) return;
  if (MemoryManagers* managers = MemoryManagers::current()) {
    // An address inside a pool that the pool refuses is a bad address, not
    // system memory; the pool has logged it.
    if (managers->m_nativePool.contains(address)) {
      managers->m_nativePool.free(address);
      return;
    }
    if (managers->m_objectHeap.contains(address)) {
      managers->m_objectHeap.free(address);
      return;
    }
  }
  std::free(address);
}

void* allocObject(uint32_t byteCount, int selector) {
  MemoryManagers* managers = MemoryManagers::current();
  if (selector != 0) {
    if (void* block = nativePoolZeroed(managers, byteCount)) return block;
    return systemZeroed(byteCount);
  }
  // Without a running runtime there is no collector to register with.
  if (!managers) return systemZeroed(byteCount);
  void* object = managers->m_objectHeap.alloc(byteCount);
  if (!object) return nullptr;
  std::memset(object, 0, byteCount);
  if (managers->m_registerObject) managers->m_registerObject(object, managers->m_registerContext);
  return object;
}
