// Addresses for the browser: which are taken, recorded while headless, and
// how the browser program gets the address (one argument, no shell).
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "wince/browser.h"
#include "wince/log.h"

namespace {

namespace fs = std::filesystem;

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override { wince::clearBrowserRequests(); }
  void TearDown() override {
    wince::setBrowserMode(wince::BrowserMode::automatic);
    wince::setBrowserProgram("xdg-open");
    wince::clearBrowserRequests();
  }
};

TEST_F(BrowserTest, OnlyHttpAndHttpsAddressesAreTaken) {
  wince::setBrowserMode(wince::BrowserMode::record);
  using wince::BrowserResult;
  struct Case {
    std::u16string url;
    BrowserResult result;
  };
  const Case cases[] = {
      {u"http://example.org/", BrowserResult::recorded},
      {u"https://example.org/promo?id=7&x=%20", BrowserResult::recorded},
      {u"HTTP://EXAMPLE.ORG", BrowserResult::recorded},
      {u"HtTpS://example.org", BrowserResult::recorded},
      {u"file:///etc/passwd", BrowserResult::refused},
      {u"javascript:alert(1)", BrowserResult::refused},
      {u"", BrowserResult::refused},
      {u"http://", BrowserResult::refused},
      {u"http:/example.org", BrowserResult::refused},
      {u"ftp://example.org", BrowserResult::refused},
      {u"-http://example.org", BrowserResult::refused},
      {u" http://example.org", BrowserResult::refused},
      {u"http://example.org/a b", BrowserResult::refused},
      {u"http://example.org/\nx", BrowserResult::refused},
      {u"http://example.org/\u00e9", BrowserResult::refused},
      {std::u16string(u"http://example.org/\0x", 20), BrowserResult::refused},
      {u"http://e.org/" + std::u16string(wince::maxBrowserUrlLength - 13, u'a'), BrowserResult::recorded},
      {u"http://e.org/" + std::u16string(wince::maxBrowserUrlLength - 12, u'a'), BrowserResult::refused},
  };
  wince::LogCapture log;
  size_t recorded = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(wince::openInBrowser(c.url), c.result) << std::string(c.url.begin(), c.url.begin() + std::min<size_t>(c.url.size(), 40));
    if (c.result == BrowserResult::recorded) ++recorded;
  }
  const std::vector<std::string> requests = wince::browserRequests();
  ASSERT_EQ(requests.size(), recorded);
  EXPECT_EQ(requests[0], "http://example.org/");
  EXPECT_EQ(requests[1], "https://example.org/promo?id=7&x=%20");
  EXPECT_EQ(requests[2], "HTTP://EXAMPLE.ORG") << "kept as given";
  EXPECT_TRUE(log.contains("only http and https addresses are opened")) << log.text();
  EXPECT_TRUE(log.contains("empty address refused"));
}

TEST_F(BrowserTest, WithoutAWindowAutomaticRecords) {
  // This test program never opens a window on a real screen.
  EXPECT_EQ(wince::openInBrowser(u"http://example.org/headless"), wince::BrowserResult::recorded);
  EXPECT_EQ(wince::browserRequests(), std::vector<std::string>{"http://example.org/headless"});
  wince::clearBrowserRequests();
  EXPECT_TRUE(wince::browserRequests().empty());
}

// A stand-in browser: writes how many arguments it got and the first one.
class LaunchTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "browser-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    output = folder / "arguments";
    const fs::path script = folder / "browser";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n%s' \"$#\" \"$1\" > \"" << (folder / "partial").string()
                          << "\"\nmv \"" << (folder / "partial").string() << "\" \"" << output.string() << "\"\n";
    fs::permissions(script, fs::perms::owner_all);
    wince::setBrowserMode(wince::BrowserMode::launch);
    wince::setBrowserProgram(script.string());
  }
  void TearDown() override {
    BrowserTest::TearDown();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // What the stand-in wrote, once it has (a guard against a hang, not a
  // time limit).
  std::string arguments() {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(output) && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::stringstream text;
    text << std::ifstream(output).rdbuf();
    return text.str();
  }

  fs::path folder, output;
};

TEST_F(LaunchTest, TheAddressIsOneArgumentThatNoShellReads) {
  const std::u16string url = u"https://example.org/a;b$(touch${IFS}pwned)`id`|c&d='e'\"f\"*";
  EXPECT_EQ(wince::openInBrowser(url), wince::BrowserResult::launched);
  EXPECT_EQ(arguments(), "1\n" + std::string(url.begin(), url.end()));
  EXPECT_FALSE(fs::exists(folder / "pwned"));
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_TRUE(wince::browserRequests().empty()) << "launched, not recorded";
}

TEST_F(LaunchTest, RefusedAddressesStartNothingAndAMissingProgramIsReported) {
  EXPECT_EQ(wince::openInBrowser(u"file:///etc/passwd"), wince::BrowserResult::refused);
  wince::setBrowserProgram((folder / "no-such-browser").string());
  wince::LogCapture log;
  EXPECT_EQ(wince::openInBrowser(u"http://example.org"), wince::BrowserResult::failed);
  EXPECT_TRUE(log.contains("cannot be started")) << log.text();
  EXPECT_FALSE(fs::exists(output));
}

}  // namespace
