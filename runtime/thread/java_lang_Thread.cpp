#include "runtime/thread/java_lang_Thread.h"

#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/thread/ThreadTable.h"

namespace {

// Long enough that a join costs nothing while it waits; the thread table
// wakes it as soon as a slot is freed anyway.
constexpr uint32_t joinWaitSliceMilliseconds = 1000;

}  // namespace

void java_lang_Thread::init() { init(nullptr); }

void java_lang_Thread::init(Object* target) {
  m_priority = 5;
  if (java_lang_Thread* creator = currentThread()) m_priority = creator->getPriority();
  m_target = target;
  setPriority(m_priority);
}

void java_lang_Thread::setPriority(int32_t priority) {
  if (priority < 1 || priority > 10) {
    throwNew<java_lang_IllegalArgumentException>();
    return;
  }
  m_priority = priority;
  setPriority0(this, priority);
}

void java_lang_Thread::join() {
  if (currentThread() == this) return;
  ThreadTable& table = ThreadTable::instance();
  while (table.isAlive(this)) table.waitUntilEnded(this, joinWaitSliceMilliseconds);
}

String* java_lang_Thread::toString() {
  auto* text = newObject<StringBuffer>();
  if (text == nullptr) return nullptr;
  // A pool without these entries leaves its pieces out rather than writing
  // "null" into the text.
  auto appendLiteral = [text](LiteralId id) {
    if (String* piece = literalOrNull(static_cast<int32_t>(id))) text->append(piece);
  };
  appendLiteral(LiteralId::threadTextStart);
  text->append(hashCode());
  appendLiteral(LiteralId::threadTextPriority);
  text->append(getPriority());
  appendLiteral(LiteralId::threadTextEnd);
  return text->toString();
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
