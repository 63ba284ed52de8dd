#include "runtime/lcdui/PngImageData.h"

#include <algorithm>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"

namespace lcdui {

png::PngDecodeStatus decodePngBytes(ByteArray* data, int32_t offset, int32_t length, png::DecodedPng& image) {
  image = png::DecodedPng{};
  if (data == nullptr) {
    logFailedCheck("createImage data null");
    return png::PngDecodeStatus::noHeader;
  }
  const int32_t arrayLength = data->length();
  int64_t begin = offset, end = int64_t(offset) + length;
  if (!rangeInside(offset, length, arrayLength)) {
    logFailedCheck("createImage offset, length outside data");
    begin = std::clamp<int64_t>(begin, 0, arrayLength);
    end = std::clamp<int64_t>(end, begin, arrayLength);
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(data->elements());
  const png::PngDecodeStatus status =
      bytes != nullptr ? png::decodePng(bytes + begin, size_t(end - begin), image) : png::PngDecodeStatus::noHeader;
  switch (status) {
    case png::PngDecodeStatus::decoded:
      break;
    case png::PngDecodeStatus::libpngError:
      debugLog("createImage: PNG data damaged, the rest of the image is black");
      break;
    case png::PngDecodeStatus::noHeader:
      debugLog("createImage: no PNG header in the data");
      break;
    case png::PngDecodeStatus::sizeRefused:
      debugLog("createImage: PNG size refused");
      break;
    case png::PngDecodeStatus::outOfMemory:
      debugLog("createImage: no memory to decode the PNG");
      break;
  }
  return status;
}

}  // namespace lcdui
