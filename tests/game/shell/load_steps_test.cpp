// The loader's steps over the game's built data: every profile runs to its
// end, fills the slots its chapter needs and no others, builds the caches
// and layers the world draws from, and survives packs that are missing or
// damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/io/javax_microedition_io_ResourceInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/shell/shell_fixture.h"
#include "tests/runtime/archive_test_support.h"
#include "tests/support/MappedFileSystem.h"
#include "tests/support/RuntimeFixture.h"
#include "game/ContentRequirements.h"
#include "tools/compiler/MapCompiler.h"
#include "tools/lint/CompiledContent.h"
#include "tools/compiler/SpriteCompiler.h"
#include "tools/compiler/TextSources.h"
#include "tools/writers/PackWriter.h"
#include "wince/log.h"

namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::pair<std::string, std::string>>;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The archive's entries, in order (count, then name/offset/length records).
Entries entriesOf(const std::string& archive) {
  auto u16 = [&](size_t at) { return size_t(uint8_t(archive[at])) << 8 | uint8_t(archive[at + 1]); };
  auto u32 = [&](size_t at) { return u16(at) << 16 | u16(at + 2); };
  Entries out;
  size_t at = 2;
  for (size_t i = 0, n = u16(0); i < n; ++i) {
    const size_t length = u16(at);
    std::string name = archive.substr(at + 2, length);
    at += 2 + length;
    out.emplace_back(name, archive.substr(u32(at), u32(at + 4)));
    at += 8;
  }
  return out;
}

// The pack's files in place of every file of the pack of that name.
void replacePack(Entries& entries, const std::string& name, const tools::PackWriter* pack) {
  std::erase_if(entries, [&](const auto& e) { return e.first == name || e.first.starts_with(name + "_"); });
  if (pack == nullptr) return;
  for (tools::PackFile& file : pack->write(name))
    entries.emplace_back(file.name, std::string(file.bytes.begin(), file.bytes.end()));
}

std::vector<uint8_t> spriteBytes(const std::string& description) {
  return tools::compileSprite(fs::path(QUENDRILL_CONTENT_DIR) / "sprites" / description);
}

class LoadSteps : public RuntimeFixture {
 protected:
  LoadSteps() : RuntimeFixture(48u << 20, 32u << 20, &shellTestInitialisers()) {}

  void SetUp() override { install(entriesOf(readFile(QUENDRILL_DATA_BAR))); }

  // A fresh runtime over an archive of these entries, with the tables the
  // start-up state makes.
  void install(const Entries& entries) {
    application().close();
    const std::vector<uint8_t> archive = archivetest::archiveOf(entries);
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    ASSERT_TRUE(application().init(&shellTestInitialisers(), 48u << 20, 32u << 20,
                                   Application::LiteralPool::fromArchive));
    shellStatics().cGameLoop.sprites = newObjectArray(52);
    shellStatics().cGameStates.twoEntryTable = newObjectArray(2);
  }
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  static cGameLoadStatics& run() { return shellStatics().cGameLoad; }
  static ASprite* slot(int32_t s) { return static_cast<ASprite*>(shellStatics().cGameLoop.sprites->get(s)); }

  // Runs the profile to its end; answers the calls it took.
  int32_t runProfile(int32_t profile) {
    run().loadProfile = profile;
    cGame::startLoading();
    int32_t calls = 0;
    while (!run().loadingDone && calls < 100) {
      cGame::loadStep();
      ++calls;
      EXPECT_EQ(takePending(), nothingPending) << "profile " << profile << " step " << calls - 1;
    }
    return calls;
  }
  int32_t enterChapter(int32_t chapter) {
    cGame::setChapter(chapter);
    return runProfile(LoadProfile::enterRoom);
  }

  testsupport::MappedFileSystem m_folders{"load-steps"};
};

TEST_F(LoadSteps, EveryProfileTakesItsStepsAndThenStaysDone) {
  struct Row {
    int32_t profile, steps;
  };
  for (const Row& row : {Row{0, 6}, Row{1, 5}, Row{2, 0}, Row{3, 0}, Row{4, 25}, Row{5, 4}, Row{6, 3}}) {
    SCOPED_TRACE(row.profile);
    run().loadProfile = row.profile;
    cGame::startLoading();
    for (int32_t step = 1; step <= std::max(row.steps, 1); ++step) {
      EXPECT_FALSE(run().loadingDone);
      cGame::loadStep();
      EXPECT_EQ(run().loadStepIndex, step);
    }
    EXPECT_TRUE(run().loadingDone);
    cGame::loadStep();
    EXPECT_EQ(run().loadStepIndex, std::max(row.steps, 1)) << "a finished run does nothing";
  }
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(LoadSteps, TheFirstStartLoadsLogosFontsWithOneCharacterMapAndTheTexts) {
  EXPECT_EQ(runProfile(LoadProfile::firstStart), 6);
  for (int32_t s : {0, 1, 5, 6}) EXPECT_NE(slot(s), nullptr) << s;
  // The logos keep only their caches.
  for (int32_t s : {0, 1}) {
    EXPECT_EQ(slot(s)->moduleImageData, nullptr) << s;
    EXPECT_NE(slot(s)->getModuleImage(0, 0), nullptr) << s;
  }
  ASprite* big = slot(5);
  ASprite* small = slot(6);
  for (char16_t c : std::u16string(u"AZaz09?!")) {
    EXPECT_GT(big->getCharFrame(c), 1) << char(c);
    EXPECT_EQ(big->getCharFrame(c), small->getCharFrame(c)) << char(c);
  }
  EXPECT_GE(big->paletteCount, 7);
  // Metrics come with the map: words are spaced and lines stacked.
  for (ASprite* font : {big, small}) {
    EXPECT_GT(font->getSpaceWidth(), 0);
    EXPECT_GT(font->getLineHeight(), 0);
  }
  EXPECT_EQ(cGame::getTextCount(), 272);
}

TEST_F(LoadSteps, StartUpSeedsTheRandomAndLoadsTablesCommonSpritesSoundsAndTheEmblem) {
  EXPECT_EQ(runProfile(LoadProfile::startUp), 5);
  EXPECT_NE(toolkitStatics().cGameMath.cosTable, nullptr);
  EXPECT_NE(shellStatics().cGameLoop.random, nullptr);
  EXPECT_NE(slot(2), nullptr);
  EXPECT_NE(slot(3), nullptr);
  ASSERT_NE(shellStatics().cGameStates.twoEntryTable->get(1), nullptr);
  EXPECT_EQ(shellStatics().cGameStates.twoEntryTable->get(1)->getClassId(), classid::javax_microedition_lcdui_Image);
  ObjectArray* sounds = toolkitStatics().cGameSound.data;
  ASSERT_NE(sounds, nullptr);
  ASSERT_EQ(sounds->length(), 34);
  for (int32_t id = 0; id < 34; ++id) {
    // 6, 13 and 27 play as other sounds and have no data of their own.
    const bool shared = id == 6 || id == 13 || id == 27;
    EXPECT_EQ(sounds->get(id) == nullptr, shared) << id;
  }
}

TEST_F(LoadSteps, WithoutMathTablesTheRandomIsNotSeededAndLoadingGoesOn) {
  Entries entries = entriesOf(readFile(QUENDRILL_DATA_BAR));
  replacePack(entries, "math", nullptr);
  install(entries);
  wince::LogCapture log;
  EXPECT_EQ(runProfile(LoadProfile::startUp), 5);
  EXPECT_EQ(shellStatics().cGameLoop.random, nullptr);
  EXPECT_NE(slot(2), nullptr);
  EXPECT_TRUE(log.contains("not seeded")) << log.text();
}

TEST_F(LoadSteps, EachChapterLoadsItsSlotsCachesTextsLayersAndCollisionTable) {
  const std::map<int, tools::TextSection> texts =
      tools::parseTextSource(readFile(fs::path(QUENDRILL_CONTENT_DIR) / "texts" / "en.txt"), "en.txt");
  for (int32_t chapter = 0; chapter < 10; ++chapter) {
    SCOPED_TRACE("chapter " + std::to_string(chapter));
    EXPECT_EQ(enterChapter(chapter), 25);
    const int32_t progress = cGame::getProgress(chapter);
    // Slots 11..48 exactly as the chapter's list says (17..21 from the cast packs).
    for (int32_t s = 11; s <= 48; ++s)
      EXPECT_EQ(slot(s) != nullptr, cGame::isIdInProgressList(s)) << "slot " << s;
    for (int32_t s : {7, 9, 10}) EXPECT_NE(slot(s), nullptr) << s;
    EXPECT_EQ(slot(8), nullptr);
    // Tile sprites and slot 11 keep only their caches; slot 37 its palettes' caches too.
    for (int32_t s : {7, 9, 10, 11, 37}) {
      if (slot(s) == nullptr) continue;
      EXPECT_EQ(slot(s)->moduleImageData, nullptr) << s;
      // Slot 37 is loaded in the palettes of its chapter's mask only.
      const int32_t mask = s == 37 ? cGame::getProgressMode(37) : 1;
      for (int32_t p = 0; p < slot(s)->paletteCount; ++p)
        EXPECT_EQ(slot(s)->getModuleImage(0, p) != nullptr, (mask >> p & 1) != 0) << s << " palette " << p;
    }
    if (ASprite* things = slot(23); things != nullptr) {
      for (int32_t m = 66; m <= 78; ++m) EXPECT_NE(things->getModuleImage(m, 0), nullptr) << m;
      EXPECT_EQ(things->getModuleImage(0, 0), nullptr) << "not one of the cached modules";
    }
    if (ASprite* glow = slot(40)) {
      EXPECT_NE(glow->getModuleImage(glow->getFModuleModule(glow->getAFrameFrame(0, 0), 0), 0), nullptr);
    }
    // The player keeps one palette's caches: the alternate one where the
    // room's header asks for it.
    ASSERT_NE(slot(16), nullptr);
    EXPECT_EQ(slot(16)->moduleImageData, nullptr);
    EXPECT_NE(slot(16)->getModuleImage(0, worldStatics().cGameRoom.roomAltPalette ? 1 : 0), nullptr);
    // Texts: the common entry and the room's.
    EXPECT_EQ(cGame::getTextCount(), 272 + int32_t(texts.at(progress + 1).texts.size()));
    // Layers 0, 2 and 3 built; 1 never; 4 cleared after the collision table was filled.
    for (int32_t layer : {0, 2, 3}) EXPECT_TRUE(CVLibPlayer::isLayerBuilt(layer)) << layer;
    EXPECT_FALSE(CVLibPlayer::isLayerBuilt(1));
    EXPECT_FALSE(CVLibPlayer::isLayerBuilt(4));
    ObjectArray* table = toolkitStatics().cGameCollision.collisionMap;
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->length(), CVLibPlayer::getLayerColumns(0));
    EXPECT_EQ(static_cast<ByteArray*>(table->get(0))->length(), CVLibPlayer::getLayerRows(0));
    // Every room is closed at its corner (a wall, '#', or deep water, '3'),
    // and the focus character stands on a free cell.
    EXPECT_TRUE(cGame::testCollision(0, 0, 1 | 32)) << "the room's corner blocks";
    cActor* focus = worldStatics().cGamePlay.focusActor;
    ASSERT_NE(focus, nullptr);
    EXPECT_FALSE(cGame::testCollision(focus->getPixelX() / 32, focus->getPixelY() / 32, 0xFF))
        << "the focus character's cell is free";
    // Deep water a character may not wade (code 3) in the places that have it.
    bool deepWater = false;
    for (int32_t x = 0; x < CVLibPlayer::getLayerColumns(0); ++x)
      for (int32_t y = 0; y < CVLibPlayer::getLayerRows(0); ++y) deepWater = deepWater || cGame::testCollision(x, y, 32);
    EXPECT_EQ(deepWater, chapter != 4 && chapter != 9);

    // Leaving the world empties slots 7..48 and layers 0..3.
    EXPECT_EQ(runProfile(LoadProfile::leaveWorld), 4);
    for (int32_t s = 7; s <= 48; ++s) EXPECT_EQ(slot(s), nullptr) << s;
    for (int32_t layer = 0; layer <= 3; ++layer) EXPECT_FALSE(CVLibPlayer::isLayerBuilt(layer)) << layer;
  }
}

std::vector<std::string>& packOpens() {
  static std::vector<std::string> names;
  return names;
}
java_io_InputStream* countingOpener(String* name) {
  std::string text;
  for (char16_t c : name->view()) text += static_cast<char>(c);
  packOpens().push_back(text);
  java_io_InputStream* stream = javax_microedition_io_ResourceInputStream::getResourceAsStream(name);
  Application::get()->m_pending = nullptr;
  return stream;
}

// A room load reads its packs forward: each file is opened once, but for
// the text pack, whose two compressed entries are each located twice (the
// second time from the file's start).
TEST_F(LoadSteps, ARoomLoadOpensEachPackFileOnce) {
  for (int32_t chapter : {0, 1}) {
    SCOPED_TRACE("chapter " + std::to_string(chapter));
    packOpens().clear();
    toolkitStatics().cGamePack.opener = &countingOpener;
    enterChapter(chapter);
    toolkitStatics().cGamePack.opener = nullptr;
    std::map<std::string, int> opens;
    for (const std::string& name : packOpens()) ++opens[name];
    // How many part files the packs have follows the content's size; what
    // holds is that nothing but the text pack is opened twice.
    EXPECT_EQ(packOpens().size(), opens.size() + 2);
    EXPECT_EQ(opens.count("/en"), 1u);
    for (const auto& [name, count] : opens) EXPECT_EQ(count, name == "/en" ? 3 : 1) << name;
    runProfile(LoadProfile::leaveWorld);
  }
}

TEST_F(LoadSteps, ExtraSpritesFillTheHelpSlotsOnlyWhenEmpty) {
  EXPECT_EQ(runProfile(LoadProfile::extraSprites), 3);
  for (int32_t s : {11, 27, 30, 34}) EXPECT_NE(slot(s), nullptr) << s;
  EXPECT_GE(slot(34)->getAnimCount(), 17);
  EXPECT_GE(slot(11)->getFrameCount(), 5);
  ASprite* kept = slot(27);
  cGame::loadExtraSprites();
  EXPECT_EQ(slot(27), kept);
  // The common sprites likewise.
  cGame::loadCommonSprites();
  ASprite* title = slot(2);
  ASSERT_NE(title, nullptr);
  cGame::loadCommonSprites();
  EXPECT_EQ(slot(2), title);
}

TEST_F(LoadSteps, MissingAndDamagedPacksAreLoggedAndLeaveTheirSlotsEmpty) {
  Entries entries = entriesOf(readFile(QUENDRILL_DATA_BAR));
  replacePack(entries, "objects", nullptr);
  for (auto& [name, bytes] : entries) {
    if (name == "hero") bytes = std::string(12, '\xFF');
  }
  install(entries);
  wince::LogCapture log;
  EXPECT_EQ(enterChapter(0), 25);
  for (int32_t s = 11; s <= 48; ++s) {
    if (s < 17 || s > 21) {
      EXPECT_EQ(slot(s), nullptr) << s;
    }
  }
  EXPECT_NE(slot(17), nullptr) << "the cast packs are whole";
  EXPECT_TRUE(CVLibPlayer::isLayerBuilt(0));
  EXPECT_TRUE(log.contains("pack /objects: entry unavailable")) << log.text();
  EXPECT_TRUE(log.contains("pack /hero: entry unavailable")) << log.text();
  EXPECT_NE(toolkitStatics().cGameSnapshots.keys, nullptr) << "the room was set up all the same";

}

TEST_F(LoadSteps, CachesAreBuiltOnlyFromSpritesThatHaveTheirIndices) {
  // Tile sheets (no frames, no animations) where the hero, the things and
  // the glow belong.
  const std::vector<uint8_t> sheet = spriteBytes("world/ground0.json");
  tools::PackWriter hero, objects;
  for (int k = 0; k < 5; ++k) hero.add(0, sheet);
  for (int k = 0; k < 33; ++k) objects.add(0, k == 7 || k == 24 ? sheet : spriteBytes("world/lock_things.json"));
  Entries entries = entriesOf(readFile(QUENDRILL_DATA_BAR));
  replacePack(entries, "hero", &hero);
  replacePack(entries, "objects", &objects);
  install(entries);
  wince::LogCapture log;
  EXPECT_EQ(enterChapter(1), 25);  // its list has 11, 23 and 40
  for (int32_t s : {11, 23, 40}) {
    ASSERT_NE(slot(s), nullptr) << s;
    EXPECT_TRUE(log.contains("sprite " + std::to_string(s) + " has")) << log.text();
  }
  EXPECT_EQ(slot(23)->getModuleImage(0, 0), nullptr);
}

TEST_F(LoadSteps, TheCollisionTableHasTheFloorsSizeAndCellsBeyondASmallerCollisionLayerAreFree) {
  // Room 0 with a collision layer of 2 x 2 walls.
  const std::string mapText = readFile(fs::path(QUENDRILL_CONTENT_DIR) / "maps" / "room0.map");
  const tools::MapLegend legend =
      tools::parseMapLegend(readFile(fs::path(QUENDRILL_CONTENT_DIR) / "maps" / "tileset0.txt"), "tileset0.txt");
  std::vector<std::vector<uint8_t>> layers = tools::compileMap(mapText, legend, "room0.map");
  layers[12] = {2, 0, 2, 0};
  layers[13] = std::vector<uint8_t>(4, 255);
  layers[14] = std::vector<uint8_t>(4, 0);
  tools::PackWriter map;
  for (auto& entry : layers) entry.empty() ? map.addEmpty() : map.add(0, entry);
  Entries entries = entriesOf(readFile(QUENDRILL_DATA_BAR));
  replacePack(entries, "10", &map);
  install(entries);
  EXPECT_EQ(enterChapter(0), 25);
  ObjectArray* table = toolkitStatics().cGameCollision.collisionMap;
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->length(), CVLibPlayer::getLayerColumns(0));
  EXPECT_TRUE(cGame::testCollision(1, 1, 1));
  EXPECT_FALSE(cGame::testCollision(2, 0, 0xFF)) << "beyond the collision layer";
  EXPECT_FALSE(cGame::testCollision(0, 2, 0xFF));
  EXPECT_FALSE(cGame::testCollision(CVLibPlayer::getLayerColumns(0) - 1, 0, 0xFF));
}

}  // namespace

namespace {

TEST_F(LoadSteps, TheObjectPackComesInPartsMixingRawAndCompressedEntries) {
  const Entries entries = entriesOf(readFile(QUENDRILL_DATA_BAR));
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.first == "objects_1"; }));
  cGame::openPack(stringLiteral(static_cast<int32_t>(LiteralId::objectSpritePack)));
  bool raw = false, compressed = false;
  for (int32_t entry = 0; entry < 33; ++entry) {
    ByteArray* bytes = cGame::readPackEntry(entry);
    if (bytes == nullptr || bytes->length() == 0) continue;
    (cGame::isPackEntryCompressed() ? compressed : raw) = true;
  }
  cGame::closePack();
  EXPECT_TRUE(raw);
  EXPECT_TRUE(compressed);
}

}  // namespace

namespace {

std::string literalText(LiteralId id) {
  std::string text;
  for (char16_t c : stringLiteral(static_cast<int32_t>(id))->view()) text += static_cast<char>(c);
  return text;
}

// The content lint reads each world slot's sprite where the room load takes
// it from: the two agree, slot by slot, for the slots of the fullest list.
TEST_F(LoadSteps, TheLintFindsEachWorldSlotWhereTheLoaderTakesIt) {
  EXPECT_EQ(enterChapter(0), 25);
  const std::string file = readFile(QUENDRILL_DATA_BAR);
  const std::vector<uint8_t> archiveBytes(file.begin(), file.end());
  tools::compiled::Error error;
  const auto archive = tools::compiled::Archive::read(archiveBytes, error);
  ASSERT_TRUE(archive) << error;
  for (int32_t s = 11; s <= 48; ++s) {
    if (slot(s) == nullptr) continue;
    SCOPED_TRACE("slot " + std::to_string(s));
    const contentrequirement::SpriteSource source = contentrequirement::worldSpriteSource(s);
    const auto entries = tools::compiled::readPack(*archive, literalText(source.pack),
                                                   literalText(LiteralId::packPartInfix), error);
    ASSERT_TRUE(entries) << error;
    ASSERT_LT(size_t(source.entry), entries->size());
    const auto tables = tools::compiled::readSpriteTables((*entries)[size_t(source.entry)].data, error);
    ASSERT_TRUE(tables) << error;
    EXPECT_EQ(tables->animations, slot(s)->getAnimCount());
    EXPECT_EQ(tables->frames, slot(s)->getFrameCount());
  }
}

TEST_F(LoadSteps, ARoomWithTheAlternatePaletteCachesThePlayerInPaletteOne) {
  // The Saltglass Caves' header asks for the alternate palette.
  EXPECT_EQ(enterChapter(4), 25);
  EXPECT_TRUE(worldStatics().cGameRoom.roomAltPalette);
  ASprite* player = slot(16);
  ASSERT_NE(player, nullptr);
  ASSERT_GT(player->paletteCount, 1);
  EXPECT_NE(player->getModuleImage(0, 1), nullptr);
  EXPECT_EQ(player->getModuleImage(0, 0), nullptr);
  EXPECT_EQ(player->moduleImageData, nullptr);
}

// The figures drawn with the player's sprite take the palette it was cached
// in: in the other one they would paint nothing at all.
TEST_F(LoadSteps, TheFiguresOnThePlayersSpritePaintInThePaletteItKeeps) {
  struct Row {
    int32_t chapter, palette;
  };
  for (const Row& row : {Row{4, 1}, Row{0, 0}, Row{4, 1}}) {
    SCOPED_TRACE("chapter " + std::to_string(row.chapter));
    EXPECT_EQ(enterChapter(row.chapter), 25);
    ASprite* player = slot(16);
    ASSERT_NE(player, nullptr);
    int32_t drawnWithIt = 0;
    for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
      if (actor->player == nullptr || actor->player->sprite != player) continue;
      ++drawnWithIt;
      EXPECT_EQ(actor->palette, row.palette) << "actor " << actor->id;
      EXPECT_NE(player->getModuleImage(0, actor->palette), nullptr) << "actor " << actor->id;
    }
    EXPECT_GE(drawnWithIt, 1);
    runProfile(LoadProfile::leaveWorld);
  }
}

}  // namespace

namespace {

// The first room as its level source writes it: the player where the source
// puts him and in focus, the one camera zone (the canal of the lock), and
// its opening cutscene started by the start action.
TEST_F(LoadSteps, ANewGameLoadsRoomZeroAsItsSourceWritesIt) {
  EXPECT_EQ(enterChapter(0), 25);
  cActor* hero = worldStatics().cGamePlay.focusActor;
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->kind, ActorKind::PLAYER);
  EXPECT_EQ(hero->getPixelX(), 496);
  EXPECT_EQ(hero->getPixelY(), 538);
  EXPECT_EQ(cActor::findById(hero->id), hero);
  const cGameCameraStatics& camera = worldStatics().cGameCamera;
  ASSERT_EQ(camera.zoneCount, 1);
  EXPECT_EQ(camera.zoneIds->get(0), 1);
  auto* outer = static_cast<IntArray*>(camera.zoneOuter->get(0));
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ((std::vector<int32_t>{outer->get(0), outer->get(1), outer->get(2), outer->get(3)}),
            (std::vector<int32_t>{0, 96, 1280, 480}));
  const int32_t start = worldStatics().cGameRoom.startActionIndex;
  EXPECT_GE(start, 0);
  EXPECT_EQ(storyStatics().cGameActions.actionCount, 6);
  EXPECT_EQ(storyStatics().cGameEventScript.cutsceneCount, 10);
  EXPECT_EQ(cGame::currentCutscene(), 0);
}

}  // namespace

namespace {

// A countdown never carries over into another room; the room's own one, set
// by its header, outlives the room's set-up and is in the snapshot it takes.
TEST_F(LoadSteps, ARoomStartsWithOnlyItsHeadersCountdown) {
  cGame::setCountdown(5000, 9);
  EXPECT_EQ(enterChapter(0), 25);
  EXPECT_FALSE(cGame::isCountdownActive());
  EXPECT_EQ(storyStatics().cGameCountdown.countdownAction, -1);

  storyStatics().cGameCountdown.countdownMs = 45000;  // as a header gives it
  cGame::setUpRoom();
  EXPECT_EQ(storyStatics().cGameCountdown.countdownMs, 45000);
  ByteArray* snapshot = worldStatics().cGameRoom.roomSnapshot;
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ((snapshot->get(2) & 0xFF) | (snapshot->get(3) & 0xFF) << 8, 45) << "its seconds";
}

// A room's set-up makes the story's table and animation player afresh and
// zeroes the block of story flags left by the previous room.
TEST_F(LoadSteps, ARoomsSetUpMakesTheStorysTableAndPlayerAndClearsItsFlags) {
  EXPECT_EQ(enterChapter(0), 25);
  cGameStoryFlagsStatics& flags = storyStatics().cGameStoryFlags;
  ASSERT_NE(flags.storyFlagBlock, nullptr);
  flags.storyFlagBlock->set(4, 1);
  IntArray* before = flags.roomTable;
  cGame::setUpRoom();
  EXPECT_TRUE(flags.roomStarted);
  ASSERT_NE(flags.roomTable, nullptr);
  EXPECT_NE(flags.roomTable, before);
  EXPECT_EQ(flags.roomTable->length(), 13);
  ASSERT_NE(flags.roomAnimationPlayer, nullptr);
  EXPECT_EQ(flags.roomAnimationPlayer->anim, 16);
  EXPECT_EQ(flags.storyFlagBlock->length(), 13);
  EXPECT_EQ(flags.storyFlagBlock->get(4), 0);
}

}  // namespace
