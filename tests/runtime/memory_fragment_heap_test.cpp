// Allocation, release and coalescing of one pool, its size rules and its
// answers to bad addresses and exhaustion.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "runtime/memory/FragmentHeap.h"
#include "wince/log.h"

namespace {

using Type = FragmentHeap::Type;
constexpr Type objectHeap = FragmentHeap::objectHeapType;
constexpr Type nativePool = FragmentHeap::nativePoolType;

testing::AssertionResult consistent(const FragmentHeap& heap) {
  std::string why;
  if (heap.checkInvariants(&why)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << why;
}

struct Counters {
  uint32_t blocks, freeBlocks, used;
  bool operator==(const Counters&) const = default;
};

Counters countersOf(const FragmentHeap& heap) { return {heap.blockCount(), heap.freeBlockCount(), heap.m_heapUsed}; }

struct SizeCase {
  Type type;
  uint32_t request;
  uint32_t blockSize;
};

class BlockSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(BlockSizes, RequestTakesRoundedBlockWithHeader) {
  const SizeCase& c = GetParam();
  FragmentHeap heap(4096, c.type);
  EXPECT_EQ(heap.blockSizeFor(c.request), c.blockSize);
  void* payload = heap.alloc(c.request);
  ASSERT_NE(payload, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(payload) % 8, 0u);
  EXPECT_EQ(heap.payloadSize(payload), c.blockSize - heap.headerSize());
  EXPECT_GE(heap.payloadSize(payload), c.request);
  EXPECT_EQ(heap.m_heapUsed, c.blockSize);
  EXPECT_EQ(heap.blockCount(), 2u);
  EXPECT_TRUE(consistent(heap));
}

INSTANTIATE_TEST_SUITE_P(BothPools, BlockSizes,
                         testing::Values(SizeCase{objectHeap, 0, 24}, SizeCase{objectHeap, 1, 24},
                                         SizeCase{objectHeap, 5, 24}, SizeCase{objectHeap, 8, 24},
                                         SizeCase{objectHeap, 9, 24}, SizeCase{objectHeap, 16, 24},
                                         SizeCase{objectHeap, 17, 32}, SizeCase{objectHeap, 100, 112},
                                         SizeCase{nativePool, 0, 24}, SizeCase{nativePool, 1, 24},
                                         SizeCase{nativePool, 5, 24}, SizeCase{nativePool, 8, 24},
                                         SizeCase{nativePool, 9, 32}, SizeCase{nativePool, 16, 32},
                                         SizeCase{nativePool, 17, 40}, SizeCase{nativePool, 100, 120}));

TEST(FragmentHeap, HeaderSizesAndFreshPool) {
  FragmentHeap objects(1000, objectHeap), natives(1003, nativePool);
  EXPECT_EQ(objects.headerSize(), 8u);
  EXPECT_EQ(natives.headerSize(), 16u);
  EXPECT_EQ(natives.m_heapSize, 1000u) << "region is cut to whole granules";
  for (const FragmentHeap* heap : {&objects, &natives}) {
    EXPECT_EQ(countersOf(*heap), (Counters{1, 1, 0}));
    EXPECT_TRUE(consistent(*heap));
  }
}

TEST(FragmentHeap, OwnerIsClearedWhenTakenAndKeptUntilFreed) {
  FragmentHeap heap(1024, nativePool);
  void* first = heap.alloc(40);
  void* second = heap.alloc(40);
  void* field = nullptr;
  heap.setOwner(first, &field);
  EXPECT_EQ(heap.owner(first), &field);
  EXPECT_EQ(heap.owner(second), nullptr);
  ASSERT_EQ(heap.free(first), 1);
  void* again = heap.alloc(40);
  ASSERT_EQ(again, first);
  EXPECT_EQ(heap.owner(again), nullptr) << "a new block must not inherit a link or an old owner";
}

TEST(FragmentHeap, FreeOfTheOtherPoolsAddressChangesNothing) {
  FragmentHeap objects(2048, objectHeap), natives(2048, nativePool);
  void* object = objects.alloc(64);
  void* native = natives.alloc(64);
  const Counters objectsBefore = countersOf(objects), nativesBefore = countersOf(natives);
  int onStack = 0;
  EXPECT_EQ(natives.free(object), 0);
  EXPECT_EQ(objects.free(native), 0);
  EXPECT_EQ(objects.free(nullptr), 0);
  EXPECT_EQ(objects.free(&onStack), 0);
  EXPECT_EQ(countersOf(objects), objectsBefore);
  EXPECT_EQ(countersOf(natives), nativesBefore);
  EXPECT_FALSE(natives.contains(object));
  EXPECT_EQ(natives.payloadSize(object), 0u);
  EXPECT_EQ(objects.free(object), 1);
  EXPECT_EQ(natives.free(native), 1);
  EXPECT_TRUE(consistent(objects));
  EXPECT_TRUE(consistent(natives));
}

// Blocks a, b, c and a guard; b is the block the bad addresses aim at.
struct BadAddressCase {
  const char* name;
  std::function<void*(FragmentHeap&, std::byte* a, std::byte* b, std::byte* c)> address;
};

void PrintTo(const BadAddressCase& c, std::ostream* out) { *out << c.name; }

class BadFree : public testing::TestWithParam<std::tuple<Type, BadAddressCase>> {};

TEST_P(BadFree, IsLoggedAnsweredZeroAndHarmless) {
  const auto& [type, c] = GetParam();
  FragmentHeap heap(4096, type);
  auto* a = static_cast<std::byte*>(heap.alloc(48));
  auto* b = static_cast<std::byte*>(heap.alloc(48));
  auto* c2 = static_cast<std::byte*>(heap.alloc(48));
  ASSERT_NE(heap.alloc(48), nullptr);  // guard: keeps c apart from the free tail
  std::memset(b, 0x5A, 48);
  void* address = c.address(heap, a, b, c2);
  const Counters before = countersOf(heap);

  wince::LogCapture capture;
  EXPECT_EQ(heap.free(address), 0);
  EXPECT_TRUE(capture.contains("is not an allocated block")) << capture.text();
  EXPECT_EQ(countersOf(heap), before);
  EXPECT_TRUE(consistent(heap));
  EXPECT_EQ(heap.payloadSize(b), 48u) << "b is untouched";
  EXPECT_EQ(heap.free(b), 1);
  EXPECT_TRUE(consistent(heap));
}

const BadAddressCase badAddresses[] = {
    {"Interior", [](FragmentHeap&, std::byte*, std::byte* b, std::byte*) { return static_cast<void*>(b + 8); }},
    {"Misaligned", [](FragmentHeap&, std::byte*, std::byte* b, std::byte*) { return static_cast<void*>(b + 1); }},
    {"BlockHeader",
     [](FragmentHeap& heap, std::byte*, std::byte* b, std::byte*) {
       return static_cast<void*>(b - heap.headerSize());
     }},
    {"RegionStart",
     [](FragmentHeap& heap, std::byte*, std::byte*, std::byte*) {
       return static_cast<void*>(const_cast<std::byte*>(heap.regionBegin()));
     }},
    {"LastByte",
     [](FragmentHeap& heap, std::byte*, std::byte*, std::byte*) {
       return static_cast<void*>(const_cast<std::byte*>(heap.regionEnd() - 1));
     }},
    {"DoubleFree",
     [](FragmentHeap& heap, std::byte*, std::byte*, std::byte* c) {
       EXPECT_EQ(heap.free(c), 1);
       return static_cast<void*>(c);
     }},
    {"DoubleFreeOfFirstBlock",
     [](FragmentHeap& heap, std::byte* a, std::byte*, std::byte*) {
       EXPECT_EQ(heap.free(a), 1);
       return static_cast<void*>(a);
     }},
    {"FreeTailPayload",
     [](FragmentHeap& heap, std::byte*, std::byte*, std::byte* c) {
       // The guard follows c; the never-allocated tail follows the guard.
       return static_cast<void*>(c + 2 * (heap.blockSizeFor(48)));
     }},
};

INSTANTIATE_TEST_SUITE_P(BothPools, BadFree, testing::Combine(testing::Values(objectHeap, nativePool),
                                                              testing::ValuesIn(badAddresses)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) == objectHeap ? "ObjectHeap" : "NativePool") +
                                  std::get<1>(info.param).name;
                         });

TEST(FragmentHeap, FreedBlockMergedIntoItsNeighbourCannotBeFreedAgain) {
  FragmentHeap heap(4096, nativePool);
  void* a = heap.alloc(32);
  void* b = heap.alloc(32);
  heap.alloc(32);
  ASSERT_EQ(heap.free(a), 1);
  ASSERT_EQ(heap.free(b), 1);  // merges into a
  const Counters before = countersOf(heap);
  wince::LogCapture capture;
  EXPECT_EQ(heap.free(b), 0);
  EXPECT_EQ(countersOf(heap), before);
  EXPECT_TRUE(consistent(heap));
}

// Four neighbours freed in every order end as one free block; with a guard
// behind them they stay apart from the free tail, without one they join it.
TEST(FragmentHeap, NeighboursFreedInAnyOrderCoalesce) {
  const uint32_t requests[4] = {24, 40, 64, 8};
  for (Type type : {objectHeap, nativePool}) {
    for (bool guard : {true, false}) {
      std::array<int, 4> order = {0, 1, 2, 3};
      do {
        SCOPED_TRACE(testing::Message() << "type " << type << " guard " << guard << " order " << order[0]
                                        << order[1] << order[2] << order[3]);
        FragmentHeap heap(2048, type);
        void* blocks[4];
        uint32_t total = 0;
        for (int i = 0; i < 4; ++i) {
          blocks[i] = heap.alloc(requests[i]);
          total += heap.blockSizeFor(requests[i]);
        }
        if (guard) heap.alloc(8);
        const uint32_t guardSize = guard ? heap.blockSizeFor(8) : 0;
        for (int index : order) {
          ASSERT_EQ(heap.free(blocks[index]), 1);
          ASSERT_TRUE(consistent(heap));
        }
        EXPECT_EQ(heap.m_heapUsed, guardSize);
        if (guard) {
          EXPECT_EQ(countersOf(heap), (Counters{3, 2, guardSize}));
          void* whole = heap.alloc(total - heap.headerSize());
          EXPECT_EQ(whole, blocks[0]) << "the merged block fits exactly";
        } else {
          EXPECT_EQ(countersOf(heap), (Counters{1, 1, 0}));
        }
      } while (std::next_permutation(order.begin(), order.end()));
    }
  }
}

// A hole between in-use blocks, then a request that leaves a given remainder.
struct RemainderCase {
  Type type;
  uint32_t remainder;
  bool whole;
};

class WholeBlockRule : public testing::TestWithParam<RemainderCase> {};

TEST_P(WholeBlockRule, SmallRemainderIsHandedOutWithTheBlock) {
  const RemainderCase& c = GetParam();
  FragmentHeap heap(4096, c.type);
  void* hole = heap.alloc(200);
  heap.alloc(8);
  const uint32_t holeSize = heap.blockSizeFor(200);
  ASSERT_EQ(heap.free(hole), 1);
  const Counters before = countersOf(heap);

  const uint32_t request = holeSize - c.remainder - heap.headerSize();
  void* payload = heap.alloc(request);
  ASSERT_EQ(payload, hole) << "best fit picks the hole over the larger tail";
  if (c.whole) {
    EXPECT_EQ(heap.payloadSize(payload), holeSize - heap.headerSize());
    EXPECT_EQ(countersOf(heap), (Counters{before.blocks, before.freeBlocks - 1, before.used + holeSize}));
  } else {
    EXPECT_EQ(heap.payloadSize(payload), request);
    EXPECT_EQ(countersOf(heap), (Counters{before.blocks + 1, before.freeBlocks, before.used + holeSize - c.remainder}));
  }
  EXPECT_TRUE(consistent(heap));
}

INSTANTIATE_TEST_SUITE_P(AtTheThreshold, WholeBlockRule,
                         testing::Values(RemainderCase{objectHeap, 72, true}, RemainderCase{objectHeap, 80, false},
                                         RemainderCase{objectHeap, 24, true}, RemainderCase{nativePool, 80, true},
                                         RemainderCase{nativePool, 88, false}, RemainderCase{nativePool, 0, true}));

TEST(FragmentHeap, BestFitTakesSmallestFittingHoleAndLowestOfEqualOnes) {
  FragmentHeap heap(4096, objectHeap);
  void* holes[4];
  const uint32_t sizes[4] = {300, 100, 120, 100};
  for (int i = 0; i < 4; ++i) {
    holes[i] = heap.alloc(sizes[i]);
    heap.alloc(8);
  }
  for (void* hole : holes) heap.free(hole);
  EXPECT_EQ(heap.alloc(96), holes[1]);
  EXPECT_EQ(heap.alloc(96), holes[3]);
  EXPECT_EQ(heap.alloc(104), holes[2]);
  EXPECT_EQ(heap.alloc(104), holes[0]);
  EXPECT_TRUE(consistent(heap));
}

TEST(FragmentHeap, ExhaustionLogsTheExactLineAndAnswersNull) {
  FragmentHeap heap(1024, objectHeap);
  ASSERT_NE(heap.alloc(900), nullptr);  // 912 in use, a 112-byte tail left
  wince::LogCapture capture;
  EXPECT_EQ(heap.alloc(200), nullptr);
  EXPECT_EQ(capture.text(), "totalFragmentSizeNeeded=208 m_heapUsed=912 m_heapSize=1024\n");
  capture.clear();
  EXPECT_EQ(heap.alloc(5000), nullptr);
  EXPECT_EQ(capture.text(), "totalFragmentSizeNeeded=5008 m_heapUsed=912 m_heapSize=1024\n");
  EXPECT_TRUE(consistent(heap));
}

TEST(FragmentHeap, HugeRequestFailsWithoutWrappingOrCallingTheHook) {
  FragmentHeap heap(1024, nativePool);
  int calls = 0;
  heap.setExhaustionHook([](FragmentHeap&, uint32_t, void* context) { ++*static_cast<int*>(context); }, &calls);
  wince::LogCapture capture;
  EXPECT_EQ(heap.alloc(UINT32_MAX), nullptr);
  EXPECT_EQ(heap.alloc(UINT32_MAX - 7), nullptr);
  EXPECT_EQ(calls, 0) << "no collection can make a request larger than the region fit";
  EXPECT_EQ(heap.m_heapUsed, 0u);
  EXPECT_TRUE(consistent(heap));
}

struct HookProbe {
  FragmentHeap* heap;
  void* toFree;
  int calls = 0;
  uint32_t need = 0;
  bool otherThreadGotIn = false;
};

TEST(FragmentHeap, ExhaustionHookRunsOnceWithTheLockReleasedAndTheRetryUsesWhatItFreed) {
  FragmentHeap heap(1024, nativePool);
  void* first = heap.alloc(480);
  ASSERT_NE(heap.alloc(480), nullptr);  // takes the rest whole
  ASSERT_EQ(heap.m_heapUsed, 1024u);

  HookProbe probe{&heap, first};
  heap.setExhaustionHook(
      [](FragmentHeap& pool, uint32_t need, void* context) {
        auto& probe = *static_cast<HookProbe*>(context);
        EXPECT_EQ(&pool, probe.heap);
        ++probe.calls;
        probe.need = need;
        // Another thread gets in only when the pool's lock is free.
        std::thread([&probe] {
          probe.heap->free(probe.toFree);
          probe.heap->free(probe.heap->alloc(0));
          probe.otherThreadGotIn = true;
        }).join();
      },
      &probe);

  wince::LogCapture capture;
  void* payload = heap.alloc(100);
  EXPECT_EQ(probe.calls, 1);
  EXPECT_EQ(probe.need, heap.blockSizeFor(100));
  EXPECT_TRUE(probe.otherThreadGotIn);
  EXPECT_EQ(payload, first);
  EXPECT_EQ(capture.text(), "");
  EXPECT_TRUE(consistent(heap));

  EXPECT_NE(heap.alloc(16), nullptr);
  EXPECT_EQ(probe.calls, 1) << "no hook while a block fits";
}

TEST(FragmentHeap, HookThatFreesNothingLeadsToTheLogLine) {
  FragmentHeap heap(512, objectHeap);
  ASSERT_NE(heap.alloc(500), nullptr);
  int calls = 0;
  heap.setExhaustionHook([](FragmentHeap&, uint32_t, void* context) { ++*static_cast<int*>(context); }, &calls);
  wince::LogCapture capture;
  EXPECT_EQ(heap.alloc(8), nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(capture.text(), "totalFragmentSizeNeeded=24 m_heapUsed=512 m_heapSize=512\n");
}

// The collector steps through a pool's blocks by their payload sizes.
TEST(FragmentHeap, PayloadSizesStepThroughEveryBlockFreeOrInUse) {
  for (FragmentHeap::Type type : {objectHeap, nativePool}) {
    FragmentHeap heap(4096, type);
    void* blocks[6];
    for (int i = 0; i < 6; ++i) blocks[i] = heap.alloc(uint32_t(i * 40));
    heap.free(blocks[1]);
    heap.free(blocks[4]);
    uint32_t visited = 0;
    const std::byte* payload = heap.regionBegin() + heap.headerSize();
    while (payload < heap.regionEnd()) {
      const uint32_t size = heap.payloadSize(payload);
      ASSERT_NE(size, 0u);
      ++visited;
      payload += size + heap.headerSize();
    }
    EXPECT_EQ(payload, heap.regionEnd() + heap.headerSize());
    EXPECT_EQ(visited, heap.blockCount());
    EXPECT_EQ(heap.payloadSize(static_cast<std::byte*>(blocks[2]) + 8), 0u) << "interior address";
  }
}

TEST(FragmentHeap, PeakFollowsTheHighestUse) {
  FragmentHeap heap(4096, objectHeap);
  void* a = heap.alloc(1000);
  void* b = heap.alloc(1000);
  const uint32_t peak = heap.m_heapUsed;
  heap.free(a);
  heap.free(b);
  heap.alloc(10);
  EXPECT_EQ(heap.peakUsed(), peak);
}

TEST(FragmentHeap, ConcurrentAllocationAndFreeKeepThePoolConsistent) {
  FragmentHeap heap(256 * 1024, nativePool);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&heap, t] {
      std::vector<void*> held;
      for (int i = 0; i < 4000; ++i) {
        if (void* block = heap.alloc(uint32_t((i * 37 + t * 11) % 300))) held.push_back(block);
        if (held.size() > 40 || (i % 3 == 0 && !held.empty())) {
          EXPECT_EQ(heap.free(held.front()), 1);
          held.erase(held.begin());
        }
      }
      for (void* block : held) EXPECT_EQ(heap.free(block), 1);
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(countersOf(heap), (Counters{1, 1, 0}));
  EXPECT_TRUE(consistent(heap));
}

}  // namespace
