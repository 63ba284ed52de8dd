// Key input: the key maps, the accumulators, the per-frame block and the
// hidden key-sequence detector.
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_util/java_util_Hashtable.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

int32_t bitOf(int32_t key) { return key >= 0 && key < 32 ? int32_t(uint32_t{1} << key) : 0; }

int32_t lookUp(java_util_Hashtable* map, int32_t code) {
  if (map == nullptr) return -1;
  java_lang_Integer* key = newObject<java_lang_Integer>(code);
  if (key == nullptr) return -1;
  auto* found = static_cast<java_lang_Integer*>(map->get(key));
  return found != nullptr ? static_cast<int8_t>(found->value) : -1;
}

// The highest of bits 23..0, -1 when none.
int32_t highestKey(int32_t mask) {
  for (int32_t key = 23; key >= 0; --key)
    if ((mask & bitOf(key)) != 0) return key;
  return -1;
}

}  // namespace

int32_t cGame::mapKeyCode(int32_t code) {
  cGameKeyStatics& state = keys();
  if (state.keyMap == nullptr) return 0;
  int32_t key = lookUp(state.keyMap, code);
  if (key < 0) key = lookUp(state.gameActionKeyMap, code);
  return key < 0 ? 0 : key;
}

void cGame::createKeyMaps() {
  keys().keyMap = newObject<java_util_Hashtable>();
  keys().gameActionKeyMap = newObject<java_util_Hashtable>();
}

void cGame::initKeyMap() {
  createKeyMaps();
  static constexpr struct {
    int32_t code, key;
  } keyEntries[] = {{48, 6}, {49, 7}, {50, 1}, {51, 9}, {52, 3}, {53, 5}, {54, 4}, {55, 13},
                    {56, 2}, {57, 15}, {35, 17}, {42, 16}, {-6, 18}, {-7, 19}};
  static constexpr struct {
    int32_t code, key;
  } actionEntries[] = {{-5, 5}, {-4, 1}, {-3, 2}, {-1, 3}, {-2, 4}};
  for (const auto& entry : keyEntries) setKeyMapping(0, entry.code, entry.key);
  for (const auto& entry : actionEntries) setKeyMapping(1, entry.code, entry.key);
}

void cGame::setKeyMapping(int32_t selector, int32_t code, int32_t key) {
  java_util_Hashtable* map = selector == 0 ? keys().keyMap : keys().gameActionKeyMap;
  if (map == nullptr) return;
  java_lang_Integer* boxedCode = newObject<java_lang_Integer>(code);
  java_lang_Integer* boxedKey = newObject<java_lang_Integer>(key);
  if (boxedCode == nullptr || boxedKey == nullptr) return;
  map->remove(boxedCode);
  map->put(boxedCode, boxedKey);
}

void cGame::applyKeyPressed(int32_t code) {
  const int32_t bit = bitOf(mapKeyCode(code));
  keys().keysPressedPending |= bit;
  keys().keysHeld |= bit;
}

void cGame::applyKeyReleased(int32_t code) {
  const int32_t bit = bitOf(mapKeyCode(code));
  if ((keys().keysHeld & bit) == 0) return;
  keys().keysReleasedPending |= bit;
  keys().keysHeld &= ~bit;
}

void cGame::latchInput() {
  drainInput();
  cGameKeyStatics& state = keys();
  state.framePressed = state.keysPressedPending;
  state.frameReleased = state.keysReleasedPending;
  state.frameHeld = state.keysHeld;
  state.frameTick = loop().paintTick;
  state.keysPressedPending = 0;
  state.keysReleasedPending = 0;
}

bool cGame::isKeyPressed(int32_t key) { return (keys().framePressed & bitOf(key)) != 0; }
bool cGame::isKeyReleased(int32_t key) { return (keys().frameReleased & bitOf(key)) != 0; }
bool cGame::isKeyHeld(int32_t key) { return (keys().frameHeld & bitOf(key)) != 0; }
bool cGame::isKeyNotHeld(int32_t key) { return (keys().frameHeld & bitOf(key)) == 0; }
int32_t cGame::getReleasedKey() { return highestKey(keys().frameReleased); }
int32_t cGame::getPressedKey() { return highestKey(keys().framePressed); }

void cGame::clearFrameKeys() {
  cGameKeyStatics& state = keys();
  state.frameTick = 0;
  state.framePressed = state.frameReleased = state.frameHeld = 0;
  state.keysPressedPending = state.keysReleasedPending = state.keysHeld = 0;
}

// Our own six sequences (GameKeys); each completed one runs its action.
namespace keysequence {
inline constexpr int32_t length = 7;
inline constexpr int32_t count = 6;
// 1 up, 2 down, 3 left, 4 right, 5 fire, 18 and 19 the softkeys.
inline constexpr int32_t steps[count][length] = {
    {1, 1, 2, 2, 3, 4, 5},       // main menu: nothing yet
    {18, 19, 18, 19, 1, 2, 5},   // in game: nothing yet
    {3, 4, 3, 4, 1, 2, 5},       // in game: nothing yet
    {19, 19, 18, 18, 19, 18, 5}, // both: the diagnostic overlay on or off
    {2, 2, 1, 1, 4, 3, 5},       // in game: nothing yet
    {4, 4, 3, 3, 2, 1, 5},       // in game: nothing yet
};
bool takesPart(int32_t sequence, int32_t state) {
  if (sequence == 0) return state == GameState::mainMenu;
  if (sequence == 3) return state == GameState::mainMenu || state == GameState::inGame;
  return state == GameState::inGame;
}
}  // namespace keysequence

void cGame::initKeySequences() {
  ObjectArray* tables = newObjectArray(keysequence::count);
  keys().keySequences = tables;
  if (tables == nullptr) return;
  for (int32_t i = 0; i < keysequence::count; ++i) {
    IntArray* table = newIntArray(keysequence::length);
    if (table == nullptr) return;
    for (int32_t step = 0; step < keysequence::length; ++step) table->set(step, keysequence::steps[i][step]);
    tables->set(i, table);
    keys().sequenceProgress[i] = 0;
  }
}

bool cGame::updateKeySequence() {
  cGameKeyStatics& state = keys();
  const int32_t released = getReleasedKey();
  if (released < 0 || state.keySequences == nullptr) return false;
  const int32_t current = machine().currentState;
  for (int32_t i = 0; i < keysequence::count; ++i) {
    auto* table = static_cast<IntArray*>(state.keySequences->get(i));
    int32_t& progress = state.sequenceProgress[i];
    if (table == nullptr || !keysequence::takesPart(i, current) || table->get(progress) != released) {
      progress = 0;
      continue;
    }
    if (++progress < keysequence::length) continue;
    progress = 0;
    if (i == 3) loop().diagnosticsOn = !loop().diagnosticsOn;
    return true;
  }
  return false;
}
