#pragma once
// Choosing and opening the display device by its type name: "GDI", "DDRAW",
// or "AUTO" (DirectDraw, falling back to GDI), with the runtime's log lines.
#include "runtime/display/DisplayDevice.h"
#include "wince/types.h"

// Each device made is stored in *display before it is opened (a failed one
// stays there, closed, for the caller's shutdown to delete). Answers 1 on
// success, 0 on failure or for an unknown type (then *display is untouched).
int openDisplayDevice(LPCWSTR type, HWND window, DisplayDevice** display);
