// platformRequest: http and https addresses reach the browser (recorded in
// this headless test program), anything else is refused; the answer is
// always false.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/browser.h"
#include "wince/log.h"

namespace {

class PlatformRequest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    wince::setBrowserMode(wince::BrowserMode::record);
    wince::clearBrowserRequests();
  }
  void TearDown() override {
    wince::setBrowserMode(wince::BrowserMode::automatic);
    wince::clearBrowserRequests();
    RuntimeFixture::TearDown();
  }
};

TEST_F(PlatformRequest, HandsOnlyWebAddressesToTheBrowserAndAlwaysAnswersFalse) {
  struct Case {
    const char* url;  // null: no String at all
    bool opened;
  };
  const Case cases[] = {
      {"http://example.org/game", true},
      {"https://example.org/promo?a=1", true},
      {"HTTP://EXAMPLE.ORG/", true},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"", false},
      {nullptr, false},
  };
  auto* midlet = newObject<javax_microedition_midlet_MIDlet>();
  wince::LogCapture log;
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    String* url = c.url != nullptr ? newString(c.url) : nullptr;
    EXPECT_FALSE(javax_microedition_midlet_MIDlet::platformRequest(midlet, url)) << (c.url ? c.url : "null");
    if (c.opened) expected.push_back(c.url);
  }
  EXPECT_EQ(wince::browserRequests(), expected);
  EXPECT_TRUE(log.contains("platformRequest: no URL")) << log.text();
  EXPECT_EQ(application().getPending(), nullptr);
}

TEST_F(PlatformRequest, CharactersBeyondLatin1AreRefusedNotTruncated) {
  // U+0168 would become 'h' (0x68) if only the low byte were kept.
  String* url = newObject<String>(u"\u0168ttp://example.org");
  EXPECT_FALSE(javax_microedition_midlet_MIDlet::platformRequest(nullptr, url));
  EXPECT_TRUE(wince::browserRequests().empty());
}

}  // namespace
