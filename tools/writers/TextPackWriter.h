#pragma once
// Text packs: a signed 32-bit count, the end offset of each text in the text
// bytes, then the texts back to back in UTF-8 (one- to three-byte forms);
// all integers little-endian.
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// Texts are UTF-8; throws std::runtime_error naming the text that is
// ill-formed or holds a character outside the Basic Multilingual Plane,
// which the game's decoder cannot represent.
std::vector<uint8_t> writeTextPack(const std::vector<std::string>& texts);

}  // namespace tools
