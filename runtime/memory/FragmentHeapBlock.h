#pragma once
// How a block lies inside a pool's region. Only the pool's own units use it.
#include <cstddef>
#include <cstdint>

#include "runtime/memory/FragmentHeap.h"

struct FragmentHeap::Block {
  // Whole block in bytes, header included; negative while the block is in use.
  intptr_t size;
  union {
    Block* left;   // free block: children in its size-index bin
    void** owner;  // native pool, in use: the field holding the payload address
  };
  Block* right;

  intptr_t length() const { return size < 0 ? -size : size; }
  bool inUse() const { return size < 0; }
  std::byte* begin() { return reinterpret_cast<std::byte*>(this); }
  const std::byte* begin() const { return reinterpret_cast<const std::byte*>(this); }
  std::byte* end() { return begin() + length(); }
  const std::byte* end() const { return begin() + length(); }
  Block* following() { return at(end()); }
  const Block* following() const { return reinterpret_cast<const Block*>(end()); }

  static Block* at(std::byte* address) { return reinterpret_cast<Block*>(address); }
};
