// Compaction of the native pool: runs of in-use blocks move into free blocks
// elsewhere so that the free blocks around them merge; each moved block's
// owner field is patched to the new payload address.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "runtime/memory/FragmentHeap.h"
#include "runtime/memory/FragmentHeapBlock.h"
#include "wince/log.h"

namespace {

constexpr int maximumMoves = 20;

}  // namespace

void* FragmentHeap::compactFor(uint32_t need, std::span<const uintptr_t> pinnedAddresses) {
  assert(std::is_sorted(pinnedAddresses.begin(), pinnedAddresses.end()));
  wince::CriticalSectionLock lock(m_lock);
  if (m_type != nativePoolType || uint64_t(m_heapUsed) + need >= m_heapSize) return nullptr;
  if (Block* fitting = bestFit(need, nullptr, nullptr)) return payloadOf(fitting);
  Block* block = strategyA(need, pinnedAddresses);
  if (!block) block = strategyB(need, pinnedAddresses);
#ifndef NDEBUG
  std::string why;
  if (!checkInvariantsLocked(&why)) {
    logPrintf("FragmentHeap::compactFor: %s\n", why.c_str());
    assert(!"compaction left the pool inconsistent");
  }
#endif
  return block ? payloadOf(block) : nullptr;
}

// Frees the most bytes between two free neighbours for the least copying,
// one run at a time.
FragmentHeap::Block* FragmentHeap::strategyA(uint32_t need, std::span<const uintptr_t> pinned) {
  for (int move = 0; move < maximumMoves; ++move) {
    intptr_t bestScore = -intptr_t(m_heapSize);
    Block* left = nullptr;
    Block* destination = nullptr;
    for (Block *candidate = firstFree(), *right; candidate && (right = nextFree(candidate)); candidate = right) {
      const intptr_t gap = right->begin() - candidate->end();
      const intptr_t score = candidate->size - gap + right->size;
      if (score <= bestScore) continue;
      Block* fitting = bestFit(uint32_t(gap), candidate, right);
      if (!fitting || !movable(candidate->following(), uint32_t(gap), pinned)) continue;
      bestScore = score;
      left = candidate;
      destination = fitting;
    }
    if (!left) return nullptr;
    moveRun(left->following(), uint32_t(nextFree(left)->begin() - left->end()), destination);
    if (left->size >= intptr_t(need)) return left;
  }
  return nullptr;
}

// Grows the largest free block by moving away the blocks that follow it.
FragmentHeap::Block* FragmentHeap::strategyB(uint32_t need, std::span<const uintptr_t> pinned) {
  const std::byte* regionEnd = m_region + m_heapSize;
  for (int round = 0; round < maximumMoves; ++round) {
    Block* largest = nullptr;
    for (Block* block = firstFree(); block;) {
      if (!largest || block->size > largest->size) largest = block;
      Block* next = nextFree(block);
      if (!next || regionEnd - next->begin() <= intptr_t(need)) break;
      block = next;
    }
    if (!largest) return nullptr;
    bool moved = false;
    for (Block* after = largest->following(); after->begin() < regionEnd; after = largest->following()) {
      const uint32_t length = uint32_t(after->length());
      Block* destination = movable(after, length, pinned) ? bestFit(length, largest, after) : nullptr;
      if (!destination) break;
      moveRun(after, length, destination);
      moved = true;
      if (largest->size >= intptr_t(need)) return largest;
    }
    // Without a move the next round would see the same pool.
    if (!moved) return nullptr;
  }
  return nullptr;
}

// Only blocks whose one owner field can be patched may move: none that a
// stack word points into, none without an owner, and none whose owner field
// lies in this pool (it might itself move and leave the record stale).
bool FragmentHeap::movable(const Block* first, uint32_t length, std::span<const uintptr_t> pinned) const {
  const auto begin = reinterpret_cast<uintptr_t>(first);
  const auto pin = std::lower_bound(pinned.begin(), pinned.end(), begin);
  if (pin != pinned.end() && *pin < begin + length) return false;
  const std::byte* end = first->begin() + length;
  for (const Block* block = first; block->begin() < end; block = block->following())
    if (!block->owner || contains(block->owner)) return false;
  return true;
}

void FragmentHeap::moveRun(Block* first, uint32_t length, Block* destination) {
  const uint32_t peakBefore = m_peakUsed;
  take(destination, length);
  // Taken whole, the destination may be longer than the run; the last moved
  // block absorbs the difference.
  const intptr_t surplus = destination->length() - intptr_t(length);
  std::byte* from = first->begin();
  std::byte* to = destination->begin();
  std::memcpy(to, from, length);
  for (Block* block = destination;; block = block->following()) {
    if (block != destination) {
      markBlockStart(block);
      clearBlockStart(from + (block->begin() - to));
    }
    *block->owner = payloadOf(block);
    if (block->end() >= to + length) {
      block->size -= surplus;
      break;
    }
  }
  first->size = -intptr_t(length);
  release(first);
  // Copying is not use; the peak keeps counting what callers hold.
  m_peakUsed = std::max(peakBefore, m_heapUsed);
}
