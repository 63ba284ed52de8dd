#include "app/InputScript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>

#include "wince/display_settings.h"
#include "wince/power.h"

namespace {

// A frame beyond this is a typing mistake, not a plan: 10^7 passes are more
// than a day of play.
constexpr uint32_t lastFrame = 10'000'000;
// The screen is 800x480; a little room outside it lets a script test edges.
constexpr int32_t coordinateLimit = 32767;
// Text and script lines are short; a longer one is most likely not a script.
constexpr size_t longestLine = 1000;

std::string lowerCase(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return lower;
}

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// Decimal, or hexadecimal with 0x; the whole word, within [low, high].
std::optional<int64_t> parseNumber(std::string_view word, int64_t low, int64_t high) {
  bool negative = false;
  if (!word.empty() && word[0] == '-') {
    negative = true;
    word.remove_prefix(1);
  }
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), magnitude, base);
  if (failure != std::errc() || end != word.data() + word.size()) return std::nullopt;
  if (magnitude > uint64_t(INT64_MAX)) return std::nullopt;
  const int64_t value = negative ? -int64_t(magnitude) : int64_t(magnitude);
  if (value < low || value > high) return std::nullopt;
  return value;
}

struct NamedValue {
  const char* name;
  uint32_t value;
};

constexpr NamedValue keyNames[] = {
    {"enter", 0x0D}, {"return", 0x0D}, {"escape", 0x1B}, {"esc", 0x1B}, {"space", 0x20}, {"home", 0x24},
    {"left", 0x25},  {"up", 0x26},     {"right", 0x27},  {"down", 0x28}, {"lwin", 0x5B},  {"rwin", 0x5C},
    {"f1", 0x70},    {"f2", 0x71},     {"f3", 0x72},     {"f4", 0x73},   {"f5", 0x74},    {"f6", 0x75},
    {"f7", 0x76},    {"f8", 0x77},     {"f9", 0x78},     {"f10", 0x79},  {"f11", 0x7A},   {"f12", 0x7B},
};

constexpr NamedValue powerNames[] = {
    {"on", POWER_STATE_ON},     {"off", POWER_STATE_OFF},         {"critical", POWER_STATE_CRITICAL},
    {"boot", POWER_STATE_BOOT}, {"idle", POWER_STATE_IDLE},       {"suspend", POWER_STATE_SUSPEND},
    {"unattended", POWER_STATE_UNATTENDED}, {"reset", POWER_STATE_RESET},
};

template <size_t count>
std::optional<uint32_t> lookUp(const NamedValue (&table)[count], std::string_view word) {
  const std::string lower = lowerCase(word);
  for (const NamedValue& entry : table) {
    if (lower == entry.name) return entry.value;
  }
  return std::nullopt;
}

std::optional<uint32_t> parseKey(std::string_view word) {
  if (word.size() == 1) {
    const char c = word[0];
    if (c >= '0' && c <= '9') return uint32_t(c);
    if (c >= 'a' && c <= 'z') return uint32_t(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return uint32_t(c);
  }
  if (std::optional<uint32_t> named = lookUp(keyNames, word)) return named;
  // A number: the virtual key itself, which fits in a byte.
  if (std::optional<int64_t> number = parseNumber(word, 1, 0xFE)) return uint32_t(*number);
  return std::nullopt;
}

std::optional<uint32_t> parseOrientation(std::string_view word) {
  if (word == "0") return DMDO_0;
  if (word == "90") return DMDO_90;
  if (word == "180") return DMDO_180;
  if (word == "270") return DMDO_270;
  return std::nullopt;
}

ScriptLine failure(std::string message) { return ScriptLine{{}, std::move(message)}; }

}  // namespace

std::string ScriptError::text() const { return file + ":" + std::to_string(line) + ": " + message; }

ScriptLine parseScriptLine(std::string_view line) {
  if (const size_t comment = line.find('#'); comment != std::string_view::npos) line = line.substr(0, comment);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() > longestLine) return failure("line longer than " + std::to_string(longestLine) + " characters");
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x7F) return failure("not ASCII");
    if ((byte < ' ' && byte != '\t') || byte == 0x7F) return failure("control character in the line");
  }
  const std::vector<std::string_view> words = splitWords(line);
  if (words.empty()) return {};

  const std::optional<int64_t> frame = parseNumber(words[0], 0, lastFrame);
  if (!frame) {
    return failure("expected a frame number (0 to " + std::to_string(lastFrame) + ") first, found '" +
                   std::string(words[0]) + "'");
  }
  if (words.size() < 2) return failure("expected an event after the frame number");
  const std::string what = lowerCase(words[1]);
  const size_t given = words.size() - 2;
  ScriptEvent event;
  event.frame = uint32_t(*frame);

  auto wantWords = [&](size_t count, const char* form) -> std::optional<std::string> {
    if (given != count) return "'" + what + "' takes " + form;
    return std::nullopt;
  };
  auto readPoint = [&](size_t first) -> std::optional<std::string> {
    const std::optional<int64_t> x = parseNumber(words[first], -coordinateLimit, coordinateLimit);
    const std::optional<int64_t> y = parseNumber(words[first + 1], -coordinateLimit, coordinateLimit);
    if (!x || !y) {
      return "bad position '" + std::string(words[first]) + " " + std::string(words[first + 1]) +
             "' (whole numbers within +-" + std::to_string(coordinateLimit) + ")";
    }
    event.x = int32_t(*x);
    event.y = int32_t(*y);
    return std::nullopt;
  };

  if (what == "pen" || what == "mouse") {
    if (auto wrong = wantWords(3, "down|move|up and a position x y")) return failure(*wrong);
    const std::string action = lowerCase(words[2]);
    const bool pen = what == "pen";
    if (action == "down") {
      event.kind = pen ? ScriptEvent::Kind::penDown : ScriptEvent::Kind::mouseDown;
    } else if (action == "move") {
      event.kind = pen ? ScriptEvent::Kind::penMove : ScriptEvent::Kind::mouseMove;
    } else if (action == "up") {
      event.kind = pen ? ScriptEvent::Kind::penUp : ScriptEvent::Kind::mouseUp;
    } else {
      return failure("'" + what + "' takes down, move or up, not '" + std::string(words[2]) + "'");
    }
    if (auto wrong = readPoint(3)) return failure(*wrong);
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "tap") {
    if (auto wrong = wantWords(2, "a position x y")) return failure(*wrong);
    if (auto wrong = readPoint(2)) return failure(*wrong);
    ScriptEvent down = event;
    down.kind = ScriptEvent::Kind::penDown;
    ScriptEvent up = event;
    up.kind = ScriptEvent::Kind::penUp;
    return ScriptLine{{down, up}, std::nullopt};
  }
  if (what == "key") {
    if (auto wrong = wantWords(2, "down|up and a key")) return failure(*wrong);
    const std::string action = lowerCase(words[2]);
    if (action == "down") {
      event.kind = ScriptEvent::Kind::keyDown;
    } else if (action == "up") {
      event.kind = ScriptEvent::Kind::keyUp;
    } else {
      return failure("'key' takes down or up, not '" + std::string(words[2]) + "'");
    }
    const std::optional<uint32_t> key = parseKey(words[3]);
    if (!key) return failure("unknown key '" + std::string(words[3]) + "'");
    event.value = *key;
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "focus") {
    if (auto wrong = wantWords(1, "lost or gained")) return failure(*wrong);
    const std::string action = lowerCase(words[2]);
    if (action == "lost") {
      event.kind = ScriptEvent::Kind::focusLost;
    } else if (action == "gained") {
      event.kind = ScriptEvent::Kind::focusGained;
    } else {
      return failure("'focus' takes lost or gained, not '" + std::string(words[2]) + "'");
    }
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "power") {
    if (given == 0) return failure("'power' takes one or more flags (on, idle, suspend, ... or a number)");
    event.kind = ScriptEvent::Kind::power;
    for (size_t i = 2; i < words.size(); ++i) {
      std::optional<uint32_t> flag = lookUp(powerNames, words[i]);
      if (!flag) {
        if (std::optional<int64_t> number = parseNumber(words[i], 0, UINT32_MAX)) flag = uint32_t(*number);
      }
      if (!flag) return failure("unknown power flag '" + std::string(words[i]) + "'");
      event.value |= *flag;
    }
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "rotate") {
    if (auto wrong = wantWords(1, "0, 90, 180 or 270")) return failure(*wrong);
    const std::optional<uint32_t> orientation = parseOrientation(words[2]);
    if (!orientation) return failure("'rotate' takes 0, 90, 180 or 270, not '" + std::string(words[2]) + "'");
    event.kind = ScriptEvent::Kind::rotate;
    event.value = *orientation;
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "close" || what == "where") {
    if (auto wrong = wantWords(0, "nothing more")) return failure(*wrong);
    event.kind = what == "close" ? ScriptEvent::Kind::close : ScriptEvent::Kind::where;
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "screenshot") {
    if (auto wrong = wantWords(1, "a path")) return failure(*wrong);
    event.kind = ScriptEvent::Kind::screenshot;
    event.path = std::string(words[2]);
    return ScriptLine{{event}, std::nullopt};
  }
  if (what == "wait") {
    if (given != 2 || lowerCase(words[2]) != "state") return failure("'wait' takes state and a GameState number");
    const std::optional<int64_t> state = parseNumber(words[3], 0, 255);
    if (!state) return failure("bad GameState '" + std::string(words[3]) + "' (0 to 255)");
    event.kind = ScriptEvent::Kind::waitState;
    event.value = uint32_t(*state);
    return ScriptLine{{event}, std::nullopt};
  }
  return failure("unknown event '" + std::string(words[1]) + "'");
}

bool parseInputScript(std::string_view text, const std::string& fileName, std::vector<ScriptEvent>& events,
                      ScriptError& error) {
  events.clear();
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
    const int line = 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(nul), '\n'));
    error = ScriptError{fileName, line, "not a text file"};
    return false;
  }
  // Each part between waits is played in frame order on its own.
  size_t partStart = 0;
  const auto sortPart = [&] {
    std::stable_sort(events.begin() + std::ptrdiff_t(partStart), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  };
  int lineNumber = 0;
  size_t at = 0;
  while (at < text.size()) {
    ++lineNumber;
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    ScriptLine parsed = parseScriptLine(text.substr(at, end - at));
    if (!parsed.error && parsed.events.size() == 1 && parsed.events[0].kind == ScriptEvent::Kind::waitState) {
      const uint32_t frame = parsed.events[0].frame;
      const bool late = std::any_of(events.begin() + std::ptrdiff_t(partStart), events.end(),
                                    [frame](const ScriptEvent& e) { return e.frame > frame; });
      if (late) {
        parsed.error = "a wait must come at or after the frame of every line before it";
      } else {
        sortPart();
        events.push_back(parsed.events[0]);
        partStart = events.size();
        at = end + 1;
        continue;
      }
    }
    if (parsed.error) {
      error = ScriptError{fileName, lineNumber, *parsed.error};
      events.clear();
      return false;
    }
    events.insert(events.end(), parsed.events.begin(), parsed.events.end());
    at = end + 1;
  }
  sortPart();
  return true;
}

bool readInputScript(const std::string& path, std::vector<ScriptEvent>& events, ScriptError& error) {
  // Without blocking: a FIFO or a device in its place must not hang the start.
  const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat status {};
  if (file < 0 || ::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    if (file >= 0) ::close(file);
    error = ScriptError{path, 0, "cannot be read"};
    return false;
  }
  // A script is a few lines; anything this large is a mistake.
  constexpr size_t largestScript = 16 << 20;
  std::string text(largestScript + 1, '\0');
  size_t length = 0;
  bool readFailed = false;
  while (length < text.size()) {
    const ssize_t count = ::read(file, text.data() + length, text.size() - length);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      readFailed = count < 0;
      break;
    }
    length += size_t(count);
  }
  ::close(file);
  if (readFailed) {
    error = ScriptError{path, 0, "cannot be read"};
    return false;
  }
  text.resize(length);
  if (text.size() > largestScript) {
    error = ScriptError{path, 0, "larger than 16 MB; not a script"};
    return false;
  }
  return parseInputScript(text, path, events, error);
}
