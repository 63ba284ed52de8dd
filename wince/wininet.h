#pragma once
// WinInet's HTTP calls over libcurl: the ones the HTTP client makes.
//
// HttpSendRequest performs the whole exchange (redirects followed, as the
// device does without INTERNET_FLAG_NO_AUTO_REDIRECT) and keeps the final
// response; HttpQueryInfo and InternetReadFile then serve it from memory.
// Bounded by design: the connect and the silence between received bytes
// time out, and a body above the size limit fails the request with
// ERROR_NOT_ENOUGH_MEMORY instead of filling memory. https goes through TLS
// with the certificate checked; only http and https are spoken, also across
// redirects. Proxies are never used. Failures leave their code for
// GetLastError (wince/net_last_error.h).
#include "wince/net_last_error.h"
#include "wince/types.h"

using HINTERNET = void*;
using INTERNET_PORT = WORD;
using INTERNET_SCHEME = int;

constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTPS_PORT = 443;

constexpr INTERNET_SCHEME INTERNET_SCHEME_UNKNOWN = -1;
constexpr INTERNET_SCHEME INTERNET_SCHEME_HTTP = 3;
constexpr INTERNET_SCHEME INTERNET_SCHEME_HTTPS = 4;

constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_SERVICE_HTTP = 3;

constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
constexpr DWORD INTERNET_FLAG_IGNORE_CERT_DATE_INVALID = 0x00002000;
constexpr DWORD INTERNET_FLAG_IGNORE_CERT_CN_INVALID = 0x00001000;
constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;

constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;
constexpr DWORD HTTP_ADDREQ_FLAG_ADD = 0x20000000;

constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;
constexpr DWORD ERROR_INTERNET_SECURE_FAILURE = 12175;

// Each component: with a buffer and a length (in characters, terminator
// included) it is copied there; with no buffer and a non-zero length the
// pointer is set into the URL; with length 0 it is not wanted. On return the
// length is the component's, without a terminator.
struct URL_COMPONENTS {
  DWORD dwStructSize;
  LPWSTR lpszScheme;
  DWORD dwSchemeLength;
  INTERNET_SCHEME nScheme;
  LPWSTR lpszHostName;
  DWORD dwHostNameLength;
  INTERNET_PORT nPort;  // the scheme's default when the URL names none
  LPWSTR lpszUserName;
  DWORD dwUserNameLength;
  LPWSTR lpszPassword;
  DWORD dwPasswordLength;
  LPWSTR lpszUrlPath;
  DWORD dwUrlPathLength;
  LPWSTR lpszExtraInfo;  // "?query#fragment"
  DWORD dwExtraInfoLength;
};

// accessType: preconfigured or direct, both without a proxy.
HINTERNET InternetOpen(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR proxyBypass, DWORD flags);
// urlLength 0: the URL is zero-terminated. Only http and https URLs crack.
BOOL InternetCrackUrl(LPCWSTR url, DWORD urlLength, DWORD flags, URL_COMPONENTS* components);
// port INTERNET_INVALID_PORT_NUMBER: the default port of the request's scheme.
HINTERNET InternetConnect(HINTERNET internet, LPCWSTR serverName, INTERNET_PORT port, LPCWSTR userName,
                          LPCWSTR password, DWORD service, DWORD flags, ULONG_PTR context);
// Only "GET" (or a null verb); version "HTTP/1.0" or "HTTP/1.1" (null).
// INTERNET_FLAG_SECURE makes it an https request.
HINTERNET HttpOpenRequest(HINTERNET connect, LPCWSTR verb, LPCWSTR objectName, LPCWSTR version, LPCWSTR referrer,
                          LPCWSTR* acceptTypes, DWORD flags, ULONG_PTR context);
// "Name: value" lines separated by CR LF; length in characters or
// 0xFFFFFFFF for a zero-terminated text. A line without a name or colon, or
// with a control character, is refused.
BOOL HttpAddRequestHeaders(HINTERNET request, LPCWSTR headers, DWORD headersLength, DWORD modifiers);
// Adds headers as HttpAddRequestHeaders does, then runs the request. A GET
// carries no body: optional must be null.
BOOL HttpSendRequest(HINTERNET request, LPCWSTR headers, DWORD headersLength, void* optional, DWORD optionalLength);
// HTTP_QUERY_RAW_HEADERS_CRLF: the final response's status line and headers,
// each ended by CR LF, then an empty line. bufferLength counts bytes; a
// short or null buffer fails with ERROR_INSUFFICIENT_BUFFER and the bytes
// needed (terminator included); success leaves the bytes copied without it.
BOOL HttpQueryInfo(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD* index);
// Bytes of the body not yet read; 0 at its end.
BOOL InternetQueryDataAvailable(HINTERNET file, DWORD* available, DWORD flags, ULONG_PTR context);
BOOL InternetReadFile(HINTERNET file, void* buffer, DWORD bytesToRead, DWORD* bytesRead);
BOOL InternetCloseHandle(HINTERNET handle);

namespace wince {

// For requests sent from now on. Defaults: connect 20 s, silence 30 s, body
// 16 MiB.
void setInternetTimeouts(DWORD connectMilliseconds, DWORD receiveMilliseconds);
void setInternetBodyLimit(DWORD bytes);
void restoreInternetDefaults();
// Handles opened and not yet closed.
int openInternetHandles();

}  // namespace wince
