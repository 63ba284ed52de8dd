#pragma once
// RIFF WAVE files held in memory: where their PCM lies and how the device
// must play it. Pure functions over the caller's bytes.
#include <cstddef>
#include <cstdint>

#include "wince/waveout.h"

namespace mediadecode {

struct WavLayout {
  // PCM, 1 or 2 channels of 8 or 16 bits; block align and byte rate are
  // those the samples need, whatever the file claimed.
  WAVEFORMATEX format;
  size_t pcmOffset;  // from the start of the file
  size_t pcmLength;  // whole frames, all inside the file; may be 0
};

// Walks the file's chunks (any order, odd sizes padded, unknown chunks such
// as LIST skipped). A data chunk that claims more than the file holds is cut
// to what is there. False, with a log line, for a file shorter than its
// header, one without "RIFF"/"WAVE", a fmt or a data chunk, or one the
// device cannot play (not PCM, other channel counts or sample sizes).
bool parseWavFile(const uint8_t* file, size_t fileLength, WavLayout* layout);

// The player's duration rule: B = (rate / 1000) x channels x bits / 8 bytes
// per millisecond, truncated; (fileLength / B) x 1000 microseconds, or 0 when
// B is 0.
int64_t wavDurationMicroseconds(const WAVEFORMATEX& format, int64_t fileLength);

}  // namespace mediadecode
