#include "tools/writers/LzmaWriter.h"

#include <lzma.h>

#include <stdexcept>
#include <string>

namespace tools {

std::vector<uint8_t> lzmaCompress(std::span<const uint8_t> data, const LzmaOptions& options) {
  lzma_options_lzma settings;
  if (lzma_lzma_preset(&settings, options.preset)) throw std::runtime_error("lzma: unknown preset");
  settings.lc = static_cast<uint32_t>(options.lc);
  settings.lp = static_cast<uint32_t>(options.lp);
  settings.pb = static_cast<uint32_t>(options.pb);
  // A dictionary larger than the data gains nothing and costs the encoder
  // its set-up time.
  while (settings.dict_size / 2 >= data.size() && settings.dict_size / 2 >= LZMA_DICT_SIZE_MIN) settings.dict_size /= 2;
  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_alone_encoder(&stream, &settings) != LZMA_OK) throw std::runtime_error("lzma: options refused");

  std::vector<uint8_t> out(data.size() + data.size() / 2 + 1024);
  stream.next_in = data.data();
  stream.avail_in = data.size();
  stream.next_out = out.data();
  stream.avail_out = out.size();
  lzma_ret result;
  while ((result = lzma_code(&stream, LZMA_FINISH)) == LZMA_OK) {
    if (stream.avail_out == 0) {
      const size_t used = out.size();
      out.resize(used * 2);
      stream.next_out = out.data() + used;
      stream.avail_out = out.size() - used;
    }
  }
  const size_t written = out.size() - stream.avail_out;
  lzma_end(&stream);
  if (result != LZMA_STREAM_END) throw std::runtime_error("lzma: encoding failed (" + std::to_string(result) + ")");
  out.resize(written);

  const uint64_t size = data.size();
  for (int i = 0; i < 8; ++i) out[5 + i] = static_cast<uint8_t>(size >> (8 * i));
  return out;
}

}  // namespace tools
