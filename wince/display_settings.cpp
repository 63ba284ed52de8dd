#include "wince/display_settings.h"

#include <mutex>

#include "wince/log.h"
#include "wince/window_input.h"

namespace {

struct OrientationState {
  std::mutex mutex;
  DWORD orientation = DMDO_270;  // the device starts in the landscape the program wants
  int programChanges = 0;
};

OrientationState& orientationState() {
  static OrientationState* state = new OrientationState;  // outlives exit() from any thread
  return *state;
}

bool validOrientation(DWORD orientation) {
  return orientation == DMDO_0 || orientation == DMDO_90 || orientation == DMDO_180 || orientation == DMDO_270;
}

// True when the value changed.
bool storeOrientation(DWORD orientation, bool byProgram) {
  OrientationState& state = orientationState();
  std::lock_guard lock(state.mutex);
  if (byProgram) ++state.programChanges;
  if (state.orientation == orientation) return false;
  state.orientation = orientation;
  return true;
}

}  // namespace

LONG ChangeDisplaySettingsEx(LPCWSTR, DEVMODEW* mode, HWND, DWORD flags, void*) {
  if (!mode) return DISP_CHANGE_BADPARAM;
  if (!(mode->dmFields & DM_DISPLAYORIENTATION)) return DISP_CHANGE_BADMODE;
  if (flags & CDS_TEST) {
    mode->dmDisplayOrientation = wince::displayOrientation();
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(flags & CDS_RESET)) return DISP_CHANGE_BADFLAGS;
  if (!validOrientation(mode->dmDisplayOrientation)) {
    logPrintf("ChangeDisplaySettingsEx: orientation %u refused\n", mode->dmDisplayOrientation);
    return DISP_CHANGE_BADMODE;
  }
  if (storeOrientation(mode->dmDisplayOrientation, true)) wince::deliverSettingChange();
  return DISP_CHANGE_SUCCESSFUL;
}

namespace wince {

DWORD displayOrientation() {
  OrientationState& state = orientationState();
  std::lock_guard lock(state.mutex);
  return state.orientation;
}

void rotateDisplay(DWORD orientation) {
  if (!validOrientation(orientation)) {
    logPrintf("rotateDisplay: orientation %u refused\n", orientation);
    return;
  }
  if (storeOrientation(orientation, false)) deliverSettingChange();
}

int programOrientationChanges() {
  OrientationState& state = orientationState();
  std::lock_guard lock(state.mutex);
  return state.programChanges;
}

void resetDisplayOrientation() {
  OrientationState& state = orientationState();
  std::lock_guard lock(state.mutex);
  state.orientation = DMDO_270;
  state.programChanges = 0;
}

}  // namespace wince
