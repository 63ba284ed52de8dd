#pragma once
// Where the wave-out device plays. Chosen on first use of the device unless
// chosen before:
//   automatic  SDL's audio device; none when SDL cannot open one or when the
//              window options ask for a headless run (no sound card)
//   sdl        SDL's audio device, else none
//   null       no sound: voices advance with GetTickCount (the fake clock in
//              tests) and finish on time, deterministically
//   none       no device: waveOutGetNumDevs answers 0 and opening fails
namespace wince {

enum class AudioChoice { automatic, sdl, null, none };

// False, with a log line, while a wave-out handle is open.
bool selectAudioBackend(AudioChoice choice);
// "sdl", "null" or "none".
const char* audioBackendName();
// Brings the null device's voices up to the tick count and returns once
// every callback due so far has returned. Other devices: only the latter.
void waitForAudioCallbacks();

}  // namespace wince
