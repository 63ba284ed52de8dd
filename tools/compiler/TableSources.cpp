#include "tools/compiler/TableSources.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/compiler/PackSources.h"
#include "tools/compiler/PackStage.h"
#include "tools/writers/PackWriter.h"

namespace tools {

namespace {

using nlohmann::json;

std::vector<int32_t> numbersOf(const json& values) {
  if (!values.is_array()) throw std::runtime_error("elements must be a list");
  std::vector<int32_t> out;
  for (const json& value : values) {
    if (!value.is_number_integer()) throw std::runtime_error("element " + value.dump() + " is not an integer");
    const int64_t number = value.get<int64_t>();
    if (number < INT32_MIN || number > INT32_MAX) throw std::runtime_error("element " + value.dump() + " is too large");
    out.push_back(static_cast<int32_t>(number));
  }
  return out;
}

TypedArrayValue typedArrayOf(const json& value) {
  if (!value.is_object() || value.size() != 1) {
    throw std::runtime_error("a typed array is one of {\"bytes\"|\"shorts\"|\"ints\"|\"arrays\": [...]}");
  }
  const std::string kind = value.begin().key();
  const json& elements = value.begin().value();
  if (kind == "bytes") return TypedArrayValue::ofBytes(numbersOf(elements));
  if (kind == "shorts") return TypedArrayValue::ofShorts(numbersOf(elements));
  if (kind == "ints") return TypedArrayValue::ofInts(numbersOf(elements));
  if (kind == "arrays" && elements.is_array()) {
    std::vector<TypedArrayValue> nested;
    for (const json& element : elements) nested.push_back(typedArrayOf(element));
    return TypedArrayValue::ofArrays(std::move(nested));
  }
  throw std::runtime_error("unknown typed array kind \"" + kind + "\"");
}

}  // namespace

TypedArrayValue parseTypedArrayJson(std::string_view text) {
  const json value = json::parse(text, nullptr, false);
  if (value.is_discarded()) throw std::runtime_error("not JSON");
  return typedArrayOf(value);
}

void addTablePacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  forEachPackSource(folder, ".json", literals, [&](const json& description, const std::string& packName) {
    const json& entries = description.value("entries", json());
    if (!entries.is_array()) throw std::runtime_error("\"entries\" must be a list");
    const bool compress = description.value("compress", false);
    PackWriter writer;
    for (const json& entry : entries) {
      writer.add(0, writeTypedArray(typedArrayOf(entry)),
                 compress ? PackWriter::Compression::ifSmaller : PackWriter::Compression::none);
    }
    addPack(archive, literals, packName, writer);
  });
}

}  // namespace tools
