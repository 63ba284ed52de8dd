#pragma once
// The UI thread's loop: power events, the message queue, the orientation
// check, and a safepoint for the collector every pass.
#include <optional>

class ApplicationImpl;

// Dispatches every waiting message. The exit code once WM_QUIT arrives (the
// messages after it stay queued); nothing otherwise.
std::optional<int> pumpMessages();
// Runs until the MIDlet ends or WM_QUIT comes, shuts the runtime down, and
// answers the exit code (0, or WM_QUIT's).
int mainLoop(ApplicationImpl& host);
