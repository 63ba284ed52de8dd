// Consistency check of a pool: what tests run after every step and debug
// builds run after every compaction.
#include <bit>
#include <cstdio>

#include "runtime/memory/FragmentHeap.h"
#include "runtime/memory/FragmentHeapBlock.h"

namespace {

bool fail(std::string* why, const char* format, long long first = 0, long long second = 0) {
  if (why) {
    char text[160];
    std::snprintf(text, sizeof text, format, first, second);
    *why = text;
  }
  return false;
}

}  // namespace

bool FragmentHeap::checkInvariants(std::string* why) const {
  wince::CriticalSectionLock lock(m_lock);
  return checkInvariantsLocked(why);
}

bool FragmentHeap::checkInvariantsLocked(std::string* why) const {
  if (!m_region) {
    if (m_freeHead || m_freeTail || m_blockCount || m_heapUsed) return fail(why, "empty pool has blocks");
    return true;
  }
  const std::byte* regionEnd = m_region + m_heapSize;

  // The blocks tile the region and agree with the block-start bits.
  uint32_t blocks = 0, freeBlocks = 0, used = 0;
  bool previousFree = false;
  const std::byte* at = m_region;
  while (at < regionEnd) {
    const auto* block = reinterpret_cast<const Block*>(at);
    const long long offset = at - m_region;
    const intptr_t length = block->length();
    if (length < intptr_t(minimumBlockSize) || length % alignment != 0)
      return fail(why, "block at offset %lld has bad size %lld", offset, (long long)block->size);
    if (length > regionEnd - at) return fail(why, "block at offset %lld runs past the region end", offset);
    if (!isBlockStart(at)) return fail(why, "block at offset %lld is not marked as a block start", offset);
    if (!block->inUse() && previousFree) return fail(why, "free block at offset %lld follows a free block", offset);
    previousFree = !block->inUse();
    ++blocks;
    if (block->inUse()) used += uint32_t(length);
    else ++freeBlocks;
    at += length;
  }
  uint32_t marked = 0;
  for (size_t word = 0, words = (m_heapSize / alignment + 63) / 64; word < words; ++word)
    marked += uint32_t(std::popcount(m_blockStarts[word]));
  if (marked != blocks) return fail(why, "%lld block-start bits for %lld blocks", marked, blocks);

  if (blocks != m_blockCount) return fail(why, "block count %lld, walk finds %lld", m_blockCount, blocks);
  if (freeBlocks != m_freeBlockCount)
    return fail(why, "free block count %lld, walk finds %lld", m_freeBlockCount, freeBlocks);
  if (used != m_heapUsed) return fail(why, "m_heapUsed %lld, walk finds %lld", m_heapUsed, used);
  if (m_peakUsed < m_heapUsed) return fail(why, "peak %lld below use %lld", m_peakUsed, m_heapUsed);

  // The free list holds exactly the free blocks, in address order, linked both ways.
  uint32_t listed = 0;
  const Block* previous = nullptr;
  for (const Block* block = m_freeHead; block; block = block->next) {
    const long long offset = block->begin() - m_region;
    if (block->begin() < m_region || block->begin() >= regionEnd || offset % alignment != 0 || !isBlockStart(block))
      return fail(why, "free list holds an address that is no block (offset %lld)", offset);
    if (block->inUse()) return fail(why, "free list holds the in-use block at offset %lld", offset);
    if (block->previous != previous) return fail(why, "free block at offset %lld has a wrong back link", offset);
    if (previous && block <= previous) return fail(why, "free list out of address order at offset %lld", offset);
    if (++listed > freeBlocks) return fail(why, "free list longer than the %lld free blocks", freeBlocks);
    previous = block;
  }
  if (listed != freeBlocks) return fail(why, "free list holds %lld of %lld free blocks", listed, freeBlocks);
  if (m_freeTail != previous) return fail(why, "free-list tail is not the last free block");
  return true;
}
