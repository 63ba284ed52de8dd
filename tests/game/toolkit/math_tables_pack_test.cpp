// The trigonometry pack as the content compiler writes it, loaded into the
// tables cosLookup and angleOf read.
#include <gtest/gtest.h>

#include "game/toolkit/MathHelpers.h"
#include "runtime/LiteralIds.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/compiler/MathTablePack.h"
#include "tools/writers/TypedArrayWriter.h"
#include "wince/log.h"

namespace {

class MathTablesPack : public GameDataFixture {
 protected:
  void SetUp() override {
    GameDataFixture::SetUp();
    std::vector<std::string> literals(300);
    literals[size_t(LiteralId::mathTablePack)] = "/math";
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
  }
  static cGameMathStatics& math() { return toolkitStatics().cGameMath; }
};

TEST_F(MathTablesPack, TheCompiledPackGivesTheCosinesAndTheArctangentsFollowThem) {
  install(tools::writeMathTablePack("/math"));
  cGame::loadMathTables();
  ASSERT_NE(math().cosTable, nullptr);
  const std::vector<int32_t> expected = tools::quarterWaveCosine();
  ASSERT_EQ(math().cosTable->length(), cosTableLength);
  for (int32_t i = 0; i < cosTableLength; ++i) EXPECT_EQ(math().cosTable->get(i), expected[size_t(i)]) << i;
  EXPECT_EQ(expected.front(), 256);
  EXPECT_EQ(expected.back(), 0);
  EXPECT_NE(math().secondTable, nullptr);
  EXPECT_EQ(cGame::cosLookup(128), -256);
  EXPECT_EQ(cGame::angleOf(5, 5), 32);
  EXPECT_EQ(toolkitStatics().cGamePack.stream, nullptr);  // the pack is closed again

  // Loading again drops the arctangents built from the old cosines.
  cGame::loadMathTables();
  EXPECT_EQ(math().arctangentTable, nullptr);
}

TEST_F(MathTablesPack, AMissingOrMalformedCosineTableIsLoggedAndNotTaken) {
  IntArray* kept = newIntArray(cosTableLength);
  math().cosTable = kept;
  struct Case {
    const char* what;
    std::vector<uint8_t> entry;
  };
  const Case cases[] = {
      {"shorts", tools::writeTypedArray(tools::TypedArrayValue::ofShorts(std::vector<int32_t>(65, 7)))},
      {"too short", tools::writeTypedArray(tools::TypedArrayValue::ofInts(std::vector<int32_t>(64, 7)))},
      {"not a typed array", {0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    tools::PackWriter pack;
    pack.add(0, c.entry);
    install(pack.write("/math"));
    wince::LogCapture log;
    cGame::loadMathTables();
    EXPECT_TRUE(log.contains("math tables")) << c.what;
    EXPECT_EQ(math().cosTable, kept) << c.what;
  }
  gamedatatest::resources() = {};
  wince::LogCapture log;
  cGame::loadMathTables();
  EXPECT_TRUE(log.contains("math tables"));
  EXPECT_EQ(math().cosTable, kept);
}

}  // namespace
