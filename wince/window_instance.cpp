#include "wince/window_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "wince/backend/backend.h"
#include "wince/log.h"
#include "wince/window_internal.h"

namespace wince {

namespace {

// Request: one operation byte, one byte saying whether a title follows, then
// the title's UTF-16 units. Reply: one byte, '1' or '0'.
constexpr char findRequest = 'F';
constexpr char frontRequest = 'R';

struct Listener {
  int socket = -1;
  HWND window = nullptr;
};

struct IdentityState {
  std::mutex mutex;
  std::string namespaceName;
  bool namespaceSet = false;
  std::map<HWND, std::shared_ptr<Listener>> listeners;
};

IdentityState& identityState() {
  static IdentityState* state = new IdentityState;  // outlives exit() from any thread
  return *state;
}

// The abstract socket address of a window class; its length goes with it.
socklen_t socketAddress(const std::u16string& className, sockaddr_un& address) {
  std::string name = "quendrill-window/" + instanceNamespace() + "/";
  for (char16_t unit : className) name += unit < 0x80 && unit != '/' ? char(unit) : '_';
  if (name.size() > sizeof address.sun_path - 2) {
    const size_t digest = std::hash<std::string>{}(name);
    name = name.substr(0, 60) + "#" + std::to_string(digest);
  }
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());  // leading zero: abstract namespace
  return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool peerIsSameUser(int socket) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && credentials.uid == getuid();
}

void setTimeouts(int socket) {
  const timeval timeout{2, 0};
  setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

std::string readAll(int socket) {
  std::string data;
  char buffer[512];
  while (data.size() < 4096) {
    const ssize_t got = recv(socket, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    data.append(buffer, size_t(got));
  }
  return data;
}

void answerRequest(int client, HWND window) {
  setTimeouts(client);
  const std::string request = readAll(client);
  bool matches = false;
  if (request.size() >= 2 && peerIsSameUser(client) && liveWindow(window)) {
    const bool anyTitle = request[1] == '0';
    std::u16string title((request.size() - 2) / 2, u'\0');
    std::memcpy(title.data(), request.data() + 2, title.size() * 2);
    matches = anyTitle || title == window->title;
    if (matches && request[0] == frontRequest) {
      if (window == programWindow()) backend::activeBackend().raiseWindow();
      activateWindow(window, true);
    }
  }
  const char reply = matches ? '1' : '0';
  send(client, &reply, 1, MSG_NOSIGNAL);
  close(client);
}

void serve(std::shared_ptr<Listener> listener) {
  for (;;) {
    const int client = accept4(listener->socket, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      break;  // the socket was shut down
    }
    answerRequest(client, listener->window);
  }
  close(listener->socket);
}

bool askRemote(char operation, const std::u16string& className, const char16_t* title) {
  sockaddr_un address;
  const socklen_t length = socketAddress(className, address);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return false;
  setTimeouts(socket);
  bool answer = false;
  if (connect(socket, reinterpret_cast<sockaddr*>(&address), length) == 0 && peerIsSameUser(socket)) {
    std::string request{operation, title ? '1' : '0'};
    if (title) request.append(reinterpret_cast<const char*>(title), std::char_traits<char16_t>::length(title) * 2);
    if (send(socket, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
      shutdown(socket, SHUT_WR);
      char reply = 0;
      answer = recv(socket, &reply, 1, 0) == 1 && reply == '1';
    }
  }
  close(socket);
  return answer;
}

}  // namespace

void setInstanceNamespace(const std::string& name) {
  IdentityState& state = identityState();
  std::lock_guard lock(state.mutex);
  state.namespaceName = name;
  state.namespaceSet = true;
}

std::string instanceNamespace() {
  IdentityState& state = identityState();
  std::lock_guard lock(state.mutex);
  if (!state.namespaceSet) {
    const char* fromEnvironment = std::getenv("QUENDRILL_INSTANCE_NAMESPACE");
    state.namespaceName =
        fromEnvironment && *fromEnvironment ? fromEnvironment : "user" + std::to_string(unsigned(getuid()));
    state.namespaceSet = true;
  }
  return state.namespaceName;
}

void publishWindowIdentity(HWND window) {
  if (window->className.empty()) return;
  auto listener = std::make_shared<Listener>();
  listener->window = window;
  sockaddr_un address;
  const socklen_t length = socketAddress(window->className, address);
  listener->socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener->socket < 0) return;
  if (bind(listener->socket, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener->socket, 8) != 0) {
    // Another window of this class holds the name; it stays the one found.
    logPrintf("Window identity: another window of this class is already known in namespace %s\n",
              instanceNamespace().c_str());
    close(listener->socket);
    return;
  }
  {
    IdentityState& state = identityState();
    std::lock_guard lock(state.mutex);
    state.listeners[window] = listener;
  }
  std::thread(serve, listener).detach();
}

void withdrawWindowIdentity(HWND window) {
  IdentityState& state = identityState();
  std::lock_guard lock(state.mutex);
  auto found = state.listeners.find(window);
  if (found == state.listeners.end()) return;
  // Wakes the accept; the serving thread closes the socket.
  shutdown(found->second->socket, SHUT_RDWR);
  state.listeners.erase(found);
}

bool remoteWindowExists(const std::u16string& className, const char16_t* title) {
  return askRemote(findRequest, className, title);
}

bool bringRemoteWindowToFront(const std::u16string& className, const std::u16string& title) {
  return askRemote(frontRequest, className, title.c_str());
}

}  // namespace wince
