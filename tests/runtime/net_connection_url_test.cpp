#include <gtest/gtest.h>

#include "runtime/net/ConnectionUrl.h"
#include "wince/log.h"

namespace {

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(ParseConnectionUrl, SplitsNamesIntoTheirParts) {
  struct Case {
    const char16_t* url;
    const char* scheme;
    const char* host;
    int port;
    const char* path;
    const char* query;  // null: none
  };
  const Case cases[] = {
      {u"http://H:8080/a/b?x=1", "http", "H", 8080, "/a/b", "?x=1"},
      {u"http://H", "http", "H", 0, "", nullptr},
      {u"http://H/a:b", "http", "H", 0, "/a:b", nullptr},
      {u"socket://127.0.0.1:5000", "socket", "127.0.0.1", 5000, "", nullptr},
      {u"http://H?x=1", "http", "H", 0, "", "?x=1"},
      {u"http://H:81?x", "http", "H", 81, "", "?x"},
      {u"http://H/p?x=1#part", "http", "H", 0, "/p", "?x=1"},
      {u"http://H/p#part?notquery", "http", "H", 0, "/p", nullptr},
      {u"http://H:/p", "http", "H", 0, "/p", nullptr},
      {u"http://H/a?b?c", "http", "H", 0, "/a", "?b?c"},
  };
  for (const Case& entry : cases) {
    ConnectionUrlParts parts;
    ASSERT_TRUE(parseConnectionUrl(entry.url, &parts)) << narrow(entry.url);
    EXPECT_EQ(narrow(parts.scheme), entry.scheme) << narrow(entry.url);
    EXPECT_EQ(narrow(parts.host), entry.host) << narrow(entry.url);
    EXPECT_EQ(parts.port, entry.port) << narrow(entry.url);
    EXPECT_EQ(narrow(parts.path), entry.path) << narrow(entry.url);
    EXPECT_EQ(parts.query.has_value(), entry.query != nullptr) << narrow(entry.url);
    if (parts.query && entry.query) {
      EXPECT_EQ(narrow(*parts.query), entry.query) << narrow(entry.url);
    }
  }
}

TEST(ParseConnectionUrl, NamesWithoutSchemeOrWithABadPortAreRefusedWithALogLine) {
  for (const char16_t* bad : {u"no scheme here", u"http://H:80x/", u"http://H:65536/", u"http://H:99999999999/"}) {
    wince::LogCapture log;
    ConnectionUrlParts parts;
    EXPECT_FALSE(parseConnectionUrl(bad, &parts)) << narrow(bad);
    EXPECT_TRUE(log.contains("ParseConnectionURL")) << narrow(bad);
  }
}

}  // namespace
