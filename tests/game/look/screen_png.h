#pragma once
// A painted screen image written as an RGB PNG and held against a golden
// image of the end-to-end runs.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "tests/e2e/GoldenImage.h"

inline void writeScreenPng(javax_microedition_lcdui_Image* screen, const std::filesystem::path& path) {
  const int32_t w = screen->getWidth(), h = screen->getHeight();
  IntArray* argb = newIntArray(w * h);
  screen->getRGB(argb, 0, w, 0, 0, w, h);
  std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
  for (int32_t i = 0; i < w * h; ++i) {
    const uint32_t p = uint32_t(argb->get(i));
    rgb[size_t(i) * 3] = uint8_t(p >> 16);
    rgb[size_t(i) * 3 + 1] = uint8_t(p >> 8);
    rgb[size_t(i) * 3 + 2] = uint8_t(p);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = uint32_t(w);
  image.height = uint32_t(h);
  image.format = PNG_FORMAT_RGB;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr));
}

// Written into folder under the golden image's name, then compared.
inline void expectScreenMatchesGolden(javax_microedition_lcdui_Image* screen, const std::filesystem::path& folder,
                                      const std::string& golden) {
  const std::filesystem::path shot = folder / golden;
  writeScreenPng(screen, shot);
  e2e::expectMatchesGolden(shot, golden);
}
