// The level assembler: its bytes against hand-written fixtures and the
// record table, its names and numbers, and every rule it refuses by.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/world/LevelRecordFormat.h"
#include "tools/compiler/LevelAssembler.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace levelrecord;

tools::AssembledLevel assembleRoom(const std::string& text, int progress = 0,
                                   const tools::AssembledLevel* shared = nullptr) {
  return tools::assembleLevel(text, "a", {progress, shared});
}

std::string refusalOf(const std::string& text, std::optional<int> progress = 0,
                      const tools::AssembledLevel* shared = nullptr) {
  try {
    tools::assembleLevel(text, "a", {progress, shared});
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(taken)";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("no " + from + " in " + text);
  return text.replace(at, from.size(), to);
}

std::string repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

const std::string hero = "character id=@hero x=0 y=0 sprite=16 facing=0 abilityFlags=0 partnerIndex=0\n";
const std::string header =
    "header spriteSet=0 start=@hero startAction=none altPalette=false countdown=0 roomFlag=false\n";
std::string blocker(const std::string& id) { return "blocker id=" + id + " x=0 y=0 p0=0 p1=0 p2=0 active=false\n"; }
std::string hint(const std::string& id) { return "hint id=" + id + " text=0 ms=0\n"; }
std::string route(const std::string& id) { return "route id=" + id + " x=0 y=0 next=none\n"; }
const std::string trigger =
    "areaTrigger id=@t x=0 y=0 active=true p0=0 box=0,0,8,8 action=none activate=none deactivate=none kill=none "
    "sprite=none anim=0 repeat=0 cutscene=none\n";
const std::string hotspot =
    "hotspot id=@h x=0 y=0 flag=true sprite=23 anim=0 type=-1 reveal=none action=none cutscene=none item=none p7=0 "
    "p8=0\n";
std::string hotspotNamed(const std::string& name) { return replaced(hotspot, "@h", name); }
const std::string spawner =
    "spawner id=@s x=0 y=0 active=true sprite=none anim=0 box=0,0,1,1 p0=0 p1=0 trigger=0,0,1,1 p2=0 p3=0 p4=0 p5=0 "
    "p6=0 hitPoints=1 p7=0\n";
const std::string contactArea =
    "contactArea id=@c x=0 y=0 active=true sprite=none anim=0 box=0,0,1,1 p0=1 p1=0 p2=0 p3=0\n";
const std::string marker =
    "marker id=@m x=0 y=0 active=true sprite=none anim=0 p0=0 box=0,0,1,1 p1=0 p3=0 p4=0 p5=0 p6=0 p7=0 p8=false "
    "p9=0 p10=0 p12=0 p13=0 p14=0\n";
const std::string path = "path id=@p x=0 y=0 active=true sprite=none anim=0\n";
const std::string point = "point x=0 y=0 value=0\n";
const std::string item = "item sprite=27 anim=0 useKind=0 name=181 description=204 amount=1 value=0\n";
const std::string zone = "zone id=1 outer=0,0,800,480 inner=0,0,800,480\n";

TEST(LevelAssembler, HandWrittenBytesPinTheFormat) {
  const struct {
    std::string text;
    Bytes bytes;
  } cases[] = {
      // clang-format off
      {"header spriteSet=1 start=7 startAction=none altPalette=true countdown=300 roomFlag=false\n"
       "character id=7 x=-2 y=300 sprite=16 facing=2 abilityFlags=3 partnerIndex=1\n",
       {2, 1, 7, 0, 0xFF, 0xFF, 1, 0x2C, 0x01, 0,
        4, 7, 0, 0xFE, 0xFF, 0x2C, 0x01, 0, 2, 3, 1}},
      {"route id=5 x=100 y=-1 next=none\nzone id=2 outer=10,20,800,480 inner=1,2,3,4\n",
       {7, 5, 0, 100, 0, 0xFF, 0xFF, 0xFF, 0xFF,
        8, 2, 0, 10, 0, 20, 0, 0x20, 0x03, 0xE0, 0x01, 1, 0, 2, 0, 3, 0, 4, 0}},
      // The door's box gives its width and height first.
      {"door id=3 x=1 y=2 active=true p0=0x1234 box=5,6,7,8 sprite=31 anim=9 closedAnim=10 keyItem=-1 p4=0 p5=1\n"
       "  open=false hint=-2\n",
       {80, 3, 0, 1, 0, 2, 0, 1, 0x34, 0x12, 7, 0, 8, 0, 15, 0, 9, 0, 10, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0, 5, 0, 6, 0,
        0xFE, 0xFF}},
      {"item id=@rope sprite=27 anim=3 useKind=-1 name=185 description=210 amount=1 value=500\n"
       "combination result=@rope a=1 b=@rope\n"
       "line id=4 text=300 balloon=none speaker=2 next=none\n"
       "startCutscene id=6 cutscene=3 tenths=-5 background=true loop=false\n",
       {50, 11, 3, 0, 0xFF, 4, 6, 1, 0xF4, 0x01,
        51, 1, 0, 1, 0, 1, 0,
        60, 4, 0, 0x2C, 0x01, 0xFF, 0xFF, 2, 0, 0xFF, 0xFF,
        62, 6, 0, 3, 0, 0xFB, 0xFF, 1, 0}},
      {"path id=9 x=0 y=0 active=false sprite=none anim=0\npoint x=-1 y=2 value=3\nnop\n",
       {21, 9, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0,
        22, 0xFF, 0xFF, 2, 0, 3, 0,
        1}},
      {"cinematic id=2 text=7\neffect id=1 b=2 sprite=16 anim=4 a=5 top=true\n",
       {66, 2, 0, 0, 7, 0,
        69, 1, 0, 2, 0, 0, 0, 0, 0, 4, 0, 5, 0, 1}},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(assembleRoom(c.text).bytes, c.bytes) << c.text;
}

int64_t readField(const Bytes& bytes, size_t at, FieldType type) {
  const int32_t low = bytes.at(at);
  switch (type) {
    case FieldType::u8:
    case FieldType::boolean:
      return low;
    case FieldType::s8:
      return int8_t(low);
    case FieldType::u16:
      return low | bytes.at(at + 1) << 8;
    case FieldType::s16:
      return int16_t(low | bytes.at(at + 1) << 8);
  }
  return 0;
}

// Every record once, each field a value of its own, read back by the table.
TEST(LevelAssembler, EveryRecordRoundTripsThroughTheTable) {
  for (const Record& record : records) {
    SCOPED_TRACE(std::string(record.name));
    std::string text = record.op == op::pathPoint ? path : "";
    std::string line(record.name);
    std::vector<int64_t> expected;
    for (size_t i = 0; i < record.fields.size(); ++i) {
      const Field& field = record.fields[i];
      const bool isSigned = field.type == FieldType::s8 || field.type == FieldType::s16;
      const bool wide = sizeOf(field.type) == 2;
      int64_t written = 0, stored = 0;
      if (field.role == FieldRole::unused) {
        expected.push_back(0);
        continue;
      }
      if (field.type == FieldType::boolean) {
        line += " " + std::string(field.name) + (i % 2 != 0 ? "=true" : "=false");
        expected.push_back(i % 2 != 0);
        continue;
      }
      switch (field.role) {
        case FieldRole::sprite:
          written = 27, stored = 11;
          break;
        case FieldRole::actorId:
        case FieldRole::actionId:
        case FieldRole::routeId:
          written = stored = 100 + record.op;
          break;
        case FieldRole::actorRef:
        case FieldRole::actionRef:
        case FieldRole::routeRef:
        case FieldRole::itemRef:
        case FieldRole::cutsceneRef:
          line += " " + std::string(field.name) + "=none";
          expected.push_back(isSigned ? -1 : wide ? 0xFFFF : 0xFF);
          continue;
        default:
          stored = isSigned ? -int64_t(i + 1) * (wide ? 301 : 3) : int64_t(i + 1) * (wide ? 1001 : 7);
          if (record.op == 66 && field.name == "text") stored = -stored;  // a cinematic's text is 0 or more
          written = stored + field.offset;
          break;
      }
      line += " " + std::string(field.name) + "=" + std::to_string(written);
      expected.push_back(stored);
    }
    const Bytes bytes = assembleRoom(text + line + "\n").bytes;
    const size_t start = text.empty() ? 0 : size_t(1 + bodySize(op::path));
    ASSERT_EQ(bytes.size(), start + 1 + size_t(bodySize(record.op)));
    EXPECT_EQ(bytes[start], record.op);
    size_t at = start + 1;
    for (size_t i = 0; i < record.fields.size(); ++i) {
      EXPECT_EQ(readField(bytes, at, record.fields[i].type), expected[i]) << record.fields[i].name;
      at += size_t(sizeOf(record.fields[i].type));
    }
  }
}

TEST(LevelAssembler, NamesTakeTheLowestNumbersNoWrittenIdUses) {
  const tools::AssembledLevel shared =
      tools::assembleLevel(blocker("@gate") + blocker("2") + hint("@hello") + route("@ford") + item.substr(0, 4) +
                               " id=@rope" + item.substr(4) + "cutscene @dawn=4\n",
                           "shared.lvl");
  EXPECT_EQ(shared.symbols.actors.at("gate"), 1);
  EXPECT_EQ(shared.symbols.actions.at("hello"), 1);
  EXPECT_EQ(shared.symbols.routes.at("ford"), 1);
  EXPECT_EQ(shared.symbols.items.at("rope"), 1);
  EXPECT_EQ(shared.symbols.cutscenes.at("dawn"), 4);

  // The room sees the shared names, refers to them before it declares its
  // own, and numbers its own around every id already taken.
  const tools::AssembledLevel room = assembleRoom(
      replaced(replaced(replaced(trigger, "action=none", "action=@bye"), "activate=none", "activate=@gate"),
               "cutscene=none", "cutscene=@dawn") +
          blocker("@later") + blocker("4") + hint("@bye") + route("@bridge") +
          replaced(hotspot, "item=none", "item=@rope"),
      0, &shared);
  EXPECT_EQ(room.symbols.actors.at("t"), 3);  // 1 is @gate's, 2 written in shared.lvl
  EXPECT_EQ(room.symbols.actors.at("later"), 5);
  EXPECT_EQ(room.symbols.actors.at("h"), 6);
  EXPECT_EQ(room.symbols.actions.at("bye"), 2);
  EXPECT_EQ(room.symbols.routes.at("bridge"), 2);
  EXPECT_FALSE(room.symbols.actors.contains("gate"));  // declared by the shared objects
  const Bytes& bytes = room.bytes;
  EXPECT_EQ(readField(bytes, 1 + size_t(fieldOffset(81, "action")), FieldType::s16), 2);
  EXPECT_EQ(readField(bytes, 1 + size_t(fieldOffset(81, "activate")), FieldType::s16), 1);
  EXPECT_EQ(readField(bytes, 1 + size_t(fieldOffset(81, "cutscene")), FieldType::s16), 4);
  EXPECT_EQ(bytes.at(bytes.size() - 4), 1);  // the hotspot's item (then p7, p8): @rope
}

TEST(LevelAssembler, ChainsAndPathsTheLoaderLinksAsMeant) {
  // A chain's hotspots after their head; a hotspot with nothing before it
  // to link to; one after a path's points (the run ended) or after a
  // hotspot with other records between.
  for (const std::string& text : {marker + hotspot + hotspotNamed("@h2"), hotspot, marker + "nop\n" + hotspot,
                                  path + point + point + hotspot, hotspot + blocker("1") + hotspotNamed("@h2"),
                                  "cameraBand id=1 x=0 y=0 active=true box=0,0,1,1 p0=0 p1=0 p2=0 p3=0\n" + hotspot,
                                  path + repeated(point, maxPathPoints)})
    EXPECT_NO_THROW(assembleRoom(text)) << text;
}

TEST(LevelAssembler, RefusesNamingTheLineAndTheRule) {
  const tools::AssembledLevel sharedWithItem = tools::assembleLevel(item, "shared.lvl");
  const tools::AssembledLevel sharedWithHero = tools::assembleLevel(hero + blocker("@a"), "shared.lvl");
  const tools::AssembledLevel* none = nullptr;
  const struct {
    std::string text;
    std::string expected;
    const tools::AssembledLevel* shared = nullptr;
    std::optional<int> progress = 0;
  } cases[] = {
      // The source's form.
      {"nop\nbarrier2 x=1\n", "a:2: unknown record \"barrier2\""},
      {replaced(blocker("1"), "active", "colour=3 active"), "a:1: blocker has no field colour (its fields: id x y"},
      {replaced(blocker("1"), " p2=0", ""), "a:1: blocker lacks p2"},
      {replaced(blocker("1"), "p2=0", "p2=0\n p2=1"), "a:2: p2 is given twice"},
      {replaced(blocker("1"), "x=0", "x"), "a:1: \"x\" is not name=value"},
      {"x=1\n", "a:1: \"x=1\" comes before any record"},
      {replaced(trigger, "box=0,0,8,8", "box=0,0,8,8 box.x=1"), "a:1: box.x is given twice"},
      {"barrier id=1 x=0 y=0 sprite=23 foot=1,2,3 anim=0 active=true\n", "a:1: foot takes 2 values: foot=w,h"},
      {replaced(trigger, "box=0,0,8,8", "box=0,0,8"), "a:1: box takes 4 values: box=x,y,w,h"},
      {"cinematic id=1 unused=true text=0\n", "a:1: unused is read and dropped; leave it out"},
      // Values.
      {replaced(blocker("1"), "x=0", "x=40000"), "a:1: x=40000 does not fit x (s16, -32768..32767)"},
      {replaced(blocker("1"), "p2=0", "p2=256"), "a:1: p2=256 does not fit p2 (u8, 0..255)"},
      {replaced(blocker("1"), "active=false", "active=1"), "a:1: active=1: active is true or false"},
      {replaced(blocker("1"), "p2=0", "p2=true"), "a:1: p2=true: p2 is a number"},
      {replaced(blocker("1"), "x=0", "x=abc"), "a:1: x=abc is not a number, true, false, none or @name"},
      {blocker("none"), "a:1: id=none: an id cannot be none"},
      // The header and the player.
      {"nop\n" + header + hero, "a:2: the header must be the stream's first record"},
      {header + hero + header, "a:3: the header must be the stream's first record"},
      {replaced(header, "@hero", "@gate") + blocker("@gate"),
       "a:1: start names id 1, but no character record of this stream (after the header) has it"},
      {header, "a:1: start=@hero: @hero is declared nowhere", &sharedWithItem},
      {header, "a:1: start names id 1, but no character record of this stream", &sharedWithHero},
      {replaced(header, "@hero", "5") + hero, "a:1: start=5: there is no actor with id 5 in this stream"},
      // Ids and the lookups of them.
      {replaced(trigger, "activate=none", "activate=0"), "a:1: activate=0: ids start at 1; write none for none"},
      {replaced(trigger, "activate=none", "activate=@ghost"), "a:1: activate=@ghost: @ghost is declared nowhere"},
      {hint("@welcome") + replaced(trigger, "activate=none", "activate=@welcome"),
       "a:2: activate=@welcome: activate names an actor, and @welcome is an action"},
      {replaced(trigger, "action=none", "action=3"), "a:1: action=3: there is no action with id 3 in this stream"},
      {replaced(trigger, "activate=none", "activate=9"),
       "a:1: activate=9: there is no actor with id 9 here or in shared.lvl", &sharedWithHero},
      {hint("0"), "a:1: id=0: ids start at 1, or the record could never be found"},
      {route("0"), "a:1: id=0: ids start at 1, or the record could never be found"},
      {hint("3") + hint("3"), "a:2: id 3 is already an action's; lookups would only ever find the first"},
      {route("1") + route("1"), "a:2: id 1 is already a route point's"},
      {blocker("@x") + hint("@x"), "a:2: @x is declared twice (first as an actor, line 1)"},
      {blocker("@a"), "a:1: @a is declared twice (first as an actor, shared.lvl)", &sharedWithHero},
      {blocker("1"), "a:1: id 1 is @hero's (shared.lvl); a written id must not take a name's number", &sharedWithHero},
      {"snapshotTrigger id=@x x=0 y=0 active=true sprite=none anim=0 box=0,0,1,1 p0=0\n",
       "a:1: a snapshotTrigger keeps no id, so @x could never be found"},
      {"snapshotTrigger id=5 x=0 y=0 active=true sprite=none anim=0 box=0,0,1,1 p0=0\n" +
           replaced(trigger, "activate=none", "activate=5"),
       "a:2: activate=5: there is no actor with id 5 in this stream"},
      // Items.
      {item, "a:1: items are defined in one stream only, and shared.lvl defines them", &sharedWithItem},
      {item + replaced(hotspot, "item=none", "item=2"), "a:2: item=2: there is no item with id 2"},
      {"item id=3 sprite=23 anim=0 useKind=0 name=181 description=204 amount=1 value=0\n",
       "a:1: an item's id is a name"},
      {"combination result=1 a=1 b=1\n", "a:1: result=1: there is no item with id 1"},
      // A door's key is an item of the level's one definition of them.
      {item + "door id=3 x=1 y=2 active=true p0=0 box=5,6,7,8 sprite=31 anim=9 closedAnim=10 keyItem=2 p4=0 p5=1 "
              "open=false hint=-2\n",
       "a:2: keyItem=2: there is no item with id 2"},
      // Cutscene names.
      {"cutscene dawn=3\n", "a:1: a cutscene is declared as: cutscene @name=<its number"},
      {"cutscene @dawn=0\n", "a:1: a cutscene's number is 1..32767"},
      {"cutscene @dawn=3\n" + replaced(trigger, "activate=none", "activate=@dawn"),
       "a:2: activate=@dawn: activate names an actor, and @dawn is a cutscene"},
      // Chains and paths.
      {spawner + hotspot, "a:2: this hotspot would be linked into the spawner of line 1"},
      {spawner + blocker("1") + hotspot, "a:3: this hotspot would be linked into the spawner of line 1"},
      {contactArea + hotspot, "a:2: this hotspot would be linked into the contactArea of line 1"},
      {point, "a:1: a point must follow its path (or another point of it)"},
      {path + blocker("1") + point, "a:3: a point must follow its path"},
      {path + repeated(point, maxPathPoints + 1), "a:32: a path holds at most 30 points"},
      // Sprites the room loads.
      {replaced(hotspot, "sprite=23", "sprite=17"),
       "a:1: sprite=17: sprite slot 17 is empty here; room 1 does not load it", none, 1},
      {"barrier id=1 x=0 y=0 sprite=26 foot=1,1 anim=0 active=true\n", "a:1: sprite=26: sprite slot 26 is empty here"},
      {replaced(hotspot, "sprite=23", "sprite=17"),
       "a:1: sprite=17: sprite slot 17 is empty here; the shared objects may only use slots every room loads", none,
       std::nullopt},
      {replaced(hotspot, "sprite=23", "sprite=12"), "a:1: sprite=12: a record's sprite is a slot 16..51 or none"},
      {replaced(hotspot, "sprite=23", "sprite=52"), "a:1: sprite=52: a record's sprite is a slot 16..51 or none"},
      {replaced(hotspot, "sprite=23", "sprite=@h"), "a:1: sprite=@h: a sprite is a slot number"},
  };
  for (const auto& c : cases) {
    const std::string refusal = refusalOf(c.text, c.progress, c.shared);
    EXPECT_TRUE(refusal.starts_with(c.expected)) << c.text << "\n  refused with: " << refusal;
  }
}

TEST(LevelAssembler, HoldsTheReadersLimits) {
  const struct {
    std::string sharedLine, roomLine;
    int limit;
    std::string expected;
  } cases[] = {
      {"", item, maxItems, "a stream holds at most 29 items"},
      {route("%"), route("%"), maxRoutePoints,
       "a room holds at most 40 route points (the shared objects' and the room's together)"},
      {zone, zone, maxCameraZones, "a room holds at most 100 camera zones"},
      {hint("%"), hint("%"), maxActions, "a room holds at most 200 actions"},
      {"", "combination result=1 a=1 b=1\n", maxCombinations, "a room holds at most 20 combinations"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    // Half in the shared objects where they count for the room too.
    int id = 0;
    const auto lines = [&](const std::string& line, int count) {
      std::string text;
      for (int i = 0; i < count; ++i)
        text += line.find('%') == std::string::npos ? line : replaced(line, "%", std::to_string(++id));
      return text;
    };
    const int inShared = c.sharedLine.empty() ? 0 : c.limit / 2;
    const tools::AssembledLevel shared = tools::assembleLevel(lines(c.sharedLine, inShared), "shared.lvl");
    const std::string prelude = c.roomLine.starts_with("combination") ? item : "";
    const int preludeLines = prelude.empty() ? 0 : 1;
    const int sharedId = id;
    EXPECT_NO_THROW(assembleRoom(prelude + lines(c.roomLine, c.limit - inShared), 0, &shared));
    id = sharedId;
    const std::string refusal = refusalOf(prelude + lines(c.roomLine, c.limit - inShared + 1), 0, &shared);
    EXPECT_TRUE(refusal.starts_with("a:" + std::to_string(c.limit - inShared + 1 + preludeLines) + ": " + c.expected))
        << refusal;
  }
}

TEST(LevelAssembler, WarnsOfABlockerSetActive) {
  EXPECT_EQ(assembleRoom(blocker("1") + replaced(blocker("2"), "active=false", "active=true")).warnings,
            std::vector<std::string>{"a:2: a blocker blocks while it is not active; active=true leaves the way open"});
  EXPECT_TRUE(assembleRoom(blocker("1")).warnings.empty());
}

TEST(LevelAssembler, WarnsOfASpawnerThatGetsTheIdleSpawnedObjects) {
  const std::string idle = replaced(replaced(spawner, "@s", "@t"), "p0=0", "p0=4");
  EXPECT_EQ(assembleRoom(spawner + idle).warnings,
            std::vector<std::string>{"a:2: a spawner with p0=4 gets ten spawned objects from the loader that nothing drives"});
  EXPECT_TRUE(assembleRoom(spawner).warnings.empty());
}

}  // namespace
