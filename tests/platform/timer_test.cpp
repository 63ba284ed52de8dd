// Timer on the fake clock: one-shot, fixed-delay and fixed-rate tasks in
// order, cancel, the checks of sched, the heap's growth, a thread that ends
// when idle, and a task that raises.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/java_util/java_util_Date.h"
#include "platform/java_util/java_util_Timer.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/platform/vector_fixture.h"
#include "tests/runtime/thread_test_support.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

// What the tasks report: "name@scheduledTime" per run, in run order.
class RunLog {
 public:
  void add(std::string entry) {
    std::lock_guard guard(m_lock);
    m_entries.push_back(std::move(entry));
    m_changed.notify_all();
  }
  // The entries once there are count of them (a guard against a hang, not a
  // time limit).
  std::vector<std::string> waitFor(size_t count) {
    std::unique_lock guard(m_lock);
    EXPECT_TRUE(m_changed.wait_for(guard, std::chrono::seconds(20), [&] { return m_entries.size() >= count; }))
        << "only " << m_entries.size() << " of " << count << " runs";
    return m_entries;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::vector<std::string> m_entries;
};

class RecordingTask : public java_util_TimerTask {
 public:
  using Super = java_util_TimerTask;
  void init(RunLog* log, const char* name, bool raises) {
    java_util_TimerTask::init();
    m_log = log;
    m_name = name;
    m_raises = raises;
  }
  void run() override {
    if (m_raises) {
      throwNew<java_lang_IllegalStateException>(nullptr);
      return;
    }
    m_log->add(std::string(m_name) + "@" + std::to_string(scheduledExecutionTime()));
  }
  RunLog* m_log;
  const char* m_name;
  bool m_raises;
};

class TimerTest : public CollectionsFixture {
 protected:
  void SetUp() override {
    wince::useFakeClock(0, false);
    CollectionsFixture::SetUp();
    m_timer = keep(0, newObject<java_util_Timer>());
  }
  void TearDown() override {
    m_timer->cancel();
    threadtest::expectEnds(m_timer->thread);
    CollectionsFixture::TearDown();
    wince::useRealClock();
  }
  RecordingTask* task(int32_t slot, const char* name, bool raises = false) {
    return keep(slot, newObject<RecordingTask>(&m_log, name, raises));
  }
  using Entries = std::vector<std::string>;

  java_util_Timer* m_timer = nullptr;
  RunLog m_log;
};

TEST_F(TimerTest, OneShotTasksRunOnceInTimeOrder) {
  m_timer->schedule(task(1, "late"), 300);
  m_timer->schedule(task(2, "early"), 100);
  m_timer->schedule(task(3, "middle"), 200);
  wince::advanceFakeClock(99);
  wince::advanceFakeClock(1);
  EXPECT_EQ(m_log.waitFor(1), (Entries{"early@100"}));
  wince::advanceFakeClock(500);
  EXPECT_EQ(m_log.waitFor(3), (Entries{"early@100", "middle@200", "late@300"}));
  for (int32_t slot : {1, 2, 3}) {
    EXPECT_EQ(static_cast<java_util_TimerTask*>(testRoots().kept->get(slot))->state,
              java_util_TimerTask::EXECUTED);
  }
  EXPECT_TRUE(m_timer->queue->isEmpty());
}

TEST_F(TimerTest, FixedDelayCountsFromTheRunAndFixedRateFromTheDueTime) {
  m_timer->schedule(task(1, "delay"), 100, 100);
  m_timer->scheduleAtFixedRate(task(2, "rate"), 100, 100);
  wince::advanceFakeClock(100);
  m_log.waitFor(2);
  // Late by 150: the fixed-delay task runs once and is next due at 450; the
  // fixed-rate task catches up on 200 and 300 and is next due at 400.
  wince::advanceFakeClock(250);
  m_log.waitFor(5);
  wince::advanceFakeClock(100);
  const Entries entries = m_log.waitFor(7);
  auto runsOf = [&](const char* name) {
    Entries runs;
    for (const auto& entry : entries)
      if (entry.starts_with(name)) runs.push_back(entry);
    return runs;
  };
  const Entries delayRuns = runsOf("delay@");
  const Entries rateRuns = runsOf("rate@");
  EXPECT_EQ(delayRuns, (Entries{"delay@100", "delay@350", "delay@450"}));
  EXPECT_EQ(rateRuns, (Entries{"rate@100", "rate@200", "rate@300", "rate@400"}));
}

TEST_F(TimerTest, CancelStopsTasksAndTheTimer) {
  RecordingTask* repeating = task(1, "repeating");
  RecordingTask* cancelledEarly = task(2, "cancelled");
  m_timer->schedule(repeating, int64_t{0}, 100);
  m_timer->schedule(cancelledEarly, 50);
  EXPECT_TRUE(cancelledEarly->cancel());
  EXPECT_FALSE(cancelledEarly->cancel()) << "no runs to come any more";
  m_log.waitFor(1);
  wince::advanceFakeClock(100);
  m_log.waitFor(2);
  EXPECT_TRUE(repeating->cancel());
  wince::advanceFakeClock(1000);
  m_timer->schedule(task(3, "after"), int64_t{0});
  EXPECT_EQ(m_log.waitFor(3), (Entries{"repeating@0", "repeating@100", "after@1100"}))
      << "neither the cancelled task nor the repeating one ran again";

  m_timer->cancel();
  m_timer->schedule(task(4, "refused"), int64_t{0});
  EXPECT_EQ(pendingMessage(), "Timer already cancelled.");
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException);
  threadtest::expectEnds(m_timer->thread);
}

TEST_F(TimerTest, ArgumentAndStateChecks) {
  RecordingTask* once = task(1, "once");
  m_timer->schedule(once, 1000);
  struct Case {
    void (*call)(java_util_Timer*, java_util_TimerTask*);
    int32_t exceptionClass;
    const char* message;
  };
  const Case cases[] = {
      {[](java_util_Timer* t, java_util_TimerTask* k) { t->schedule(k, 5); }, classid::java_lang_IllegalStateException,
       "Task already scheduled or cancelled"},
      {[](java_util_Timer* t, java_util_TimerTask* k) { t->schedule(k, -1); },
       classid::java_lang_IllegalArgumentException, "Negative delay."},
      {[](java_util_Timer* t, java_util_TimerTask* k) { t->schedule(k, 1, 0); },
       classid::java_lang_IllegalArgumentException, "Non-positive period."},
      {[](java_util_Timer* t, java_util_TimerTask* k) { t->scheduleAtFixedRate(k, 1, -3); },
       classid::java_lang_IllegalArgumentException, "Non-positive period."},
      {[](java_util_Timer* t, java_util_TimerTask* k) { t->schedule(k, newObject<java_util_Date>(int64_t{-1})); },
       classid::java_lang_IllegalArgumentException, "Illegal execution time."},
      {[](java_util_Timer* t, java_util_TimerTask*) { t->schedule(nullptr, 1); },
       classid::java_lang_NullPointerException, "(null)"},
  };
  for (const Case& c : cases) {
    c.call(m_timer, once);
    EXPECT_EQ(pendingMessage(), c.message);
    EXPECT_EQ(takePending(), c.exceptionClass) << c.message;
  }
  EXPECT_EQ(m_timer->queue->size, 1) << "nothing refused was queued";
  once->cancel();
  m_timer->schedule(once, 5);
  EXPECT_EQ(takePending(), classid::java_lang_IllegalStateException) << "a cancelled task cannot be scheduled";

  RecordingTask* delayed = task(2, "delayed");
  delayed->nextExecutionTime = 1000;
  delayed->period = -100;
  EXPECT_EQ(delayed->scheduledExecutionTime(), 900);
}

TEST_F(TimerTest, HeapGrowsAndKeepsOrder) {
  java_util_TaskQueue* queue = keep(1, newObject<java_util_TaskQueue>());
  EXPECT_EQ(queue->queue->length(), 4);
  const int64_t times[] = {50, 20, 90, 10, 70, 30, 30, 60, 80, 40};
  for (size_t i = 0; i < std::size(times); ++i) {
    RecordingTask* added = task(static_cast<int32_t>(10 + i), "heap");
    added->nextExecutionTime = times[i];
    queue->add(added);
    if (i == 2) {
      EXPECT_EQ(queue->queue->length(), 4);
    }
    if (i == 3) {
      EXPECT_EQ(queue->queue->length(), 8) << "the fourth task doubles the array";
    }
  }
  EXPECT_EQ(queue->queue->get(0), nullptr);
  queue->rescheduleMin(100);
  std::vector<int64_t> order;
  while (!queue->isEmpty()) {
    order.push_back(queue->getMin()->nextExecutionTime);
    queue->removeMin();
  }
  EXPECT_EQ(order, (std::vector<int64_t>{20, 30, 30, 40, 50, 60, 70, 80, 90, 100}));
}

TEST_F(TimerTest, AnIdleThreadEndsAndSchedulingStartsANewOne) {
  java_util_TimerThread* first = m_timer->thread;
  ASSERT_TRUE(threadtest::eventually([&] {
    wince::advanceFakeClock(java_util_TimerThread::idleWaitMillis);
    return !java_lang_Thread::isAlive(first);
  })) << "the idle thread ends";
  EXPECT_TRUE(first->ended);
  m_timer->schedule(task(1, "first"), int64_t{0});
  m_log.waitFor(1);
  EXPECT_NE(m_timer->thread, first) << "a new thread ran the task";

  for (int round = 0; round < 50; ++round) {
    java_util_TimerThread* before = m_timer->thread;
    // The idle wait runs out somewhere around the schedule below: before,
    // during or after the thread decides to end, the task must run.
    wince::advanceFakeClock(java_util_TimerThread::idleWaitMillis);
    m_timer->schedule(task(1, "next"), int64_t{0});
    m_log.waitFor(static_cast<size_t>(round) + 2);
    if (m_timer->thread != before) threadtest::expectEnds(before);
  }
}

TEST_F(TimerTest, ATimerMadeWithoutQueueOrThreadNeitherCrashesNorLosesTasks) {
  // As a timer is left when the heap had no room for its parts.
  auto* timer = keep(4, newObject<java_util_Timer>());
  java_util_TimerThread* itsThread = timer->thread;
  timer->cancel();
  threadtest::expectEnds(itsThread);
  timer->queue = nullptr;
  timer->thread = nullptr;
  timer->m_cancelled = 0;
  {
    wince::LogCapture log;
    timer->schedule(task(1, "never"), int64_t{0});
    EXPECT_TRUE(log.contains("Timer: no task queue")) << log.text();
    EXPECT_EQ(takePending(), nothingPending);
    timer->cancel();
  }
  timer->m_cancelled = 0;
  timer->queue = newObject<java_util_TaskQueue>();
  timer->schedule(task(2, "runs"), int64_t{0});
  EXPECT_NE(timer->thread, nullptr) << "the first schedule makes the thread";
  EXPECT_EQ(m_log.waitFor(1), (Entries{"runs@0"}));
  timer->cancel();
  threadtest::expectEnds(timer->thread);
}

TEST_F(TimerTest, ARaisingTaskIsLoggedAndOthersStillRun) {
  wince::LogCapture log;
  m_timer->schedule(task(1, "raises", true), 10);
  m_timer->schedule(task(2, "after"), 20);
  wince::advanceFakeClock(20);
  EXPECT_EQ(m_log.waitFor(1), (Entries{"after@20"}));
  EXPECT_TRUE(log.contains("Timer: a task raised an exception"));
  EXPECT_EQ(application().getPending(), nullptr) << "nothing reaches this thread";
}

}  // namespace
