#pragma once
// Readers of the compiled formats for the content lint: the archive, resource
// packs (with their parts and LZMA entries), the literal pool, typed arrays,
// text packs and the tables of sprite blocks. They read what the game's
// readers read and refuse what those refuse, each with the reason, but they
// are written apart from the game's own code so that the lint can run in the
// compiler without the game's runtime.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tools::compiled {

// A problem found while reading; empty when the read went well.
using Error = std::string;

class Archive {
 public:
  struct Entry {
    std::string name;  // as stored (readUTF text; ASCII names in our content)
    std::span<const uint8_t> bytes;
  };
  // Nothing, with the reason in error, when the index runs past the file.
  static std::optional<Archive> read(std::span<const uint8_t> file, Error& error);

  // The entry a lookup of name finds: one leading "/" dropped, the first
  // entry of the same length whose ASCII letters match without case.
  const Entry* find(std::string_view name) const;
  const std::vector<Entry>& entries() const { return m_entries; }

 private:
  std::vector<Entry> m_entries;
};

struct PackEntry {
  int type = 0;
  bool compressed = false;
  bool empty = true;          // stored with no bytes at all (no type byte)
  std::vector<uint8_t> data;  // unpacked
  Error error;                // the entry cannot be read (the game gets null)
};

// Every entry of the pack named name (its parts named name + infix + p). A
// pack whose header or offset tables cannot be read gives nothing and the
// reason; an entry that cannot be unpacked carries its own error.
std::optional<std::vector<PackEntry>> readPack(const Archive& archive, std::string_view name,
                                                std::string_view partInfix, Error& error);

// Texts of the literal pool, UTF-8.
std::optional<std::vector<std::string>> readLiteralPool(std::span<const uint8_t> bytes, Error& error);

// The values of a typed array of bytes, shorts or ints as the game reads
// them (narrowed elements sign-extended); nested arrays are refused.
std::optional<std::vector<int32_t>> readTypedValues(std::span<const uint8_t> bytes, Error& error);

// The texts of a text pack in UTF-16, as the game's decoder gives them; a
// text the decoder cannot read is marked in undecodable.
struct TextPack {
  std::vector<std::u16string> texts;
  std::vector<bool> undecodable;
};
std::optional<TextPack> readTextPack(std::span<const uint8_t> bytes, Error& error);

// What the sprite loader makes of a block, in the numbers the code asks for.
struct SpriteTables {
  int modules = 0;
  int frames = 0;
  int animations = 0;
  int palettes = 0;
  std::vector<int> frameModuleCounts;  // per frame
  std::vector<int> aframeCounts;       // per animation
};
// Nothing, with the loader's reason, when the loader would refuse the block.
std::optional<SpriteTables> readSpriteTables(std::span<const uint8_t> bytes, Error& error);

}  // namespace tools::compiled
