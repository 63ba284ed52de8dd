#pragma once
// The one wave-out device behind the waveOut* calls: its voices, the back
// end that plays them and the audio thread that delivers callback messages
// in the order they were posted.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "wince/audio_options.h"
#include "wince/audio_voice.h"
#include "wince/backend/audio_backend.h"
#include "wince/waveout.h"

namespace wince {

class AudioDevice final : public backend::AudioRenderer {
 public:
  static AudioDevice& instance();

  bool select(AudioChoice choice);
  const char* backendName();
  void waitForCallbacks();

  UINT deviceCount();
  MMRESULT capabilities(UINT_PTR deviceId, WAVEOUTCAPS* caps, UINT capsSize);
  MMRESULT open(HWAVEOUT* waveOut, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                DWORD_PTR instance, DWORD flags);
  MMRESULT close(HWAVEOUT waveOut);
  MMRESULT prepare(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
  MMRESULT unprepare(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
  MMRESULT write(HWAVEOUT waveOut, WAVEHDR* header, UINT headerSize);
  MMRESULT reset(HWAVEOUT waveOut);
  MMRESULT pause(HWAVEOUT waveOut, bool paused);
  MMRESULT position(HWAVEOUT waveOut, MMTIME* time, UINT timeSize);
  MMRESULT volume(HWAVEOUT waveOut, DWORD* volume);
  MMRESULT setVolume(HWAVEOUT waveOut, DWORD volume);
  MMRESULT playbackRate(HWAVEOUT waveOut, DWORD* rate);
  MMRESULT setPlaybackRate(HWAVEOUT waveOut, DWORD rate);

  void render(int16_t* stereoFrames, int frameCount, int frameRate) override;

 private:
  struct PendingMessage {
    uint64_t sequence;
    uint32_t voiceId;
    WAVEOUTPROC callback;
    DWORD_PTR instance;
    UINT message;
    DWORD_PTR param1;
  };
  using Lock = std::unique_lock<std::mutex>;

  AudioDevice() = default;
  void chooseOnFirstUse();
  // With m_selectMutex held.
  bool selectWhileChoosing(AudioChoice choice);
  AudioVoice* findVoice(HWAVEOUT waveOut);
  // With the lock held: the null device's voices catch up with the clock.
  void followTickCount();
  void post(const AudioVoice& voice, UINT message, DWORD_PTR param1);
  void postFinished(const AudioVoice& voice);
  bool deliveredThrough(uint64_t sequence) const;
  // Returns once every message posted so far for the voice has been handled.
  void drainMessagesOf(uint32_t voiceId, Lock& lock);
  void startAudioThread();
  void runAudioThread();

  std::mutex m_selectMutex;  // taken before m_mutex, never inside it
  std::mutex m_mutex;
  std::condition_variable m_work;
  std::condition_variable m_delivered;

  std::unique_ptr<backend::AudioBackend> m_backend;
  bool m_chosen = false;
  bool m_followsTickCount = false;

  std::map<uint32_t, std::unique_ptr<AudioVoice>> m_voices;
  uint32_t m_nextVoiceId = 0x100;  // never reused; below it no handle exists
  DWORD m_masterVolume = 0xFFFFFFFFu;

  std::deque<PendingMessage> m_messages;
  uint64_t m_postedSequence = 0;
  uint64_t m_inFlightSequence = 0;  // the message whose callback runs now
  bool m_audioThreadStarted = false;
  std::thread::id m_audioThreadId;

  std::vector<WAVEHDR*> m_finished;  // scratch, under m_mutex
  std::vector<int32_t> m_mix;        // scratch, under m_mutex
};

}  // namespace wince
