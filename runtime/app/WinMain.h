#pragma once
// The program's entry: one copy only, the window, the display, the runtime
// and the MIDlet, then the main loop until the end.
#include "runtime/app/ApplicationImpl.h"
#include "wince/types.h"

// 0 after a normal run or when another copy already runs; -1 when the
// window, the display or the runtime cannot start. The host object is the
// process's ApplicationImpl.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand,
            const ApplicationStartup& startup);
// The process's ApplicationImpl.
ApplicationImpl& processApplicationImpl();
