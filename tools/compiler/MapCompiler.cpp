#include "tools/compiler/MapCompiler.h"

#include <sstream>
#include <stdexcept>

namespace tools {
namespace {

constexpr int layerCount = 5;
constexpr int collisionLayer = 4;

[[noreturn]] void fail(const std::string& source, int line, const std::string& what) {
  throw std::runtime_error(source + ":" + std::to_string(line) + ": " + what);
}

std::string trimmedRight(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

// ';' starts a comment line: '#' and '.' are cells.
bool isComment(const std::string& line) { return !line.empty() && line[0] == ';'; }

int parseByte(const std::string& word, const std::string& source, int line) {
  size_t used = 0;
  int value = -1;
  try {
    value = std::stoi(word, &used);
  } catch (const std::exception&) {
  }
  if (used != word.size() || value < 0 || value > 255) fail(source, line, "\"" + word + "\" is not a byte");
  return value;
}

// The collision layer's own characters: the codes the collision table knows.
const MapLegend& collisionLegend() {
  static const MapLegend legend = {{'.', {0, 0}}, {'#', {255, 0}}, {'2', {2, 0}},
                                   {'3', {3, 0}}, {'4', {4, 0}},   {'6', {6, 0}}};
  return legend;
}

struct Grid {
  int firstLine = 0;
  std::vector<std::string> rows;
};

}  // namespace

MapLegend parseMapLegend(const std::string& text, const std::string& source) {
  MapLegend legend;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = trimmedRight(line);
    if (line.empty() || isComment(line)) continue;
    std::istringstream words(line.substr(1));
    const char symbol = line[0];
    std::string tile, attribute, extra;
    words >> tile >> attribute >> extra;
    if (tile.empty() || !extra.empty()) fail(source, number, "expected <char> <tile> [attribute]");
    if (symbol == ' ' || symbol == '\t') fail(source, number, "a legend character must be visible");
    if (legend.count(symbol) != 0) fail(source, number, std::string("'") + symbol + "' is given twice");
    legend[symbol] = {uint8_t(parseByte(tile, source, number)),
                      uint8_t(attribute.empty() ? 0 : parseByte(attribute, source, number))};
  }
  return legend;
}

int mapTileSet(const std::string& text, const std::string& source) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = trimmedRight(line);
    if (line.rfind("tileset ", 0) == 0) return parseByte(line.substr(8), source, number);
  }
  fail(source, 0, "names no tile set");
}

std::vector<std::vector<uint8_t>> compileMap(const std::string& text, const MapLegend& legend,
                                             const std::string& source) {
  std::map<int, Grid> grids;
  Grid* current = nullptr;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = trimmedRight(line);
    if (line.rfind("layer ", 0) == 0) {
      const int layer = parseByte(line.substr(6), source, number);
      if (layer != 0 && layer != 2 && layer != 3 && layer != collisionLayer)
        fail(source, number, "layers are 0, 2, 3 and 4 (collision)");
      if (grids.count(layer) != 0) fail(source, number, "layer " + std::to_string(layer) + " is given twice");
      current = &grids[layer];
      current->firstLine = number + 1;
    } else if (line.empty() || line.rfind("tileset ", 0) == 0) {
      current = nullptr;  // a layer's rows end at a blank line
    } else if (isComment(line)) {
      continue;
    } else if (current == nullptr) {
      fail(source, number, "a row outside any layer");
    } else {
      current->rows.push_back(line);
    }
  }
  if (grids.count(0) == 0 || grids.count(collisionLayer) == 0)
    fail(source, 0, "a map needs layer 0 and the collision layer 4");

  const Grid& base = grids[0];
  const int rows = int(base.rows.size());
  const int columns = rows > 0 ? int(base.rows[0].size()) : 0;
  if (columns < minMapColumns || rows < minMapRows)
    fail(source, base.firstLine,
         "layer 0 is " + std::to_string(columns) + " x " + std::to_string(rows) + " tiles, less than one screen (" +
             std::to_string(minMapColumns) + " x " + std::to_string(minMapRows) + ")");
  if (columns > 32767) fail(source, base.firstLine, "more columns than a layer header holds");

  std::vector<std::vector<uint8_t>> entries;
  for (int layer = 0; layer < layerCount; ++layer) {
    if (layer == 1) {
      entries.insert(entries.end(), 3, {});
      continue;
    }
    std::vector<uint8_t> header = {uint8_t(columns), uint8_t(columns >> 8), uint8_t(rows), uint8_t(rows >> 8)};
    std::vector<uint8_t> tiles(size_t(columns) * size_t(rows), 255);
    std::vector<uint8_t> attributes(tiles.size(), 0);
    const auto found = grids.find(layer);
    if (found != grids.end()) {
      const Grid& grid = found->second;
      const MapLegend& symbols = layer == collisionLayer ? collisionLegend() : legend;
      if (int(grid.rows.size()) != rows)
        fail(source, grid.firstLine,
             "layer " + std::to_string(layer) + " has " + std::to_string(grid.rows.size()) + " rows, layer 0 " +
                 std::to_string(rows));
      for (int r = 0; r < rows; ++r) {
        const std::string& row = grid.rows[size_t(r)];
        if (int(row.size()) != columns)
          fail(source, grid.firstLine + r,
               "row of " + std::to_string(row.size()) + " cells, layer 0 has " + std::to_string(columns));
        for (int c = 0; c < columns; ++c) {
          const auto cell = symbols.find(row[size_t(c)]);
          if (cell == symbols.end())
            fail(source, grid.firstLine + r,
                 std::string("'") + row[size_t(c)] + "' is not in layer " + std::to_string(layer) + "'s legend");
          tiles[size_t(r * columns + c)] = cell->second.tile;
          attributes[size_t(r * columns + c)] = cell->second.attribute;
        }
      }
    }
    entries.push_back(std::move(header));
    entries.push_back(std::move(tiles));
    entries.push_back(std::move(attributes));
  }
  return entries;
}

}  // namespace tools
