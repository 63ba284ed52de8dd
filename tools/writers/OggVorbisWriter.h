#pragma once
// Ogg Vorbis files from 16-bit samples: the game's music and the tests'
// fixtures. The same samples always give the same bytes.
#include <cstdint>
#include <optional>
#include <vector>

namespace tools {

// 16-bit interleaved samples to an Ogg Vorbis file (quality 0.4). Empty when
// the encoder library cannot be loaded.
std::optional<std::vector<uint8_t>> encodeOggVorbis(const std::vector<int16_t>& interleaved, int channels, int rate);

}  // namespace tools
