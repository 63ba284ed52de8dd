// Shutdown with monitors in every state: held by a parked thread, contended,
// waited on without and with a time limit. The final collection frees their
// objects while those threads stay stopped for good; the monitor table and
// its lock live on, and the next run's monitors work.
#include <gtest/gtest.h>

#include <atomic>

#include "runtime/thread/MonitorTable.h"
#include "runtime/thread/SynchronizedScope.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/RuntimeFixture.h"

namespace {

using threadtest::eventually;
using threadtest::startThread;

class MonitorShutdownTest : public RuntimeFixture {};

// The threads below never end: what they use is static.
Object* heldObject = nullptr;
Object* waitedObject = nullptr;
Object* timedObject = nullptr;
std::atomic<bool> holding{false};
std::atomic<int> timedWaits{0};

TEST_F(MonitorShutdownTest, ParkedOwnersWaitersAndEnterersOutliveTheFinalCollection) {
  MonitorTable& monitors = MonitorTable::instance();
  heldObject = newObject<Object>();
  waitedObject = newObject<Object>();
  timedObject = newObject<Object>();

  static auto owner = [] {
    Object::monitorEnter(heldObject);
    holding = true;
    for (;;) java_lang_Thread::sleep(1);
  };
  static auto enterer = [] {
    Object::monitorEnter(heldObject);
    ADD_FAILURE() << "entered a monitor its owner never left";
  };
  static auto waiter = [] {
    SynchronizedScope scope(waitedObject);
    Object::wait(waitedObject, 0, 0);
    ADD_FAILURE() << "woken without a notify";
  };
  static auto timedWaiter = [] {
    SynchronizedScope scope(timedObject);
    for (;;) {
      Object::wait(timedObject, 5, 0);
      ++timedWaits;
    }
  };
  startThread(owner);
  ASSERT_TRUE(eventually([] { return holding.load(); }));
  startThread(enterer);
  startThread(waiter);
  startThread(timedWaiter);
  ASSERT_TRUE(eventually([&] { return monitors.waiterCount(waitedObject) == 1; }));
  ASSERT_TRUE(eventually([] { return timedWaits > 2; }));

  objectManager().stopTheWorldForShutdown();
  application().close();
  EXPECT_EQ(Application::get(), nullptr);

  // The next run: a fresh object is entered, waited on and notified at once,
  // even where an object of the closed run stood.
  Application next;
  ASSERT_TRUE(next.init(nullptr, 1u << 20, 1u << 20));
  for (int i = 0; i < 200; ++i) {
    Object* fresh = newObject<Object>();
    ASSERT_NE(fresh, nullptr);
    SynchronizedScope scope(fresh);
    Object::notify(fresh, -1);
    if (i % 50 == 0) Object::wait(fresh, 1, 0);
  }
  const uint32_t before = monitors.monitorCount();
  next.getObjectManager()->gc(ObjectManager::forced);
  EXPECT_LT(monitors.monitorCount(), before) << "swept objects leave the table";
  next.close();
}

}  // namespace
