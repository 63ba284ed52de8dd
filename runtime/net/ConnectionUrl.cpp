#include "runtime/net/ConnectionUrl.h"

#include "runtime/lang/DebugLog.h"

bool parseConnectionUrl(std::u16string_view url, ConnectionUrlParts* parts) {
  *parts = ConnectionUrlParts{};
  const size_t schemeEnd = url.find(u"://");
  if (schemeEnd == std::u16string_view::npos) {
    debugLog("ParseConnectionURL");
    return false;
  }
  const size_t fragment = url.find(u'#');
  if (fragment != std::u16string_view::npos && fragment > schemeEnd) url = url.substr(0, fragment);

  const size_t hostBegin = schemeEnd + 3;
  size_t hostEnd = url.find_first_of(u"/?", hostBegin);
  if (hostEnd == std::u16string_view::npos) hostEnd = url.size();
  const size_t colon = url.substr(0, hostEnd).find(u':', hostBegin);
  int port = 0;
  if (colon != std::u16string_view::npos) {
    const std::u16string_view digits = url.substr(colon + 1, hostEnd - colon - 1);
    for (char16_t c : digits) {
      if (c < u'0' || c > u'9' || port > 65535) {
        port = -1;
        break;
      }
      port = port * 10 + (c - u'0');
    }
    if (port < 0 || port > 65535) {
      debugLog("ParseConnectionURL: bad port");
      return false;
    }
  }

  parts->scheme = url.substr(0, schemeEnd);
  parts->host = url.substr(hostBegin, (colon != std::u16string_view::npos ? colon : hostEnd) - hostBegin);
  parts->port = port;
  const size_t queryBegin = url.find(u'?', hostEnd);
  parts->path = url.substr(hostEnd, (queryBegin == std::u16string_view::npos ? url.size() : queryBegin) - hostEnd);
  if (queryBegin != std::u16string_view::npos) parts->query = std::u16string(url.substr(queryBegin));
  return true;
}
