#pragma once
// Ogg Vorbis files decoded by Tremor into 16-bit PCM in host byte order
// (little-endian here), interleaved as the device plays it.
#include <cstddef>
#include <cstdint>

namespace mediadecode {

struct OggVorbisInfo {
  int version = 0;
  int channels = 0;
  int32_t rate = 0;
  int32_t bitrateUpper = 0;
  int32_t bitrateNominal = 0;
  int32_t bitrateLower = 0;
};

// PCM on the system heap, since the device reads it on its own thread;
// whoever takes it releases it with std::free.
struct DecodedPcm {
  uint8_t* bytes = nullptr;
  size_t length = 0;
  // When a block could not be had: the size asked for (bytes is then null).
  size_t failedAllocationBytes = 0;
};

class OggVorbisDecoder {
 public:
  OggVorbisDecoder() = default;
  ~OggVorbisDecoder() { clear(); }
  OggVorbisDecoder(const OggVorbisDecoder&) = delete;
  OggVorbisDecoder& operator=(const OggVorbisDecoder&) = delete;

  // Opens a host file. False, with a log line, when it cannot be read or is
  // no Ogg Vorbis stream of 1 or 2 channels; the decoder is then clear.
  bool open(const char* hostPath);
  bool isOpen() const { return m_stream != nullptr; }
  // Of the whole stream (all links); valid while open.
  const OggVorbisInfo& info() const { return m_info; }
  // -1 when the stream does not know its length.
  int64_t totalMilliseconds() const;
  // Decodes from the current place to the end, asking Tremor for 4096 bytes
  // at a time. A decode error, or a link whose channels or rate differ from
  // the first, ends the decode with a log line and keeps what came before.
  // Nothing decoded gives a null block.
  DecodedPcm decodeAll();
  // Closes the file and frees Tremor's state; harmless when not open.
  void clear();

 private:
  struct Stream;
  Stream* m_stream = nullptr;
  OggVorbisInfo m_info;
};

}  // namespace mediadecode
