#pragma once
// Test fixtures in Ogg Vorbis, encoded on the spot from generated samples.
#include <cstdint>
#include <optional>
#include <vector>

namespace media_decode_test {

// 16-bit interleaved samples to an Ogg Vorbis file (quality 0.4). Empty when
// the encoder library cannot be loaded.
std::optional<std::vector<uint8_t>> encodeOggVorbis(const std::vector<int16_t>& interleaved, int channels, int rate);

}  // namespace media_decode_test
