#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "wince/clock.h"
#include "wince/event.h"
#include "wince/log.h"
#include "wince/wait.h"

namespace {

struct Event {
  HANDLE handle;
  Event(bool manualReset, bool initialState) : handle(CreateEvent(nullptr, manualReset, initialState, nullptr)) {}
  ~Event() { CloseHandle(handle); }
};

TEST(Event, InitialStateAndResetKind) {
  struct Case {
    bool manualReset;
    bool initialState;
    DWORD firstWait;
    DWORD secondWait;
  };
  const Case cases[] = {
      {false, true, WAIT_OBJECT_0, WAIT_TIMEOUT},
      {true, true, WAIT_OBJECT_0, WAIT_OBJECT_0},
      {false, false, WAIT_TIMEOUT, WAIT_TIMEOUT},
      {true, false, WAIT_TIMEOUT, WAIT_TIMEOUT},
  };
  for (const Case& c : cases) {
    Event event(c.manualReset, c.initialState);
    ASSERT_NE(event.handle, nullptr);
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), c.firstWait) << c.manualReset << c.initialState;
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), c.secondWait) << c.manualReset << c.initialState;
  }
}

TEST(Event, SetAndResetChangeTheState) {
  Event manual(true, false);
  EXPECT_TRUE(SetEvent(manual.handle));
  EXPECT_TRUE(SetEvent(manual.handle));
  EXPECT_EQ(WaitForSingleObject(manual.handle, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(manual.handle));
  EXPECT_EQ(WaitForSingleObject(manual.handle, 0), WAIT_TIMEOUT);

  Event automatic(false, false);
  SetEvent(automatic.handle);
  SetEvent(automatic.handle);
  EXPECT_EQ(WaitForSingleObject(automatic.handle, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic.handle, 0), WAIT_TIMEOUT) << "two sets before a wait release one waiter";
}

TEST(Event, AutoResetReleasesExactlyOneWaiterPerSet) {
  Event event(false, false);
  Event woken(false, false);
  std::atomic<int> wokenCount{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      EXPECT_EQ(WaitForSingleObject(event.handle, INFINITE), WAIT_OBJECT_0);
      ++wokenCount;
      SetEvent(woken.handle);
    });
  wince::waitForWaiters(event.handle, 3);
  for (int round = 1; round <= 3; ++round) {
    SetEvent(event.handle);
    EXPECT_EQ(WaitForSingleObject(woken.handle, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(wokenCount.load(), round);
    EXPECT_EQ(WaitForSingleObject(event.handle, 0), WAIT_TIMEOUT) << "the set was taken by one waiter";
    wince::waitForWaiters(event.handle, 3 - round);
  }
  for (auto& waiter : waiters) waiter.join();
}

TEST(Event, ManualResetReleasesEveryWaiterAndStaysSet) {
  Event event(true, false);
  std::vector<std::thread> waiters;
  std::atomic<int> released{0};
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      EXPECT_EQ(WaitForSingleObject(event.handle, INFINITE), WAIT_OBJECT_0);
      ++released;
    });
  wince::waitForWaiters(event.handle, 3);
  SetEvent(event.handle);
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released.load(), 3);
  EXPECT_EQ(WaitForSingleObject(event.handle, 0), WAIT_OBJECT_0);
}

TEST(Event, BadHandlesAndOperationsFailWithALogLine) {
  Event event(false, false);
  wince::LogCapture log;
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(~uintptr_t(0)), INFINITE), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(EventModify(event.handle, 1));
  EXPECT_FALSE(wince::waitForWaiters(nullptr, 1));
  EXPECT_EQ(CreateEvent(nullptr, FALSE, FALSE, u"shared"), nullptr);
  EXPECT_NE(log.text(), "");

  const HANDLE closed = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  EXPECT_TRUE(CloseHandle(closed));
  EXPECT_FALSE(CloseHandle(closed));
  EXPECT_EQ(WaitForSingleObject(closed, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(closed));
}

TEST(EventRealClock, TimeoutEndsTheWaitNoSooner) {
  Event event(false, false);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(event.handle, 20), WAIT_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST(EventRealClock, SetDuringATimedWaitReleasesIt) {
  Event event(false, false);
  std::thread setter([&] {
    wince::waitForWaiters(event.handle, 1);
    SetEvent(event.handle);
  });
  EXPECT_EQ(WaitForSingleObject(event.handle, 600000), WAIT_OBJECT_0);
  setter.join();
}

struct EventFakeClock : testing::Test {
  EventFakeClock() { wince::useFakeClock(5000, false); }
  ~EventFakeClock() override { wince::useRealClock(); }
  Event event{false, false};
};

TEST_F(EventFakeClock, TimedWaitEndsWhenTheFakeTimeReachesItsDeadline) {
  std::atomic<uint64_t> endedAt{0};
  std::thread waiter([&] {
    EXPECT_EQ(WaitForSingleObject(event.handle, 600000), WAIT_TIMEOUT);
    endedAt = GetTickCount64();
  });
  wince::waitForWaiters(event.handle, 1);
  wince::advanceFakeClock(600000);
  waiter.join();
  EXPECT_EQ(endedAt.load(), 605000u);
}

TEST_F(EventFakeClock, TimedWaitIsStillWaitingJustBeforeItsDeadline) {
  std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(event.handle, 50), WAIT_OBJECT_0); });
  wince::waitForWaiters(event.handle, 1);
  wince::advanceFakeClock(49);
  SetEvent(event.handle);
  waiter.join();
}

TEST_F(EventFakeClock, InfiniteWaitIgnoresTheClock) {
  std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(event.handle, INFINITE), WAIT_OBJECT_0); });
  wince::waitForWaiters(event.handle, 1);
  wince::advanceFakeClock(0x100000000ull);
  SetEvent(event.handle);
  waiter.join();
}

TEST_F(EventFakeClock, RemovingTheFakeClockEndsTimedWaits) {
  std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(event.handle, 1000), WAIT_TIMEOUT); });
  wince::waitForWaiters(event.handle, 1);
  wince::useRealClock();
  waiter.join();
}

}  // namespace
