#include "wince/audio_device.h"

#include <algorithm>
#include <cstring>

#include "wince/clock.h"
#include "wince/log.h"
#include "wince/window_options.h"

namespace wince {

namespace {

constexpr DWORD slowestRate = 0x1000;   // 1/16
constexpr DWORD fastestRate = 0x80000;  // 8

HWAVEOUT handleOf(uint32_t voiceId) { return reinterpret_cast<HWAVEOUT>(uintptr_t(voiceId)); }

bool playableFormat(const WAVEFORMATEX& format) {
  return format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
         (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) && format.nSamplesPerSec >= 1 &&
         format.nSamplesPerSec <= 384000 && format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

bool usableHeader(const WAVEHDR* header, UINT headerSize) {
  return header && headerSize >= sizeof(WAVEHDR) && (header->lpData || header->dwBufferLength == 0);
}

}  // namespace

AudioDevice& AudioDevice::instance() {
  static AudioDevice* device = new AudioDevice;  // its thread may outlive static destruction
  return *device;
}

bool AudioDevice::select(AudioChoice choice) {
  std::lock_guard selecting(m_selectMutex);
  return selectWhileChoosing(choice);
}

bool AudioDevice::selectWhileChoosing(AudioChoice choice) {
  std::unique_ptr<backend::AudioBackend> previous;
  {
    Lock lock(m_mutex);
    if (!m_voices.empty()) {
      logPrintf("Sound: cannot change the audio device while %zu handle(s) are open\n", m_voices.size());
      return false;
    }
    previous = std::move(m_backend);
    m_chosen = false;
  }
  // Closing SDL's device waits for its thread, which takes m_mutex.
  previous.reset();

  std::unique_ptr<backend::AudioBackend> chosen;
  if (choice == AudioChoice::null) chosen = backend::makeNullAudioBackend();
  const bool wantSdl = choice == AudioChoice::sdl ||
                       (choice == AudioChoice::automatic && windowOptions().backend != BackendChoice::headless);
  if (wantSdl) {
    chosen = backend::makeSdlAudioBackend(*this);
    if (!chosen) logPrintf("Sound: no audio device; running silent\n");
  }

  Lock lock(m_mutex);
  m_backend = std::move(chosen);
  m_followsTickCount = m_backend && m_backend->followsTickCount();
  m_chosen = true;
  return true;
}

void AudioDevice::chooseOnFirstUse() {
  {
    Lock lock(m_mutex);
    if (m_chosen) return;
  }
  std::lock_guard selecting(m_selectMutex);
  {
    Lock lock(m_mutex);
    if (m_chosen) return;
  }
  selectWhileChoosing(AudioChoice::automatic);
}

const char* AudioDevice::backendName() {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  return m_backend ? m_backend->name() : "none";
}

AudioVoice* AudioDevice::findVoice(HWAVEOUT waveOut) {
  const uintptr_t id = reinterpret_cast<uintptr_t>(waveOut);
  if (id > UINT32_MAX) return nullptr;
  auto found = m_voices.find(uint32_t(id));
  return found == m_voices.end() ? nullptr : found->second.get();
}

void AudioDevice::followTickCount() {
  if (!m_followsTickCount) return;
  const uint64_t now = GetTickCount64();
  for (auto& [id, voice] : m_voices) {
    if (!voice->playing()) continue;
    // A fake clock set back by a test counts as no time passing.
    const uint64_t elapsed = now > voice->lastTick() ? now - voice->lastTick() : 0;
    voice->setLastTick(now);
    voice->skipMilliseconds(elapsed, m_finished);
    postFinished(*voice);
  }
}

void AudioDevice::post(const AudioVoice& voice, UINT message, DWORD_PTR param1) {
  if (!voice.callback()) return;
  m_messages.push_back({++m_postedSequence, voice.id(), voice.callback(), voice.instance(), message, param1});
  m_work.notify_one();
}

void AudioDevice::postFinished(const AudioVoice& voice) {
  for (WAVEHDR* header : m_finished) post(voice, WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
  m_finished.clear();
}

bool AudioDevice::deliveredThrough(uint64_t sequence) const {
  const bool queuedDone = m_messages.empty() || m_messages.front().sequence > sequence;
  const bool runningDone = m_inFlightSequence == 0 || m_inFlightSequence > sequence;
  return queuedDone && runningDone;
}

void AudioDevice::drainMessagesOf(uint32_t voiceId, Lock& lock) {
  if (std::this_thread::get_id() != m_audioThreadId) {
    const uint64_t target = m_postedSequence;
    m_delivered.wait(lock, [&] { return deliveredThrough(target); });
    return;
  }
  // Called from a callback: the audio thread cannot wait for itself, so the
  // voice's own messages are handed over here, in order.
  std::vector<PendingMessage> own;
  auto mine = [&](const PendingMessage& message) { return message.voiceId == voiceId; };
  std::copy_if(m_messages.begin(), m_messages.end(), std::back_inserter(own), mine);
  m_messages.erase(std::remove_if(m_messages.begin(), m_messages.end(), mine), m_messages.end());
  lock.unlock();
  for (const PendingMessage& message : own)
    message.callback(handleOf(message.voiceId), message.message, message.instance, message.param1, 0);
  lock.lock();
}

void AudioDevice::startAudioThread() {
  if (m_audioThreadStarted) return;
  m_audioThreadStarted = true;
  std::thread thread([this] { runAudioThread(); });
  m_audioThreadId = thread.get_id();
  thread.detach();
}

void AudioDevice::runAudioThread() {
  Lock lock(m_mutex);
  for (;;) {
    followTickCount();
    if (!m_messages.empty()) {
      const PendingMessage message = m_messages.front();
      m_messages.pop_front();
      m_inFlightSequence = message.sequence;
      lock.unlock();
      message.callback(handleOf(message.voiceId), message.message, message.instance, message.param1, 0);
      lock.lock();
      m_inFlightSequence = 0;
      m_delivered.notify_all();
      continue;
    }
    const bool watchClock = m_followsTickCount && std::any_of(m_voices.begin(), m_voices.end(), [](auto& entry) {
                              return entry.second->playing();
                            });
    // The null device has no thread of its own: its buffers end when the
    // tick count says so, which only polling can notice.
    if (watchClock)
      m_work.wait_for(lock, std::chrono::milliseconds(1));
    else
      m_work.wait(lock);
  }
}

void AudioDevice::waitForCallbacks() {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  followTickCount();
  if (std::this_thread::get_id() == m_audioThreadId) return;
  const uint64_t target = m_postedSequence;
  m_delivered.wait(lock, [&] { return deliveredThrough(target); });
}

UINT AudioDevice::deviceCount() {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  return m_backend ? 1 : 0;
}

MMRESULT AudioDevice::capabilities(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT capsSize) {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  if (!m_backend || (deviceId != 0 && deviceId != WAVE_MAPPER)) return MMSYSERR_BADDEVICEID;
  if (!caps) return MMSYSERR_INVALPARAM;
  WAVEOUTCAPS answer{};
  answer.wMid = 0xFF;
  answer.wPid = 1;
  answer.vDriverVersion = 0x0100;
  const char* name = m_backend->name();
  for (size_t index = 0; name[index] && index + 1 < std::size(answer.szPname); ++index)
    answer.szPname[index] = char16_t(name[index]);
  answer.dwFormats = 0xFFF;  // 11, 22 and 44 kHz; mono and stereo; 8 and 16 bits
  answer.wChannels = 2;
  answer.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME | WAVECAPS_PLAYBACKRATE;
  std::memcpy(caps, &answer, std::min<size_t>(capsSize, sizeof answer));
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::open(HWAVEOUT* waveOut, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags) {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  if (!m_backend || (deviceId != 0 && deviceId != WAVE_MAPPER)) return MMSYSERR_BADDEVICEID;
  if (!waveOut || !format) return MMSYSERR_INVALPARAM;
  const DWORD callbackType = flags & CALLBACK_TYPEMASK;
  if ((flags & ~CALLBACK_TYPEMASK) || (callbackType != CALLBACK_NULL && callbackType != CALLBACK_FUNCTION))
    return MMSYSERR_INVALFLAG;
  if (callbackType == CALLBACK_FUNCTION && !callback) return MMSYSERR_INVALPARAM;
  if (!playableFormat(*format)) return WAVERR_BADFORMAT;
  if (m_nextVoiceId == UINT32_MAX) return MMSYSERR_NOMEM;

  const WAVEOUTPROC function = callbackType == CALLBACK_FUNCTION ? reinterpret_cast<WAVEOUTPROC>(callback) : nullptr;
  const uint32_t id = m_nextVoiceId++;
  auto voice = std::make_unique<AudioVoice>(id, *format, function, instance);
  post(*voice, WOM_OPEN, 0);
  m_voices.emplace(id, std::move(voice));
  startAudioThread();
  *waveOut = handleOf(id);
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::close(HWAVEOUT waveOut) {
  Lock lock(m_mutex);
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (voice->hasQueuedBuffers()) return WAVERR_STILLPLAYING;
  const uint32_t id = voice->id();
  post(*voice, WOM_CLOSE, 0);
  m_voices.erase(id);
  drainMessagesOf(id, lock);
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::prepare(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  Lock lock(m_mutex);
  if (!findVoice(waveOut)) return MMSYSERR_INVALHANDLE;
  if (!usableHeader(header, headerSize)) return MMSYSERR_INVALPARAM;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::unprepare(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  Lock lock(m_mutex);
  followTickCount();
  if (!findVoice(waveOut)) return MMSYSERR_INVALHANDLE;
  if (!header || headerSize < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::write(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize) {
  Lock lock(m_mutex);
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (!usableHeader(header, headerSize)) return MMSYSERR_INVALPARAM;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  const bool wasPlaying = voice->playing();
  voice->queue(header);
  if (!wasPlaying && voice->playing()) voice->setLastTick(GetTickCount64());
  m_work.notify_one();
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::reset(HWAVEOUT waveOut) {
  Lock lock(m_mutex);
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  voice->reset(m_finished);
  postFinished(*voice);
  drainMessagesOf(voice->id(), lock);
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::pause(HWAVEOUT waveOut, bool paused) {
  Lock lock(m_mutex);
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (voice->paused() == paused) return MMSYSERR_NOERROR;
  voice->setPaused(paused);
  if (!paused) voice->setLastTick(GetTickCount64());
  m_work.notify_one();
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::position(HWAVEOUT waveOut, MMTIME* time, UINT timeSize) {
  Lock lock(m_mutex);
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (!time || timeSize < sizeof(MMTIME)) return MMSYSERR_INVALPARAM;
  const uint64_t frames = voice->framesPlayed();
  switch (time->wType) {
    case TIME_MS:
      time->u.ms = DWORD(frames * 1000 / voice->format().nSamplesPerSec);
      break;
    case TIME_SAMPLES:
      time->u.sample = DWORD(frames);
      break;
    default:
      time->wType = TIME_BYTES;
      time->u.cb = DWORD(frames * voice->format().nBlockAlign);
      break;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::volume(HWAVEOUT waveOut, DWORD* volume) {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  if (!waveOut) {
    if (!m_backend) return MMSYSERR_BADDEVICEID;
    if (!volume) return MMSYSERR_INVALPARAM;
    *volume = m_masterVolume;
    return MMSYSERR_NOERROR;
  }
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (!volume) return MMSYSERR_INVALPARAM;
  *volume = voice->volume();
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::setVolume(HWAVEOUT waveOut, DWORD volume) {
  chooseOnFirstUse();
  Lock lock(m_mutex);
  if (!waveOut) {
    if (!m_backend) return MMSYSERR_BADDEVICEID;
    m_masterVolume = volume;
    return MMSYSERR_NOERROR;
  }
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  voice->setVolume(volume);
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::playbackRate(HWAVEOUT waveOut, DWORD* rate) {
  Lock lock(m_mutex);
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (!rate) return MMSYSERR_INVALPARAM;
  *rate = voice->playbackRate();
  return MMSYSERR_NOERROR;
}

MMRESULT AudioDevice::setPlaybackRate(HWAVEOUT waveOut, DWORD rate) {
  Lock lock(m_mutex);
  // Time already played counts at the old rate.
  followTickCount();
  AudioVoice* voice = findVoice(waveOut);
  if (!voice) return MMSYSERR_INVALHANDLE;
  if (rate < slowestRate || rate > fastestRate) return MMSYSERR_INVALPARAM;
  voice->setPlaybackRate(rate);
  return MMSYSERR_NOERROR;
}

void AudioDevice::render(int16_t* stereoFrames, int frameCount, int frameRate) {
  {
    Lock lock(m_mutex);
    m_mix.assign(size_t(frameCount) * 2, 0);
    for (auto& [id, voice] : m_voices) {
      if (!voice->playing()) continue;
      voice->mixInto(m_mix.data(), frameCount, frameRate, m_masterVolume, m_finished);
      postFinished(*voice);
    }
    for (size_t index = 0; index < m_mix.size(); ++index)
      stereoFrames[index] = int16_t(std::clamp<int32_t>(m_mix[index], INT16_MIN, INT16_MAX));
  }
}

}  // namespace wince
