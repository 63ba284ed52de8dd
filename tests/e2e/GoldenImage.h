#pragma once
// Screenshots against the golden images kept in tests/e2e/golden. On a
// mismatch the actual image is written to the build's e2e-actual folder
// under the golden one's name, and the failure says where. With
// QUENDRILL_UPDATE_GOLDEN=1 the actual image replaces the golden one.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

inline bool readRgbPng(const std::filesystem::path& path, RgbImage& image) {
  png_image reader{};
  reader.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&reader, path.c_str())) return false;
  reader.format = PNG_FORMAT_RGB;
  image.width = int(reader.width);
  image.height = int(reader.height);
  image.rgb.resize(PNG_IMAGE_SIZE(reader));
  return png_image_finish_read(&reader, nullptr, image.rgb.data(), 0, nullptr) != 0;
}

inline void expectMatchesGolden(const std::filesystem::path& actual, const std::string& goldenName) {
  namespace fs = std::filesystem;
  const fs::path golden = fs::path(QUENDRILL_E2E_GOLDEN_DIR) / goldenName;
  const char* update = std::getenv("QUENDRILL_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    fs::copy_file(actual, golden, fs::copy_options::overwrite_existing);
    return;
  }
  RgbImage want;
  RgbImage got;
  ASSERT_TRUE(readRgbPng(actual, got)) << actual << " is no readable PNG";
  bool same = readRgbPng(golden, want);
  std::string difference = same ? "" : "the golden image " + golden.string() + " cannot be read";
  if (same && (want.width != got.width || want.height != got.height)) {
    same = false;
    difference = "size " + std::to_string(got.width) + "x" + std::to_string(got.height) + " instead of " +
                 std::to_string(want.width) + "x" + std::to_string(want.height);
  }
  if (same && want.rgb != got.rgb) {
    size_t pixels = 0;
    size_t first = 0;
    for (size_t i = 0; i < got.rgb.size(); i += 3) {
      if (got.rgb[i] != want.rgb[i] || got.rgb[i + 1] != want.rgb[i + 1] || got.rgb[i + 2] != want.rgb[i + 2]) {
        if (pixels++ == 0) first = i / 3;
      }
    }
    same = false;
    difference = std::to_string(pixels) + " pixels differ, the first at (" + std::to_string(first % size_t(got.width)) +
                 ", " + std::to_string(first / size_t(got.width)) + ")";
  }
  if (same) return;
  const fs::path kept = fs::path(QUENDRILL_E2E_ACTUAL_DIR) / goldenName;
  std::error_code error;
  fs::create_directories(kept.parent_path(), error);
  fs::copy_file(actual, kept, fs::copy_options::overwrite_existing, error);
  ADD_FAILURE() << goldenName << ": " << difference << "; the actual image is in "
                << (error ? actual.string() + " (could not keep a copy: " + error.message() + ")" : kept.string())
                << "; QUENDRILL_UPDATE_GOLDEN=1 makes it the golden one";
}

}  // namespace e2e
