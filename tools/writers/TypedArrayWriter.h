#pragma once
// Typed arrays: a header byte (kind, count width, element width), the count,
// then the elements, each stored in the narrowest width that holds every
// value of the array; arrays of arrays nest.
#include <cstdint>
#include <vector>

namespace tools {

struct TypedArrayValue {
  enum class Kind { bytes, shorts, ints, arrays };
  Kind kind = Kind::bytes;
  std::vector<int32_t> values;            // bytes, shorts, ints
  std::vector<TypedArrayValue> elements;  // arrays

  static TypedArrayValue ofBytes(std::vector<int32_t> values) { return {Kind::bytes, std::move(values), {}}; }
  static TypedArrayValue ofShorts(std::vector<int32_t> values) { return {Kind::shorts, std::move(values), {}}; }
  static TypedArrayValue ofInts(std::vector<int32_t> values) { return {Kind::ints, std::move(values), {}}; }
  static TypedArrayValue ofArrays(std::vector<TypedArrayValue> elements) {
    return {Kind::arrays, {}, std::move(elements)};
  }
};

// Throws std::runtime_error for more than 65535 elements or a value outside
// its kind (bytes -128..255, shorts -32768..65535).
std::vector<uint8_t> writeTypedArray(const TypedArrayValue& array);
void appendTypedArray(const TypedArrayValue& array, std::vector<uint8_t>& out);

}  // namespace tools
