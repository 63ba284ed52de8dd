#include "app/Harness.h"

#include <pthread.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include "app/Screenshot.h"
#include "game/GameStatics.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActor.h"
#include "wince/clock.h"
#include "wince/display_screen.h"
#include "wince/driver.h"
#include "wince/log.h"
#include "wince/window.h"
#include "wince/window_options.h"

const char* const harnessUsage =
    "usage: quendrill [options]\n"
    "  --installed DIR        the installed folder, which holds data.bar\n"
    "                         (default: data beside the executable, else ../data)\n"
    "  --data DIR             the user's data folder (default: $XDG_DATA_HOME/corvanta)\n"
    "  --headless             no window and no sound card; the same program otherwise\n"
    "                         (also QUENDRILL_HEADLESS=1; chosen by itself when neither\n"
    "                         DISPLAY nor WAYLAND_DISPLAY nor SDL_VIDEODRIVER is set)\n"
    "  --frames N             run N frames, then close the window as the user would\n"
    "  --input FILE           play the timed events of FILE (format below)\n"
    "  --screenshot F:PATH    write the screen as presented at frame F to PATH as a\n"
    "                         PNG (800x480 RGB); may be given more than once; a PATH\n"
    "                         that exists must be a regular file (not a link or a\n"
    "                         device), else the screenshot is not taken\n"
    "  --where F              log where the focus character stands at frame F (with\n"
    "                         --clock, while the game's threads wait); may be given\n"
    "                         more than once\n"
    "  --clock MS             a fixed clock starting at MS milliseconds that moves only\n"
    "                         by what the program sleeps; while frames are played\n"
    "                         each frame lets the game's own threads run one 62 ms\n"
    "                         frame: runs repeat exactly\n"
    "  --display TYPE         the display device to open: GDI (the default), DDRAW\n"
    "                         or AUTO; this host has no DirectDraw, so DDRAW fails\n"
    "  --help                 this text\n"
    "\n"
    "Frames. Frame 0 is the program just started: its window, runtime and MIDlet\n"
    "are up and its UI thread waits at its empty message queue. Each frame after\n"
    "is one more pass of the main loop (two 5 ms sleeps, then every waiting\n"
    "message). While there are frames to play (--frames, --input or --screenshot)\n"
    "the UI thread moves in lock-step with the harness: at each frame the harness\n"
    "first takes that frame's screenshots, then delivers that frame's events, which\n"
    "the program handles in the next pass. After the last frame of --frames the\n"
    "window gets WM_CLOSE; without --frames the program runs on freely after the\n"
    "last scripted frame. SIGINT and SIGTERM close the window too; one more, a\n"
    "second or more later, ends the process at once.\n"
    "\n"
    "Input script: one event a line, '#' starts a comment, names ignore case.\n"
    "  <frame> pen down|move|up <x> <y>     the pen at screen coordinates\n"
    "  <frame> tap <x> <y>                  pen down and up at one place\n"
    "  <frame> mouse down|move|up <x> <y>   the host's pointer at window coordinates,\n"
    "                                       through the window's scaling\n"
    "  <frame> key down|up <key>            a name (ENTER, LEFT, F1, A, 7) or a\n"
    "                                       virtual-key number (12, 0x25)\n"
    "  <frame> focus lost|gained\n"
    "  <frame> power <flag>...              on off idle suspend unattended critical\n"
    "                                       boot reset, or a number\n"
    "  <frame> rotate 0|90|180|270          turn the display\n"
    "  <frame> close                        the user closes the window\n"
    "\n"
    "Exit status: 0 after a normal run or when another copy already runs, 1 when\n"
    "data.bar is missing or damaged, 2 for bad options or script lines (file:line),\n"
    "3 when the run went well but a screenshot could not be taken, 255 when the\n"
    "window, the display or the runtime cannot start.\n";

namespace {

// Under the fixed clock each harness frame lets the program's gated threads
// (the game thread and the sound server) run one frame of the game's 62 ms.
constexpr int gatedThreads = 2;
constexpr uint64_t gatedFramePeriod = 62;
// Longer only when a gated thread has ended (the game closing).
constexpr std::chrono::milliseconds settleTimeout{2000};

// GetTickCount wraps at 2^32 as the device's does; 2^48 ms is 8,900 years.
constexpr uint64_t latestClockStart = uint64_t(1) << 48;
constexpr uint32_t mostFrames = 10'000'000;

std::optional<uint64_t> parseWhole(std::string_view text, uint64_t highest) {
  uint64_t value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size() || value > highest) {
    return std::nullopt;
  }
  return value;
}

bool scriptWaits(const std::vector<ScriptEvent>& events) {
  return std::any_of(events.begin(), events.end(),
                     [](const ScriptEvent& e) { return e.kind == ScriptEvent::Kind::waitState; });
}

bool environmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

OptionsOutcome parseHarnessOptions(int argc, const char* const* argv, HarnessOptions& options, std::string& message) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") return OptionsOutcome::help;
    if (option == "--headless") {
      options.headless = true;
      continue;
    }
    const bool takesValue = option == "--installed" || option == "--data" || option == "--frames" ||
                            option == "--input" || option == "--screenshot" || option == "--clock" ||
                            option == "--display" || option == "--where";
    if (!takesValue) {
      message = "unknown option " + std::string(option);
      return OptionsOutcome::bad;
    }
    if (i + 1 >= argc) {
      message = std::string(option) + " needs a value";
      return OptionsOutcome::bad;
    }
    const std::string_view value = argv[++i];
    if (option == "--installed") {
      options.folders.installedFolder = value;
    } else if (option == "--data") {
      options.folders.dataFolder = value;
    } else if (option == "--frames") {
      const std::optional<uint64_t> frames = parseWhole(value, mostFrames);
      if (!frames) {
        message = "--frames takes a whole number from 0 to " + std::to_string(mostFrames) + ", not '" +
                  std::string(value) + "'";
        return OptionsOutcome::bad;
      }
      options.frames = uint32_t(*frames);
    } else if (option == "--input") {
      options.inputPath = value;
      ScriptError error;
      if (!readInputScript(options.inputPath, options.events, error)) {
        message = error.text();
        return OptionsOutcome::bad;
      }
    } else if (option == "--screenshot") {
      const size_t colon = value.find(':');
      const std::optional<uint64_t> frame =
          colon == std::string_view::npos ? std::nullopt : parseWhole(value.substr(0, colon), mostFrames);
      if (!frame || colon + 1 >= value.size()) {
        message = "--screenshot takes FRAME:PATH, not '" + std::string(value) + "'";
        return OptionsOutcome::bad;
      }
      options.screenshots.push_back({uint32_t(*frame), std::string(value.substr(colon + 1))});
    } else if (option == "--where") {
      const std::optional<uint64_t> frame = parseWhole(value, mostFrames);
      if (!frame) {
        message = "--where takes a frame number, not '" + std::string(value) + "'";
        return OptionsOutcome::bad;
      }
      options.whereFrames.push_back(uint32_t(*frame));
    } else if (option == "--clock") {
      const std::optional<uint64_t> start = parseWhole(value, latestClockStart);
      if (!start) {
        message = "--clock takes milliseconds from 0 to 2^48, not '" + std::string(value) + "'";
        return OptionsOutcome::bad;
      }
      options.clockStart = *start;
    } else {
      std::string type(value);
      for (char& c : type) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
      }
      if (type != "GDI" && type != "DDRAW" && type != "AUTO") {
        message = "--display takes GDI, DDRAW or AUTO, not '" + std::string(value) + "'";
        return OptionsOutcome::bad;
      }
      options.displayType.assign(type.begin(), type.end());
    }
  }
  if (options.frames) {
    for (const HarnessOptions::Screenshot& shot : options.screenshots) {
      if (shot.frame > *options.frames) {
        message = "--screenshot at frame " + std::to_string(shot.frame) + " comes after the last frame " +
                  std::to_string(*options.frames);
        return OptionsOutcome::bad;
      }
    }
  }
  const bool scriptLooks = std::any_of(options.events.begin(), options.events.end(),
                                      [](const ScriptEvent& e) { return e.kind == ScriptEvent::Kind::where; });
  if ((!options.whereFrames.empty() || scriptLooks) && !options.clockStart) {
    message = "--where needs --clock: the game's threads must wait while it looks";
    return OptionsOutcome::bad;
  }
  if (scriptWaits(options.events) && (!options.clockStart || !options.frames)) {
    // Only the held game thread shows a state that stands still, and only a
    // frame count bounds a wait that is never met.
    message = "a script that waits needs --clock and --frames";
    return OptionsOutcome::bad;
  }
  std::sort(options.whereFrames.begin(), options.whereFrames.end());
  std::stable_sort(options.screenshots.begin(), options.screenshots.end(),
                   [](const auto& a, const auto& b) { return a.frame < b.frame; });
  return OptionsOutcome::run;
}

Harness::Harness(HarnessOptions options) : m_options(std::move(options)) {}

Harness::~Harness() { finish(); }

bool Harness::playsFrames() const {
  return m_options.frames.has_value() || !m_options.events.empty() || !m_options.screenshots.empty() ||
         !m_options.whereFrames.empty();
}

void Harness::start() {
  wince::WindowOptions windowOptions = wince::windowOptions();
  if (m_options.headless) {
    windowOptions.backend = wince::BackendChoice::headless;
  } else if (windowOptions.backend != wince::BackendChoice::headless && !environmentSet("DISPLAY") &&
             !environmentSet("WAYLAND_DISPLAY") && !environmentSet("SDL_VIDEODRIVER")) {
    // SDL would only probe for a console display it cannot use.
    logPrintf("No display (DISPLAY and WAYLAND_DISPLAY are unset): running headless\n");
    windowOptions.backend = wince::BackendChoice::headless;
  }
  wince::setWindowOptions(windowOptions);
  if (m_options.clockStart) {
    wince::useFakeClock(*m_options.clockStart, true);
    // Lock-step frames: the program's other threads (the game's and its
    // sound server's) each run one frame's work per harness frame.
    if (playsFrames()) wince::gateSleepsExceptCallingThread();
  }
  if (m_options.frames && !scriptWaits(m_options.events)) {
    for (const ScriptEvent& event : m_options.events) {
      if (event.frame > *m_options.frames) {
        logPrintf("Harness: the script's events after frame %u are not played (--frames %u)\n", *m_options.frames,
                  *m_options.frames);
        break;
      }
    }
  }

  // Every thread started from here on inherits the mask; the watcher alone
  // takes the signals.
  sigset_t closing;
  sigemptyset(&closing);
  sigaddset(&closing, SIGINT);
  sigaddset(&closing, SIGTERM);
  m_signalsBlocked = pthread_sigmask(SIG_BLOCK, &closing, nullptr) == 0;
  if (m_signalsBlocked) m_signalWatcher = std::thread([this] { watchSignals(); });

  if (playsFrames()) {
    wince::driver::holdCallingThreadAtEmptyQueue();
    m_player = std::thread([this] { playFrames(); });
  }
}

bool Harness::finish() {
  if (m_programEnded.exchange(true)) return !m_failed;
  wince::driver::releaseHeldThread();
  if (m_player.joinable()) m_player.join();
  if (m_signalWatcher.joinable()) {
    pthread_kill(m_signalWatcher.native_handle(), SIGTERM);
    m_signalWatcher.join();
  }
  for (size_t i = m_screenshotsTaken; i < m_options.screenshots.size(); ++i) {
    logPrintf("Harness: no screenshot of frame %u for %s: the run ended at frame %u\n",
              m_options.screenshots[i].frame, m_options.screenshots[i].path.c_str(), m_frameReached);
    m_failed = true;
  }
  return !m_failed;
}

void Harness::playFrames() {
  wince::driver::waitUntilHeld();
  uint32_t lastFrame = m_options.frames.value_or(0);
  if (!m_options.frames) {
    if (!m_options.events.empty()) lastFrame = std::max(lastFrame, m_options.events.back().frame);
    if (!m_options.screenshots.empty()) lastFrame = std::max(lastFrame, m_options.screenshots.back().frame);
    if (!m_options.whereFrames.empty()) lastFrame = std::max(lastFrame, m_options.whereFrames.back());
  }
  size_t nextEvent = 0;
  // The frame the script's current part counts from, and the GameState its
  // wait looks for (-1: none).
  uint32_t base = 0;
  int32_t waitingFor = -1;
  const bool gated = m_options.clockStart.has_value();
  // The game's thread and its sound server reach their first sleep.
  if (gated) wince::waitForGatedSleepers(gatedThreads, settleTimeout);
  for (uint32_t frame = 0; !m_programEnded; ++frame) {
    m_frameReached = frame;
    takeScreenshots(frame);
    reportWhere(frame);
    while (true) {
      if (waitingFor >= 0) {
        // The game's thread is held between frames: its state stands still.
        if (shell::machine().currentState != waitingFor) break;
        logPrintf("Harness: frame %u: GameState %d, the script goes on\n", frame, waitingFor);
        waitingFor = -1;
        base = frame;
      }
      if (nextEvent == m_options.events.size() || base + m_options.events[nextEvent].frame != frame) break;
      const ScriptEvent& event = m_options.events[nextEvent++];
      if (event.kind == ScriptEvent::Kind::waitState) {
        waitingFor = int32_t(event.value);
      } else {
        deliver(event);
      }
    }
    if (frame >= lastFrame) {
      // From here the program runs freely, and closing joins its threads.
      logPrintf("Harness: the script ends at frame %u\n", frame);
      if (gated) wince::stopGatingSleeps();
      if (m_options.frames) wince::driver::close();
      break;
    }
    wince::driver::stepFrame();
    if (gated) wince::releaseGatedSleepers(gatedFramePeriod, settleTimeout);
  }
  wince::driver::releaseHeldThread();
}

void Harness::deliver(const ScriptEvent& event) {
  using Kind = ScriptEvent::Kind;
  switch (event.kind) {
    case Kind::penDown:
      wince::driver::penDown(event.x, event.y);
      break;
    case Kind::penMove:
      wince::driver::penMove(event.x, event.y);
      break;
    case Kind::penUp:
      wince::driver::penUp(event.x, event.y);
      break;
    case Kind::mouseDown:
      wince::driver::hostPointer(WM_LBUTTONDOWN, event.x, event.y);
      break;
    case Kind::mouseMove:
      wince::driver::hostPointer(WM_MOUSEMOVE, event.x, event.y);
      break;
    case Kind::mouseUp:
      wince::driver::hostPointer(WM_LBUTTONUP, event.x, event.y);
      break;
    case Kind::keyDown:
    case Kind::keyUp:
      wince::driver::key(event.value, event.kind == Kind::keyDown);
      break;
    case Kind::focusLost:
    case Kind::focusGained:
      wince::driver::focus(event.kind == Kind::focusGained);
      break;
    case Kind::power:
      wince::driver::power(event.value);
      break;
    case Kind::rotate:
      wince::driver::rotate(event.value);
      break;
    case Kind::close:
      logPrintf("Harness: frame %u: close\n", m_frameReached);
      wince::driver::close();
      break;
    case Kind::screenshot:
      writeScreenshot(m_frameReached, event.path);
      break;
    case Kind::where:
      logWhere(m_frameReached);
      break;
    case Kind::waitState:
      break;
  }
}

void Harness::reportWhere(uint32_t frame) {
  while (m_whereReported < m_options.whereFrames.size() && m_options.whereFrames[m_whereReported] == frame) {
    ++m_whereReported;
    logWhere(frame);
  }
}

void Harness::logWhere(uint32_t frame) {
  const cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr) {
    logPrintf("Harness: frame %u: no focus character\n", frame);
  } else {
    logPrintf("Harness: frame %u: the focus character stands at %d,%d\n", frame, focus->getPixelX(),
              focus->getPixelY());
  }
}

void Harness::takeScreenshots(uint32_t frame) {
  while (m_screenshotsTaken < m_options.screenshots.size() &&
         m_options.screenshots[m_screenshotsTaken].frame == frame) {
    writeScreenshot(frame, m_options.screenshots[m_screenshotsTaken++].path);
  }
}

void Harness::writeScreenshot(uint32_t frame, const std::string& path) {
  const std::vector<uint16_t> pixels = wince::driver::presentedFrame();
  std::string error;
  if (writeScreenshotPng(path, pixels, wince::screen().width(), wince::screen().height(), error)) {
    logPrintf("Harness: frame %u written to %s\n", frame, path.c_str());
  } else {
    logPrintf("Harness: screenshot of frame %u not written: %s\n", frame, error.c_str());
    m_failed = true;
  }
}

void Harness::watchSignals() {
  sigset_t closing;
  sigemptyset(&closing);
  sigaddset(&closing, SIGINT);
  sigaddset(&closing, SIGTERM);
  std::optional<std::chrono::steady_clock::time_point> closeSent;
  for (;;) {
    int signal = 0;
    if (sigwait(&closing, &signal) != 0 || m_programEnded) return;
    const auto now = std::chrono::steady_clock::now();
    if (!closeSent) {
      logPrintf("Signal %d: closing the window\n", signal);
      wince::driver::close();
      closeSent = now;
    } else if (now - *closeSent >= std::chrono::seconds(1)) {
      // Asked again, well after the close: the program did not end on it.
      logPrintf("Signal %d again: ending the process\n", signal);
      std::_Exit(128 + signal);
    }
    // A wrapper and the terminal often both pass on one Ctrl-C: that is the
    // same request.
  }
}
