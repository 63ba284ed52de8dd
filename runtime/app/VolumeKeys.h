#pragma once
// The hardware volume keys: one step of 0x1999 up or down on both channels of
// the wave-out volume word, saturating at 0 and 0xFFFF.
#include <cstdint>

// The word after one step; each 16-bit half steps on its own.
uint32_t volumeStepped(uint32_t volume, bool up);
void volumeUp();
void volumeDown();
