#include "app/Screenshot.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

struct PngFailure {
  std::string message;
};

void onPngError(png_structp png, png_const_charp message) {
  static_cast<PngFailure*>(png_get_error_ptr(png))->message = message != nullptr ? message : "libpng error";
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// libpng leaves through longjmp: nothing with a destructor may live in here.
bool encode(FILE* file, const std::vector<png_bytep>& rows, int width, int height, PngFailure& failure) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, &onPngError, &onPngWarning);
  if (png == nullptr) {
    failure.message = "libpng cannot start";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    failure.message = "libpng cannot start";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void rgb565ToRgb888(uint16_t pixel, uint8_t rgb[3]) {
  rgb[0] = uint8_t(((pixel >> 11) & 0x1F) * 255 / 31);
  rgb[1] = uint8_t(((pixel >> 5) & 0x3F) * 255 / 63);
  rgb[2] = uint8_t((pixel & 0x1F) * 255 / 31);
}

bool writeScreenshotPng(const std::string& path, std::span<const uint16_t> pixels, int width, int height,
                        std::string& error) {
  // PNG allows larger, but no screen is; this keeps the sizes below safe.
  constexpr int largestSide = 16384;
  if (width <= 0 || height <= 0 || width > largestSide || height > largestSide ||
      pixels.size() != size_t(width) * size_t(height)) {
    error = "no frame of " + std::to_string(width) + "x" + std::to_string(height) + " pixels to write";
    return false;
  }
  std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < pixels.size(); ++i) rgb565ToRgb888(pixels[i], &rgb[i * 3]);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) rows[size_t(y)] = rgb.data() + size_t(y) * size_t(width) * 3;

  // The rename below would replace a link or a device with the image.
  std::error_code statusError;
  const std::filesystem::file_status status = std::filesystem::symlink_status(path, statusError);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    error = path + ": not a regular file";
    return false;
  }
  const std::string temporary = path + ".part";
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  FILE* file = descriptor >= 0 ? ::fdopen(descriptor, "wb") : nullptr;
  if (file == nullptr) {
    error = path + ": " + std::strerror(errno);
    if (descriptor >= 0) ::close(descriptor);
    return false;
  }
  PngFailure failure;
  const bool encoded = encode(file, rows, width, height, failure);
  const bool flushed = std::fflush(file) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file) == 0;
  std::error_code ignored;
  if (!encoded || !flushed || !closed) {
    error = path + ": " + (encoded ? std::string(std::strerror(flushError)) : failure.message);
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, path, renameError);
  if (renameError) {
    error = path + ": " + renameError.message();
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}
