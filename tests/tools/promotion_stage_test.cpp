// The promotion stage over small descriptions of our own: its pictures come
// from SVG art beside the description, one per place the screen shows, and
// each fits the 16-bit chunk the game reads; a mistake is refused with the
// source and the reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/compiler/PromotionStage.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* boldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

class PromotionStage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "promotion-stage-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    fs::create_directories(root / "art");
    svg("dot.svg", 8, 8, "<rect x='0' y='0' width='8' height='8' fill='#f0c040'/>");
  }
  void TearDown() override { fs::remove_all(root); }

  void svg(const std::string& name, int w, int h, const std::string& body) {
    std::ofstream(root / "art" / name) << "<svg xmlns='http://www.w3.org/2000/svg' width='" << w << "' height='" << h
                                       << "' shape-rendering='crispEdges'>" << body << "</svg>";
  }

  // One page, one row per list, pictures all "dot.svg" unless replaced.
  static std::string description(int fixedCount = 14, const std::string& page = "dot.svg") {
    std::string fixed;
    for (int i = 0; i < fixedCount; ++i) fixed += std::string(i ? "," : "") + "\"dot.svg\"";
    return R"({"parameterValues": ["en"], "pageNames": ["one"], "rowNames": [["a", "home"], ["home"], []],
      "texts": {"en": {"0": "One"}}, "font": {"size": 20, "colour": "#fff4d8", "outline": "#14161f"},
      "art": {"folder": "art", "fixed": [)" +
           fixed + R"(], "pages": [")" + page +
           R"("], "mainLink": "dot.svg", "parameters": ["dot.svg"], "rows": [["dot.svg"], []], "banner": "dot.svg"}})";
  }

  std::string compileError(const std::string& source) {
    try {
      tools::compilePromotionPack(source, "promotion.json", root, boldFont);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  fs::path root;
};

TEST_F(PromotionStage, AWholeDescriptionPacksItsTenEntries) {
  const std::vector<uint8_t> pack = tools::compilePromotionPack(description(), "promotion.json", root, boldFont);
  ASSERT_GE(pack.size(), 2u);
  EXPECT_EQ(pack[0] | pack[1] << 8, 10) << "nine entries and the end";
}

TEST_F(PromotionStage, MistakesAreRefusedWithTheSourceAndTheReason) {
  // Noise of 200 colours cannot be squeezed under the chunk's 65535 bytes;
  // 300 colours do not fit a palette.
  auto squares = [](int w, int h, int colours) {
    std::string body;
    uint32_t seed = 1;
    for (int y = 0; y < h; y += 2)
      for (int x = 0; x < w; x += 2) {
        seed = seed * 1103515245u + 12345u;
        const int c = int((seed >> 16) % uint32_t(colours));
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", c % 16 * 16, c / 16 * 12, 90);
        body += "<rect x='" + std::to_string(x) + "' y='" + std::to_string(y) + "' width='2' height='2' fill='" +
                colour + "'/>";
      }
    return body;
  };
  svg("noise.svg", 800, 440, squares(800, 440, 200));
  svg("rainbow.svg", 80, 80, squares(80, 80, 300));
  const struct {
    std::string source;
    std::string reason;
  } cases[] = {
      {description(13), "art \"fixed\" names 13 pictures, not 14"},
      {description(14, "missing.svg"), "missing.svg"},
      {description(14, "noise.svg"), "bytes as PNG, past 65535"},
      {description(14, "rainbow.svg"), "rainbow.svg: more than 255 colours"},
      {"{", "promotion.json"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    const std::string error = compileError(c.source);
    EXPECT_NE(error.find("promotion.json"), std::string::npos) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

}  // namespace
