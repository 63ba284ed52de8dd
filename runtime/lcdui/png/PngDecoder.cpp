#include "runtime/lcdui/png/PngDecoder.h"

#include <png.h>

#include <cstring>

#include "runtime/lang/DebugLog.h"
#include "runtime/lcdui/png/PngChunkWalk.h"
#include "runtime/lcdui/raster/ImageConversions.h"
#include "runtime/lcdui/raster/Surface.h"

namespace png {
namespace {

// Everything the libpng run touches, kept outside the function that sets
// the error return point so that a longjmp loses nothing.
struct DecodeJob {
  const uint8_t* input;
  size_t inputLength;
  size_t inputPosition;
  size_t nextChunkAt;  // where the next chunk's length and type begin
  uint32_t width, height;
  bool expectsAlpha;
  uint16_t* store;
  int32_t pitch;
  png_structp reader;
  png_infop info;
  uint8_t* rowBytes;
  png_bytep* rows;
};

void onLibpngError(png_structp reader, png_const_charp message) {
  debugLog("libpng error: %s", message);
  png_longjmp(reader, 1);
}

void onLibpngWarning(png_structp, png_const_charp message) { debugLog("libpng warning: %s", message); }

// Never past the bytes the caller gave. libpng sizes a text, palette or
// metadata chunk's buffer by the declared length before reading its body,
// so a chunk that claims more than the data holds is refused at its header:
// otherwise 41 bytes could make it allocate and clear 2 GiB.
void readFromInput(png_structp reader, png_bytep destination, png_size_t count) {
  DecodeJob& job = *static_cast<DecodeJob*>(png_get_io_ptr(reader));
  if (count > job.inputLength - job.inputPosition) png_error(reader, "read past the end of the data");
  if (job.inputPosition == job.nextChunkAt && count >= 8) {
    constexpr size_t lengthTypeAndCrc = 12;
    const size_t bodyLength = readBigEndian32(job.input + job.inputPosition);
    if (bodyLength + lengthTypeAndCrc > job.inputLength - job.inputPosition)
      png_error(reader, "chunk runs past the end of the data");
    job.nextChunkAt += bodyLength + lengthTypeAndCrc;
  }
  std::memcpy(destination, job.input + job.inputPosition, count);
  job.inputPosition += count;
}

// 4 bytes a pixel with a tRNS chunk: alpha 0 becomes the key, any other
// alpha is opaque. 4 bytes without one: ARGB4444. 3 bytes: RGB565.
void convertRows(const DecodeJob& job, int channels, bool keyedAlpha) {
  for (uint32_t y = 0; y < job.height; ++y) {
    const uint8_t* in = job.rows[y];
    uint16_t* out = job.store + size_t(y) * size_t(job.pitch >> 1);
    for (uint32_t x = 0; x < job.width; ++x, in += channels) {
      const uint32_t rgb = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
      if (channels == 3)
        out[x] = raster::argbToRgb565(rgb);
      else if (keyedAlpha)
        out[x] = in[3] == 0 ? raster::transparentKey : raster::argbToRgb565(rgb);
      else
        out[x] = raster::argbToArgb4444(uint32_t(in[3]) << 24 | rgb);
    }
  }
}

// Grey, grey with alpha and 16-bit channels go through libpng's own
// transforms, so every row arrives as 8-bit RGB or RGBA.
bool runLibpng(DecodeJob& job) {
  job.reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, onLibpngError, onLibpngWarning);
  if (!job.reader) return false;
  job.info = png_create_info_struct(job.reader);
  if (!job.info) return false;
  if (setjmp(png_jmpbuf(job.reader))) return false;
  png_set_read_fn(job.reader, &job, readFromInput);
  png_set_user_limits(job.reader, maximumDimension, maximumDimension);
  // Compressed text and colour profiles may inflate to more than the data
  // holds; none of them is used, so a small cap costs nothing.
  png_set_chunk_malloc_max(job.reader, maximumChunkAllocation);
  png_read_info(job.reader, job.info);
  if (png_get_image_width(job.reader, job.info) != job.width || png_get_image_height(job.reader, job.info) != job.height)
    png_error(job.reader, "image size differs from the first look");
  png_set_expand(job.reader);
  png_set_strip_16(job.reader);
  png_set_gray_to_rgb(job.reader);
  png_set_interlace_handling(job.reader);
  png_read_update_info(job.reader, job.info);
  const int channels = png_get_channels(job.reader, job.info);
  const bool keyedAlpha = png_get_valid(job.reader, job.info, PNG_INFO_tRNS) != 0;
  const size_t rowByteCount = png_get_rowbytes(job.reader, job.info);
  if ((channels != 3 && channels != 4) || rowByteCount != size_t(job.width) * size_t(channels) ||
      (channels == 4 && !keyedAlpha) != job.expectsAlpha)
    png_error(job.reader, "unexpected row format");
  job.rowBytes = static_cast<uint8_t*>(std::malloc(rowByteCount * job.height));
  job.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * job.height));
  if (!job.rowBytes || !job.rows) png_error(job.reader, "out of memory for rows");
  for (uint32_t y = 0; y < job.height; ++y) job.rows[y] = job.rowBytes + size_t(y) * rowByteCount;
  png_read_image(job.reader, job.rows);
  convertRows(job, channels, keyedAlpha);
  return true;
}

void releaseJob(DecodeJob& job) {
  if (job.reader) png_destroy_read_struct(&job.reader, job.info ? &job.info : nullptr, nullptr);
  std::free(job.rows);
  std::free(job.rowBytes);
}

}  // namespace

PngDecodeStatus decodePng(const uint8_t* data, size_t length, DecodedPng& image) {
  image = DecodedPng{};
  const PngHeader header = walkPngChunks(data, length);
  if (!header.found) return PngDecodeStatus::noHeader;
  if (header.width == 0 || header.height == 0 || header.width > maximumDimension ||
      header.height > maximumDimension || uint64_t(header.width) * header.height > maximumPixels)
    return PngDecodeStatus::sizeRefused;

  std::unique_ptr<uint8_t[], SystemHeapRelease> input(static_cast<uint8_t*>(std::malloc(length)));
  const int32_t pitch = int32_t(raster::pixelStorePitch(header.width));
  const size_t elementCount = size_t(pitch >> 1) * header.height;
  std::unique_ptr<uint16_t[], SystemHeapRelease> store(
      static_cast<uint16_t*>(std::calloc(elementCount, sizeof(uint16_t))));
  if (!input || !store) return PngDecodeStatus::outOfMemory;
  std::memcpy(input.get(), data, length);

  // Colour types 4 and 6 carry an alpha channel.
  const bool hasAlpha = (header.colourType & 4) != 0;
  DecodeJob job{};
  job.input = input.get();
  job.inputLength = length;
  job.nextChunkAt = 8;  // after the signature
  job.width = header.width;
  job.height = header.height;
  job.expectsAlpha = hasAlpha;
  job.store = store.get();
  job.pitch = pitch;
  const bool decoded = runLibpng(job);
  releaseJob(job);
  if (!decoded) std::memset(store.get(), 0, elementCount * sizeof(uint16_t));

  image.width = int32_t(header.width);
  image.height = int32_t(header.height);
  image.pitch = pitch;
  image.pixelType = hasAlpha ? raster::argb4444 : raster::keyScanPixelType(store.get(), elementCount);
  image.pixels = std::move(store);
  return decoded ? PngDecodeStatus::decoded : PngDecodeStatus::libpngError;
}

}  // namespace png
