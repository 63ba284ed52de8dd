// Shutdown stops the world for good: it waits for a collection that is
// running, holds the collector lock from then on, and the final collection
// resumes nobody.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/lang/ObjectArray.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"

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

}  // namespace
