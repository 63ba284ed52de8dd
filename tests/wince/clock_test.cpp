#include "wince/clock.h"

#include <gtest/gtest.h>

#include <atomic>
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

TEST(RealClock, IsMonotonic) {
  const uint64_t before = GetTickCount64();
  Sleep(2);
  EXPECT_GE(GetTickCount64(), before + 2);
}

}  // namespace
