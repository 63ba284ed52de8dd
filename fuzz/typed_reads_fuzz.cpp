// DataInputStream's typed reads over a byte-array stream. Input: a count n
// (first byte, at most 16), n operation bytes, then the stream's bytes. Every
// read either answers or leaves an EOFException or UTFDataFormatException
// pending; the stream never reports more than it holds.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_leak_checking.h"
#include "fuzz/fuzz_require.h"
#include "runtime/Application.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/java_io_DataInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

QUENDRILL_FUZZ_WITHOUT_LEAK_CHECKING

namespace {

Application* startRuntime() {
  auto* application = new Application();
  application->init(nullptr, 4u << 20, 4u << 20);
  return application;
}

// The pending exception is one a read may raise; it is cleared.
void requireOnlyReadFailures(Application* application) {
  Object* pending = application->getPending();
  if (pending == nullptr) return;
  const uint16_t id = pending->getClassId();
  require(id == classid::java_io_EOFException || id == classid::java_io_UTFDataFormatException ||
          id == classid::java_lang_IndexOutOfBoundsException);
  application->m_pending = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Application* application = startRuntime();
  if (size < 1 || size > (64u << 10)) return 0;
  const size_t operations = data[0] % 17;
  if (size < 1 + operations) return 0;
  const auto count = static_cast<int32_t>(size - 1 - operations);
  ByteArray* bytes = newByteArray(count);
  if (bytes == nullptr) return 0;
  if (count > 0) std::memcpy(bytes->m_elements, data + 1 + operations, static_cast<size_t>(count));
  auto* stream = newObject<java_io_DataInputStream>(newObject<java_io_ByteArrayInputStream>(bytes));
  ByteArray* scratch = newByteArray(16);
  require(stream != nullptr && scratch != nullptr);

  for (size_t i = 0; i < operations; ++i) {
    const uint8_t operation = data[1 + i];
    const int32_t before = stream->available();
    require(before >= 0 && before <= count);
    switch (operation % 14) {
      case 0: stream->readBoolean(); break;
      case 1: require(stream->readByte() >= -128); break;
      case 2: require(stream->readUnsignedByte() <= 255); break;
      case 3: require(stream->readUnsignedShort() <= 65535); break;
      case 4: stream->readShort(); break;
      case 5: stream->readChar(); break;
      case 6: stream->readInt(); break;
      case 7: stream->readLong(); break;
      case 8: {
        String* text = stream->readUTF();
        if (text != nullptr) require(text->length() <= before && text->characters()[text->length()] == 0);
        break;
      }
      case 9: stream->readFully(scratch, operation % 16, (operation >> 4) % 17); break;
      case 10: require(stream->skipBytes(operation >> 4) <= before); break;
      case 11: stream->mark(0); break;
      case 12: stream->reset(); break;
      case 13: require(stream->read(scratch) <= 16); break;
    }
    requireOnlyReadFailures(application);
  }
  return 0;
}
