#include "runtime/media/SoundPlayerWAVE.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/String.h"
#include "runtime/media/MediaNameMatch.h"
#include "runtime/media/decode/WavParse.h"
#include "wince/log.h"

namespace {

// On the device's audio thread. Only a started player finishes: a player
// stopped, or started again, meanwhile keeps the state its caller gave it.
void waveOutDone(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* player = reinterpret_cast<SoundPlayerWAVE*>(instance);
  int32_t started = javax_microedition_media_Player::STARTED;
  player->m_state.compare_exchange_strong(started, javax_microedition_media_Player::PREFETCHED,
                                          std::memory_order_acq_rel);
}

int32_t millirateFromDeviceRate(DWORD rate) {
  const int64_t clamped = std::clamp<int64_t>(rate, 0x8000, 0x20000);
  return static_cast<int32_t>(clamped * 100000 / 0x10000);
}

}  // namespace

void SoundPlayerWAVE::init(const uint8_t* bytes, int32_t length) {
  m_state.store(UNREALIZED, std::memory_order_release);
  m_level = 100;
  if (bytes == nullptr || length <= 0) return;
  m_pSoundFileData = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length)));
  if (m_pSoundFileData == nullptr) {
    logPrintf("SoundPlayerWAVE(): failed to allocate memory for %d bytes\n", length);
    return;
  }
  std::memcpy(m_pSoundFileData, bytes, static_cast<size_t>(length));
  m_fileLength = length;
}

void SoundPlayerWAVE::finalize() {
  closeLocked();
  Object::finalize();
}

void* SoundPlayerWAVE::lookupInterface(int32_t interfaceId) {
  switch (interfaceId) {
    case classid::javax_microedition_media_Player: return static_cast<javax_microedition_media_Player*>(this);
    case classid::javax_microedition_media_Controllable:
      return static_cast<javax_microedition_media_Controllable*>(this);
    case classid::javax_microedition_media_control_VolumeControl:
      return static_cast<javax_microedition_media_control_VolumeControl*>(this);
    case classid::javax_microedition_media_control_TempoControl:
      return static_cast<javax_microedition_media_control_TempoControl*>(this);
    case classid::javax_microedition_media_control_RateControl:
      return static_cast<javax_microedition_media_control_RateControl*>(this);
    default: return nullptr;
  }
}

int32_t SoundPlayerWAVE::readSoundFileHeader() { return m_pSoundFileData != nullptr ? 1 : 0; }

int32_t SoundPlayerWAVE::parseSoundFileFormat() {
  if (readSoundFileHeader() == 0) return 0;
  mediadecode::WavLayout layout{};
  if (!mediadecode::parseWavFile(m_pSoundFileData, static_cast<size_t>(m_fileLength), &layout)) return 0;
  m_waveFormat = layout.format;
  m_pcmOffset = layout.pcmOffset;
  m_pcmDataLength = static_cast<int32_t>(layout.pcmLength);
  m_duration = mediadecode::wavDurationMicroseconds(m_waveFormat, m_fileLength);
  return 1;
}

int32_t SoundPlayerWAVE::readSoundFilePcmData(uint8_t** ppData) {
  if (m_pSoundFileData == nullptr) {
    logPrintf("SoundPlayerWAVE::readSoundFilePcmData(): m_pSoundFileData == NULL\n");
    return -1;
  }
  if (m_pcmDataLength <= 0) {
    logPrintf("SoundPlayerWAVE::readSoundFilePcmData(): m_pcmDataLength <= 0\n");
    return -1;
  }
  *ppData = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(m_pcmDataLength), 1));
  if (*ppData == nullptr) {
    logPrintf("SoundPlayerWAVE::readSoundFilePcmData(): *ppData == NULL\n  tried to calloc %d bytes", m_pcmDataLength);
    return -1;
  }
  std::memcpy(*ppData, m_pSoundFileData + m_pcmOffset, static_cast<size_t>(m_pcmDataLength));
  return m_pcmDataLength;
}

Object* SoundPlayerWAVE::getControl(String* controlType) {
  if (matchesMediaName(controlType, "VolumeControl") || matchesMediaName(controlType, "RateControl") ||
      matchesMediaName(controlType, "TempoControl")) {
    return this;
  }
  return nullptr;
}

void SoundPlayerWAVE::realize() {
  std::lock_guard lock(m_lock);
  realizeLocked();
}

void SoundPlayerWAVE::realizeLocked() {
  if (getState() != UNREALIZED) return;
  if (parseSoundFileFormat() == 0) return;
  m_waveHeader = WAVEHDR{};
  m_waveHeader.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  m_waveHeader.dwLoops = static_cast<DWORD>(m_loopCount);
  m_loopCount = 1;
  uint8_t* pcm = nullptr;
  if (readSoundFilePcmData(&pcm) == -1) {
    logPrintf("SoundPlayerWAVE::realize(): readSoundFilePcmData returned -1.\n");
    return;
  }
  m_waveHeader.lpData = reinterpret_cast<LPSTR>(pcm);
  m_waveHeader.dwBufferLength = static_cast<DWORD>(m_pcmDataLength);
  freeSoundFileData();

  if (waveOutGetNumDevs() >= 1) {
    if (waveOutOpen(&m_device, 0, &m_waveFormat, reinterpret_cast<DWORD_PTR>(&waveOutDone),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR) {
      m_state.store(REALIZED, std::memory_order_release);
    } else {
      m_device = nullptr;
    }
    WAVEOUTCAPS caps{};
    if (waveOutGetDevCaps(0, &caps, sizeof caps) == MMSYSERR_NOERROR && (caps.dwSupport & WAVECAPS_VOLUME)) {
      m_volumeCapable = 1;
    }
  }
  // Without a device nothing will ever play this block.
  if (m_device == nullptr) {
    std::free(m_waveHeader.lpData);
    m_waveHeader.lpData = nullptr;
  }
}

void SoundPlayerWAVE::prefetch() {
  std::lock_guard lock(m_lock);
  prefetchLocked();
}

void SoundPlayerWAVE::prefetchLocked() {
  if (getState() == UNREALIZED) realizeLocked();
  if (getState() != REALIZED) return;
  if (waveOutPrepareHeader(m_device, &m_waveHeader, sizeof m_waveHeader) != MMSYSERR_NOERROR) return;
  DWORD volume = 0;
  if (m_volumeCapable && waveOutGetVolume(m_device, &volume) == MMSYSERR_NOERROR) {
    m_savedVolume = volume;
    m_hasSavedVolume = 1;
    m_level = static_cast<int32_t>((volume & 0xFFFFu) * 100 / 65535);
  }
  m_state.store(PREFETCHED, std::memory_order_release);
}

void SoundPlayerWAVE::start() {
  std::lock_guard lock(m_lock);
  if (getState() == UNREALIZED) {
    realizeLocked();
    if (getState() != REALIZED) return;
  }
  if (getState() == REALIZED) {
    prefetchLocked();
    if (getState() != PREFETCHED) return;
  }
  if (getState() != PREFETCHED || m_muted) return;
  // Started before the write: a buffer that finishes at once then still
  // leaves the player prefetched.
  m_state.store(STARTED, std::memory_order_release);
  if (waveOutWrite(m_device, &m_waveHeader, sizeof m_waveHeader) != MMSYSERR_NOERROR) {
    m_state.store(PREFETCHED, std::memory_order_release);
  }
}

void SoundPlayerWAVE::stop() {
  std::lock_guard lock(m_lock);
  stopLocked();
}

void SoundPlayerWAVE::stopLocked() {
  if (getState() != STARTED) return;
  waveOutReset(m_device);
  m_state.store(PREFETCHED, std::memory_order_release);
}

void SoundPlayerWAVE::deallocate() {
  std::lock_guard lock(m_lock);
  deallocateLocked();
}

void SoundPlayerWAVE::deallocateLocked() {
  if (getState() != PREFETCHED) return;
  waveOutUnprepareHeader(m_device, &m_waveHeader, sizeof m_waveHeader);
  m_state.store(REALIZED, std::memory_order_release);
}

void SoundPlayerWAVE::close() {
  std::lock_guard lock(m_lock);
  closeLocked();
}

void SoundPlayerWAVE::closeLocked() {
  if (getState() == CLOSED) return;
  stopLocked();
  if (m_volumeCapable && m_hasSavedVolume) waveOutSetVolume(m_device, m_savedVolume);
  deallocateLocked();
  // The device goes first: it may read the PCM until it is closed.
  if (m_device != nullptr) {
    waveOutReset(m_device);
    waveOutClose(m_device);
    m_device = nullptr;
  }
  std::free(m_waveHeader.lpData);
  m_waveHeader.lpData = nullptr;
  freeSoundFileData();
  m_pcmDataLength = 0;
  m_state.store(CLOSED, std::memory_order_release);
}

void SoundPlayerWAVE::freeSoundFileData() {
  std::free(m_pSoundFileData);
  m_pSoundFileData = nullptr;
}

int64_t SoundPlayerWAVE::setMediaTime(int64_t now) {
  if (now > 0) {
    logPrintf("WARNING: setMediaTime(long64 now) not implemented for now > 0\n");
    return now;
  }
  std::lock_guard lock(m_lock);
  if (m_device != nullptr) waveOutRestart(m_device);
  return now;
}

int64_t SoundPlayerWAVE::getMediaTime() {
  if (getState() == CLOSED) {
    throwNew<java_lang_IllegalStateException>();
    return -1;
  }
  std::lock_guard lock(m_lock);
  MMTIME time{};
  time.wType = TIME_MS;
  if (m_device == nullptr || waveOutGetPosition(m_device, &time, sizeof time) != MMSYSERR_NOERROR ||
      time.wType != TIME_MS) {
    return -1;
  }
  return int64_t{time.u.ms} * 1000;
}

int64_t SoundPlayerWAVE::getDuration() {
  if (getState() == CLOSED) {
    throwNew<java_lang_IllegalStateException>();
    return -1;
  }
  return m_duration;
}

String* SoundPlayerWAVE::getContentType() {
  const int32_t state = getState();
  if (state == CLOSED || state == UNREALIZED) {
    throwNew<java_lang_IllegalStateException>();
    return nullptr;
  }
  return newString("audio/x-wav");
}

void SoundPlayerWAVE::setLoopCount(int32_t count) {
  std::lock_guard lock(m_lock);
  m_loopCount = count < 0 ? 0x7FFFFFFF : count == 0 ? 1 : count;
}

int32_t SoundPlayerWAVE::setLevel(int32_t level) {
  std::lock_guard lock(m_lock);
  level = std::clamp(level, 0, 100);
  const int32_t previous = m_level;
  m_level = level;
  if (m_volumeCapable && m_device != nullptr) {
    const DWORD word = static_cast<DWORD>(level) * 65535 / 100;
    waveOutSetVolume(m_device, word | (word << 16));
  }
  return previous;
}

int32_t SoundPlayerWAVE::getRate() {
  std::lock_guard lock(m_lock);
  DWORD rate = 0;
  if (m_device == nullptr || waveOutGetPlaybackRate(m_device, &rate) != MMSYSERR_NOERROR) return -1;
  return millirateFromDeviceRate(rate);
}

int32_t SoundPlayerWAVE::setRate(int32_t millirate) {
  std::lock_guard lock(m_lock);
  if (m_device == nullptr || millirate < 0) return -1;
  DWORD previous = 0;
  if (waveOutGetPlaybackRate(m_device, &previous) != MMSYSERR_NOERROR) return -1;
  const double speed = std::clamp(millirate / 100000.0, 0.5, 2.0);
  const auto rate = static_cast<DWORD>(std::lround(speed * 65536));
  if (waveOutSetPlaybackRate(m_device, rate) != MMSYSERR_NOERROR) return -1;
  return millirateFromDeviceRate(previous);
}
