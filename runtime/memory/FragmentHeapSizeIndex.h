#pragma once
// The pools' index of free blocks by size: exact-size bins for the common
// small sizes, one bin for the rest, each a treap keyed by (size, address).
// Inline, as allocation and release run it several times per call.
#include <bit>

#include "runtime/memory/FragmentHeap.h"
#include "runtime/memory/FragmentHeapBlock.h"

namespace fragment_heap {

// Fixed by the address, so the same free blocks always give the same shape.
inline uint32_t priorityOf(const FragmentHeap::Block* block) {
  return uint32_t((uintptr_t(block) * 0x9E3779B97F4A7C15ull) >> 32);
}

inline bool ordered(const FragmentHeap::Block* first, const FragmentHeap::Block* second) {
  return first->size < second->size || (first->size == second->size && first < second);
}

// Joins two treaps whose keys all order `low` before `high`.
inline FragmentHeap::Block* join(FragmentHeap::Block* low, FragmentHeap::Block* high) {
  FragmentHeap::Block* result;
  FragmentHeap::Block** link = &result;
  while (low && high) {
    if (priorityOf(low) > priorityOf(high)) {
      *link = low;
      link = &low->right;
      low = low->right;
    } else {
      *link = high;
      link = &high->left;
      high = high->left;
    }
  }
  *link = low ? low : high;
  return result;
}

}  // namespace fragment_heap

inline void FragmentHeap::SizeIndex::insert(Block* block) {
  const uint32_t bin = binOf(uintptr_t(block->size));
  m_occupied[bin / 64] |= uint64_t(1) << (bin % 64);
  const uint32_t priority = fragment_heap::priorityOf(block);
  Block** link = &m_roots[bin];
  while (*link && fragment_heap::priorityOf(*link) > priority)
    link = fragment_heap::ordered(block, *link) ? &(*link)->left : &(*link)->right;
  // Split what hangs below that link around the new block.
  Block* rest = *link;
  Block** low = &block->left;
  Block** high = &block->right;
  while (rest) {
    if (fragment_heap::ordered(rest, block)) {
      *low = rest;
      low = &rest->right;
      rest = rest->right;
    } else {
      *high = rest;
      high = &rest->left;
      rest = rest->left;
    }
  }
  *low = *high = nullptr;
  *link = block;
}

inline void FragmentHeap::SizeIndex::erase(Block* block) {
  Block** link = &m_roots[binOf(uintptr_t(block->size))];
  while (*link != block) link = fragment_heap::ordered(block, *link) ? &(*link)->left : &(*link)->right;
  detach(link);
}

inline FragmentHeap::Block* FragmentHeap::SizeIndex::detach(Block** link) {
  Block* block = *link;
  *link = fragment_heap::join(block->left, block->right);
  const uint32_t bin = binOf(uintptr_t(block->size));
  if (!m_roots[bin]) m_occupied[bin / 64] &= ~(uint64_t(1) << (bin % 64));
  return block;
}

inline uint32_t FragmentHeap::SizeIndex::firstOccupiedFrom(uint32_t bin) const {
  constexpr uint32_t words = sizeof m_occupied / sizeof m_occupied[0];
  uint32_t index = bin / 64;
  uint64_t word = m_occupied[index] & (~uint64_t(0) << (bin % 64));
  while (!word) {
    if (++index == words) return binCount;
    word = m_occupied[index];
  }
  return index * 64 + uint32_t(std::countr_zero(word));
}

inline FragmentHeap::Block** FragmentHeap::SizeIndex::bestFitLink(uint32_t need) {
  const uint32_t bin = firstOccupiedFrom(binOf(need));
  if (bin == binCount) return nullptr;
  Block** link = &m_roots[bin];
  if (bin != largeBin || binOf(need) != largeBin) {
    // Everything in the bin fits: its lowest key wins.
    while ((*link)->left) link = &(*link)->left;
    return link;
  }
  Block** best = nullptr;
  while (*link) {
    if ((*link)->size >= intptr_t(need)) {
      best = link;
      link = &(*link)->left;
    } else {
      link = &(*link)->right;
    }
  }
  return best;
}
