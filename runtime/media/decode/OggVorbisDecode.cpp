#include "runtime/media/decode/OggVorbisDecode.h"

#include <tremor/ivorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

#include "wince/log.h"

namespace mediadecode {

namespace {

constexpr int readRequestBytes = 4096;
// A few minutes of 44.1 kHz stereo; a stream that decodes to more is hostile
// or not a game sound, and the device's memory would not hold it.
constexpr size_t largestDecode = size_t(64) << 20;
// Gaps in a row after which the stream is taken as broken.
constexpr int mostHolesInARow = 64;

// Tremor reads through these so that the file stays ours to close.
size_t readFile(void* buffer, size_t size, size_t count, void* file) {
  return std::fread(buffer, size, count, static_cast<std::FILE*>(file));
}
int seekFile(void* file, ogg_int64_t offset, int whence) {
  return fseeko(static_cast<std::FILE*>(file), off_t(offset), whence);
}
int leaveFileOpen(void*) { return 0; }
long tellFile(void* file) { return long(ftello(static_cast<std::FILE*>(file))); }

constexpr size_t hugePage = size_t(2) << 20;

// PCM of a long stream goes on huge-page bounds, where the kernel may back
// it with 2 MB pages: writing it then costs a few page faults instead of one
// per 4 KB, which on a virtual machine took a third as long as the decoding.
uint8_t* allocatePcm(size_t capacity) {
  if (capacity < hugePage) return static_cast<uint8_t*>(std::malloc(capacity));
  const size_t rounded = (capacity + hugePage - 1) & ~(hugePage - 1);
  auto* block = static_cast<uint8_t*>(std::aligned_alloc(hugePage, rounded));
  if (!block) return static_cast<uint8_t*>(std::malloc(capacity));
#ifdef MADV_HUGEPAGE
  madvise(block, rounded, MADV_HUGEPAGE);
#endif
  return block;
}

}  // namespace

struct OggVorbisDecoder::Stream {
  std::FILE* file = nullptr;
  OggVorbis_File vorbis{};
};

bool OggVorbisDecoder::open(const char* hostPath) {
  clear();
  std::FILE* file = std::fopen(hostPath, "rb");
  if (!file) {
    logPrintf("Ogg Vorbis: cannot read %s\n", hostPath);
    return false;
  }
  auto* stream = new (std::nothrow) Stream;
  if (!stream) {
    std::fclose(file);
    return false;
  }
  stream->file = file;
  const ov_callbacks callbacks{readFile, seekFile, leaveFileOpen, tellFile};
  const int opened = ov_open_callbacks(file, &stream->vorbis, nullptr, 0, callbacks);
  if (opened != 0) {
    logPrintf("Ogg Vorbis: %s is not an Ogg Vorbis stream (%d)\n", hostPath, opened);
    std::fclose(file);
    delete stream;
    return false;
  }
  m_stream = stream;
  const vorbis_info* info = ov_info(&stream->vorbis, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate < 1) {
    logPrintf("Ogg Vorbis: %d channel(s) at %ld Hz cannot be played\n", info ? info->channels : 0,
              info ? info->rate : 0L);
    clear();
    return false;
  }
  m_info = OggVorbisInfo{info->version,        info->channels,           int32_t(info->rate),
                         int32_t(info->bitrate_upper), int32_t(info->bitrate_nominal), int32_t(info->bitrate_lower)};
  return true;
}

int64_t OggVorbisDecoder::totalMilliseconds() const {
  if (!m_stream) return -1;
  const ogg_int64_t total = ov_time_total(&m_stream->vorbis, -1);
  return total < 0 ? -1 : int64_t(total);
}

DecodedPcm OggVorbisDecoder::decodeAll() {
  DecodedPcm result;
  if (!m_stream) return result;
  OggVorbis_File* vorbis = &m_stream->vorbis;

  // Reserve what the stream says it holds; grow by doubling past that.
  size_t capacity = readRequestBytes;
  const ogg_int64_t frames = ov_pcm_total(vorbis, -1);
  if (frames > 0 && uint64_t(frames) <= largestDecode / (2 * m_info.channels))
    capacity = std::max<size_t>(capacity, size_t(frames) * 2 * m_info.channels + readRequestBytes);
  auto* buffer = allocatePcm(capacity);
  if (!buffer) {
    result.failedAllocationBytes = capacity;
    return result;
  }

  size_t decoded = 0;
  int holesInARow = 0;
  for (;;) {
    if (capacity - decoded < size_t(readRequestBytes)) {
      if (capacity >= largestDecode) {
        logPrintf("Ogg Vorbis: stream decodes to more than %zu bytes; keeping those\n", largestDecode);
        break;
      }
      const size_t grown = std::min(capacity * 2, largestDecode);
      auto* larger = static_cast<uint8_t*>(std::realloc(buffer, grown));
      if (!larger) {
        std::free(buffer);
        result.failedAllocationBytes = grown;
        return result;
      }
      buffer = larger;
      capacity = grown;
    }
    int link = 0;
    const long count = ov_read(vorbis, reinterpret_cast<char*>(buffer + decoded), readRequestBytes, &link);
    if (count == 0) break;
    // A gap in the data: what follows still plays.
    if (count == OV_HOLE && ++holesInARow <= mostHolesInARow) continue;
    if (count < 0) {
      logPrintf("Ogg Vorbis: decode error %ld after %zu bytes; keeping those\n", count, decoded);
      break;
    }
    holesInARow = 0;
    const vorbis_info* info = ov_info(vorbis, link);
    if (!info || info->channels != m_info.channels || info->rate != m_info.rate) {
      logPrintf("Ogg Vorbis: link %d changes the format; keeping the %zu bytes before it\n", link, decoded);
      break;
    }
    decoded += size_t(count);
  }
  // Whole frames only.
  decoded -= decoded % size_t(2 * m_info.channels);
  if (decoded == 0) {
    std::free(buffer);
    return result;
  }
  if (auto* exact = static_cast<uint8_t*>(std::realloc(buffer, decoded))) buffer = exact;
  result.bytes = buffer;
  result.length = decoded;
  return result;
}

void OggVorbisDecoder::clear() {
  if (!m_stream) return;
  ov_clear(&m_stream->vorbis);
  std::fclose(m_stream->file);
  delete m_stream;
  m_stream = nullptr;
  m_info = OggVorbisInfo{};
}

}  // namespace mediadecode
