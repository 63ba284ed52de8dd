#pragma once
// Connection Manager: brings up the data connection before a request. A
// Linux host is always online, so a connection is granted at once; tests can
// make the manager refuse to see how callers handle it.
#include "wince/types.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
inline bool operator==(const GUID& left, const GUID& right) {
  if (left.Data1 != right.Data1 || left.Data2 != right.Data2 || left.Data3 != right.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (left.Data4[i] != right.Data4[i]) return false;
  return true;
}

// The Internet destination network.
extern const GUID IID_DestNetInternet;

constexpr DWORD CONNMGR_PARAM_GUIDDESTNET = 0x1;
constexpr DWORD CONNMGR_PRIORITY_USERINTERACTIVE = 0x08000;
constexpr DWORD CONNMGR_STATUS_UNKNOWN = 0x00;
constexpr DWORD CONNMGR_STATUS_CONNECTED = 0x10;
constexpr DWORD CONNMGR_STATUS_DISCONNECTED = 0x20;
constexpr DWORD ERROR_NOT_CONNECTED = 2250;

struct CONNMGR_CONNECTIONINFO {
  DWORD cbSize;
  DWORD dwParams;
  DWORD dwFlags;
  DWORD dwPriority;
  BOOL bExclusive;
  BOOL bDisabled;
  GUID guidDestNet;
  HWND hWnd;
  UINT uMsg;
  LPARAM lParam;
  ULONG_PTR ulMaxCost;
  ULONG_PTR ulMinRcvBw;
  ULONG_PTR ulMaxConnLatency;
};

// Waits at most timeout ms. On success *connection is a handle for
// ConnMgrReleaseConnection and *status the connection's state.
HRESULT ConnMgrEstablishConnectionSync(CONNMGR_CONNECTIONINFO* info, HANDLE* connection, DWORD timeout,
                                       DWORD* status);
// The destination network that serves a URL; index is optional.
HRESULT ConnMgrMapURL(LPCWSTR url, GUID* network, DWORD* index);
// cacheSeconds: how long the link may stay up for a later request.
HRESULT ConnMgrReleaseConnection(HANDLE connection, LONG cacheSeconds);

namespace wince {

// While refusing, ConnMgrEstablishConnectionSync fails with E_FAIL, status
// disconnected and the last error ERROR_NOT_CONNECTED.
void refuseConnectionManager(bool refuse);
// Connections granted and not yet released.
int openConnectionManagerConnections();

}  // namespace wince
