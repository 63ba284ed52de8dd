#pragma once
// The promotion stage: content/promotion.json names the screen's parameter
// values, pages and list rows, its texts by text id per parameter value and
// the colours of its pictures; the stage draws the pictures, rasterises the
// font from a TrueType file and writes the promotion pack.
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// Throws std::runtime_error naming the source and the fault.
std::vector<uint8_t> compilePromotionPack(const std::string& source, const std::string& sourceName,
                                          const std::string& fontPath);

}  // namespace tools
