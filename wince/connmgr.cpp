#include "wince/connmgr.h"

#include <atomic>
#include <mutex>
#include <set>

#include "wince/net_last_error.h"

const GUID IID_DestNetInternet = {0x436EF144, 0xB4FB, 0x4863, {0xA0, 0x41, 0x8F, 0x90, 0x5A, 0x62, 0xC5, 0x72}};

namespace {

std::atomic<bool> refusing{false};

// Granted connections are plain tokens; the set lets a release of a stale or
// foreign handle fail instead of being counted twice.
struct Grants {
  std::mutex mutex;
  std::set<uintptr_t> open;
  uintptr_t nextToken = 1;
};
Grants& grants() {
  static Grants instance;
  return instance;
}

}  // namespace

HRESULT ConnMgrEstablishConnectionSync(CONNMGR_CONNECTIONINFO* info, HANDLE* connection, DWORD /*timeout*/,
                                       DWORD* status) {
  if (!info || !connection || !status) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_INVALIDARG;
  }
  *connection = nullptr;
  if (refusing) {
    *status = CONNMGR_STATUS_DISCONNECTED;
    SetLastError(ERROR_NOT_CONNECTED);
    return E_FAIL;
  }
  Grants& state = grants();
  std::lock_guard lock(state.mutex);
  const uintptr_t token = state.nextToken++;
  state.open.insert(token);
  *connection = reinterpret_cast<HANDLE>(token);
  *status = CONNMGR_STATUS_CONNECTED;
  return S_OK;
}

HRESULT ConnMgrMapURL(LPCWSTR url, GUID* network, DWORD* index) {
  if (!url || !network) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_INVALIDARG;
  }
  *network = IID_DestNetInternet;
  if (index) *index = 0;
  return S_OK;
}

HRESULT ConnMgrReleaseConnection(HANDLE connection, LONG /*cacheSeconds*/) {
  Grants& state = grants();
  std::lock_guard lock(state.mutex);
  if (state.open.erase(reinterpret_cast<uintptr_t>(connection)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return E_INVALIDARG;
  }
  return S_OK;
}

namespace wince {

void refuseConnectionManager(bool refuse) { refusing = refuse; }

int openConnectionManagerConnections() {
  Grants& state = grants();
  std::lock_guard lock(state.mutex);
  return int(state.open.size());
}

}  // namespace wince
