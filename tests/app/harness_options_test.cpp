// The executable's options: what each sets, and what is refused before the
// program starts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Harness.h"

namespace {

OptionsOutcome parse(std::vector<const char*> words, HarnessOptions& options, std::string& message) {
  words.insert(words.begin(), "quendrill");
  return parseHarnessOptions(int(words.size()), words.data(), options, message);
}

TEST(HarnessOptions, EveryOptionSetsItsField) {
  HarnessOptions options;
  std::string message;
  ASSERT_EQ(parse({"--installed", "/i", "--data", "/d", "--headless", "--frames", "150", "--screenshot",
                   "150:/tmp/b.png", "--screenshot", "3:/tmp/a:b.png", "--clock", "1000", "--display", "ddraw", "--where", "9", "--where", "4"},
                  options, message),
            OptionsOutcome::run)
      << message;
  EXPECT_EQ(options.folders.installedFolder, "/i");
  EXPECT_EQ(options.folders.dataFolder, "/d");
  EXPECT_TRUE(options.headless);
  EXPECT_EQ(options.frames, 150u);
  ASSERT_EQ(options.screenshots.size(), 2u);
  EXPECT_EQ(options.screenshots[0].frame, 3u);
  EXPECT_EQ(options.screenshots[0].path, "/tmp/a:b.png");
  EXPECT_EQ(options.screenshots[1].frame, 150u);
  EXPECT_EQ(options.clockStart, 1000u);
  EXPECT_EQ(options.displayType, u"DDRAW");
  EXPECT_EQ(options.whereFrames, (std::vector<uint32_t>{4, 9}));
}

TEST(HarnessOptions, NothingGivenMeansAPlainRun) {
  HarnessOptions options;
  std::string message;
  ASSERT_EQ(parse({}, options, message), OptionsOutcome::run);
  EXPECT_FALSE(options.headless);
  EXPECT_FALSE(options.frames.has_value());
  EXPECT_FALSE(options.clockStart.has_value());
  EXPECT_TRUE(options.events.empty());
  EXPECT_EQ(options.displayType, u"GDI");
}

TEST(HarnessOptions, HelpWins) {
  HarnessOptions options;
  std::string message;
  EXPECT_EQ(parse({"--frames", "3", "--help", "--bogus"}, options, message), OptionsOutcome::help);
  EXPECT_NE(std::string(harnessUsage).find("--screenshot"), std::string::npos);
}

TEST(HarnessOptions, WrongOptionsAreRefusedWithAReason) {
  const std::vector<std::vector<const char*>> cases = {
      {"--bogus"},
      {"--frames"},
      {"--frames", "-1"},
      {"--frames", "ten"},
      {"--frames", "10000001"},
      {"--screenshot", "5"},
      {"--screenshot", "5:"},
      {"--screenshot", ":a.png"},
      {"--screenshot", "x:a.png"},
      {"--frames", "4", "--screenshot", "5:a.png"},
      {"--clock", "-5"},
      {"--clock", "281474976710657"},
      {"--display", "VGA"},
      {"--input", "/no/such/script.txt"},
      {"--where", "x"},
      {"--where", "5"},  // without --clock
  };
  for (const auto& words : cases) {
    HarnessOptions options;
    std::string message;
    EXPECT_EQ(parse(words, options, message), OptionsOutcome::bad) << words[0];
    EXPECT_FALSE(message.empty()) << words[0];
  }
}

TEST(HarnessOptions, AScriptThatWaitsOrLooksNeedsTheFixedClockAndAFrameCount) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("harness-waits-" + std::to_string(::getpid()) + ".txt");
  struct Case {
    const char* script;
    std::vector<const char*> words;
    OptionsOutcome outcome;
  };
  const Case cases[] = {
      {"1 wait state 14\n", {"--clock", "0", "--frames", "9"}, OptionsOutcome::run},
      {"1 wait state 14\n", {"--frames", "9"}, OptionsOutcome::bad},
      {"1 wait state 14\n", {"--clock", "0"}, OptionsOutcome::bad},
      {"1 where\n", {"--frames", "9"}, OptionsOutcome::bad},
      {"1 where\n", {"--clock", "0"}, OptionsOutcome::run},
  };
  for (const Case& c : cases) {
    std::ofstream(path) << c.script;
    std::vector<const char*> words = {"--input", path.c_str()};
    words.insert(words.end(), c.words.begin(), c.words.end());
    HarnessOptions options;
    std::string message;
    EXPECT_EQ(parse(words, options, message), c.outcome) << c.script << " " << c.words[0] << ": " << message;
  }
  std::filesystem::remove(path);
}

TEST(HarnessOptions, AScriptIsReadAndItsErrorsNameTheLine) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("harness-options-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(path) << "1 tap 2 3\n2 key down F9\n";
  HarnessOptions options;
  std::string message;
  EXPECT_EQ(parse({"--input", path.c_str()}, options, message), OptionsOutcome::run) << message;
  EXPECT_EQ(options.events.size(), 3u);

  std::ofstream(path) << "1 tap 2 3\n2 key down F99\n";
  HarnessOptions refused;
  EXPECT_EQ(parse({"--input", path.c_str()}, refused, message), OptionsOutcome::bad);
  EXPECT_EQ(message.rfind(path.string() + ":2: ", 0), 0u) << message;
  std::filesystem::remove(path);
}

}  // namespace
