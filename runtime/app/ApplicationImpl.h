#pragma once
// The host object that lives for the whole process: it owns the display
// device, the running flag and the Application, starts the runtime (pools,
// collector, static block, screen objects, the MIDlet) and takes it down in
// order. get() answers the instance constructed last.
#include <cstdint>

#include "runtime/Application.h"
#include "runtime/display/PowerAndOrientation.h"
#include "runtime/memory/MemoryManagers.h"
#include "wince/types.h"

class DisplayDevice;
class Object;
struct ClassInitialisers;

// What the program hands the runtime at start-up.
struct ApplicationStartup {
  const ClassInitialisers* classInitialisers = nullptr;
  Application::LiteralPool literalPool = Application::LiteralPool::fromArchive;
  uint32_t objectHeapBytes = MemoryManagers::objectHeapSize;
  uint32_t nativePoolBytes = MemoryManagers::nativePoolSize;
  // Makes the screen Image over the back buffer and its Graphics and stores
  // them as m_screenImage and m_screenGraphics (null: none).
  void (*createScreen)(Application& application, uint16_t* backBuffer) = nullptr;
  // Makes the MIDlet, running its constructor (null: none).
  Object* (*createMidlet)() = nullptr;
  // The display device WinMain opens ("GDI", "DDRAW" or "AUTO").
  LPCWSTR displayType = u"GDI";
};

class ApplicationImpl final : public PauseTarget {
 public:
  ApplicationImpl();
  ~ApplicationImpl();
  ApplicationImpl(const ApplicationImpl&) = delete;
  ApplicationImpl& operator=(const ApplicationImpl&) = delete;

  static ApplicationImpl* get();

  // Opens the display device of the type ("GDI", "DDRAW", "AUTO") on the
  // window; 1 on success. A failed device stays for shutdown to delete.
  int openDisplay(LPCWSTR type, HWND window);
  // Called once, after the display device is open. 1 when the runtime runs;
  // 0 (logged) when the Application could not start, which the caller then
  // shuts down.
  int init(const ApplicationStartup& startup);
  // Stops every other thread for good, closes the Application (destroyApp
  // first) and the display. A second call does nothing. When the game's
  // destroyApp blocks (say on a monitor a parked thread holds) for longer
  // than shutdownWatchdogMilliseconds of real time, the process is ended
  // with exit code 1 after a log line.
  void shutdown();

  // PauseTarget: power and orientation pauses.
  void pause() override;
  void resume() override;
  void setRepaintSkip() override { repaintSkip = (repaintSkip & ~0xFFu) | 1u; }
  void clearPaused() override;

  // Focus changes: the same calls as pause and resume, whatever paused says.
  void focusLost();
  void focusGained();

  uint32_t repaintSkip = 0;
  Application* application = nullptr;
  DisplayDevice* display = nullptr;
  uint8_t preemptiveSuspend = 0;
  uint8_t displayActive = 0;
  uint8_t running = 1;
  uint16_t* backBuffer = nullptr;
  uint32_t volume = 0;
  uint32_t lastGcTick = 0;
  uint32_t shutdownWatchdogMilliseconds = 10000;
};
