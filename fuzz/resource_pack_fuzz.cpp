// Resource packs over arbitrary part files. Input: one byte with the part
// count (1..3) and an order of reads, then the bytes, cut evenly into the
// parts; the same bytes, whole, are the pack string table. Every read
// answers an entry or "unavailable"; none loops or leaves an exception
// pending.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/lang/String.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

const uint8_t* g_data;
size_t g_size;
size_t g_parts;

java_io_InputStream* openPart(String* name) {
  // "f", "f_1", "f_2": the part number is the last character; "t" is the
  // string table.
  const std::u16string_view text = name->view();
  if (text == u"t") return toolkitfuzz::streamOf(g_data, g_size);
  size_t part = 0;
  if (text.size() > 1) part = static_cast<size_t>(text.back() - u'0');
  if (part >= g_parts) return nullptr;
  const size_t share = g_size / g_parts;
  const size_t from = part * share;
  const size_t length = part + 1 == g_parts ? g_size - from : share;
  return toolkitfuzz::streamOf(g_data + from, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toolkitfuzz;
  static Application* application = startRuntime();
  if (size < 1 || size > (64u << 10)) return 0;
  g_parts = 1 + data[0] % 3;
  const bool backwards = (data[0] & 0x80) != 0;
  g_data = data + 1;
  g_size = size - 1;
  cGamePackStatics& pack = toolkitStatics().cGamePack;
  pack.opener = &openPart;
  pack.name = nullptr;
  cGameToolkit::openPack(newString("f"));
  // The table is read while the pack is open, which must not lose its place.
  pack.stringTable = nullptr;
  cGameToolkit::loadPackStringTable(newString("t"));
  const int32_t strings = pack.stringTable != nullptr ? pack.stringTable->length() : 0;
  for (int32_t i = -1; i <= strings; ++i) require(cGameToolkit::getPackString(i) != nullptr);
  const int32_t count = std::min(pack.entryCount, 24);
  for (int32_t k = 0; k < count; ++k) {
    const int32_t i = backwards ? count - 1 - k : k;
    ByteArray* entry = (k & 1) != 0 ? cGameToolkit::readPackEntry(i) : nullptr;
    if (entry != nullptr) require(entry->length() <= static_cast<int32_t>(g_size) || pack.compressed != 0);
    if ((k & 1) == 0) cGameToolkit::readPackTypedArray(i);
    require(application->getPending() == nullptr);
  }
  cGameToolkit::locatePack(-1);
  cGameToolkit::locatePack(pack.entryCount);
  cGameToolkit::closePack();
  pack.name = nullptr;
  return 0;
}
