#pragma once
// The Application: what the object model needs for one run of the program
// (the memory pools, the ObjectManager, the static block, the method-name
// stack) and the five objects every caller reaches, which are collector
// roots. A test may create and close several Applications one after the
// other; one is current at a time.
#include <cstdint>
#include <string>

#include "runtime/memory/MemoryManagers.h"
#include "runtime/object/ClassInitialisers.h"

class Object;
class ObjectManager;
struct StaticClass;

class Application {
 public:
  static constexpr uint32_t nameStackSize = 256;

  Application() = default;
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The current Application, or null.
  static Application* get();

  // Pools, ObjectManager, static block, then the class initialisers (null:
  // none). Makes this Application the current one.
  void init(const ClassInitialisers* initialisers, uint32_t objectHeapBytes = MemoryManagers::objectHeapSize,
            uint32_t nativePoolBytes = MemoryManagers::nativePoolSize);
  // Drops the five roots, frees every object (finalisers run), then the
  // static block, the ObjectManager and the pools. Safe to call twice.
  void close();

  StaticClass* getStaticClass() const { return m_staticClass; }
  ObjectManager* getObjectManager() const { return m_objectManager; }
  MemoryManagers* getMemoryManagers() const { return m_memoryManagers; }

  // The method-name stack of stack traces; a push beyond its size is refused
  // (answers false).
  bool pushName(const char* name);
  void popName();
  // "stacktrace:\n" and one line per name, innermost first.
  std::string stackTraceText() const;
  void printStackTrace() const;

  // Collector roots, in this order.
  Object* m_midlet = nullptr;
  Object* m_current = nullptr;
  Object* m_screenImage = nullptr;
  Object* m_screenGraphics = nullptr;
  Object* m_scratch = nullptr;

  uint8_t m_gcRequested = 0;
  uint8_t m_paused = 0;
  Object* m_pending = nullptr;
  uint32_t m_pendingSite = 0;

 private:
  StaticClass* m_staticClass = nullptr;
  ObjectManager* m_objectManager = nullptr;
  MemoryManagers* m_memoryManagers = nullptr;
  const char* m_nameStack[nameStackSize] = {};
  uint32_t m_nameDepth = 0;
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
