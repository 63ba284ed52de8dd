#include "wince/clock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point processStart = SteadyClock::now();

struct FakeClock {
  std::mutex mutex;
  std::condition_variable advanced;
  bool installed = false;
  bool advanceOnSleep = false;
  uint64_t now = 0;
  int sleepers = 0;  // threads blocked in a lock-step Sleep
  // Frame-gated sleeps: every thread but the exempt one waits for the next
  // generation.
  bool gated = false;
  std::thread::id exempt;
  uint64_t generation = 0;
  int gatedSleepers = 0;
  int arrivedSinceRelease = 0;
};

FakeClock& fakeClock() {
  static FakeClock clock;
  return clock;
}

uint64_t realMilliseconds() {
  return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - processStart).count());
}

}  // namespace

uint64_t GetTickCount64() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  return fake.installed ? fake.now : realMilliseconds();
}

DWORD GetTickCount() { return DWORD(GetTickCount64()); }

void Sleep(DWORD milliseconds) {
  FakeClock& fake = fakeClock();
  std::unique_lock lock(fake.mutex);
  if (fake.installed) {
    if (fake.gated && std::this_thread::get_id() != fake.exempt) {
      const uint64_t generation = fake.generation;
      ++fake.gatedSleepers;
      ++fake.arrivedSinceRelease;
      fake.advanced.notify_all();
      fake.advanced.wait(lock, [&] { return !fake.gated || fake.generation != generation; });
      --fake.gatedSleepers;
      return;
    }
    if (fake.gated) {
      // The gating thread's frames are the clock's; its sleeps only yield.
      lock.unlock();
      std::this_thread::yield();
      return;
    }
    if (fake.advanceOnSleep) {
      fake.now += milliseconds;
      fake.advanced.notify_all();
      lock.unlock();
      std::this_thread::yield();
      return;
    }
    const uint64_t wakeAt = fake.now + milliseconds;
    ++fake.sleepers;
    fake.advanced.notify_all();
    // Wake when the fake time gets there, or when the fake clock is removed.
    fake.advanced.wait(lock, [&] { return !fake.installed || fake.now >= wakeAt; });
    --fake.sleepers;
    return;
  }
  lock.unlock();
  if (milliseconds == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

namespace wince {

void useFakeClock(uint64_t startMilliseconds, bool advanceOnSleep) {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  fake.installed = true;
  fake.gated = false;
  fake.advanceOnSleep = advanceOnSleep;
  fake.now = startMilliseconds;
  fake.advanced.notify_all();
}

void advanceFakeClock(uint64_t milliseconds) {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  fake.now += milliseconds;
  fake.advanced.notify_all();
}

void useRealClock() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  fake.installed = false;
  fake.gated = false;
  fake.advanced.notify_all();
}

void waitForFakeClockSleepers(int count) {
  FakeClock& fake = fakeClock();
  std::unique_lock lock(fake.mutex);
  fake.advanced.wait(lock, [&] { return fake.sleepers >= count; });
}

void gateSleepsExceptCallingThread() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  fake.gated = true;
  fake.exempt = std::this_thread::get_id();
  fake.advanced.notify_all();
}

int releaseGatedSleepers(uint64_t milliseconds, std::chrono::milliseconds settleTimeout) {
  FakeClock& fake = fakeClock();
  std::unique_lock lock(fake.mutex);
  const int released = fake.gatedSleepers;
  fake.now += milliseconds;
  ++fake.generation;
  fake.arrivedSinceRelease = 0;
  fake.advanced.notify_all();
  fake.advanced.wait_for(lock, settleTimeout,
                         [&] { return !fake.gated || fake.arrivedSinceRelease >= released; });
  return released;
}

void stopGatingSleeps() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  fake.gated = false;
  fake.advanced.notify_all();
}

bool waitForGatedSleepers(int count, std::chrono::milliseconds timeout) {
  FakeClock& fake = fakeClock();
  std::unique_lock lock(fake.mutex);
  return fake.advanced.wait_for(lock, timeout, [&] { return !fake.gated || fake.gatedSleepers >= count; });
}

bool fakeClockInstalled() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  return fake.installed;
}

}  // namespace wince
