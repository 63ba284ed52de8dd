#pragma once
// Tile maps as character grids. A legend (one per tile set) names what each
// character of layers 0, 2 and 3 stands for:
//   ; comment (in maps too)
//   <char> <tile 0..255> [attribute 0..255]
// A map names its tile set and gives its layers as rows of characters:
//   tileset <t>
//   layer 0            (then one line per row up to a blank line; likewise
//                       layers 2, 3 and 4)
// Layer 4 is the collision layer, in its own fixed characters:
//   . walkable (0)   # solid (255)   2 3 4 6 those collision codes.
// Every layer has layer 0's size, at least 25 x 15 tiles (one screen);
// layers 2 and 3 may be left out (all empty).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tools {

struct LegendCell {
  uint8_t tile = 255;
  uint8_t attribute = 0;
};
using MapLegend = std::map<char, LegendCell>;

constexpr int minMapColumns = 25, minMapRows = 15;

// Throws std::runtime_error naming the source and line of what is wrong.
MapLegend parseMapLegend(const std::string& text, const std::string& source);
int mapTileSet(const std::string& text, const std::string& source);
// The map pack's 15 entries: header (columns, rows as little-endian int16),
// tiles and attributes (one byte per cell, row by row) for layers 0 to 4;
// layer 1's three entries are empty.
std::vector<std::vector<uint8_t>> compileMap(const std::string& text, const MapLegend& legend,
                                             const std::string& source);

}  // namespace tools
