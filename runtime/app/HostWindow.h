#pragma once
// The UI thread's window side: the one window, its procedure, and the
// process-wide state that procedure keeps (focus, pen, power and
// orientation). Input reaches the game only once the Application is
// published, and only when it has a current Displayable.
#include <cstdint>

#include "runtime/display/PowerAndOrientation.h"
#include "wince/gdi.h"
#include "wince/types.h"

class Application;

struct HostWindow {
  char16_t programDirectory[260] = {};
  uint8_t pointerScalingOn = 0;
  uint8_t smoothStretchOption = 0;
  // When 1, WinMain sends the log to log.txt in the program's folder; off in
  // this configuration.
  uint8_t logToFile = 0;
  // Set when focus goes: a pen release whose press never reached the game
  // is dropped, with the moves before it.
  uint8_t suppressPen = 0;
  // The game saw the press of the pen that is down now.
  uint8_t penPressDelivered = 0;
  Application* application = nullptr;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC windowDC = nullptr;
  uint8_t windowActive = 0;
  uint8_t teardownDone = 0;
  UINT imeVirtualKey = 0;
  PowerAndOrientation power;
};

inline constexpr const char16_t* windowClassName = u"CorvantaClass";
inline constexpr const char16_t* windowTitle = u"Corvanta - Quendrill";
// SHFullScreen: hide, and show, the taskbar, input-panel button and start icon.
inline constexpr DWORD fullScreenHideBars = 42;
inline constexpr DWORD fullScreenShowBars = 21;

HostWindow& hostWindow();
// Forgets an earlier run's window side (a test may run the program twice).
void resetHostWindow();

BOOL InitInstance(HINSTANCE instance, int showCommand);
LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Once only: power notifications off, the runtime shut down, the user's
// orientation back, the taskbar shown again.
void shutdownWindow();
// The program file's folder, ending with a backslash.
void getProgramDirectory(char16_t* buffer);
// Reopens the log (standard output) on programDirectory + "log.txt", a file
// of the user's data folder; false, with the log left where it was, when the
// file cannot be opened.
bool openLogFile(const char16_t* programDirectory);
