#pragma once
// The Application: what the object model needs for one run of the program
// (the memory pools, the ObjectManager, the static block) and the five
// objects every caller reaches, which are collector roots. The pending
// exception and the method-name stack belong to the calling thread. A test
// may create and close several Applications one after the other; one is
// current at a time.
#include <cstdint>
#include <string>

#include "runtime/exceptions/HandlerTable.h"
#include "runtime/exceptions/ThreadExceptionState.h"
#include "runtime/memory/MemoryManagers.h"
#include "runtime/object/ClassInitialisers.h"

class Object;
class ObjectManager;
struct StaticClass;

// The calling thread's pending exception, read and written like a field.
class PendingExceptionOfThisThread {
 public:
  PendingExceptionOfThisThread& operator=(Object* exception) {
    thisThreadsExceptionState().pending = exception;
    return *this;
  }
  operator Object*() const { return thisThreadsExceptionState().pending; }
};

class Application {
 public:
  static constexpr uint32_t nameStackSize = ThreadExceptionState::nameStackSize;

  Application() = default;
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The current Application, or null.
  static Application* get();

  enum class LiteralPool { none, fromArchive };
  enum class UiThread { notRegistered, caller };

  // Pools, ObjectManager, a fresh thread table (with the calling thread as
  // the UI thread when asked for, so that class initialisers see it as the
  // current thread), static block (with the string-literal pool read from
  // the resource archive when asked for), then the class initialisers (null:
  // none). Makes this Application the current one. False, logged, when the
  // pool cannot be read; the caller then closes the Application.
  bool init(const ClassInitialisers* initialisers, uint32_t objectHeapBytes = MemoryManagers::objectHeapSize,
            uint32_t nativePoolBytes = MemoryManagers::nativePoolSize, LiteralPool literalPool = LiteralPool::none,
            UiThread uiThread = UiThread::notRegistered);
  // Drops the five roots and every thread's pending exception, frees every
  // object (finalisers run), then the static block, the ObjectManager and
  // the pools. Safe to call twice. Threads still registered should have been
  // stopped for good first (ObjectManager::stopTheWorldForShutdown).
  void close();

  // Makes the MIDlet with createMidlet (its constructor reads the
  // descriptor; the game keeps its own instance static), keeps it as m_midlet,
  // and calls its startApp.
  void startApp(Object* (*createMidlet)());
  // Pause and resume are idempotent and do nothing before there are a MIDlet
  // and a current Displayable: pauseApp then hideNotify; startApp then
  // showNotify.
  void pause();
  void resume();
  // destroyApp(true) on the MIDlet, once; close calls it first.
  void destoryMIDlet();

  StaticClass* getStaticClass() const { return m_staticClass; }
  ObjectManager* getObjectManager() const { return m_objectManager; }
  MemoryManagers* getMemoryManagers() const { return m_memoryManagers; }

  // The calling thread's method-name stack of stack traces; a push beyond its
  // size is refused (answers false).
  bool pushName(const char* name);
  void popName();
  // "stacktrace:\n" and one line per name, innermost first.
  std::string stackTraceText() const;
  void printStackTrace() const;

  // Pending exceptions of the calling thread. throwPending stores the stack
  // trace in a Throwable's trace field and makes it pending; the compiled
  // method then returns. A null exception is logged and nothing is pending.
  void throwPending(Object* exception);
  // 0 when nothing is pending; else records site as the pending site and
  // answers 1.
  int32_t checkPending(uint32_t site);
  Object* getPending() const { return thisThreadsExceptionState().pending; }
  uint32_t getPendingSite() const { return thisThreadsExceptionState().pendingSite; }
  // The first entry covering the pending site whose class the pending
  // exception is an instance of; the exception is then no longer pending.
  // -1 (and the exception stays pending) when none matches.
  int32_t findHandler(const HandlerTableEntry* table);

  // Collector roots, in this order.
  Object* m_midlet = nullptr;
  Object* m_current = nullptr;
  Object* m_screenImage = nullptr;
  Object* m_screenGraphics = nullptr;
  Object* m_scratch = nullptr;

  uint8_t m_gcRequested = 0;
  uint8_t m_paused = 0;
  PendingExceptionOfThisThread m_pending;

 private:
  StaticClass* m_staticClass = nullptr;
  ObjectManager* m_objectManager = nullptr;
  MemoryManagers* m_memoryManagers = nullptr;
};

// Pushes a name on the current Application's name stack for a scope.
class MethodNameScope {
 public:
  explicit MethodNameScope(const char* name);
  ~MethodNameScope();
  MethodNameScope(const MethodNameScope&) = delete;
  MethodNameScope& operator=(const MethodNameScope&) = delete;

 private:
  Application* m_application;
  bool m_pushed;
};
