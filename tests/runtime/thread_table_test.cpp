// The thread table and its natives: registration, start, the sleep
// safepoint and its accounting, priorities, a full table, and how Thread
// objects and their targets live and die with their threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"
#include "wince/log.h"
#include "wince/thread.h"

namespace {

using threadtest::eventually;
using threadtest::expectEnds;
using threadtest::startThread;

class ThreadTableTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    table.unregisterCurrentThread();
    wince::useRealClock();
    RuntimeFixture::TearDown();
  }
  ThreadTable& table = ThreadTable::instance();
};

TEST_F(ThreadTableTest, CurrentThreadIsNullUnlessRegistered) {
  EXPECT_EQ(java_lang_Thread::currentThread(), nullptr);
  std::thread outsider([] { EXPECT_EQ(java_lang_Thread::currentThread(), nullptr); });
  outsider.join();

  java_lang_Thread* ui = table.registerUiThread();
  ASSERT_NE(ui, nullptr);
  EXPECT_EQ(java_lang_Thread::currentThread(), ui);
  EXPECT_EQ(table.findThread(ui), 0);
  EXPECT_EQ(ui->getPriority(), 9 - GetThreadPriority(GetCurrentThread()));
  EXPECT_EQ(ui->collectable(), 0);
  EXPECT_EQ(table.registerUiThread(), nullptr) << "slot 0 is taken";

  java_lang_Thread* seenInside = nullptr;
  int32_t inheritedPriority = 0;
  auto body = [&] {
    seenInside = java_lang_Thread::currentThread();
    inheritedPriority = newObject<java_lang_Thread>()->getPriority();
  };
  java_lang_Thread* started = startThread(body);
  EXPECT_EQ(started->getPriority(), ui->getPriority()) << "a thread takes its creator's priority";
  expectEnds(started);
  EXPECT_EQ(seenInside, started);
  EXPECT_EQ(inheritedPriority, ui->getPriority());
}

TEST_F(ThreadTableTest, StartRunsTheTargetOnceAndTheObjectBecomesCollectableWhenRunEnds) {
  std::atomic<int> runs{0};
  std::atomic<bool> release{false};
  auto body = [&] {
    ++runs;
    ASSERT_TRUE(eventually([&] { return release.load(); }));
  };
  java_lang_Thread* thread = startThread(body);
  EXPECT_EQ(java_lang_Thread::isAlive(thread), 1);
  EXPECT_EQ(java_lang_Thread::activeCount(), 1);
  EXPECT_EQ(thread->collectable(), 0);
  EXPECT_EQ(thread->start(), 0u) << "not started twice";
  release = true;
  expectEnds(thread);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(java_lang_Thread::isAlive(thread), 0);
  EXPECT_EQ(java_lang_Thread::activeCount(), 0);
  EXPECT_EQ(thread->collectable(), 1);
}

TEST_F(ThreadTableTest, AFullTableStartsNoThreadAndStaysIntact) {
  std::atomic<int> runs{0};
  std::atomic<bool> release{false};
  auto body = [&] {
    ++runs;
    ASSERT_TRUE(eventually([&] { return release.load(); }));
  };
  java_lang_Thread* threads[ThreadTable::slotCount];
  for (auto& thread : threads) thread = startThread(body);
  EXPECT_EQ(java_lang_Thread::activeCount(), ThreadTable::slotCount);

  wince::LogCapture log;
  auto ninth = newObject<java_lang_Thread>(static_cast<Object*>(threads[0]->m_target));
  EXPECT_EQ(ninth->start(), 0xFFFFFFFFu);
  EXPECT_TRUE(log.contains("all 8 thread slots are taken"));
  EXPECT_EQ(java_lang_Thread::isAlive(ninth), 0);
  for (int32_t i = 0; i < ThreadTable::slotCount; ++i) EXPECT_EQ(table.findThread(threads[i]), i);

  release = true;
  for (auto* thread : threads) expectEnds(thread);
  EXPECT_EQ(runs, ThreadTable::slotCount) << "the ninth never ran";
  EXPECT_NE(ninth->start(), 0xFFFFFFFFu) << "a freed slot takes it";
  expectEnds(ninth);
}

TEST_F(ThreadTableTest, PriorityTable) {
  java_lang_Thread* me = newObject<java_lang_Thread>();
  java_lang_Thread::setPriority0(me, 1);  // unregistered: no effect
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
  ASSERT_GE(table.registerCurrentThread(me), 0);
  struct Case {
    int32_t javaPriority;
    int platformPriority;
  };
  const Case cases[] = {{1, 7}, {5, 4}, {6, 3}, {9, 0}, {10, 0}, {2, 7}, {8, 1}, {10, 1}};
  for (const Case& c : cases) {
    java_lang_Thread::setPriority0(me, c.javaPriority);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), c.platformPriority) << "priority " << c.javaPriority;
  }
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

TEST_F(ThreadTableTest, SleepZeroParksWhenAStopIsRequested) {
  std::atomic<bool> running{false};
  std::atomic<bool> returned{false};
  auto body = [&] {
    running = true;
    ASSERT_TRUE(eventually([&] { return table.stopRequested(); }));
    java_lang_Thread::sleep(0);
    returned = true;
  };
  wince::LogCapture log;
  java_lang_Thread* thread = startThread(body);
  // Before it runs, a started thread counts as parked.
  ASSERT_TRUE(eventually([&] { return running.load(); }));
  table.stopTheWorld();  // returns once the thread has parked
  EXPECT_FALSE(returned) << "a parked thread stays parked until the world resumes";
  table.resumeTheWorld();
  expectEnds(thread);
  EXPECT_TRUE(returned);
  EXPECT_TRUE(log.contains("suspending..."));
  EXPECT_TRUE(log.contains("is awake"));
}

TEST_F(ThreadTableTest, SleepCountsTheTimeSpentParked) {
  struct Case {
    uint64_t parkedFor;
    uint64_t returnsAt;  // after the start of a 100 ms sleep
  };
  const Case cases[] = {{30, 100}, {150, 150}};
  for (const Case& c : cases) {
    wince::useFakeClock(1000, false);
    std::atomic<uint64_t> returnedAt{0};
    auto body = [&] {
      java_lang_Thread::sleep(100);
      returnedAt = GetTickCount64();
    };
    java_lang_Thread* thread = startThread(body);
    wince::waitForFakeClockSleepers(1);
    table.stopTheWorld();
    wince::advanceFakeClock(c.parkedFor);
    table.resumeTheWorld();
    if (c.parkedFor < 100) wince::advanceFakeClock(100 - c.parkedFor);
    expectEnds(thread);
    EXPECT_EQ(returnedAt, 1000 + c.returnsAt) << "parked for " << c.parkedFor;
  }
}

TEST_F(ThreadTableTest, NegativeSleepsReturnAtOnceAndHugeOnesAreClamped) {
  wince::useFakeClock(0, true);
  java_lang_Thread::sleep(-5);
  EXPECT_EQ(GetTickCount64(), 0u);
  java_lang_Thread::sleep(int64_t{1} << 32);
  EXPECT_EQ(GetTickCount64(), 0x7FFFFFFFu) << "not its low 32 bits (0), not forever";
  java_lang_Thread::sleep(int64_t{1} << 62);
  EXPECT_EQ(GetTickCount64(), 2 * uint64_t{0x7FFFFFFF});
}

__attribute__((noinline)) java_lang_Thread* startThreadWithFreshTarget(void (*body)(void*), void* context) {
  auto* thread = newObject<java_lang_Thread>(static_cast<Object*>(newObject<threadtest::Job>(body, context)));
  thread->start();
  return thread;
}

TEST_F(ThreadTableTest, ARunningThreadAndItsTargetSurviveCollectionsUntilRunEnds) {
  std::atomic<bool> release{false};
  auto body = [&] {
    while (!release) java_lang_Thread::sleep(0);
  };
  auto* thread = startThreadWithFreshTarget(+[](void* c) { (*static_cast<decltype(body)*>(c))(); }, &body);
  const uintptr_t threadAddress = reinterpret_cast<uintptr_t>(thread) ^ 1;
  thread = nullptr;
  collect();
  auto* kept = reinterpret_cast<java_lang_Thread*>(threadAddress ^ 1);
  EXPECT_EQ(kept->getClassId(), classid::java_lang_Thread);
  EXPECT_EQ(kept->m_target->getClassId(), threadtest::Job::classId) << "the target is reached through the table";
  release = true;
  expectEnds(kept);
  const uint32_t before = objectManager().registeredCount();
  kept = nullptr;
  collect();
  EXPECT_EQ(objectManager().registeredCount(), before - 2) << "thread and target are freed once run has ended";
}

TEST_F(ThreadTableTest, AnExceptionLeftPendingByRunIsLoggedAndCleared) {
  wince::LogCapture log;
  auto body = [] { throwNew<java_lang_IllegalStateException>(); };
  expectEnds(startThread(body));
  EXPECT_TRUE(log.contains("ended with an uncaught exception of class 36"));
}

}  // namespace
