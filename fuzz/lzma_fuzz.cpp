// The LZMA decoder over arbitrary entries: it either refuses them or fills
// exactly the output the header asks for, never touching anything else.
#include <cstdint>
#include <vector>

#include "game/toolkit/LzmaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto header = lzma::readHeader({data, size});
  if (!header || header->unpackedSize > (256u << 10)) return 0;
  std::vector<uint8_t> out(header->unpackedSize);
  lzma::decode(*header, std::span<const uint8_t>(data, size).subspan(lzma::headerBytes), out.data());
  return 0;
}
