#pragma once
// The toolkit's collision table drawn as text, one character a 32 x 32 cell
// and one string a row of cells (rows top to bottom, all of one length):
//
//   installCollisionMap({"#####",
//                        "#..4#",
//                        "#####"});
//
// '.' is a free cell (0), '#' a fully blocked one (255), the hex digits
// '0'-'9' and 'A'-'F' are cells of that value (so '4' is bit 4 alone), and a
// legend gives any other character its value ({{'w', 128}, {'d', 0x44}}),
// also overriding the defaults. The table is made by
// cGame::createCollisionMap, so cGame::isBlockedAt, testCollision,
// lineBlocked and the other tests answer from the picture.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace worldkit {

struct CollisionSymbol {
  char symbol;
  int value;  // 0..255
};

// Replaces the collision table with the picture's cells. Throws
// std::invalid_argument naming the row and column of a character that has
// no value or of a row of another length.
void installCollisionMap(const std::vector<std::string>& rows, std::initializer_list<CollisionSymbol> legend = {});

// A cell of the current table (column = x / 32, row = y / 32), or -1 when
// the cell lies outside it or there is no table.
int collisionCell(int column, int row);

// The current table drawn back in the same characters: '.', '#', the hex
// digits and the legend's symbols (the legend wins); '?' for a value none
// of them names. For checking what the world stamped into the table.
std::vector<std::string> collisionMapPicture(std::initializer_list<CollisionSymbol> legend = {});

}  // namespace worldkit
