#pragma once
// What the game's code asks of its content: the sprites it loads into the
// sprite table and the frames, animations and palettes it uses of them, the
// texts it shows by id, and the shape of the text packs. The content lint
// refuses a data.bar that lacks any of it, so a mistake shows at build time
// instead of as a blank screen.
#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/LiteralIds.h"

namespace contentrequirement {

struct SpriteRequirement {
  std::string_view role;
  int32_t slot;         // sprite-table slot the code loads it into
  LiteralId pack;       // literal naming the pack
  int32_t entry;        // entry of that pack
  int32_t minModules = 0;
  int32_t minFrames = 0;
  int32_t minAnimations = 0;
  int32_t minPalettes = 0;
  // Frames the code paints by number; each must exist and show something.
  std::span<const int32_t> drawnFrames = {};
  // Part of the game world's content, which may not be in the set yet.
  bool world = false;
  // Animations the code plays by number; each must exist and have frames.
  std::span<const int32_t> playedAnims = {};
};

// Sprite-table slots the shell names.
inline constexpr int32_t studioLogoSlot = 0;
inline constexpr int32_t gameLogoSlot = 1;
inline constexpr int32_t titlePictureSlot = 2;
inline constexpr int32_t resultsSlot = 3;
inline constexpr int32_t textFontSlot = 5;
inline constexpr int32_t titleFontSlot = 6;
inline constexpr int32_t interfaceSlot = 50;
inline constexpr int32_t hudSlot = 51;

// Entries of the font pack: the shared character map, then the two fonts.
inline constexpr int32_t fontCharacterMapEntry = 0;
inline constexpr int32_t titleFontEntry = 1;
inline constexpr int32_t textFontEntry = 2;
// Texts switch the fonts' palettes up to this count.
inline constexpr int32_t fontPalettes = 7;

inline constexpr int32_t logoFrames[] = {0};
// The title picture: frame 0 the title, frame 1 the menus' backdrop.
inline constexpr int32_t menuBackdropFrame = 1;
inline constexpr int32_t titleFrames[] = {0, menuBackdropFrame};
inline constexpr int32_t resultsFrames[] = {1};
// The "new" marker the main menu shows beside the promotion row.
inline constexpr int32_t newMarkerFrame = 50;
inline constexpr int32_t interfaceFrames[] = {0, 1, 19, 20, 27, 28, 34, 35, 40, 41, 42, 43, 45, 46, 47, 48, 49, newMarkerFrame};
inline constexpr int32_t hudFrames[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19,
                                        20, 21, 22, 23, 24, 25, 26, 27, 28, 54, 55, 56, 62, 63, 66, 67};

// Animations and frames the world's code names on its sprites.
// Slot 11: the status panel and gauge, the frame caches (2 with 3 or 4), the
// item shortcut's box and the inventory's pieces.
inline constexpr int32_t statusFrames[] = {0,  2,  3,  4,  6,  7,  8,  9,  10, 11, 12, 14, 15, 16, 17,
                                          18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
inline constexpr int32_t helpPictureAnims[] = {0};                  // the help page's walker
inline constexpr int32_t balloonTailFrames[] = {0};
inline constexpr int32_t raceAnims[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
inline constexpr int32_t dropperAnims[] = {71};  // slot 16: what a dropper lets fall
// Slot 27: the help's creeper, the popup's icons (three each), the race's
// button, the aim brackets, the timing gauge, the dust, the shadow and the
// carried-item sign.
inline constexpr int32_t effectAnims[] = {0,  16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32,
                                          33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 48, 49, 50, 51, 52,
                                          53, 54, 55, 64, 66, 71, 72};
inline constexpr int32_t effectFrames[] = {109};  // the size of a touch button
inline constexpr int32_t projectileAnims[] = {0, 1, 2, 10};
inline constexpr int32_t cursorAnims[] = {0};
inline constexpr int32_t itemAnims[] = {0, 1, 2, 16};
inline constexpr int32_t remappedAnims[] = {2, 5};  // slot 37 plays 6 as 2 and 7 as 5
inline constexpr int32_t machineAnims[] = {0, 2, 3, 4, 8, 9, 14, 15, 17, 21};
inline constexpr int32_t breakableAnims[] = {18};

inline constexpr SpriteRequirement sprites[] = {
    {"studio logo", studioLogoSlot, LiteralId::loadingSpritePack, 0, 0, 0, 0, 0, logoFrames},
    {"game logo", gameLogoSlot, LiteralId::loadingSpritePack, 1, 0, 0, 0, 0, logoFrames},
    {"title picture", titlePictureSlot, LiteralId::commonSpritePack, 0, 0, 0, 0, 0, titleFrames},
    {"results", resultsSlot, LiteralId::commonSpritePack, 1, 0, 0, 4, 2, resultsFrames},
    {"title font", titleFontSlot, LiteralId::fontPack, titleFontEntry, 0, 2, 0, fontPalettes},
    {"text font", textFontSlot, LiteralId::fontPack, textFontEntry, 0, 2, 0, fontPalettes},
    {"interface", interfaceSlot, LiteralId::uiSpritePack, 0, 0, 0, 0, 0, interfaceFrames},
    {"HUD", hudSlot, LiteralId::uiSpritePack, 1, 0, 0, 7, 0, hudFrames},
    // The world's sprites: frame caches of 11 (frames 2 to 4), module and
    // frame caches of 23 (modules 66..78, frames 100..102), the room's
    // looping animation 16 of 34, palette 2 of 37, the animation cache of 40.
    {"status", 11, LiteralId::heroSpritePack, 0, 0, 5, 0, 0, statusFrames, true, helpPictureAnims},
    {"balloon tail", 12, LiteralId::heroSpritePack, 1, 0, 0, 0, 0, balloonTailFrames, true},
    {"race", 15, LiteralId::heroSpritePack, 4, 0, 0, 0, 0, {}, true, raceAnims},
    {"player", 16, LiteralId::objectSpritePack, 0, 0, 0, 0, 2, {}, true, dropperAnims},
    {"cast 17", 17, LiteralId::castSpritePackA, 0, 0, 0, 0, 0, {}, true},
    {"cast 18", 18, LiteralId::castSpritePackA, 1, 0, 0, 0, 0, {}, true},
    {"cast 19", 19, LiteralId::castSpritePackB, 0, 0, 0, 0, 0, {}, true},
    {"cast 20", 20, LiteralId::castSpritePackB, 1, 0, 0, 0, 0, {}, true},
    {"cast 21", 21, LiteralId::castSpritePackB, 2, 0, 0, 0, 0, {}, true},
    {"objects 23", 23, LiteralId::objectSpritePack, 23 - 16, 79, 103, 0, 0, {}, true},
    {"effects 27", 27, LiteralId::objectSpritePack, 11, 0, 0, 0, 0, effectFrames, true, effectAnims},
    {"projectiles 28", 28, LiteralId::objectSpritePack, 12, 0, 0, 0, 0, {}, true, projectileAnims},
    {"cursor 30", 30, LiteralId::objectSpritePack, 14, 0, 0, 0, 0, {}, true, cursorAnims},
    {"breakables 31", 31, LiteralId::objectSpritePack, 15, 0, 0, 0, 0, {}, true, breakableAnims},
    {"room animation 34", 34, LiteralId::objectSpritePack, 34 - 16, 0, 0, 17, 0, {}, true, itemAnims},
    {"objects 37", 37, LiteralId::objectSpritePack, 37 - 16, 0, 0, 0, 3, {}, true, remappedAnims},
    {"machine 40", 40, LiteralId::objectSpritePack, 40 - 16, 0, 0, 1, 0, {}, true, machineAnims},
};

// Where the room load takes a world slot (11..48) from: the hero pack for
// 11..15, the two cast packs for 17, 18 and 19..21, the objects pack for the
// rest (entry slot - 16, the cast's entries left empty there).
struct SpriteSource {
  LiteralId pack;
  int32_t entry;
};
constexpr SpriteSource worldSpriteSource(int32_t slot) {
  if (slot <= 15) return {LiteralId::heroSpritePack, slot - 11};
  if (slot == 17 || slot == 18) return {LiteralId::castSpritePackA, slot - 17};
  if (slot >= 19 && slot <= 21) return {LiteralId::castSpritePackB, slot - 19};
  return {LiteralId::objectSpritePack, slot - 16};
}

// The animations the world's code chooses for a character or creature from
// its tables, so that every sprite the level data gives one holds them all.
// The two partners: 0 steers, pushes and carries; 1 aims and shoots.
inline constexpr int32_t partnerZeroAnims[] = {
    0,  1,  2,  3,  4,  5,  6,  7,  12, 13, 14, 15, 16, 17, 18, 19, 20, 21,  22,  23,  24,  25,  26,  27, 28, 29,
    34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 54, 55, 60, 61, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83,
    100, 101, 102, 103, 104, 105, 106, 107};
inline constexpr int32_t partnerOneAnims[] = {0,  1,  2,  3,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                              20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33};
// Either partner in the rooms whose camera carries the player.
inline constexpr int32_t sideViewAnims[] = {0, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 19, 20, 27};
// Creatures by type; an ordinary one's numbers are added to its animation base.
inline constexpr int32_t ordinaryCreatureAnims[] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
    26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 55, 56, 57, 58,
    59, 60, 61, 62, 66, 67};
inline constexpr int32_t leaderCreatureAnims[] = {0,  1,  2,  3,  4,  5,  6,  7,  10, 11, 12, 13, 14, 15, 16,
                                                  17, 24, 25, 28, 29, 30, 31, 32, 33, 36, 37, 38, 39};
inline constexpr int32_t callerCreatureAnims[] = {0, 1, 2, 3, 4, 5, 10};
// A caller's reinforcements are ordinary creatures (base 0) on this slot.
inline constexpr int32_t reinforcementSlot = 19;
// Breakable objects on this slot start at one of these animations, play the
// next one when hit and the breakables' 18 when broken.
inline constexpr int32_t breakableSlot = 31;
inline constexpr int32_t breakableStartAnims[] = {31, 32, 33, 42, 46};

// Text pack entry 0 holds the shared texts; a room's texts follow them, so
// the room's first text is id sharedTextCount of the joined pack.
inline constexpr int32_t sharedTextCount = 272;
// Rooms whose text entries (1..rooms) each begin with the text the
// game-over screen shows.
inline constexpr int32_t rooms = 10;
// Chapters, by progress index 0..chapters-1: each enters a room whose map
// pack is named by the pack-name prefix and the progress index plus the
// number of the first map pack's literal.
inline constexpr int32_t chapters = 10;

// Texts the shell names by id.
inline constexpr int32_t yesText = 6;
inline constexpr int32_t noText = 7;
inline constexpr int32_t soundMenuText = 32;
inline constexpr int32_t soundOnText = 37;
inline constexpr int32_t soundOffText = 38;
inline constexpr int32_t touchToContinueText = 41;
inline constexpr int32_t splashText = 47;

// Texts the screens show by id: buttons, prompts, questions, menus, the
// chapters, results, credits, help pages, the promotion prompt and the skip
// strip.
inline constexpr int32_t textsShown[] = {
    3,   yesText, noText, 10, 11, 31, soundMenuText, soundOnText, soundOffText, 39, 40, touchToContinueText, 42, 43,
    45,  splashText,      49, 50, 52, 53, 54,        62,          74,
    75,  78,  80,  81,  83,  85,  86,  87,  88,  91,  92,  95,  97,  100, 101, 102, 103, 144, 145, 146, 147, 148, 171,
    172, 173, 174, 175, 176, 177, 178, 179, 180, 227, 228, 229, 230, 231, 232, 237, 238, 239, 240, 241, 243, 244, 245,
    247, 248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 264, 265, 267, 268, 269, 270};
// The credits, the last results text and the choice's question about an
// item each fill in one argument (%s0).
inline constexpr int32_t textsWithOneArgument[] = {52, 144, 265};

}  // namespace contentrequirement
