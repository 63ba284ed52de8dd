#pragma once
// The typed-array format, little-endian: a header byte (bits 0-2 kind, bit 3
// a 16-bit count, bits 4-7 the stored element width), the count, then the
// elements; kinds 3..7 hold complete typed arrays as elements.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace typedarray {

enum Kind : int { bytes = 0, shorts = 1, ints = 2, objects = 3 };

// Deeper nesting is refused: no content nests more than a few levels, and the
// reader recurses once per level.
constexpr int maxDepth = 16;

constexpr int kindOf(int header) { return (header & 7) >= objects ? objects : header & 7; }
constexpr bool hasWideCount(int header) { return (header & 8) != 0; }

// Stored bytes per element of a kind 0..2 array.
constexpr int elementBytes(int header) {
  const int width = header >> 4;
  switch (kindOf(header)) {
    case bytes: return 1;
    case shorts: return width == 0 ? 1 : 2;
    default: return width == 0 ? 1 : width == 1 ? 2 : 4;
  }
}

// The byte length of the well-formed typed array at the start of data, or
// nothing when it ends early or nests too deep.
std::optional<size_t> measure(std::span<const uint8_t> data);

}  // namespace typedarray
