// How a Thread, its target and what the target holds live and die through
// each stage of a Thread's life: made only, start refused by a full table,
// running, ended. Only a running Thread keeps itself alive; whatever keeps
// it alive keeps its target too.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

using threadtest::expectEnds;

std::atomic<bool> errandsMayEnd{false};
constexpr int32_t caseLimit = 8;
bool threadFreed[caseLimit];
bool errandFreed[caseLimit];

// A target that holds a text and runs, parked, until errandsMayEnd.
class Errand : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Calendar;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Errand::m_text}; }

  void* lookupInterface(int32_t interfaceId) override {
    return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
  }
  void run() override {
    while (!errandsMayEnd) java_lang_Thread::sleep(1);
  }
  void finalize() override { errandFreed[m_number] = true; }

  String* m_text;
  int32_t m_number;
};

class ObservedThread : public java_lang_Thread {
 public:
  using Super = java_lang_Thread;
  void finalize() override { threadFreed[m_number] = true; }

  int32_t m_number;
};

std::string errandText(int32_t number) { return "the errand of thread number " + std::to_string(number); }

enum class Life { madeOnly, startRefused, running, ended };

struct LifeCase {
  const char* name;
  Life life;
  bool keptWhenUnreachable;
};

// The Thread, its target and the target's text; the answer is the Thread's
// address disguised (not even an interior pointer), so that no stack word
// keeps it.
__attribute__((noinline)) uintptr_t makeHiddenThread(int32_t number, Life life) {
  auto* errand = newObject<Errand>();
  errand->m_text = newString(errandText(number).c_str());
  errand->m_number = number;
  auto* thread = newObject<ObservedThread>(static_cast<Object*>(errand));
  thread->m_number = number;
  if (life != Life::madeOnly) {
    const DWORD started = thread->start();
    EXPECT_EQ(started == 0xFFFFFFFFu, life == Life::startRefused);
  }
  if (life == Life::ended) expectEnds(thread);
  return ~reinterpret_cast<uintptr_t>(thread);
}

// Garbage first, then texts that stay: both would take the place of
// anything freed too early.
__attribute__((noinline)) void churnAndMakeNeighbours(int32_t count) {
  for (int32_t i = 0; i < 4 * count; ++i) newString("garbage that fills freed places");
  testRoots().kept = newObjectArray(count);
  for (int32_t i = 0; i < count; ++i) testRoots().kept->set(i, newString(errandText(1000 + i).c_str()));
}

__attribute__((noinline)) void fillTheTable(java_lang_Thread** threads, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    auto* errand = newObject<Errand>();
    errand->m_text = newString(errandText(100 + i).c_str());
    errand->m_number = 0;
    threads[i] = newObject<java_lang_Thread>(static_cast<Object*>(errand));
    ASSERT_NE(threads[i]->start(), 0xFFFFFFFFu);
  }
}

class ThreadCollectionTest : public RuntimeFixture {};

TEST_F(ThreadCollectionTest, OnlyARunningThreadKeepsItselfAndItsTargetAlive) {
  const LifeCase cases[] = {
      {"made only", Life::madeOnly, false},
      {"start refused", Life::startRefused, false},
      {"running", Life::running, true},
      {"ended", Life::ended, false},
  };
  constexpr int32_t neighbourCount = 48;
  int32_t number = 0;
  for (const LifeCase& c : cases) {
    SCOPED_TRACE(c.name);
    errandsMayEnd = c.life == Life::ended;
    java_lang_Thread* fillers[ThreadTable::slotCount] = {};
    wince::LogCapture log;
    if (c.life == Life::startRefused) fillTheTable(fillers, ThreadTable::slotCount);
    const uintptr_t hidden = makeHiddenThread(++number, c.life);
    collect();
    EXPECT_EQ(threadFreed[number], !c.keptWhenUnreachable);
    EXPECT_EQ(errandFreed[number], !c.keptWhenUnreachable);

    churnAndMakeNeighbours(neighbourCount);
    collect();
    if (c.keptWhenUnreachable) {
      auto* thread = reinterpret_cast<java_lang_Thread*>(~hidden);
      testRoots().object = thread;
      collect();
      collect();
      ASSERT_EQ(thread->m_target->getClassId(), Errand::classId);
      EXPECT_EQ(asciiOf(static_cast<Errand*>(thread->m_target)->m_text), errandText(number));
    }
    for (int32_t i = 0; i < neighbourCount; ++i) {
      EXPECT_EQ(asciiOf(static_cast<String*>(testRoots().kept->get(i))), errandText(1000 + i));
    }

    errandsMayEnd = true;
    for (java_lang_Thread* filler : fillers) {
      if (filler != nullptr) expectEnds(filler);
    }
    if (c.keptWhenUnreachable) expectEnds(reinterpret_cast<java_lang_Thread*>(~hidden));
    testRoots().object = nullptr;
    testRoots().kept = nullptr;
  }
}

}  // namespace
