// Allocation and release on the native pool against malloc/free, with the
// same mixed pattern of sizes: a window of live blocks where each step frees
// one at random and allocates a new one in its place. ratio_vs_malloc is the
// pool's time over malloc's, measured side by side in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <vector>

#include "runtime/memory/FragmentHeap.h"
#include "runtime/memory/MemoryManagers.h"

namespace {

constexpr int windowSize = 2048;
constexpr size_t stepCount = size_t(1) << 16;
constexpr int stepsPerBatch = 1024;

struct Step {
  uint32_t slot;
  uint32_t size;
};

// Mostly small objects and short strings, some arrays, a few large buffers.
uint32_t mixedSize(std::mt19937& random) {
  const uint32_t roll = random() % 100;
  if (roll < 60) return 8 + random() % 57;
  if (roll < 90) return 65 + random() % 448;
  if (roll < 99) return 513 + random() % 3584;
  return 4097 + random() % 28672;
}

struct MixedPattern {
  std::vector<uint32_t> initialSizes;
  std::vector<Step> steps;

  MixedPattern() {
    std::mt19937 random(20261210);
    for (int slot = 0; slot < windowSize; ++slot) initialSizes.push_back(mixedSize(random));
    for (size_t i = 0; i < stepCount; ++i) steps.push_back({uint32_t(random() % windowSize), mixedSize(random)});
  }
};

const MixedPattern& pattern() {
  static const MixedPattern instance;
  return instance;
}

struct PoolAllocator {
  FragmentHeap heap{MemoryManagers::nativePoolSize, FragmentHeap::nativePoolType};
  void* allocate(uint32_t size) { return heap.alloc(size); }
  void release(void* block) { heap.free(block); }
};

struct SystemAllocator {
  void* allocate(uint32_t size) { return std::malloc(size); }
  void release(void* block) { std::free(block); }
};

template <class Allocator>
struct Workload {
  Allocator allocator;
  std::vector<void*> live;
  size_t cursor = 0;

  Workload() {
    for (uint32_t size : pattern().initialSizes) live.push_back(touch(allocator.allocate(size)));
  }
  ~Workload() {
    for (void* block : live) allocator.release(block);
  }

  static void* touch(void* block) {
    if (block) *static_cast<volatile char*>(block) = 1;
    return block;
  }

  void run(int count) {
    const std::vector<Step>& steps = pattern().steps;
    for (int i = 0; i < count; ++i) {
      const Step& step = steps[cursor];
      cursor = (cursor + 1) % stepCount;
      allocator.release(live[step.slot]);
      live[step.slot] = touch(allocator.allocate(step.size));
    }
  }
};

void BM_PoolMixed(benchmark::State& state) {
  Workload<PoolAllocator> workload;
  for (auto _ : state) workload.run(stepsPerBatch);
  state.SetItemsProcessed(int64_t(state.iterations()) * stepsPerBatch);
}
BENCHMARK(BM_PoolMixed);

void BM_MallocMixed(benchmark::State& state) {
  Workload<SystemAllocator> workload;
  for (auto _ : state) workload.run(stepsPerBatch);
  state.SetItemsProcessed(int64_t(state.iterations()) * stepsPerBatch);
}
BENCHMARK(BM_MallocMixed);

// Both in one loop, batch by batch, so that machine noise hits both alike.
void BM_PoolRatioVsMalloc(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Workload<PoolAllocator> pool;
  Workload<SystemAllocator> system;
  Clock::duration poolTime{}, systemTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    pool.run(stepsPerBatch);
    const auto middle = Clock::now();
    system.run(stepsPerBatch);
    const auto end = Clock::now();
    poolTime += middle - start;
    systemTime += end - middle;
  }
  state.counters["ratio_vs_malloc"] = double(poolTime.count()) / double(systemTime.count() ? systemTime.count() : 1);
  state.counters["pool_free_blocks"] = pool.allocator.heap.freeBlockCount();
}
BENCHMARK(BM_PoolRatioVsMalloc);

}  // namespace

BENCHMARK_MAIN();
