#include "game/toolkit/TypedArrayFormat.h"

namespace typedarray {

namespace {

bool skipOne(std::span<const uint8_t> data, size_t& at, int depth) {
  if (depth > maxDepth || at >= data.size()) return false;
  const int header = data[at++];
  size_t count;
  if (hasWideCount(header)) {
    if (data.size() - at < 2) return false;
    count = data[at] | (data[at + 1] << 8);
    at += 2;
  } else {
    if (at >= data.size()) return false;
    count = data[at++];
  }
  if (kindOf(header) != objects) {
    const size_t need = count * static_cast<size_t>(elementBytes(header));
    if (data.size() - at < need) return false;
    at += need;
    return true;
  }
  for (size_t i = 0; i < count; ++i) {
    if (!skipOne(data, at, depth + 1)) return false;
  }
  return true;
}

}  // namespace

std::optional<size_t> measure(std::span<const uint8_t> data) {
  size_t at = 0;
  if (!skipOne(data, at, 0)) return std::nullopt;
  return at;
}

}  // namespace typedarray
