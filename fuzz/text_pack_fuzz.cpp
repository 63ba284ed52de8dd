// Text packs over arbitrary bytes: the table is either refused or every text
// lies inside the bytes read; decoding and formatting any text stays inside
// it too.
#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/TextUtf8.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/lang/String.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toolkitfuzz;
  static Application* application = startRuntime();
  if (size > (64u << 10)) return 0;
  decodeTextUtf8({data, size});
  java_io_ByteArrayInputStream* in = streamOf(data, size);
  if (in == nullptr) return 0;
  require(cGameToolkit::readTextPack(in) <= static_cast<int32_t>(size));
  const int32_t count = cGameToolkit::getTextCount();
  ObjectArray* args = newObjectArray(2);
  for (int32_t id = -1; id <= count && id < 64; ++id) {
    String* text = cGameToolkit::getText(id);
    if (text != nullptr) {
      args->set(id & 1, text);
      cGameToolkit::formatText(text, args);
    }
  }
  cGameToolkit::clearTexts();
  require(application->getPending() == nullptr);
  return 0;
}
