#pragma once
// A pool carved from one region: blocks with signed size words, free blocks
// found by address through a bitmap and by size through an index, best-fit
// allocation, and (native pool only) compaction that moves blocks and patches
// the one field that owns each.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "runtime/memory/GranuleBitmap.h"
#include "wince/sync.h"

class FragmentHeap {
 public:
  enum Type : uint32_t { objectHeapType = 0, nativePoolType = 1 };

  // Header words are pointer-sized on this host (size word, then for the
  // native pool the owner word); payloads are 8-byte aligned.
  static constexpr uint32_t wordSize = sizeof(void*);
  static constexpr uint32_t alignment = 8;
  // A free block holds its size and its two links in the size index.
  static constexpr uint32_t minimumBlockSize = 3 * wordSize;

  // Called with the pool's lock released when no free block fits: the
  // collector's "collect with flags 9, then compact for this request".
  using ExhaustionHook = void (*)(FragmentHeap& heap, uint32_t need, void* context);

  FragmentHeap(uint32_t size, Type type);
  ~FragmentHeap();
  FragmentHeap(const FragmentHeap&) = delete;
  FragmentHeap& operator=(const FragmentHeap&) = delete;

  // Payload address of a zero-or-more byte block, or null.
  void* alloc(uint32_t byteCount);
  // 1 when the address was the payload of an in-use block of this pool and is
  // now released; 0 otherwise (nothing changes; a bad address is logged).
  int free(void* payload);
  // Records which reference field holds the payload's address, so that a
  // compaction can patch it. Null clears it.
  void setOwner(void* payload, void** ownerField);
  void** owner(const void* payload) const;
  // |size| - header for the payload address of a block of this pool, free or
  // in use (so a walk can step from block to block); 0 for any other address.
  uint32_t payloadSize(const void* payload) const;
  bool contains(const void* address) const;

  // Block size actually taken for a request of byteCount bytes.
  uint32_t blockSizeFor(uint32_t byteCount) const;

  // Native pool, world stopped: make a free block of at least need block
  // bytes by moving in-use blocks (strategy A, then B). A block whose owner
  // is null, or into which any of the sorted addresses points, never moves.
  // Answers the free block's payload address, or null.
  void* compactFor(uint32_t need, std::span<const uintptr_t> pinnedAddresses);

  void setExhaustionHook(ExhaustionHook hook, void* context);

  // Blocks tile the region, the bitmaps and the size index hold exactly the
  // free blocks, the counters agree. On failure, says why.
  bool checkInvariants(std::string* why = nullptr) const;

  Type type() const { return m_type; }
  uint32_t headerSize() const { return m_headerSize; }
  uint32_t blockCount() const { return m_blockCount; }
  uint32_t freeBlockCount() const { return m_freeBlockCount; }
  uint32_t peakUsed() const { return m_peakUsed; }
  const std::byte* regionBegin() const { return m_region; }
  const std::byte* regionEnd() const { return m_region + m_heapSize; }

  uint32_t m_heapSize;  // region size in bytes
  uint32_t m_heapUsed;  // bytes of blocks in use, headers included

  // Defined in FragmentHeapBlock.h, which only the pool's own units include.
  struct Block;

 private:

  // Free blocks ordered by (size, address): the best fit is the first at or
  // after (need, 0). Sizes below smallLimit each have a bin of their own,
  // found through an occupancy bitmap; larger ones share one. Each bin is a
  // treap whose priorities hash the block addresses, linked through the free
  // blocks' own words, so the index needs no memory of its own.
  class SizeIndex {
   public:
    void insert(Block* block);
    void erase(Block* block);
    // The link that holds the best fit for need, or null; detach takes the
    // block out through it.
    Block** bestFitLink(uint32_t need);
    Block* detach(Block** link);
    Block* bestFit(uint32_t need) {
      Block** link = bestFitLink(need);
      return link ? *link : nullptr;
    }
    // Every free block once, each in its bin and in treap order; says why not.
    bool check(const FragmentHeap& heap, uint32_t freeBlocks, std::string* why) const;

   private:
    static constexpr uint32_t smallLimit = 4096;
    static constexpr uint32_t largeBin = smallLimit / alignment;
    static constexpr uint32_t binCount = largeBin + 1;
    static uint32_t binOf(uintptr_t size) { return size < smallLimit ? uint32_t(size / alignment) : largeBin; }
    uint32_t firstOccupiedFrom(uint32_t bin) const;

    Block* m_roots[binCount] = {};
    uint64_t m_occupied[(binCount + 63) / 64] = {};
  };

  Block* bestFit(uint32_t need, Block* exclude1, Block* exclude2);
  void* take(Block* block, uint32_t need);
  void* carve(Block* block, uint32_t need);
  void release(Block* block);
  Block* blockAt(const void* payload) const;
  Block* inUseBlockAt(const void* payload) const;
  void* payloadOf(Block* block) const { return reinterpret_cast<std::byte*>(block) + m_headerSize; }
  void moveRun(Block* first, uint32_t length, Block* destination);
  Block* strategyA(uint32_t need, std::span<const uintptr_t> pinned);
  Block* strategyB(uint32_t need, std::span<const uintptr_t> pinned);
  bool movable(const Block* first, uint32_t length, std::span<const uintptr_t> pinned) const;
  bool checkInvariantsLocked(std::string* why) const;

  // Bits per 8-byte granule: where a block starts, so that free can tell a
  // real payload from an interior or stale address in constant time; where
  // a free block starts and where one ends, so that free sees its free
  // neighbours without touching them, and compaction follows the address
  // order.
  size_t granuleOf(const void* address) const {
    return size_t(static_cast<const std::byte*>(address) - m_region) / alignment;
  }
  Block* blockAtGranule(size_t granule) const;
  bool isBlockStart(const void* address) const { return m_blockStarts.test(granuleOf(address)); }
  void markBlockStart(const void* address) { m_blockStarts.set(granuleOf(address)); }
  void clearBlockStart(const void* address) { m_blockStarts.clear(granuleOf(address)); }
  Block* firstFree() const;
  Block* nextFree(const Block* block) const;

  std::byte* m_region;
  uint32_t m_blockCount;
  uint32_t m_freeBlockCount;
  uint32_t m_peakUsed;
  Type m_type;
  uint32_t m_headerSize;
  ExhaustionHook m_exhaustionHook = nullptr;
  void* m_exhaustionContext = nullptr;
  GranuleBitmap m_blockStarts;
  GranuleBitmap m_freeStarts;
  GranuleBitmap m_freeEnds;  // set at the last granule of each free block
  SizeIndex m_sizeIndex;
  mutable CRITICAL_SECTION m_lock;
};
