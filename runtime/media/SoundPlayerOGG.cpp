#include "runtime/media/SoundPlayerOGG.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/String.h"
#include "wince/file_io.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

constexpr size_t firstDecodeBlockBytes = 4096;

// Writes the whole file; a short write leaves no file behind.
bool writeTemporaryFile(const char* devicePath, const uint8_t* bytes, int32_t length) {
  FILE* file = wince::fopen(devicePath, "wb");
  if (file == nullptr) return false;
  const size_t written = wince::fwrite(bytes, 1, static_cast<size_t>(length), file);
  const bool closed = wince::fclose(file) == 0;
  if (written == static_cast<size_t>(length) && closed) return true;
  if (auto hostPath = wince::hostPathForWriting(wince::widenDevicePath(devicePath), false)) {
    std::remove(hostPath->c_str());
  }
  return false;
}

}  // namespace

void SoundPlayerOGG::init(const uint8_t* bytes, int32_t length) {
  Super::init(bytes, length);
  s_oggPlayerCount.fetch_add(1, std::memory_order_relaxed);
}

int32_t SoundPlayerOGG::readSoundFileHeader() {
  if (m_pSoundFileData == nullptr) return 0;
  releaseDecoder();
  const uint32_t number = s_nextTemporaryFileNumber.fetch_add(1, std::memory_order_relaxed);
  std::snprintf(m_temporaryFileName, sizeof m_temporaryFileName, "\\temp\\sound%u.%s", number, "ogg");
  if (!writeTemporaryFile(m_temporaryFileName, m_pSoundFileData, m_fileLength)) {
    logPrintf("SoundPlayerOGG: cannot write %s\n", m_temporaryFileName);
    m_temporaryFileName[0] = '\0';
    return 0;
  }
  const auto hostPath = wince::hostPathForWriting(wince::widenDevicePath(m_temporaryFileName), false);
  m_decoder = new (std::nothrow) mediadecode::OggVorbisDecoder;
  if (!hostPath || m_decoder == nullptr || !m_decoder->open(hostPath->c_str())) {
    releaseDecoder();
    return 0;
  }
  m_vorbisInfo = m_decoder->info();
  return 1;
}

int32_t SoundPlayerOGG::parseSoundFileFormat() {
  if (readSoundFileHeader() == 0) return 0;
  const auto channels = static_cast<WORD>(m_vorbisInfo.channels);
  m_waveFormat.wFormatTag = WAVE_FORMAT_PCM;
  m_waveFormat.nChannels = channels;
  m_waveFormat.nSamplesPerSec = static_cast<DWORD>(m_vorbisInfo.rate);
  m_waveFormat.wBitsPerSample = 16;
  m_waveFormat.nBlockAlign = static_cast<WORD>(channels * 2);
  m_waveFormat.nAvgBytesPerSec = m_waveFormat.nSamplesPerSec * m_waveFormat.nBlockAlign;
  m_waveFormat.cbSize = 18;
  const int64_t milliseconds = m_decoder->totalMilliseconds();
  m_duration = milliseconds < 0 ? -1 : milliseconds * 1000;
  return 1;
}

int32_t SoundPlayerOGG::readSoundFilePcmData(uint8_t** ppData) {
  if (m_decoder == nullptr) return -1;
  mediadecode::DecodedPcm pcm = m_decoder->decodeAll();
  releaseDecoder();
  if (pcm.bytes == nullptr) {
    if (pcm.failedAllocationBytes == firstDecodeBlockBytes) {
      logPrintf("SoundPlayerOGG::readSoundFilePcmData(): decodedDataBuffer == NULL\n  tried to malloc %d bytes",
                static_cast<int32_t>(firstDecodeBlockBytes));
    } else if (pcm.failedAllocationBytes > 0) {
      logPrintf("SoundPlayerOGG::readSoundFilePcmData(): decodedDataBuffer == NULL\n  tried to realloc %zu bytes",
                pcm.failedAllocationBytes);
    }
    return -1;
  }
  if (pcm.length > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    logPrintf("SoundPlayerOGG: %zu decoded bytes are too many to play\n", pcm.length);
    std::free(pcm.bytes);
    return -1;
  }
  m_pcmDataLength = static_cast<int32_t>(pcm.length);
  *ppData = pcm.bytes;
  return m_pcmDataLength;
}

void SoundPlayerOGG::closeLocked() {
  if (getState() != CLOSED) {
    s_oggPlayerCount.fetch_sub(1, std::memory_order_relaxed);
    releaseDecoder();
  }
  Super::closeLocked();
}

void SoundPlayerOGG::releaseDecoder() {
  delete m_decoder;
  m_decoder = nullptr;
  if (m_temporaryFileName[0] == '\0') return;
  if (auto hostPath = wince::hostPathForWriting(wince::widenDevicePath(m_temporaryFileName), false)) {
    std::remove(hostPath->c_str());
  }
  m_temporaryFileName[0] = '\0';
}
