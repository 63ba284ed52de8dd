// The byte decoders, reached the way the runtime reaches them: a ByteArray
// and an encoding name handed to the String constructor. Input: one byte
// choosing the name, one byte each for the range's offset and length (taken
// as they are, so ranges outside the bytes are tried too), then the bytes.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/fuzz_require.h"
#include "runtime/Application.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

const char* const encodingNames[] = {nullptr, "UTF-8", "utf8", "SJIS", "ISO-8859-1", "UTF-16", "", "sjis"};

Application* startRuntime() {
  auto* application = new Application();
  application->init(nullptr, 4u << 20, 4u << 20);
  return application;
}

bool sameText(String* left, String* right) { return left != nullptr && right != nullptr && left->equals(right) == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 3 || size > (64u << 10)) return 0;
  const char* encoding = encodingNames[data[0] % (sizeof encodingNames / sizeof encodingNames[0])];
  const int32_t offset = static_cast<int8_t>(data[1]);
  const int32_t length = data[2];
  const auto count = static_cast<int32_t>(size - 3);

  ByteArray* bytes = newByteArray(count);
  if (bytes == nullptr) return 0;
  if (count > 0) std::memcpy(bytes->m_elements, data + 3, static_cast<size_t>(count));
  String* name = encoding != nullptr ? newString(encoding) : nullptr;
  String* whole = newObject<String>(bytes, name);
  String* part = newObject<String>(bytes, offset, length, name);
  require(whole != nullptr && part != nullptr);
  for (String* text : {whole, part}) {
    require(text->m_count >= 1 && text->characters()[text->length()] == 0);
  }
  require(whole->length() <= count);
  require(part->length() <= length);

  // Whatever the bytes decoded to survives encoding and decoding again.
  if (name != nullptr && whole->length() > 0) {
    ByteArray* encoded = whole->getBytes(name);
    if (encoded != nullptr) require(sameText(newObject<String>(encoded, name), whole));
  }
  application->m_pending = nullptr;
  return 0;
}
