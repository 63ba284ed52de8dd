#pragma once
// java_lang_Thread (class id 48): one platform thread per started object.
// The runtime makes the UI thread's object at start-up, so the class lives
// here rather than with the platform classes. A Thread is collected like any
// object until it is started; from a successful start until its run ends it
// is not collectable, and the thread table keeps it (and its target) marked.
#include <cstdint>

#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/Object.h"
#include "wince/types.h"

class String;

class java_lang_Thread : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Thread;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_lang_Thread::m_target}; }

  // The new thread takes its creator's priority (5 when the creator is no
  // registered thread). The target is an object with a Runnable view, or
  // null (then run does nothing unless a subclass overrides it).
  void init();
  void init(Object* target);

  // 1..10, kept and handed to the platform thread (at start when it has
  // none yet); anything else raises IllegalArgumentException.
  void setPriority(int32_t priority);
  // Returns at once on the calling thread itself and on a thread that is not
  // alive (never started, or ended); otherwise blocks, parked, until it ends.
  void join();
  // literal 266, hashCode(), literal 267, the priority, literal 268.
  String* toString() override;

  void* lookupInterface(int32_t interfaceId) override;
  // The target's run, when there is a target.
  void run() override;

  // Starts the platform thread, unless this Thread has one already. Answers
  // the platform's resume result; 0xFFFFFFFF when the table is full or the
  // thread cannot be made (no thread is created then).
  virtual DWORD start();
  virtual int32_t getPriority();

  // The Thread of the calling thread, or null when it is not registered.
  static java_lang_Thread* currentThread();
  // The collector's safepoint: see ThreadTable::sleep.
  static void sleep(int64_t milliseconds);
  static void yield();
  static int32_t isAlive(java_lang_Thread* thread);
  static int32_t activeCount();
  // priority 1..10 to the platform's 7..0; 10 is refused by the platform.
  static void setPriority0(java_lang_Thread* thread, int32_t priority);

  int32_t m_priority;
  Object* m_target;  // the object whose Runnable view runs, or null
};
