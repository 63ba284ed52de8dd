// Object monitors: re-entry, wait and notify with their per-waiter wake-ups,
// timed waits on the fake clock, nested monitors, misuse, and a table that
// grows.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/lang/ObjectArray.h"
#include "runtime/thread/MonitorTable.h"
#include "runtime/thread/SynchronizedScope.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

using threadtest::eventually;
using threadtest::expectEnds;
using threadtest::startThread;

class MonitorTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    lock = newObject<Object>();
  }
  void TearDown() override {
    wince::useRealClock();
    RuntimeFixture::TearDown();
  }
  int32_t waiters() { return monitors.waiterCount(lock); }

  MonitorTable& monitors = MonitorTable::instance();
  Object* lock = nullptr;
};

TEST_F(MonitorTest, NotifyWakesExactlyOneWaiterAndNotifyAllTheRest) {
  std::atomic<int> woken{0};
  auto waiter = [&] {
    Object::monitorEnter(lock);
    Object::wait(lock, 0, 0);
    ++woken;
    Object::monitorExit(lock);
  };
  java_lang_Thread* threads[] = {startThread(waiter), startThread(waiter), startThread(waiter)};
  ASSERT_TRUE(eventually([&] { return waiters() == 3; }));

  Object::monitorEnter(lock);
  Object::notify(lock, 1);
  Object::monitorExit(lock);
  ASSERT_TRUE(eventually([&] { return woken == 1; }));
  EXPECT_EQ(waiters(), 2) << "the other two stay registered";

  Object::monitorEnter(lock);
  Object::notify(lock, -1);
  Object::monitorExit(lock);
  for (auto* thread : threads) expectEnds(thread);
  EXPECT_EQ(woken, 3);
  EXPECT_EQ(waiters(), 0);
}

TEST_F(MonitorTest, NotifyBeforeTheWaiterBlocksIsNotLost) {
  // The waiter is registered (and the monitor released) before it blocks;
  // a notify in between must still wake it.
  std::atomic<bool> done{false};
  auto waiter = [&] {
    Object::monitorEnter(lock);
    Object::wait(lock, 0, 0);
    Object::monitorExit(lock);
    done = true;
  };
  for (int round = 0; round < 50; ++round) {
    done = false;
    java_lang_Thread* thread = startThread(waiter);
    ASSERT_TRUE(eventually([&] { return waiters() == 1; }));
    Object::monitorEnter(lock);
    Object::notify(lock, 1);
    Object::monitorExit(lock);
    expectEnds(thread);
    EXPECT_TRUE(done);
  }
}

TEST_F(MonitorTest, TimedWaitEndsOnTheFakeClockHoldingTheMonitorAgain) {
  wince::useFakeClock(1000, false);
  std::atomic<uint64_t> returnedAt{0};
  wince::LogCapture log;
  auto waiter = [&] {
    Object::monitorEnter(lock);
    Object::wait(lock, 50, 0);
    returnedAt = GetTickCount64();
    Object::monitorExit(lock);  // held again: no complaint
  };
  java_lang_Thread* thread = startThread(waiter);
  ASSERT_TRUE(eventually([&] { return waiters() == 1; }));
  wince::advanceFakeClock(49);  // a wait that ended here would read 1049
  wince::advanceFakeClock(1);
  expectEnds(thread);
  EXPECT_EQ(returnedAt, 1050u);
  EXPECT_EQ(waiters(), 0) << "a timed-out waiter takes itself out";
  EXPECT_FALSE(log.contains("does not hold"));
}

TEST_F(MonitorTest, WaitGivesUpEveryLevelOfANestedMonitorAndTakesThemBack) {
  std::atomic<int> exitsWithoutComplaint{0};
  wince::LogCapture log;
  auto waiter = [&] {
    for (int i = 0; i < 3; ++i) Object::monitorEnter(lock);
    Object::wait(lock, 0, 0);
    for (int i = 0; i < 3; ++i) Object::monitorExit(lock);
    exitsWithoutComplaint = log.contains("does not hold") ? 0 : 3;
  };
  java_lang_Thread* thread = startThread(waiter);
  ASSERT_TRUE(eventually([&] { return waiters() == 1; }));
  Object::monitorEnter(lock);  // would block if a level were still held
  Object::notify(lock, 1);
  Object::monitorExit(lock);
  expectEnds(thread);
  EXPECT_EQ(exitsWithoutComplaint, 3);
  Object::monitorEnter(lock);  // every level was released at the end
  Object::monitorExit(lock);
}

TEST_F(MonitorTest, AMonitorExcludesOtherThreadsAndIsReentrant) {
  int shared = 0;  // guarded by the monitor only
  auto worker = [&] {
    for (int i = 0; i < 2000; ++i) {
      Object::monitorEnter(lock);
      Object::monitorEnter(lock);
      const int seen = shared;
      if (i % 100 == 0) java_lang_Thread::yield();
      shared = seen + 1;
      Object::monitorExit(lock);
      Object::monitorExit(lock);
    }
  };
  java_lang_Thread* threads[] = {startThread(worker), startThread(worker), startThread(worker)};
  for (auto* thread : threads) expectEnds(thread);
  EXPECT_EQ(shared, 6000);
}

int32_t firstPositive(Object* lock, const int32_t* values, int32_t count) {
  SynchronizedScope synchronized(lock);
  for (int32_t i = 0; i < count; ++i) {
    if (values[i] > 0) return values[i];
  }
  return 0;
}

TEST_F(MonitorTest, ASynchronizedScopeReleasesOnEveryWayOut) {
  const int32_t values[] = {-1, 4, 7};
  EXPECT_EQ(firstPositive(lock, values, 3), 4);
  EXPECT_EQ(firstPositive(lock, values, 1), 0);
  std::atomic<bool> entered{false};
  auto other = [&] {
    SynchronizedScope synchronized(lock);
    entered = true;
  };
  expectEnds(startThread(other));
  EXPECT_TRUE(entered) << "no level was left held";
}

TEST_F(MonitorTest, MisuseIsLoggedAndChangesNothing) {
  struct Case {
    void (*operation)(Object*);
    const char* message;
  };
  const Case cases[] = {
      {[](Object* object) { Object::notify(object, 1); }, "the object has no monitor"},
      {[](Object* object) { Object::wait(object, 10, 0); }, "does not hold the monitor"},
      {[](Object* object) { Object::monitorExit(object); }, "does not hold the monitor"},
      {[](Object*) { Object::monitorEnter(nullptr); }, "NullPointer"},
      {[](Object*) { Object::wait(nullptr, 0, 0); }, "NullPointer"},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    c.operation(newObject<Object>());
    EXPECT_TRUE(log.contains(c.message)) << c.message;
  }
  wince::LogCapture log;
  Object::monitorEnter(lock);
  Object::wait(lock, -1, 0);
  EXPECT_TRUE(log.contains("negative timeout"));
  std::atomic<bool> done{false};
  auto stranger = [&] {
    Object::notify(lock, -1);
    Object::monitorExit(lock);
    done = true;
  };
  expectEnds(startThread(stranger));
  EXPECT_TRUE(done);
  Object::monitorExit(lock);  // still the owner
  EXPECT_EQ(monitors.waiterCount(lock), 0);
}

// Objects whose monitors were used, held by the scratch root when kept.
__attribute__((noinline)) void useMonitorsOfFreshObjects(Application& application, int count, bool keep) {
  ObjectArray* objects = newObjectArray(count);
  for (int i = 0; i < count; ++i) {
    objects->set(i, newObject<Object>());
    Object::monitorEnter(objects->get(i));
  }
  for (int i = 0; i < count; ++i) Object::monitorExit(objects->get(i));
  if (keep) application.m_scratch = objects;
}

TEST_F(MonitorTest, TheTableGrowsPastOneHundredTwentyEightAndSweptObjectsLeaveIt) {
  const uint32_t before = monitors.monitorCount();
  useMonitorsOfFreshObjects(application(), 300, true);
  useMonitorsOfFreshObjects(application(), 20, false);
  EXPECT_EQ(monitors.monitorCount(), before + 320);
  collect();
  EXPECT_EQ(monitors.monitorCount(), before + 300) << "swept objects take their monitors along";
  application().m_scratch = nullptr;
  collect();
  EXPECT_EQ(monitors.monitorCount(), before);
}

}  // namespace
