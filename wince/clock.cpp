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
  fake.advanced.notify_all();
}

void waitForFakeClockSleepers(int count) {
  FakeClock& fake = fakeClock();
  std::unique_lock lock(fake.mutex);
  fake.advanced.wait(lock, [&] { return fake.sleepers >= count; });
}

bool fakeClockInstalled() {
  FakeClock& fake = fakeClock();
  std::lock_guard lock(fake.mutex);
  return fake.installed;
}

}  // namespace wince
