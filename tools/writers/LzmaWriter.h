#pragma once
// LZMA-alone streams for compressed pack entries, made by liblzma. liblzma
// writes an unknown size (all bits set) into the header and ends the data
// with an end marker; the game's decoder takes its output size from the
// header, so the true size goes into bytes 5..8 and zero into bytes 9..12.
#include <cstdint>
#include <span>
#include <vector>

namespace tools {

struct LzmaOptions {
  int lc = 3;
  int lp = 0;
  int pb = 2;
  uint32_t preset = 6;
};

// Throws std::runtime_error when liblzma refuses the options or the data.
std::vector<uint8_t> lzmaCompress(std::span<const uint8_t> data, const LzmaOptions& options = {});

}  // namespace tools
