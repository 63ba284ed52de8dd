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
#include "wince/log.h"

namespace {

// Splitting off less than this beyond the header only makes slivers.
constexpr intptr_t wholeBlockSlack = 64;

}  // namespace

FragmentHeap::FragmentHeap(uint32_t size, Type type)
    : m_heapSize(size / alignment * alignment),
      m_heapUsed(0),
      m_region(nullptr),
      m_freeHead(nullptr),
      m_freeTail(nullptr),
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
  const size_t bitmapWords = (m_heapSize / alignment + 63) / 64;
  m_region = static_cast<std::byte*>(std::malloc(m_heapSize));
  m_blockStarts.reset(new (std::nothrow) uint64_t[bitmapWords]());
  if (!m_region || !m_blockStarts) {
    logPrintf("FragmentHeap: cannot reserve %u bytes\n", m_heapSize);
    std::free(m_region);
    m_region = nullptr;
    m_blockStarts.reset();
    m_heapSize = 0;
    return;
  }
  Block* whole = Block::at(m_region);
  whole->size = m_heapSize;
  whole->previous = nullptr;
  whole->next = nullptr;
  markBlockStart(whole);
  m_freeHead = m_freeTail = whole;
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
  Block* block = couldFit ? bestFit(need, nullptr, nullptr) : nullptr;
  if (!block && couldFit && m_exhaustionHook) {
    // The collector stops the other threads, and one waiting for this lock
    // could never park.
    const ExhaustionHook hook = m_exhaustionHook;
    void* const context = m_exhaustionContext;
    LeaveCriticalSection(&m_lock);
    hook(*this, need, context);
    EnterCriticalSection(&m_lock);
    block = bestFit(need, nullptr, nullptr);
  }
  if (!block) {
    logPrintf("totalFragmentSizeNeeded=%d m_heapUsed=%d m_heapSize=%d\n", int(need), int(m_heapUsed), int(m_heapSize));
    LeaveCriticalSection(&m_lock);
    return nullptr;
  }
  void* payload = take(block, need);
  LeaveCriticalSection(&m_lock);
  return payload;
}

FragmentHeap::Block* FragmentHeap::bestFit(uint32_t need, const Block* exclude1, const Block* exclude2) const {
  const intptr_t wanted = need;
  Block* best = nullptr;
  intptr_t bestSize = INTPTR_MAX;
  for (Block* block = m_freeHead; block; block = block->next) {
    const intptr_t size = block->size;
    if (size < wanted || size >= bestSize || block == exclude1 || block == exclude2) continue;
    if (size == wanted) return block;
    best = block;
    bestSize = size;
  }
  return best;
}

void* FragmentHeap::take(Block* block, uint32_t need) {
  Block* previous = block->previous;
  Block* next = block->next;
  const intptr_t remainder = block->size - intptr_t(need);
  Block* replacement = nullptr;  // what takes the block's place in the free list
  if (remainder > intptr_t(m_headerSize) + wholeBlockSlack) {
    replacement = Block::at(block->begin() + need);
    replacement->size = remainder;
    replacement->previous = previous;
    replacement->next = next;
    markBlockStart(replacement);
    block->size = need;
    ++m_blockCount;
  } else {
    --m_freeBlockCount;
  }
  if (previous) previous->next = replacement ? replacement : next;
  else m_freeHead = replacement ? replacement : next;
  if (next) next->previous = replacement ? replacement : previous;
  else m_freeTail = replacement ? replacement : previous;

  m_heapUsed += uint32_t(block->size);
  if (m_heapUsed > m_peakUsed) m_peakUsed = m_heapUsed;
  block->size = -block->size;
  // The word still holds a free-list link; a compaction before the caller
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

  // Neighbours in the address-ordered free list, walking from the nearer end.
  Block* previous;
  Block* next;
  if (!m_freeHead || block < m_freeHead) {
    previous = nullptr;
    next = m_freeHead;
  } else if (block > m_freeTail) {
    previous = m_freeTail;
    next = nullptr;
  } else if (block->begin() - m_freeHead->begin() <= m_freeTail->begin() - block->begin()) {
    next = m_freeHead;
    while (next < block) next = next->next;
    previous = next->previous;
  } else {
    previous = m_freeTail;
    while (previous > block) previous = previous->previous;
    next = previous->next;
  }

  const bool mergeWithNext = next && block->end() == next->begin();
  if (previous && previous->end() == block->begin()) {
    previous->size += block->size;
    clearBlockStart(block);
    --m_blockCount;
    block = previous;
  } else {
    block->previous = previous;
    block->next = next;
    if (previous) previous->next = block;
    else m_freeHead = block;
    if (next) next->previous = block;
    else m_freeTail = block;
    ++m_freeBlockCount;
  }
  if (mergeWithNext) {
    block->size += next->size;
    block->next = next->next;
    if (next->next) next->next->previous = block;
    else m_freeTail = block;
    clearBlockStart(next);
    --m_blockCount;
    --m_freeBlockCount;
  }
}

FragmentHeap::Block* FragmentHeap::blockAt(const void* payload) const {
  const auto* address = static_cast<const std::byte*>(payload);
  if (!m_region || address < m_region + m_headerSize || address >= m_region + m_heapSize) return nullptr;
  std::byte* start = const_cast<std::byte*>(address) - m_headerSize;
  if (size_t(start - m_region) % alignment != 0 || !isBlockStart(start)) return nullptr;
  return Block::at(start);
}

FragmentHeap::Block* FragmentHeap::inUseBlockAt(const void* payload) const {
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

bool FragmentHeap::isBlockStart(const void* address) const {
  const size_t granule = granuleOf(address);
  return (m_blockStarts[granule / 64] >> (granule % 64)) & 1;
}

void FragmentHeap::markBlockStart(const void* address) {
  const size_t granule = granuleOf(address);
  m_blockStarts[granule / 64] |= uint64_t(1) << (granule % 64);
}

void FragmentHeap::clearBlockStart(const void* address) {
  const size_t granule = granuleOf(address);
  m_blockStarts[granule / 64] &= ~(uint64_t(1) << (granule % 64));
}
