// The harness's input script: what each line means, and that every wrong
// line is refused with its file and line number.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/InputScript.h"

namespace {

using Kind = ScriptEvent::Kind;

ScriptEvent at(uint32_t frame, Kind kind, int32_t x = 0, int32_t y = 0, uint32_t value = 0) {
  return ScriptEvent{frame, kind, x, y, value, {}};
}

struct GoodLine {
  const char* line;
  std::vector<ScriptEvent> events;
};

TEST(InputScriptLine, GoodLinesGiveTheirEvents) {
  const GoodLine cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"# only a comment", {}},
      {"3 pen down 400 240", {at(3, Kind::penDown, 400, 240)}},
      {"3 pen move -5 481 # off the edge", {at(3, Kind::penMove, -5, 481)}},
      {"\t7\tPEN\tUp\t1\t2\r", {at(7, Kind::penUp, 1, 2)}},
      {"0 tap 10 20", {at(0, Kind::penDown, 10, 20), at(0, Kind::penUp, 10, 20)}},
      {"4 mouse down 800 480", {at(4, Kind::mouseDown, 800, 480)}},
      {"4 mouse move 0x10 0", {at(4, Kind::mouseMove, 16, 0)}},
      {"4 mouse up 1 1", {at(4, Kind::mouseUp, 1, 1)}},
      {"5 key down left", {at(5, Kind::keyDown, 0, 0, 0x25)}},
      {"5 key up F1", {at(5, Kind::keyUp, 0, 0, 0x70)}},
      {"5 key down a", {at(5, Kind::keyDown, 0, 0, 'A')}},
      {"5 key down 7", {at(5, Kind::keyDown, 0, 0, '7')}},
      {"5 key down 12", {at(5, Kind::keyDown, 0, 0, 12)}},
      {"5 key down 0xE5", {at(5, Kind::keyDown, 0, 0, 0xE5)}},
      {"6 focus lost", {at(6, Kind::focusLost)}},
      {"6 focus GAINED", {at(6, Kind::focusGained)}},
      {"8 power suspend", {at(8, Kind::power, 0, 0, 0x00200000)}},
      {"8 power on idle", {at(8, Kind::power, 0, 0, 0x00110000)}},
      {"8 power 0x10000", {at(8, Kind::power, 0, 0, 0x00010000)}},
      {"9 rotate 0", {at(9, Kind::rotate, 0, 0, 0)}},
      {"9 rotate 90", {at(9, Kind::rotate, 0, 0, 1)}},
      {"9 rotate 270", {at(9, Kind::rotate, 0, 0, 4)}},
      {"10000000 close", {at(10'000'000, Kind::close)}},
      {"4 where", {at(4, Kind::where)}},
      {"4 wait STATE 14", {at(4, Kind::waitState, 0, 0, 14)}},
  };
  for (const GoodLine& good : cases) {
    const ScriptLine parsed = parseScriptLine(good.line);
    EXPECT_FALSE(parsed.error.has_value()) << good.line << ": " << parsed.error.value_or("");
    EXPECT_EQ(parsed.events, good.events) << good.line;
  }
}

TEST(InputScriptLine, WrongLinesAreRefusedWithAReason) {
  const char* const cases[] = {
      "pen down 1 2",             // no frame
      "-1 close",                 // frame below zero
      "10000001 close",           // frame past the last
      "1x close",                 // frame not a number
      "3",                        // frame alone
      "3 jump",                   // unknown event
      "3 pen 1 2",                // no action
      "3 pen press 1 2",          // unknown action
      "3 pen down 1",             // half a position
      "3 pen down 1 2 3",         // a word too many
      "3 pen down 1.5 2",         // not whole
      "3 pen down 40000 2",       // out of range
      "3 pen down 0x 2",          // hex without digits
      "3 tap 1",                  // half a position
      "3 key down",               // no key
      "3 key press A",            // unknown action
      "3 key down NOSUCHKEY",     // unknown name
      "3 key down 0x00",          // not a key
      "3 key down 300",           // beyond a byte
      "3 focus",                  // no word
      "3 focus maybe",            // unknown word
      "3 power",                  // no flag
      "3 power sleepy",           // unknown flag
      "3 power 0x100000000",      // beyond 32 bits
      "3 rotate 45",              // not a quarter turn
      "3 rotate",                 // no angle
      "3 close now",              // a word too many
      "3 close\x01",              // control character
      "3 where now",              // a word too many
      "3 screenshot",             // no path
      "3 screenshot a b",         // a word too many
      "3 wait",                   // no state
      "3 wait room 14",           // unknown word
      "3 wait state 256",         // beyond the states
      "3 wait state -1",          // below them
  };
  for (const char* line : cases) {
    const ScriptLine parsed = parseScriptLine(line);
    EXPECT_TRUE(parsed.error.has_value()) << "accepted: " << line;
    EXPECT_TRUE(parsed.events.empty()) << line;
  }
}

TEST(InputScriptLine, AnOverlongLineIsRefused) {
  EXPECT_FALSE(parseScriptLine("1 close #" + std::string(2000, 'x')).error.has_value()) << "comments may be long";
  EXPECT_TRUE(parseScriptLine("1 close" + std::string(2000, ' ')).error.has_value());
}

TEST(InputScript, EventsAreOrderedByFrameAndKeepTheirOrderWithinOne) {
  std::vector<ScriptEvent> events;
  ScriptError error;
  ASSERT_TRUE(parseInputScript("5 close\n2 pen down 1 1\n# note\n\n2 pen up 1 1\n0 focus lost", "s.txt", events, error))
      << error.text();
  EXPECT_EQ(events, (std::vector<ScriptEvent>{at(0, Kind::focusLost), at(2, Kind::penDown, 1, 1),
                                              at(2, Kind::penUp, 1, 1), at(5, Kind::close)}));
}

TEST(InputScriptLine, AScreenshotKeepsItsPathAsWritten) {
  const ScriptLine parsed = parseScriptLine("12 SCREENSHOT /tmp/Room_0.png");
  ASSERT_EQ(parsed.events.size(), 1u) << parsed.error.value_or("");
  EXPECT_EQ(parsed.events[0].kind, Kind::screenshot);
  EXPECT_EQ(parsed.events[0].frame, 12u);
  EXPECT_EQ(parsed.events[0].path, "/tmp/Room_0.png");
}

TEST(InputScript, EachPartBetweenWaitsIsOrderedOnItsOwn) {
  std::vector<ScriptEvent> events;
  ScriptError error;
  ASSERT_TRUE(parseInputScript("9 close\n2 where\n9 wait state 14\n5 close\n0 where\n7 wait state 15\n1 where",
                               "s.txt", events, error))
      << error.text();
  EXPECT_EQ(events, (std::vector<ScriptEvent>{at(2, Kind::where), at(9, Kind::close), at(9, Kind::waitState, 0, 0, 14),
                                              at(0, Kind::where), at(5, Kind::close), at(7, Kind::waitState, 0, 0, 15),
                                              at(1, Kind::where)}));
}

TEST(InputScript, AWaitBeforeALaterLineOfItsPartIsRefused) {
  std::vector<ScriptEvent> events;
  ScriptError error;
  EXPECT_FALSE(parseInputScript("1 where\n9 close\n4 wait state 14\n", "s.txt", events, error));
  EXPECT_EQ(error.line, 3);
  EXPECT_TRUE(events.empty());
}

TEST(InputScript, TheFirstWrongLineIsNamedByFileAndLine) {
  std::vector<ScriptEvent> events;
  ScriptError error;
  EXPECT_FALSE(parseInputScript("1 close\r\n# fine\r\n3 pen down\r\n4 nonsense\r\n", "run.txt", events, error));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(error.file, "run.txt");
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(error.text().rfind("run.txt:3: ", 0), 0u) << error.text();
}

TEST(InputScript, BytesThatAreNoTextAreNamedWithTheirLine) {
  struct Case {
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {std::string("1 close\n\0\x89PNG", 12), "x.txt:2: not a text file"},
      {std::string("1 close\n2 close\n3 close\n4 close\n5 cl\0se\n", 40), "x.txt:5: not a text file"},
      {"1 close\n2 close\n3 tap 1 2 \xC3\xA9\n", "x.txt:3: not ASCII"},
      {"\xEF\xBB\xBF" "1 close\n", "x.txt:1: not ASCII"},
      {"1 close\n2 close\x7F\n", "x.txt:2: control character in the line"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptEvent> events;
    ScriptError error;
    EXPECT_FALSE(parseInputScript(c.text, "x.txt", events, error)) << c.error;
    EXPECT_EQ(error.text(), c.error);
  }
}

TEST(InputScript, BinaryMissingAndSpecialFilesAreRefused) {
  std::vector<ScriptEvent> events;
  ScriptError error;

  const std::filesystem::path missing = std::filesystem::temp_directory_path() / "no-such-script-dir" / "s.txt";
  EXPECT_FALSE(readInputScript(missing.string(), events, error));
  EXPECT_EQ(error.text(), missing.string() + ":0: cannot be read");

  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  EXPECT_FALSE(readInputScript(folder.string(), events, error)) << "a folder is no script";

  // Nobody writes to this FIFO: opening it must neither block nor be taken.
  const std::filesystem::path fifo = folder / ("input-script-fifo-" + std::to_string(::getpid()));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(readInputScript(fifo.string(), events, error));
  EXPECT_EQ(error.text(), fifo.string() + ":0: cannot be read");
  std::filesystem::remove(fifo);
}

TEST(InputScript, AFileIsReadWhole) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("input-script-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(path) << "1 tap 5 6\n2 close";
  std::vector<ScriptEvent> events;
  ScriptError error;
  EXPECT_TRUE(readInputScript(path.string(), events, error)) << error.text();
  EXPECT_EQ(events.size(), 3u);
  std::filesystem::remove(path);
}

}  // namespace
