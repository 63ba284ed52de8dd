#include "wince/input_volume.h"

#include <atomic>

namespace {

std::atomic<DWORD> deviceVolume{0xFFFFFFFF};

}  // namespace

MMRESULT waveOutGetVolume(HWAVEOUT, DWORD* volume) {
  if (!volume) return MMSYSERR_INVALPARAM;
  *volume = deviceVolume;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT, DWORD volume) {
  deviceVolume = volume;
  return MMSYSERR_NOERROR;
}
