#include <atomic>
#include <mutex>
#include <vector>

#include "wince/backend/backend.h"
#include "wince/log.h"
#include "wince/window_options.h"

namespace wince::backend {

namespace {

struct BackendState {
  std::mutex mutex;
  // Replaced only while no window is open; a headless one stands in before.
  std::unique_ptr<Backend> current = makeHeadlessBackend();
  std::atomic<bool> chosen{false};
  // Other threads may still hold a back end that was replaced; keep it.
  std::vector<std::unique_ptr<Backend>> retired;
};

BackendState& backendState() {
  static BackendState* state = new BackendState;  // outlives exit() from any thread
  return *state;
}

}  // namespace

Backend& activeBackend() { return *backendState().current; }

bool backendChosen() { return backendState().chosen.load(); }

bool openBackendWindow(HWND window, int width, int height) {
  BackendState& state = backendState();
  std::lock_guard lock(state.mutex);
  const WindowOptions options = windowOptions();
  std::unique_ptr<Backend> chosen;
  if (options.backend != BackendChoice::headless) {
    chosen = makeSdlBackend(options.fullScreen);
    if (chosen && !chosen->openWindow(window, width, height)) chosen.reset();
    if (!chosen) logPrintf("Display: SDL cannot open a window here; running headless\n");
  }
  if (!chosen) {
    chosen = makeHeadlessBackend();
    if (!chosen->openWindow(window, width, height)) return false;
  }
  state.retired.push_back(std::move(state.current));
  state.current = std::move(chosen);
  state.chosen = true;
  return true;
}

}  // namespace wince::backend
