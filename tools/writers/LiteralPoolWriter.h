#pragma once
// The string-literal pool /constants.bin: a signed 32-bit big-endian count,
// then each text in readUTF form; text i is literal i.
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// Texts are UTF-8; throws std::runtime_error naming the literal that is
// malformed or too long.
std::vector<uint8_t> writeLiteralPool(const std::vector<std::string>& texts);

}  // namespace tools
