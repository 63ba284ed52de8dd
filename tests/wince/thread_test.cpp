#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "wince/event.h"
#include "wince/log.h"
#include "wince/thread.h"
#include "wince/wait.h"

namespace {

constexpr DWORD failed = 0xFFFFFFFFu;

HANDLE startThread(std::function<void()> body, DWORD flags = 0, DWORD* threadId = nullptr, DWORD stackSize = 0) {
  auto* heapBody = new std::function<void()>(std::move(body));
  const HANDLE thread = CreateThread(
      nullptr, stackSize,
      [](void* parameter) -> DWORD {
        std::unique_ptr<std::function<void()>> ownedBody(static_cast<std::function<void()>*>(parameter));
        (*ownedBody)();
        return 0;
      },
      heapBody, flags, threadId);
  if (!thread) delete heapBody;
  return thread;
}

void finish(HANDLE thread) {
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST(ThreadSuspension, CreateSuspendedRunsOnlyOnceEverySuspensionIsResumed) {
  std::atomic<bool> ran{false};
  const HANDLE thread = startThread([&] { ran = true; }, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(wince::waitUntilSuspended(thread));
  EXPECT_EQ(SuspendThread(thread), 1u) << "a suspended thread may be suspended once more";
  EXPECT_EQ(ResumeThread(thread), 2u);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  EXPECT_FALSE(ran.load());
  EXPECT_EQ(ResumeThread(thread), 1u);
  finish(thread);
  EXPECT_TRUE(ran.load());
}

// The resumer cannot know whether the thread has suspended yet; it retries
// while ResumeThread answers 0. Repeated so both orders occur.
TEST(ThreadSuspension, SelfSuspensionEndsWithTheResumeOfAnotherThreadWhateverTheOrder) {
  for (int round = 0; round < 200; ++round) {
    std::atomic<DWORD> suspendResult{failed};
    const HANDLE thread = startThread([&] { suspendResult = SuspendThread(GetCurrentThread()); });
    ASSERT_NE(thread, nullptr);
    DWORD resumed;
    while ((resumed = ResumeThread(thread)) == 0) std::this_thread::yield();
    EXPECT_EQ(resumed, 1u);
    finish(thread);
    EXPECT_EQ(suspendResult.load(), 0u);
  }
}

TEST(ThreadSuspension, ThreadNotCreatedHereSuspendsItselfByItsId) {
  const HANDLE self = GetCurrentThread();
  std::thread resumer([self] {
    EXPECT_TRUE(wince::waitUntilSuspended(self));
    EXPECT_EQ(ResumeThread(self), 1u);
  });
  EXPECT_EQ(SuspendThread(self), 0u);
  resumer.join();
}

TEST(ThreadSuspension, ResumeOfARunningThreadIsNotKeptForItsNextSuspension) {
  const HANDLE go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE thread = startThread([go] {
    WaitForSingleObject(go, INFINITE);
    SuspendThread(GetCurrentThread());
  });
  EXPECT_EQ(ResumeThread(thread), 0u);
  SetEvent(go);
  EXPECT_TRUE(wince::waitUntilSuspended(thread)) << "the thread ended without suspending";
  EXPECT_EQ(ResumeThread(thread), 1u);
  finish(thread);
  CloseHandle(go);
}

TEST(ThreadSuspension, SuspendingAnotherRunningThreadIsRefusedAndLoggedOncePerThread) {
  const HANDLE go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE thread = startThread([go] { WaitForSingleObject(go, INFINITE); });
  wince::LogCapture log;
  EXPECT_EQ(SuspendThread(thread), failed);
  EXPECT_TRUE(log.contains("a thread can only suspend itself")) << log.text();
  log.clear();
  EXPECT_EQ(SuspendThread(thread), failed);
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(ResumeThread(thread), 0u) << "the refused calls left the count at 0";
  SetEvent(go);
  finish(thread);
  EXPECT_EQ(SuspendThread(thread), failed) << "closed handle";
  CloseHandle(go);
}

TEST(ThreadHandle, IsSignalledWhenTheThreadEndsAndOutlivesIt) {
  const HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  DWORD id = 0;
  const HANDLE thread = startThread([go] { WaitForSingleObject(go, INFINITE); }, 0, &id);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(wince::handleFromThreadId(id), 0), WAIT_TIMEOUT) << "the id names the live thread";
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "stays signalled";
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
  wince::StackBounds bounds;
  EXPECT_TRUE(wince::threadStackBounds(thread, &bounds));
  EXPECT_EQ(ResumeThread(thread), 0u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_FALSE(CloseHandle(thread));
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
  CloseHandle(go);
}

TEST(ThreadHandle, ClosingItWhileTheThreadRunsIsSafe) {
  const HANDLE go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE done = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE thread = startThread([go, done] {
    WaitForSingleObject(go, INFINITE);
    EXPECT_NE(GetCurrentThreadId(), 0u);
    SetEvent(done);
  });
  EXPECT_TRUE(CloseHandle(thread));
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  CloseHandle(go);
  CloseHandle(done);
}

TEST(ThreadIdentity, IdsAreNonZeroStableAndDistinctForEveryKindOfThread) {
  const DWORD mainId = GetCurrentThreadId();
  EXPECT_NE(mainId, 0u);
  EXPECT_EQ(GetCurrentThreadId(), mainId);

  constexpr int threadCount = 6;
  const HANDLE release = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  std::vector<DWORD> seen(2 * threadCount);
  std::vector<HANDLE> created;
  std::vector<std::thread> others;
  for (int i = 0; i < threadCount; ++i) {
    DWORD reportedId = 0;
    created.push_back(startThread(
        [&seen, i, release] {
          seen[i] = GetCurrentThreadId();
          WaitForSingleObject(release, INFINITE);  // all alive at once
          EXPECT_EQ(GetCurrentThreadId(), seen[i]);
        },
        0, &reportedId));
    others.emplace_back([&seen, i, release] {
      seen[threadCount + i] = GetCurrentThreadId();
      WaitForSingleObject(release, INFINITE);
      EXPECT_EQ(GetCurrentThreadId(), seen[threadCount + i]);
    });
    ASSERT_NE(reportedId, 0u);
    EXPECT_EQ(GetThreadPriority(wince::handleFromThreadId(reportedId)), THREAD_PRIORITY_NORMAL);
  }
  wince::waitForWaiters(release, 2 * threadCount);
  SetEvent(release);
  for (HANDLE thread : created) finish(thread);
  for (auto& thread : others) thread.join();

  std::set<DWORD> distinct(seen.begin(), seen.end());
  distinct.insert(mainId);
  EXPECT_EQ(distinct.size(), size_t(2 * threadCount + 1));
  EXPECT_EQ(distinct.count(0u), 0u);

  DWORD laterId = 0;
  finish(startThread([] {}, 0, &laterId));
  EXPECT_EQ(distinct.count(laterId), 0u) << "an ended thread's id is not handed out again";
  CloseHandle(release);
}

TEST(ThreadIdentity, CreatedThreadSeesTheIdCreateThreadReported) {
  std::atomic<DWORD> insideId{0};
  DWORD reportedId = 0;
  finish(startThread([&] { insideId = GetCurrentThreadId(); }, 0, &reportedId));
  EXPECT_EQ(insideId.load(), reportedId);
}

TEST(ThreadStack, BoundsContainALocalOfTheThread) {
  int mainLocal = 0;
  EXPECT_TRUE(wince::currentThreadStackBounds().contains(&mainLocal)) << "main thread";

  std::atomic<const void*> localAddress{nullptr};
  std::atomic<bool> ownBoundsHoldIt{false};
  const HANDLE leave = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE thread = startThread([&] {
    int local = 0;
    localAddress = &local;
    ownBoundsHoldIt = wince::currentThreadStackBounds().contains(&local);
    WaitForSingleObject(leave, INFINITE);
  });
  wince::waitForWaiters(leave, 1);
  wince::StackBounds bounds;
  ASSERT_TRUE(wince::threadStackBounds(thread, &bounds));
  EXPECT_TRUE(bounds.contains(localAddress.load()));
  EXPECT_TRUE(ownBoundsHoldIt.load());
  EXPECT_FALSE(bounds.contains(&mainLocal));
  SetEvent(leave);
  finish(thread);
  CloseHandle(leave);
}

TEST(ThreadStack, RequestedSizeIsHonoured) {
  constexpr DWORD requested = 512 * 1024;
  const HANDLE thread = startThread([] {}, 0, nullptr, requested);
  wince::StackBounds bounds;
  ASSERT_TRUE(wince::threadStackBounds(thread, &bounds));
  EXPECT_GE(bounds.highest - bounds.lowest, requested);
  EXPECT_LT(bounds.highest - bounds.lowest, 2 * requested);
  finish(thread);
}

TEST(ThreadPriority, LevelsZeroToSevenAreKeptOthersRefused) {
  const HANDLE go = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE thread = startThread([go] { WaitForSingleObject(go, INFINITE); });
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
  struct Case {
    int priority;
    BOOL accepted;
    int afterwards;
  };
  const Case cases[] = {
      {THREAD_PRIORITY_IDLE, TRUE, 7}, {THREAD_PRIORITY_TIME_CRITICAL, TRUE, 0}, {-1, FALSE, 0},
      {THREAD_PRIORITY_BELOW_NORMAL, TRUE, 4}, {8, FALSE, 4}, {THREAD_PRIORITY_NORMAL, TRUE, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SetThreadPriority(thread, c.priority), c.accepted) << c.priority;
    EXPECT_EQ(GetThreadPriority(thread), c.afterwards) << c.priority;
  }
  SetEvent(go);
  finish(thread);
  CloseHandle(go);

  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_IDLE));
  EXPECT_EQ(GetThreadPriority(wince::handleFromThreadId(GetCurrentThreadId())), THREAD_PRIORITY_ABOVE_IDLE);
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
}

TEST(ThreadHandle, CallsOnWhatIsNotAThreadFailSafely) {
  const HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  const HANDLE notThreads[] = {nullptr, event, reinterpret_cast<HANDLE>(uintptr_t(0x7FFFFFF0)),
                               reinterpret_cast<HANDLE>(~uintptr_t(0))};
  wince::LogCapture log;
  for (HANDLE handle : notThreads) {
    EXPECT_EQ(SuspendThread(handle), failed);
    EXPECT_EQ(ResumeThread(handle), failed);
    EXPECT_FALSE(SetThreadPriority(handle, THREAD_PRIORITY_NORMAL));
    EXPECT_EQ(GetThreadPriority(handle), THREAD_PRIORITY_ERROR_RETURN);
    wince::StackBounds bounds;
    EXPECT_FALSE(wince::threadStackBounds(handle, &bounds));
    EXPECT_FALSE(wince::waitUntilSuspended(handle));
  }
  EXPECT_TRUE(log.contains("is not a thread"));
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  CloseHandle(event);
}

}  // namespace
