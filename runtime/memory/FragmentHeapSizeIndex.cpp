// Consistency check of the pools' size index.
#include <cstdio>

#include "runtime/memory/FragmentHeapSizeIndex.h"

namespace {

using Block = FragmentHeap::Block;
using fragment_heap::ordered;
using fragment_heap::priorityOf;

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
    if (why)
      *why = "size index holds " + std::to_string(indexed) + " of " + std::to_string(freeBlocks) + " free blocks";
    return false;
  }
  return true;
}
