#pragma once
// Display settings: the panel's orientation. The host picture does not turn;
// the orientation is a value the program reads, sets and watches, and that
// the test driver changes as a user rotating the device would.
#include "wince/types.h"

struct DEVMODEW {
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFrequency;
  DWORD dmDisplayOrientation;
  WCHAR dmDeviceName[32];
};

constexpr DWORD DM_DISPLAYORIENTATION = 0x00800000;
constexpr DWORD CDS_TEST = 0x00000002;
constexpr DWORD CDS_RESET = 0x40000000;
constexpr DWORD DMDO_0 = 0;
constexpr DWORD DMDO_90 = 1;
constexpr DWORD DMDO_180 = 2;
constexpr DWORD DMDO_270 = 4;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr LONG DISP_CHANGE_BADFLAGS = -4;
constexpr LONG DISP_CHANGE_BADPARAM = -5;

// With CDS_TEST and DM_DISPLAYORIENTATION: reads the orientation into the
// mode. With CDS_RESET: sets it; a change tells every top-level window with
// WM_SETTINGCHANGE.
LONG ChangeDisplaySettingsEx(LPCWSTR deviceName, DEVMODEW* mode, HWND window, DWORD flags, void* parameter);

namespace wince {

DWORD displayOrientation();
// As the user turning the device: sets it and announces the change.
void rotateDisplay(DWORD orientation);
// How many times the program set the orientation.
int programOrientationChanges();
// Back to DMDO_270 with no changes counted, for a fresh test.
void resetDisplayOrientation();

}  // namespace wince
