#pragma once
// The host side of the wave-out device. SDL pulls mixed frames from its own
// thread; the null back end has no thread and lets the device advance its
// voices by the tick count instead.
#include <cstdint>
#include <memory>

namespace wince::backend {

class AudioRenderer {
 public:
  virtual ~AudioRenderer() = default;
  // Fills frameCount interleaved stereo frames at frameRate.
  virtual void render(int16_t* stereoFrames, int frameCount, int frameRate) = 0;
};

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;
  virtual const char* name() const = 0;
  // True when voices advance with GetTickCount rather than being pulled.
  virtual bool followsTickCount() const = 0;
};

// Null when SDL cannot open an audio device. The renderer must outlive it.
std::unique_ptr<AudioBackend> makeSdlAudioBackend(AudioRenderer& renderer);
std::unique_ptr<AudioBackend> makeNullAudioBackend();

}  // namespace wince::backend
