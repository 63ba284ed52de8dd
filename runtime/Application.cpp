#include "runtime/Application.h"

#include "runtime/app/LifecycleTargets.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/io/ResourceArchiveIndex.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/StaticClass.h"
#include "runtime/thread/ThreadTable.h"

namespace {
Application* currentApplication = nullptr;
}

Application* Application::get() { return currentApplication; }

StaticClass& statics() { return *currentApplication->getStaticClass(); }

Application::~Application() { close(); }

bool Application::init(const ClassInitialisers* initialisers, uint32_t objectHeapBytes, uint32_t nativePoolBytes,
                       LiteralPool literalPool) {
  currentApplication = this;
  debugLog("new MemoryManagers");
  m_memoryManagers = new MemoryManagers(objectHeapBytes, nativePoolBytes);
  MemoryManagers::setCurrent(m_memoryManagers);
  debugLog("new ObjectManager");
  m_objectManager = new ObjectManager(*this);
  ThreadTable::instance().beginRun();
  m_objectManager->setWorldControl(&ThreadTable::instance());
  debugLog("new StaticClass");
  m_staticClass = new StaticClass();
  debugLog("Application::init");
  if (m_staticClass->setUp(initialisers, literalPool == LiteralPool::fromArchive)) return true;
  debugLog("Application::init failed: the string-literal pool cannot be read");
  return false;
}

void Application::close() {
  if (m_memoryManagers == nullptr) return;
  debugLog("Application::close");
  destoryMIDlet();
  m_midlet = m_current = m_screenImage = m_screenGraphics = m_scratch = nullptr;
  // A pending exception of any thread would outlive the objects.
  forEachThreadExceptionState([](ThreadExceptionState& state, void*) { state.pending = nullptr; }, nullptr);
  // Finalisers may still look at statics, so the block outlives the final
  // collection.
  if (m_objectManager != nullptr) m_objectManager->gc(ObjectManager::freeEverything);
  if (m_staticClass != nullptr) {
    m_staticClass->literalPool = nullptr;
    m_staticClass->releaseRefFieldTables();
    delete m_staticClass;
    m_staticClass = nullptr;
  }
  delete m_objectManager;
  m_objectManager = nullptr;
  // The world stays stopped for every other thread of this run; this one
  // goes on.
  ThreadTable::instance().endRun();
  if (MemoryManagers::current() == m_memoryManagers) MemoryManagers::setCurrent(nullptr);
  delete m_memoryManagers;
  m_memoryManagers = nullptr;
  if (currentApplication == this) currentApplication = nullptr;
  // The next run may map other folders.
  forgetResourceArchive();
}

void Application::startApp(Object* (*createMidlet)()) {
  Object* midlet = createMidlet != nullptr ? createMidlet() : nullptr;
  m_midlet = midlet;
  debugLog("Application::startApp");
  if (midlet == nullptr) {
    debugLog("Application::startApp: no MIDlet was made");
    return;
  }
  static_cast<MidletOperations*>(midlet)->startApp();
}

void Application::pause() {
  if (m_paused == 1 || m_midlet == nullptr || m_current == nullptr) return;
  static_cast<MidletOperations*>(m_midlet)->pauseApp();
  static_cast<DisplayableOperations*>(m_current)->hideNotify();
  m_paused = 1;
}

void Application::resume() {
  if (m_paused == 0 || m_midlet == nullptr || m_current == nullptr) return;
  static_cast<MidletOperations*>(m_midlet)->startApp();
  static_cast<DisplayableOperations*>(m_current)->showNotify();
  m_paused = 0;
}

void Application::destoryMIDlet() {
  debugLog("Application::destoryMIDlet");
  if (m_midlet == nullptr) {
    debugLog("m_midlet is already NULL.");
    return;
  }
  static_cast<MidletOperations*>(m_midlet)->destroyApp(true);
  // Once only, whoever asks again.
  m_midlet = nullptr;
}

bool Application::pushName(const char* name) {
  ThreadExceptionState& state = thisThreadsExceptionState();
  if (state.nameDepth >= nameStackSize) {
    debugLog("method-name stack full, %s not pushed", name);
    return false;
  }
  state.nameStack[state.nameDepth++] = name;
  return true;
}

void Application::popName() {
  ThreadExceptionState& state = thisThreadsExceptionState();
  if (state.nameDepth > 0) --state.nameDepth;
}

std::string Application::stackTraceText() const {
  const ThreadExceptionState& state = thisThreadsExceptionState();
  std::string text = "stacktrace:\n";
  for (uint32_t i = state.nameDepth; i-- > 0;) {
    text += state.nameStack[i];
    text += '\n';
  }
  return text;
}

void Application::printStackTrace() const { debugLog("%s", stackTraceText().c_str()); }

MethodNameScope::MethodNameScope(const char* name)
    : m_application(Application::get()), m_pushed(m_application != nullptr && m_application->pushName(name)) {}

MethodNameScope::~MethodNameScope() {
  if (m_pushed) m_application->popName();
}
