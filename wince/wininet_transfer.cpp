#include "wince/wininet_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "wince/log.h"
#include "wince/wininet.h"
#include "wince/wininet_headers.h"

namespace wince::internet {
namespace {

// Every response's header lines are small; a block this large is an attack
// or a broken server.
constexpr size_t headerBlockLimit = 64 * 1024;
constexpr long redirectLimit = 10;

using Clock = std::chrono::steady_clock;

struct TransferState {
  ResponseHeaderCollector headers{headerBlockLimit};
  std::vector<uint8_t> body;
  size_t bodyLimit = 0;
  bool bodyTooLarge = false;
  bool headersTooLarge = false;
  Clock::time_point lastActivity = Clock::now();
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
  auto* state = static_cast<TransferState*>(user);
  const size_t bytes = size * count;
  state->lastActivity = Clock::now();
  if (bytes > state->bodyLimit - std::min(state->bodyLimit, state->body.size())) {
    state->bodyTooLarge = true;
    return 0;
  }
  state->body.insert(state->body.end(), data, data + bytes);
  return bytes;
}

size_t onHeaderLine(char* data, size_t size, size_t count, void* user) {
  auto* state = static_cast<TransferState*>(user);
  const size_t bytes = size * count;
  state->lastActivity = Clock::now();
  if (!state->headers.addLine(std::string_view(data, bytes))) {
    state->headersTooLarge = true;
    return 0;
  }
  return bytes;
}

unsigned long internetErrorOf(CURLcode result) {
  switch (result) {
    case CURLE_OK: return 0;
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_FILESIZE_EXCEEDED: return ERROR_NOT_ENOUGH_MEMORY;
    case CURLE_OUT_OF_MEMORY: return ERROR_NOT_ENOUGH_MEMORY;
    case CURLE_TOO_MANY_REDIRECTS: return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
      return ERROR_INTERNET_SECURE_FAILURE;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
      return ERROR_INTERNET_CONNECTION_ABORTED;
    default: return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

void initialiseLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Drives the exchange; returns curl's result, or sets timedOut when the
// peer stayed silent for longer than the receive timeout once connected.
CURLcode runUntilDone(CURL* easy, TransferState& state, long connectTimeoutMilliseconds,
                      long receiveTimeoutMilliseconds, bool* timedOut) {
  CURLM* multi = curl_multi_init();
  if (!multi) return CURLE_OUT_OF_MEMORY;
  curl_multi_add_handle(multi, easy);
  const auto start = Clock::now();
  const auto connectLimit = std::chrono::milliseconds(connectTimeoutMilliseconds);
  const auto silenceLimit = std::chrono::milliseconds(receiveTimeoutMilliseconds);
  bool connected = false;
  int running = 1;
  CURLcode result = CURLE_OK;
  while (running) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      result = CURLE_OUT_OF_MEMORY;
      break;
    }
    if (!running) break;
    if (!connected) {
      // Past the connect timeout a transfer still running is connected,
      // even if its connect was too quick for the clock to tell.
      curl_off_t connectTime = 0;
      curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime);
      if (connectTime > 0 || Clock::now() - start >= connectLimit) {
        connected = true;
        state.lastActivity = Clock::now();
      }
    }
    int waitMilliseconds = 100;  // until connected, curl's own connect timeout rules
    if (connected) {
      const auto silent = Clock::now() - state.lastActivity;
      if (silent >= silenceLimit) {
        *timedOut = true;
        break;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(silenceLimit - silent).count();
      waitMilliseconds = int(std::clamp<long long>(left, 1, 1000));
    }
    curl_multi_poll(multi, nullptr, 0, waitMilliseconds, nullptr);
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued))
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  curl_multi_remove_handle(multi, easy);
  curl_multi_cleanup(multi);
  return result;
}

}  // namespace

TransferResponse performTransfer(const TransferRequest& request) {
  initialiseLibraryOnce();
  TransferResponse response;
  CURL* easy = curl_easy_init();
  if (!easy) {
    response.error = ERROR_NOT_ENOUGH_MEMORY;
    return response;
  }
  TransferState state;
  state.bodyLimit = request.bodyLimit;
  curl_slist* headerList = nullptr;
  bool hasAccept = false;
  for (const std::string& line : request.headerLines) {
    headerList = curl_slist_append(headerList, line.c_str());
    hasAccept |= line.size() >= 7 && curl_strnequal(line.c_str(), "Accept:", 7);
  }
  // libcurl would add "Accept: */*" of its own; the platform sends none
  // unless the caller names the types.
  if (!hasAccept) headerList = curl_slist_append(headerList, "Accept:");

  char errorText[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, redirectLimit);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, request.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, request.agent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);
  curl_easy_setopt(easy, CURLOPT_PROXY, "");
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, std::max(1L, request.connectTimeoutMilliseconds));
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.bodyLimit));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeaderLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);

  bool timedOut = false;
  const CURLcode result = runUntilDone(easy, state, std::max(1L, request.connectTimeoutMilliseconds),
                                       std::max(1L, request.receiveTimeoutMilliseconds), &timedOut);
  if (timedOut) {
    response.error = ERROR_INTERNET_TIMEOUT;
    logPrintf("HTTP: no data from the server for %ld ms\n", request.receiveTimeoutMilliseconds);
  } else if (state.bodyTooLarge || result == CURLE_FILESIZE_EXCEEDED) {
    response.error = ERROR_NOT_ENOUGH_MEMORY;
    logPrintf("HTTP: response body larger than %zu bytes\n", request.bodyLimit);
  } else if (state.headersTooLarge) {
    response.error = ERROR_HTTP_INVALID_SERVER_RESPONSE;
    logPrintf("HTTP: response headers larger than %zu bytes\n", headerBlockLimit);
  } else if (result == CURLE_UNSUPPORTED_PROTOCOL && state.headers.empty()) {
    // libcurl's word for a reply without a status line (HTTP/0.9).
    response.error = ERROR_HTTP_INVALID_SERVER_RESPONSE;
    logPrintf("HTTP: %s\n", errorText);
  } else if (result != CURLE_OK) {
    response.error = internetErrorOf(result);
    logPrintf("HTTP: %s\n", errorText[0] ? errorText : curl_easy_strerror(result));
  } else if (state.headers.empty()) {
    response.error = ERROR_HTTP_INVALID_SERVER_RESPONSE;
    logPrintf("HTTP: response without a status line\n");
  } else {
    response.rawHeaders = state.headers.rawHeadersCrlf();
    response.body = std::move(state.body);
  }
  curl_slist_free_all(headerList);
  curl_easy_cleanup(easy);
  return response;
}

}  // namespace wince::internet
