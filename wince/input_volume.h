#pragma once
// The wave-out device's volume word: left (or the only) channel in the low
// half, right in the high half. Device 0 is the one the volume keys step.
#include "wince/types.h"

struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;
using MMRESULT = UINT;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;

MMRESULT waveOutGetVolume(HWAVEOUT device, DWORD* volume);
MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);
