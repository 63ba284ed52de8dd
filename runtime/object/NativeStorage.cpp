#include "runtime/object/NativeStorage.h"

#include "runtime/memory/MemoryManagers.h"

void* allocateOwnedStorage(size_t byteCount, void** ownerField) {
  void* storage = nativeMalloc(byteCount);
  *ownerField = storage;
  MemoryManagers* managers = MemoryManagers::current();
  if (storage != nullptr && managers != nullptr && managers->m_nativePool.contains(storage)) {
    managers->m_nativePool.setOwner(storage, ownerField);
  }
  return storage;
}

void releaseOwnedStorage(void** ownerField) {
  void* storage = *ownerField;
  *ownerField = nullptr;
  if (storage != nullptr) nativeFree(storage);
}
