#pragma once
// What each help page shows and where: its texts, the HUD and interface
// frames beside them, and the animated pictures. Pictures stand on their
// anchor (the bottom centre of the sprite's cell), so each one's anchor is
// placed below its line by the distance from the cell's bottom to the middle
// of what it draws; every picture stays whole inside the page's clip and
// clear of the page arrows.
#include <cstdint>

#include "game/ContentRequirements.h"
#include "game/shell/cGamePagesStatics.h"

namespace helppage {

// The page's clip and the two arrows' touch areas under it.
inline constexpr int32_t clipX = 0, clipY = 50, clipWidth = 800, clipHeight = 380;
inline constexpr int32_t previousArea[4] = {260, 390, 80, 80};
inline constexpr int32_t nextArea[4] = {460, 390, 80, 80};

// Anchors of the sprite font: 1 horizontal centre, 2 vertical centre.
inline constexpr int32_t centre = 3;
inline constexpr int32_t leftMiddle = 2;

// Sprite slots of the pictures: the first partner, the Murkling, the sign to
// tap and the treasure sheet (coin, hidden lantern, the satchel's combining).
inline constexpr int32_t wrenSlot = 11;
inline constexpr int32_t murklingSlot = 27;
inline constexpr int32_t tapSignSlot = 30;
inline constexpr int32_t treasureSlot = 34;
using contentrequirement::hudSlot;
using contentrequirement::interfaceSlot;

struct Text {
  int32_t textId;
  int32_t x, y, width, anchor;
  bool heading;  // drawn in the selected (gold) palette
};
struct Frame {
  int32_t slot, frame, x, y;
};
struct Picture {
  int32_t slot, anim, x, y;
};
struct Page {
  Text texts[4];
  Frame frames[6];
  Picture pictures[3];
};

// Unused entries have text id 0 and slot 0.
inline constexpr Page pages[cGamePagesStatics::helpPageCount] = {
    // The story: Wren on her way and Bram's lantern lighting, between the two lines.
    {{{245, 400, 95, 700, centre, true}, {247, 400, 345, 700, centre, false}},
     {},
     {{wrenSlot, 0, 300, 279}, {treasureSlot, 1, 500, 282}}},
    // The two buttons at the top right.
    {{{248, 400, 95, 700, centre, true},
      {249, 150, 150, 500, leftMiddle, false},
      {250, 150, 240, 560, leftMiddle, false}},
     {{hudSlot, 62, 80, 150}, {interfaceSlot, 20, 80, 150}, {hudSlot, 62, 80, 240}, {interfaceSlot, 45, 80, 240}},
     {}},
    // Walking, talking, acting.
    {{{251, 150, 110, 610, leftMiddle, false}, {252, 150, 230, 610, leftMiddle, false},
      {253, 150, 340, 610, leftMiddle, false}},
     {{hudSlot, 54, 80, 110}, {hudSlot, 55, 80, 230}, {hudSlot, 56, 80, 340}},
     {}},
    // The sling: its button, then the heading and the line under it.
    {{{258, 400, 215, 700, centre, true}, {259, 400, 285, 560, centre, false}}, {{hudSlot, 26, 400, 140}}, {}},
    // Murklings: one creeping, the sign to tap, and the mark of being spotted.
    {{{254, 400, 95, 700, centre, true},
      {255, 160, 160, 600, leftMiddle, false},
      {256, 160, 265, 600, leftMiddle, false},
      {264, 160, 360, 600, leftMiddle, false}},
     {},
     {{murklingSlot, 0, 80, 192}, {tapSignSlot, 0, 80, 321}, {hudSlot, 0, 80, 360}}},
    // Treasure: a coin and a lantern beside the score line, the satchel's
    // combining beside its line.
    {{{257, 400, 95, 700, centre, true}, {260, 190, 180, 580, leftMiddle, false},
      {261, 190, 300, 580, leftMiddle, false}},
     {},
     {{treasureSlot, 0, 48, 212}, {treasureSlot, 1, 130, 232}, {treasureSlot, 2, 96, 348}}},
    // Tips, each with a bullet.
    {{{267, 150, 130, 610, leftMiddle, false}, {268, 150, 235, 610, leftMiddle, false},
      {269, 150, 320, 610, leftMiddle, false}},
     {{hudSlot, 54, 80, 130}, {hudSlot, 54, 80, 235}, {hudSlot, 54, 80, 320}},
     {}},
};

}  // namespace helppage
