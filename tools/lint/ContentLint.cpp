#include "tools/lint/ContentLint.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "game/RoomSpriteSlots.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SoundIds.h"
#include "game/world/LevelRecordFormat.h"
#include "game/toolkit/SpriteLimits.h"
#include "game/toolkit/SpriteTextCodes.h"
#include "runtime/LiteralIds.h"
#include "tools/lint/CompiledContent.h"

namespace tools {

LintRules::LintRules() : soundCount(sound::count) {}

namespace {

using namespace tools::compiled;
namespace req = contentrequirement;

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string characterName(char16_t c) {
  char code[8];
  snprintf(code, sizeof code, "U+%04X", unsigned(c));
  std::string name = code;
  if (c >= 33 && c < 127) name += std::string(" '") + char(c) + "'";
  return name;
}

// The fonts as the text painter meets them: the shared character map and
// the frames and palettes both fonts have.
struct Fonts {
  std::vector<std::vector<std::pair<int32_t, int32_t>>> buckets;  // (code, frame) in search order
  std::vector<int> frameModuleCounts;                             // of the font with fewer frames
  int palettes = 0;

  // The frame the painter draws for c: the fallback glyph when absent.
  int32_t frameOf(char16_t c) const {
    if (buckets.empty()) return spritetext::fallbackFrame;
    for (const auto& [code, frame] : buckets[size_t(c % buckets.size())])
      if (code == int32_t(c)) return frame;
    return spritetext::fallbackFrame;
  }
  bool holds(char16_t c) const {
    const int32_t frame = frameOf(c);
    return frame != spritetext::fallbackFrame && frame >= 0 && size_t(frame) < frameModuleCounts.size() &&
           frameModuleCounts[size_t(frame)] > 0;
  }
};

class Lint {
 public:
  Lint(const Archive& archive, const LintRules& rules) : m_archive(archive), m_rules(rules) {}

  std::vector<LintProblem> run() {
    if (!checkLiterals()) return std::move(m_problems);
    checkSprites();
    const std::optional<Fonts> fonts = readFonts();
    checkTexts(fonts);
    checkMaps();
    checkWorldPacks();
    checkRoomTiles();
    checkRoomRecords();
    return std::move(m_problems);
  }

 private:
  // What the next problems are about, for finding their source.
  struct Location {
    std::string pack;
    int entry = -1, text = -1;
  };

  void problem(std::string where, std::string reason) {
    m_problems.push_back({std::move(where), std::move(reason), m_at.pack, m_at.entry, m_at.text});
  }
  // Content the game can use, but likely not as its writer meant.
  void warning(std::string where, std::string reason) {
    m_problems.push_back({std::move(where), std::move(reason), m_at.pack, m_at.entry, m_at.text, true});
  }

  const std::string& literal(LiteralId id) const {
    static const std::string none;
    const size_t index = size_t(id);
    return index < m_literals.size() ? m_literals[index] : none;
  }

  // The pack, read once; nothing when it is absent or cannot be read. A
  // missing world pack is a problem only when the set is complete.
  const std::vector<PackEntry>* pack(const std::string& name, bool world) {
    auto found = m_packs.find(name);
    if (found == m_packs.end()) {
      const Location outer = m_at;
      m_at = {name};
      Error error;
      auto entries = m_archive.find(name) != nullptr ? readPack(m_archive, name, literal(LiteralId::packPartInfix), error)
                                                      : std::nullopt;
      if (!entries && m_archive.find(name) != nullptr) problem("pack " + quoted(name), error);
      if (entries) {
        for (size_t i = 0; i < entries->size(); ++i) {
          m_at.entry = int(i);
          if (!(*entries)[i].error.empty())
            problem("pack " + quoted(name) + " entry " + std::to_string(i), (*entries)[i].error);
        }
        m_at.entry = -1;
      }
      found = m_packs.emplace(name, std::move(entries)).first;
      if (!found->second && m_archive.find(name) == nullptr && (!world || m_rules.complete))
        problem("pack " + quoted(name), "is missing from the archive");
      m_at = outer;
    }
    return found->second ? &*found->second : nullptr;
  }

  const PackEntry* entryOf(const std::string& packName, int32_t entry, bool world) {
    const std::vector<PackEntry>* entries = pack(packName, world);
    if (entries == nullptr) return nullptr;
    if (entry < 0 || size_t(entry) >= entries->size()) {
      problem("pack " + quoted(packName), "has no entry " + std::to_string(entry) + " (" +
                                              std::to_string(entries->size()) + " entries)");
      return nullptr;
    }
    const PackEntry& found = (*entries)[size_t(entry)];
    return found.error.empty() ? &found : nullptr;
  }

  bool checkLiterals() {
    m_at = {};
    const Archive::Entry* pool = m_archive.find("constants.bin");
    Error error;
    const auto texts = pool != nullptr ? readLiteralPool(pool->bytes, error) : std::nullopt;
    if (!texts) {
      problem("constants.bin", pool == nullptr ? "the literal pool is missing" : error);
      return false;
    }
    m_literals = *texts;
    for (const NamedLiteral& named : namedLiterals)
      if (size_t(named.index) >= m_literals.size())
        problem("constants.bin", "literal " + std::to_string(named.index) + " (" + std::string(named.name) +
                                     ") is named by the code but the pool holds " +
                                     std::to_string(m_literals.size()) + " literals");
    // Text packs and map packs share the prefix: a suffix that is a number
    // would name a map pack.
    for (LiteralId id : languageSuffixLiterals) {
      const std::string& suffix = literal(id);
      if (!suffix.empty() && suffix.find_first_not_of("0123456789") == std::string::npos)
        problem("constants.bin", "language suffix literal " + std::to_string(int32_t(id)) + " \"" + suffix +
                                     "\" is a number and would name a map pack");
    }
    // Texts carry palette switches as this character and a palette number.
    if (size_t(LiteralId::paletteSwitchCode) < m_literals.size() && literal(LiteralId::paletteSwitchCode) != "\x01")
      problem("constants.bin", "literal " + std::to_string(int32_t(LiteralId::paletteSwitchCode)) +
                                   " is not the palette-switch code U+0001 that the text painter reads");
    if (!firstMapNumber())
      problem("constants.bin", "literal " + std::to_string(int32_t(LiteralId::firstMapPack)) + " \"" +
                                   literal(LiteralId::firstMapPack) +
                                   "\" is not a number after its first character");
    return true;
  }

  std::optional<int32_t> firstMapNumber() const {
    const std::string& text = literal(LiteralId::firstMapPack);
    int32_t value = 0;
    if (text.size() < 2) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
  }

  std::optional<SpriteTables> spriteAt(const std::string& packName, int32_t entry, bool world, const std::string& where) {
    const PackEntry* found = entryOf(packName, entry, world);
    if (found == nullptr) return std::nullopt;
    Error error;
    auto tables = readSpriteTables(found->data, error);
    if (!tables) problem(where, "the game cannot use it as a sprite: " + error);
    return tables;
  }

  void checkSprites() {
    for (const req::SpriteRequirement& sprite : m_rules.sprites) {
      const std::string packName = literal(sprite.pack);
      m_at = {packName, sprite.entry};
      const std::string where = "pack " + quoted(packName) + " entry " + std::to_string(sprite.entry) + " (" +
                                std::string(sprite.role) + ", sprite slot " + std::to_string(sprite.slot) + ")";
      const auto tables = spriteAt(packName, sprite.entry, sprite.world, where);
      if (!tables) continue;
      auto atLeast = [&](int has, int wanted, const char* what) {
        if (has < wanted)
          problem(where, "has " + std::to_string(has) + " " + what + ", the code uses " + std::to_string(wanted));
      };
      atLeast(tables->modules, sprite.minModules, "modules");
      atLeast(tables->frames, sprite.minFrames, "frames");
      atLeast(tables->animations, sprite.minAnimations, "animations");
      atLeast(tables->palettes, sprite.minPalettes, "palettes");
      for (int32_t frame : sprite.drawnFrames) {
        if (frame >= tables->frames)
          problem(where, "has no frame " + std::to_string(frame) + " (" + std::to_string(tables->frames) + " frames)");
        else if (tables->frameModuleCounts[size_t(frame)] == 0)
          problem(where, "frame " + std::to_string(frame) + " is painted but shows nothing");
      }
      for (int32_t anim = 0; anim < std::min(sprite.minAnimations, tables->animations); ++anim)
        if (tables->aframeCounts[size_t(anim)] == 0)
          problem(where, "animation " + std::to_string(anim) + " is played but has no frames");
      const std::string missing = missingAnims(*tables, sprite.playedAnims, 0);
      if (!missing.empty()) problem(where, "lacks " + missing + ", which the code plays");
    }
  }

  // The animations of wanted (each plus base) that the sprite lacks or that
  // have no frames, as "animations 3, 4 (of 2)"; empty when all are there.
  static std::string missingAnims(const SpriteTables& tables, std::span<const int32_t> wanted, int32_t base) {
    std::string list;
    int count = 0;
    for (const int32_t number : wanted) {
      const int32_t anim = number + base;
      if (anim >= 0 && anim < tables.animations && tables.aframeCounts[size_t(anim)] > 0) continue;
      if (count < 8) list += (count > 0 ? ", " : "") + std::to_string(anim);
      ++count;
    }
    if (count == 0) return "";
    if (count > 8) list += " and " + std::to_string(count - 8) + " more";
    return std::string(count == 1 ? "animation " : "animations ") + list + " (it has " +
           std::to_string(tables.animations) + ")";
  }

  std::optional<Fonts> readFonts() {
    const std::string packName = literal(LiteralId::fontPack);
    const std::string where = "pack " + quoted(packName);
    m_at = {packName, req::fontCharacterMapEntry};
    const PackEntry* mapEntry = entryOf(packName, req::fontCharacterMapEntry, false);
    if (mapEntry == nullptr) return std::nullopt;
    Error error;
    const auto map = readTypedValues(mapEntry->data, error);
    if (!map || map->empty() || (*map)[0] < 1 || map->size() < 1 + 2 * size_t((*map)[0])) {
      problem(where + " entry 0", "the character map cannot be read" + (error.empty() ? "" : ": " + error));
      return std::nullopt;
    }
    Fonts fonts;
    const auto& values = *map;
    const size_t n = size_t(values[0]);
    fonts.buckets.resize(n);
    for (size_t b = 0; b < n; ++b) fonts.buckets[b].emplace_back(values[1 + 2 * b], values[2 + 2 * b]);
    for (size_t at = 1 + 2 * n; at < values.size();) {
      if (at + 2 > values.size() || values[at] < 0 || size_t(values[at]) >= n || values[at + 1] < 0 ||
          at + 2 + 2 * size_t(values[at + 1]) > values.size()) {
        problem(where + " entry 0", "the character map is damaged at value " + std::to_string(at));
        break;
      }
      auto& bucket = fonts.buckets[size_t(values[at])];
      for (int32_t k = 0; k < values[at + 1]; ++k)
        bucket.emplace_back(values[at + 2 + 2 * size_t(k)], values[at + 3 + 2 * size_t(k)]);
      at += 2 + 2 * size_t(values[at + 1]);
    }
    bool first = true;
    for (int32_t entry : {req::titleFontEntry, req::textFontEntry}) {
      m_at = {packName, entry};
      const auto tables = spriteAt(packName, entry, false, where + " entry " + std::to_string(entry));
      if (!tables) return std::nullopt;
      if (first || tables->frameModuleCounts.size() < fonts.frameModuleCounts.size())
        fonts.frameModuleCounts = tables->frameModuleCounts;
      fonts.palettes = first ? tables->palettes : std::min(fonts.palettes, tables->palettes);
      first = false;
    }
    m_at = {packName, req::fontCharacterMapEntry};
    if (!fonts.holds(spritetext::space))
      problem(where + " entry 0", "the character map has no space, whose width every text uses");
    return fonts;
  }

  // Characters the painter draws as glyphs, and the inline codes' operands.
  void checkTextCharacters(const std::u16string& text, const Fonts& fonts, const std::string& where) {
    using namespace spritetext;
    const size_t lines = size_t(std::count(text.begin(), text.end(), newline)) + 1;
    if (lines > size_t(spritelimit::maxWrappedLines))
      problem(where, "holds " + std::to_string(lines) + " lines; wrapped text holds at most " +
                         std::to_string(spritelimit::maxWrappedLines));
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == escape || c == paletteCode || c == glyphCode) {
        if (i + 1 == text.size()) {
          problem(where, "ends with the inline code " + characterName(c) + " and nothing after it");
          return;
        }
        const char16_t operand = text[++i];
        if (c == escape && operand != underscore && operand != caret &&
            (operand < u'0' || operand - u'0' >= fonts.palettes))
          problem(where, "a backslash followed by " + characterName(operand) + " selects no palette of the fonts (" +
                             std::to_string(fonts.palettes) + ")");
        if (c == paletteCode && operand != restoreSavedPalette && operand >= fonts.palettes)
          problem(where, "palette code " + std::to_string(int(operand)) + " is not a palette of the fonts");
        if (c == glyphCode && (operand >= fonts.frameModuleCounts.size() || fonts.frameModuleCounts[operand] == 0))
          problem(where, "glyph code names frame " + std::to_string(int(operand)) + ", which the fonts do not have");
        continue;
      }
      if (c > space && !fonts.holds(c)) problem(where, "character " + characterName(c) + " is not in the fonts");
    }
  }

  void checkTexts(const std::optional<Fonts>& fonts) {
    const std::string& prefix = literal(LiteralId::packNamePrefix);
    bool first = true;
    for (LiteralId suffixId : languageSuffixLiterals) {
      const std::string packName = prefix + literal(suffixId);
      const bool reference = first;
      first = false;
      if (!reference && m_archive.find(packName) == nullptr) continue;
      const std::vector<PackEntry>* entries = pack(packName, false);
      if (entries == nullptr) continue;
      const std::string where = "text pack " + quoted(packName);
      for (size_t e = 0; e < entries->size(); ++e) {
        const PackEntry& entry = (*entries)[e];
        if (!entry.error.empty()) continue;
        const std::string entryWhere = where + " entry " + std::to_string(e);
        m_at = {packName, int(e)};
        Error error;
        const auto texts = readTextPack(entry.data, error);
        if (!texts) {
          problem(entryWhere, error);
          continue;
        }
        for (size_t t = 0; t < texts->texts.size(); ++t) {
          const std::string textWhere = entryWhere + " text " + std::to_string(t);
          m_at.text = int(t);
          if (texts->undecodable[t]) problem(textWhere, "cannot be decoded (the game shows it empty)");
          if (fonts) checkTextCharacters(texts->texts[t], *fonts, textWhere);
        }
        m_at.text = -1;
        if (e == 0) checkSharedTexts(*texts, entryWhere);
        if (e >= 1 && e <= size_t(m_rules.rooms) && (texts->texts.empty() || texts->texts[0].empty()))
          problem(entryWhere, "the room's first text (id " + std::to_string(m_rules.sharedTextCount) +
                                  " of the joined pack) is empty");
      }
      m_at = {packName};
      if (entries->size() < size_t(m_rules.rooms) + 1)
        problem(where, "has " + std::to_string(entries->size()) + " entries; the shared texts and " +
                           std::to_string(m_rules.rooms) + " rooms need " + std::to_string(m_rules.rooms + 1));
    }
  }

  void checkSharedTexts(const TextPack& texts, const std::string& where) {
    const int32_t count = int32_t(texts.texts.size());
    if (count != m_rules.sharedTextCount)
      problem(where, "holds " + std::to_string(count) + " texts; the rooms' texts are addressed from " +
                         std::to_string(m_rules.sharedTextCount));
    for (int32_t id : m_rules.textsShown) {
      if (id >= count) {
        problem(where, "has no text " + std::to_string(id) + ", which the code shows");
        continue;
      }
      m_at.text = id;
      if (texts.texts[size_t(id)].empty())
        problem(where + " text " + std::to_string(id), "is empty, but the code shows it");
      m_at.text = -1;
    }
    for (int32_t id : m_rules.textsWithOneArgument) {
      if (id >= count) continue;
      m_at.text = id;
      if (texts.texts[size_t(id)].find(u"%s0") == std::u16string::npos)
        problem(where + " text " + std::to_string(id), "lacks the %s0 the code fills in");
      m_at.text = -1;
    }
  }

  // Map packs: the prefix followed by a number.
  void checkMaps() {
    std::string prefix = literal(LiteralId::packNamePrefix);
    if (prefix.starts_with('/')) prefix.erase(0, 1);
    std::vector<std::string> names;
    for (const Archive::Entry& entry : m_archive.entries()) {
      std::string name = entry.name;
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      if (name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) continue;
      names.push_back("/" + name);
    }
    for (const std::string& name : names) checkMap(name);
  }

  void checkMap(const std::string& name) {
    const std::vector<PackEntry>* entries = pack(name, true);
    if (entries == nullptr) return;
    const std::string where = "map pack " + quoted(name);
    m_at = {name};
    if (entries->size() < 15) {
      problem(where, "has " + std::to_string(entries->size()) + " entries, not the 15 of five layers");
      return;
    }
    int32_t columns0 = -1, rows0 = -1;
    for (int layer = 0; layer < 5; ++layer) {
      const PackEntry& header = (*entries)[size_t(3 * layer)];
      const std::string layerWhere = where + " layer " + std::to_string(layer);
      if (header.data.empty()) {
        // Layer 1 is never built; 0 sizes the room and 4 is its collision.
        if (layer == 0 || layer == 4) problem(layerWhere, "is missing");
        continue;
      }
      if (header.data.size() < 4) {
        problem(layerWhere, "header holds " + std::to_string(header.data.size()) + " bytes, not the layer's size");
        continue;
      }
      const int32_t columns = int16_t(header.data[0] | header.data[1] << 8);
      const int32_t rows = int16_t(header.data[2] | header.data[3] << 8);
      if (columns <= 0 || rows <= 0) {
        problem(layerWhere, "claims " + std::to_string(columns) + " x " + std::to_string(rows) + " tiles");
        continue;
      }
      const size_t cells = size_t(columns) * size_t(rows);
      if ((*entries)[size_t(3 * layer + 1)].data.size() != cells)
        problem(layerWhere, "has " + std::to_string((*entries)[size_t(3 * layer + 1)].data.size()) +
                                " tile bytes for " + std::to_string(columns) + " x " + std::to_string(rows) + " tiles");
      const size_t attributes = (*entries)[size_t(3 * layer + 2)].data.size();
      if (attributes != 0 && attributes != cells)
        problem(layerWhere, "has " + std::to_string(attributes) + " attribute bytes for " + std::to_string(cells) +
                                " tiles");
      if (layer == 0) {
        columns0 = columns;
        rows0 = rows;
      } else if (columns0 >= 0 && (columns != columns0 || rows != rows0)) {
        problem(layerWhere, "is " + std::to_string(columns) + " x " + std::to_string(rows) + " tiles, layer 0 is " +
                                std::to_string(columns0) + " x " + std::to_string(rows0));
      }
    }
  }

  // Every sound the game plays is a WAV or Ogg file, which is how its
  // players tell them apart; the entries of ids that play another sound may
  // be empty.
  void checkSounds() {
    const std::string name = literal(LiteralId::soundPack);
    const auto* sounds = pack(name, true);
    if (sounds == nullptr) return;
    if (int32_t(sounds->size()) < m_rules.soundCount)
      problem("pack " + quoted(name),
              "holds " + std::to_string(sounds->size()) + " sounds, the game plays " + std::to_string(m_rules.soundCount));
    for (int32_t id = 0; id < std::min(m_rules.soundCount, int32_t(sounds->size())); ++id) {
      const PackEntry& entry = (*sounds)[size_t(id)];
      if (sound::remapped(id) != id || !entry.error.empty()) continue;
      m_at = {name, id};
      const auto starts = [&](std::string_view magic) {
        return entry.data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), entry.data.begin());
      };
      if (!starts("RIFF") && !starts("OggS"))
        problem("pack " + quoted(name) + " entry " + std::to_string(id), "sound " + std::to_string(id) +
                                                                             " is played but is neither WAV nor Ogg");
    }
  }

  // The world's packs, present in full once the set is complete.
  void checkWorldPacks() {
    m_at = {literal(LiteralId::soundPack)};
    checkSounds();
    m_at = {literal(LiteralId::levelPack)};
    if (const auto* levels = pack(literal(LiteralId::levelPack), true);
        levels != nullptr && int32_t(levels->size()) < 2 * m_rules.rooms + 1)
      problem("pack " + quoted(literal(LiteralId::levelPack)),
              "holds " + std::to_string(levels->size()) + " entries; shared objects and " + std::to_string(m_rules.rooms) +
                  " rooms' objects and scripts need " + std::to_string(2 * m_rules.rooms + 1));
    pack(literal(LiteralId::tileSetPack), true);
    const auto firstMap = firstMapNumber();
    if (!m_rules.complete || !firstMap) return;
    for (int32_t chapter = 0; chapter < req::chapters; ++chapter) {
      const std::string name = literal(LiteralId::packNamePrefix) + std::to_string(chapter + *firstMap);
      m_at = {name};
      if (m_archive.find(name) == nullptr)
        problem("map pack " + quoted(name), "of chapter " + std::to_string(chapter) + " is missing from the archive");
    }
  }

  // The sprite set a room's header names, walking its level records as the
  // loader does; 0 without a header. A record cut short is a problem.
  int32_t roomSpriteSet(int32_t room) {
    const std::string name = literal(LiteralId::levelPack);
    const std::vector<PackEntry>* levels = pack(name, true);
    const int32_t index = levelrecord::roomObjectsEntry(room);
    if (levels == nullptr || size_t(index) >= levels->size()) return 0;
    const std::vector<uint8_t>& bytes = (*levels)[size_t(index)].data;
    int32_t set = 0;
    for (size_t at = 0; at < bytes.size();) {
      const uint8_t opcode = bytes[at];
      const size_t end = at + 1 + size_t(levelrecord::bodySize(opcode));
      if (end > bytes.size()) {
        m_at = {name, index};
        problem("pack " + quoted(name) + " entry " + std::to_string(index),
                "record " + std::to_string(opcode) + " at byte " + std::to_string(at) + " needs " +
                    std::to_string(end - at) + " bytes, " + std::to_string(bytes.size() - at) + " are left");
        break;
      }
      if (opcode == levelrecord::op::header) set = levelrecord::roomSpriteSet(bytes[at + 1]);
      at = end;
    }
    return set;
  }

  // Every tile of the painted layers (0, 2, 3) is a frame of the tile
  // sprite the room's header chooses for that layer.
  void checkRoomTiles() {
    const std::string tileSetName = literal(LiteralId::tileSetPack);
    const auto firstMap = firstMapNumber();
    if (!firstMap || m_archive.find(tileSetName) == nullptr) return;
    const std::vector<PackEntry>* tileSets = pack(tileSetName, true);
    if (tileSets == nullptr) return;
    for (int32_t room = 0; room < m_rules.rooms; ++room) {
      const int32_t set = roomSpriteSet(room);
      const std::string mapName = literal(LiteralId::packNamePrefix) + std::to_string(room + *firstMap);
      if (m_archive.find(mapName) == nullptr) continue;
      const std::vector<PackEntry>* map = pack(mapName, true);
      if (map == nullptr || map->size() < 15) continue;
      m_at = {mapName};
      for (const int32_t layer : {0, 2, 3}) {
        const std::vector<uint8_t>& header = (*map)[size_t(3 * layer)].data;
        const std::vector<uint8_t>& tiles = (*map)[size_t(3 * layer + 1)].data;
        const int32_t columns = header.size() >= 4 ? int16_t(header[0] | header[1] << 8) : 0;
        const auto drawn = [](uint8_t tile) { return tile != CVLibPlayer::emptyTile; };
        if (columns <= 0 || std::none_of(tiles.begin(), tiles.end(), drawn)) continue;
        const std::string where = "map pack " + quoted(mapName) + " layer " + std::to_string(layer);
        const int32_t entry = levelrecord::tileSpriteEntry(set, layer);
        const std::string source = "pack " + quoted(tileSetName) + " entry " + std::to_string(entry);
        std::optional<SpriteTables> sprite;
        if (size_t(entry) < tileSets->size() && !(*tileSets)[size_t(entry)].empty &&
            (*tileSets)[size_t(entry)].error.empty()) {
          Error error;
          sprite = readSpriteTables((*tileSets)[size_t(entry)].data, error);
        }
        if (!sprite) {
          problem(where, "is drawn with tile set " + std::to_string(set) + ", but " + source + " holds no sprite");
          continue;
        }
        // The painter draws frames, or modules from a sprite without frames.
        const int32_t count = sprite->frames > 0 ? sprite->frames : sprite->modules;
        const char* what = sprite->frames > 0 ? " frames" : " modules";
        size_t bad = 0, first = 0;
        for (size_t i = 0; i < tiles.size(); ++i)
          if (drawn(tiles[i]) && tiles[i] >= count && bad++ == 0) first = i;
        if (bad > 0)
          problem(where, "tile " + std::to_string(tiles[first]) + " at column " + std::to_string(first % size_t(columns)) +
                             ", row " + std::to_string(first / size_t(columns)) + " is past the " + std::to_string(count) +
                             what + " of tile set " + std::to_string(set) + " (" + source + ")" +
                             (bad > 1 ? "; " + std::to_string(bad) + " tiles in all" : ""));
      }
    }
  }

  // The sprite the room load puts in a world slot; nothing when that entry
  // is absent or cannot be read (reported once).
  const SpriteTables* worldSprite(int32_t slot) {
    auto found = m_worldSprites.find(slot);
    if (found == m_worldSprites.end()) {
      const Location outer = m_at;
      const req::SpriteSource source = req::worldSpriteSource(slot);
      const std::string packName = literal(source.pack);
      m_at = {packName, source.entry};
      const std::vector<PackEntry>* entries = pack(packName, true);
      std::optional<SpriteTables> tables;
      if (entries != nullptr && size_t(source.entry) < entries->size() && !(*entries)[size_t(source.entry)].empty)
        tables = spriteAt(packName, source.entry, true,
                          "pack " + quoted(packName) + " entry " + std::to_string(source.entry) + " (sprite slot " +
                              std::to_string(slot) + ")");
      m_at = outer;
      found = m_worldSprites.emplace(slot, std::move(tables)).first;
    }
    return found->second ? &*found->second : nullptr;
  }

  static std::string spriteName(int32_t slot) {
    return "sprite slot " + std::to_string(slot);
  }

  // Every record of the shared stream and of each room's: the sprites it
  // names are slots its room loads (any room, for the shared ones), the
  // animation it starts with is one of that sprite's, and a character,
  // creature or breakable finds on its sprite every animation its kind's
  // tables play.
  void checkRoomRecords() {
    const std::string name = literal(LiteralId::levelPack);
    const std::vector<PackEntry>* levels = pack(name, true);
    if (levels == nullptr) return;
    checkRecords(name, *levels, levelrecord::sharedEntry, -1);
    for (int32_t room = 0; room < m_rules.rooms; ++room) checkRecords(name, *levels, levelrecord::roomObjectsEntry(room), room);
  }

  void checkRecords(const std::string& packName, const std::vector<PackEntry>& levels, int32_t entry, int32_t room) {
    if (size_t(entry) >= levels.size()) return;
    const std::vector<uint8_t>& bytes = levels[size_t(entry)].data;
    for (size_t at = 0; at < bytes.size();) {
      const uint8_t opcode = bytes[at];
      const size_t end = at + 1 + size_t(levelrecord::bodySize(opcode));
      if (end > bytes.size()) break;  // reported with the room's tiles
      const levelrecord::Record* record = levelrecord::findRecord(opcode);
      if (record != nullptr) {
        m_at = {packName, entry};
        const std::string where = "pack " + quoted(packName) + " entry " + std::to_string(entry) + " record " +
                                  std::to_string(opcode) + " (" + std::string(record->name) + ") at byte " +
                                  std::to_string(at);
        checkRecord(*record, std::span(bytes).subspan(at + 1, end - at - 1), room, where);
      }
      at = end;
    }
  }

  static std::optional<int32_t> fieldValue(const levelrecord::Record& record, std::span<const uint8_t> body,
                                           std::string_view name) {
    size_t offset = 0;
    for (const levelrecord::Field& field : record.fields) {
      if (field.name == name) {
        using levelrecord::FieldType;
        switch (field.type) {
          case FieldType::u8:
          case FieldType::boolean:
            return body[offset];
          case FieldType::s8:
            return int8_t(body[offset]);
          case FieldType::u16:
            return body[offset] | body[offset + 1] << 8;
          case FieldType::s16:
            return int16_t(body[offset] | body[offset + 1] << 8);
        }
      }
      offset += size_t(levelrecord::sizeOf(field.type));
    }
    return std::nullopt;
  }

  void checkRecord(const levelrecord::Record& record, std::span<const uint8_t> body, int32_t room,
                   const std::string& where) {
    if (record.op == levelrecord::op::spawner && fieldValue(record, body, "p0") == levelrecord::idleMachineSpawner)
      warning(where, "p0 4 gets " + std::to_string(levelrecord::spawnedChildren) +
                         " spawned objects from the loader that nothing drives");
    for (const levelrecord::Field& field : record.fields) {
      if (field.role != levelrecord::FieldRole::sprite) continue;
      const int32_t stored = *fieldValue(record, body, field.name);
      const int32_t slot = stored + field.offset;
      // Negative values and slots past the table name no sprite.
      if (stored < 0 || slot < levelrecord::spriteSlotOffset || slot >= levelrecord::spriteSlotCount) continue;
      const bool loaded = room < 0 ? roomsprite::isLoadedInEveryRoom(slot) : roomsprite::isLoadedInRoom(slot, room);
      if (!loaded) {
        problem(where, "uses " + spriteName(slot) + ", which " +
                           (room < 0 ? std::string("not every room loads")
                                     : "room " + std::to_string(room) + "'s progress list does not load"));
        continue;
      }
      // The interface sprites stay from start-up and are not the world's.
      if (slot > roomsprite::lastWorldSlot) continue;
      const SpriteTables* sprite = worldSprite(slot);
      if (sprite == nullptr) continue;
      checkRecordAnims(record, body, room, slot, *sprite, where);
    }
  }

  void checkRecordAnims(const levelrecord::Record& record, std::span<const uint8_t> body, int32_t room, int32_t slot,
                        const SpriteTables& sprite, const std::string& where) {
    const auto wants = [&](std::span<const int32_t> anims, int32_t base, const std::string& who) {
      const std::string missing = missingAnims(sprite, anims, base);
      if (!missing.empty()) problem(where, who + " on " + spriteName(slot) + " lacks " + missing);
    };
    const std::optional<int32_t> anim = fieldValue(record, body, "anim");
    const int32_t base = record.op == levelrecord::op::creature ? *fieldValue(record, body, "animBase") : 0;
    // A door shows no animation until it opens; two trigger records of two
    // chapters are drawn with another sprite.
    const bool substituted = record.op == 81 && slot == 27 && anim && ((room == 5 && *anim == 31) || (room == 0 && *anim == 5));
    if (anim && record.op != 80 && !substituted) {
      const int32_t start = *anim + base;
      wants(std::span(&start, 1), 0, "its start");
    }
    if (record.op == levelrecord::op::character) {
      if (room == 1 || room == 6) {
        wants(req::sideViewAnims, 0, "a partner carried by the camera");
      } else {
        const bool second = *fieldValue(record, body, "partnerIndex") == 1;
        wants(second ? std::span<const int32_t>(req::partnerOneAnims) : req::partnerZeroAnims, 0,
              second ? "the second partner" : "the first partner");
      }
    } else if (record.op == levelrecord::op::creature) {
      switch (*fieldValue(record, body, "type")) {
        case 0:
          wants(req::ordinaryCreatureAnims, base, "an ordinary creature (animation base " + std::to_string(base) + ")");
          break;
        case 1:
          wants(req::leaderCreatureAnims, 0, "a leader");
          break;
        case 2: {
          wants(req::callerCreatureAnims, 0, "a caller");
          if (const SpriteTables* reinforcement = worldSprite(req::reinforcementSlot)) {
            const std::string missing = missingAnims(*reinforcement, req::ordinaryCreatureAnims, 0);
            if (!missing.empty())
              problem(where, "a caller's reinforcements on " + spriteName(req::reinforcementSlot) + " lack " + missing);
          }
          break;
        }
        default:
          break;
      }
    } else if ((record.op == 3 || record.op == 17) && slot == req::breakableSlot && anim &&
               std::find(std::begin(req::breakableStartAnims), std::end(req::breakableStartAnims), *anim) !=
                   std::end(req::breakableStartAnims)) {
      const int32_t hit = *anim + 1;
      wants(std::span(&hit, 1), 0, "a breakable object's hit");
    }
  }

  const Archive& m_archive;
  const LintRules& m_rules;
  std::map<int32_t, std::optional<SpriteTables>> m_worldSprites;
  std::vector<std::string> m_literals;
  std::map<std::string, std::optional<std::vector<PackEntry>>> m_packs;
  std::vector<LintProblem> m_problems;
  Location m_at;
};

}  // namespace

std::vector<LintProblem> lintContent(std::span<const uint8_t> archiveBytes, const LintRules& rules) {
  Error error;
  const auto archive = Archive::read(archiveBytes, error);
  if (!archive) return {{"data.bar", error, "", -1, -1}};
  return Lint(*archive, rules).run();
}

std::string describeProblems(const std::vector<LintProblem>& problems) {
  std::string text;
  for (const LintProblem& problem : problems)
    text += (problem.warning ? "warning: " : "") + problem.where + ": " + problem.reason + "\n";
  return text;
}

}  // namespace tools
