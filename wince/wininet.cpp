#include "wince/wininet.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "wince/wininet_headers.h"
#include "wince/wininet_transfer.h"
#include "wince/wininet_url.h"

namespace {

using namespace wince::internet;

constexpr DWORD defaultConnectTimeout = 20000;
constexpr DWORD defaultReceiveTimeout = 30000;
constexpr DWORD defaultBodyLimit = 16u << 20;

std::atomic<DWORD> connectTimeout{defaultConnectTimeout};
std::atomic<DWORD> receiveTimeout{defaultReceiveTimeout};
std::atomic<DWORD> bodyLimit{defaultBodyLimit};

enum class HandleKind { session, connection, request };

// Each handle copies what it needs from its parent, so that closing the
// parents first leaves it usable.
struct InternetHandle {
  HandleKind kind = HandleKind::session;
  std::string agent;
  std::string host;
  INTERNET_PORT port = 0;
  // Request handles only.
  bool secure = false;
  bool http10 = true;
  bool followRedirects = true;
  std::string objectName;
  std::vector<std::string> headerLines;
  bool answered = false;
  std::u16string rawHeaders;
  std::vector<uint8_t> body;
  size_t readPosition = 0;
};

// Handles are numbered, never addresses, so a closed handle stays invalid
// even when its memory is reused.
struct Registry {
  std::mutex mutex;
  std::map<uintptr_t, std::shared_ptr<InternetHandle>> handles;
  uintptr_t nextNumber = 0x1000;
};
Registry& registry() {
  static Registry instance;
  return instance;
}

HINTERNET addHandle(std::shared_ptr<InternetHandle> handle) {
  Registry& state = registry();
  std::lock_guard lock(state.mutex);
  const uintptr_t number = state.nextNumber++;
  state.handles.emplace(number, std::move(handle));
  return reinterpret_cast<HINTERNET>(number);
}

std::shared_ptr<InternetHandle> findHandle(HINTERNET handle, HandleKind kind) {
  std::shared_ptr<InternetHandle> found;
  {
    Registry& state = registry();
    std::lock_guard lock(state.mutex);
    const auto entry = state.handles.find(reinterpret_cast<uintptr_t>(handle));
    if (entry != state.handles.end()) found = entry->second;
  }
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
  } else if (found->kind != kind) {
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    found.reset();
  }
  return found;
}

BOOL failWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

HINTERNET failHandle(DWORD error) {
  SetLastError(error);
  return nullptr;
}

std::u16string_view textOf(LPCWSTR text, DWORD length) {
  if (!text) return {};
  return length == 0xFFFFFFFFu ? std::u16string_view(text) : std::u16string_view(text, length);
}

std::string requestUrl(const InternetHandle& request) {
  const INTERNET_PORT port =
      request.port != INTERNET_INVALID_PORT_NUMBER ? request.port
      : request.secure                              ? INTERNET_DEFAULT_HTTPS_PORT
                                                    : INTERNET_DEFAULT_HTTP_PORT;
  const bool ipv6 = request.host.find(':') != std::string::npos;
  return std::string(request.secure ? "https://" : "http://") + (ipv6 ? "[" + request.host + "]" : request.host) +
         ":" + std::to_string(port) + request.objectName;
}

}  // namespace

HINTERNET InternetOpen(LPCWSTR agent, DWORD accessType, LPCWSTR /*proxy*/, LPCWSTR /*proxyBypass*/,
                       DWORD /*flags*/) {
  if (accessType != INTERNET_OPEN_TYPE_PRECONFIG && accessType != INTERNET_OPEN_TYPE_DIRECT)
    return failHandle(ERROR_INVALID_PARAMETER);
  auto session = std::make_shared<InternetHandle>();
  session->kind = HandleKind::session;
  // A control character in the agent would end the request's header line.
  for (const char c : utf8FromWide(textOf(agent, 0xFFFFFFFFu)))
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) session->agent += c;
  return addHandle(std::move(session));
}

HINTERNET InternetConnect(HINTERNET internet, LPCWSTR serverName, INTERNET_PORT port, LPCWSTR /*userName*/,
                          LPCWSTR /*password*/, DWORD service, DWORD /*flags*/, ULONG_PTR /*context*/) {
  const auto session = findHandle(internet, HandleKind::session);
  if (!session) return nullptr;
  if (service != INTERNET_SERVICE_HTTP || !serverName || !isPlainHostName(serverName))
    return failHandle(ERROR_INVALID_PARAMETER);
  auto connection = std::make_shared<InternetHandle>();
  connection->kind = HandleKind::connection;
  connection->agent = session->agent;
  connection->host = utf8FromWide(serverName);
  connection->port = port;
  return addHandle(std::move(connection));
}

HINTERNET HttpOpenRequest(HINTERNET connect, LPCWSTR verb, LPCWSTR objectName, LPCWSTR version,
                          LPCWSTR /*referrer*/, LPCWSTR* acceptTypes, DWORD flags, ULONG_PTR /*context*/) {
  const auto connection = findHandle(connect, HandleKind::connection);
  if (!connection) return nullptr;
  const std::u16string_view method = textOf(verb, 0xFFFFFFFFu);
  const std::u16string_view versionText = textOf(version, 0xFFFFFFFFu);
  if (!method.empty() && method != u"GET") return failHandle(ERROR_INVALID_PARAMETER);
  if (!versionText.empty() && versionText != u"HTTP/1.0" && versionText != u"HTTP/1.1")
    return failHandle(ERROR_INVALID_PARAMETER);
  auto request = std::make_shared<InternetHandle>(*connection);
  request->kind = HandleKind::request;
  request->secure = flags & INTERNET_FLAG_SECURE;
  request->http10 = versionText != u"HTTP/1.1" && !versionText.empty();
  request->followRedirects = !(flags & INTERNET_FLAG_NO_AUTO_REDIRECT);
  if (!encodeObjectName(textOf(objectName, 0xFFFFFFFFu), &request->objectName))
    return failHandle(ERROR_INTERNET_INVALID_URL);
  if (acceptTypes && acceptTypes[0]) {
    std::u16string accept = u"Accept: ";
    for (LPCWSTR* type = acceptTypes; *type; ++type) {
      if (type != acceptTypes) accept += u", ";
      accept += *type;
    }
    if (!splitRequestHeaderLines(accept, &request->headerLines)) return failHandle(ERROR_INVALID_PARAMETER);
  }
  if (flags & INTERNET_FLAG_PRAGMA_NOCACHE) request->headerLines.push_back("Pragma: no-cache");
  return addHandle(std::move(request));
}

BOOL HttpAddRequestHeaders(HINTERNET request, LPCWSTR headers, DWORD headersLength, DWORD /*modifiers*/) {
  const auto handle = findHandle(request, HandleKind::request);
  if (!handle) return FALSE;
  if (!headers) return failWith(ERROR_INVALID_PARAMETER);
  if (!splitRequestHeaderLines(textOf(headers, headersLength), &handle->headerLines))
    return failWith(ERROR_INVALID_PARAMETER);
  return TRUE;
}

BOOL HttpSendRequest(HINTERNET request, LPCWSTR headers, DWORD headersLength, void* optional,
                     DWORD optionalLength) {
  const auto handle = findHandle(request, HandleKind::request);
  if (!handle) return FALSE;
  if (optional || optionalLength) return failWith(ERROR_INVALID_PARAMETER);
  if (headers && !splitRequestHeaderLines(textOf(headers, headersLength), &handle->headerLines))
    return failWith(ERROR_INVALID_PARAMETER);

  TransferRequest transfer;
  transfer.url = requestUrl(*handle);
  transfer.agent = handle->agent;
  transfer.http10 = handle->http10;
  transfer.followRedirects = handle->followRedirects;
  transfer.headerLines = handle->headerLines;
  transfer.connectTimeoutMilliseconds = long(std::min<DWORD>(connectTimeout, 0x7FFFFFFF));
  transfer.receiveTimeoutMilliseconds = long(std::min<DWORD>(receiveTimeout, 0x7FFFFFFF));
  transfer.bodyLimit = bodyLimit;

  handle->answered = false;
  handle->rawHeaders.clear();
  handle->body.clear();
  handle->readPosition = 0;
  TransferResponse response = performTransfer(transfer);
  if (response.error != 0) return failWith(DWORD(response.error));
  handle->rawHeaders = std::move(response.rawHeaders);
  handle->body = std::move(response.body);
  handle->answered = true;
  return TRUE;
}

BOOL HttpQueryInfo(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD* /*index*/) {
  const auto handle = findHandle(request, HandleKind::request);
  if (!handle) return FALSE;
  if (!bufferLength) return failWith(ERROR_INVALID_PARAMETER);
  if (!handle->answered) return failWith(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  if (infoLevel != HTTP_QUERY_RAW_HEADERS_CRLF) return failWith(ERROR_HTTP_HEADER_NOT_FOUND);
  const size_t bytes = handle->rawHeaders.size() * sizeof(char16_t);
  if (!buffer || *bufferLength < bytes + sizeof(char16_t)) {
    *bufferLength = DWORD(bytes + sizeof(char16_t));
    return failWith(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, handle->rawHeaders.data(), bytes);
  std::memset(static_cast<char*>(buffer) + bytes, 0, sizeof(char16_t));
  *bufferLength = DWORD(bytes);
  return TRUE;
}

BOOL InternetQueryDataAvailable(HINTERNET file, DWORD* available, DWORD /*flags*/, ULONG_PTR /*context*/) {
  const auto handle = findHandle(file, HandleKind::request);
  if (!handle) return FALSE;
  if (!available) return failWith(ERROR_INVALID_PARAMETER);
  if (!handle->answered) return failWith(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  *available = DWORD(handle->body.size() - handle->readPosition);
  return TRUE;
}

BOOL InternetReadFile(HINTERNET file, void* buffer, DWORD bytesToRead, DWORD* bytesRead) {
  const auto handle = findHandle(file, HandleKind::request);
  if (!handle) return FALSE;
  if (!bytesRead || (!buffer && bytesToRead > 0)) return failWith(ERROR_INVALID_PARAMETER);
  if (!handle->answered) return failWith(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  const size_t count = std::min<size_t>(bytesToRead, handle->body.size() - handle->readPosition);
  if (count > 0) std::memcpy(buffer, handle->body.data() + handle->readPosition, count);
  handle->readPosition += count;
  *bytesRead = DWORD(count);
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  Registry& state = registry();
  std::shared_ptr<InternetHandle> closed;  // released outside the lock
  std::lock_guard lock(state.mutex);
  const auto entry = state.handles.find(reinterpret_cast<uintptr_t>(handle));
  if (entry == state.handles.end()) return failWith(ERROR_INVALID_HANDLE);
  closed = std::move(entry->second);
  state.handles.erase(entry);
  return TRUE;
}

namespace wince {

void setInternetTimeouts(DWORD connectMilliseconds, DWORD receiveMilliseconds) {
  connectTimeout = connectMilliseconds;
  receiveTimeout = receiveMilliseconds;
}

void setInternetBodyLimit(DWORD bytes) { bodyLimit = bytes; }

void restoreInternetDefaults() {
  setInternetTimeouts(defaultConnectTimeout, defaultReceiveTimeout);
  setInternetBodyLimit(defaultBodyLimit);
}

int openInternetHandles() {
  Registry& state = registry();
  std::lock_guard lock(state.mutex);
  return int(state.handles.size());
}

}  // namespace wince
