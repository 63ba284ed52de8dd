#pragma once
// Movable storage that belongs to one object field (string characters, array
// elements): a native-pool block whose owner is that field, so that the
// pool's compaction can move the block and patch the field.
#include <cstddef>

// Zero-filled bytes for *ownerField, stored there; from the native pool (owner
// set) or, when it has no room, the system allocator. Null when both fail.
void* allocateOwnedStorage(size_t byteCount, void** ownerField);
// Gives *ownerField back to whichever pool holds it and clears the field.
void releaseOwnedStorage(void** ownerField);
