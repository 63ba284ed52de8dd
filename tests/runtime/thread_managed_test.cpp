// The managed side of Thread: the priority a new Thread takes, setPriority's
// range and when the platform thread gets it, join, and the text of a
// Thread.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/runtime/thread_test_support.h"
#include "tests/support/LiteralPoolBytes.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/thread.h"

namespace {

using threadtest::eventually;
using threadtest::expectEnds;
using threadtest::Job;

class ManagedThreadTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    application().m_pending = nullptr;
    ThreadTable::instance().unregisterCurrentThread();
    RuntimeFixture::TearDown();
  }

  // A Thread (not started) whose run calls body.
  template <class Call>
  java_lang_Thread* newThread(Call& body) {
    Job* job = newObject<Job>(+[](void* context) { (*static_cast<Call*>(context))(); }, static_cast<void*>(&body));
    return newObject<java_lang_Thread>(static_cast<Object*>(job));
  }

  // The exception pending now (and no longer pending), or null.
  Object* takePending() {
    Object* pending = application().getPending();
    application().m_pending = nullptr;
    return pending;
  }
};

TEST_F(ManagedThreadTest, ANewThreadTakesItsCreatorsPriorityOrFive) {
  EXPECT_EQ(newObject<java_lang_Thread>()->getPriority(), 5) << "the creator is no registered thread";
  EXPECT_EQ(newObject<java_lang_Thread>(static_cast<Object*>(newObject<Object>()))->getPriority(), 5);
  EXPECT_EQ(takePending(), nullptr);

  java_lang_Thread* me = newObject<java_lang_Thread>();
  ASSERT_GE(ThreadTable::instance().registerCurrentThread(me), 0);
  me->setPriority(8);
  EXPECT_EQ(newObject<java_lang_Thread>()->getPriority(), 8);
  me->setPriority(10);
  EXPECT_EQ(newObject<java_lang_Thread>()->getPriority(), 10);
  EXPECT_EQ(takePending(), nullptr);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

TEST_F(ManagedThreadTest, SetPriorityTakesOneToTenAndRefusesTheRest) {
  java_lang_Thread* thread = newObject<java_lang_Thread>();
  struct Case {
    int32_t priority;
    bool taken;
  };
  const Case cases[] = {{1, true}, {10, true}, {0, false}, {11, false}, {-1, false}, {INT32_MIN, false}, {7, true}};
  int32_t expected = thread->getPriority();
  for (const Case& c : cases) {
    thread->setPriority(c.priority);
    Object* pending = takePending();
    if (c.taken) {
      expected = c.priority;
      EXPECT_EQ(pending, nullptr) << c.priority;
    } else {
      ASSERT_NE(pending, nullptr) << c.priority;
      EXPECT_EQ(pending->getClassId(), classid::java_lang_IllegalArgumentException);
    }
    EXPECT_EQ(thread->getPriority(), expected) << "after " << c.priority;
  }
}

TEST_F(ManagedThreadTest, APrioritySetBeforeStartIsThePlatformThreadsFromItsFirstStep) {
  struct Case {
    int32_t priority;
    int platformPriority;
  };
  // 10 maps to a level the platform refuses: the thread keeps the default.
  const Case cases[] = {{2, 7}, {5, 4}, {9, 0}, {10, THREAD_PRIORITY_NORMAL}};
  for (const Case& c : cases) {
    std::atomic<int> seen{-1};
    auto body = [&] { seen = GetThreadPriority(GetCurrentThread()); };
    java_lang_Thread* thread = newThread(body);
    thread->setPriority(c.priority);
    ASSERT_NE(thread->start(), 0xFFFFFFFFu);
    expectEnds(thread);
    EXPECT_EQ(seen, c.platformPriority) << "priority " << c.priority;
  }
}

TEST_F(ManagedThreadTest, JoinReturnsAtOnceUnlessTheThreadRuns) {
  java_lang_Thread* unstarted = newObject<java_lang_Thread>();
  unstarted->join();
  EXPECT_EQ(java_lang_Thread::isAlive(unstarted), 0);

  // A thread that joins itself would wait for ever.
  std::atomic<bool> joinedItself{false};
  java_lang_Thread* self = nullptr;
  auto selfJoin = [&] {
    self->join();
    joinedItself = true;
  };
  self = newThread(selfJoin);
  ASSERT_NE(self->start(), 0xFFFFFFFFu);
  ASSERT_TRUE(eventually([&] { return joinedItself.load(); }));
  self->join();
  self->join();  // ended: at once
  EXPECT_EQ(java_lang_Thread::isAlive(self), 0);
}

TEST_F(ManagedThreadTest, JoinWaitsUntilRunHasEnded) {
  std::atomic<bool> release{false};
  std::atomic<bool> finished{false};
  auto body = [&] {
    while (!release) java_lang_Thread::sleep(1);
    finished = true;
  };
  java_lang_Thread* thread = newThread(body);
  ASSERT_NE(thread->start(), 0xFFFFFFFFu);
  std::thread releaser([&] {
    // Only once the joiner can be waiting.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    release = true;
  });
  thread->join();
  EXPECT_TRUE(finished);
  EXPECT_EQ(java_lang_Thread::isAlive(thread), 0);
  releaser.join();
}

TEST_F(ManagedThreadTest, ARegisteredJoinerLetsTheWorldStop) {
  std::atomic<bool> release{false};
  auto body = [&] {
    while (!release) java_lang_Thread::sleep(1);
  };
  java_lang_Thread* worker = newThread(body);
  std::atomic<bool> joined{false};
  auto joiner = [&] {
    worker->join();
    joined = true;
  };
  java_lang_Thread* joining = newThread(joiner);
  ASSERT_NE(worker->start(), 0xFFFFFFFFu);
  ASSERT_NE(joining->start(), 0xFFFFFFFFu);
  // Both registered threads park (one sleeping, one joining), so these
  // collections do not wait for ever.
  for (int i = 0; i < 5; ++i) collect();
  EXPECT_FALSE(joined);
  release = true;
  expectEnds(joining);
  EXPECT_TRUE(joined);
}

TEST_F(ManagedThreadTest, TextIsHashCodeAndPriorityBetweenTheLiterals) {
  ASSERT_TRUE(loadStringLiteralPool(literalPoolBytes(269, {{266, "Thread["}, {267, ",priority="}, {268, "]"}})));
  java_lang_Thread* thread = newObject<java_lang_Thread>();
  thread->setPriority(7);
  String* text = thread->toString();
  ASSERT_NE(text, nullptr);
  std::string bytes;
  for (int32_t i = 0; i < text->length(); ++i) bytes += static_cast<char>(text->charAt(i));
  EXPECT_EQ(bytes, "Thread[" + std::to_string(thread->hashCode()) + ",priority=7]");
}

}  // namespace
