// The loader's steps: each profile's work cut into one small step per
// update, so the loading screen keeps painting between them. A pack opened
// in one step stays open for the next; whatever is missing or damaged is
// logged and leaves its slot empty, and the run still ends.
#include <string>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/cSoundServer.h"
#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/java_util/java_util_Random.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/LiteralIds.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

constexpr int32_t spriteSlots = 52;

String* literal(LiteralId id) { return stringLiteral(static_cast<int32_t>(id)); }

void openPackOf(LiteralId id) { cGame::openPack(literal(id)); }

// A pack name made of two parts; null (no pack) when either is missing.
String* joined(String* a, String* b) { return a != nullptr && b != nullptr ? a->concat(b) : nullptr; }

// The text pack of the player's language.
String* textPackName() {
  return joined(literal(LiteralId::packNamePrefix), cGame::getLanguageSuffix(shellStatics().cGameSave.language));
}

// The slot's sprite from the open pack when the chapter needs it, else
// empty: a slot is only ever reloaded from scratch.
void loadProgressSprite(int32_t slot, int32_t entry, bool caches) {
  setSprite(slot, cGame::isIdInProgressList(slot)
                      ? cGame::loadSprite(entry, cGame::getProgressMode(slot), caches, caches, false)
                      : nullptr);
}

// The caches the help pages and the world draw from name fixed frames,
// modules and animations; a sprite that lacks them is logged and left
// without that cache rather than read outside its tables.
ASprite* spriteWith(int32_t slot, int32_t modules, int32_t frames, int32_t animations) {
  ASprite* sprite = spriteAt(slot);
  if (sprite == nullptr) {
    debugLog("loading: sprite %d is not loaded; its caches are not built", slot);
    return nullptr;
  }
  if (sprite->getModuleCount() < modules || sprite->getFrameCount() < frames ||
      sprite->getAnimCount() < animations) {
    debugLog("loading: sprite %d has %d modules, %d frames, %d animations; needs %d, %d, %d", slot,
             sprite->getModuleCount(), sprite->getFrameCount(), sprite->getAnimCount(), modules, frames, animations);
    return nullptr;
  }
  return sprite;
}

void cacheHeroSprite() {
  const int32_t progress = cGame::getProgress(shellStatics().cGameProgress.chapter);
  const int32_t second = progress == 1 || progress == 6 ? 4 : 3;
  if (ASprite* sprite = spriteWith(11, 0, second + 1, 0)) {
    sprite->buildFrameCache(0, 2);
    sprite->buildFrameCache(0, second);
  }
}

void cacheObjectSprite(int32_t slot) {
  if (slot == 23) {
    if (ASprite* sprite = spriteWith(23, 79, 103, 0)) {
      sprite->buildModuleCache(0, 66, 78, -1);
      for (int32_t frame = 100; frame <= 102; ++frame) sprite->buildFrameCache(0, frame);
    }
  } else if (slot == 40) {
    if (ASprite* sprite = spriteWith(40, 0, 0, 1)) sprite->buildAnimCache(0, 0);
  }
}

// --- profile 0: the first start
void firstStartStep(int32_t step) {
  switch (step) {
    case 0:
      openPackOf(LiteralId::loadingSpritePack);
      setSprite(0, cGame::loadSprite(0, 1, true, true));
      setSprite(1, cGame::loadSprite(1, 1, true, true));
      cGame::closePack();
      break;
    case 1:
      cGame::loadSettings();
      cGame::loadTextPack(textPackName(), 0);
      break;
    case 2:
      openPackOf(LiteralId::fontPack);
      break;
    case 3:
      setSprite(5, cGame::loadSprite(2, 1, false, false));
      setSprite(6, cGame::loadSprite(1, 1, false, false));
      // A font that did not load has no pool to join.
      ASprite::initCachePool(3, 20);
      if (spriteAt(6) != nullptr) ASprite::setCachePool(spriteAt(6), 3);
      ASprite::initCachePool(4, 50);
      if (spriteAt(5) != nullptr) ASprite::setCachePool(spriteAt(5), 4);
      break;
    case 4: {
      // Both fonts share one character map.
      Object* map = cGame::readPackTypedArray(0);
      if (map == nullptr || map->getClassId() != classid::ShortArray) {
        debugLog("loading: the fonts' character map is missing");
        break;
      }
      // The metrics need the map: the space's advance is a glyph's.
      for (int32_t slot : {5, 6}) {
        if (ASprite* font = spriteAt(slot)) {
          font->setCharMap(static_cast<ShortArray*>(map));
          font->initFontMetrics();
        }
      }
      break;
    }
    case 5:
      cGame::closePack();
      break;
    default:
      break;
  }
}

// The math tables, then the game's Random seeded; a failure while reading
// the tables leaves the Random as it was.
void loadTablesAndSeed() {
  cGame::loadMathTables();
  if (Application* application = Application::get(); application != nullptr) {
    Object* pending = application->getPending();
    if (pending != nullptr && Object::instanceOf(pending, classid::java_lang_Exception) != 0) {
      takePendingException(classid::java_lang_Exception);
      static_cast<java_lang_Throwable*>(pending)->printStackTrace();
      return;
    }
  }
  if (toolkitStatics().cGameMath.cosTable == nullptr) {
    debugLog("loading: no math tables; the Random is not seeded");
    return;
  }
  const int64_t now = java_lang_System::currentTimeMillis();
  java_util_Random*& random = loop().random;
  if (random == nullptr)
    random = newObject<java_util_Random>(now);
  else
    random->setSeed(now);
}

// --- profile 1: start-up resources
void startUpStep(int32_t step) {
  switch (step) {
    case 0:
      loadTablesAndSeed();
      break;
    case 1:
      cGame::loadCommonSprites();
      break;
    case 2:
      cGame::initDrawEffects();
      cGame::loadSounds();
      break;
    case 3:
      cGame::closePack();
      break;
    case 4: {
      openPackOf(LiteralId::commonSpritePack);
      ByteArray* bytes = cGame::readPackEntry(3);
      ObjectArray* images = states().twoEntryTable;
      if (bytes != nullptr && images != nullptr && images->length() > 1)
        images->set(1, javax_microedition_lcdui_Image::createImage(bytes, 0, bytes->length()));
      else
        debugLog("loading: no emblem image");
      if (takePendingException(classid::java_lang_Exception)) debugLog("loading: the emblem image is damaged");
      cGame::closePack();
      Kivra::initialize(static_cast<javax_microedition_midlet_MIDlet*>(loop().midlet),
                        literal(LiteralId::promotionPack), 800, 480, nullptr);
      break;
    }
    default:
      break;
  }
}

// The map pack's name: literal 128 followed by the chapter plus the number
// literal 155 holds after its first character.
String* mapPackName() {
  String* first = literal(LiteralId::firstMapPack);
  const int32_t n = first != nullptr && first->length() > 0 ? java_lang_Integer::parseInt(first->substring(1)) : 0;
  const int32_t number = shellStatics().cGameProgress.chapter + n;
  return joined(literal(LiteralId::packNamePrefix), newString(std::to_string(number).c_str()));
}

// Layers 0..4 whose tile sprite is loaded; the collision table gets layer
// 0's size and is filled from layer 4 (cells beyond a smaller or missing
// layer 4 stay free), then layer 4 goes.
void buildRoomLayers() {
  for (int32_t layer = 0; layer < CVLibPlayer::layerCount; ++layer) {
    ASprite* sprite = spriteAt(7 + layer);
    if (sprite == nullptr) continue;
    // Read in pack order: the pack only reads forward, so an entry read
    // after a later one reopens the pack and skips from its start.
    ByteArray* header = cGame::readPackEntry(3 * layer);
    ByteArray* tiles = cGame::readPackEntry(3 * layer + 1);
    ByteArray* attributes = cGame::readPackEntry(3 * layer + 2);
    CVLibPlayer::loadLayer(layer, header, tiles, attributes, sprite, false, 16, 0, 0);
  }
  const bool floorBuilt = CVLibPlayer::isLayerBuilt(0);
  if (!floorBuilt) debugLog("loading: the room has no floor layer; its collision table is empty");
  cGame::createCollisionMap(floorBuilt ? CVLibPlayer::getLayerColumns(0) : 0,
                            floorBuilt ? CVLibPlayer::getLayerRows(0) : 0);
  cGame::buildCollisionFromLayer(4);
  CVLibPlayer::clearLayer(4, true);
  cGame::restampAllFootprints();
}

// --- profile 4: entering a room
void enterRoomStep(int32_t step) {
  const int32_t room = cGame::getProgress(shellStatics().cGameProgress.chapter);
  switch (step) {
    case 0:
      cGame::resetCutscenes();
      cGame::resetRoutePoints();
      cGame::stopSoundA();
      if (cSoundServer* server = toolkitStatics().cGameSound.server) server->stopB();
      setSprite(2, nullptr);
      requestCollection();
      cGame::loadTextPacks(textPackName(), 0, room + 1);
      CVLibPlayer::initLayerTables(800, 480, 32, 32);
      break;
    case 1:
      openPackOf(LiteralId::heroSpritePack);
      break;
    case 2:
      for (int32_t k = 0; k <= 4; ++k) {
        const int32_t slot = 11 + k;
        loadProgressSprite(slot, k, slot == 11 || slot == 37);
        if (slot == 11 && spriteAt(11) != nullptr) cacheHeroSprite();
      }
      break;
    case 4:
      openPackOf(LiteralId::objectSpritePack);
      break;
    case 5:
      for (int32_t k = 0; k <= 32; ++k) {
        const int32_t slot = 16 + k;
        if (slot >= 17 && slot <= 21) {
          setSprite(slot, nullptr);
          continue;
        }
        loadProgressSprite(slot, k, slot == 37);
        if (spriteAt(slot) != nullptr) cacheObjectSprite(slot);
      }
      break;
    case 7:
      openPackOf(LiteralId::castSpritePackA);
      break;
    case 8:
      for (int32_t k = 0; k <= 1; ++k) loadProgressSprite(17 + k, k, false);
      break;
    case 10:
      openPackOf(LiteralId::castSpritePackB);
      break;
    case 11:
      for (int32_t k = 0; k <= 2; ++k) loadProgressSprite(19 + k, k, false);
      break;
    case 3:
    case 6:
    case 9:
    case 12:
    case 17:
    case 20:
    case 23:
      cGame::closePack();
      break;
    case 13:
      cGame::createItemTable();
      shellStatics().cGameShared.combinationTable = newObjectArray(20);
      cGame::resetActionTable();
      cGame::initCameraZones();
      // The room's header gives its own countdown; none carries over.
      cGame::clearCountdown();
      cGame::leaveInteraction();
      openPackOf(LiteralId::levelPack);
      break;
    case 14:
      cGame::loadRoomObjects(cGame::readPackEntry(0));
      break;
    case 15:
      cGame::loadRoomObjects(cGame::readPackEntry(2 * room + 1));
      break;
    case 16:
      cGame::registerAllActors();
      cGame::loadEventScript(cGame::readPackEntry(2 * room + 2));
      break;
    case 18:
      openPackOf(LiteralId::tileSetPack);
      break;
    case 19: {
      const int32_t t = worldStatics().cGameRoom.roomSpriteSet;
      setSprite(7, cGame::loadSprite(6 * t + 2, 1, true, true));
      setSprite(9, cGame::loadSprite(6 * t + 4, 1, true, true));
      setSprite(10, cGame::loadSprite(6 * t + 6, 1, true, true));
      break;
    }
    case 21:
      cGame::openPack(mapPackName());
      break;
    case 22:
      buildRoomLayers();
      break;
    case 24:
      cGame::setUpRoom();
      break;
    default:
      break;
  }
}

// --- profile 5: leaving the world
void leaveWorldStep(int32_t step) {
  switch (step) {
    case 0:
      // Everything of the room being left goes.
      cActor::initDisplayList();
      cGame::forgetRoomActors();
      cGame::clearCameraTarget();
      cGame::resetCutscenes();
      cGame::clearScripts();
      cGame::clearActionTable();
      cGame::resetInteraction();
      cGame::clearRoomTimedState();
      cGame::clearRoomSnapshot();
      cGame::resetPopup();
      cGame::releaseItemTables();
      cGame::closeCinematic();
      for (int32_t slot = 0; slot < snapshotSlotCount; ++slot) cGame::freeSnapshot(slot);
      cGame::clearTransientEffects();
      cGame::resetConversation();
      break;
    case 1:
      for (int32_t slot = 7; slot <= 48; ++slot) setSprite(slot, nullptr);
      break;
    case 2:
      for (int32_t layer = 0; layer <= 3; ++layer) CVLibPlayer::clearLayer(layer, true);
      break;
    default:
      break;
  }
}

}  // namespace

ASprite* cGame::loadSprite(int32_t entry, int32_t paletteMask, bool buildCaches, bool dropData, bool rgbMode) {
  return loadSprite(entry, paletteMask, 0, 0, buildCaches, dropData, rgbMode);
}

ASprite* cGame::loadSprite(int32_t entry, int32_t paletteMask, bool buildCaches, bool dropData) {
  return loadSprite(entry, paletteMask, buildCaches, dropData, false);
}

void cGame::loadStep() {
  cGameLoadStatics& run = loading();
  if (run.loadingDone) return;
  const int32_t step = run.loadStepIndex;
  switch (run.loadProfile) {
    case LoadProfile::firstStart: firstStartStep(step); break;
    case LoadProfile::startUp: startUpStep(step); break;
    case LoadProfile::enterRoom: enterRoomStep(step); break;
    case LoadProfile::leaveWorld: leaveWorldStep(step); break;
    case LoadProfile::extraSprites:
      if (step == 1) loadExtraSprites();
      break;
    default:
      break;
  }
  ++run.loadStepIndex;
  run.loadingDone = run.loadStepIndex >= run.loadStepCount;
}

void cGame::loadCommonSprites() {
  if (spriteAt(2) != nullptr && spriteAt(3) != nullptr) return;
  openPackOf(LiteralId::commonSpritePack);
  if (spriteAt(2) == nullptr) setSprite(2, loadSprite(0, 1, 0, 0, true, true, false));
  if (spriteAt(3) == nullptr) setSprite(3, loadSprite(1, 1, 0, 0, false, false, false));
  closePack();
}

void cGame::loadExtraSprites() {
  openPackOf(LiteralId::objectSpritePack);
  for (const auto& [slot, entry] : {std::pair{27, 11}, std::pair{34, 18}, std::pair{30, 14}})
    if (spriteAt(slot) == nullptr) setSprite(slot, loadSprite(entry, 1, false, false));
  closePack();
  openPackOf(LiteralId::heroSpritePack);
  if (spriteAt(11) == nullptr) setSprite(11, loadSprite(0, 1, false, false));
  closePack();
}

void cGame::setUpRoom() {
  // The player's sprite keeps only the palette the room shows.
  if (ASprite* player = spriteAt(16)) {
    const bool alternate = worldStatics().cGameRoom.roomAltPalette && player->paletteCount > 1;
    player->buildModuleCache(alternate ? 1 : 0, 0, -1, -1);
    player->freeImageData();
    if (toolkitStatics().ASprite.gcAfterLoad != 0) requestCollection();
    // Whoever is drawn with it paints in that palette: the other one has no
    // cached images left, and a figure painted in it would not show at all.
    for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
      if (actor->player != nullptr && actor->player->sprite == player) actor->palette = alternate ? 1 : 0;
    }
  }
  // The room's story starts afresh.
  resetStoryFlags();
  cActor::storeWatchedFlags();
  resetPopup();
  clearHint();
  initConversationQueue();
  closeCinematic();
  resetTimerRing();
  setPlayerControl(true);
  resetCamera();
  restorePartners();
  const int32_t action = worldStatics().cGameRoom.startActionIndex;
  snapshotRoomState(false, action);
  runAction(action);
  clearRoomTimedState();
  clearTouchState();
  clearInput();
  requestCollection();
  CVLibPlayer* player = newObject<CVLibPlayer>();
  if (player != nullptr) {
    player->setSprite(spriteAt(34));
    player->setAnim(16, -1);
  }
  keepRoomAnimationPlayer(player);
  cGameSnapshotStatics& snapshots = toolkitStatics().cGameSnapshots;
  snapshots.keys = newObjectArray(snapshotSlotCount);
  snapshots.records = newObjectArray(snapshotSlotCount);
  snapshots.pixels = newObjectArray(snapshotSlotCount);
  clearStoryFlagBlock();
}
