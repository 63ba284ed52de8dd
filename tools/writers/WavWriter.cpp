#include "tools/writers/WavWriter.h"

#include <stdexcept>

namespace tools {
namespace {

void putLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int index = 0; index < bytes; ++index) out.push_back(uint8_t(value >> (8 * index)));
}

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<uint8_t> writeWav(const std::vector<int16_t>& samples, uint32_t rate) {
  constexpr uint32_t headerBytes = 44, channels = 1, bytesPerSample = 2;
  if (samples.size() > (0x7FFFFFFFu - headerBytes) / bytesPerSample)
    throw std::runtime_error("a sound of " + std::to_string(samples.size()) + " samples is too long for a WAV file");
  const auto dataBytes = uint32_t(samples.size() * bytesPerSample);
  std::vector<uint8_t> out;
  out.reserve(headerBytes + dataBytes);
  putTag(out, "RIFF");
  putLittle(out, headerBytes - 8 + dataBytes, 4);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  putLittle(out, 16, 4);
  putLittle(out, 1, 2);  // PCM
  putLittle(out, channels, 2);
  putLittle(out, rate, 4);
  putLittle(out, rate * channels * bytesPerSample, 4);
  putLittle(out, channels * bytesPerSample, 2);
  putLittle(out, 8 * bytesPerSample, 2);
  putTag(out, "data");
  putLittle(out, dataBytes, 4);
  for (int16_t sample : samples) putLittle(out, uint16_t(sample), 2);
  return out;
}

}  // namespace tools
