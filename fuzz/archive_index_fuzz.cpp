// The resource archive's index reader over any bytes: it either refuses the
// archive or answers entries that lie inside it and that a lookup by their
// own names finds.
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/fuzz_require.h"
#include "runtime/io/ResourceArchiveIndex.h"

namespace {

bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  ResourceArchiveIndex index;
  std::string error;
  if (!index.parse(std::span<const uint8_t>(data, size), error)) {
    require(!error.empty() && index.entries().empty());
    return 0;
  }
  for (const ResourceArchiveEntry& entry : index.entries()) {
    require(entry.offset >= 0 && entry.size >= 0 && uint64_t(entry.offset) + uint64_t(entry.size) <= size);
    const ResourceArchiveEntry* found = index.find(u"/" + entry.name);
    require(found != nullptr && found <= &entry && sameIgnoringAsciiCase(found->name, entry.name));
  }
  return 0;
}
