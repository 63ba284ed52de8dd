// The content compiler over the real content/ folder and over small ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "runtime/LiteralIds.h"
#include "tests/tools/byte_readers.h"
#include "tools/compiler/ContentCompiler.h"
#include "tools/compiler/MathTablePack.h"
#include "tools/compiler/SpriteCompiler.h"
#include "tools/writers/PackWriter.h"
#include "tools/writers/PngWriter.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const fs::path contentFolder = QUENDRILL_CONTENT_DIR;

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(ContentCompiler, PacksTheSameBytesEveryTime) {
  EXPECT_EQ(tools::compileContent(contentFolder), tools::compileContent(contentFolder));
}

TEST(ContentCompiler, TheBuiltArchiveMatchesTheSources) {
  const fs::path built = QUENDRILL_DATA_BAR;
  if (!fs::exists(built)) GTEST_SKIP() << built << " is not built";
  EXPECT_EQ(readFile(built), tools::compileContent(contentFolder)) << built << " is stale or not deterministic";
}

TEST(ContentCompiler, PacksTheDescriptorAsItIsAndThePoolAfterIt) {
  const Bytes archive = tools::compileContent(contentFolder);
  const auto index = bytecheck::readArchiveIndex(archive);
  ASSERT_TRUE(index);
  ASSERT_GE(index->size(), 2u);  // the game's packs follow
  EXPECT_EQ((*index)[0].name, u"app.jad");
  EXPECT_EQ((*index)[1].name, u"constants.bin") << "stored without the '/' that the lookup drops";
  EXPECT_EQ(bytecheck::archiveEntry(archive, u"app.jad"), readFile(contentFolder / "app.jad"));
}

TEST(ContentCompiler, PacksTheTrigonometryPackUnderItsLiteralsName) {
  const Bytes archive = tools::compileContent(contentFolder);
  const auto pack = bytecheck::archiveEntry(archive, u"math");
  ASSERT_TRUE(pack);
  EXPECT_EQ(*pack, tools::writeMathTablePack("/math").at(0).bytes);
}

// The one check that every literal the code names is in the packed pool.
TEST(ContentCompiler, PackedPoolHoldsEveryNamedLiteral) {
  const Bytes archive = tools::compileContent(contentFolder);
  const auto poolBytes = bytecheck::archiveEntry(archive, u"constants.bin");
  ASSERT_TRUE(poolBytes);
  const auto pool = bytecheck::readLiteralPool(*poolBytes);
  ASSERT_TRUE(pool);
  for (const NamedLiteral& literal : namedLiterals) {
    SCOPED_TRACE(std::string(literal.name));
    ASSERT_LT(size_t(literal.index), pool->size());
  }
  const auto text = [&](LiteralId id) { return (*pool)[size_t(id)]; };
  EXPECT_EQ(text(LiteralId::emptyText), u"");
  EXPECT_EQ(text(LiteralId::textEncodingName), u"UTF-8");
  EXPECT_EQ(text(LiteralId::wrapSeparator), u"\n");
  EXPECT_EQ(text(LiteralId::trueText), u"true");
  EXPECT_EQ(text(LiteralId::falseText), u"false");
  EXPECT_EQ(text(LiteralId::contentTypeWave), u"audio/x-wav") << "one of the two types createPlayer accepts";
  EXPECT_EQ(text(LiteralId::contentTypeOgg), u"audio/ogg");
  const std::u16string firstMapPack = text(LiteralId::firstMapPack);
  ASSERT_FALSE(firstMapPack.empty());
  EXPECT_EQ(firstMapPack[0], u'/') << "its first character is dropped before parsing";
  EXPECT_GT(std::atoi(std::string(firstMapPack.begin() + 1, firstMapPack.end()).c_str()), 0);
}

class SmallContent : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "content-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    fs::copy_file(contentFolder / "literals.txt", folder / "literals.txt");
    fs::copy_file(contentFolder / "app.jad", folder / "app.jad");
  }
  void TearDown() override { fs::remove_all(folder); }

  void write(const char* name, const std::string& text) { std::ofstream(folder / name, std::ios::binary) << text; }

  std::string errorOfCompile() {
    try {
      tools::compileContent(folder);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "(no error)";
  }

  fs::path folder;
};

TEST_F(SmallContent, ALiteralTheCodeNamesMustHaveAText) {
  std::ifstream in(folder / "literals.txt");
  std::string kept, line;
  while (std::getline(in, line))
    if (line.rfind("48 ", 0) != 0) kept += line + "\n";
  write("literals.txt", kept);
  EXPECT_NE(errorOfCompile().find("literal 48 (textEncodingName) is named in runtime/LiteralIds.h but has no text"),
            std::string::npos)
      << errorOfCompile();
}

TEST_F(SmallContent, ErrorsNameTheSourceAtFault) {
  write("app.jad", "MIDlet-Name: Quendrill\n\n");
  EXPECT_NE(errorOfCompile().find("app.jad:2: blank line"), std::string::npos) << errorOfCompile();
  fs::remove(folder / "app.jad");
  EXPECT_NE(errorOfCompile().find("app.jad: cannot be read"), std::string::npos) << errorOfCompile();
  write("literals.txt", "1 \"a\"\n1 \"b\"\n");
  EXPECT_NE(errorOfCompile().find("literals.txt:2: literal 1 is given twice"), std::string::npos) << errorOfCompile();
}

TEST_F(SmallContent, ALiteralLongerThanReadUtfAllowsIsRefused) {
  std::ofstream(folder / "literals.txt", std::ios::app) << "9000 \"\\u00e9" << std::string(65534, 'x') << "\"\n";
  EXPECT_NE(errorOfCompile().find("literals.txt: literal 9000: text of 65536 bytes"), std::string::npos)
      << errorOfCompile();
}

}  // namespace

namespace {

TEST_F(SmallContent, SpritePacksHoldTheCompiledSpritesInOrder) {
  std::ofstream(folder / "literals.txt", std::ios::app) << "\n9000 \"sprites_test\"\n";
  fs::create_directories(folder / "sprites");
  write("sprites/dot.svg",
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="3" height="2" shape-rendering="crispEdges">)"
        R"(<rect x="1" y="0" width="1" height="2" fill="#336699"/></svg>)");
  write("sprites/dot.json", R"({"art": "dot.svg", "modules": [{"name": "dot", "rect": [0, 0, 3, 2]}],
    "frames": [{"name": "f", "modules": [{"module": "dot"}]}]})");
  write("sprites/box.json", R"({"modules": [{"name": "b", "shape": "filledRectangle", "colour": "#ff000000",
    "size": [5, 5]}]})");
  write("sprites/test.pack.json", R"({"pack": 9000, "sprites": ["dot.json", "box.json"]})");
  const std::vector<uint8_t> archive = tools::compileContent(folder);

  tools::PackWriter expected;
  expected.add(0, tools::compileSprite(folder / "sprites/dot.json"));
  expected.add(0, tools::compileSprite(folder / "sprites/box.json"));
  const auto entry = bytecheck::archiveEntry(archive, u"sprites_test");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(*entry, expected.write("sprites_test")[0].bytes);

  write("sprites/test.pack.json", R"({"pack": 9000, "sprites": ["missing.json"]})");
  const std::string error = errorOfCompile();
  EXPECT_NE(error.find("test.pack.json"), std::string::npos) << error;
  EXPECT_NE(error.find("missing.json"), std::string::npos) << error;
}

TEST_F(SmallContent, SpritePackEntriesMayBePalettePicturesOrNothing) {
  std::ofstream(folder / "literals.txt", std::ios::app) << "\n9000 \"sprites_test\"\n";
  fs::create_directories(folder / "sprites");
  write("sprites/dot.svg",
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="3" height="2" shape-rendering="crispEdges">)"
        R"(<rect x="1" y="0" width="1" height="2" fill="#336699"/></svg>)");
  write("sprites/test.pack.json", R"({"pack": 9000, "sprites": [{"image": "dot.svg"}, {"empty": true}]})");
  const std::vector<uint8_t> archive = tools::compileContent(folder);

  tools::PaletteImage dot;
  dot.width = 3;
  dot.height = 2;
  dot.palette = {0x00000000, 0xFF336699};
  dot.pixels = {0, 1, 0, 0, 1, 0};
  tools::PackWriter expected;
  expected.add(0, tools::writePalettePng(dot));
  expected.addEmpty();
  const auto entry = bytecheck::archiveEntry(archive, u"sprites_test");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(*entry, expected.write("sprites_test")[0].bytes);

  write("sprites/test.pack.json", R"({"pack": 9000, "sprites": [{"picture": "dot.svg"}]})");
  EXPECT_NE(errorOfCompile().find("{\"image\": path}"), std::string::npos) << errorOfCompile();
}

}  // namespace
