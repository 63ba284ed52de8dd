#include "tools/writers/OggVorbisWriter.h"

#include <dlfcn.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

// libvorbis is loaded at run time, never linked: its vorbis_* names are also
// Tremor's, which the runtime links statically. Loaded locally, libvorbisenc
// binds to its own libvorbis and the two decoders never meet.

namespace tools {

namespace {

struct VorbisEncoder {
  void* library = nullptr;
#define QUENDRILL_VORBIS_FUNCTION(name) decltype(&::name) name = nullptr;
#define QUENDRILL_VORBIS_FUNCTIONS(X) \
  X(vorbis_info_init) \
  X(vorbis_info_clear) \
  X(vorbis_encode_init_vbr) \
  X(vorbis_comment_init) \
  X(vorbis_comment_clear) \
  X(vorbis_analysis_init) \
  X(vorbis_block_init) \
  X(vorbis_block_clear) \
  X(vorbis_dsp_clear) \
  X(vorbis_analysis_headerout) \
  X(vorbis_analysis_buffer) \
  X(vorbis_analysis_wrote) \
  X(vorbis_analysis_blockout) \
  X(vorbis_analysis) \
  X(vorbis_bitrate_addblock) \
  X(vorbis_bitrate_flushpacket) \
  X(ogg_stream_init) \
  X(ogg_stream_clear) \
  X(ogg_stream_packetin) \
  X(ogg_stream_pageout) \
  X(ogg_stream_flush)
  QUENDRILL_VORBIS_FUNCTIONS(QUENDRILL_VORBIS_FUNCTION)

  bool load() {
    library = dlopen("libvorbisenc.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
      std::fprintf(stderr, "libvorbisenc: %s\n", dlerror());
      return false;
    }
    bool complete = true;
#define QUENDRILL_VORBIS_LOOKUP(name) \
  name = reinterpret_cast<decltype(name)>(dlsym(library, #name)); \
  complete = complete && name;
    QUENDRILL_VORBIS_FUNCTIONS(QUENDRILL_VORBIS_LOOKUP)
    return complete;
  }
};

void appendPage(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::optional<std::vector<uint8_t>> encodeOggVorbis(const std::vector<int16_t>& interleaved, int channels, int rate) {
  // Loaded once for the process: unloading would strand its state.
  static VorbisEncoder encoder;
  static const bool loaded = encoder.load();
  if (!loaded) return std::nullopt;
  VorbisEncoder& e = encoder;

  vorbis_info info;
  e.vorbis_info_init(&info);
  if (e.vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
    e.vorbis_info_clear(&info);
    return std::nullopt;
  }
  vorbis_comment comment;
  e.vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  e.vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  e.vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  e.ogg_stream_init(&stream, 0x51554E44);

  std::vector<uint8_t> out;
  ogg_page page;
  ogg_packet identification, comments, codebooks;
  e.vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
  e.ogg_stream_packetin(&stream, &identification);
  e.ogg_stream_packetin(&stream, &comments);
  e.ogg_stream_packetin(&stream, &codebooks);
  while (e.ogg_stream_flush(&stream, &page)) appendPage(out, page);

  auto drain = [&] {
    ogg_packet packet;
    while (e.vorbis_analysis_blockout(&dsp, &block) == 1) {
      e.vorbis_analysis(&block, nullptr);
      e.vorbis_bitrate_addblock(&block);
      while (e.vorbis_bitrate_flushpacket(&dsp, &packet)) {
        e.ogg_stream_packetin(&stream, &packet);
        while (e.ogg_stream_pageout(&stream, &page)) appendPage(out, page);
      }
    }
  };
  const size_t frames = interleaved.size() / size_t(channels);
  for (size_t first = 0; first < frames; first += 1024) {
    const int count = int(std::min<size_t>(1024, frames - first));
    float** buffer = e.vorbis_analysis_buffer(&dsp, count);
    for (int frame = 0; frame < count; ++frame)
      for (int channel = 0; channel < channels; ++channel)
        buffer[channel][frame] = float(interleaved[(first + size_t(frame)) * size_t(channels) + size_t(channel)]) / 32768.0f;
    e.vorbis_analysis_wrote(&dsp, count);
    drain();
  }
  e.vorbis_analysis_wrote(&dsp, 0);
  drain();
  while (e.ogg_stream_flush(&stream, &page)) appendPage(out, page);

  e.ogg_stream_clear(&stream);
  e.vorbis_block_clear(&block);
  e.vorbis_dsp_clear(&dsp);
  e.vorbis_comment_clear(&comment);
  e.vorbis_info_clear(&info);
  return out;
}

}  // namespace tools
