#include "runtime/media/decode/WavParse.h"

#include <cstring>

#include "wince/log.h"

namespace mediadecode {

namespace {

constexpr size_t riffHeaderLength = 12;  // "RIFF", size, "WAVE"
constexpr size_t chunkHeaderLength = 8;  // id, size
constexpr uint32_t pcmFmtLength = 16;

uint16_t readLittle16(const uint8_t* bytes) { return uint16_t(bytes[0] | (bytes[1] << 8)); }
uint32_t readLittle32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24);
}
bool isTag(const uint8_t* bytes, const char* tag) { return std::memcmp(bytes, tag, 4) == 0; }

}  // namespace

bool parseWavFile(const uint8_t* file, size_t fileLength, WavLayout* layout) {
  if (!file || fileLength < riffHeaderLength) {
    logPrintf("WAV: %zu bytes are shorter than a RIFF header\n", file ? fileLength : size_t(0));
    return false;
  }
  if (!isTag(file, "RIFF") || !isTag(file + 8, "WAVE")) {
    logPrintf("WAV: no RIFF WAVE header\n");
    return false;
  }
  // Writers that stream leave the RIFF size at 0 or too large; then the file's
  // own length bounds the walk.
  const uint64_t riffLength = readLittle32(file + 4);
  const size_t end = riffLength >= 4 && riffLength <= fileLength - 8 ? size_t(riffLength + 8) : fileLength;

  const uint8_t* fmt = nullptr;
  bool haveData = false;
  size_t dataOffset = 0, dataLength = 0;
  size_t offset = riffHeaderLength;
  while (end - offset >= chunkHeaderLength && !(fmt && haveData)) {
    const uint8_t* chunk = file + offset;
    const uint32_t claimed = readLittle32(chunk + 4);
    const size_t body = offset + chunkHeaderLength;
    const size_t available = end - body;
    if (isTag(chunk, "fmt ") && !fmt) {
      if (claimed < pcmFmtLength || claimed > available) {
        logPrintf("WAV: fmt chunk claims %u bytes with %zu present; 16 are needed\n", claimed, available);
        return false;
      }
      fmt = file + body;
    } else if (isTag(chunk, "data") && !haveData) {
      haveData = true;
      dataOffset = body;
      dataLength = claimed;
      if (claimed > available) {
        logPrintf("WAV: data chunk claims %u bytes, %zu present; playing those\n", claimed, available);
        dataLength = available;
      }
    }
    // Chunks are padded to an even length.
    const uint64_t next = uint64_t(body) + claimed + (claimed & 1);
    if (next > end) break;
    offset = size_t(next);
  }
  if (!fmt) {
    logPrintf("WAV: no fmt chunk\n");
    return false;
  }
  if (!haveData) {
    logPrintf("WAV: no data chunk\n");
    return false;
  }

  const uint16_t tag = readLittle16(fmt);
  const uint16_t channels = readLittle16(fmt + 2);
  const uint32_t rate = readLittle32(fmt + 4);
  const uint16_t bits = readLittle16(fmt + 14);
  if (tag != WAVE_FORMAT_PCM) {
    logPrintf("WAV: format tag %u is not PCM\n", tag);
    return false;
  }
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0 || rate > 384000) {
    logPrintf("WAV: %u channel(s) of %u bits at %u Hz cannot be played\n", channels, bits, rate);
    return false;
  }
  const uint16_t blockAlign = uint16_t(channels * bits / 8);
  layout->format = WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * blockAlign, blockAlign, bits, 0};
  layout->pcmOffset = dataOffset;
  layout->pcmLength = dataLength - dataLength % blockAlign;
  return true;
}

int64_t wavDurationMicroseconds(const WAVEFORMATEX& format, int64_t fileLength) {
  const int64_t bytesPerMillisecond = int64_t(format.nSamplesPerSec / 1000) * format.nChannels * format.wBitsPerSample / 8;
  if (bytesPerMillisecond < 1) return 0;
  return fileLength / bytesPerMillisecond * 1000;
}

}  // namespace mediadecode
