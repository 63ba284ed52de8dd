#pragma once
// RIFF WAVE files in the canonical form the game's player reads: a 44-byte
// header (RIFF, fmt of 16 bytes, data) and 16-bit PCM.
#include <cstdint>
#include <vector>

namespace tools {

// Mono 16-bit samples at rate samples per second. Throws std::runtime_error
// when the file would pass 2^31 - 1 bytes.
std::vector<uint8_t> writeWav(const std::vector<int16_t>& samples, uint32_t rate);

}  // namespace tools
