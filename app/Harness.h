#pragma once
// The executable's options and the harness that plays a run by them: the
// back end, a fixed clock, lock-step frames, a script of timed input, the
// screenshots, and the close after the last frame. Without any of those
// options the program simply runs until the user closes it.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/InputScript.h"
#include "wince/path_mapping.h"

extern const char* const harnessUsage;

struct HarnessOptions {
  struct Screenshot {
    uint32_t frame = 0;
    std::string path;
  };

  wince::FileSystemFolders folders;
  bool headless = false;
  std::optional<uint32_t> frames;
  std::string inputPath;
  std::vector<ScriptEvent> events;
  std::vector<Screenshot> screenshots;
  std::vector<uint32_t> whereFrames;  // sorted
  std::optional<uint64_t> clockStart;
  // The display device WinMain opens: "GDI", "DDRAW" or "AUTO".
  std::u16string displayType = u"GDI";
};

enum class OptionsOutcome { run, help, bad };

// Reads argv (and the script file named by --input). bad: message holds the
// reason ("file:line: ..." for a script); the caller exits with status 2.
OptionsOutcome parseHarnessOptions(int argc, const char* const* argv, HarnessOptions& options, std::string& message);

// Exit status when the program ran well but the harness could not do all it
// was asked (a screenshot not written, or its frame never came).
inline constexpr int harnessFailedExitCode = 3;

class Harness {
 public:
  explicit Harness(HarnessOptions options);
  ~Harness();
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  // On the thread that then calls WinMain, before any other thread exists:
  // chooses the back end, installs the clock, holds the UI thread for
  // lock-step when there are frames to play, and turns SIGINT and SIGTERM
  // into a window close.
  void start();
  // After WinMain returned: lets the harness's threads end. False when
  // something asked of the harness was not done (already logged).
  bool finish();

 private:
  bool playsFrames() const;
  void playFrames();
  void deliver(const ScriptEvent& event);
  void takeScreenshots(uint32_t frame);
  void reportWhere(uint32_t frame);
  void logWhere(uint32_t frame);
  void writeScreenshot(uint32_t frame, const std::string& path);
  void watchSignals();

  HarnessOptions m_options;
  std::atomic<bool> m_programEnded{false};
  std::atomic<bool> m_failed{false};
  uint32_t m_frameReached = 0;
  size_t m_screenshotsTaken = 0;
  size_t m_whereReported = 0;
  std::thread m_player;
  std::thread m_signalWatcher;
  bool m_signalsBlocked = false;
};
