// Consistency check of a pool: what tests run after every step and debug
// builds run after every compaction.
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
    if (m_blockCount || m_freeBlockCount || m_heapUsed) return fail(why, "empty pool has blocks");
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
    if (m_freeStarts.test(granuleOf(at)) == block->inUse() ||
        m_freeEnds.test(granuleOf(at + length) - 1) == block->inUse())
      return fail(why, "block at offset %lld is marked free or in use wrongly", offset);
    if (!block->inUse() && previousFree) return fail(why, "free block at offset %lld follows a free block", offset);
    previousFree = !block->inUse();
    ++blocks;
    if (block->inUse()) used += uint32_t(length);
    else ++freeBlocks;
    at += length;
  }
  if (m_blockStarts.count() != blocks)
    return fail(why, "%lld block-start bits for %lld blocks", m_blockStarts.count(), blocks);
  if (m_freeStarts.count() != freeBlocks || m_freeEnds.count() != freeBlocks)
    return fail(why, "%lld free-block bits for %lld free blocks", m_freeStarts.count(), freeBlocks);
  if (!m_blockStarts.summariesAgree() || !m_freeStarts.summariesAgree() || !m_freeEnds.summariesAgree())
    return fail(why, "a bitmap's summary disagrees with its bits");

  if (blocks != m_blockCount) return fail(why, "block count %lld, walk finds %lld", m_blockCount, blocks);
  if (freeBlocks != m_freeBlockCount)
    return fail(why, "free block count %lld, walk finds %lld", m_freeBlockCount, freeBlocks);
  if (used != m_heapUsed) return fail(why, "m_heapUsed %lld, walk finds %lld", m_heapUsed, used);
  if (m_peakUsed < m_heapUsed) return fail(why, "peak %lld below use %lld", m_peakUsed, m_heapUsed);

  return m_sizeIndex.check(*this, freeBlocks, why);
}
