#pragma once
// The bytes of createImage(byte[], offset, length) handed to the PNG
// decoder, and what the decoder could not do written to the log.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/lcdui/png/PngDecoder.h"

namespace lcdui {

// Decodes data[offset .. offset + length). A null array or a range outside
// it is logged and the range is cut to the array, so the decoder never
// reads past it. Every status but decoded is logged.
png::PngDecodeStatus decodePngBytes(ByteArray* data, int32_t offset, int32_t length, png::DecodedPng& image);

}  // namespace lcdui
