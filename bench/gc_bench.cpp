// The cost of a collection over a heap of 30,000 small linked objects, per
// object, against a plain walk of the live objects in the same run: once with
// every object live, once with every second one garbage that the collection
// frees.
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
// the heap in address order; every garbageEvery-th object made (none when 0)
// is left out of the list, as garbage between the live objects.
BenchLink* makeList(int garbageEvery) {
  static BenchLink* links[objectCount];
  for (auto& link : links) link = newObject<BenchLink>();
  uint32_t position = 0;
  BenchLink* head = nullptr;
  for (int i = 0; i < objectCount; ++i) {
    position = (position + 7919) % objectCount;
    if (garbageEvery != 0 && position % garbageEvery == 0) continue;
    BenchLink* link = links[position];
    link->m_value = i;
    link->m_next = head;
    head = link;
  }
  for (auto& link : links) link = nullptr;
  return head;
}

// As many new objects as the last collection freed, in the places it freed.
__attribute__((noinline)) void makeGarbage(int count) {
  for (int i = 0; i < count; ++i) newObject<BenchLink>()->m_value = i;
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

// state.range(0): every how many objects one is garbage (0: none). The
// ratio compares the cost per object of the heap (live or not) with the walk
// per live object.
void CollectionPerObject(benchmark::State& state) {
  const int garbageEvery = static_cast<int>(state.range(0));
  ClassInitialisers table;
  table.gameStatics = describeGameStatics<BenchRoots>();
  Application application;
  application.init(&table, 4u << 20, 1u << 20);
  BenchLink* head = makeList(garbageEvery);
  testRoots().object = head;
  ObjectManager& manager = *application.getObjectManager();
  manager.gc(ObjectManager::forced);
  const int liveCount = static_cast<int>(manager.registeredCount());
  const int garbageCount = objectCount - liveCount;
  const int64_t expectedSum = walk(head);
  using Clock = std::chrono::steady_clock;
  Clock::duration collecting{}, walking{};
  for (auto _ : state) {
    makeGarbage(garbageCount);
    const auto start = Clock::now();
    manager.gc(ObjectManager::forced);
    const auto collected = Clock::now();
    benchmark::DoNotOptimize(walk(head));
    walking += Clock::now() - collected;
    collecting += collected - start;
    state.SetIterationTime(std::chrono::duration<double>(collected - start).count());
  }
  // The stack scan is conservative: a stale word may keep a garbage object
  // or two, but every object of the list must be there, with its value.
  if (static_cast<int>(manager.registeredCount()) < liveCount || walk(head) != expectedSum)
    state.SkipWithError("the list did not survive");
  const double iterations = static_cast<double>(state.iterations());
  const double collectPerObject = std::chrono::duration<double, std::nano>(collecting).count() / iterations / objectCount;
  const double walkPerObject = std::chrono::duration<double, std::nano>(walking).count() / iterations / liveCount;
  state.counters["collect_ns_per_object"] = collectPerObject;
  state.counters["walk_ns_per_object"] = walkPerObject;
  state.counters["collect_to_walk_ratio"] = collectPerObject / walkPerObject;
  state.counters["garbage_objects"] = garbageCount;
  application.close();
}

BENCHMARK(CollectionPerObject)->Arg(0)->Arg(2)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
