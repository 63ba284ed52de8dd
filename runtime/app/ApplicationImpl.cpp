#include "runtime/app/ApplicationImpl.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "runtime/app/LifecycleTargets.h"
#include "runtime/display/DisplayDevice.h"
#include "runtime/display/DisplayOpening.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/thread/ThreadTable.h"
#include "wince/clock.h"

namespace {

ApplicationImpl* currentApplicationImpl = nullptr;

// Ends the process if the scope is not left within its time.
class ShutdownWatchdog {
 public:
  explicit ShutdownWatchdog(uint32_t milliseconds)
      : m_thread([this, milliseconds] {
          std::unique_lock lock(m_mutex);
          if (m_done.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_finished; })) return;
          debugLog("shutdown did not finish within %u ms; ending the process", milliseconds);
          std::fflush(stdout);
          std::_Exit(1);
        }) {}
  ~ShutdownWatchdog() {
    {
      std::lock_guard lock(m_mutex);
      m_finished = true;
    }
    m_done.notify_one();
    m_thread.join();
  }
  ShutdownWatchdog(const ShutdownWatchdog&) = delete;
  ShutdownWatchdog& operator=(const ShutdownWatchdog&) = delete;

 private:
  std::mutex m_mutex;
  std::condition_variable m_done;
  bool m_finished = false;
  std::thread m_thread;
};

}  // namespace

ApplicationImpl::ApplicationImpl() { currentApplicationImpl = this; }

ApplicationImpl::~ApplicationImpl() {
  if (currentApplicationImpl == this) currentApplicationImpl = nullptr;
}

ApplicationImpl* ApplicationImpl::get() { return currentApplicationImpl; }

int ApplicationImpl::openDisplay(LPCWSTR type, HWND window) { return openDisplayDevice(type, window, &display); }

int ApplicationImpl::init(const ApplicationStartup& startup) {
  // Threads here always park at the safepoint; nothing suspends them.
  preemptiveSuspend = 0;
  lastGcTick = GetTickCount();
  application = new Application();
  if (!application->init(startup.classInitialisers, startup.objectHeapBytes, startup.nativePoolBytes,
                         startup.literalPool)) {
    debugLog("ApplicationImpl::init failed");
    return 0;
  }
  // The run's thread table starts fresh in Application::init.
  ThreadTable::instance().registerUiThread();
  if (display != nullptr) backBuffer = static_cast<uint16_t*>(display->getBufferPixels());
  if (startup.createScreen != nullptr) {
    startup.createScreen(*application, backBuffer);
    debugLog("m_screenGraphics");
  }
  application->startApp(startup.createMidlet);
  return 1;
}

void ApplicationImpl::shutdown() {
  running = 0;
  if (application != nullptr) {
    ShutdownWatchdog watchdog(shutdownWatchdogMilliseconds);
    // Nothing else of the object model runs from here on, and parked threads
    // keep the locks they wait on.
    if (application->getObjectManager() != nullptr) application->getObjectManager()->stopTheWorldForShutdown();
    application->close();
    delete application;
    application = nullptr;
  }
  if (display != nullptr) {
    display->close();
    delete display;
    display = nullptr;
  }
  backBuffer = nullptr;
}

void ApplicationImpl::pause() {
  if (application != nullptr) application->pause();
}

void ApplicationImpl::resume() {
  if (application != nullptr) application->resume();
}

void ApplicationImpl::focusLost() {
  if (application == nullptr || application->m_midlet == nullptr || application->m_current == nullptr) return;
  static_cast<MidletOperations*>(application->m_midlet)->pauseApp();
  static_cast<DisplayableOperations*>(application->m_current)->hideNotify();
}

void ApplicationImpl::focusGained() {
  if (application == nullptr || application->m_midlet == nullptr || application->m_current == nullptr) return;
  static_cast<MidletOperations*>(application->m_midlet)->startApp();
  static_cast<DisplayableOperations*>(application->m_current)->showNotify();
}
