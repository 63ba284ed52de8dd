#include "tools/compiler/MathTablePack.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/writers/TypedArrayWriter.h"

namespace tools {

std::vector<int32_t> quarterWaveCosine() {
  std::vector<int32_t> table(65);
  for (int32_t i = 0; i < 65; ++i) table[size_t(i)] = int32_t(std::lround(256.0 * std::cos(i * std::numbers::pi / 128.0)));
  return table;
}

std::vector<PackFile> writeMathTablePack(const std::string& name) {
  const std::vector<int32_t> cosine = quarterWaveCosine();
  std::vector<int32_t> sine(cosine.rbegin(), cosine.rend());
  // The entry type byte is not read for these tables.
  PackWriter pack;
  pack.add(0, writeTypedArray(TypedArrayValue::ofInts(cosine)));
  pack.add(0, writeTypedArray(TypedArrayValue::ofInts(sine)));
  return pack.write(name);
}

}  // namespace tools
