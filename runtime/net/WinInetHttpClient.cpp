#include "runtime/net/WinInetHttpClient.h"

#include <algorithm>
#include <string_view>

#include "runtime/lang/DebugLog.h"
#include "runtime/net/BlockingCallScope.h"
#include "runtime/net/HttpResponseHead.h"
#include "wince/connmgr.h"

namespace {

// NO_CACHE_WRITE, KEEP_CONNECTION, IGNORE_CERT_DATE_INVALID,
// IGNORE_CERT_CN_INVALID and PRAGMA_NOCACHE.
constexpr DWORD requestFlags = 0x04403100;
constexpr DWORD connectionWaitMilliseconds = 10000;
constexpr LONG connectionCacheSeconds = 30;
constexpr char16_t probeUrl[] = u"http://www.example.com/";
// A header block needs a few queries at most; a block that keeps growing
// is not one the platform can give.
constexpr int headerQueryAttempts = 4;
constexpr uint32_t largestHeaderQueryBytes = 1u << 20;
constexpr uint32_t readChunkBytes = 64 * 1024;

bool holdsLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// Copies text and a terminator when they fit; with truncate, as much as fits.
bool copyText(std::u16string_view text, char16_t* destination, uint32_t length, bool truncate) {
  if (!destination || length == 0) return false;
  if (!truncate && text.size() >= length) return false;
  const size_t count = std::min<size_t>(text.size(), length - 1);
  std::copy_n(text.data(), count, destination);
  destination[count] = u'\0';
  return true;
}

bool establishConnection(const GUID& network, HANDLE* connection, DWORD* status) {
  CONNMGR_CONNECTIONINFO info{};
  info.cbSize = sizeof info;
  info.dwParams = CONNMGR_PARAM_GUIDDESTNET;
  info.dwPriority = CONNMGR_PRIORITY_USERINTERACTIVE;
  info.bExclusive = FALSE;
  info.bDisabled = FALSE;
  info.guidDestNet = network;
  *status = CONNMGR_STATUS_UNKNOWN;
  BlockingCallScope blocking;
  const HRESULT result = ConnMgrEstablishConnectionSync(&info, connection, connectionWaitMilliseconds, status);
  return result == S_OK && *status == CONNMGR_STATUS_CONNECTED;
}

}  // namespace

WinInetHttpClient::~WinInetHttpClient() { Close(); }

bool WinInetHttpClient::OpenConnMgr() {
  if (m_connection) return true;
  DWORD status = CONNMGR_STATUS_UNKNOWN;
  if (establishConnection(IID_DestNetInternet, &m_connection, &status)) return true;
  debugLog("WinInetHttpClient::OpenConnMgr: First attempt fail: %lu dwStatus: %lu", (unsigned long)GetLastError(),
           (unsigned long)status);
  GUID network = IID_DestNetInternet;
  if (ConnMgrMapURL(probeUrl, &network, nullptr) == S_OK && establishConnection(network, &m_connection, &status))
    return true;
  m_lastError = GetLastError();
  debugLog("WinInetHttpClient::OpenConnMgr: Last attempt fail: %lu dwStatus: %lu", (unsigned long)m_lastError,
           (unsigned long)status);
  m_connection = nullptr;
  return false;
}

bool WinInetHttpClient::Connect(const char16_t* url) {
  Reset();
  releaseHandles();
  if (!url) {
    debugLog("WinInetHttpClient::Connect: no URL");
    m_lastError = ERROR_INVALID_PARAMETER;
    return false;
  }
  const std::u16string_view urlText(url);
  std::u16string host(urlText.size() + 1, u'\0');
  URL_COMPONENTS components{};
  components.dwStructSize = sizeof components;
  components.lpszHostName = host.data();
  components.dwHostNameLength = DWORD(host.size());
  if (!InternetCrackUrl(url, 0, 0, &components)) {
    m_lastError = GetLastError();
    debugLog("WinInetHttpClient::Connect: bad URL, error %lu", (unsigned long)m_lastError);
    return false;
  }
  host.resize(components.dwHostNameLength);
  m_host = std::move(host);
  m_port = components.nPort;
  m_secure = components.nScheme == INTERNET_SCHEME_HTTPS;

  if (!OpenConnMgr()) return false;
  m_internet = InternetOpen(u"CeHttp", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!m_internet) {
    debugLog("WinInetHttpClient::Connect: InternetOpen fail: %lu", (unsigned long)GetLastError());
    closeAfterFailure(GetLastError());
    return false;
  }
  m_connect = InternetConnect(m_internet, m_host.c_str(), m_port, u"", u"", INTERNET_SERVICE_HTTP, 0, 0);
  if (!m_connect) {
    debugLog("WinInetHttpClient::Connect: InternetConnect fail: %lu", (unsigned long)GetLastError());
    closeAfterFailure(GetLastError());
    return false;
  }
  return true;
}

void WinInetHttpClient::releaseHandles() {
  m_host.clear();
  if (m_request) InternetCloseHandle(m_request);
  if (m_connect) InternetCloseHandle(m_connect);
  if (m_internet) InternetCloseHandle(m_internet);
  m_request = m_connect = m_internet = nullptr;
  if (m_connection) ConnMgrReleaseConnection(m_connection, connectionCacheSeconds);
  m_connection = nullptr;
}

void WinInetHttpClient::Close() {
  Reset();
  releaseHandles();
  ClearProgressListener();
}

void WinInetHttpClient::closeAfterFailure(DWORD error) {
  Close();
  m_lastError = error;
}

void WinInetHttpClient::Reset() {
  m_lastError = 0;
  m_requestHeaders.clear();
  ResetResponse();
}

int32_t WinInetHttpClient::ResetResponse() {
  m_responseHeaders.clear();
  m_rawHeaders.clear();
  m_rawHeaders.shrink_to_fit();
  m_statusText.clear();
  m_content.clear();
  m_content.shrink_to_fit();
  m_statusCode = -1;
  m_responseContentBufferSize = 0;
  return -1;
}

int32_t WinInetHttpClient::SendByGet(const char16_t* path, const char16_t* query) {
  ResetResponse();
  std::u16string accept;
  if (const auto entry = m_requestHeaders.find(std::u16string_view(u"Accept")); entry != m_requestHeaders.end()) {
    accept = entry->second;
    m_requestHeaders.erase(entry);
  }
  LPCWSTR acceptTypes[] = {accept.c_str(), nullptr};

  std::u16string objectName = path ? path : u"";
  if (query) objectName += query;
  // A fragment names a place in the document; it is not the server's to see.
  objectName.resize(std::min(objectName.size(), objectName.find(u'#')));

  const DWORD flags = requestFlags | (m_secure ? INTERNET_FLAG_SECURE : 0);
  m_request = HttpOpenRequest(m_connect, u"GET", objectName.c_str(), u"HTTP/1.0", nullptr,
                              accept.empty() ? nullptr : acceptTypes, flags, 0);
  if (!m_request) {
    debugLog("WinInetHttpClient::SendByGet: HttpOpenRequest fail: %lu", (unsigned long)GetLastError());
    closeAfterFailure(GetLastError());
    return -1;
  }

  std::u16string headerText;
  for (const auto& [name, value] : m_requestHeaders) headerText += name + u": " + value + u"\r\n";
  bool sent;
  {
    BlockingCallScope blocking;
    sent = HttpSendRequest(m_request, headerText.empty() ? nullptr : headerText.c_str(), DWORD(headerText.size()),
                           nullptr, 0);
  }
  if (!sent) {
    debugLog("WinInetHttpClient::SendByGet: HttpSendRequest fail: %lu", (unsigned long)GetLastError());
    closeAfterFailure(GetLastError());
    return -1;
  }
  if (!ReadResponseHeader()) {
    closeAfterFailure(m_lastError);
    return -1;
  }
  HttpResponseHead head;
  if (!parseResponseHead(m_rawHeaders, &head)) {
    debugLog("WinInetHttpClient::SendByGet: response without a status code");
    closeAfterFailure(ERROR_HTTP_INVALID_SERVER_RESPONSE);
    return -1;
  }
  m_statusCode = head.statusCode;
  m_statusText = std::move(head.statusText);
  m_responseHeaders = std::move(head.headers);
  if (!ReadResponseContent()) {
    closeAfterFailure(m_lastError);
    return -1;
  }
  InternetCloseHandle(m_request);
  m_request = nullptr;
  return m_statusCode;
}

bool WinInetHttpClient::ReadResponseHeader() {
  DWORD bytes = 0;
  HttpQueryInfo(m_request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &bytes, nullptr);
  std::u16string block;
  for (int attempt = 0; attempt < headerQueryAttempts && bytes <= largestHeaderQueryBytes; ++attempt) {
    block.assign(bytes / sizeof(char16_t) + 1, u'\0');
    DWORD length = DWORD(block.size() * sizeof(char16_t));
    if (HttpQueryInfo(m_request, HTTP_QUERY_RAW_HEADERS_CRLF, block.data(), &length, nullptr)) {
      block.resize(length / sizeof(char16_t));
      m_rawHeaders = std::move(block);
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    bytes = std::max<DWORD>(length, bytes + bytes / 4 + 2);
  }
  m_lastError = GetLastError();
  debugLog("WinInetHttpClient::ReadResponseHeader: HttpQueryInfo failed, error = %lu (0x%lx)",
           (unsigned long)m_lastError, (unsigned long)m_lastError);
  return false;
}

bool WinInetHttpClient::ReadResponseContent() {
  // The announced length only sizes the buffer: the body is read to its
  // end either way, and never past the limit, whatever the server claims.
  uint32_t announced = 0;
  if (const auto header = m_responseHeaders.find(std::u16string_view(u"Content-Length"));
      header != m_responseHeaders.end()) {
    if (const auto length = parseContentLength(header->second)) {
      announced = *length;
    } else {
      debugLog("WinInetHttpClient::ReadResponseContent: bad Content-Length");
    }
  }
  if (announced > maximumContentBytes) {
    debugLog("WinInetHttpClient::ReadResponseContent: body of %lu bytes is over the limit of %lu",
             (unsigned long)announced, (unsigned long)maximumContentBytes);
    m_lastError = ERROR_NOT_ENOUGH_MEMORY;
    return false;
  }
  std::vector<uint8_t> body;
  body.reserve(announced + 1);
  for (;;) {
    DWORD available = 0;
    bool queried;
    {
      BlockingCallScope blocking;
      queried = InternetQueryDataAvailable(m_request, &available, 0, 0);
    }
    if (!queried) {
      m_lastError = GetLastError();
      debugLog("WinInetHttpClient::ReadResponseContent: InternetQueryDataAvailable failed, error = %lu",
               (unsigned long)m_lastError);
      return false;
    }
    if (available == 0) break;
    const size_t held = body.size();
    const DWORD wanted = std::min<DWORD>(available, readChunkBytes);
    if (wanted > maximumContentBytes - held) {
      debugLog("WinInetHttpClient::ReadResponseContent: body is over the limit of %lu bytes",
               (unsigned long)maximumContentBytes);
      m_lastError = ERROR_NOT_ENOUGH_MEMORY;
      return false;
    }
    body.resize(held + wanted);
    DWORD read = 0;
    bool readOk;
    {
      BlockingCallScope blocking;
      readOk = InternetReadFile(m_request, body.data() + held, wanted, &read);
    }
    if (!readOk) {
      m_lastError = GetLastError();
      debugLog("WinInetHttpClient::ReadResponseContent: InternetReadFile failed, error = %lu (0x%lx)",
               (unsigned long)m_lastError, (unsigned long)m_lastError);
      return false;
    }
    body.resize(held + read);
    if (read == 0) break;
    if (m_listener) m_listener->progress(uint32_t(body.size()), std::max(announced, uint32_t(body.size())));
  }
  m_responseContentBufferSize = uint32_t(body.size());
  body.push_back(0);
  m_content = std::move(body);
  return true;
}

void WinInetHttpClient::AddRequestHeader(const char16_t* name, const char16_t* value) {
  if (!name || !value || !*name || !*value) return;
  if (holdsLineBreak(name) || holdsLineBreak(value) || std::u16string_view(name).find(u':') != std::u16string_view::npos) {
    debugLog("WinInetHttpClient::AddRequestHeader: refused a header with a line break or a colon in its name");
    return;
  }
  m_requestHeaders.insert_or_assign(std::u16string(name), std::u16string(value));
}

bool WinInetHttpClient::GetRequestHeader(const char16_t* name, char16_t* destination, uint32_t length) {
  if (!name) return false;
  const auto entry = m_requestHeaders.find(std::u16string_view(name));
  return entry != m_requestHeaders.end() && copyText(entry->second, destination, length, true);
}

bool WinInetHttpClient::GetResponseHeader(const char16_t* name, char16_t* destination, uint32_t length) {
  if (!name) return false;
  const auto entry = m_responseHeaders.find(std::u16string_view(name));
  return entry != m_responseHeaders.end() && copyText(entry->second, destination, length, true);
}

bool WinInetHttpClient::GetStatusText(char16_t* destination, uint32_t length) {
  return m_statusCode != -1 && copyText(m_statusText, destination, length, false);
}

bool WinInetHttpClient::GetRawHeaders(char16_t* destination, uint32_t length) {
  return m_statusCode != -1 && copyText(m_rawHeaders, destination, length, false);
}

bool WinInetHttpClient::CopyContent(uint8_t* destination, uint32_t length) {
  if (m_statusCode == -1) return false;
  if (m_responseContentBufferSize == 0) return true;
  if (!destination || length < m_responseContentBufferSize) return false;
  std::copy_n(m_content.data(), m_responseContentBufferSize, destination);
  return true;
}
