// The script assembler: what it writes for each statement, the names it
// shares with the level sources, what it refuses and where, and its
// warnings for the rooms with a target creature.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/compiler/LevelAssembler.h"
#include "tools/compiler/ScriptAssembler.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A room with actors @hero (1), @crow (2) and the type-1 creature @murk
// (3), the hint action @nudge (1) and three items, @rope the first.
const tools::AssembledLevel& room() {
  static const tools::AssembledLevel level = tools::assembleLevel(
      "header spriteSet=0 start=@hero startAction=none altPalette=false countdown=0 roomFlag=false\n"
      "character id=@hero x=400 y=300 sprite=16 facing=0 abilityFlags=0 partnerIndex=0\n"
      "character id=@crow x=400 y=300 sprite=16 facing=0 abilityFlags=0 partnerIndex=1\n"
      "creature id=@murk x=1200 y=300 sprite=27 anim=0 box=-16,-32,32,32 options=0 maxHp=50 dropItem=none\n"
      "  route=none type=1 active=true reinforcementA=none reinforcementB=none palette=0 viewHalfAngle=0\n"
      "  sightCells=0 animBase=0\n"
      "hint id=@nudge text=0 ms=3000\n"
      "item id=@rope sprite=27 anim=0 useKind=1 name=186 description=209 amount=1 value=0\n"
      "item sprite=27 anim=1 useKind=1 name=187 description=210 amount=1 value=0\n"
      "item sprite=27 anim=2 useKind=1 name=188 description=211 amount=0 value=0\n",
      "room.lvl", {0, nullptr});
  return level;
}

tools::ScriptContext roomContext(int32_t progress = 0) { return {progress, 2, &room(), nullptr}; }

Bytes assemble(const std::string& text, const tools::ScriptContext& context = roomContext()) {
  return tools::assembleScript(text, "a.evs", context).bytes;
}

std::string refusal(const std::string& text, const tools::ScriptContext& context = roomContext()) {
  try {
    tools::assembleScript(text, "a.evs", context);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(taken)";
}

TEST(ScriptAssembler, StatementsBecomeTheBlock) {
  EXPECT_EQ(assemble(""), Bytes{0});
  const Bytes expected = {
      1, 1, 0, 2,                                          // one cutscene: id 1, two tracks
      2, 1, 1, 0, 2, 0,                                    // actor 1, interpolated, two keyframes
      0, 0, 2, 21, 0xE0, 0x01, 0x2C, 0x01, 22, 2, 0,       // at 0: place 480 300; anim 2
      35, 0, 1, 21, 0xFF, 0xFF, 0x2C, 0x01,                // at 3.5: place -1 300
      0, 0, 1, 0,                                          // a plain track, one keyframe
      0, 0, 1, 52, 1, 0, 0xDC, 0x05,                       // at 0: hint 1 1500
  };
  EXPECT_EQ(assemble("# the opening\n"
                     "cutscene @intro\n"
                     "  track actor @hero interpolate\n"
                     "    at 0: place 480 300; anim 2\n"
                     "    at 3.5: place -1 300\n"
                     "  track plain\n"
                     "    at 0: hint text=1 ms=1500  # by name\n"),
            expected);
  // Positions first, names after; name value and name=value alike.
  EXPECT_EQ(assemble("cutscene 4\n track plain\n  at 0: line 1 speaker 3 balloon @crow\n"),
            assemble("cutscene 4\n track plain\n  at 0: line text=1 balloon=2 speaker=3\n"));
  // Unused operands are left out and written as 0; none is -1.
  EXPECT_EQ(assemble("cutscene 1\n track plain\n  at 0: cameraFollow 0; give item=3 count=2; kill none\n"),
            (Bytes{1, 1, 0, 1, 0, 0, 1, 0, 0, 0, 3, 13, 0, 0, 0, 0, 0, 67, 0, 0, 3, 2, 51, 0xFF, 0xFF}));
  // An item by its name in the level data.
  EXPECT_EQ(assemble("cutscene 1\n track plain\n  at 0: give @rope 1\n"),
            assemble("cutscene 1\n track plain\n  at 0: give item=1 count=1\n"));
  // Sprite slots are written as drawn and stored minus 16; op writes a bare opcode.
  EXPECT_EQ(assemble("cutscene 1\n track spawn 27 nowait stepped\n  at 0.1: op 14; effect 27 0 1 2 true\n"),
            (Bytes{1, 1, 0, 1, 3, 12, 11, 0, 1, 0, 1, 0, 2, 14, 75, 11, 0, 0, 0, 1, 0, 2, 0, 1}));
}

TEST(ScriptAssembler, CutscenesTakeTheLowestFreeIdsAndShareTheirNames) {
  const std::string text =
      "cutscene @a\n track plain\n  at 0: play @c 0 false false\n"
      "cutscene @b=2\n track plain\n  at 0: nop 0\n"
      "cutscene @c\n track plain\n  at 0: timer 30 @a\n";
  const tools::AssembledScript script = tools::assembleScript(text, "a.evs", roomContext());
  EXPECT_EQ(script.cutscenes, (std::map<std::string, int32_t>{{"a", 1}, {"b", 2}, {"c", 3}}));
  EXPECT_EQ(script.cutsceneIds, (std::set<int32_t>{1, 2, 3}));
  EXPECT_EQ(tools::declareScriptCutscenes(text, "a.evs").names, script.cutscenes);
  // play @c: the cutscene id 3 after the opcode.
  EXPECT_EQ(script.bytes[1 + 9 + 4 + 3 + 1], 3);
}

TEST(ScriptAssembler, RefusalsNameTheFileLineAndRule) {
  struct Case {
    std::string text, message;
  };
  const std::string head = "cutscene 1\n track plain\n";
  const Case cases[] = {
      {"scene 1\n", "a.evs:1: unknown statement \"scene\" (cutscene, track or at)"},
      {"track plain\n", "a.evs:1: a track belongs to a cutscene: write the cutscene first"},
      {"cutscene 1\n at 0: nop 0\n", "a.evs:2: a keyframe belongs to a track: write the track first"},
      {"cutscene 1\n", "a.evs:1: a cutscene has at least one track"},
      {"cutscene 1\n track plain\n", "a.evs:2: a track has at least one keyframe"},
      {"cutscene 0\n", "a.evs:1: a cutscene's id is 1..32767, not \"0\""},
      {"cutscene @a=2\ncutscene 2\n", "a.evs:2: id 2 is already a cutscene's; lookups would only ever find the first"},
      {head + "  at 0: jump\n", "a.evs:3: unknown command \"jump\""},
      {head + "  at 0: op 32\n", "a.evs:3: opcode 32 is refused: its operands have no agreed size"},
      {head + "  at 0: op 35\n", "a.evs:3: opcode 35 is refused: its operands have no agreed size"},
      {head + "  at 0: place 1\n", "a.evs:3: place lacks y (it takes x y)"},
      {head + "  at 0: place 1 2 3\n", "a.evs:3: place takes x y: \"3\" is one too many"},
      {head + "  at 0: place x=1 x=2\n", "a.evs:3: place: x is given twice"},
      {head + "  at 0: place 1 z=2\n", "a.evs:3: place has no operand z (it takes x y)"},
      {head + "  at 0: control 1\n", "a.evs:3: control on=1: on is true or false"},
      {head + "  at 0: animByte 256\n", "a.evs:3: animByte anim=256 does not fit anim"},
      {head + "  at 0: place none 0\n", "a.evs:3: place x=none: none stands for no actor, action, cutscene or text"},
      {head + "  at 0: kill 0\n", "a.evs:3: kill actor=0: ids start at 1; write none for none"},
      {head + "  at 0: kill 9\n", "a.evs:3: kill actor=9: the room has no actor with id 9"},
      {head + "  at 0: kill @nudge\n", "a.evs:3: kill actor=@nudge: @nudge is declared nowhere the script can see"},
      {head + "  at 0: action 5\n", "a.evs:3: action action=5: the room has no action with id 5"},
      {head + "  at 0: give item=4 count=1\n", "a.evs:3: give item=4: the room has no item with id 4"},
      {head + "  at 0: give item=0 count=1\n", "a.evs:3: give item=0: item ids start at 1"},
      {head + "  at 0: give item=@nudge count=1\n", "a.evs:3: give item=@nudge: @nudge is declared nowhere the script can see"},
      {head + "  at 0: play 9 0 false false\n", "a.evs:3: play cutscene=9: this script has no cutscene with id 9"},
      {head + "  at 0: hint 2 100\n", "a.evs:3: hint text=2: the room has 2 texts (0..1)"},
      {head + "  at 0: hint -2 100\n", "a.evs:3: hint text=-2: a text id is 0 or more, or none"},
      {head + "  at 2: nop 0\n  at 1: nop 0\n", "a.evs:4: keyframes stand in time order: 1 s comes before the one above"},
      {head + "  at 1.25: nop 0\n", "a.evs:3: a keyframe's time is seconds with at most one decimal (at 3.5:), not \"1.25\""},
      {head + "  at 3276.8: nop 0\n", "a.evs:3: a keyframe's time is at most 3276.7 seconds"},
      {head + "  at 0: offerSkip true\n  at 1: question 0 1 none 0 1 none none none 0 none none\n",
       "a.evs:4: a question never stands in a cutscene that offers the skip control: a skip would pass over it"},
      {head + "  at 0: cameraFollow 1\n", "a.evs:3: cameraFollow track=1: the cutscene has tracks 0..0"},
      {"cutscene 1\n track spawn 15\n", "a.evs:2: sprite 15: a slot 16..48"},
      {"cutscene 1\n track spawn 49\n", "a.evs:2: sprite 49: a slot 16..48"},
      {"cutscene 1\n track actor 0\n", "a.evs:2: track actor 0: actor ids are 1..32767"},
      {"cutscene 1\n track plain fast\n", "a.evs:2: unknown track flag \"fast\" (interpolate, nowait, stepped)"},
      {"cutscene 1\n track plain stepped\n",
       "a.evs:2: stepped means a nowait track is stepped all the same: write nowait too"},
  };
  for (const Case& c : cases) EXPECT_EQ(refusal(c.text), c.message) << c.text;
  // Room 1 loads no sprite slot 17.
  EXPECT_EQ(refusal("cutscene 1\n track spawn 17\n  at 0: nop 0\n", roomContext(1)),
            "a.evs:2: sprite 17: sprite slot 17 is empty here; room 1 does not load it");
  // A question is fine where no skip is offered.
  EXPECT_EQ(refusal(head + "  at 1: question 0 1 none 0 1 none none none 0 none none\n"), "(taken)");
}

TEST(ScriptAssembler, RoomsWithATargetCreatureWarnWhereAScriptTakesItOver) {
  const std::string text = "cutscene 1\n track actor @murk\n  at 0: kill @murk; kill @crow\n";
  for (int32_t progress : {0, 3, 7}) {
    SCOPED_TRACE(progress);
    const auto script = tools::assembleScript(text, "a.evs", roomContext(progress));
    if (progress == 0) {
      EXPECT_TRUE(script.warnings.empty());
      continue;
    }
    ASSERT_EQ(script.warnings.size(), 2u);
    EXPECT_EQ(script.warnings[0], "a.evs:2: actor 3 is room " + std::to_string(progress) +
                                      "'s target creature; a track that drives it holds its behaviour");
    EXPECT_EQ(script.warnings[1], "a.evs:3: actor 3 is room " + std::to_string(progress) +
                                      "'s target creature; killing it skips its defeat");
  }
  // Room 9's target is the creature of type 2.
  EXPECT_TRUE(tools::assembleScript(text, "a.evs", roomContext(9)).warnings.empty());
}

TEST(ScriptAssembler, LevelSourcesNameTheScriptsCutscenes) {
  const tools::ScriptCutscenes cutscenes = tools::declareScriptCutscenes("cutscene @dawn=5\n", "room0.evs");
  const std::string level = "startCutscene id=1 cutscene=@dawn tenths=0 background=false loop=false\n";
  const tools::AssembledLevel taken =
      tools::assembleLevel(level, "room0.lvl", {0, nullptr, &cutscenes.names, &cutscenes.ids, "room0.evs"});
  EXPECT_EQ(taken.bytes, (Bytes{62, 1, 0, 5, 0, 0, 0, 0, 0}));
  try {
    tools::assembleLevel("startCutscene id=1 cutscene=6 tenths=0 background=false loop=false\n", "room0.lvl",
                         {0, nullptr, &cutscenes.names, &cutscenes.ids, "room0.evs"});
    ADD_FAILURE() << "a number the script does not have was taken";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "room0.lvl:1: cutscene=6: room0.evs has no cutscene with id 6");
  }
  try {
    tools::assembleLevel("cutscene @dawn=3\n", "room0.lvl", {0, nullptr, &cutscenes.names, &cutscenes.ids, "room0.evs"});
    ADD_FAILURE() << "a name declared twice was taken";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "room0.lvl:1: @dawn is declared twice (first as a cutscene, room0.evs)");
  }
}

TEST(ScriptAssembler, ACinematicActionNeedsItsTextAndWaitsInRoom3) {
  const std::string action = "cinematic id=1 text=4\n";
  EXPECT_TRUE(tools::assembleLevel(action, "room.lvl", {0, nullptr}).warnings.empty());
  const auto held = tools::assembleLevel(action, "room.lvl", {3, nullptr});
  ASSERT_EQ(held.warnings.size(), 1u);
  EXPECT_EQ(held.warnings[0], "room.lvl:1: in room 3 a cinematic action opens only when the room's timed events end");
  try {
    tools::assembleLevel("cinematic id=1 text=-1\n", "room.lvl", {0, nullptr});
    ADD_FAILURE() << "a cinematic without its text was taken";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "room.lvl:1: a cinematic action's text is 0 or more");
  }
}

}  // namespace
