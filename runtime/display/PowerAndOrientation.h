#pragma once
// Keeps the display in the orientation the game is drawn for while the
// program has the screen, gives the user's orientation back when it leaves,
// and pauses the game while the orientation is wrong or the device sleeps.
// Runs on the UI thread (window procedure and main loop).
#include "wince/types.h"

// What pausing needs of the application; the runtime's application object
// implements it. pause and resume are idempotent there.
class PauseTarget {
 public:
  virtual void pause() = 0;
  virtual void resume() = 0;
  // While set, the game's repaints draw nothing (the main loop clears it
  // at the start of every pass).
  virtual void setRepaintSkip() = 0;
  // A focus change pauses or starts the MIDlet by itself; whatever pause
  // was marked before no longer holds.
  virtual void clearPaused() = 0;

 protected:
  ~PauseTarget() = default;
};

// DMDO_270: the orientation in which the 800 x 480 picture is shown.
constexpr DWORD wantedDisplayOrientation = 4;

DWORD getDisplayOrientation();
void setDisplayOrientation(DWORD orientation);
// Black screen, text in red centred in the lower half, straight on the window.
void drawPleaseWait(HWND window, const char16_t* text);

class PowerAndOrientation {
 public:
  // WM_CREATE: the orientation the user had before the program came.
  void recordUserOrientation();
  DWORD userOrientation() const { return m_userOrientation; }
  // WM_SETFOCUS: the wanted orientation when it differs.
  void enforceWantedOrientation();
  // WM_KILLFOCUS and teardown.
  void restoreUserOrientation();
  // WM_SETTINGCHANGE while the window is active: a rotation by the user is
  // remembered as theirs and turned back.
  void watchSettingChange();

  // WM_SETFOCUS and WM_KILLFOCUS: the focus change has paused or started
  // the MIDlet, and a power-on sent while the queue was closed never comes,
  // so every pause cause is dropped.
  void resetPauseCauses(PauseTarget& target);

  void registerPowerNotifications();
  void stopPowerNotifications();
  // First step of each main-loop pass.
  void drainPowerQueue(PauseTarget& target);
  // Each main-loop pass while the display is active: 1 when the orientation
  // is right, 0 when it had to be set (the game is paused until it is).
  int checkOrientation(PauseTarget& target, HWND window, const char16_t* pleaseWaitText);

 private:
  void forceWantedOrientation();
  // The game stays paused while any cause holds: a power-off pause is not
  // undone by an orientation check that finds the orientation right, nor an
  // orientation pause by the power coming back.
  void setPauseCauses(PauseTarget& target, bool byPower, bool byOrientation);

  DWORD m_userOrientation = 0;
  bool m_orientationForced = false;
  bool m_pausedByPower = false;
  bool m_pausedByOrientation = false;
  HANDLE m_powerQueue = nullptr;
  HANDLE m_powerNotifications = nullptr;
};
