#include "wince/backend/audio_backend.h"

namespace wince::backend {

namespace {

class NullAudioBackend final : public AudioBackend {
 public:
  const char* name() const override { return "null"; }
  bool followsTickCount() const override { return true; }
};

}  // namespace

std::unique_ptr<AudioBackend> makeNullAudioBackend() { return std::make_unique<NullAudioBackend>(); }

}  // namespace wince::backend
