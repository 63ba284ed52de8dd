#pragma once
// The promotion screen's pack: a u16 entry-offset count N, N u32 offsets
// (little-endian, from the start of the file; entry i runs from offset i to
// offset i + 1, so N is the entry count + 1) and the entries. Inside entries:
// u16 little-endian values, chunks (u16 length, bytes) and text tables (u16
// count, then u16 length and ISO-8859-1 bytes per text).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

struct PromotionMetadata {
  std::vector<std::string> parameterValues;
  std::vector<std::string> pageNames;
  std::array<std::vector<std::string>, 3> rowNames;
  bool fullScreen = false;
  std::string version;
};

// Entry 0. Throws std::runtime_error for a text past 65535 bytes or a table
// past 65535 texts.
std::vector<uint8_t> writePromotionMetadata(const PromotionMetadata& metadata);

// One parameter value's text block of entry 1 (without the block's own
// length): u16 0, u16 n, the n bytes of all texts, u16 0, u16 count, then
// count - 1 end offsets. An empty text leaves its id null in the game.
std::vector<uint8_t> writePromotionTextBlock(const std::vector<std::string>& texts);

// Entry 1: the blocks, each as a chunk.
std::vector<uint8_t> writePromotionTextEntry(const std::vector<std::vector<uint8_t>>& blocks);

// A u16 length and the bytes.
void appendPromotionChunk(std::vector<uint8_t>& into, const std::vector<uint8_t>& bytes);

// The glyph data of entry 2 after the font chunk: u16 B, u16 M, then per
// glyph u16 code and its record (x, y, width, height as bytes, or x and y as
// u16 with wide records).
struct PromotionGlyph {
  uint16_t code;
  uint16_t x, y;
  uint8_t width, height;
};
std::vector<uint8_t> writePromotionFontEntry(const std::vector<uint8_t>& fontPng,
                                             const std::vector<PromotionGlyph>& glyphs, bool wide);

// The whole file; an empty entry is stored as no bytes.
std::vector<uint8_t> writePromotionPack(const std::vector<std::vector<uint8_t>>& entries);

}  // namespace tools
