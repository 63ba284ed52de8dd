// The content lint over a small archive made by the writers, each case
// spoiling one thing the code relies on; and over the real content.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "runtime/LiteralIds.h"
#include "tools/compiler/ContentCompiler.h"
#include "tools/compiler/LevelAssembler.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/lint/ContentLint.h"
#include "tools/lint/ContentOrigins.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/PackWriter.h"
#include "tools/writers/SpriteWriter.h"
#include "tools/writers/TextPackWriter.h"
#include "tools/writers/TypedArrayWriter.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
namespace req = contentrequirement;

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A sprite of one-pixel image modules: frames place the given module counts,
// animations show frame 0 once each.
tools::SpriteDescription spriteOf(int frames, int animations, int palettes, int emptyFrame = -1) {
  tools::SpriteDescription sprite;
  sprite.flags = 0x1000000;
  for (int m = 0; m < 2; ++m) {
    tools::SpriteModule module;
    module.width = module.height = 1;
    module.indices = {1};
    sprite.modules.push_back(module);
  }
  for (int f = 0; f < frames; ++f) {
    tools::SpriteFrame frame;
    if (f != emptyFrame) frame.modules.push_back({.index = f % 2, .x = 3});
    sprite.frames.push_back(frame);
  }
  for (int a = 0; a < animations; ++a) sprite.anims.push_back({{{.frame = 0}}});
  for (int p = 0; p < palettes; ++p) sprite.palettes.push_back({0, 0xFF000000u + uint32_t(p)});
  return sprite;
}

struct Fixture {
  std::vector<std::string> literals;
  std::u16string fontCharacters = u"AB %s0";
  int fontFrames = -1;  // -1: the fallback, the metrics and one per character
  int fontPalettes = 7;
  tools::SpriteDescription panel = spriteOf(3, 1, 2, 1);
  std::vector<std::vector<std::string>> texts = {{"", "AB", "A %s0"}, {"B"}};
  // Layer sizes (columns, rows) of layers 0..4; {0, 0} leaves a layer out.
  std::array<std::pair<int, int>, 5> layers = {{{2, 2}, {0, 0}, {2, 2}, {0, 0}, {2, 2}}};
  std::vector<Bytes> sounds;  // none: no sound pack
  // Tile bytes of layers 0..4 in place of zeros; empty keeps the zeros.
  std::array<Bytes, 5> tiles;
  std::vector<Bytes> tileSets;  // none: no tile-set pack; an empty entry stays empty
  std::vector<Bytes> levels;    // none: no level pack
  std::function<void(tools::PackWriter&)> extraPanelEntries;
  std::function<void(tools::ArchiveWriter&)> extraEntries;

  Fixture() {
    const fs::path source = fs::path(QUENDRILL_CONTENT_DIR) / "literals.txt";
    std::ifstream in(source, std::ios::binary);
    literals = tools::parseLiteralTable(std::string(std::istreambuf_iterator<char>(in), {}), source.string()).texts;
  }

  const std::string& literal(LiteralId id) const { return literals.at(size_t(id)); }

  static void addPack(tools::ArchiveWriter& archive, std::string name, const tools::PackWriter& pack) {
    if (name.starts_with('/')) name.erase(0, 1);
    for (tools::PackFile& file : pack.write(name)) archive.add(file.name, std::move(file.bytes));
  }

  Bytes fontPack() const {
    std::vector<int32_t> map = {1, fontCharacters[0], 2, 0, int32_t(fontCharacters.size()) - 1};
    for (size_t i = 1; i < fontCharacters.size(); ++i) {
      map.push_back(fontCharacters[i]);
      map.push_back(int32_t(2 + i));
    }
    tools::PackWriter pack;
    pack.add(0, tools::writeTypedArray(tools::TypedArrayValue::ofShorts(map)));
    const int frames = fontFrames >= 0 ? fontFrames : int(2 + fontCharacters.size());
    for (int font = 0; font < 2; ++font) pack.add(0, tools::writeSprite(spriteOf(frames, 0, fontPalettes)));
    return pack.write("fonts").at(0).bytes;
  }

  Bytes archive() const {
    tools::ArchiveWriter archive;
    archive.add("constants.bin", tools::writeLiteralPool(literals));
    archive.add(literal(LiteralId::fontPack).substr(1), fontPack());
    tools::PackWriter ui;
    ui.add(0, tools::writeSprite(panel), tools::PackWriter::Compression::ifSmaller);
    if (extraPanelEntries) extraPanelEntries(ui);
    addPack(archive, literal(LiteralId::uiSpritePack), ui);
    tools::PackWriter textPack;
    for (const auto& entry : texts) textPack.add(0, tools::writeTextPack(entry));
    addPack(archive, literal(LiteralId::packNamePrefix) + literal(LiteralId::languageSuffix0), textPack);
    tools::PackWriter map;
    for (size_t layer = 0; layer < layers.size(); ++layer) {
      const auto [columns, rows] = layers[layer];
      if (columns == 0) {
        for (int i = 0; i < 3; ++i) map.addEmpty();
        continue;
      }
      map.add(0, {uint8_t(columns), uint8_t(columns >> 8), uint8_t(rows), uint8_t(rows >> 8)});
      map.add(0, tiles[layer].empty() ? Bytes(size_t(columns * rows), 0) : tiles[layer]);
      map.addEmpty();
    }
    addPack(archive, literal(LiteralId::packNamePrefix) + "10", map);
    for (const auto& [entries, name] : {std::pair{&tileSets, LiteralId::tileSetPack}, std::pair{&levels, LiteralId::levelPack}}) {
      if (entries->empty()) continue;
      tools::PackWriter pack;
      for (const Bytes& entry : *entries) entry.empty() ? pack.addEmpty() : pack.add(0, entry);
      addPack(archive, literal(name), pack);
    }
    if (!sounds.empty()) {
      tools::PackWriter soundPack;
      for (const Bytes& sound : sounds) sound.empty() ? soundPack.addEmpty() : soundPack.add(0, sound);
      addPack(archive, literal(LiteralId::soundPack), soundPack);
    }
    if (extraEntries) extraEntries(archive);
    return archive.write();
  }
};

const int32_t panelFrames[] = {0, 2};
const req::SpriteRequirement panelNeeds[] = {
    {"panel", 50, LiteralId::uiSpritePack, 0, 2, 0, 1, 2, panelFrames},
    {"world thing", 23, LiteralId::objectSpritePack, 7, 79, 103, 0, 0, {}, true},
};
const int32_t shownTexts[] = {1, 2};
const int32_t textsWithArgument[] = {2};

tools::LintRules fixtureRules() {
  tools::LintRules rules;
  rules.sprites = panelNeeds;
  rules.textsShown = shownTexts;
  rules.textsWithOneArgument = textsWithArgument;
  rules.sharedTextCount = 3;
  rules.rooms = 1;
  return rules;
}

std::string lint(const Fixture& fixture, const tools::LintRules& rules = fixtureRules()) {
  return tools::describeProblems(tools::lintContent(fixture.archive(), rules));
}

TEST(ContentLint, PassesContentThatHasEverythingTheCodeAsksFor) { EXPECT_EQ(lint(Fixture()), ""); }

// Each case spoils one thing and expects exactly the problem naming it.
TEST(ContentLint, NamesWhatTheCodeAsksForAndTheContentLacks) {
  struct Case {
    const char* what;
    std::function<void(Fixture&)> spoil;
    std::string expected;
  };
  const Case cases[] = {
      {"a painted frame is missing", [](Fixture& f) { f.panel = spriteOf(2, 1, 2, 1); },
       "pack \"/ui\" entry 0 (panel, sprite slot 50): has no frame 2 (2 frames)\n"},
      {"a painted frame is empty", [](Fixture& f) { f.panel = spriteOf(3, 1, 2, 2); },
       "pack \"/ui\" entry 0 (panel, sprite slot 50): frame 2 is painted but shows nothing\n"},
      {"too few palettes and animations", [](Fixture& f) { f.panel = spriteOf(3, 0, 1, 1); },
       "pack \"/ui\" entry 0 (panel, sprite slot 50): has 0 animations, the code uses 1\n"
       "pack \"/ui\" entry 0 (panel, sprite slot 50): has 1 palettes, the code uses 2\n"},
      {"a text character the fonts lack", [](Fixture& f) { f.texts[1][0] = "B\xE2\x82\xAC"; },
       "text pack \"/en\" entry 1 text 0: character U+20AC is not in the fonts\n"},
      {"a character mapped to a frame the fonts lack", [](Fixture& f) { f.fontFrames = 7; },
       "text pack \"/en\" entry 0 text 2: character U+0030 '0' is not in the fonts\n"},
      {"a palette code past the fonts' palettes", [](Fixture& f) { f.texts[0][1] = "A\\7B"; },
       "text pack \"/en\" entry 0 text 1: a backslash followed by U+0037 '7' selects no palette of the fonts (7)\n"},
      {"a text of more lines than the line-break table holds",
       [](Fixture& f) { f.texts[1][0] = "B" + std::string(199, '\n'); },
       "text pack \"/en\" entry 1 text 0: holds 200 lines; wrapped text holds at most 199\n"},
      {"a shown text is empty", [](Fixture& f) { f.texts[0][1] = ""; },
       "text pack \"/en\" entry 0 text 1: is empty, but the code shows it\n"},
      {"a text lacks its argument", [](Fixture& f) { f.texts[0][2] = "A B"; },
       "text pack \"/en\" entry 0 text 2: lacks the %s0 the code fills in\n"},
      {"the shared entry holds one text too many", [](Fixture& f) { f.texts[0].push_back("A"); },
       "text pack \"/en\" entry 0: holds 4 texts; the rooms' texts are addressed from 3\n"},
      {"a room's first text is empty", [](Fixture& f) { f.texts[1][0] = ""; },
       "text pack \"/en\" entry 1: the room's first text (id 3 of the joined pack) is empty\n"},
      {"a literal the code names is past the pool", [](Fixture& f) { f.literals.resize(300); },
       "constants.bin: literal 300 (recordStoreSeparator) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 301 (recordStorePrefix) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 302 (recordStoreSuffix) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 303 (recordStoreRecordInfix) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 304 (recordStoreDefaultVendor) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 305 (recordStoreOwnerSuffix) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 306 (recordStoreFull) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 307 (recordStoreWriteFailed) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 308 (recordStoreBadIndex) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 309 (recordStoreNameTaken) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 310 (recordStoreReadFailed) is named by the code but the pool holds 300 literals\n"
       "constants.bin: literal 311 (savedGameRefusedInfix) is named by the code but the pool holds 300 literals\n"},
      {"a language suffix that names a map pack",
       [](Fixture& f) { f.literals[size_t(LiteralId::languageSuffix3)] = "12"; },
       "constants.bin: language suffix literal 203 \"12\" is a number and would name a map pack\n"},
      {"a palette switch that is not the painter's code",
       [](Fixture& f) { f.literals[size_t(LiteralId::paletteSwitchCode)] = "\x02"; },
       "constants.bin: literal 161 is not the palette-switch code U+0001 that the text painter reads\n"},
      {"a first map number that is no number", [](Fixture& f) { f.literals[size_t(LiteralId::firstMapPack)] = "/x"; },
       "constants.bin: literal 155 \"/x\" is not a number after its first character\n"},
      {"a layer of another size than layer 0", [](Fixture& f) { f.layers[4] = {3, 2}; },
       "map pack \"/10\" layer 4: is 3 x 2 tiles, layer 0 is 2 x 2\n"},
      {"a played sound that is no sound",
       [](Fixture& f) {
         f.sounds.assign(34, Bytes{'R', 'I', 'F', 'F', 0});
         f.sounds[6].clear();  // plays sound 5
         f.sounds[3] = {'M', 'T', 'h', 'd'};
       },
       "pack \"/sounds\" entry 3: sound 3 is played but is neither WAV nor Ogg\n"},
      {"a sound pack short of sounds", [](Fixture& f) { f.sounds.assign(33, Bytes{'O', 'g', 'g', 'S'}); },
       "pack \"/sounds\": holds 33 sounds, the game plays 34\n"},
      {"a room without its collision layer", [](Fixture& f) { f.layers[4] = {0, 0}; },
       "map pack \"/10\" layer 4: is missing\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture fixture;
    c.spoil(fixture);
    EXPECT_EQ(lint(fixture), c.expected);
  }
}

// What the runtime's readers refuse: sizes, counts and damaged bytes.
TEST(ContentLint, RefusesWhatTheReadersRefuse) {
  // The writer refuses a module larger than the pixel buffer itself; the
  // lint must too when the bytes come from elsewhere, so the block is
  // patched after writing: module 0's width and height bytes (flags 0: one
  // byte each) follow the module count and its kind byte.
  Bytes block = tools::writeSprite(spriteOf(3, 1, 2, 1));
  block[6 + 2 + 1] = 200;
  block[6 + 2 + 2] = 200;
  Fixture tooLarge;
  tooLarge.extraEntries = [&](tools::ArchiveWriter& archive) {
    tools::PackWriter objects;
    for (int i = 0; i < 7; ++i) objects.addEmpty();
    objects.add(0, block);
    Fixture::addPack(archive, tooLarge.literal(LiteralId::objectSpritePack), objects);
  };
  EXPECT_EQ(lint(tooLarge),
            "pack \"/objects\" entry 7 (world thing, sprite slot 23): the game cannot use it as a sprite: image module 0 "
            "is larger than the pixel buffer (20480 pixels)\n");

  // An encoding the game has no decoder for: the art would never show.
  Bytes unknownEncoding = tools::writeSprite(spriteOf(3, 1, 2, 1));
  const uint8_t paletteHeader[] = {0x88, 0x88, 2, 2};  // ARGB 8888, two palettes of two colours
  const auto at = std::search(unknownEncoding.begin(), unknownEncoding.end(), std::begin(paletteHeader),
                              std::end(paletteHeader));
  ASSERT_NE(at, unknownEncoding.end());
  *(at + 4 + 16) = 0x40;
  *(at + 4 + 17) = 0xA6;
  Fixture undecodable;
  undecodable.extraEntries = [&](tools::ArchiveWriter& archive) {
    tools::PackWriter objects;
    for (int i = 0; i < 7; ++i) objects.addEmpty();
    objects.add(0, unknownEncoding);
    Fixture::addPack(archive, undecodable.literal(LiteralId::objectSpritePack), objects);
  };
  EXPECT_EQ(lint(undecodable),
            "pack \"/objects\" entry 7 (world thing, sprite slot 23): the game cannot use it as a sprite: pixel encoding "
            "42560 is not one the game decodes\n");

  Fixture damaged;
  damaged.extraPanelEntries = [](tools::PackWriter& pack) { pack.addStored({127, 1, 2, 3}); };
  EXPECT_EQ(lint(damaged), "pack \"/ui\" entry 1: LZMA header cut short\n");

  Fixture notASprite;
  notASprite.panel = tools::SpriteDescription{};
  EXPECT_NE(lint(notASprite).find("pack \"/ui\" entry 0 (panel, sprite slot 50): has 0 modules"), std::string::npos)
      << lint(notASprite);
}

TEST(ContentLint, SkipsTheWorldsPacksUntilTheSetIsComplete) {
  Fixture fixture;
  EXPECT_EQ(lint(fixture), "");
  tools::LintRules complete = fixtureRules();
  complete.complete = true;
  const std::string problems = lint(fixture, complete);
  EXPECT_NE(problems.find("pack \"/objects\": is missing from the archive\n"), std::string::npos) << problems;
  EXPECT_NE(problems.find("map pack \"/19\": of chapter 9 is missing from the archive\n"), std::string::npos)
      << problems;
  EXPECT_EQ(problems.find("\"/10\""), std::string::npos) << "chapter 0's map is there";
  // A world pack that is there is checked in any case.
  fixture.extraEntries = [&](tools::ArchiveWriter& archive) {
    tools::PackWriter objects;
    for (int i = 0; i < 7; ++i) objects.addEmpty();
    objects.add(0, tools::writeSprite(spriteOf(100, 0, 1)));
    Fixture::addPack(archive, fixture.literal(LiteralId::objectSpritePack), objects);
  };
  EXPECT_EQ(lint(fixture),
            "pack \"/objects\" entry 7 (world thing, sprite slot 23): has 2 modules, the code uses 79\n"
            "pack \"/objects\" entry 7 (world thing, sprite slot 23): has 100 frames, the code uses 103\n");
}

TEST(ContentLint, HoldsMapTilesToTheTileSetTheRoomHeaderNames) {
  // Tile set 0: layer 0 draws with entry 2 (3 frames), layer 2 with entry 4
  // (2 frames); sprite set 2 would use entries 14, 16 and 18.
  const auto withTileSets = [](Fixture& f) {
    const Bytes none;
    f.tileSets = {none, none, tools::writeSprite(spriteOf(3, 0, 1)), none, tools::writeSprite(spriteOf(2, 0, 1)), none};
    f.tiles[0] = {0, 1, 2, 255};
  };
  const auto header = [](uint8_t spriteSet) { return Bytes{2, spriteSet, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}; };
  const struct {
    const char* what;
    std::function<void(Fixture&)> spoil;
    std::string expected;
  } cases[] = {
      {"tiles within the frames, the empty tile anywhere", [](Fixture& f) { f.tiles[2] = {255, 1, 0, 255}; }, ""},
      {"tiles past the frames", [](Fixture& f) { f.tiles[2] = {0, 255, 2, 3}; },
       "map pack \"/10\" layer 2: tile 2 at column 0, row 1 is past the 2 frames of tile set 0 (pack \"/tilesets\" "
       "entry 4); 2 tiles in all\n"},
      {"sprite set 1 reads as 0",
       [&](Fixture& f) {
         f.levels = {{1}, header(1), {0}};
         f.tiles[2] = {0, 0, 0, 2};
       },
       "map pack \"/10\" layer 2: tile 2 at column 1, row 1 is past the 2 frames of tile set 0 (pack \"/tilesets\" "
       "entry 4)\n"},
      {"a sprite set the pack lacks", [&](Fixture& f) { f.levels = {{1}, header(2), {0}}; },
       "map pack \"/10\" layer 0: is drawn with tile set 2, but pack \"/tilesets\" entry 14 holds no sprite\n"
       "map pack \"/10\" layer 2: is drawn with tile set 2, but pack \"/tilesets\" entry 16 holds no sprite\n"},
      {"a layer drawn with an empty entry", [](Fixture& f) { f.tileSets[4].clear(); },
       "map pack \"/10\" layer 2: is drawn with tile set 0, but pack \"/tilesets\" entry 4 holds no sprite\n"},
      {"a level record cut short", [&](Fixture& f) { f.levels = {{1}, {1, 2, 0, 1}, {0}}; },
       "pack \"/levels\" entry 1: record 2 at byte 1 needs 10 bytes, 3 are left\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture fixture;
    withTileSets(fixture);
    c.spoil(fixture);
    EXPECT_EQ(lint(fixture), c.expected);
  }
  // Without a tile-set pack there is nothing to hold them to (yet).
  Fixture noTileSets;
  noTileSets.tiles[2] = {9, 9, 9, 9};
  EXPECT_EQ(lint(noTileSets), "");
}

TEST(ContentLint, NamesAnAnimationTheCodePlaysByNumberThatTheSpriteLacks) {
  const int32_t played[] = {1, 3};
  const req::SpriteRequirement needs[] = {
      {"panel", 50, LiteralId::uiSpritePack, 0, 0, 0, 0, 0, {}, false, played}};
  tools::LintRules rules = fixtureRules();
  rules.sprites = needs;
  Fixture fixture;
  fixture.panel = spriteOf(3, 4, 2);
  EXPECT_EQ(lint(fixture, rules), "");
  fixture.panel = spriteOf(3, 3, 2);
  EXPECT_EQ(lint(fixture, rules),
            "pack \"/ui\" entry 0 (panel, sprite slot 50): lacks animation 3 (it has 3), which the code plays\n");
}

// Room 0's records against the sprites its progress list loads: the
// objects pack holds slots 16 and 22..48 (entry slot - 16; a leader in 22),
// the cast packs 17, 18 and 19..21; every sprite has the animations given,
// each of one frame.
TEST(ContentLint, HoldsTheRoomsRecordsToTheSpritesTheirRoomLoads) {
  struct Sprites {
    int player = 108, partner = 34, murklings = 68, leader = 40, people = 8, breakables = 50;
  };
  const auto withRoom = [](Fixture& f, const std::string& source, Sprites sizes) {
    const tools::AssembledLevel shared = tools::assembleLevel("nop\n", "shared.lvl");
    const tools::AssembledLevel room =
        tools::assembleLevel(source, "room0.lvl", tools::LevelContext{.progress = 0, .shared = &shared});
    f.levels = {shared.bytes, room.bytes, {0}};
    f.extraEntries = [&f, sizes](tools::ArchiveWriter& archive) {
      const auto sprite = [](int animations) { return tools::writeSprite(spriteOf(2, animations, 2)); };
      tools::PackWriter objects;
      for (int slot = 16; slot <= 48; ++slot) {
        if (slot == 16) objects.add(0, sprite(sizes.player));
        else if (slot == 22) objects.add(0, sprite(sizes.leader));
        else if (slot == 31) objects.add(0, sprite(sizes.breakables));
        else if (slot >= 17 && slot <= 21) objects.addEmpty();
        else objects.add(0, sprite(8));
      }
      Fixture::addPack(archive, f.literal(LiteralId::objectSpritePack), objects);
      tools::PackWriter castA, castB;
      castA.add(0, sprite(sizes.partner));
      castA.add(0, sprite(sizes.people));
      castB.add(0, sprite(sizes.murklings));
      castB.add(0, sprite(sizes.people));
      castB.add(0, sprite(sizes.people));
      Fixture::addPack(archive, f.literal(LiteralId::castSpritePackA), castA);
      Fixture::addPack(archive, f.literal(LiteralId::castSpritePackB), castB);
    };
  };
  const std::string partners =
      "character id=@bram x=100 y=100 sprite=16 facing=3 abilityFlags=0 partnerIndex=0\n"
      "character id=@wren x=200 y=100 sprite=17 facing=3 abilityFlags=0 partnerIndex=1\n";
  const auto creature = [](const std::string& sprite, int anim, int type, int base) {
    return "creature id=@c" + sprite + std::to_string(type) + " x=50 y=50 sprite=" + sprite + " anim=" +
           std::to_string(anim) + " box=0,0,8,8 options=0 maxHp=5 dropItem=none route=none type=" +
           std::to_string(type) + " active=true reinforcementA=none reinforcementB=none palette=0 viewHalfAngle=0 " +
           "sightCells=0 animBase=" + std::to_string(base) + "\n";
  };
  const std::string where = "pack \"/levels\" entry 1 record ";
  const struct {
    const char* what;
    std::string source;
    Sprites sizes;
    std::string expected;
  } cases[] = {
      {"a room whose cast has everything", partners + creature("19", 2, 0, 0) + creature("22", 2, 1, 0) +
                                               "scenery id=@pot x=9 y=9 sprite=31 anim=42 active=true\n",
       {}, ""},
      {"the first partner's sprite stops short of carrying", partners, {.player = 104},
       where + "4 (character) at byte 0: the first partner on sprite slot 16 lacks animations 104, 105, 106, 107 (it "
               "has 104)\n"},
      {"the second partner's sprite lacks its shots", partners, {.partner = 22},
       where + "4 (character) at byte 11: the second partner on sprite slot 17 lacks animations 22, 23, 24, 25, 26, "
               "27, 28, 29 and 4 more (it has 22)\n"},
      {"an ordinary creature's base leaves its table past the sprite", creature("19", 0, 0, 4), {},
       where + "5 (creature) at byte 0: an ordinary creature (animation base 4) on sprite slot 19 lacks animations 70, "
               "71 (it has 68)\n"},
      {"a start animation the sprite lacks", creature("22", 45, 1, 0), {},
       where + "5 (creature) at byte 0: its start on sprite slot 22 lacks animation 45 (it has 40)\n"},
      {"a caller whose reinforcements lack their table", creature("19", 0, 2, 0), {.murklings = 60},
       where + "5 (creature) at byte 0: a caller's reinforcements on sprite slot 19 lack animations 60, 61, 62, 66, "
               "67 (it has 60)\n"},
      {"a breakable without its hit", "scenery id=@crate x=9 y=9 sprite=31 anim=46 active=true\n", {.breakables = 47},
       where + "17 (scenery) at byte 0: a breakable object's hit on sprite slot 31 lacks animation 47 (it has 47)\n"},
  };
  // The objects pack is here for the records: slot 23's own needs are not this test's.
  tools::LintRules rules = fixtureRules();
  rules.sprites = std::span(panelNeeds, 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture fixture;
    withRoom(fixture, c.source, c.sizes);
    EXPECT_EQ(lint(fixture, rules), c.expected);
  }

  // The assembler refuses a slot the room does not load, so the stream is
  // patched: slot 22 (stored 6) is loaded by progress 0 only, slot 24 (8)
  // not by progress 0.
  Fixture unloaded;
  withRoom(unloaded, "scenery id=@thing x=9 y=9 sprite=22 anim=0 active=true\n", {});
  ASSERT_EQ(unloaded.levels[1][7], 6);
  unloaded.levels[1][7] = 8;
  unloaded.levels[0] = unloaded.levels[1];
  EXPECT_EQ(lint(unloaded, rules), "pack \"/levels\" entry 0 record 17 (scenery) at byte 0: uses sprite slot 24, which not "
                            "every room loads\n"
                            "pack \"/levels\" entry 1 record 17 (scenery) at byte 0: uses sprite slot 24, which room 0's "
                            "progress list does not load\n");
}

TEST(ContentLint, WarnsOfASpawnerThatGetsTheIdleSpawnedObjects) {
  const std::string spawner =
      "spawner id=@s x=0 y=0 active=true sprite=none anim=0 box=0,0,1,1 p0=4 p1=0 trigger=0,0,1,1 p2=0 p3=0 p4=0 "
      "p5=0 p6=0 hitPoints=1 p7=0\n";
  const tools::AssembledLevel shared = tools::assembleLevel("nop\n", "shared.lvl");
  const tools::AssembledLevel room =
      tools::assembleLevel(spawner, "room0.lvl", tools::LevelContext{.progress = 0, .shared = &shared});
  Fixture f;
  f.levels = {shared.bytes, room.bytes, {0}};
  const auto problems = tools::lintContent(f.archive(), fixtureRules());
  ASSERT_EQ(problems.size(), 1u) << tools::describeProblems(problems);
  EXPECT_TRUE(problems[0].warning);
  EXPECT_EQ(tools::describeProblems(problems),
            "warning: pack \"/levels\" entry 1 record 18 (spawner) at byte 0: p0 4 gets 10 spawned objects from the "
            "loader that nothing drives\n");
}

TEST(ContentLint, PassesTheRealContent) {
  const Bytes archive = tools::compileContent(QUENDRILL_CONTENT_DIR);
  EXPECT_EQ(tools::describeProblems(tools::lintContent(archive)), "");
}

TEST(ContentLint, ProblemsCarryThePackEntryAndTextTheyAreAbout) {
  Fixture fixture;
  fixture.texts[1][0] = "B\xE2\x82\xAC";
  fixture.layers[2] = {1, 2};
  const auto problems = tools::lintContent(fixture.archive(), fixtureRules());
  ASSERT_EQ(problems.size(), 2u) << tools::describeProblems(problems);
  EXPECT_EQ(problems[0].pack, "/en");
  EXPECT_EQ(problems[0].entry, 1);
  EXPECT_EQ(problems[0].text, 0);
  EXPECT_EQ(problems[1].pack, "/10");
  EXPECT_EQ(problems[1].entry, -1);
}

// A refused build names the source to mend.
TEST(ContentLint, FindsTheSourceBehindAProblem) {
  const fs::path content = QUENDRILL_CONTENT_DIR;
  const tools::ContentOrigins origins(content);
  struct Case {
    tools::LintProblem problem;
    std::string source;
  };
  const Case cases[] = {
      {{"constants.bin", "", "", -1, -1}, (content / "literals.txt").string()},
      {{"", "", "/en", 0, 6}, (content / "texts" / "en.txt").string() + " [common] BUTTON_YES"},
      {{"", "", "/en", 2, -1}, (content / "texts" / "en.txt").string() + " [room 1]"},
      {{"", "", "/ui", 1, -1}, (content / "sprites" / "ui/hud.json").string()},
      {{"", "", "/common", 3, -1}, (content / "sprites" / "common.pack.json").string()},
      {{"", "", "/12", -1, -1}, (content / "maps" / "room2.map").string()},
      {{"", "", "/fonts", 1, -1}, ""},
      {{"", "", "/levels", 0, -1}, (content / "levels" / "shared.lvl").string()},
      {{"", "", "/levels", 5, -1}, (content / "levels" / "room2.lvl").string()},
      {{"", "", "/levels", 6, -1}, (content / "levels" / "room2.evs").string()},
  };
  for (const Case& c : cases) EXPECT_EQ(origins.sourceOf(c.problem), c.source) << c.problem.pack;

  // A pack entry may name its description inside an object.
  std::string pattern = (fs::temp_directory_path() / "origins-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  fs::copy_file(content / "literals.txt", folder / "literals.txt");
  fs::create_directory(folder / "sprites");
  std::ofstream(folder / "sprites" / "objects.pack.json")
      << R"({"pack": 145, "sprites": [{"empty": true}, {"sprite": "world/thing.json", "compress": false}]})";
  const tools::ContentOrigins objects(folder);
  EXPECT_EQ(objects.sourceOf({"", "", "/objects", 1, -1}), (folder / "sprites" / "world/thing.json").string());
  EXPECT_EQ(objects.sourceOf({"", "", "/objects", 0, -1}), (folder / "sprites" / "objects.pack.json").string());
  fs::remove_all(folder);
}

// Two runs of the compiler, each in a process of its own as the build runs
// it, write the same bytes as a run in this process.
TEST(ContentLint, TheCompilerWritesTheSameArchiveEveryRun) {
  std::string pattern = (fs::temp_directory_path() / "contentc-twice-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  std::vector<Bytes> runs;
  for (const char* name : {"a", "b"}) {
    const fs::path output = folder / name / "data.bar";
    const std::string command = std::string("'") + QUENDRILL_CONTENTC + "' --content '" + QUENDRILL_CONTENT_DIR +
                                "' --output '" + output.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    runs.push_back(readFile(output));
  }
  fs::remove_all(folder);
  ASSERT_FALSE(runs[0].empty());
  EXPECT_TRUE(runs[0] == runs[1]) << "two runs differ";
  EXPECT_TRUE(runs[0] == tools::compileContent(QUENDRILL_CONTENT_DIR)) << "the run in this process differs";
}

}  // namespace
