// Block sizes on this 64-bit host (pointer-sized header words, 8-byte
// aligned payloads):
//   object heap: header = size word (8 bytes), payload at block + 8
//   native pool: header = size word + owner word (16 bytes), payload at block + 16
//   a free block holds size, previous and next: the smallest block is 24 bytes
//   block size = request rounded up to a multiple of 8, plus the header, at
//   least 24:
//     request    0   1   5   8   9  16  17
//     object    24  24  24  24  24  24  32
//     native    24  24  24  24  32  32  40
//   a free block whose remainder would be at most header + 64 bytes (72 in
//   the object heap, 80 in the native pool) is handed out whole.
#include "runtime/memory/FragmentHeap.h"

#include <cstdlib>
#include <new>

#include "runtime/memory/FragmentHeapBlock.h"
#include "runtime/memory/FragmentHeapSizeIndex.h"
#include "wince/log.h"

namespace {

// Splitting off less than this beyond the header only makes slivers.
constexpr intptr_t wholeBlockSlack = 64;

}  // namespace

FragmentHeap::FragmentHeap(uint32_t size, Type type)
    : m_heapSize(size / alignment * alignment),
      m_heapUsed(0),
      m_region(nullptr),
      m_blockCount(0),
      m_freeBlockCount(0),
      m_peakUsed(0),
      m_type(type),
      m_headerSize(type == nativePoolType ? 2 * wordSize : wordSize) {
  static_assert(sizeof(Block) == minimumBlockSize);
  InitializeCriticalSection(&m_lock);
  if (m_heapSize < minimumBlockSize) {
    logPrintf("FragmentHeap: region of %u bytes is too small\n", size);
    m_heapSize = 0;
    return;
  }
  const size_t granules = m_heapSize / alignment;
  m_region = static_cast<std::byte*>(std::malloc(m_heapSize));
  if (!m_region || !m_blockStarts.reset(granules) || !m_freeStarts.reset(granules) || !m_freeEnds.reset(granules)) {
    logPrintf("FragmentHeap: cannot reserve %u bytes\n", m_heapSize);
    std::free(m_region);
    m_region = nullptr;
    m_blockStarts.release();
    m_freeStarts.release();
    m_freeEnds.release();
    m_heapSize = 0;
    return;
  }
  Block* whole = Block::at(m_region);
  whole->size = m_heapSize;
  markBlockStart(whole);
  m_freeStarts.set(0);
  m_freeEnds.set(granules - 1);
  m_sizeIndex.insert(whole);
  m_blockCount = 1;
  m_freeBlockCount = 1;
}

FragmentHeap::~FragmentHeap() {
  std::free(m_region);
  DeleteCriticalSection(&m_lock);
}

uint32_t FragmentHeap::blockSizeFor(uint32_t byteCount) const {
  uint64_t need = (uint64_t(byteCount) + alignment - 1) / alignment * alignment + m_headerSize;
  if (need < minimumBlockSize) need = minimumBlockSize;
  return need > UINT32_MAX ? UINT32_MAX : uint32_t(need);
}

void* FragmentHeap::alloc(uint32_t byteCount) {
  const uint32_t need = blockSizeFor(byteCount);
  const bool couldFit = need <= m_heapSize;
  EnterCriticalSection(&m_lock);
  Block** link = couldFit ? m_sizeIndex.bestFitLink(need) : nullptr;
  if (!link && couldFit && m_exhaustionHook) {
    // The collector stops the other threads, and one waiting for this lock
    // could never park.
    const ExhaustionHook hook = m_exhaustionHook;
    void* const context = m_exhaustionContext;
    LeaveCriticalSection(&m_lock);
    hook(*this, need, context);
    EnterCriticalSection(&m_lock);
    link = m_sizeIndex.bestFitLink(need);
  }
  if (!link) {
    logPrintf("totalFragmentSizeNeeded=%d m_heapUsed=%d m_heapSize=%d\n", int(need), int(m_heapUsed), int(m_heapSize));
    LeaveCriticalSection(&m_lock);
    return nullptr;
  }
  void* payload = carve(m_sizeIndex.detach(link), need);
  LeaveCriticalSection(&m_lock);
  return payload;
}

// For compaction: the best fit among the free blocks other than the two given.
FragmentHeap::Block* FragmentHeap::bestFit(uint32_t need, Block* exclude1, Block* exclude2) {
  if (exclude1 && exclude1->inUse()) exclude1 = nullptr;
  if (exclude2 && (exclude2->inUse() || exclude2 == exclude1)) exclude2 = nullptr;
  if (exclude1) m_sizeIndex.erase(exclude1);
  if (exclude2) m_sizeIndex.erase(exclude2);
  Block* best = m_sizeIndex.bestFit(need);
  if (exclude1) m_sizeIndex.insert(exclude1);
  if (exclude2) m_sizeIndex.insert(exclude2);
  return best;
}

void* FragmentHeap::take(Block* block, uint32_t need) {
  m_sizeIndex.erase(block);
  return carve(block, need);
}

// Puts a free block that is out of the size index to use.
void* FragmentHeap::carve(Block* block, uint32_t need) {
  m_freeStarts.clear(granuleOf(block));
  const intptr_t remainder = block->size - intptr_t(need);
  if (remainder > intptr_t(m_headerSize) + wholeBlockSlack) {
    // The rest keeps the block's end.
    Block* rest = Block::at(block->begin() + need);
    rest->size = remainder;
    markBlockStart(rest);
    m_freeStarts.set(granuleOf(rest));
    m_sizeIndex.insert(rest);
    block->size = need;
    ++m_blockCount;
  } else {
    m_freeEnds.clear(granuleOf(block->end()) - 1);
    --m_freeBlockCount;
  }
  m_heapUsed += uint32_t(block->size);
  if (m_heapUsed > m_peakUsed) m_peakUsed = m_heapUsed;
  block->size = -block->size;
  // The word still holds a size-index link; a compaction before the caller
  // sets the owner must not follow it.
  if (m_type == nativePoolType) block->owner = nullptr;
  return payloadOf(block);
}

int FragmentHeap::free(void* payload) {
  if (!contains(payload)) return 0;
  wince::CriticalSectionLock lock(m_lock);
  Block* block = inUseBlockAt(payload);
  if (!block) {
    logPrintf("FragmentHeap::free: %p is not an allocated block\n", payload);
    return 0;
  }
  release(block);
  return 1;
}

void FragmentHeap::release(Block* block) {
  block->size = -block->size;
  m_heapUsed -= uint32_t(block->size);

  // The bitmaps tell whether the neighbours are free without touching them.
  const size_t first = granuleOf(block);
  const size_t following = granuleOf(block->end());
  const bool mergeWithNext = following < m_heapSize / alignment && m_freeStarts.test(following);
  if (first > 0 && m_freeEnds.test(first - 1)) {
    Block* previous = blockAtGranule(m_freeStarts.previousBefore(first));
    m_sizeIndex.erase(previous);
    m_freeEnds.clear(first - 1);
    previous->size += block->size;
    clearBlockStart(block);
    --m_blockCount;
    block = previous;
  } else {
    m_freeStarts.set(first);
    ++m_freeBlockCount;
  }
  if (mergeWithNext) {
    Block* next = blockAtGranule(following);
    m_sizeIndex.erase(next);
    m_freeStarts.clear(following);
    block->size += next->size;
    clearBlockStart(next);
    --m_blockCount;
    --m_freeBlockCount;
  } else {
    m_freeEnds.set(following - 1);
  }
  m_sizeIndex.insert(block);
}

inline FragmentHeap::Block* FragmentHeap::blockAt(const void* payload) const {
  const auto* address = static_cast<const std::byte*>(payload);
  if (!m_region || address < m_region + m_headerSize || address >= m_region + m_heapSize) return nullptr;
  std::byte* start = const_cast<std::byte*>(address) - m_headerSize;
  if (size_t(start - m_region) % alignment != 0 || !isBlockStart(start)) return nullptr;
  return Block::at(start);
}

inline FragmentHeap::Block* FragmentHeap::inUseBlockAt(const void* payload) const {
  Block* block = blockAt(payload);
  return block && block->inUse() ? block : nullptr;
}

void FragmentHeap::setOwner(void* payload, void** ownerField) {
  wince::CriticalSectionLock lock(m_lock);
  Block* block = m_type == nativePoolType ? inUseBlockAt(payload) : nullptr;
  if (!block) {
    logPrintf("FragmentHeap::setOwner: %p is not an allocated block of the native pool\n", payload);
    return;
  }
  block->owner = ownerField;
}

void** FragmentHeap::owner(const void* payload) const {
  wince::CriticalSectionLock lock(m_lock);
  const Block* block = m_type == nativePoolType ? inUseBlockAt(payload) : nullptr;
  return block ? block->owner : nullptr;
}

uint32_t FragmentHeap::payloadSize(const void* payload) const {
  wince::CriticalSectionLock lock(m_lock);
  const Block* block = blockAt(payload);
  return block ? uint32_t(block->length()) - m_headerSize : 0;
}

bool FragmentHeap::contains(const void* address) const {
  const auto* byte = static_cast<const std::byte*>(address);
  return m_region && byte >= m_region && byte < m_region + m_heapSize;
}

void FragmentHeap::setExhaustionHook(ExhaustionHook hook, void* context) {
  wince::CriticalSectionLock lock(m_lock);
  m_exhaustionHook = hook;
  m_exhaustionContext = context;
}

FragmentHeap::Block* FragmentHeap::blockAtGranule(size_t granule) const {
  return granule == GranuleBitmap::none ? nullptr : Block::at(m_region + granule * alignment);
}

FragmentHeap::Block* FragmentHeap::firstFree() const {
  return m_region ? blockAtGranule(m_freeStarts.nextFrom(0)) : nullptr;
}

FragmentHeap::Block* FragmentHeap::nextFree(const Block* block) const {
  return blockAtGranule(m_freeStarts.nextFrom(granuleOf(block) + 1));
}
