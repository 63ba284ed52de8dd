// The WAV parser over any bytes: whatever it accepts must describe PCM that
// lies wholly inside the input and that the wave-out device can play.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_require.h"
#include "runtime/media/decode/WavParse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mediadecode::WavLayout layout{};
  if (!mediadecode::parseWavFile(data, size, &layout)) return 0;
  const WAVEFORMATEX& format = layout.format;
  require(format.wFormatTag == WAVE_FORMAT_PCM);
  require(format.nChannels == 1 || format.nChannels == 2);
  require(format.wBitsPerSample == 8 || format.wBitsPerSample == 16);
  require(format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8);
  require(layout.pcmOffset <= size && layout.pcmLength <= size - layout.pcmOffset);
  require(layout.pcmLength % format.nBlockAlign == 0);
  // Read every PCM byte, so that the sanitizer sees any that lies outside.
  unsigned sum = 0;
  for (size_t index = 0; index < layout.pcmLength; ++index) sum += data[layout.pcmOffset + index];
  require(mediadecode::wavDurationMicroseconds(format, int64_t(size)) >= 0);
  return int(sum & 0);
}
