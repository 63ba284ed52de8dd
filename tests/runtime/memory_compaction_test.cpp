// Compaction of the native pool: which blocks move, where, and that every
// moved block still reads its contents through its owner.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "runtime/memory/FragmentHeap.h"
#include "wince/log.h"

namespace {

constexpr FragmentHeap::Type nativePool = FragmentHeap::nativePoolType;

testing::AssertionResult consistent(const FragmentHeap& heap) {
  std::string why;
  if (heap.checkInvariants(&why)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << why;
}

// Ten units of one 80-byte block each, then an ownerless guard block. Layout letters: K kept with an owner,
// F freed, O kept without an owner, P kept and pinned by a stack word,
// I kept with its owner field inside another block of the pool.
struct LayoutCase {
  const char* name;
  const char* layout;
  uint32_t need;
  int answerUnit;  // -1: no block
  std::vector<std::pair<int, int>> moves;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

class CompactionLayout : public testing::TestWithParam<LayoutCase> {
 protected:
  static constexpr int units = 10;
  static constexpr uint32_t unitBytes = 80;
  static constexpr uint32_t payloadBytes = 64;
  static constexpr uint32_t checkedBytes = 56;  // the last 8 of unit 9 may hold an owner field

  static constexpr uint32_t guardBytes = 88;  // a tail of 80 or less would join the last unit

  FragmentHeap heap{units * unitBytes + guardBytes, nativePool};
  void* owners[units] = {};
  void* original[units] = {};

  std::byte* payloadOfUnit(int unit) { return const_cast<std::byte*>(heap.regionBegin()) + unit * unitBytes + 16; }
};

TEST_P(CompactionLayout, MovesOnlyWhatItMayAndKeepsContents) {
  const LayoutCase& c = GetParam();
  std::vector<uintptr_t> pins;
  for (int unit = 0; unit < units; ++unit) {
    void* payload = heap.alloc(payloadBytes);
    ASSERT_EQ(payload, payloadOfUnit(unit));
    std::memset(payload, 0x10 + unit, payloadBytes);
    original[unit] = payload;
  }
  ASSERT_NE(heap.alloc(guardBytes - heap.headerSize()), nullptr);
  for (int unit = 0; unit < units; ++unit) {
    const char letter = c.layout[unit];
    if (letter == 'K' || letter == 'P') {
      owners[unit] = original[unit];
      heap.setOwner(original[unit], &owners[unit]);
    }
    if (letter == 'I') {
      auto** field = reinterpret_cast<void**>(payloadOfUnit(9) + checkedBytes);
      *field = original[unit];
      heap.setOwner(original[unit], field);
    }
    if (letter == 'P') pins.push_back(reinterpret_cast<uintptr_t>(original[unit]) + 20);
    if (letter == 'F') {
      ASSERT_EQ(heap.free(original[unit]), 1);
    }
  }
  ASSERT_TRUE(consistent(heap));

  void* answer = heap.compactFor(c.need, pins);
  ASSERT_TRUE(consistent(heap));
  EXPECT_EQ(answer, c.answerUnit < 0 ? nullptr : payloadOfUnit(c.answerUnit));

  for (int unit = 0; unit < units; ++unit) {
    if (c.layout[unit] == 'F') continue;
    SCOPED_TRACE(testing::Message() << "unit " << unit);
    int expectedUnit = unit;
    for (const auto& [from, to] : c.moves)
      if (from == unit) expectedUnit = to;
    void* now = c.layout[unit] == 'K' || c.layout[unit] == 'P' ? owners[unit] : original[unit];
    EXPECT_EQ(now, payloadOfUnit(expectedUnit));
    const std::vector<std::byte> expected(checkedBytes, std::byte(0x10 + unit));
    EXPECT_EQ(std::memcmp(now, expected.data(), checkedBytes), 0);
    EXPECT_GE(heap.payloadSize(now), payloadBytes);
  }
  if (answer) {
    EXPECT_EQ(heap.alloc(c.need - heap.headerSize()), answer) << "the answered block fits the need";
  }
}

INSTANTIATE_TEST_SUITE_P(
    TenUnits, CompactionLayout,
    testing::Values(LayoutCase{"RunBetweenBestPairMoves", "KFKFKFKFKK", 240, 1, {{2, 5}}},
                    LayoutCase{"OwnerlessBlockStays", "KFOFKFKFKK", 240, 3, {{4, 1}}},
                    LayoutCase{"PinnedBlockStays", "KFPFKFKFKK", 240, 3, {{4, 1}}},
                    LayoutCase{"OwnerFieldInsideThePoolStays", "KFIFKFKFKK", 240, 3, {{4, 1}}},
                    LayoutCase{"LargestBlockGrowsWhenNoPairCanMove", "FKKFKKFKKF", 240, 0, {{1, 3}, {2, 6}}},
                    LayoutCase{"PinnedBlockStopsGrowing", "FKPFKKFKKF", 240, -1, {{1, 3}}},
                    LayoutCase{"OwnerlessBlockStopsGrowing", "FOKFKKFKKF", 240, -1, {}},
                    LayoutCase{"FittingBlockNeedsNoMove", "KFKFKFKFKK", 80, 1, {}},
                    LayoutCase{"NotEnoughFreeBytesFailsAtOnce", "KFKFKFKFKK", 320, -1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Compaction, ObjectHeapNeverCompacts) {
  FragmentHeap heap(800, FragmentHeap::objectHeapType);
  void* blocks[10];
  for (void*& block : blocks) block = heap.alloc(72);
  for (int i = 1; i < 10; i += 2) heap.free(blocks[i]);
  EXPECT_EQ(heap.compactFor(160, {}), nullptr);
  EXPECT_TRUE(consistent(heap));
}

// Random allocations, releases and compactions, with the invariants checked
// after every step, every block's contents after every compaction, and every
// allocation's choice against a literal best-fit walk of the region.
class RandomRun {
 public:
  static constexpr int slotCount = 256;

  RandomRun() {
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = uint8_t(i * 7 + (i >> 8));
    heap.setExhaustionHook(
        [](FragmentHeap& pool, uint32_t need, void* context) {
          auto& run = *static_cast<RandomRun*>(context);
          ++run.hookCalls;
          const std::vector<uintptr_t> pins = run.pins();
          pool.compactFor(need, pins);
          run.compacted = true;
          run.expected = run.literalBestFit(need);
        },
        this);
  }

  void step() {
    const uint32_t roll = random() % 100;
    if (roll < 4) {
      const std::vector<uintptr_t> pins = this->pins();
      heap.compactFor(24 + random() % 8192, pins);
      compacted = true;
    } else {
      const int slot = int(random() % slotCount);
      if (kind[slot] == empty) allocate(slot);
      else release(slot);
    }
  }

  // The best fit as literally defined: of the free blocks in address order,
  // the first of the smallest size that holds need bytes. Reads each block's
  // signed size word (negative in use).
  const std::byte* literalBestFit(uint32_t need) const {
    const std::byte* best = nullptr;
    intptr_t bestSize = INTPTR_MAX;
    for (const std::byte* at = heap.regionBegin(); at < heap.regionEnd();) {
      intptr_t size;
      std::memcpy(&size, at, sizeof size);
      if (size >= intptr_t(need) && size < bestSize) {
        best = at;
        bestSize = size;
      }
      at += size < 0 ? -size : size;
    }
    return best;
  }

  testing::AssertionResult verifyAll() {
    // Every live slot is its own in-use block: their sizes add up to the use.
    uint32_t used = 0;
    for (int slot = 0; slot < slotCount; ++slot) {
      if (kind[slot] == empty) continue;
      if (testing::AssertionResult result = verify(slot); !result) return result;
      used += heap.payloadSize(address(slot)) + heap.headerSize();
    }
    if (used != heap.m_heapUsed) return testing::AssertionFailure() << "live blocks hold " << used << " bytes";
    return testing::AssertionSuccess();
  }

  FragmentHeap heap{64 * 1024, nativePool};
  bool compacted = false;
  int hookCalls = 0;
  int movedBlocks = 0;
  int failedAllocations = 0;
  int comparedChoices = 0;
  const std::byte* expected = nullptr;  // the reference's choice for the request in progress

 private:
  enum Kind : uint8_t { empty, owned, ownerless, pinned };

  void* address(int slot) const { return kind[slot] == owned ? owners[slot] : fixed[slot]; }

  std::vector<uintptr_t> pins() const {
    std::vector<uintptr_t> result;
    for (int slot = 0; slot < slotCount; ++slot) {
      if (kind[slot] != pinned) continue;
      const auto payload = reinterpret_cast<uintptr_t>(fixed[slot]);
      // A stack word may point at the block's header or into its payload.
      result.push_back(slot % 2 ? payload + size[slot] / 2 : payload - heap.headerSize());
    }
    std::sort(result.begin(), result.end());
    return result;
  }

  uint32_t randomSize() {
    const uint32_t roll = random() % 100;
    if (roll < 70) return random() % 129;
    if (roll < 95) return 129 + random() % 896;
    return 1025 + random() % 3072;
  }

  void allocate(int slot) {
    const uint32_t bytes = randomSize();
    expected = literalBestFit(heap.blockSizeFor(bytes));
    void* payload = heap.alloc(bytes);
    if (!payload) {
      EXPECT_EQ(expected, nullptr);
      ++failedAllocations;
      return;
    }
    EXPECT_EQ(payload, expected + heap.headerSize()) << "best fit differs from the reference";
    ++comparedChoices;
    const uint32_t roll = random() % 100;
    kind[slot] = roll < 84 ? owned : roll < 92 ? ownerless : pinned;
    size[slot] = bytes;
    seed[slot] = uint8_t(random());
    std::memcpy(payload, pattern.data() + seed[slot], bytes);
    lastSeen[slot] = payload;
    if (kind[slot] == owned) {
      owners[slot] = payload;
      heap.setOwner(payload, &owners[slot]);
    } else {
      fixed[slot] = payload;
    }
  }

  void release(int slot) {
    EXPECT_TRUE(verify(slot));
    EXPECT_EQ(heap.free(address(slot)), 1);
    kind[slot] = empty;
  }

  testing::AssertionResult verify(int slot) {
    void* payload = address(slot);
    if (kind[slot] == owned && payload != lastSeen[slot]) {
      ++movedBlocks;
      lastSeen[slot] = payload;
    }
    if (heap.payloadSize(payload) < size[slot])
      return testing::AssertionFailure() << "slot " << slot << " is no longer a block of its size";
    if (std::memcmp(payload, pattern.data() + seed[slot], size[slot]) != 0)
      return testing::AssertionFailure() << "slot " << slot << " lost its contents";
    void** expectedOwner = kind[slot] == owned ? &owners[slot] : nullptr;
    if (heap.owner(payload) != expectedOwner) return testing::AssertionFailure() << "slot " << slot << " owner";
    return testing::AssertionSuccess();
  }

  std::mt19937 random{20261210};
  std::array<uint8_t, 4096 + 256> pattern;
  void* owners[slotCount] = {};     // the fields compaction patches
  void* fixed[slotCount] = {};      // ownerless and pinned blocks must stay here
  void* lastSeen[slotCount] = {};
  Kind kind[slotCount] = {};
  uint32_t size[slotCount] = {};
  uint8_t seed[slotCount] = {};
};

TEST(Compaction, RandomRunKeepsThePoolAndEveryBlockIntact) {
  wince::LogCapture capture;  // keeps the exhaustion lines of this run together
  RandomRun run;
  for (int step = 0; step < 100000; ++step) {
    run.step();
    ASSERT_TRUE(consistent(run.heap)) << "step " << step;
    if (run.compacted) {
      ASSERT_TRUE(run.verifyAll()) << "step " << step;
      run.compacted = false;
    }
    if (step % 10000 == 0) capture.clear();
  }
  // The run must have exercised what it claims to.
  EXPECT_GT(run.movedBlocks, 100);
  EXPECT_GT(run.hookCalls, 10);
  EXPECT_GT(run.failedAllocations, 0);
  EXPECT_GT(run.comparedChoices, 10000);
}

}  // namespace
