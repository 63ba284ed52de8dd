#pragma once
// HTTP/1.0 GET through the Connection Manager and WinInet. One client serves
// one connection name: Connect opens the handles for its host and port, each
// SendByGet makes one request and keeps its whole response (status, headers,
// body) in memory until the next. Failures answer false or -1 and keep the
// platform's error in lastError(); the client is then closed. Used by one
// thread at a time.
#include <string>
#include <vector>

#include "runtime/net/HttpClient.h"
#include "runtime/net/HttpHeaderMap.h"
#include "wince/wininet.h"

class WinInetHttpClient : public HttpClient {
 public:
  // The most body bytes a response may bring; more fails the request.
  static constexpr uint32_t maximumContentBytes = 16u << 20;

  WinInetHttpClient() = default;
  ~WinInetHttpClient() override;
  WinInetHttpClient(const WinInetHttpClient&) = delete;
  WinInetHttpClient& operator=(const WinInetHttpClient&) = delete;

  // http or https; the URL's own port, else the scheme's.
  bool Connect(const char16_t* url) override;
  void Close() override;
  void Reset() override;
  // path and query (with its '?') as the connection name gives them; either
  // may be null. Headers added so far go with the request; "Accept" only
  // with this one.
  int32_t SendByGet(const char16_t* path, const char16_t* query) override;
  int32_t ResetResponse() override;
  // Replaces an earlier value of the same name. Ignored when either text
  // is null or empty, or holds a line break (it would forge headers).
  void AddRequestHeader(const char16_t* name, const char16_t* value) override;
  // Copies at most length - 1 characters and a terminator; false when the
  // name is absent, destination is null or length is 0.
  bool GetRequestHeader(const char16_t* name, char16_t* destination, uint32_t length) override;
  int32_t GetStatusCode() override { return m_statusCode; }
  // Whole texts only: false without a response or when length cannot hold
  // the text and its terminator.
  bool GetStatusText(char16_t* destination, uint32_t length) override;
  bool GetRawHeaders(char16_t* destination, uint32_t length) override;
  bool GetResponseHeader(const char16_t* name, char16_t* destination, uint32_t length) override;
  uint32_t GetContentLength() override { return m_responseContentBufferSize; }
  // The whole body; false without a response or when length is too small.
  // An empty body copies nothing and succeeds.
  bool CopyContent(uint8_t* destination, uint32_t length) override;

  DWORD lastError() const { return m_lastError; }

 private:
  bool OpenConnMgr();
  bool ReadResponseHeader();
  bool ReadResponseContent();
  void releaseHandles();
  // Closes the client after a failure, keeping the failure's error.
  void closeAfterFailure(DWORD error);

  HANDLE m_connection = nullptr;
  HINTERNET m_internet = nullptr;
  HINTERNET m_connect = nullptr;
  HINTERNET m_request = nullptr;
  std::u16string m_host;
  INTERNET_PORT m_port = 0;
  bool m_secure = false;
  HttpHeaderMap m_requestHeaders;
  HttpHeaderMap m_responseHeaders;
  std::u16string m_rawHeaders;
  uint32_t m_responseContentBufferSize = 0;
  // The body and one zero byte after it, so that a text body always ends.
  std::vector<uint8_t> m_content;
  std::u16string m_statusText;
  int32_t m_statusCode = -1;
  DWORD m_lastError = 0;
};
