#include "tools/compiler/LevelAssembler.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "game/RoomSpriteSlots.h"
#include "game/world/LevelRecordFormat.h"
#include "tools/compiler/LevelSource.h"

namespace tools {
namespace {

using namespace levelrecord;

namespace op {
using namespace levelrecord::op;
inline constexpr uint8_t cinematicAction = 66;
}  // namespace op
// The room whose chapter-end cinematic waits for its timed events.
constexpr int32_t heldCinematicRoom = 3;
// The loader gives such a spawner ten spawned objects that no spawner ever
// drives; it is kept only for the rooms that were written with it.
constexpr const char* idleMachineSpawnerWarning =
    "a spawner with p0=4 gets ten spawned objects from the loader that nothing drives";

enum class Space { actor, action, item, route, cutscene };

std::string spaceName(Space space) {
  switch (space) {
    case Space::actor:
      return "an actor";
    case Space::action:
      return "an action";
    case Space::item:
      return "an item";
    case Space::route:
      return "a route point";
    case Space::cutscene:
      return "a cutscene";
  }
  return "";
}

// The kind of id a field defines or looks up; nothing for other fields.
std::optional<Space> spaceOf(FieldRole role) {
  switch (role) {
    case FieldRole::actorId:
    case FieldRole::actorRef:
      return Space::actor;
    case FieldRole::actionId:
    case FieldRole::actionRef:
      return Space::action;
    case FieldRole::routeId:
    case FieldRole::routeRef:
      return Space::route;
    case FieldRole::itemRef:
      return Space::item;
    case FieldRole::cutsceneRef:
      return Space::cutscene;
    default:
      return std::nullopt;
  }
}

bool defines(FieldRole role) {
  return role == FieldRole::actorId || role == FieldRole::actionId || role == FieldRole::routeId;
}

bool looksUp(FieldRole role) {
  return role == FieldRole::actorRef || role == FieldRole::actionRef || role == FieldRole::routeRef ||
         role == FieldRole::itemRef || role == FieldRole::cutsceneRef;
}

std::string typeRange(FieldType type) {
  switch (type) {
    case FieldType::u8:
      return "u8, 0..255";
    case FieldType::s8:
      return "s8, -128..127";
    case FieldType::u16:
      return "u16, 0..65535";
    case FieldType::s16:
      return "s16, -32768..32767";
    case FieldType::boolean:
      return "true or false";
  }
  return "";
}

bool fits(int64_t value, FieldType type) {
  switch (type) {
    case FieldType::u8:
      return value >= 0 && value <= 255;
    case FieldType::s8:
      return value >= -128 && value <= 127;
    case FieldType::u16:
      return value >= 0 && value <= 65535;
    case FieldType::s16:
      return value >= -32768 && value <= 32767;
    case FieldType::boolean:
      return value == 0 || value == 1;
  }
  return false;
}

// Members of a group are written in this order: box=x,y,w,h, foot=w,h,
// inner=dx,dy,w,h, whatever order their bytes have.
constexpr std::array<std::string_view, 6> memberOrder = {"x", "y", "dx", "dy", "w", "h"};

struct SymbolInfo {
  Space space;
  int32_t number = 0;
  int line = 0;
  bool shared = false;  // declared elsewhere: by the shared objects or the event script
  std::string origin = {};  // that source, when shared
};

// A record statement with its words put to its fields.
struct Entry {
  const Record* record = nullptr;
  int line = 0;
  std::vector<LevelWord> values;  // one per field; unused fields stay empty
  std::optional<std::string> itemLabel;
};

class Assembler {
 public:
  Assembler(std::string_view text, const std::string& source, const LevelContext& context)
      : m_source(source), m_context(context), m_shared(context.shared) {
    m_out.source = source;
    if (m_shared != nullptr) importShared();
    if (context.scriptCutscenes != nullptr)
      for (const auto& [name, number] : *context.scriptCutscenes)
        m_symbols[name] = {Space::cutscene, number, 0, true, context.scriptSource};
    for (const LevelStatement& statement : parseLevelSource(text, source)) collect(statement);
    numberSymbols();
  }

  AssembledLevel run() {
    for (size_t i = 0; i < m_entries.size(); ++i) encode(m_entries[i], i);
    checkPlayer();
    for (const auto& [name, info] : m_symbols) {
      if (info.shared) continue;
      LevelSymbols& s = m_out.symbols;
      auto& table = info.space == Space::actor    ? s.actors
                    : info.space == Space::action ? s.actions
                    : info.space == Space::item   ? s.items
                    : info.space == Space::route  ? s.routes
                                                  : s.cutscenes;
      table[name] = info.number;
    }
    return std::move(m_out);
  }

 private:
  [[noreturn]] void refuse(int line, const std::string& problem) const {
    throw std::runtime_error(m_source + ":" + std::to_string(line) + ": " + problem);
  }

  void importShared() {
    const LevelSymbols& s = m_shared->symbols;
    const std::pair<const std::map<std::string, int32_t>*, Space> tables[] = {{&s.actors, Space::actor},
                                                                              {&s.actions, Space::action},
                                                                              {&s.items, Space::item},
                                                                              {&s.routes, Space::route},
                                                                              {&s.cutscenes, Space::cutscene}};
    for (const auto& [table, space] : tables)
      for (const auto& [name, number] : *table) m_symbols[name] = {space, number, 0, true, m_shared->source};
  }

  std::string declaredAt(const SymbolInfo& info) const {
    return info.shared ? info.origin : "line " + std::to_string(info.line);
  }

  void declare(const std::string& name, Space space, int line, int32_t number = 0) {
    if (const auto found = m_symbols.find(name); found != m_symbols.end())
      refuse(line, "@" + name + " is declared twice (first as " + spaceName(found->second.space) + ", " +
                       declaredAt(found->second) + ")");
    m_symbols[name] = {space, number, line, false};
    m_declared.push_back(name);
  }

  void collect(const LevelStatement& statement) {
    if (statement.keyword == "cutscene") return declareCutscene(statement);
    const Record* record = findRecord(std::string_view(statement.keyword));
    if (record == nullptr) refuse(statement.line, "unknown record \"" + statement.keyword + "\"");
    Entry entry{record, statement.line, std::vector<LevelWord>(record->fields.size()), {}};
    for (const LevelWord& word : statement.words) place(entry, word);
    std::string missing;
    for (size_t i = 0; i < record->fields.size(); ++i)
      if (entry.values[i].line == 0 && record->fields[i].role != FieldRole::unused)
        missing += (missing.empty() ? "" : ", ") + std::string(record->fields[i].name);
    if (!missing.empty()) refuse(statement.line, statement.keyword + " lacks " + missing);
    for (size_t i = 0; i < record->fields.size(); ++i) {
      const Field& field = record->fields[i];
      if (!defines(field.role)) continue;
      LevelValue value;
      if (!parseLevelValue(entry.values[i].value, value)) continue;  // refused when encoded
      if (const auto* symbol = std::get_if<LevelSymbol>(&value)) {
        if (record->op == op::snapshotTrigger)
          refuse(entry.values[i].line,
                 "a snapshotTrigger keeps no id, so @" + symbol->name + " could never be found; give it a number");
        declare(symbol->name, *spaceOf(field.role), entry.values[i].line);
      } else if (const auto* number = std::get_if<int64_t>(&value);
                 number != nullptr && record->op != op::snapshotTrigger) {
        noteNumericId(field.role, *number, entry.values[i].line);
      }
    }
    if (record->op == op::item) {
      ++m_itemCount;
      if (entry.itemLabel) declare(*entry.itemLabel, Space::item, statement.line, m_itemCount);
    }
    m_entries.push_back(std::move(entry));
  }

  void declareCutscene(const LevelStatement& statement) {
    if (statement.words.size() != 1 || !statement.words[0].name.starts_with('@'))
      refuse(statement.line, "a cutscene is declared as: cutscene @name=<its number in the room's event script>");
    const LevelWord& word = statement.words[0];
    LevelValue name, number;
    if (!parseLevelValue(word.name, name) || !std::holds_alternative<LevelSymbol>(name))
      refuse(word.line, "\"" + word.name + "\" is not a name (@ then letters, digits, _)");
    if (!parseLevelValue(word.value, number) || !std::holds_alternative<int64_t>(number) ||
        std::get<int64_t>(number) < 1 || std::get<int64_t>(number) > 32767)
      refuse(word.line, "a cutscene's number is 1..32767, not \"" + word.value + "\"");
    declare(std::get<LevelSymbol>(name).name, Space::cutscene, word.line, int32_t(std::get<int64_t>(number)));
  }

  // Puts a word to its field, or to the members of a group.
  void place(Entry& entry, const LevelWord& word) {
    const auto fields = entry.record->fields;
    if (!word.hasValue || word.name.empty() || word.value.empty())
      refuse(word.line, "\"" + word.name + (word.hasValue ? "=" + word.value : "") +
                            "\" is not name=value: fields are written name=value, without spaces");
    if (entry.record->op == op::item && word.name == "id") {
      LevelValue value;
      if (!parseLevelValue(word.value, value) || !std::holds_alternative<LevelSymbol>(value))
        refuse(word.line, "an item's id is a name (@rope): its number is its place among the stream's items");
      if (entry.itemLabel) refuse(word.line, "id is given twice");
      entry.itemLabel = std::get<LevelSymbol>(value).name;
      return;
    }
    for (size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].name != word.name) continue;
      if (fields[i].role == FieldRole::unused) refuse(word.line, word.name + " is read and dropped; leave it out");
      if (entry.values[i].line != 0) refuse(word.line, word.name + " is given twice");
      entry.values[i] = word;
      return;
    }
    std::vector<size_t> members;
    for (const std::string_view member : memberOrder)
      for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == word.name + "." + std::string(member)) members.push_back(i);
    if (members.empty()) {
      std::string names;
      for (const Field& field : fields) names += " " + std::string(field.name);
      refuse(word.line, std::string(entry.record->name) + " has no field " + word.name +
                            (names.empty() ? " (it has no fields)" : " (its fields:" + names + ")"));
    }
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
      const size_t comma = word.value.find(',', start);
      parts.push_back(word.value.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    if (parts.size() != members.size()) {
      std::string form;
      for (const std::string_view member : memberOrder)
        for (size_t i : members)
          if (fields[i].name.ends_with("." + std::string(member)))
            form += (form.empty() ? "" : ",") + std::string(member);
      refuse(word.line, word.name + " takes " + std::to_string(members.size()) + " values: " + word.name + "=" + form);
    }
    for (size_t k = 0; k < members.size(); ++k) {
      if (entry.values[members[k]].line != 0)
        refuse(word.line, std::string(fields[members[k]].name) + " is given twice");
      entry.values[members[k]] = {std::string(fields[members[k]].name), parts[k], word.line};
    }
  }

  void noteNumericId(FieldRole role, int64_t number, int line) {
    if (role == FieldRole::actorId) {
      for (const auto& [name, info] : m_symbols)
        if (info.shared && info.space == Space::actor && info.number == number)
          refuse(line, "id " + std::to_string(number) + " is @" + name + "'s (" + m_shared->source +
                           "); a written id must not take a name's number");
      m_numericIds[Space::actor].insert(number);
      return;
    }
    const Space space = *spaceOf(role);
    const std::set<int32_t>& shared =
        space == Space::action ? sharedIds(&AssembledLevel::actionIds) : sharedIds(&AssembledLevel::routeIds);
    // Lookups find the first record with an id; a second one is dead.
    if (m_numericIds[space].contains(number) || shared.contains(int32_t(number)))
      refuse(line, "id " + std::to_string(number) + " is already " + spaceName(space) + "'s" +
                       (shared.contains(int32_t(number)) ? " (" + m_shared->source + ")" : "") +
                       "; lookups would only ever find the first");
    m_numericIds[space].insert(number);
  }

  const std::set<int32_t>& sharedIds(std::set<int32_t> AssembledLevel::*ids) const {
    static const std::set<int32_t> none;
    return m_shared != nullptr ? m_shared->*ids : none;
  }

  // Symbols of actors, actions and route points take the lowest numbers from
  // 1 that no written number, and nothing the shared stream defines, uses.
  void numberSymbols() {
    std::map<Space, std::set<int64_t>> used = m_numericIds;
    for (const auto& [space, ids] :
         {std::pair{Space::actor, &AssembledLevel::actorIds}, std::pair{Space::action, &AssembledLevel::actionIds},
          std::pair{Space::route, &AssembledLevel::routeIds}})
      for (const int32_t id : sharedIds(ids)) used[space].insert(id);
    for (const std::string& name : m_declared) {
      SymbolInfo& info = m_symbols[name];
      if (info.space == Space::item || info.space == Space::cutscene) continue;
      int64_t number = 1;
      while (used[info.space].contains(number)) ++number;
      if (number > 32767) refuse(info.line, "no number is left for @" + name);
      used[info.space].insert(number);
      info.number = int32_t(number);
    }
    for (const auto& [name, info] : m_symbols) {
      if (info.shared) continue;
      if (info.space == Space::actor) m_out.actorIds.insert(info.number);
      if (info.space == Space::action) m_out.actionIds.insert(info.number);
      if (info.space == Space::route) m_out.routeIds.insert(info.number);
    }
    for (const int64_t id : m_numericIds[Space::actor]) m_out.actorIds.insert(int32_t(id));
    for (const int64_t id : m_numericIds[Space::action]) m_out.actionIds.insert(int32_t(id));
    for (const int64_t id : m_numericIds[Space::route]) m_out.routeIds.insert(int32_t(id));
  }

  bool isDefined(Space space, int64_t id) const {
    const auto has = [&](std::set<int32_t> AssembledLevel::*ids) {
      return (m_out.*ids).contains(int32_t(id)) || sharedIds(ids).contains(int32_t(id));
    };
    switch (space) {
      case Space::actor:
        return has(&AssembledLevel::actorIds);
      case Space::action:
        return has(&AssembledLevel::actionIds);
      case Space::route:
        return has(&AssembledLevel::routeIds);
      case Space::item:
        return id <= std::max(m_itemCount, m_shared != nullptr ? m_shared->items : 0);
      case Space::cutscene:
        // The event script's, when the room's is at hand.
        return m_context.scriptCutsceneIds == nullptr || m_context.scriptCutsceneIds->contains(int32_t(id));
    }
    return false;
  }

  int64_t sharedCount(int32_t AssembledLevel::*count) const { return m_shared != nullptr ? m_shared->*count : 0; }

  void checkLimit(int32_t AssembledLevel::*count, int32_t limit, int line, const std::string& what) {
    const int64_t total = ++(m_out.*count) + sharedCount(count);
    if (total > limit)
      refuse(line, "a room holds at most " + std::to_string(limit) + " " + what +
                       (m_shared != nullptr ? " (the shared objects' and the room's together)" : ""));
  }

  std::string spriteScope() const {
    return m_context.progress ? "room " + std::to_string(*m_context.progress) + " does not load it"
                              : "the shared objects may only use slots every room loads";
  }

  int64_t valueOf(const Field& field, const LevelWord& word) const {
    const std::string name(field.name);
    const std::string written = name + "=" + word.value;
    LevelValue value;
    if (!parseLevelValue(word.value, value))
      refuse(word.line, written + " is not a number, true, false, none or @name");
    if (field.type == FieldType::boolean) {
      if (!std::holds_alternative<bool>(value)) refuse(word.line, written + ": " + name + " is true or false");
      return std::get<bool>(value) ? 1 : 0;
    }
    if (std::holds_alternative<bool>(value)) refuse(word.line, written + ": " + name + " is a number");
    if (std::holds_alternative<LevelNone>(value)) {
      if (defines(field.role)) refuse(word.line, written + ": an id cannot be none");
      return -1;  // written as all ones of the field's width
    }
    if (const auto* symbol = std::get_if<LevelSymbol>(&value)) {
      if (field.role == FieldRole::sprite) refuse(word.line, written + ": a sprite is a slot number");
      const auto found = m_symbols.find(symbol->name);
      if (found == m_symbols.end())
        refuse(word.line, written + ": @" + symbol->name + " is declared nowhere (a record's id declares it)");
      const std::optional<Space> wanted = spaceOf(field.role);
      if (wanted && *wanted != found->second.space)
        refuse(word.line, written + ": " + name + " names " + spaceName(*wanted) + ", and @" + symbol->name + " is " +
                              spaceName(found->second.space));
      return found->second.number;
    }
    const int64_t number = std::get<int64_t>(value);
    if (field.role == FieldRole::sprite) {
      if (number < spriteSlotOffset || number >= spriteSlotCount)
        refuse(word.line, written + ": a record's sprite is a slot " + std::to_string(spriteSlotOffset) + ".." +
                              std::to_string(spriteSlotCount - 1) + " or none");
      const bool loaded = m_context.progress ? roomsprite::isLoadedInRoom(int32_t(number), *m_context.progress)
                                             : roomsprite::isLoadedInEveryRoom(int32_t(number));
      if (!loaded)
        refuse(word.line, written + ": sprite slot " + std::to_string(number) + " is empty here; " + spriteScope());
      return number - spriteSlotOffset;
    }
    if ((field.role == FieldRole::actionId || field.role == FieldRole::routeId) && number < 1)
      refuse(word.line, written + ": ids start at 1, or the record could never be found");
    if (looksUp(field.role) && number != -1) {
      const Space space = *spaceOf(field.role);
      if (number < 1) refuse(word.line, written + ": ids start at 1; write none for none");
      if (space == Space::cutscene && !isDefined(space, number))
        refuse(word.line, written + ": " + m_context.scriptSource + " has no cutscene with id " + std::to_string(number));
      if (!isDefined(space, number))
        refuse(word.line, written + ": there is no " + spaceName(space).substr(spaceName(space).find(' ') + 1) +
                              " with id " + std::to_string(number) +
                              (m_shared != nullptr ? " here or in " + m_shared->source : " in this stream"));
    }
    return number - field.offset;
  }

  void write(const Field& field, int64_t value, int line, const std::string& written) {
    const bool none = value == -1 && (field.type == FieldType::u8 || field.type == FieldType::u16);
    if (!none && !fits(value, field.type))
      refuse(line, written + " does not fit " + std::string(field.name) + " (" + typeRange(field.type) + ")");
    const uint32_t bits = static_cast<uint32_t>(value);
    m_out.bytes.push_back(uint8_t(bits & 0xFF));
    if (sizeOf(field.type) == 2) m_out.bytes.push_back(uint8_t((bits >> 8) & 0xFF));
  }

  void encode(const Entry& entry, size_t index) {
    const Record& record = *entry.record;
    checkOrder(entry, index);
    m_out.bytes.push_back(record.op);
    std::vector<int64_t> values(record.fields.size());
    for (size_t i = 0; i < record.fields.size(); ++i) {
      const Field& field = record.fields[i];
      const LevelWord& word = entry.values[i];
      values[i] = field.role == FieldRole::unused ? 0 : valueOf(field, word);
      write(field, values[i], word.line != 0 ? word.line : entry.line, word.name + "=" + word.value);
    }
    const auto valueNamed = [&](std::string_view name) {
      for (size_t i = 0; i < record.fields.size(); ++i)
        if (record.fields[i].name == name) return values[i];
      return int64_t{0};
    };
    switch (record.op) {
      case op::header:
        m_headerLine = entry.line;
        m_start = valueNamed("start");
        break;
      case op::character:
        m_characters.insert(valueNamed("id"));
        break;
      case op::creature:
        m_out.creatureTypes[int32_t(valueNamed("id"))] = int32_t(valueNamed("type"));
        break;
      case op::cinematicAction:
        if (valueNamed("text") < 0) refuse(entry.line, "a cinematic action's text is 0 or more");
        if (m_context.progress == heldCinematicRoom)
          m_out.warnings.push_back(m_source + ":" + std::to_string(entry.line) +
                                   ": in room 3 a cinematic action opens only when the room's timed events end");
        checkLimit(&AssembledLevel::actions, maxActions, entry.line, "actions");
        break;
      case op::blocker:
        if (valueNamed("active") == 1)
          m_out.warnings.push_back(m_source + ":" + std::to_string(entry.line) +
                                   ": a blocker blocks while it is not active; active=true leaves the way open");
        break;
      case op::spawner:
        if (valueNamed("p0") == idleMachineSpawner)
          m_out.warnings.push_back(m_source + ":" + std::to_string(entry.line) + ": " + idleMachineSpawnerWarning);
        break;
      case op::routePoint:
        checkLimit(&AssembledLevel::routePoints, maxRoutePoints, entry.line, "route points");
        break;
      case op::cameraZone:
        checkLimit(&AssembledLevel::cameraZones, maxCameraZones, entry.line, "camera zones");
        break;
      case op::combination:
        checkLimit(&AssembledLevel::combinations, maxCombinations, entry.line, "combinations");
        break;
      default:
        if (isAction(record.op)) checkLimit(&AssembledLevel::actions, maxActions, entry.line, "actions");
        break;
    }
  }

  // The rules of where a record may stand, following the loader's own
  // bookkeeping of runs and of the previous object.
  void checkOrder(const Entry& entry, size_t index) {
    const uint8_t opcode = entry.record->op;
    if (opcode == op::header && index != 0) refuse(entry.line, "the header must be the stream's first record");
    if (m_chainRun && opcode != op::hotspot && opcode != op::chainGap) {
      m_chainRun = false;
      m_previous = {};
    } else if (m_pathRun && opcode != op::pathPoint) {
      m_pathRun = false;
      m_previous = {};
    }
    if (opcode == op::pathPoint) {
      if (!m_pathRun) refuse(entry.line, "a point must follow its path (or another point of it)");
      if (++m_pathPoints > maxPathPoints)
        refuse(entry.line, "a path holds at most " + std::to_string(maxPathPoints) + " points");
    }
    if (opcode == op::hotspot && m_previous.op != 0 && m_previous.op != op::hotspot && !isChainHead(m_previous.op))
      refuse(entry.line, "this hotspot would be linked into the " + std::string(findRecord(m_previous.op)->name) +
                             " of line " + std::to_string(m_previous.line) +
                             "; a hotspot follows a chain head (marker, keyObject, cameraBand), another hotspot, "
                             "or stands where nothing precedes it to link to");
    if (opcode == op::item) {
      if (m_shared != nullptr && m_shared->items > 0)
        refuse(entry.line, "items are defined in one stream only, and " + m_shared->source +
                               " defines them (item ids restart in every stream)");
      if (++m_out.items > maxItems) refuse(entry.line, "a stream holds at most " + std::to_string(maxItems) + " items");
    }
    if (becomesPreviousObject(opcode)) m_previous = {opcode, entry.line};
    if (isChainHead(opcode)) m_chainRun = true;
    if (opcode == op::path) {
      m_pathRun = true;
      m_pathPoints = 0;
    }
  }

  void checkPlayer() {
    if (m_headerLine == 0 || m_start == -1) return;
    if (!m_characters.contains(m_start))
      refuse(m_headerLine, "start names id " + std::to_string(m_start) +
                               ", but no character record of this stream (after the header) has it: the player "
                               "comes after the header in the same stream");
  }

  struct Previous {
    uint8_t op = 0;
    int line = 0;
  };

  const std::string& m_source;
  const LevelContext& m_context;
  const AssembledLevel* m_shared;
  AssembledLevel m_out;
  std::map<std::string, SymbolInfo> m_symbols;
  std::vector<std::string> m_declared;  // this stream's names, in order
  std::map<Space, std::set<int64_t>> m_numericIds;
  std::vector<Entry> m_entries;
  int32_t m_itemCount = 0;
  // The walk.
  bool m_chainRun = false, m_pathRun = false;
  int32_t m_pathPoints = 0;
  Previous m_previous;
  int m_headerLine = 0;
  int64_t m_start = 0;
  std::set<int64_t> m_characters;
};

}  // namespace

AssembledLevel assembleLevel(std::string_view text, const std::string& source, const LevelContext& context) {
  return Assembler(text, source, context).run();
}

}  // namespace tools
