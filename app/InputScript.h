#pragma once
// The harness's script of timed events: what the user and the device do to
// the program, and at which frame. One event a line:
//
//   <frame> pen down|move|up <x> <y>     the pen on the screen (800x480)
//   <frame> tap <x> <y>                  pen down and up at one place
//   <frame> mouse down|move|up <x> <y>   the host's pointer in window
//                                        coordinates (the SDL window scales)
//   <frame> key down|up <key>            <key>: a virtual-key number (12,
//                                        0x25) or a name (LEFT, F1, A, 7)
//   <frame> focus lost|gained
//   <frame> power <flag>...              on, off, idle, suspend, unattended,
//                                        critical, boot, reset or a number
//   <frame> rotate 0|90|180|270          the display orientation
//   <frame> close                        the user closes the window
//   <frame> screenshot <path>            the presented frame as a PNG
//   <frame> where                        logs where the focus character stands
//   <frame> wait state <n>               from this frame on, waits until the
//                                        game is in GameState n (at once when
//                                        it is); the lines after it count their
//                                        frames from the frame that saw it
//
// '#' starts a comment; blank lines are skipped; words are separated by
// spaces or tabs and names compare without case (paths keep theirs). Lines
// are played in frame order between waits; a wait comes after every line
// before it, so that a script made of one part per room runs however long
// each loading takes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ScriptEvent {
  enum class Kind {
    penDown, penMove, penUp,
    mouseDown, mouseMove, mouseUp,
    keyDown, keyUp,
    focusLost, focusGained,
    power, rotate, close,
    screenshot, where, waitState
  };
  uint32_t frame = 0;
  Kind kind = Kind::close;
  int32_t x = 0;
  int32_t y = 0;
  // The virtual key, the power flags, the orientation (DMDO value) or the
  // GameState waited for.
  uint32_t value = 0;
  std::string path;  // screenshot only

  bool operator==(const ScriptEvent&) const = default;
};

struct ScriptError {
  std::string file;
  int line = 0;
  std::string message;
  // "file:line: message"
  std::string text() const;
};

// The events of one line (none for a blank or comment line), or the error.
struct ScriptLine {
  std::vector<ScriptEvent> events;
  std::optional<std::string> error;
};
ScriptLine parseScriptLine(std::string_view line);

// The whole script, its events ordered by frame (lines of one frame keep
// their order). False with the first error when any line is wrong, the file
// cannot be read or is not text.
bool parseInputScript(std::string_view text, const std::string& fileName, std::vector<ScriptEvent>& events,
                      ScriptError& error);
bool readInputScript(const std::string& path, std::vector<ScriptEvent>& events, ScriptError& error);
