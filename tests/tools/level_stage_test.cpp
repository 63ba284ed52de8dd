// The level pack's sources: record lines and event scripts, and their mistakes.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/compiler/LevelStage.h"

namespace {

TEST(LevelStage, RecordsAndScriptsAssemble) {
  EXPECT_EQ(tools::assembleLevelRecords("# shared\nnop\n\n  nop # again\n", "a.lvl"), (std::vector<uint8_t>{1, 1}));
  EXPECT_EQ(tools::assembleLevelRecords("# nothing\n", "a.lvl"), std::vector<uint8_t>{});
  EXPECT_EQ(tools::assembleEventScript("# no cutscenes yet\n", "a.evs"), std::vector<uint8_t>{0});
}

TEST(LevelStage, MistakesNameTheirPlace) {
  struct Case {
    bool script;
    std::string text, message;
  };
  const Case cases[] = {
      {false, "nop\nbarrier 3\n", "a:2: unknown record \"barrier\""},
      {false, "nop extra\n", "a:1: unknown record \"nop\""},
      {true, "\ncutscene 1\n", "a:2: unknown statement \"cutscene\""},
  };
  for (const Case& c : cases) {
    try {
      c.script ? tools::assembleEventScript(c.text, "a") : tools::assembleLevelRecords(c.text, "a");
      ADD_FAILURE() << c.text << " was taken";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

}  // namespace
