#pragma once
// The bytes of a small /constants.bin for tests: count entries, each empty
// unless texts names it (ASCII texts only).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline std::vector<uint8_t> literalPoolBytes(int32_t count, const std::map<int32_t, std::string>& texts) {
  std::vector<uint8_t> bytes = {uint8_t(count >> 24), uint8_t(count >> 16), uint8_t(count >> 8), uint8_t(count)};
  for (int32_t i = 0; i < count; ++i) {
    const auto found = texts.find(i);
    const std::string text = found != texts.end() ? found->second : std::string();
    bytes.push_back(uint8_t(text.size() >> 8));
    bytes.push_back(uint8_t(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  return bytes;
}
