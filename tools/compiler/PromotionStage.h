#pragma once
// The promotion stage: content/promotion.json names the screen's parameter
// values, pages and list rows, its texts by text id per parameter value, the
// style of its font and the SVG art of its pictures; the stage rasterises the
// art and the font (from a TrueType file) and writes the promotion pack.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools {

// Art paths are relative to folder (the description's own). Throws
// std::runtime_error naming the source and the fault.
std::vector<uint8_t> compilePromotionPack(const std::string& source, const std::string& sourceName,
                                          const std::filesystem::path& folder, const std::string& fontPath);

}  // namespace tools
