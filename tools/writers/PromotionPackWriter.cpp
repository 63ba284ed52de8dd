#include "tools/writers/PromotionPackWriter.h"

#include <algorithm>
#include <stdexcept>

#include "tools/writers/LittleEndianWriter.h"

namespace tools {

namespace {

uint16_t checkedU16(size_t value, const char* what) {
  if (value > 0xFFFF) throw std::runtime_error(std::string("promotion pack: ") + what + " past 65535");
  return static_cast<uint16_t>(value);
}

void writeText(LittleEndianWriter& out, const std::string& text) {
  out.writeShort(checkedU16(text.size(), "text length"));
  out.writeBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void writeTable(LittleEndianWriter& out, const std::vector<std::string>& texts) {
  out.writeShort(checkedU16(texts.size(), "text count"));
  for (const std::string& text : texts) writeText(out, text);
}

}  // namespace

std::vector<uint8_t> writePromotionMetadata(const PromotionMetadata& metadata) {
  LittleEndianWriter out;
  out.writeShort(0);
  writeText(out, "");
  writeTable(out, metadata.parameterValues);
  writeTable(out, metadata.pageNames);
  for (const auto& rows : metadata.rowNames) writeTable(out, rows);
  out.writeShort(metadata.fullScreen ? 1 : 0);
  writeText(out, metadata.version);
  return out.take();
}

std::vector<uint8_t> writePromotionTextBlock(const std::vector<std::string>& texts) {
  std::string data;
  std::vector<size_t> ends;
  for (const std::string& text : texts) {
    data += text;
    ends.push_back(data.size());
  }
  LittleEndianWriter out;
  out.writeShort(0);
  out.writeShort(checkedU16(data.size(), "text data"));
  out.writeBytes({reinterpret_cast<const uint8_t*>(data.data()), data.size()});
  out.writeShort(0);
  out.writeShort(checkedU16(texts.size(), "text count"));
  for (size_t j = 0; j + 1 < ends.size(); ++j) out.writeShort(checkedU16(ends[j], "text end"));
  return out.take();
}

void appendPromotionChunk(std::vector<uint8_t>& into, const std::vector<uint8_t>& bytes) {
  const uint16_t length = checkedU16(bytes.size(), "chunk length");
  into.push_back(static_cast<uint8_t>(length));
  into.push_back(static_cast<uint8_t>(length >> 8));
  into.insert(into.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> writePromotionTextEntry(const std::vector<std::vector<uint8_t>>& blocks) {
  std::vector<uint8_t> entry;
  for (const auto& block : blocks) appendPromotionChunk(entry, block);
  return entry;
}

std::vector<uint8_t> writePromotionFontEntry(const std::vector<uint8_t>& fontPng,
                                             const std::vector<PromotionGlyph>& glyphs, bool wide) {
  std::vector<uint8_t> entry;
  appendPromotionChunk(entry, fontPng);
  LittleEndianWriter out;
  uint16_t highest = 0;
  for (const PromotionGlyph& glyph : glyphs) highest = std::max(highest, glyph.code);
  out.writeShort(checkedU16(glyphs.size() * (wide ? 8 : 6), "glyph data"));
  out.writeShort(highest);
  for (const PromotionGlyph& glyph : glyphs) {
    out.writeShort(glyph.code);
    if (wide) {
      out.writeShort(glyph.x);
      out.writeShort(glyph.y);
    } else {
      if (glyph.x > 255 || glyph.y > 255) throw std::runtime_error("promotion pack: glyph position past 255");
      out.writeByte(static_cast<uint8_t>(glyph.x));
      out.writeByte(static_cast<uint8_t>(glyph.y));
    }
    out.writeByte(glyph.width);
    out.writeByte(glyph.height);
  }
  entry.insert(entry.end(), out.bytes().begin(), out.bytes().end());
  return entry;
}

std::vector<uint8_t> writePromotionPack(const std::vector<std::vector<uint8_t>>& entries) {
  const size_t count = entries.size() + 1;
  LittleEndianWriter out;
  out.writeShort(checkedU16(count, "entry count"));
  size_t offset = 2 + 4 * count;
  for (size_t i = 0; i < count; ++i) {
    if (offset > 0x7FFFFFFF) throw std::runtime_error("promotion pack: past 2 GiB");
    out.writeInt(static_cast<uint32_t>(offset));
    if (i < entries.size()) offset += entries[i].size();
  }
  for (const auto& entry : entries) out.writeBytes(entry);
  return out.take();
}

}  // namespace tools
