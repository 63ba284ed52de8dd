// lzmaDecode: the entry's bytes from the stream, then the plain decoder into
// an output array allocated once at its final size.
#include <span>

#include "game/toolkit/LzmaDecoder.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

void cGame::lzmaDecode(java_io_InputStream* in, int32_t n) {
  cGameLzmaStatics& decoder = toolkitStatics().cGameLzma;
  decoder.output = nullptr;
  if (n < static_cast<int32_t>(lzma::headerBytes)) {
    debugLog("lzma: %d bytes cannot hold the header", n);
    return;
  }
  ByteArray* input = newByteArray(n);
  if (input == nullptr) return;
  if (readStreamFully(in, input, 0, n) != n) {
    debugLog("lzma: the data ends before its %d bytes", n);
    return;
  }
  std::span<const uint8_t> entry(reinterpret_cast<const uint8_t*>(input->elements()), static_cast<size_t>(n));
  const std::optional<lzma::Header> header = lzma::readHeader(entry);
  if (!header) {
    debugLog("lzma: properties byte %d is out of range", entry[0]);
    return;
  }
  if (header->unpackedSize > lzma::maxUnpackedSize) {
    debugLog("lzma: unpacked size %u is past the limit", header->unpackedSize);
    return;
  }
  ByteArray* output = newByteArray(static_cast<int32_t>(header->unpackedSize));
  if (output == nullptr || output->length() != static_cast<int32_t>(header->unpackedSize)) return;
  // No allocation from here on, so both element addresses stay valid.
  entry = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(input->elements()), static_cast<size_t>(n));
  const lzma::Result result =
      lzma::decode(*header, entry.subspan(lzma::headerBytes), reinterpret_cast<uint8_t*>(output->elements()));
  if (result != lzma::Result::ok) {
    debugLog(result == lzma::Result::truncated ? "lzma: the data ends early" : "lzma: a distance lies before the start");
    return;
  }
  decoder.output = output;
  // The packed input is dropped with this frame.
  java_lang_System::gc();
}

ByteArray* cGame::takeLzmaOutput() {
  ByteArray* output = toolkitStatics().cGameLzma.output;
  toolkitStatics().cGameLzma.output = nullptr;
  return output;
}
