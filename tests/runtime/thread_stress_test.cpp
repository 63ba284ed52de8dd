// Six threads allocate, link, sleep, wait, notify, contend for one monitor
// and collect, while the test collects every few milliseconds, makes short
// threads that start and end meanwhile (most starts refused by the full
// table, some Threads never started, all reachable for a while) and small
// pools run out; the content of every list proves that nothing reachable was
// freed or damaged. A watchdog ends the run, naming the threads, when a
// collection cannot stop them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

constexpr int workerCount = 6;
constexpr int sharedSlots = 16;
constexpr auto runFor = std::chrono::milliseconds(2500);
constexpr auto watchdogLimit = std::chrono::seconds(20);

class Node : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_HashtableEntry;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Node::m_next, &Node::m_text}; }

  Node* m_next;
  String* m_text;
  int32_t m_value;
};

// Long texts live in the native pool, which compacts when it runs out.
void formatText(char* text, size_t size, int32_t value) {
  std::snprintf(text, size, value % 2 == 0 ? "n%d" : "node number %d of a list", value);
}

// A list of length nodes whose values count up from first.
__attribute__((noinline)) Node* makeList(int32_t first, int32_t length) {
  Node* head = nullptr;
  for (int32_t i = length - 1; i >= 0; --i) {
    char text[48];
    formatText(text, sizeof text, first + i);
    String* string = newString(text);
    Node* node = newObject<Node>();
    if (node == nullptr || string == nullptr) return nullptr;
    node->m_value = first + i;
    node->m_text = string;
    node->m_next = head;
    head = node;
  }
  return head;
}

bool listIsIntact(const Node* node) {
  for (; node != nullptr; node = node->m_next) {
    if (node->getClassId() != Node::classId || node->m_text == nullptr ||
        node->m_text->getClassId() != classid::String)
      return false;
    if (node->m_next != nullptr && node->m_next->m_value != node->m_value + 1) return false;
    char expected[48];
    formatText(expected, sizeof expected, node->m_value);
    const String* text = node->m_text;
    int32_t i = 0;
    for (; expected[i] != '\0'; ++i) {
      if (i >= text->length() || text->charAt(i) != static_cast<unsigned char>(expected[i])) return false;
    }
    if (i != text->length()) return false;
  }
  return true;
}

struct StressState {
  std::atomic<bool> stop{false};
  std::atomic<int> damagedLists{0};
  std::atomic<int> failedAllocations{0};
  std::atomic<long> iterations[workerCount] = {};
  std::atomic<long> shortRuns{0};
  std::atomic<long> refusedStarts{0};
};

// The target of a short thread: checks the list it was made with, makes
// one of its own and ends.
class Errand : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimerTask;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Errand::m_firstList, &Errand::m_list}; }

  void init(Node* list, StressState* state) {
    m_firstList = list;
    m_state = state;
  }
  void* lookupInterface(int32_t interfaceId) override {
    return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
  }
  void run() override {
    m_list = makeList(m_firstList != nullptr ? m_firstList->m_value + 3 : 0, 3);
    java_lang_Thread::sleep(4);
    if (!listIsIntact(m_firstList) || !listIsIntact(m_list)) ++m_state->damagedLists;
    ++m_state->shortRuns;
  }

  Node* m_firstList;  // never changed once made
  Node* m_list;
  StressState* m_state;
};

class Worker : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Timer;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Worker::m_hub, &Worker::m_list}; }

  void init(ObjectArray* hub, int32_t index, StressState* state) {
    m_hub = hub;
    m_index = index;
    m_state = state;
  }
  void* lookupInterface(int32_t interfaceId) override {
    return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
  }

  void run() override {
    for (int32_t i = 0; !m_state->stop; ++i) {
      const int32_t first = (m_index << 20) + (i << 5);
      Node* fresh = makeList(first, 1 + i % 17);
      if (!listIsIntact(m_list)) ++m_state->damagedLists;
      m_list = fresh;
      if (fresh == nullptr) ++m_state->failedAllocations;

      Object::monitorEnter(m_hub);
      const int32_t slot = (m_index * 5 + i) % sharedSlots;
      if (!listIsIntact(static_cast<Node*>(m_hub->get(slot)))) ++m_state->damagedLists;
      m_hub->set(slot, makeList(first + 17, 1 + i % 5));
      if (i % 7 == 0) {
        Object::wait(m_hub, 1, 0);
      } else if (i % 5 == 0) {
        Object::notify(m_hub, i % 2 == 0 ? 1 : -1);
      }
      Object::monitorExit(m_hub);

      // Collections from the threads themselves, also while the test's run.
      if (i % 200 == 199) Application::get()->getObjectManager()->gc(ObjectManager::forced);
      java_lang_Thread::sleep(i % 3 == 0 ? 1 : 0);
      ++m_state->iterations[m_index];
    }
  }

  ObjectArray* m_hub;
  Node* m_list;
  int32_t m_index;
  StressState* m_state;
};

class ThreadStressTest : public RuntimeFixture {
 protected:
  ThreadStressTest() : RuntimeFixture(96u << 10, 48u << 10) {}
};

__attribute__((noinline)) void startWorkers(StressState& state, java_lang_Thread** threads, Application& application) {
  ObjectArray* hub = newObjectArray(sharedSlots);
  application.m_scratch = hub;
  for (int i = 0; i < workerCount; ++i) {
    threads[i] = newObject<java_lang_Thread>(static_cast<Object*>(newObject<Worker>(hub, i, &state)));
    ASSERT_NE(threads[i]->start(), 0xFFFFFFFFu);
  }
}

constexpr int32_t keptShortThreads = 8;

bool shortThreadIsIntact(const Object* object) {
  if (object == nullptr) return true;
  const auto* thread = static_cast<const java_lang_Thread*>(object);
  if (thread->getClassId() != classid::java_lang_Thread || thread->m_target == nullptr ||
      thread->m_target->getClassId() != Errand::classId)
    return false;
  return listIsIntact(static_cast<const Errand*>(thread->m_target)->m_firstList);
}

// Two short Threads per round, of which two of three are started (the
// table, with the workers and this thread, has one slot left, and a short
// run outlasts a round) and the third never is. Each stays reachable for a
// few rounds; every kept one is checked.
__attribute__((noinline)) void makeShortThreads(ObjectArray* kept, int32_t round, StressState& state) {
  for (int32_t i = 0; i < keptShortThreads; ++i) {
    if (!shortThreadIsIntact(kept->get(i))) ++state.damagedLists;
  }
  for (int32_t made = round * 2; made < round * 2 + 2; ++made) {
    Node* list = makeList((workerCount << 20) + (made << 3), 3);
    auto* errand = list != nullptr ? newObject<Errand>(list, &state) : nullptr;
    auto* thread = errand != nullptr ? newObject<java_lang_Thread>(static_cast<Object*>(errand)) : nullptr;
    if (thread == nullptr) {
      ++state.failedAllocations;
      return;
    }
    if (made % 3 != 0 && thread->start() == 0xFFFFFFFFu) ++state.refusedStarts;
    kept->set(made % keptShortThreads, thread);
  }
}

TEST_F(ThreadStressTest, CollectionsWhileThreadsAllocateLinkWaitAndContendLoseNothingReachable) {
  // This thread makes threads too, so it is one of them: the collections of
  // the others must stop it.
  ASSERT_GE(ThreadTable::instance().registerCurrentThread(newObject<java_lang_Thread>()), 0);
  StressState state;
  java_lang_Thread* threads[workerCount];
  startWorkers(state, threads, application());
  testRoots().kept = newObjectArray(keptShortThreads);
  wince::LogCapture refusals;

  std::atomic<long> collections{0};
  std::atomic<bool> finished{false};
  std::thread watchdog([&] {
    long seen = -1;
    auto lastProgress = std::chrono::steady_clock::now();
    while (!finished) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (collections != seen) {
        seen = collections;
        lastProgress = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - lastProgress > watchdogLimit) {
        DWORD running[ThreadTable::slotCount];
        const int32_t count = ThreadTable::instance().runningThreadIds(running, ThreadTable::slotCount);
        std::fprintf(stderr, "watchdog: no collection finished for %lld s; threads that never parked:",
                     static_cast<long long>(watchdogLimit.count()));
        for (int32_t i = 0; i < count; ++i) std::fprintf(stderr, " 0x%X", unsigned(running[i]));
        std::fprintf(stderr, "\n");
        std::abort();
      }
    }
  });

  const auto end = std::chrono::steady_clock::now() + runFor;
  for (int32_t round = 0; std::chrono::steady_clock::now() < end; ++round) {
    objectManager().gc(ObjectManager::forced);
    ++collections;
    makeShortThreads(testRoots().kept, round, state);
    java_lang_Thread::sleep(3);
  }
  state.stop = true;
  for (auto* thread : threads) EXPECT_TRUE(ThreadTable::instance().waitUntilEnded(thread, 20000));
  // The short threads end on their own.
  for (int i = 0; i < 2000 && java_lang_Thread::activeCount() > 1; ++i) java_lang_Thread::sleep(10);
  EXPECT_EQ(java_lang_Thread::activeCount(), 1);
  finished = true;
  watchdog.join();
  for (int32_t i = 0; i < keptShortThreads; ++i) EXPECT_TRUE(shortThreadIsIntact(testRoots().kept->get(i))) << i;
  ThreadTable::instance().unregisterCurrentThread();

  collect();
  auto* hub = static_cast<ObjectArray*>(application().m_scratch);
  for (int32_t slot = 0; slot < sharedSlots; ++slot) {
    EXPECT_TRUE(listIsIntact(static_cast<Node*>(hub->get(slot)))) << "slot " << slot;
  }
  EXPECT_EQ(state.damagedLists, 0);
  EXPECT_EQ(state.failedAllocations, 0);
  for (int i = 0; i < workerCount; ++i) EXPECT_GT(state.iterations[i], 0) << "worker " << i;
  EXPECT_GT(collections, 10);
  EXPECT_GT(state.shortRuns, 0);
  EXPECT_GT(state.refusedStarts, 0);
  std::printf("stress: %ld collections by the test, %u in all; %ld short runs, %ld refused starts; iterations per worker:",
              collections.load(), objectManager().collectionCount(), state.shortRuns.load(), state.refusedStarts.load());
  for (auto& count : state.iterations) std::printf(" %ld", count.load());
  std::printf("\n");
  application().m_scratch = nullptr;
  testRoots().kept = nullptr;
}

}  // namespace
