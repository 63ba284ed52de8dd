#include "wince/window_options.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace wince {

namespace {

bool environmentSwitch(const char* name) {
  const char* value = std::getenv(name);
  return value && *value && std::strcmp(value, "0") != 0;
}

struct OptionsState {
  std::mutex mutex;
  bool set = false;
  WindowOptions options;
};

OptionsState& optionsState() {
  static OptionsState* state = new OptionsState;  // outlives exit() from any thread
  return *state;
}

}  // namespace

WindowOptions windowOptions() {
  OptionsState& state = optionsState();
  std::lock_guard lock(state.mutex);
  if (!state.set) {
    state.options.backend =
        environmentSwitch("QUENDRILL_HEADLESS") ? BackendChoice::headless : BackendChoice::automatic;
    state.options.fullScreen = environmentSwitch("QUENDRILL_FULLSCREEN");
    state.set = true;
  }
  return state.options;
}

void setWindowOptions(const WindowOptions& options) {
  OptionsState& state = optionsState();
  std::lock_guard lock(state.mutex);
  state.options = options;
  state.set = true;
}

}  // namespace wince
