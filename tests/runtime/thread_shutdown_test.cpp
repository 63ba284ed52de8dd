// Shutdown stops the world for good: it waits for a collection that is
// running, holds the collector lock from then on, and the final collection
// resumes nobody.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "runtime/gc/WorldControl.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/thread.h"

namespace {

using threadtest::eventually;
using threadtest::startThread;

class ShutdownTest : public RuntimeFixture {};

TEST_F(ShutdownTest, StopsTheWorldForGoodWithoutDeadlockingARunningCollection) {
  // Static: the thread stopped for good refers to them after the test.
  static std::atomic<int> collections{0};
  static auto collector = [] {
    for (;;) {
      newObjectArray(4);
      Application::get()->getObjectManager()->gc(ObjectManager::forced);
      ++collections;
      java_lang_Thread::sleep(0);
    }
  };
  startThread(collector);
  ASSERT_TRUE(eventually([&] { return collections > 20; }));

  objectManager().stopTheWorldForShutdown();
  ThreadTable& table = ThreadTable::instance();
  DWORD running[ThreadTable::slotCount];
  EXPECT_EQ(table.runningThreadIds(running, ThreadTable::slotCount), 0) << "every thread is parked";
  const int collectionsAtStop = collections;

  application().close();
  EXPECT_TRUE(table.stopRequested()) << "the final collection resumed the world";
  EXPECT_EQ(table.runningThreadIds(running, ThreadTable::slotCount), 0);
  EXPECT_EQ(collections, collectionsAtStop);
}

// The thread table, except that the first thread to park is held right
// after parking, as if preempted there, until let go.
class HeldAfterParking final : public WorldControl {
 public:
  void enterSafeRegion() override {
    ThreadTable::instance().enterSafeRegion();
    if (m_armed.exchange(false)) {
      m_holding = true;
      m_released.wait(false);
      m_passed = true;
    }
  }
  void leaveSafeRegion() override { ThreadTable::instance().leaveSafeRegion(); }
  void stopTheWorld() override { ThreadTable::instance().stopTheWorld(); }
  void resumeTheWorld() override { ThreadTable::instance().resumeTheWorld(); }
  void markThreadRoots(ObjectManager& manager) override { ThreadTable::instance().markThreadRoots(manager); }
  void releaseMonitor(Object* object) override { ThreadTable::instance().releaseMonitor(object); }

  void release() {
    m_released = true;
    m_released.notify_all();
  }

  std::atomic<bool> m_armed{true};
  std::atomic<bool> m_holding{false};
  std::atomic<bool> m_released{false};
  std::atomic<bool> m_passed{false};
  std::atomic<bool> m_nextCollected{false};
};

// A thread parked on its way to the collector lock (world) while its run
// closes, with or without stopping the world for good first. It waits for
// the closed run's lock for good; the next run, whose manager may well take
// the place of the freed one, collects and closes.
void closeWhileParkedForTheLock(Application& application, HeldAfterParking& world, bool stopTheWorldFirst) {
  static auto collector = [] {
    Application::get()->getObjectManager()->gc(ObjectManager::forced);
    ADD_FAILURE() << "a collection ran after its run was closed";
  };
  application.getObjectManager()->setWorldControl(&world);
  startThread(collector);
  ASSERT_TRUE(eventually([&] { return world.m_holding.load(); }));

  if (stopTheWorldFirst) application.getObjectManager()->stopTheWorldForShutdown();
  application.close();
  auto* next = new Application;
  ASSERT_TRUE(next->init(nullptr, 1u << 20, 1u << 20));
  world.release();
  ASSERT_TRUE(eventually([&] { return world.m_passed.load(); }));

  // Collected elsewhere, so that a thread holding the next run's lock fails
  // the test rather than hanging it.
  std::thread([next, &world] {
    next->getObjectManager()->gc(ObjectManager::forced);
    world.m_nextCollected = true;
  }).detach();
  if (!eventually([&] { return world.m_nextCollected.load(); })) {
    // Closing would wait for that lock too: the run is left as it is.
    ADD_FAILURE() << "a thread of the closed run holds the next run's collector lock";
    return;
  }
  next->close();
  delete next;
}

TEST_F(ShutdownTest, AThreadParkedOnTheWayToTheCollectorLockNeverTakesALaterRunsLock) {
  // Static: the threads stopped for good use them after the test.
  static HeldAfterParking afterStop;
  static HeldAfterParking withoutStop;
  {
    SCOPED_TRACE("the world stopped for good first");
    closeWhileParkedForTheLock(application(), afterStop, true);
  }
  Application second;
  ASSERT_TRUE(second.init(nullptr, 1u << 20, 1u << 20));
  SCOPED_TRACE("closed at once");
  closeWhileParkedForTheLock(second, withoutStop, false);
}

}  // namespace

namespace {

std::atomic<bool> startHeld{false};
std::atomic<bool> startReleased{false};
std::atomic<DWORD> heldThreadId{0};

void holdAtStart() {
  heldThreadId = GetCurrentThreadId();
  startHeld = true;
  startHeld.notify_all();
  startReleased.wait(false);
}

TEST_F(ShutdownTest, AThreadThatFirstRunsAfterItsRunClosedTouchesNothingOfIt) {
  // Under load a started thread may first run only after its run closed and
  // the next began, its Thread object freed (or another in its place).
  static auto body = [] { ADD_FAILURE() << "a thread of a closed run ran its target"; };
  wince::setThreadStartHook(&holdAtStart);
  startThread(body);
  startHeld.wait(false);
  wince::setThreadStartHook(nullptr);

  application().close();
  Application next;
  ASSERT_TRUE(next.init(nullptr, 1u << 20, 1u << 20));
  // The next run's thread, likely at the freed object's address.
  static std::atomic<bool> nextRan{false};
  static auto nextBody = [] { nextRan = true; };
  java_lang_Thread* nextThread = startThread(nextBody);
  threadtest::expectEnds(nextThread);

  const int32_t activeBefore = ThreadTable::instance().activeCount();
  startReleased = true;
  startReleased.notify_all();
  wince::StackBounds bounds;
  EXPECT_TRUE(eventually([&] { return !wince::threadStackBounds(wince::handleFromThreadId(heldThreadId), &bounds); }))
      << "the held thread never ended";
  EXPECT_TRUE(nextRan);
  EXPECT_EQ(ThreadTable::instance().activeCount(), activeBefore) << "the held thread took a slot of the next run";
  next.close();
}

}  // namespace
