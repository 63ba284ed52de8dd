#pragma once
// What the executable hands WinMain: the game's class initialisers, the
// screen objects and the game's MIDlet.
#include "runtime/app/ApplicationImpl.h"

ApplicationStartup gameApplicationStartup();
