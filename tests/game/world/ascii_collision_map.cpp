#include "tests/game/world/ascii_collision_map.h"

#include <optional>
#include <stdexcept>

#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

namespace worldkit {

namespace {

std::optional<int> valueOf(char symbol, std::initializer_list<CollisionSymbol> legend) {
  for (const CollisionSymbol& entry : legend)
    if (entry.symbol == symbol) return entry.value;
  if (symbol == '.') return 0;
  if (symbol == '#') return 255;
  if (symbol >= '0' && symbol <= '9') return symbol - '0';
  if (symbol >= 'A' && symbol <= 'F') return symbol - 'A' + 10;
  return std::nullopt;
}

char symbolOf(int value, std::initializer_list<CollisionSymbol> legend) {
  for (const CollisionSymbol& entry : legend)
    if (entry.value == value) return entry.symbol;
  if (value == 0) return '.';
  if (value == 255) return '#';
  if (value < 10) return static_cast<char>('0' + value);
  if (value < 16) return static_cast<char>('A' + value - 10);
  return '?';
}

ByteArray* column(int cx) {
  ObjectArray* map = toolkitStatics().cGameCollision.collisionMap;
  if (map == nullptr || cx < 0 || cx >= map->length()) return nullptr;
  return static_cast<ByteArray*>(map->get(cx));
}

std::string where(size_t row, size_t col) {
  return "row " + std::to_string(row) + ", column " + std::to_string(col);
}

}  // namespace

void installCollisionMap(const std::vector<std::string>& rows, std::initializer_list<CollisionSymbol> legend) {
  const size_t columns = rows.empty() ? 0 : rows.front().size();
  // Every character is checked before the table changes.
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() != columns)
      throw std::invalid_argument("collision picture: " + where(r, rows[r].size()) + ": rows differ in length");
    for (size_t c = 0; c < columns; ++c) {
      const std::optional<int> value = valueOf(rows[r][c], legend);
      if (!value || *value < 0 || *value > 255)
        throw std::invalid_argument("collision picture: " + where(r, c) + ": '" + std::string(1, rows[r][c]) +
                                    "' names no cell value from 0 to 255");
    }
  }
  cGameToolkit::createCollisionMap(static_cast<int32_t>(columns), static_cast<int32_t>(rows.size()));
  for (size_t c = 0; c < columns; ++c) {
    ByteArray* cells = column(static_cast<int>(c));
    if (cells == nullptr) throw std::runtime_error("collision picture: the table was not made");
    for (size_t r = 0; r < rows.size(); ++r)
      cells->set(static_cast<int32_t>(r), static_cast<int8_t>(*valueOf(rows[r][c], legend)));
  }
}

int collisionCell(int cx, int cy) {
  ByteArray* cells = column(cx);
  if (cells == nullptr || cy < 0 || cy >= cells->length()) return -1;
  return cells->get(cy) & 0xFF;
}

std::vector<std::string> collisionMapPicture(std::initializer_list<CollisionSymbol> legend) {
  ObjectArray* map = toolkitStatics().cGameCollision.collisionMap;
  if (map == nullptr || map->length() == 0) return {};
  const int columns = map->length();
  const int rows = static_cast<ByteArray*>(map->get(0))->length();
  std::vector<std::string> picture(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), '?'));
  for (int cx = 0; cx < columns; ++cx)
    for (int cy = 0; cy < rows; ++cy) picture[static_cast<size_t>(cy)][static_cast<size_t>(cx)] = symbolOf(collisionCell(cx, cy), legend);
  return picture;
}

}  // namespace worldkit
