#include "tools/writers/TypedArrayWriter.h"

#include <stdexcept>
#include <string>

#include "tools/writers/LittleEndianWriter.h"

namespace tools {

namespace {

bool allWithin(const std::vector<int32_t>& values, int32_t low, int32_t high) {
  for (int32_t value : values) {
    if (value < low || value > high) return false;
  }
  return true;
}

// The stored width code (header bits 4-7) and bytes per element.
struct Width {
  int code;
  int bytes;
};

Width widthOf(const TypedArrayValue& array) {
  using Kind = TypedArrayValue::Kind;
  switch (array.kind) {
    case Kind::bytes:
      if (!allWithin(array.values, -128, 255)) throw std::runtime_error("typed array: byte value out of range");
      return {0, 1};
    case Kind::shorts:
      if (!allWithin(array.values, -32768, 65535)) throw std::runtime_error("typed array: short value out of range");
      return allWithin(array.values, -128, 127) ? Width{0, 1} : Width{1, 2};
    case Kind::ints:
      if (allWithin(array.values, -128, 127)) return {0, 1};
      return allWithin(array.values, -32768, 32767) ? Width{1, 2} : Width{2, 4};
    case Kind::arrays: return {0, 0};
  }
  return {0, 0};
}

}  // namespace

void appendTypedArray(const TypedArrayValue& array, std::vector<uint8_t>& out) {
  const bool nested = array.kind == TypedArrayValue::Kind::arrays;
  const size_t count = nested ? array.elements.size() : array.values.size();
  if (count > 65535) throw std::runtime_error("typed array: " + std::to_string(count) + " elements, at most 65535");
  const Width width = widthOf(array);
  const bool wideCount = count > 255;
  LittleEndianWriter writer;
  writer.writeByte(static_cast<uint8_t>(static_cast<int>(array.kind) | (wideCount ? 8 : 0) | width.code << 4));
  if (wideCount) {
    writer.writeShort(static_cast<uint16_t>(count));
  } else {
    writer.writeByte(static_cast<uint8_t>(count));
  }
  for (int32_t value : array.values) {
    const auto bits = static_cast<uint32_t>(value);
    if (width.bytes == 1) writer.writeByte(static_cast<uint8_t>(bits));
    if (width.bytes == 2) writer.writeShort(static_cast<uint16_t>(bits));
    if (width.bytes == 4) writer.writeInt(bits);
  }
  out.insert(out.end(), writer.bytes().begin(), writer.bytes().end());
  for (const TypedArrayValue& element : array.elements) appendTypedArray(element, out);
}

std::vector<uint8_t> writeTypedArray(const TypedArrayValue& array) {
  std::vector<uint8_t> out;
  appendTypedArray(array, out);
  return out;
}

}  // namespace tools
