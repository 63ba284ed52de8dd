// The pools' index of free blocks by size: exact-size bins for the common
// small sizes, one bin for the rest, each a treap keyed by (size, address).
#include <bit>
#include <cstdio>

#include "runtime/memory/FragmentHeap.h"
#include "runtime/memory/FragmentHeapBlock.h"

namespace {

using Block = FragmentHeap::Block;

// Fixed by the address, so the same free blocks always give the same shape.
uint32_t priorityOf(const Block* block) { return uint32_t((uintptr_t(block) * 0x9E3779B97F4A7C15ull) >> 32); }

bool ordered(const Block* first, const Block* second) {
  return first->size < second->size || (first->size == second->size && first < second);
}

// Joins two treaps whose keys all order `low` before `high`.
Block* join(Block* low, Block* high) {
  Block* result;
  Block** link = &result;
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

struct TreapCheck {
  const FragmentHeap& heap;
  uint32_t bin;
  uint32_t (*binOf)(uintptr_t);
  uint32_t visited = 0;
  char problem[96] = "";

  // Checks the subtree under `block`, whose keys lie strictly between the bounds.
  bool walk(const Block* block, const Block* low, const Block* high, uint32_t parentPriority, int depth) {
    if (!block) return true;
    if (++visited > heap.freeBlockCount() || depth > 256)
      return report("a bin holds more entries than there are free blocks");
    if (!heap.contains(block) || block->inUse() || binOf(uintptr_t(block->size)) != bin)
      return report("a bin holds a block that is not one of its free blocks");
    if ((low && !ordered(low, block)) || (high && !ordered(block, high))) return report("a bin is out of order");
    if (priorityOf(block) > parentPriority) return report("a bin breaks its priority order");
    return walk(block->left, low, block, priorityOf(block), depth + 1) &&
           walk(block->right, block, high, priorityOf(block), depth + 1);
  }
  bool report(const char* what) {
    std::snprintf(problem, sizeof problem, "%s (bin %u)", what, bin);
    return false;
  }
};

}  // namespace

void FragmentHeap::SizeIndex::insert(Block* block) {
  const uint32_t bin = binOf(uintptr_t(block->size));
  m_occupied[bin / 64] |= uint64_t(1) << (bin % 64);
  const uint32_t priority = priorityOf(block);
  Block** link = &m_roots[bin];
  while (*link && priorityOf(*link) > priority) link = ordered(block, *link) ? &(*link)->left : &(*link)->right;
  // Split what hangs below that link around the new block.
  Block* rest = *link;
  Block** low = &block->left;
  Block** high = &block->right;
  while (rest) {
    if (ordered(rest, block)) {
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

void FragmentHeap::SizeIndex::erase(Block* block) {
  const uint32_t bin = binOf(uintptr_t(block->size));
  Block** link = &m_roots[bin];
  while (*link != block) link = ordered(block, *link) ? &(*link)->left : &(*link)->right;
  *link = join(block->left, block->right);
  if (!m_roots[bin]) m_occupied[bin / 64] &= ~(uint64_t(1) << (bin % 64));
}

uint32_t FragmentHeap::SizeIndex::firstOccupiedFrom(uint32_t bin) const {
  constexpr uint32_t words = sizeof m_occupied / sizeof m_occupied[0];
  uint32_t index = bin / 64;
  uint64_t word = m_occupied[index] & (~uint64_t(0) << (bin % 64));
  while (!word) {
    if (++index == words) return binCount;
    word = m_occupied[index];
  }
  return index * 64 + uint32_t(std::countr_zero(word));
}

FragmentHeap::Block* FragmentHeap::SizeIndex::bestFit(uint32_t need) const {
  const uint32_t bin = firstOccupiedFrom(binOf(need));
  if (bin == binCount) return nullptr;
  const Block* block = m_roots[bin];
  if (bin != largeBin || binOf(need) != largeBin) {
    // Everything in the bin fits: its lowest key wins.
    while (block->left) block = block->left;
    return const_cast<Block*>(block);
  }
  const Block* best = nullptr;
  while (block) {
    if (block->size >= intptr_t(need)) {
      best = block;
      block = block->left;
    } else {
      block = block->right;
    }
  }
  return const_cast<Block*>(best);
}

bool FragmentHeap::SizeIndex::check(const FragmentHeap& heap, uint32_t freeBlocks, std::string* why) const {
  uint32_t indexed = 0;
  for (uint32_t bin = 0; bin < binCount; ++bin) {
    const bool occupied = (m_occupied[bin / 64] >> (bin % 64)) & 1;
    if (occupied != (m_roots[bin] != nullptr)) {
      if (why) *why = "size-index occupancy bit " + std::to_string(bin) + " disagrees with its bin";
      return false;
    }
    TreapCheck treap{heap, bin, &binOf};
    if (!treap.walk(m_roots[bin], nullptr, nullptr, UINT32_MAX, 0)) {
      if (why) *why = treap.problem;
      return false;
    }
    indexed += treap.visited;
  }
  if (indexed != freeBlocks) {
    if (why) *why = "size index holds " + std::to_string(indexed) + " of " + std::to_string(freeBlocks) + " free blocks";
    return false;
  }
  return true;
}
