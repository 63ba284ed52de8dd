#include "wince/audio_voice.h"

#include <algorithm>

namespace wince {

namespace {

// 1000 ms times the 16.16 rate unit: the null device's fraction of a frame.
constexpr uint64_t tickFractionUnit = 1000ull * 65536;
// A clock that jumps further than this (a day) is not followed frame by frame.
constexpr uint64_t longestTickStep = 24ull * 3600 * 1000;

int32_t gainOf(DWORD master, DWORD voice, int shift) {
  return int32_t(((master >> shift) & 0xFFFF) * ((voice >> shift) & 0xFFFF) / 0xFFFF);
}

}  // namespace

AudioVoice::AudioVoice(uint32_t id, const WAVEFORMATEX& format, WAVEOUTPROC callback, DWORD_PTR instance)
    : m_id(id), m_format(format), m_callback(callback), m_instance(instance) {}

void AudioVoice::queue(WAVEHDR* header) {
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  m_queue.push_back(header);
}

void AudioVoice::reset(std::vector<WAVEHDR*>& finished) {
  for (WAVEHDR* header : m_queue) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    finished.push_back(header);
  }
  m_queue.clear();
  m_current = 0;
  m_frameOffset = 0;
  m_inLoop = false;
  m_framesPlayed = 0;
  m_stepFraction = 0;
  m_tickFraction = 0;
}

void AudioVoice::completeThroughCurrent(std::vector<WAVEHDR*>& finished) {
  for (size_t index = 0; index <= m_current && !m_queue.empty(); ++index) {
    WAVEHDR* header = m_queue.front();
    m_queue.pop_front();
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    finished.push_back(header);
  }
  m_current = 0;
  m_frameOffset = 0;
}

void AudioVoice::finishCurrent(std::vector<WAVEHDR*>& finished) {
  const WAVEHDR* header = m_queue[m_current];
  if (m_inLoop && (header->dwFlags & WHDR_ENDLOOP)) {
    // A loop of empty buffers would spin without playing anything.
    if (m_loopsLeft > 1 && m_loopFrames > 0) {
      --m_loopsLeft;
      m_current = m_loopStart;
      m_frameOffset = 0;
      m_loopFrames = 0;
      return;
    }
    m_inLoop = false;
    completeThroughCurrent(finished);
    return;
  }
  if (m_inLoop) {
    // Buffers inside a loop come back only when the loop is over.
    ++m_current;
    m_frameOffset = 0;
    return;
  }
  completeThroughCurrent(finished);
}

void AudioVoice::settle(std::vector<WAVEHDR*>& finished) {
  while (m_current < m_queue.size()) {
    const WAVEHDR* header = m_queue[m_current];
    if (!m_inLoop && m_frameOffset == 0 && (header->dwFlags & WHDR_BEGINLOOP)) {
      m_inLoop = true;
      m_loopStart = m_current;
      m_loopsLeft = std::max<DWORD>(header->dwLoops, 1);
      m_loopFrames = 0;
    }
    if (m_frameOffset < framesIn(header)) return;
    finishCurrent(finished);
  }
}

void AudioVoice::skipFrames(uint64_t frameCount, std::vector<WAVEHDR*>& finished) {
  settle(finished);
  while (frameCount > 0 && m_current < m_queue.size()) {
    const uint32_t left = framesIn(m_queue[m_current]) - m_frameOffset;
    const uint32_t take = uint32_t(std::min<uint64_t>(frameCount, left));
    m_frameOffset += take;
    m_framesPlayed += take;
    m_loopFrames += take;
    frameCount -= take;
    settle(finished);
  }
}

void AudioVoice::skipMilliseconds(uint64_t elapsed, std::vector<WAVEHDR*>& finished) {
  elapsed = std::min(elapsed, longestTickStep);
  m_tickFraction += elapsed * m_rate * m_format.nSamplesPerSec;
  const uint64_t frames = m_tickFraction / tickFractionUnit;
  m_tickFraction %= tickFractionUnit;
  skipFrames(frames, finished);
  if (m_queue.empty()) m_tickFraction = 0;
}

void AudioVoice::readFrame(const WAVEHDR* header, uint32_t frame, int32_t& left, int32_t& right) const {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(header->lpData) + size_t(frame) * m_format.nBlockAlign;
  if (m_format.wBitsPerSample == 8) {
    left = (int32_t(bytes[0]) - 128) * 256;
    right = m_format.nChannels == 2 ? (int32_t(bytes[1]) - 128) * 256 : left;
    return;
  }
  left = int16_t(uint16_t(bytes[0] | (bytes[1] << 8)));
  right = m_format.nChannels == 2 ? int16_t(uint16_t(bytes[2] | (bytes[3] << 8))) : left;
}

void AudioVoice::mixInto(int32_t* mix, int frameCount, int deviceRate, DWORD masterVolume,
                         std::vector<WAVEHDR*>& finished) {
  const int32_t gainLeft = gainOf(masterVolume, m_volume, 0);
  const int32_t gainRight = gainOf(masterVolume, m_volume, 16);
  // Source frames per device frame, 16.16; at least a little so that a voice
  // never stalls.
  const uint64_t step = std::max<uint64_t>(uint64_t(m_format.nSamplesPerSec) * m_rate / uint64_t(deviceRate), 1);
  for (int frame = 0; frame < frameCount; ++frame) {
    settle(finished);
    if (m_current >= m_queue.size()) {
      // The next buffer starts on its first frame.
      if (m_queue.empty()) m_stepFraction = 0;
      return;
    }
    const WAVEHDR* header = m_queue[m_current];
    int32_t left, right, nextLeft, nextRight;
    readFrame(header, m_frameOffset, left, right);
    if (m_frameOffset + 1 < framesIn(header)) {
      readFrame(header, m_frameOffset + 1, nextLeft, nextRight);
      left += int32_t((int64_t(nextLeft - left) * m_stepFraction) >> 16);
      right += int32_t((int64_t(nextRight - right) * m_stepFraction) >> 16);
    }
    mix[2 * frame] += int32_t(int64_t(left) * gainLeft / 0xFFFF);
    mix[2 * frame + 1] += int32_t(int64_t(right) * gainRight / 0xFFFF);
    const uint64_t position = m_stepFraction + step;
    m_stepFraction = uint32_t(position & 0xFFFF);
    if (position >> 16) skipFrames(position >> 16, finished);
  }
}

}  // namespace wince
