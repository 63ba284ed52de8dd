// The level-record description: body sizes as the format gives them, and a
// table that the loader, the assembler and the lint can all trust.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/world/LevelRecordFormat.h"

namespace {

using namespace levelrecord;

// Usable where the loader wants it: at compile time.
static_assert(bodySize(op::header) == 9);
static_assert(bodySize(op::chainGap) == 0);
static_assert(findRecord(std::string_view("hotspot"))->op == op::hotspot);

TEST(LevelRecordFormat, BodySizesAreTheFormats) {
  // Counted by hand from the format's field lists, not from the table.
  const struct {
    int op, size;
  } sizes[] = {
      // clang-format off
      {2, 9}, {3, 14}, {4, 10}, {5, 34}, {6, 31}, {7, 8}, {8, 18}, {9, 24}, {10, 18}, {11, 22}, {12, 29},
      {13, 12}, {14, 44}, {15, 18}, {16, 19}, {17, 10}, {18, 45}, {20, 21}, {21, 11}, {22, 6}, {50, 9}, {51, 6},
      {60, 10}, {61, 6}, {62, 8}, {63, 14}, {64, 8}, {65, 4}, {66, 5}, {67, 4}, {68, 4}, {69, 13}, {80, 32},
      {81, 31}, {82, 28}, {83, 43}, {84, 39}, {85, 21}, {86, 27}, {87, 25}, {88, 14},
      // Without a body: only the opcode byte is consumed.
      {0, 0}, {1, 0}, {19, 0}, {23, 0}, {49, 0}, {52, 0}, {59, 0}, {70, 0}, {79, 0}, {89, 0}, {255, 0},
      // clang-format on
  };
  for (const auto& [op, size] : sizes) EXPECT_EQ(bodySize(uint8_t(op)), size) << "op " << op;
  int listed = 0;
  for (int op = 0; op < 256; ++op) listed += findRecord(uint8_t(op)) != nullptr;
  EXPECT_EQ(listed, 42);  // 1 (no body) and the 41 with one
}

TEST(LevelRecordFormat, NamesAndParamsAreUnambiguous) {
  std::set<int> ops;
  std::set<std::string_view> names;
  for (const Record& record : records) {
    SCOPED_TRACE(std::string(record.name));
    EXPECT_TRUE(ops.insert(record.op).second);
    EXPECT_TRUE(names.insert(record.name).second);
    std::set<std::string_view> fields;
    std::set<int> params;
    for (const Field& field : record.fields) {
      EXPECT_TRUE(fields.insert(field.name).second) << field.name;
      if (field.param < 0) continue;
      EXPECT_TRUE(params.insert(field.param).second) << field.name;
      // A record whose actor takes n params fills only those (the creature
      // keeps an array of its own).
      if (record.paramCount > 0)
        EXPECT_LT(field.param, record.paramCount) << field.name;
      else
        EXPECT_EQ(record.op, op::creature) << field.name;
    }
    // Every record that makes an actor starts with its id and position.
    if (record.kind >= 0) {
      ASSERT_GE(record.fields.size(), 3u);
      EXPECT_EQ(record.fields[0].name, "id");
      EXPECT_EQ(record.fields[0].role, FieldRole::actorId);
      EXPECT_EQ(record.fields[1].name, "x");
      EXPECT_EQ(record.fields[2].name, "y");
    }
  }
  for (uint8_t action = op::firstAction; action <= op::lastAction; ++action) {
    ASSERT_NE(findRecord(action), nullptr);
    EXPECT_EQ(findRecord(action)->fields[0].role, FieldRole::actionId) << int(action);
    EXPECT_EQ(fieldOffset(action, "id"), 0);  // entry offset 1: the lookup key
  }
}

TEST(LevelRecordFormat, FieldOffsetsFollowTheOrder) {
  EXPECT_EQ(fieldOffset(op::header, "start"), 1);
  EXPECT_EQ(fieldOffset(op::header, "roomFlag"), 8);
  EXPECT_EQ(fieldOffset(op::creature, "animBase"), 32);
  EXPECT_EQ(fieldOffset(80, "box.x"), 26);  // a door's box: w and h come first
  EXPECT_EQ(fieldOffset(81, "cutscene"), 29);
  EXPECT_EQ(fieldOffset(op::header, "nothing"), -1);
  EXPECT_EQ(fieldOffset(19, "id"), -1);
}

TEST(LevelRecordFormat, TheLoadersNumbers) {
  EXPECT_EQ(roomSpriteSet(1), 0);
  EXPECT_EQ(roomSpriteSet(0), 0);
  EXPECT_EQ(roomSpriteSet(2), 2);
  EXPECT_EQ(tileSpriteEntry(0, 0), 2);
  EXPECT_EQ(tileSpriteEntry(1, 2), 10);
  EXPECT_EQ(tileSpriteEntry(1, 3), 12);
  EXPECT_EQ(tileSpriteEntry(1, 1), -1);  // layer 1 is never painted
  EXPECT_EQ(roomObjectsEntry(3), 7);
  EXPECT_EQ(roomScriptEntry(3), 8);
  EXPECT_TRUE(becomesPreviousObject(op::spawner));
  EXPECT_FALSE(becomesPreviousObject(op::creature));
  EXPECT_TRUE(isChainHead(87));
  EXPECT_FALSE(isChainHead(op::hotspot));
}

}  // namespace
