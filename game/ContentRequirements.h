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
inline constexpr int32_t interfaceFrames[] = {0, 1, 19, 20, 27, 28, 34, 35, 40, 41, 45, 46, 47, 48, 49, newMarkerFrame};
inline constexpr int32_t hudFrames[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19,
                                        20, 21, 22, 23, 24, 25, 26, 27, 28, 54, 55, 56, 62, 63, 66, 67};

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
    {"hero", 11, LiteralId::heroSpritePack, 0, 0, 5, 0, 0, {}, true},
    {"cast 17", 17, LiteralId::castSpritePackA, 0, 0, 0, 0, 0, {}, true},
    {"cast 18", 18, LiteralId::castSpritePackA, 1, 0, 0, 0, 0, {}, true},
    {"cast 19", 19, LiteralId::castSpritePackB, 0, 0, 0, 0, 0, {}, true},
    {"cast 20", 20, LiteralId::castSpritePackB, 1, 0, 0, 0, 0, {}, true},
    {"cast 21", 21, LiteralId::castSpritePackB, 2, 0, 0, 0, 0, {}, true},
    {"objects 23", 23, LiteralId::objectSpritePack, 23 - 16, 79, 103, 0, 0, {}, true},
    {"extra 27", 27, LiteralId::objectSpritePack, 11, 0, 0, 0, 0, {}, true},
    {"extra 30", 30, LiteralId::objectSpritePack, 14, 0, 0, 0, 0, {}, true},
    {"room animation 34", 34, LiteralId::objectSpritePack, 34 - 16, 0, 0, 17, 0, {}, true},
    {"objects 37", 37, LiteralId::objectSpritePack, 37 - 16, 0, 0, 0, 3, {}, true},
    {"objects 40", 40, LiteralId::objectSpritePack, 40 - 16, 0, 0, 1, 0, {}, true},
};

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
// The credits and the last results text each fill in one argument (%s0).
inline constexpr int32_t textsWithOneArgument[] = {144, 265};

}  // namespace contentrequirement
