#include "runtime/thread/java_lang_Thread.h"

#include "runtime/thread/ThreadTable.h"

void java_lang_Thread::init() { init(nullptr); }

void java_lang_Thread::init(Object* target) {
  java_lang_Thread* creator = currentThread();
  m_priority = creator != nullptr ? creator->getPriority() : 5;
  m_target = target;
}

void* java_lang_Thread::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
}

void java_lang_Thread::run() {
  if (m_target == nullptr) return;
  if (auto* runnable = static_cast<java_lang_Runnable*>(m_target->lookupInterface(classid::java_lang_Runnable))) {
    runnable->run();
  }
}

DWORD java_lang_Thread::start() { return ThreadTable::instance().start(this); }

int32_t java_lang_Thread::getPriority() { return m_priority; }

java_lang_Thread* java_lang_Thread::currentThread() { return ThreadTable::instance().currentThread(); }

void java_lang_Thread::sleep(int64_t milliseconds) { ThreadTable::instance().sleep(milliseconds); }

void java_lang_Thread::yield() { sleep(0); }

int32_t java_lang_Thread::isAlive(java_lang_Thread* thread) { return ThreadTable::instance().isAlive(thread) ? 1 : 0; }

int32_t java_lang_Thread::activeCount() { return ThreadTable::instance().activeCount(); }

void java_lang_Thread::setPriority0(java_lang_Thread* thread, int32_t priority) {
  ThreadTable::instance().setPriority0(thread, priority);
}
