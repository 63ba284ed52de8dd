// Typed arrays: the plain measure and the reader over a stream must agree;
// whatever the reader answers was really in the data.
#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/toolkit_fuzz_support.h"
#include "game/toolkit/TypedArrayFormat.h"
#include "game/toolkit/cGameToolkit.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toolkitfuzz;
  static Application* application = startRuntime();
  if (size > (64u << 10)) return 0;
  const auto extent = typedarray::measure({data, size});
  if (extent) require(*extent <= size);
  java_io_ByteArrayInputStream* in = streamOf(data, size);
  if (in == nullptr) return 0;
  cGameToolkit::setStreamByteCount(0);
  Object* result = cGameToolkit::readTypedArray(in);
  if (result != nullptr) {
    require(extent.has_value());
    require(static_cast<size_t>(cGameToolkit::getStreamByteCount()) == *extent);
  }
  require(application->getPending() == nullptr);
  return 0;
}
