#include "tools/lint/CompiledContent.h"

#include <lzma.h>

#include <algorithm>
#include <cstring>

#include "game/toolkit/LzmaDecoder.h"
#include "game/toolkit/SpriteLimits.h"
#include "game/toolkit/SpritePixelDecoding.h"
#include "tools/writers/SpriteWriter.h"

namespace tools::compiled {
namespace {

// Little- or big-endian reads that never pass the end: a read that would
// fails the reader and every later read.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes, size_t position = 0) : m_bytes(bytes), m_position(position) {
    if (position > bytes.size()) m_failed = true;
  }
  bool failed() const { return m_failed; }
  size_t position() const { return m_position; }
  size_t remaining() const { return m_failed ? 0 : m_bytes.size() - m_position; }

  uint32_t u8() { return has(1) ? m_bytes[m_position++] : 0; }
  int32_t s8() { return static_cast<int8_t>(u8()); }
  uint32_t u16() {
    if (!has(2)) return 0;
    const uint32_t value = m_bytes[m_position] | uint32_t(m_bytes[m_position + 1]) << 8;
    m_position += 2;
    return value;
  }
  int32_t s16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() {
    if (!has(4)) return 0;
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | m_bytes[m_position + size_t(i)];
    m_position += 4;
    return value;
  }
  uint32_t u16be() {
    if (!has(2)) return 0;
    const uint32_t value = uint32_t(m_bytes[m_position]) << 8 | m_bytes[m_position + 1];
    m_position += 2;
    return value;
  }
  uint32_t u32be() {
    if (!has(4)) return 0;
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | m_bytes[m_position + size_t(i)];
    m_position += 4;
    return value;
  }
  std::span<const uint8_t> take(size_t count) {
    if (!has(count)) return {};
    const auto part = m_bytes.subspan(m_position, count);
    m_position += count;
    return part;
  }

 private:
  bool has(size_t count) {
    if (!m_failed && m_bytes.size() - m_position >= count) return true;
    m_failed = true;
    return false;
  }
  std::span<const uint8_t> m_bytes;
  size_t m_position;
  bool m_failed = false;
};

void appendUtf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// The readUTF form's bytes (one- to three-byte forms) as UTF-16.
std::optional<std::u16string> modifiedUtf8(std::span<const uint8_t> bytes) {
  std::u16string text;
  for (size_t i = 0; i < bytes.size();) {
    const uint8_t c = bytes[i];
    if (c < 0x80) {
      text += char16_t(c);
      i += 1;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < bytes.size() && (bytes[i + 1] & 0xC0) == 0x80) {
      text += char16_t((c & 0x1F) << 6 | (bytes[i + 1] & 0x3F));
      i += 2;
    } else if ((c & 0xF0) == 0xE0 && i + 2 < bytes.size() && (bytes[i + 1] & 0xC0) == 0x80 &&
               (bytes[i + 2] & 0xC0) == 0x80) {
      text += char16_t((c & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 | (bytes[i + 2] & 0x3F));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

// The text pack's built-in decoder: a three-byte form when it is complete,
// else a two-byte form, else the text cannot be read.
std::optional<std::u16string> textPackDecode(std::span<const uint8_t> b) {
  std::u16string chars;
  size_t i = 0;
  while (i < b.size()) {
    const uint8_t c = b[i];
    if (c < 0x80) {
      chars += char16_t(c);
      i += 1;
    } else if ((c & 0xE0) == 0xE0 && i + 2 < b.size() && (b[i + 1] & 0xC0) == 0x80 && (b[i + 2] & 0xC0) == 0x80) {
      chars += char16_t((c & 0x0F) << 12 | (b[i + 1] & 0x3F) << 6 | (b[i + 2] & 0x3F));
      i += 3;
    } else if ((c & 0xC0) == 0xC0 && i + 1 < b.size() && (b[i + 1] & 0xC0) == 0x80) {
      chars += char16_t((c & 0x1F) << 6 | (b[i + 1] & 0x3F));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return chars;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The LZMA-alone stream as the game unpacks it: the output size from the
// header, refused above the game's limit or when the data ends early.
std::vector<uint8_t> unpackLzma(std::span<const uint8_t> stream, Error& error) {
  if (stream.size() < lzma::headerBytes) {
    error = "LZMA header cut short";
    return {};
  }
  uint64_t size = 0;
  for (int i = 7; i >= 0; --i) size = size << 8 | stream[5 + size_t(i)];
  if (size > lzma::maxUnpackedSize) {
    error = "unpacks to " + std::to_string(size) + " bytes, more than the game's " +
            std::to_string(lzma::maxUnpackedSize);
    return {};
  }
  // liblzma reads to the end marker when the size is unknown; the game stops
  // once it has the header's size.
  std::vector<uint8_t> input(stream.begin(), stream.end());
  std::fill(input.begin() + 5, input.begin() + 13, uint8_t(0xFF));
  lzma_stream decoder = LZMA_STREAM_INIT;
  if (lzma_alone_decoder(&decoder, UINT64_MAX) != LZMA_OK) {
    error = "LZMA decoder unavailable";
    return {};
  }
  std::vector<uint8_t> output(size_t(size) + 1);
  decoder.next_in = input.data();
  decoder.avail_in = input.size();
  decoder.next_out = output.data();
  decoder.avail_out = output.size();
  lzma_ret result = LZMA_OK;
  while (result == LZMA_OK && decoder.avail_out > 0) result = lzma_code(&decoder, LZMA_FINISH);
  const size_t produced = output.size() - decoder.avail_out;
  lzma_end(&decoder);
  if (produced < size) {
    error = "LZMA data ends after " + std::to_string(produced) + " of " + std::to_string(size) + " bytes";
    return {};
  }
  output.resize(size_t(size));
  return output;
}

}  // namespace

std::optional<Archive> Archive::read(std::span<const uint8_t> file, Error& error) {
  Reader in(file);
  const int32_t count = static_cast<int16_t>(in.u16be());
  if (in.failed() || count < 0) {
    error = "archive index count cannot be read";
    return std::nullopt;
  }
  Archive archive;
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t length = in.u16be();
    const auto nameBytes = in.take(length);
    const uint32_t offset = in.u32be(), size = in.u32be();
    if (in.failed()) {
      error = "archive index ends inside entry " + std::to_string(i);
      return std::nullopt;
    }
    const auto name = modifiedUtf8(nameBytes);
    if (!name) {
      error = "archive entry " + std::to_string(i) + " has a name that is not readUTF text";
      return std::nullopt;
    }
    if (uint64_t(offset) + size > file.size()) {
      error = "archive entry " + std::to_string(i) + " lies past the end of the file";
      return std::nullopt;
    }
    Entry entry;
    for (char16_t c : *name) appendUtf8(entry.name, c);
    entry.bytes = file.subspan(offset, size);
    archive.m_entries.push_back(std::move(entry));
  }
  return archive;
}

const Archive::Entry* Archive::find(std::string_view name) const {
  if (name.starts_with('/')) name.remove_prefix(1);
  for (const Entry& entry : m_entries)
    if (sameName(entry.name, name)) return &entry;
  return nullptr;
}

std::optional<std::vector<PackEntry>> readPack(const Archive& archive, std::string_view name,
                                                std::string_view partInfix, Error& error) {
  const Archive::Entry* part0 = archive.find(name);
  if (part0 == nullptr) {
    error = "no archive entry";
    return std::nullopt;
  }
  Reader header(part0->bytes);
  const uint32_t entryCount = header.u16();
  const int32_t partCount = header.s16();
  if (header.failed() || partCount < 1) {
    error = "pack header cannot be read (part count " + std::to_string(partCount) + ")";
    return std::nullopt;
  }
  std::vector<uint32_t> firstEntries;
  for (int32_t p = 0; p < partCount; ++p) firstEntries.push_back(header.u16());
  if (header.failed() || firstEntries[0] != 0 || !std::is_sorted(firstEntries.begin(), firstEntries.end()) ||
      firstEntries.back() > entryCount) {
    error = "pack header's parts do not cover the entries in order";
    return std::nullopt;
  }
  std::vector<PackEntry> entries;
  for (int32_t p = 0; p < partCount; ++p) {
    const std::string partName =
        p == 0 ? std::string(name) : std::string(name) + std::string(partInfix) + std::to_string(p);
    const Archive::Entry* part = p == 0 ? part0 : archive.find(partName);
    if (part == nullptr) {
      error = "part " + std::to_string(p) + " (\"" + partName + "\") is missing";
      return std::nullopt;
    }
    Reader in(part->bytes, p == 0 ? header.position() : 0);
    const uint32_t last = p + 1 < partCount ? firstEntries[size_t(p) + 1] : entryCount;
    const uint32_t n = last - firstEntries[size_t(p)];
    std::vector<uint32_t> offsets;
    for (uint32_t k = 0; k <= n; ++k) offsets.push_back(in.u32());
    if (in.failed()) {
      error = "part " + std::to_string(p) + "'s offset table is cut short";
      return std::nullopt;
    }
    // An entry must start after the table (the reader moves forward over
    // it) and lie within the part.
    if (offsets.front() < in.position() || !std::is_sorted(offsets.begin(), offsets.end()) ||
        offsets.back() > part->bytes.size()) {
      error = "part " + std::to_string(p) + "'s offsets do not ascend within the part";
      return std::nullopt;
    }
    for (uint32_t k = 0; k < n; ++k) {
      PackEntry entry;
      const auto stored = part->bytes.subspan(offsets[k], offsets[k + 1] - offsets[k]);
      if (!stored.empty()) {
        entry.empty = false;
        const int t = stored[0];
        entry.compressed = t > 126;
        entry.type = entry.compressed ? t - 127 : t;
        const auto data = stored.subspan(1);
        if (entry.compressed)
          entry.data = unpackLzma(data, entry.error);
        else
          entry.data.assign(data.begin(), data.end());
      }
      entries.push_back(std::move(entry));
    }
  }
  return entries;
}

std::optional<std::vector<std::string>> readLiteralPool(std::span<const uint8_t> bytes, Error& error) {
  Reader in(bytes);
  const int32_t count = static_cast<int32_t>(in.u32be());
  if (in.failed() || count < 0) {
    error = "literal pool count cannot be read";
    return std::nullopt;
  }
  std::vector<std::string> texts;
  for (int32_t i = 0; i < count; ++i) {
    const auto text = modifiedUtf8(in.take(in.u16be()));
    if (in.failed() || !text) {
      error = "literal " + std::to_string(i) + " cannot be read";
      return std::nullopt;
    }
    std::string utf8;
    for (char16_t c : *text) appendUtf8(utf8, c);
    texts.push_back(std::move(utf8));
  }
  return texts;
}

std::optional<std::vector<int32_t>> readTypedValues(std::span<const uint8_t> bytes, Error& error) {
  Reader in(bytes);
  const uint32_t header = in.u8();
  const uint32_t kind = header & 7;
  const uint32_t count = (header & 8) != 0 ? in.u16() : in.u8();
  if (in.failed() || kind > 2) {
    error = in.failed() ? "typed array header cut short" : "typed array of arrays where values are read";
    return std::nullopt;
  }
  const uint32_t width = header >> 4;
  const int elementBytes = kind == 0 ? 1 : kind == 1 ? (width == 0 ? 1 : 2) : (width == 0 ? 1 : width == 1 ? 2 : 4);
  std::vector<int32_t> values;
  for (uint32_t i = 0; i < count; ++i) {
    if (elementBytes == 1) values.push_back(in.s8());
    if (elementBytes == 2) values.push_back(in.s16());
    if (elementBytes == 4) values.push_back(static_cast<int32_t>(in.u32()));
  }
  if (in.failed()) {
    error = "typed array elements cut short";
    return std::nullopt;
  }
  return values;
}

std::optional<TextPack> readTextPack(std::span<const uint8_t> bytes, Error& error) {
  Reader in(bytes);
  const int32_t count = static_cast<int32_t>(in.u32());
  if (in.failed() || count < 0 || uint64_t(count) * 4 > in.remaining()) {
    error = "text count " + std::to_string(count) + " does not fit the data";
    return std::nullopt;
  }
  std::vector<uint32_t> offsets{0};
  for (int32_t i = 0; i < count; ++i) {
    const int32_t end = static_cast<int32_t>(in.u32());
    if (end < int32_t(offsets.back())) {
      error = "end of text " + std::to_string(i) + " out of order";
      return std::nullopt;
    }
    offsets.push_back(uint32_t(end));
  }
  const auto textBytes = in.take(offsets.back());
  if (in.failed()) {
    error = "text bytes pass the end of the data";
    return std::nullopt;
  }
  TextPack pack;
  for (int32_t i = 0; i < count; ++i) {
    const auto decoded = textPackDecode(textBytes.subspan(offsets[size_t(i)], offsets[size_t(i) + 1] - offsets[size_t(i)]));
    pack.texts.push_back(decoded.value_or(u""));
    pack.undecodable.push_back(!decoded.has_value());
  }
  return pack;
}

std::optional<SpriteTables> readSpriteTables(std::span<const uint8_t> bytes, Error& error) {
  auto refuse = [&](const std::string& why) -> std::optional<SpriteTables> {
    error = why;
    return std::nullopt;
  };
  if (bytes.size() < size_t(spritelimit::minEntryBytes))
    return refuse("not a sprite (" + std::to_string(bytes.size()) + " bytes)");
  Reader in(bytes, 2);
  const uint32_t flags = in.u32();
  const bool imageData = (flags & 0x1000000) != 0, hasImages = imageData || (flags & 0x8) != 0;
  const bool xyShorts = (flags & 0x20) != 0, xyBytes = !xyShorts && (flags & 0x2) != 0;
  const bool sizeShorts = (flags & 0x10) != 0, wide = (flags & 0x400) != 0;
  const bool withPalette = (flags & 0x4000) != 0, withCollision = (flags & 0x8000) != 0;
  SpriteTables tables;

  // Modules.
  const int32_t modules = in.s16();
  if (modules > spritelimit::maxIndex) return refuse("module count " + std::to_string(modules));
  std::vector<int> kinds;
  std::vector<int64_t> pixels;
  for (int32_t m = 0; m < modules; ++m) {
    const uint32_t kindByte = in.u8();
    int kind = -1;
    switch (kindByte) {
      case 0: kind = 0; break;
      case 255: kind = 1; break;
      case 254: kind = 2; break;
      case 253: kind = 5; break;
      case 252: kind = 3; break;
      case 251: kind = 4; break;
      case 250: kind = 6; break;
      case 249: kind = 7; break;
      default: return refuse("module " + std::to_string(m) + " has kind byte " + std::to_string(kindByte));
    }
    if (kind != 0 && kind != 5) in.u32();
    if (kind == 0 && (xyShorts || xyBytes)) xyShorts ? (in.u16(), in.u16()) : (in.u8(), in.u8());
    int64_t width = 0, height = 0;
    if (kind != 6 && kind != 7) {
      width = sizeShorts ? in.s16() : int32_t(in.u8());
      height = sizeShorts ? in.s16() : int32_t(in.u8());
    }
    for (int i = 0; i < (kind == 3 || kind == 4 ? 2 : kind == 6 || kind == 7 ? 4 : 0); ++i) in.u16();
    if (in.failed()) return refuse("module " + std::to_string(m) + " runs past the end");
    if (kind == 0 && hasImages && (uint16_t(width) * int64_t(uint16_t(height))) > spritelimit::pixelBufferSize)
      return refuse("image module " + std::to_string(m) + " is larger than the pixel buffer (" +
                    std::to_string(spritelimit::pixelBufferSize) + " pixels)");
    kinds.push_back(kind);
  }
  tables.modules = std::max(modules, 0);

  // Frame modules.
  const int32_t fmodules = in.s16();
  std::vector<std::pair<int, bool>> fmoduleTargets;  // index, names a frame
  std::vector<int> fmodulePalettes;
  for (int32_t i = 0; i < fmodules; ++i) {
    const uint32_t low = in.u8();
    wide ? (in.u16(), in.u16()) : (in.u8(), in.u8());
    const int palette = withPalette ? int(in.u8()) : 0;
    const uint32_t moduleFlags = in.u8();
    if (in.failed()) return refuse("frame module " + std::to_string(i) + " runs past the end");
    const int index = int(low | (moduleFlags & 0xC0) << 2);
    const bool namesFrame = (moduleFlags & 0x10) != 0;
    if (!namesFrame && index >= tables.modules)
      return refuse("frame module " + std::to_string(i) + " names missing module " + std::to_string(index));
    fmoduleTargets.emplace_back(index, namesFrame);
    fmodulePalettes.push_back(palette);
  }
  const int fmoduleTotal = std::max(fmodules, 0);

  // Frames.
  int32_t collisionTotal = 0;
  if (withCollision) {
    collisionTotal = std::max(in.s16(), 0);
    for (int32_t i = 0; i < collisionTotal * 4; ++i) wide ? in.u16() : in.u8();
  }
  const int32_t frames = in.s16();
  if (frames > spritelimit::maxIndex) return refuse("frame count " + std::to_string(frames));
  int32_t collisionSum = 0;
  for (int32_t f = 0; f < frames; ++f) {
    const int count = int(in.u16() & 0xFF);
    const int32_t first = in.s16();
    const int32_t rects = withCollision ? in.s8() : 0;
    if (in.failed()) return refuse("frame " + std::to_string(f) + " runs past the end");
    if (count > 0 && (first < 0 || first + count > fmoduleTotal))
      return refuse("frame " + std::to_string(f) + " names missing frame modules");
    if (rects < 0 || collisionSum + rects > collisionTotal)
      return refuse("frame " + std::to_string(f) + " names missing collision rects");
    collisionSum += rects;
    tables.frameModuleCounts.push_back(count);
  }
  tables.frames = std::max(frames, 0);
  if (tables.frames > 0 && (flags & 0x1000) == 0)
    for (int32_t i = 0; i < tables.frames * 4; ++i) wide ? in.u16() : in.u8();
  for (size_t i = 0; i < fmoduleTargets.size(); ++i)
    if (fmoduleTargets[i].second && fmoduleTargets[i].first >= tables.frames)
      return refuse("frame module " + std::to_string(i) + " names missing frame " +
                    std::to_string(fmoduleTargets[i].first));

  // Animation frames and animations.
  const int32_t aframes = in.s16();
  if (aframes > spritelimit::maxIndex) return refuse("aframe count " + std::to_string(aframes));
  const bool aframeWide = (flags & 0x40000) != 0;
  for (int32_t i = 0; i < aframes; ++i) {
    const uint32_t low = in.u8();
    in.u8();
    aframeWide ? (in.u16(), in.u16()) : (in.u8(), in.u8());
    const uint32_t frameFlags = in.u8();
    if (in.failed()) return refuse("aframe " + std::to_string(i) + " runs past the end");
    const int frame = int(low | (frameFlags & 0xC0) << 2);
    if (frame >= tables.frames) return refuse("aframe " + std::to_string(i) + " names missing frame " + std::to_string(frame));
  }
  const int32_t anims = in.s16();
  for (int32_t a = 0; a < anims; ++a) {
    const int count = int(in.u16() & 0xFF);
    const int32_t first = in.s16();
    if (in.failed()) return refuse("animation " + std::to_string(a) + " runs past the end");
    if (count > 0 && (first < 0 || first + count > std::max(aframes, 0)))
      return refuse("animation " + std::to_string(a) + " names missing aframes");
    tables.aframeCounts.push_back(count);
  }
  tables.animations = std::max(anims, 0);
  if (in.failed()) return refuse("tables run past the end");

  // Palettes, read only when there are modules, as the loader does.
  if (tables.modules > 0 && imageData && in.remaining() > 0) {
    const uint32_t format = in.u16();
    const int count = int(in.u8());
    const int coloursByte = int(in.u8());
    if (in.failed()) return refuse("palette header runs past the end");
    if (count > spritelimit::maxPalettes) return refuse(std::to_string(count) + " palettes, more than 16");
    tables.palettes = count;
    const int colours = coloursByte == 0 ? 256 : coloursByte;
    // An unknown palette format reads no colours and leaves the art black.
    const bool wideColours = format == uint32_t(spriteformat::argb8888);
    if (!wideColours && format != uint32_t(spriteformat::argb4444) && format != uint32_t(spriteformat::argb1555) &&
        format != uint32_t(spriteformat::rgb565))
      return refuse("palette format " + std::to_string(format) + " is not one the game reads");
    for (int c = 0; c < count * colours; ++c) wideColours ? in.u32() : in.u16();
    const uint32_t encoding = in.u16();
    if (in.failed()) return refuse("palettes run past the end");
    switch (encoding) {
      case spriteencoding::packed1:
      case spriteencoding::packed2:
      case spriteencoding::packed4:
      case spriteencoding::bytes:
      case spriteencoding::singleOrRun:
      case spriteencoding::runOrLiterals:
      case spriteencoding::packedRuns:
      case spriteencoding::runsWithAlpha: break;
      default: return refuse("pixel encoding " + std::to_string(encoding) + " is not one the game decodes");
    }
    const bool wideSizes = (flags & 0x80) != 0;
    for (int m = 0; m < tables.modules; ++m) {
      const int64_t size = wideSizes ? int64_t(in.u32()) : int64_t(in.s16());
      if (size < 0 || in.failed()) return refuse("module " + std::to_string(m) + "'s pixel bytes cannot be read");
      if (size_t(size) > in.remaining()) return refuse("module " + std::to_string(m) + "'s pixel bytes run past the end");
      in.take(size_t(size));
    }
  }
  for (size_t i = 0; i < fmodulePalettes.size(); ++i)
    if (withPalette && fmodulePalettes[i] >= std::max(tables.palettes, 1))
      return refuse("frame module " + std::to_string(i) + " names missing palette " + std::to_string(fmodulePalettes[i]));
  return tables;
}

}  // namespace tools::compiled
