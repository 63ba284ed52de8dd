// The cost of a collection over a heap of 30,000 small linked objects, per
// object, against a plain walk of the same objects in the same run.
#include <benchmark/benchmark.h>

#include <chrono>

#include "runtime/Application.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

namespace {

constexpr int objectCount = 30000;

class BenchLink : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_HashtableEntry;
  BenchLink* m_next;
  int32_t m_value;
  static constexpr auto referenceFields() { return ReferenceFieldList{&BenchLink::m_next}; }
};

// The objects are made in a scrambled order so that the list does not walk
// the heap in address order.
BenchLink* makeList() {
  BenchLink* links[objectCount];
  for (auto& link : links) link = newObject<BenchLink>();
  uint32_t position = 0;
  BenchLink* head = nullptr;
  for (int i = 0; i < objectCount; ++i) {
    position = (position + 7919) % objectCount;
    BenchLink* link = links[position];
    link->m_value = i;
    link->m_next = head;
    head = link;
  }
  return head;
}

__attribute__((noinline)) int64_t walk(const BenchLink* head) {
  int64_t sum = 0;
  for (const BenchLink* link = head; link != nullptr; link = link->m_next) sum += link->m_value + link->getClassId();
  return sum;
}

// The game block of the bench: one root that keeps the list alive.
struct BenchRoots {
  Object* object;
  static constexpr auto referenceFields() { return ReferenceFieldList{&BenchRoots::object}; }
};
BenchRoots& testRoots() { return gameStaticsAs<BenchRoots>(); }

void CollectionPerObject(benchmark::State& state) {
  ClassInitialisers table;
  table.gameStatics = describeGameStatics<BenchRoots>();
  Application application;
  application.init(&table, 4u << 20, 1u << 20);
  BenchLink* head = makeList();
  testRoots().object = head;
  ObjectManager& manager = *application.getObjectManager();
  using Clock = std::chrono::steady_clock;
  Clock::duration collecting{}, walking{};
  for (auto _ : state) {
    const auto start = Clock::now();
    manager.gc(ObjectManager::forced);
    const auto collected = Clock::now();
    benchmark::DoNotOptimize(walk(head));
    walking += Clock::now() - collected;
    collecting += collected - start;
    state.SetIterationTime(std::chrono::duration<double>(collected - start).count());
  }
  if (manager.registeredCount() != objectCount) state.SkipWithError("the list did not survive");
  const double iterations = static_cast<double>(state.iterations());
  state.counters["collect_ns_per_object"] =
      std::chrono::duration<double, std::nano>(collecting).count() / iterations / objectCount;
  state.counters["walk_ns_per_object"] = std::chrono::duration<double, std::nano>(walking).count() / iterations / objectCount;
  state.counters["collect_to_walk_ratio"] =
      std::chrono::duration<double>(collecting).count() / std::chrono::duration<double>(walking).count();
  application.close();
}

BENCHMARK(CollectionPerObject)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
