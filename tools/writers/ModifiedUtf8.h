#pragma once
// Modified UTF-8, the text form of the platform's formats (readUTF): UTF-16
// units, each as one to three bytes, character 0 as C0 80, characters above
// U+FFFF as their two surrogates.
#include <cstdint>
#include <string_view>
#include <vector>

namespace tools {

// Encodes UTF-8 text; throws std::runtime_error on malformed UTF-8.
std::vector<uint8_t> encodeModifiedUtf8(std::string_view utf8);

}  // namespace tools
