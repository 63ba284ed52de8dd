#pragma once
// What the thread and monitor tests share: a Runnable object that runs a
// test function, and a guard for waiting on other threads.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"

namespace threadtest {

// Runs body(context) as a thread's target.
class Job : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_TimerTask;

  void init(void (*body)(void*), void* context) {
    m_body = body;
    m_context = context;
  }
  void* lookupInterface(int32_t interfaceId) override {
    return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
  }
  void run() override { m_body(m_context); }

  void (*m_body)(void*);
  void* m_context;
};

// A started Thread running call (a lambda that outlives the thread).
template <class Call>
java_lang_Thread* startThread(Call& call) {
  Job* job = newObject<Job>(+[](void* context) { (*static_cast<Call*>(context))(); }, static_cast<void*>(&call));
  auto* thread = newObject<java_lang_Thread>(static_cast<Object*>(job));
  EXPECT_NE(thread->start(), 0xFFFFFFFFu);
  return thread;
}

inline void expectEnds(java_lang_Thread* thread) {
  EXPECT_TRUE(ThreadTable::instance().waitUntilEnded(thread, 20000)) << "the thread never ended";
}

// Waits until condition holds; a guard against a hang, not a time limit.
template <class Condition>
bool eventually(Condition condition) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace threadtest
