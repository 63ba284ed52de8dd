#pragma once
// One open wave-out handle: its format, the queue of buffers it plays with
// their loops, its position, volume and rate. Not locked: the device holds
// its lock around every use.
#include <cstdint>
#include <deque>
#include <vector>

#include "wince/waveout.h"

namespace wince {

class AudioVoice {
 public:
  AudioVoice(uint32_t id, const WAVEFORMATEX& format, WAVEOUTPROC callback, DWORD_PTR instance);

  uint32_t id() const { return m_id; }
  const WAVEFORMATEX& format() const { return m_format; }
  WAVEOUTPROC callback() const { return m_callback; }
  DWORD_PTR instance() const { return m_instance; }

  bool playing() const { return !m_paused && !m_queue.empty(); }
  bool hasQueuedBuffers() const { return !m_queue.empty(); }
  bool paused() const { return m_paused; }
  void setPaused(bool paused) { m_paused = paused; }

  // Appends a prepared buffer; the caller has checked its flags.
  void queue(WAVEHDR* header);
  // Returns every queued buffer as done, in queue order, and rewinds.
  void reset(std::vector<WAVEHDR*>& finished);

  // Plays frameCount source frames without output; finished buffers are
  // appended in the order they finish.
  void skipFrames(uint64_t frameCount, std::vector<WAVEHDR*>& finished);
  // Adds frameCount stereo frames at deviceRate into mix, converted from the
  // voice's format with its volume and rate. masterVolume scales both.
  void mixInto(int32_t* mix, int frameCount, int deviceRate, DWORD masterVolume, std::vector<WAVEHDR*>& finished);

  // Null device: plays the source frames that elapsed milliseconds hold at
  // the voice's rate, keeping the fraction for next time.
  void skipMilliseconds(uint64_t elapsed, std::vector<WAVEHDR*>& finished);
  uint64_t lastTick() const { return m_lastTick; }
  void setLastTick(uint64_t tick) { m_lastTick = tick; }

  uint64_t framesPlayed() const { return m_framesPlayed; }
  DWORD volume() const { return m_volume; }
  void setVolume(DWORD volume) { m_volume = volume; }
  DWORD playbackRate() const { return m_rate; }
  void setPlaybackRate(DWORD rate) { m_rate = rate; }

 private:
  uint32_t framesIn(const WAVEHDR* header) const { return header->dwBufferLength / m_format.nBlockAlign; }
  // Enters loops and passes finished buffers until the current buffer has a
  // frame to play or the queue is empty.
  void settle(std::vector<WAVEHDR*>& finished);
  void finishCurrent(std::vector<WAVEHDR*>& finished);
  void completeThroughCurrent(std::vector<WAVEHDR*>& finished);
  void readFrame(const WAVEHDR* header, uint32_t frame, int32_t& left, int32_t& right) const;

  const uint32_t m_id;
  const WAVEFORMATEX m_format;
  const WAVEOUTPROC m_callback;
  const DWORD_PTR m_instance;

  std::deque<WAVEHDR*> m_queue;
  size_t m_current = 0;        // index of the buffer playing
  uint32_t m_frameOffset = 0;  // frames of it played
  bool m_inLoop = false;
  size_t m_loopStart = 0;
  DWORD m_loopsLeft = 0;
  uint64_t m_loopFrames = 0;  // frames played in this pass of the loop

  bool m_paused = false;
  uint64_t m_framesPlayed = 0;
  uint32_t m_stepFraction = 0;      // mixing: 16.16 part of a source frame
  uint64_t m_tickFraction = 0;      // null device: part of a frame, in 1/(1000 * 65536)
  uint64_t m_lastTick = 0;
  DWORD m_volume = 0xFFFFFFFFu;
  DWORD m_rate = 0x10000;
};

}  // namespace wince
