#include "wince/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

struct FakeClockTest : testing::Test {
  ~FakeClockTest() override { wince::useRealClock(); }
};

TEST_F(FakeClockTest, AdvanceOnSleepMovesTimeByTheSleptAmount) {
  wince::useFakeClock(1000, true);
  EXPECT_EQ(GetTickCount(), 1000u);
  Sleep(62);
  Sleep(0);
  EXPECT_EQ(GetTickCount(), 1062u);
  wince::advanceFakeClock(38);
  EXPECT_EQ(GetTickCount64(), 1100u);
}

TEST_F(FakeClockTest, TickCountWrapsAt32Bits) {
  wince::useFakeClock(0xFFFFFFF0ull, true);
  Sleep(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(GetTickCount64(), 0x100000010ull);
}

TEST_F(FakeClockTest, LockStepSleepWaitsForTheDriver) {
  wince::useFakeClock(0, false);
  std::atomic<bool> woke{false};
  std::thread sleeper([&] {
    Sleep(100);
    woke = true;
  });
  wince::waitForFakeClockSleepers(1);
  wince::advanceFakeClock(99);
  std::this_thread::yield();
  EXPECT_FALSE(woke.load()) << "woke before the clock reached its deadline";
  wince::advanceFakeClock(1);
  sleeper.join();
  EXPECT_TRUE(woke.load());
}

TEST_F(FakeClockTest, RemovingTheFakeClockReleasesSleepers) {
  wince::useFakeClock(0, false);
  std::thread sleeper([] { Sleep(1000000); });
  wince::waitForFakeClockSleepers(1);
  wince::useRealClock();
  sleeper.join();
  SUCCEED();
}

// Each release lets every gated thread do exactly one round of work, whatever
// it asked to sleep; only the releases move the clock.
TEST_F(FakeClockTest, GatedSleepersRunOneRoundPerRelease) {
  wince::useFakeClock(0, true);
  wince::gateSleepsExceptCallingThread();
  std::atomic<int> fast{0}, slow{0};
  std::atomic<bool> stop{false};
  auto worker = [&](std::atomic<int>& rounds, DWORD sleep) {
    while (!stop) {
      ++rounds;
      Sleep(sleep);
    }
  };
  std::thread a(worker, std::ref(fast), 1);
  std::thread b(worker, std::ref(slow), 500);
  ASSERT_TRUE(wince::waitForGatedSleepers(2, std::chrono::seconds(10)));
  EXPECT_EQ(fast, 1);
  EXPECT_EQ(slow, 1);
  for (int round = 2; round <= 4; ++round) {
    EXPECT_EQ(wince::releaseGatedSleepers(62, std::chrono::seconds(10)), 2);
    EXPECT_EQ(fast, round);
    EXPECT_EQ(slow, round);
  }
  EXPECT_EQ(GetTickCount(), 3u * 62u);
  Sleep(10);
  EXPECT_EQ(GetTickCount(), 3u * 62u) << "only releases move the clock";
  stop = true;
  wince::stopGatingSleeps();
  a.join();
  b.join();
}

TEST(RealClock, IsMonotonic) {
  const uint64_t before = GetTickCount64();
  Sleep(2);
  EXPECT_GE(GetTickCount64(), before + 2);
}

}  // namespace
