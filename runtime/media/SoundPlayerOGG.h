#pragma once
// SoundPlayerOGG: the WAVE player with its PCM decoded from Ogg Vorbis. The
// decoder reads a file, so realize writes the sound to a temporary file in
// \temp under a name no other player uses, and deletes it once decoded.
#include <atomic>
#include <cstdint>

#include "runtime/media/SoundPlayerWAVE.h"
#include "runtime/media/decode/OggVorbisDecode.h"

class SoundPlayerOGG : public SoundPlayerWAVE {
 public:
  using Super = SoundPlayerWAVE;

  void init(const uint8_t* bytes, int32_t length);

  int32_t readSoundFileHeader() override;
  int32_t parseSoundFileFormat() override;
  int32_t readSoundFilePcmData(uint8_t** ppData) override;

  // Ogg players made and not yet closed.
  static int32_t oggPlayerCount() { return s_oggPlayerCount.load(std::memory_order_relaxed); }

  mediadecode::OggVorbisInfo m_vorbisInfo;
  mediadecode::OggVorbisDecoder* m_decoder;  // open between header and PCM read
  char m_temporaryFileName[32];              // device path; empty when none

 protected:
  void closeLocked() override;

 private:
  // Closes the decoder and deletes the temporary file.
  void releaseDecoder();

  static inline std::atomic<int32_t> s_oggPlayerCount{0};
  static inline std::atomic<uint32_t> s_nextTemporaryFileNumber{0};
};
