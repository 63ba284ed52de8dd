#include <SDL.h>

#include "wince/backend/audio_backend.h"
#include "wince/log.h"

namespace wince::backend {

namespace {

class SdlAudioBackend final : public AudioBackend {
 public:
  explicit SdlAudioBackend(AudioRenderer& renderer) : m_renderer(renderer) {}

  ~SdlAudioBackend() override {
    if (m_device) SDL_CloseAudioDevice(m_device);
    if (m_subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool open() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      logPrintf("SDL audio: %s\n", SDL_GetError());
      return false;
    }
    m_subsystemStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = &SdlAudioBackend::fill;
    wanted.userdata = this;
    // The mixer makes stereo 16-bit frames at whatever rate the card likes.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &m_spec, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!m_device) {
      logPrintf("SDL audio: %s\n", SDL_GetError());
      return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    return true;
  }

  const char* name() const override { return "sdl"; }
  bool followsTickCount() const override { return false; }

 private:
  static void fill(void* self, Uint8* stream, int length) {
    auto& backend = *static_cast<SdlAudioBackend*>(self);
    backend.m_renderer.render(reinterpret_cast<int16_t*>(stream), length / 4, backend.m_spec.freq);
  }

  AudioRenderer& m_renderer;
  SDL_AudioDeviceID m_device = 0;
  SDL_AudioSpec m_spec{};
  bool m_subsystemStarted = false;
};

}  // namespace

std::unique_ptr<AudioBackend> makeSdlAudioBackend(AudioRenderer& renderer) {
  auto backend = std::make_unique<SdlAudioBackend>(renderer);
  if (!backend->open()) return nullptr;
  return backend;
}

}  // namespace wince::backend
