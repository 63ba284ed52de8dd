#pragma once
// Screenshots of the harness: a frame of 16-bit RGB565 pixels written as an
// 8-bit RGB PNG file.
#include <cstdint>
#include <span>
#include <string>

// Each channel widened as the image natives do: floor(v * 255 / 31) for red
// and blue, floor(v * 255 / 63) for green.
void rgb565ToRgb888(uint16_t pixel, uint8_t rgb[3]);

// Writes width x height pixels, top row first, to path (replacing it through
// a temporary file, so a reader never sees half an image). False, with the
// reason in error, when the sizes do not fit the pixels, path exists and is
// not a regular file (a link, a device, a folder), or the file cannot be
// written.
bool writeScreenshotPng(const std::string& path, std::span<const uint16_t> pixels, int width, int height,
                        std::string& error);
