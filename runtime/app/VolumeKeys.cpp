#include "runtime/app/VolumeKeys.h"

#include "runtime/app/ApplicationImpl.h"
#include "wince/waveout.h"

namespace {

constexpr uint32_t volumeStep = 0x1999;
// From here one step up reaches the top.
constexpr uint32_t loudestBelowTop = 0xE665;

uint32_t stepChannel(uint32_t channel, bool up) {
  if (up) return channel >= loudestBelowTop ? 0xFFFFu : channel + volumeStep;
  return channel <= volumeStep ? 0u : channel - volumeStep;
}

// Both channels move alike, so a stereo device keeps its balance.
void stepVolume(bool up) {
  ApplicationImpl* host = ApplicationImpl::get();
  // Without a sound device the last word set stands in for its volume.
  DWORD volume = host != nullptr ? host->volume : 0;
  waveOutGetVolume(nullptr, &volume);
  volume = volumeStepped(volume, up);
  if (host != nullptr) host->volume = volume;
  waveOutSetVolume(nullptr, volume);
}

}  // namespace

uint32_t volumeStepped(uint32_t volume, bool up) {
  return stepChannel(volume & 0xFFFFu, up) | (stepChannel(volume >> 16, up) << 16);
}

void volumeUp() { stepVolume(true); }
void volumeDown() { stepVolume(false); }
