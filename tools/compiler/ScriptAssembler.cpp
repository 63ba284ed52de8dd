#include "tools/compiler/ScriptAssembler.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "game/RoomSpriteSlots.h"
#include "game/story/EventScriptFormat.h"
#include "tools/compiler/LevelSource.h"

namespace tools {
namespace {

using eventscript::Command;
using eventscript::Operand;
using eventscript::OperandRole;
using eventscript::OperandType;

constexpr int32_t largestTenths = 32767;
constexpr int32_t largestCutscenes = 255;
constexpr int32_t largestTracks = 127;

std::string trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> words(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> out;
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

struct Line {
  int number;
  std::vector<std::string> words;
  std::string text;  // without its comment
};

std::vector<Line> linesOf(std::string_view text) {
  std::vector<Line> lines;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::vector<std::string> w = words(line);
    if (!w.empty()) lines.push_back({number, std::move(w), line});
  }
  return lines;
}

[[noreturn]] void refuse(const std::string& source, int line, const std::string& problem) {
  throw std::runtime_error(source + ":" + std::to_string(line) + ": " + problem);
}

// A cutscene line's name and written id: "@name", "@name=7" or "7".
struct CutsceneHeader {
  std::string name;
  std::optional<int32_t> id;
};

CutsceneHeader parseCutsceneHeader(const Line& line, const std::string& source) {
  if (line.words.size() != 2)
    refuse(source, line.number, "a cutscene is written: cutscene @name, cutscene @name=<id> or cutscene <id>");
  std::string word = line.words[1];
  CutsceneHeader header;
  std::string idText = word;
  if (word.starts_with('@')) {
    const size_t equals = word.find('=');
    header.name = word.substr(1, equals == std::string::npos ? std::string::npos : equals - 1);
    LevelValue name;
    if (!parseLevelValue("@" + header.name, name))
      refuse(source, line.number, "\"" + word + "\" is not a name (@ then letters, digits, _)");
    if (equals == std::string::npos) return header;
    idText = word.substr(equals + 1);
  }
  LevelValue id;
  if (!parseLevelValue(idText, id) || !std::holds_alternative<int64_t>(id) || std::get<int64_t>(id) < 1 ||
      std::get<int64_t>(id) > 32767)
    refuse(source, line.number, "a cutscene's id is 1..32767, not \"" + idText + "\"");
  header.id = int32_t(std::get<int64_t>(id));
  return header;
}

// Each cutscene line's id: written ones as written, the others the lowest
// from 1 that no cutscene of the script takes.
std::vector<std::pair<CutsceneHeader, int>> numberCutscenes(const std::vector<Line>& lines, const std::string& source) {
  std::vector<std::pair<CutsceneHeader, int>> headers;
  std::set<int32_t> taken;
  std::map<std::string, int> names;
  for (const Line& line : lines) {
    if (line.words[0] != "cutscene") continue;
    CutsceneHeader header = parseCutsceneHeader(line, source);
    if (!header.name.empty()) {
      if (const auto [at, fresh] = names.emplace(header.name, line.number); !fresh)
        refuse(source, line.number, "@" + header.name + " is declared twice (first at line " +
                                        std::to_string(at->second) + ")");
    }
    if (header.id && !taken.insert(*header.id).second)
      refuse(source, line.number, "id " + std::to_string(*header.id) +
                                      " is already a cutscene's; lookups would only ever find the first");
    headers.emplace_back(std::move(header), line.number);
  }
  if (headers.size() > largestCutscenes)
    refuse(source, headers[largestCutscenes].second, "a script holds at most 255 cutscenes");
  int32_t next = 1;
  for (auto& [header, line] : headers) {
    if (header.id) continue;
    while (taken.contains(next)) ++next;
    header.id = next;
    taken.insert(next);
  }
  return headers;
}

bool fits(int64_t value, OperandType type) {
  switch (type) {
    case OperandType::u8: return value >= 0 && value <= 255;
    case OperandType::s8: return value >= -128 && value <= 127;
    case OperandType::s16: return value >= -32768 && value <= 32767;
    case OperandType::s32: return value >= INT32_MIN && value <= INT32_MAX;
    case OperandType::boolean: return value == 0 || value == 1;
  }
  return false;
}

bool isReference(OperandRole role) {
  return role == OperandRole::actorRef || role == OperandRole::actionRef || role == OperandRole::cutsceneRef;
}

struct TrackOut {
  int line;
  std::vector<uint8_t> header;  // type, flags, reference
  std::vector<uint8_t> keyframes;
  int32_t keyframeCount = 0;
  int32_t lastTenths = -1;
  int32_t type;
};

struct CutsceneOut {
  int line;
  int32_t id;
  std::vector<TrackOut> tracks = {};
  bool offersSkip = false;
  int questionLine = 0;
  std::vector<std::pair<int, int32_t>> followedTracks = {};  // line, track
};

class Assembler {
 public:
  Assembler(std::string_view text, const std::string& source, const ScriptContext& context)
      : m_source(source), m_context(context), m_lines(linesOf(text)) {
    for (const auto& [header, line] : numberCutscenes(m_lines, source)) {
      m_cutsceneIdAtLine[line] = *header.id;
      m_out.cutsceneIds.insert(*header.id);
      if (!header.name.empty()) m_out.cutscenes[header.name] = *header.id;
    }
  }

  AssembledScript run() {
    for (const Line& line : m_lines) statement(line);
    for (const CutsceneOut& cutscene : m_cutscenes) finishCutscene(cutscene);
    m_out.bytes.push_back(uint8_t(m_cutscenes.size()));
    for (const CutsceneOut& cutscene : m_cutscenes) {
      put(m_out.bytes, cutscene.id, 2);
      m_out.bytes.push_back(uint8_t(cutscene.tracks.size()));
    }
    for (const CutsceneOut& cutscene : m_cutscenes)
      for (const TrackOut& track : cutscene.tracks) {
        m_out.bytes.insert(m_out.bytes.end(), track.header.begin(), track.header.end());
        put(m_out.bytes, track.keyframeCount, 2);
        m_out.bytes.insert(m_out.bytes.end(), track.keyframes.begin(), track.keyframes.end());
      }
    return std::move(m_out);
  }

 private:
  [[noreturn]] void refuse(int line, const std::string& problem) const { tools::refuse(m_source, line, problem); }
  void warn(int line, const std::string& problem) {
    m_out.warnings.push_back(m_source + ":" + std::to_string(line) + ": " + problem);
  }

  static void put(std::vector<uint8_t>& out, int64_t value, int32_t width) {
    for (int32_t i = 0; i < width; ++i) out.push_back(uint8_t(uint64_t(value) >> (8 * i)));
  }

  void statement(const Line& line) {
    const std::string& keyword = line.words[0];
    if (keyword == "cutscene") {
      m_cutscenes.push_back({line.number, m_cutsceneIdAtLine.at(line.number), {}});
    } else if (keyword == "track") {
      if (m_cutscenes.empty()) refuse(line.number, "a track belongs to a cutscene: write the cutscene first");
      track(line);
    } else if (keyword == "at") {
      if (m_cutscenes.empty() || m_cutscenes.back().tracks.empty())
        refuse(line.number, "a keyframe belongs to a track: write the track first");
      keyframe(line);
    } else {
      refuse(line.number, "unknown statement \"" + keyword + "\" (cutscene, track or at)");
    }
  }

  void track(const Line& line) {
    CutsceneOut& cutscene = m_cutscenes.back();
    if (cutscene.tracks.size() >= largestTracks) refuse(line.number, "a cutscene holds at most 127 tracks");
    if (line.words.size() < 2) refuse(line.number, "a track is plain, camera, actor <id> or spawn <sprite slot>");
    const std::string& kind = line.words[1];
    TrackOut out{line.number, {}, {}, 0, -1, 0};
    size_t next = 2;
    int64_t reference = 0;
    if (kind == "plain") {
      out.type = eventscript::track::plain;
    } else if (kind == "camera") {
      out.type = eventscript::track::camera;
    } else if (kind == "actor" || kind == "spawn") {
      out.type = kind == "actor" ? eventscript::track::actor : eventscript::track::spawn;
      if (line.words.size() < 3) refuse(line.number, "track " + kind + " names its " + (kind == "actor" ? "actor" : "sprite slot"));
      reference = kind == "actor" ? actorId(line.words[2], line.number) : spriteSlot(line.words[2], line.number, true);
      if (kind == "actor") targetWarning(int32_t(reference), line.number, "a track that drives it holds its behaviour");
      next = 3;
    } else {
      refuse(line.number, "unknown track \"" + kind + "\" (plain, camera, actor or spawn)");
    }
    int32_t flags = 0;
    for (; next < line.words.size(); ++next) {
      const std::string& flag = line.words[next];
      if (flag == "interpolate") flags |= eventscript::track::interpolate;
      else if (flag == "nowait") flags |= eventscript::track::notWaitedFor;
      else if (flag == "stepped") flags |= eventscript::track::steppedAnyway;
      else refuse(line.number, "unknown track flag \"" + flag + "\" (interpolate, nowait, stepped)");
    }
    if ((flags & eventscript::track::steppedAnyway) != 0 && (flags & eventscript::track::notWaitedFor) == 0)
      refuse(line.number, "stepped means a nowait track is stepped all the same: write nowait too");
    out.header.push_back(uint8_t(out.type));
    out.header.push_back(uint8_t(flags));
    if (out.type == eventscript::track::actor || out.type == eventscript::track::spawn) put(out.header, reference, 2);
    cutscene.tracks.push_back(std::move(out));
  }

  int32_t tenthsOf(const std::string& written, int line) const {
    const size_t dot = written.find('.');
    const std::string whole = written.substr(0, dot);
    const std::string tenth = dot == std::string::npos ? "" : written.substr(dot + 1);
    const auto digitsOnly = [](const std::string& s) {
      return !s.empty() && s.size() <= 5 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digitsOnly(whole) || (dot != std::string::npos && (tenth.size() != 1 || !digitsOnly(tenth))))
      refuse(line, "a keyframe's time is seconds with at most one decimal (at 3.5:), not \"" + written + "\"");
    const int64_t tenths = std::stoll(whole) * 10 + (tenth.empty() ? 0 : tenth[0] - '0');
    if (tenths > largestTenths) refuse(line, "a keyframe's time is at most 3276.7 seconds");
    return int32_t(tenths);
  }

  void keyframe(const Line& line) {
    const size_t colon = line.text.find(':');
    if (colon == std::string::npos) refuse(line.number, "a keyframe is written: at <seconds>: <commands>");
    const std::vector<std::string> head = words(std::string_view(line.text).substr(0, colon));
    if (head.size() != 2) refuse(line.number, "a keyframe is written: at <seconds>: <commands>");
    const int32_t tenths = tenthsOf(head[1], line.number);
    CutsceneOut& cutscene = m_cutscenes.back();
    TrackOut& track = cutscene.tracks.back();
    if (tenths < track.lastTenths)
      refuse(line.number, "keyframes stand in time order: " + head[1] + " s comes before the one above");
    track.lastTenths = tenths;
    std::vector<uint8_t> commands;
    int32_t count = 0;
    std::string rest = line.text.substr(colon + 1);
    for (size_t start = 0; start <= rest.size();) {
      const size_t semicolon = rest.find(';', start);
      const std::string part = trim(std::string_view(rest).substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start));
      if (!part.empty()) {
        command(words(part), line.number, cutscene, track, commands);
        ++count;
      }
      if (semicolon == std::string::npos) break;
      start = semicolon + 1;
    }
    if (count > eventscript::maxCommandsPerKeyframe) refuse(line.number, "a keyframe holds at most 127 commands");
    if (++track.keyframeCount > 32767) refuse(line.number, "a track holds at most 32767 keyframes");
    put(track.keyframes, tenths, 2);
    track.keyframes.push_back(uint8_t(count));
    track.keyframes.insert(track.keyframes.end(), commands.begin(), commands.end());
  }

  void command(const std::vector<std::string>& w, int line, CutsceneOut& cutscene, const TrackOut& track,
               std::vector<uint8_t>& out) {
    if (w[0] == "op") {
      LevelValue number;
      if (w.size() != 2 || !parseLevelValue(w[1], number) || !std::holds_alternative<int64_t>(number) ||
          std::get<int64_t>(number) < 0 || std::get<int64_t>(number) > 255)
        refuse(line, "op is written: op <opcode 0..255>");
      const auto opcode = uint8_t(std::get<int64_t>(number));
      if (eventscript::isRefused(opcode))
        refuse(line, "opcode " + std::to_string(opcode) + " is refused: its operands have no agreed size");
      if (const Command* named = eventscript::findCommand(opcode))
        refuse(line, "opcode " + std::to_string(opcode) + " is written by its name, " + std::string(named->name));
      out.push_back(opcode);
      return;
    }
    const Command* command = eventscript::findCommand(std::string_view(w[0]));
    if (command == nullptr) refuse(line, "unknown command \"" + w[0] + "\"");
    const auto operands = command->operands;
    std::vector<std::optional<std::string>> given(operands.size());
    size_t position = 0;
    bool named = false;
    for (size_t i = 1; i < w.size(); ++i) {
      std::string name, value;
      if (const size_t equals = w[i].find('='); equals != std::string::npos) {
        name = w[i].substr(0, equals);
        value = w[i].substr(equals + 1);
      } else if (isOperandName(w[i])) {
        if (i + 1 >= w.size()) refuse(line, w[0] + ": " + w[i] + " has no value");
        name = w[i];
        value = w[++i];
      } else {
        if (named) refuse(line, w[0] + ": \"" + w[i] + "\" by position after operands by name");
        while (position < operands.size() && operands[position].role == OperandRole::unused) ++position;
        if (position >= operands.size()) refuse(line, w[0] + " takes " + operandList(*command) + ": \"" + w[i] + "\" is one too many");
        given[position++] = w[i];
        continue;
      }
      named = true;
      size_t k = 0;
      while (k < operands.size() && operands[k].name != name) ++k;
      if (k == operands.size()) refuse(line, w[0] + " has no operand " + name + " (it takes " + operandList(*command) + ")");
      if (given[k]) refuse(line, w[0] + ": " + name + " is given twice");
      given[k] = value;
    }
    out.push_back(command->op);
    std::vector<int64_t> values(operands.size());
    for (size_t k = 0; k < operands.size(); ++k) {
      const Operand& operand = operands[k];
      if (!given[k]) {
        if (operand.role == OperandRole::unused) {
          put(out, 0, eventscript::sizeOf(operand.type));
          continue;
        }
        refuse(line, w[0] + " lacks " + std::string(operand.name) + " (it takes " + operandList(*command) + ")");
      }
      values[k] = value(*command, operand, *given[k], line);
      put(out, values[k], eventscript::sizeOf(operand.type));
    }
    checkCommand(*command, values, line, cutscene, track);
  }

  static bool isOperandName(const std::string& word) {
    if (word == "true" || word == "false" || word == "none") return false;
    return !word.empty() && ((word[0] >= 'a' && word[0] <= 'z') || (word[0] >= 'A' && word[0] <= 'Z'));
  }

  static std::string operandList(const Command& command) {
    std::string list;
    for (const Operand& operand : command.operands) {
      if (operand.role == OperandRole::unused) continue;
      list += (list.empty() ? "" : " ") + std::string(operand.name);
    }
    return list.empty() ? "no operands" : list;
  }

  int64_t value(const Command& command, const Operand& operand, const std::string& written, int line) {
    const std::string what = std::string(command.name) + " " + std::string(operand.name) + "=" + written;
    LevelValue parsed;
    if (!parseLevelValue(written, parsed)) refuse(line, what + " is not a number, true, false, none or @name");
    if (operand.type == OperandType::boolean) {
      if (!std::holds_alternative<bool>(parsed)) refuse(line, what + ": " + std::string(operand.name) + " is true or false");
      return std::get<bool>(parsed) ? 1 : 0;
    }
    if (std::holds_alternative<bool>(parsed)) refuse(line, what + ": " + std::string(operand.name) + " is a number");
    int64_t number = 0;
    if (std::holds_alternative<LevelNone>(parsed)) {
      const bool mayBeNone = isReference(operand.role) || operand.role == OperandRole::text;
      if (!mayBeNone) refuse(line, what + ": none stands for no actor, action, cutscene or text");
      number = -1;
    } else if (const auto* symbol = std::get_if<LevelSymbol>(&parsed)) {
      number = symbolValue(operand.role, symbol->name, what, line);
    } else {
      number = std::get<int64_t>(parsed);
    }
    switch (operand.role) {
      case OperandRole::actorRef:
      case OperandRole::actionRef:
      case OperandRole::cutsceneRef:
        checkReference(operand.role, number, what, line);
        break;
      case OperandRole::itemRef:
        checkItem(number, what, line);
        break;
      case OperandRole::text:
        checkText(number, what, line);
        break;
      case OperandRole::spriteSlot:
        return spriteSlot(written, line, false);
      default:
        break;
    }
    if (!fits(number, operand.type)) refuse(line, what + " does not fit " + std::string(operand.name));
    return number;
  }

  int64_t symbolValue(OperandRole role, const std::string& name, const std::string& what, int line) const {
    const auto find = [&](auto member) -> std::optional<int32_t> {
      for (const AssembledLevel* level : {m_context.room, m_context.shared}) {
        if (level == nullptr) continue;
        const auto& table = level->symbols.*member;
        if (const auto it = table.find(name); it != table.end()) return it->second;
      }
      return std::nullopt;
    };
    std::optional<int32_t> found;
    if (role == OperandRole::actorRef) found = find(&LevelSymbols::actors);
    else if (role == OperandRole::actionRef) found = find(&LevelSymbols::actions);
    else if (role == OperandRole::itemRef) found = find(&LevelSymbols::items);
    else if (role == OperandRole::cutsceneRef) {
      if (const auto it = m_out.cutscenes.find(name); it != m_out.cutscenes.end()) found = it->second;
    } else {
      refuse(line, what + ": a name stands only for an actor, an action, an item or a cutscene");
    }
    if (!found) refuse(line, what + ": @" + name + " is declared nowhere the script can see");
    return *found;
  }

  bool levelDefines(std::set<int32_t> AssembledLevel::*ids, int64_t id) const {
    for (const AssembledLevel* level : {m_context.room, m_context.shared})
      if (level != nullptr && (level->*ids).contains(int32_t(id))) return true;
    return false;
  }

  void checkReference(OperandRole role, int64_t id, const std::string& what, int line) const {
    if (id == -1) return;
    if (id < 1) refuse(line, what + ": ids start at 1; write none for none");
    if (role == OperandRole::cutsceneRef) {
      if (!m_out.cutsceneIds.contains(int32_t(id)))
        refuse(line, what + ": this script has no cutscene with id " + std::to_string(id));
      return;
    }
    if (m_context.room == nullptr) return;
    const bool actor = role == OperandRole::actorRef;
    if (!levelDefines(actor ? &AssembledLevel::actorIds : &AssembledLevel::actionIds, id))
      refuse(line, what + ": the room has no " + (actor ? "actor" : "action") + " with id " + std::to_string(id));
  }

  // Items are numbered in the one stream that defines them (the shared
  // objects or the room's own).
  void checkItem(int64_t id, const std::string& what, int line) const {
    if (id < 1) refuse(line, what + ": item ids start at 1");
    if (m_context.room == nullptr) return;
    int32_t defined = 0;
    for (const AssembledLevel* level : {m_context.room, m_context.shared})
      if (level != nullptr) defined = std::max(defined, level->items);
    if (id > defined) refuse(line, what + ": the room has no item with id " + std::to_string(id));
  }

  void checkText(int64_t id, const std::string& what, int line) const {
    if (id == -1) return;
    if (id < 0) refuse(line, what + ": a text id is 0 or more, or none");
    if (m_context.textCount && id >= *m_context.textCount)
      refuse(line, what + ": the room has " + std::to_string(*m_context.textCount) + " texts (0.." +
                       std::to_string(*m_context.textCount - 1) + ")");
  }

  int64_t actorId(const std::string& written, int line) const {
    LevelValue parsed;
    if (!parseLevelValue(written, parsed)) refuse(line, "track actor " + written + " is not an id or @name");
    int64_t id = 0;
    if (const auto* symbol = std::get_if<LevelSymbol>(&parsed)) {
      id = symbolValue(OperandRole::actorRef, symbol->name, "track actor " + written, line);
    } else if (const auto* number = std::get_if<int64_t>(&parsed)) {
      id = *number;
    } else {
      refuse(line, "track actor " + written + ": a driven track names its actor");
    }
    if (id < 1 || id > 32767) refuse(line, "track actor " + written + ": actor ids are 1..32767");
    checkReference(OperandRole::actorRef, id, "track actor " + written, line);
    return id;
  }

  // A sprite slot as the game draws from it; stored minus 16.
  int64_t spriteSlot(const std::string& written, int line, bool scriptSprite) const {
    LevelValue parsed;
    if (!parseLevelValue(written, parsed) || !std::holds_alternative<int64_t>(parsed))
      refuse(line, "sprite " + written + " is a sprite slot number");
    const int64_t slot = std::get<int64_t>(parsed);
    const int64_t last = scriptSprite ? eventscript::scriptSpriteFirstSlot + eventscript::scriptSpriteCount - 1 : 51;
    if (slot < eventscript::scriptSpriteFirstSlot || slot > last)
      refuse(line, "sprite " + written + ": a slot 16.." + std::to_string(last));
    if (m_context.progress && !roomsprite::isLoadedInRoom(int32_t(slot), *m_context.progress))
      refuse(line, "sprite " + written + ": sprite slot " + std::to_string(slot) + " is empty here; room " +
                       std::to_string(*m_context.progress) + " does not load it");
    return slot - eventscript::scriptSpriteFirstSlot;
  }

  void checkCommand(const Command& command, const std::vector<int64_t>& values, int line, CutsceneOut& cutscene,
                    const TrackOut&) {
    switch (command.op) {
      case eventscript::op::offerSkip: cutscene.offersSkip = true; break;
      case eventscript::op::question:
        if (cutscene.questionLine == 0) cutscene.questionLine = line;
        break;
      case eventscript::op::cameraFollow: cutscene.followedTracks.emplace_back(line, int32_t(values[0])); break;
      case 51: targetWarning(int32_t(values[0]), line, "killing it skips its defeat"); break;
      default: break;
    }
  }

  void finishCutscene(const CutsceneOut& cutscene) {
    if (cutscene.tracks.empty()) refuse(cutscene.line, "a cutscene has at least one track");
    for (const TrackOut& track : cutscene.tracks)
      if (track.keyframeCount == 0) refuse(track.line, "a track has at least one keyframe");
    if (cutscene.offersSkip && cutscene.questionLine != 0)
      refuse(cutscene.questionLine, "a question never stands in a cutscene that offers the skip control: a skip "
                                    "would pass over it");
    for (const auto& [line, k] : cutscene.followedTracks)
      if (k >= int32_t(cutscene.tracks.size()))
        refuse(line, "cameraFollow track=" + std::to_string(k) + ": the cutscene has tracks 0.." +
                         std::to_string(cutscene.tracks.size() - 1));
  }

  // In rooms 3 and 7 the creature of type 1, in room 9 that of type 2, is
  // the story's target: its gauge and its defeat end the chapter.
  void targetWarning(int32_t id, int line, const std::string& consequence) {
    if (!m_context.progress || m_context.room == nullptr) return;
    const int32_t room = *m_context.progress;
    const int32_t targetType = room == 3 || room == 7 ? 1 : room == 9 ? 2 : -1;
    if (targetType < 0) return;
    for (const AssembledLevel* level : {m_context.room, m_context.shared}) {
      if (level == nullptr) continue;
      if (const auto it = level->creatureTypes.find(id); it != level->creatureTypes.end() && it->second == targetType)
        warn(line, "actor " + std::to_string(id) + " is room " + std::to_string(room) +
                       "'s target creature; " + consequence);
    }
  }

  const std::string& m_source;
  const ScriptContext& m_context;
  std::vector<Line> m_lines;
  std::map<int, int32_t> m_cutsceneIdAtLine;
  std::vector<CutsceneOut> m_cutscenes;
  AssembledScript m_out;
};

}  // namespace

ScriptCutscenes declareScriptCutscenes(std::string_view text, const std::string& source) {
  ScriptCutscenes cutscenes;
  for (const auto& [header, line] : numberCutscenes(linesOf(text), source)) {
    if (!header.name.empty()) cutscenes.names[header.name] = *header.id;
    cutscenes.ids.insert(*header.id);
  }
  return cutscenes;
}

AssembledScript assembleScript(std::string_view text, const std::string& source, const ScriptContext& context) {
  return Assembler(text, source, context).run();
}

}  // namespace tools
