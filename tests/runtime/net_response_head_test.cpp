#include <gtest/gtest.h>

#include "runtime/net/HttpResponseHead.h"

namespace {

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(HttpResponseHead, StatusLinesKeepEveryCharacterOfTheReason) {
  const struct {
    const char16_t* block;
    int status;
    const char* reason;
  } cases[] = {
      {u"HTTP/1.0 200 OK\r\n\r\n", 200, "OK"},
      {u"HTTP/1.0 200 OK\n\n", 200, "OK"},
      {u"HTTP/1.0 404 Not  Found\r\n", 404, "Not  Found"},
      {u"HTTP/1.0 204\r\n\r\n", 204, ""},
      {u"HTTP/1.1 500", 500, ""},
      {u"HTTP/1.0 302 \r\n", 302, ""},
  };
  for (const auto& entry : cases) {
    HttpResponseHead head;
    ASSERT_TRUE(parseResponseHead(entry.block, &head)) << narrow(entry.block);
    EXPECT_EQ(head.statusCode, entry.status) << narrow(entry.block);
    EXPECT_EQ(narrow(head.statusText), entry.reason) << narrow(entry.block);
  }
}

TEST(HttpResponseHead, StatusLinesWithoutACodeFail) {
  for (const char16_t* bad : {u"", u"HTTP/1.0", u"HTTP/1.0 OK 200\r\n", u"HTTP/1.0 2000 Big\r\n", u"HTTP/1.0  200 x",
                              u"\x01\x02 garbage"}) {
    HttpResponseHead head;
    head.statusCode = 7;
    EXPECT_FALSE(parseResponseHead(bad, &head)) << narrow(bad);
    EXPECT_EQ(head.statusCode, -1);
  }
}

TEST(HttpResponseHead, HeadersMatchWithoutCaseAndSkipLinesWithoutAName) {
  HttpResponseHead head;
  ASSERT_TRUE(parseResponseHead(u"HTTP/1.0 200 OK\r\n"
                                u"content-LENGTH:  12 \r\n"
                                u"X-Time: 10:20:30\r\n"
                                u"no colon here\r\n"
                                u": nameless\r\n"
                                u"Set-Cookie: first\r\n"
                                u"set-cookie: second\r\n"
                                u"\r\n",
                                &head));
  EXPECT_EQ(head.headers.size(), 3u);
  EXPECT_EQ(narrow(head.headers.at(u"Content-Length")), "12");
  EXPECT_EQ(narrow(head.headers.at(u"x-time")), "10:20:30");
  EXPECT_EQ(narrow(head.headers.at(u"SET-COOKIE")), "first");
}

TEST(HttpResponseHead, ContentLengthsAreDecimalAndFitIn32Bits) {
  EXPECT_EQ(parseContentLength(u"0"), 0u);
  EXPECT_EQ(parseContentLength(u" 4294967295 "), 4294967295u);
  for (const char16_t* bad : {u"", u" ", u"-1", u"4294967296", u"99999999999999999999999", u"12a", u"0x10", u"1 2"})
    EXPECT_FALSE(parseContentLength(bad).has_value()) << narrow(bad);
}

}  // namespace
