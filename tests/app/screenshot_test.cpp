// Screenshots: RGB565 frames written as 8-bit RGB PNG files, read back with
// libpng.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Screenshot.h"

namespace {

namespace fs = std::filesystem;

struct DecodedPng {
  int width = 0;
  int height = 0;
  int bitDepth = 0;
  int colourType = 0;
  std::vector<uint8_t> rgb;
};

bool readPng(const fs::path& path, DecodedPng& decoded) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  decoded.width = int(image.width);
  decoded.height = int(image.height);
  decoded.colourType = int(image.format);
  image.format = PNG_FORMAT_RGB;
  decoded.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr)) return false;
  // The header as written, for the depth and colour type.
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  decoded.bitDepth = png_get_bit_depth(png, info);
  decoded.colourType = png_get_color_type(png, info);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return true;
}

class ScreenshotTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "screenshot-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
  }
  void TearDown() override { fs::remove_all(m_folder); }

  fs::path m_folder;
};

TEST(ScreenshotColour, ChannelsWidenAsTheImageNativesDo) {
  struct Case {
    uint16_t pixel;
    uint8_t r, g, b;
  };
  const Case cases[] = {
      {0x0000, 0, 0, 0},       {0xFFFF, 255, 255, 255}, {0xF800, 255, 0, 0},   {0x07E0, 0, 255, 0},
      {0x001F, 0, 0, 255},     {0x0821, 8, 4, 8},       {0xF7DE, 246, 250, 246}, {0xF81F, 255, 0, 255},
  };
  for (const Case& c : cases) {
    uint8_t rgb[3];
    rgb565ToRgb888(c.pixel, rgb);
    EXPECT_EQ(rgb[0], c.r) << std::hex << c.pixel;
    EXPECT_EQ(rgb[1], c.g) << std::hex << c.pixel;
    EXPECT_EQ(rgb[2], c.b) << std::hex << c.pixel;
  }
}

TEST_F(ScreenshotTest, AFrameReadsBackPixelForPixel) {
  constexpr int width = 800;
  constexpr int height = 480;
  std::vector<uint16_t> frame(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) frame[size_t(y) * width + x] = uint16_t((x * 7 + y * 131) ^ (y << 9));
  }
  const fs::path path = m_folder / "frame.png";
  std::string error;
  ASSERT_TRUE(writeScreenshotPng(path.string(), frame, width, height, error)) << error;

  DecodedPng decoded;
  ASSERT_TRUE(readPng(path, decoded));
  EXPECT_EQ(decoded.width, width);
  EXPECT_EQ(decoded.height, height);
  EXPECT_EQ(decoded.bitDepth, 8);
  EXPECT_EQ(decoded.colourType, PNG_COLOR_TYPE_RGB);
  int wrong = 0;
  for (size_t i = 0; i < frame.size(); ++i) {
    uint8_t expected[3];
    rgb565ToRgb888(frame[i], expected);
    if (decoded.rgb[i * 3] != expected[0] || decoded.rgb[i * 3 + 1] != expected[1] ||
        decoded.rgb[i * 3 + 2] != expected[2]) {
      ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_FALSE(fs::exists(m_folder / "frame.png.part"));
}

TEST_F(ScreenshotTest, ARewriteReplacesTheWholeImage) {
  const fs::path path = m_folder / "again.png";
  std::string error;
  const std::vector<uint16_t> big(64 * 64, 0xF800);
  const std::vector<uint16_t> small(2 * 3, 0x001F);
  ASSERT_TRUE(writeScreenshotPng(path.string(), big, 64, 64, error)) << error;
  ASSERT_TRUE(writeScreenshotPng(path.string(), small, 2, 3, error)) << error;
  DecodedPng decoded;
  ASSERT_TRUE(readPng(path, decoded));
  EXPECT_EQ(decoded.width, 2);
  EXPECT_EQ(decoded.height, 3);
  EXPECT_EQ(decoded.rgb[2], 255);
}

TEST_F(ScreenshotTest, SizesThatDoNotFitThePixelsWriteNothing) {
  const std::vector<uint16_t> pixels(12, 0);
  struct Case {
    int width, height;
  };
  const Case cases[] = {{0, 12}, {12, 0}, {-3, -4}, {5, 3}, {4, 4}, {1 << 16, 0}};
  for (const Case& c : cases) {
    std::string error;
    const fs::path path = m_folder / "wrong.png";
    EXPECT_FALSE(writeScreenshotPng(path.string(), pixels, c.width, c.height, error)) << c.width << "x" << c.height;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(path));
  }
}

TEST_F(ScreenshotTest, AnUnwritablePlaceFailsAndKeepsTheOldImage) {
  std::string error;
  const std::vector<uint16_t> pixels(4, 0xFFFF);
  EXPECT_FALSE(writeScreenshotPng((m_folder / "no-such-folder" / "s.png").string(), pixels, 2, 2, error));
  EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;

  // A folder where the image should go: the rename fails, the folder stays.
  fs::create_directories(m_folder / "taken.png" / "inside");
  EXPECT_FALSE(writeScreenshotPng((m_folder / "taken.png").string(), pixels, 2, 2, error));
  EXPECT_TRUE(fs::is_directory(m_folder / "taken.png" / "inside"));
  EXPECT_FALSE(fs::exists(m_folder / "taken.png.part"));
}

TEST_F(ScreenshotTest, APathThatIsNoRegularFileIsLeftAsItIs) {
  const std::vector<uint16_t> pixels(4, 0xFFFF);
  const fs::path target = m_folder / "target.txt";
  std::ofstream(target) << "kept";
  fs::create_symlink(target, m_folder / "link.png");
  fs::create_symlink(m_folder / "nowhere", m_folder / "dangling.png");
  ASSERT_EQ(mkfifo((m_folder / "fifo.png").c_str(), 0644), 0);
  for (const char* name : {"link.png", "dangling.png", "fifo.png"}) {
    std::string error;
    const fs::path path = m_folder / name;
    EXPECT_FALSE(writeScreenshotPng(path.string(), pixels, 2, 2, error)) << name;
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path))) << name;
    EXPECT_FALSE(fs::exists(path.string() + ".part")) << name;
  }
  std::ifstream kept(target);
  std::string text;
  kept >> text;
  EXPECT_EQ(text, "kept");
  EXPECT_FALSE(fs::exists(m_folder / "nowhere"));
}

}  // namespace
