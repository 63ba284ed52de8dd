#include "wince/waveout.h"

#include "wince/audio_device.h"

using wince::AudioDevice;

UINT waveOutGetNumDevs() { return AudioDevice::instance().deviceCount(); }

MMRESULT waveOutGetDevCaps(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT capsSize) {
  return AudioDevice::instance().capabilities(deviceId, caps, capsSize);
}

MMRESULT waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
  return AudioDevice::instance().open(waveOut, deviceId, format, callback, instance, flags);
}

MMRESULT waveOutClose(HWAVEOUT waveOut) { return AudioDevice::instance().close(waveOut); }

MMRESULT waveOutPrepareHeader(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  return AudioDevice::instance().prepare(waveOut, header, headerSize);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  return AudioDevice::instance().unprepare(waveOut, header, headerSize);
}

MMRESULT waveOutWrite(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  return AudioDevice::instance().write(waveOut, header, headerSize);
}

MMRESULT waveOutReset(HWAVEOUT waveOut) { return AudioDevice::instance().reset(waveOut); }
MMRESULT waveOutPause(HWAVEOUT waveOut) { return AudioDevice::instance().pause(waveOut, true); }
MMRESULT waveOutRestart(HWAVEOUT waveOut) { return AudioDevice::instance().pause(waveOut, false); }

MMRESULT waveOutGetPosition(HWAVEOUT waveOut, MMTIME* time, UINT timeSize) {
  return AudioDevice::instance().position(waveOut, time, timeSize);
}

MMRESULT waveOutGetVolume(HWAVEOUT waveOut, DWORD* volume) { return AudioDevice::instance().volume(waveOut, volume); }
MMRESULT waveOutSetVolume(HWAVEOUT waveOut, DWORD volume) { return AudioDevice::instance().setVolume(waveOut, volume); }

MMRESULT waveOutGetPlaybackRate(HWAVEOUT waveOut, DWORD* rate) {
  return AudioDevice::instance().playbackRate(waveOut, rate);
}

MMRESULT waveOutSetPlaybackRate(HWAVEOUT waveOut, DWORD rate) {
  return AudioDevice::instance().setPlaybackRate(waveOut, rate);
}

namespace wince {

bool selectAudioBackend(AudioChoice choice) { return AudioDevice::instance().select(choice); }
const char* audioBackendName() { return AudioDevice::instance().backendName(); }
void waitForAudioCallbacks() { AudioDevice::instance().waitForCallbacks(); }

}  // namespace wince
