#include "wince/browser.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>

#include "wince/backend/backend.h"
#include "wince/log.h"
#include "wince/window_options.h"

extern char** environ;

namespace wince {

namespace {

struct BrowserState {
  std::mutex mutex;
  std::vector<std::string> requests;
  BrowserMode mode = BrowserMode::automatic;
  std::string program = "xdg-open";
};

BrowserState& browserState() {
  static BrowserState* state = new BrowserState;  // a reaper may outlive exit()
  return *state;
}

bool hasSchemePrefix(std::u16string_view url, std::u16string_view scheme) {
  if (url.size() < scheme.size()) return false;
  for (size_t i = 0; i < scheme.size(); ++i) {
    char16_t c = url[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (c != scheme[i]) return false;
  }
  return true;
}

// Empty when the address is not one for the browser; the reason goes to
// the log.
std::string acceptedAddress(std::u16string_view url) {
  if (url.empty()) {
    logPrintf("browser: empty address refused\n");
    return {};
  }
  if (url.size() > maxBrowserUrlLength) {
    logPrintf("browser: address of %zu characters refused (at most %zu)\n", url.size(), maxBrowserUrlLength);
    return {};
  }
  size_t schemeLength = 0;
  if (hasSchemePrefix(url, u"https://")) schemeLength = 8;
  else if (hasSchemePrefix(url, u"http://")) schemeLength = 7;
  if (schemeLength == 0 || url.size() == schemeLength) {
    logPrintf("browser: only http and https addresses are opened; refused\n");
    return {};
  }
  std::string bytes;
  bytes.reserve(url.size());
  for (char16_t c : url) {
    if (c < 0x21 || c > 0x7E) {
      logPrintf("browser: address with character 0x%X refused\n", unsigned(c));
      return {};
    }
    bytes += static_cast<char>(c);
  }
  return bytes;
}

bool headlessRun() {
  if (windowOptions().backend == BackendChoice::headless) return true;
  if (!backend::backendChosen()) return true;
  return std::strcmp(backend::activeBackend().name(), "headless") == 0;
}

BrowserResult launch(const std::string& program, const std::string& address) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  // The browser owns no terminal of ours and writes nothing into the log.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  // Its own session: it outlives the game and never gets the game's signals.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

  std::string programCopy = program;
  std::string addressCopy = address;
  char* arguments[] = {programCopy.data(), addressCopy.data(), nullptr};
  pid_t child = 0;
  const int error = posix_spawnp(&child, program.c_str(), &actions, &attributes, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    logPrintf("browser: %s cannot be started: %s\n", program.c_str(), std::strerror(error));
    return BrowserResult::failed;
  }
  // Reaped in the background, so that no finished child lingers.
  std::thread([child] {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return BrowserResult::launched;
}

}  // namespace

BrowserResult openInBrowser(std::u16string_view url) {
  const std::string address = acceptedAddress(url);
  if (address.empty()) return BrowserResult::refused;
  BrowserState& state = browserState();
  std::string program;
  {
    std::lock_guard lock(state.mutex);
    const bool record =
        state.mode == BrowserMode::record || (state.mode == BrowserMode::automatic && headlessRun());
    if (record) {
      state.requests.push_back(address);
      logPrintf("browser: %.200s recorded, not opened\n", address.c_str());
      return BrowserResult::recorded;
    }
    program = state.program;
  }
  return launch(program, address);
}

std::vector<std::string> browserRequests() {
  BrowserState& state = browserState();
  std::lock_guard lock(state.mutex);
  return state.requests;
}

void clearBrowserRequests() {
  BrowserState& state = browserState();
  std::lock_guard lock(state.mutex);
  state.requests.clear();
}

void setBrowserMode(BrowserMode mode) {
  BrowserState& state = browserState();
  std::lock_guard lock(state.mutex);
  state.mode = mode;
}

void setBrowserProgram(std::string program) {
  BrowserState& state = browserState();
  std::lock_guard lock(state.mutex);
  state.program = std::move(program);
}

}  // namespace wince
