#pragma once
// Shared by the wave-out tests: a callback that records what it receives and
// PCM buffers made on the spot.
#include <mutex>
#include <thread>
#include <vector>

#include "wince/waveout.h"

namespace waveout_test {

struct ReceivedMessage {
  HWAVEOUT waveOut;
  UINT message;
  WAVEHDR* header;  // WOM_DONE only
  std::thread::id thread;
};

class MessageRecorder {
 public:
  static void callback(HWAVEOUT waveOut, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
    auto* recorder = reinterpret_cast<MessageRecorder*>(instance);
    std::lock_guard lock(recorder->m_mutex);
    recorder->m_messages.push_back(
        {waveOut, message, message == WOM_DONE ? reinterpret_cast<WAVEHDR*>(param1) : nullptr, std::this_thread::get_id()});
  }

  MMRESULT open(HWAVEOUT* waveOut, const WAVEFORMATEX& format) {
    return waveOutOpen(waveOut, 0, &format, reinterpret_cast<DWORD_PTR>(&callback), reinterpret_cast<DWORD_PTR>(this),
                       CALLBACK_FUNCTION);
  }

  std::vector<ReceivedMessage> messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
  }
  std::vector<WAVEHDR*> finished() const {
    std::vector<WAVEHDR*> headers;
    for (const ReceivedMessage& message : messages())
      if (message.message == WOM_DONE) headers.push_back(message.header);
    return headers;
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<ReceivedMessage> m_messages;
};

inline WAVEFORMATEX pcmFormat(DWORD rate, WORD channels, WORD bits) {
  const WORD blockAlign = WORD(channels * bits / 8);
  return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * blockAlign, blockAlign, bits, 0};
}

// A buffer of the given bytes with its header, prepared on request.
struct Buffer {
  explicit Buffer(size_t bytes, DWORD flags = 0, DWORD loops = 0) : data(bytes) {
    header.lpData = data.data();
    header.dwBufferLength = DWORD(bytes);
    header.dwFlags = flags;
    header.dwLoops = loops;
  }
  std::vector<char> data;
  WAVEHDR header{};
};

}  // namespace waveout_test
