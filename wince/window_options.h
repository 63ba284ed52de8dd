#pragma once
// How the stand-in shows the program: chosen before the first window opens.
// Defaults come from the environment: QUENDRILL_HEADLESS=1 (no window),
// QUENDRILL_FULLSCREEN=1 (SDL window full screen).
namespace wince {

enum class BackendChoice {
  automatic,  // SDL, or headless when SDL cannot open a display
  headless,
  sdl,  // SDL, still falling back to headless (with a log line)
};

struct WindowOptions {
  BackendChoice backend = BackendChoice::automatic;
  bool fullScreen = false;
};

WindowOptions windowOptions();
void setWindowOptions(const WindowOptions& options);

}  // namespace wince
