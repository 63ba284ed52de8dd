#include "wince/path_mapping.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "wince/log.h"

namespace wince {
namespace {

namespace fs = std::filesystem;

enum class Mount { install, temp };

struct MountPoint {
  Mount mount;
  std::array<std::u16string_view, 3> components;
  size_t componentCount;
};

constexpr MountPoint mountPoints[] = {
    {Mount::install, {u"Program Files", u"Corvanta", u"Quendrill"}, 3},
    {Mount::temp, {u"temp"}, 1},
};

struct State {
  std::mutex mutex;
  FileSystemFolders configured;
  std::string privateTempFolder;  // made by us, removed at exit
};

State& state() {
  static State instance;
  return instance;
}

void removePrivateTempFolder() {
  State& current = state();
  std::lock_guard lock(current.mutex);
  if (current.privateTempFolder.empty()) return;
  std::error_code ignored;
  fs::remove_all(current.privateTempFolder, ignored);
  current.privateTempFolder.clear();
}

std::string executableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : executable.parent_path().string();
}

std::string defaultInstalledFolder() {
  const fs::path folder = executableFolder();
  for (const fs::path& candidate : {folder / "data", (folder / ".." / "data").lexically_normal()}) {
    std::error_code error;
    if (fs::is_directory(candidate, error)) return candidate.string();
  }
  return (folder / "data").string();
}

std::string defaultDataFolder() {
  // XDG asks that a relative XDG_DATA_HOME be ignored.
  const char* dataHome = getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/corvanta";
  const char* home = getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  if (!home || home[0] != '/') return std::string();
  return std::string(home) + "/.local/share/corvanta";
}

// Caller holds the state's lock.
std::string tempFolderLocked(State& current) {
  if (!current.configured.tempFolder.empty()) return current.configured.tempFolder;
  if (current.privateTempFolder.empty()) {
    const char* base = getenv("TMPDIR");
    const std::string folder = base && base[0] == '/' ? base : "/tmp";
    removeStaleTempFolders(folder);
    // The process id in the name tells a later run whether its maker is gone.
    std::string pattern = folder + "/quendrill-" + std::to_string(getpid()) + "-XXXXXX";
    if (!mkdtemp(pattern.data())) {
      logPrintf("Cannot make a private temp folder from %s\n", pattern.c_str());
      return std::string();
    }
    static std::once_flag cleanupRegistered;
    std::call_once(cleanupRegistered, [] { atexit(removePrivateTempFolder); });
    current.privateTempFolder = pattern;
  }
  return current.privateTempFolder;
}

bool equalIgnoringAsciiCase(std::u16string_view left, std::u16string_view right) {
  if (left.size() != right.size()) return false;
  for (size_t i = 0; i < left.size(); ++i) {
    char16_t a = left[i], b = right[i];
    if (a >= u'A' && a <= u'Z') a = char16_t(a + 32);
    if (b >= u'A' && b <= u'Z') b = char16_t(b + 32);
    if (a != b) return false;
  }
  return true;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Printable form of a device path for log lines: control characters and
// broken surrogates become '?'.
std::string printable(std::u16string_view path) {
  std::string text;
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 0x20 || c == 0x7F) {
      text += '?';
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 && path[i + 1] <= 0xDFFF) {
      appendUtf8(text, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (path[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      text += '?';
    } else {
      appendUtf8(text, c);
    }
  }
  return text;
}

// One component as a host file name; empty when it cannot be one.
std::string hostName(std::u16string_view component) {
  std::string name;
  for (size_t i = 0; i < component.size(); ++i) {
    const char16_t c = component[i];
    if (c < 0x20 || c == 0x7F) return std::string();
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= component.size() || component[i + 1] < 0xDC00 || component[i + 1] > 0xDFFF) return std::string();
      appendUtf8(name, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (component[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return std::string();
    } else {
      appendUtf8(name, c);
    }
  }
  return name;
}

struct ParsedPath {
  Mount mount;
  std::string relative;  // host form below the mount point, '/'-separated; empty for the mount itself
};

std::optional<ParsedPath> refuse(std::u16string_view devicePath, const char* reason) {
  logPrintf("Refused device path \"%s\": %s\n", printable(devicePath).c_str(), reason);
  return std::nullopt;
}

// The device has no current folder: every path counts from the root.
std::optional<ParsedPath> parseDevicePath(std::u16string_view devicePath) {
  std::vector<std::u16string_view> components;
  size_t start = 0;
  while (start <= devicePath.size()) {
    size_t end = devicePath.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = devicePath.size();
    const std::u16string_view component = devicePath.substr(start, end - start);
    if (component == u"..") return refuse(devicePath, "\"..\" is not allowed");
    if (!component.empty() && component != u".") components.push_back(component);
    start = end + 1;
  }
  for (const MountPoint& point : mountPoints) {
    if (components.size() < point.componentCount) continue;
    bool matches = true;
    for (size_t i = 0; i < point.componentCount && matches; ++i)
      matches = equalIgnoringAsciiCase(components[i], point.components[i]);
    if (!matches) continue;
    ParsedPath parsed{point.mount, std::string()};
    for (size_t i = point.componentCount; i < components.size(); ++i) {
      const std::string name = hostName(components[i]);
      if (name.empty()) return refuse(devicePath, "the name holds characters a file name cannot");
      if (!parsed.relative.empty()) parsed.relative += '/';
      parsed.relative += name;
    }
    return parsed;
  }
  return refuse(devicePath, "outside the mapped folders");
}

std::string joined(const std::string& folder, const std::string& relative) {
  return relative.empty() ? folder : folder + "/" + relative;
}

bool hostEntryExists(const std::string& hostPath) { return access(hostPath.c_str(), F_OK) == 0; }

// Folders we make hold the player's data: only the player may read them.
bool makeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat status;
  return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// "quendrill-" and six characters that mkdtemp picks.
bool isOlderPrivateName(std::string_view rest) {
  return rest.size() == 6 && std::all_of(rest.begin(), rest.end(), [](char c) { return std::isalnum(uint8_t(c)) != 0; });
}

// The process id of "<pid>-" and six characters; 0 when the rest is not
// that.
pid_t makerOf(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || !isOlderPrivateName(rest.substr(dash + 1))) return 0;
  pid_t pid = 0;
  for (const char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool processIsGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

int removeStaleTempFolders(const std::string& base) {
  constexpr std::string_view prefix = "quendrill-";
  constexpr time_t olderFolderAge = 3600;
  DIR* folder = opendir(base.c_str());
  if (folder == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const std::string_view rest = name.substr(prefix.size());
    const pid_t maker = makerOf(rest);
    const bool older = maker == 0 && isOlderPrivateName(rest);
    if (maker == 0 && !older) continue;
    // Only our own real folders: never a link, never another user's.
    struct stat status;
    const std::string path = base + "/" + std::string(name);
    if (lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid()) continue;
    if (maker != 0) {
      if (maker == getpid() || !processIsGone(maker)) continue;
      std::error_code error;
      if (fs::remove_all(path, error) != static_cast<std::uintmax_t>(-1) && !error) ++removed;
    } else if (time(nullptr) - status.st_mtime > olderFolderAge && rmdir(path.c_str()) == 0) {
      // A folder of a build that did not name its maker: only once empty
      // and untouched for an hour.
      ++removed;
    }
  }
  closedir(folder);
  if (removed > 0) logPrintf("Removed %d temp folder(s) of runs that ended without cleaning up\n", removed);
  return removed;
}

void configureFileSystem(const FileSystemFolders& folders) {
  State& current = state();
  std::lock_guard lock(current.mutex);
  current.configured = folders;
  if (current.configured.installedFolder.empty()) current.configured.installedFolder = defaultInstalledFolder();
  if (current.configured.dataFolder.empty()) current.configured.dataFolder = defaultDataFolder();
}

FileSystemFolders fileSystemFolders() {
  State& current = state();
  std::lock_guard lock(current.mutex);
  if (current.configured.installedFolder.empty()) current.configured.installedFolder = defaultInstalledFolder();
  if (current.configured.dataFolder.empty()) current.configured.dataFolder = defaultDataFolder();
  FileSystemFolders folders = current.configured;
  if (folders.tempFolder.empty()) folders.tempFolder = current.privateTempFolder;
  return folders;
}

std::optional<std::string> hostPathForReading(std::u16string_view devicePath) {
  const std::optional<ParsedPath> parsed = parseDevicePath(devicePath);
  if (!parsed) return std::nullopt;
  if (parsed->mount == Mount::temp) {
    State& current = state();
    std::lock_guard lock(current.mutex);
    const std::string folder = tempFolderLocked(current);
    if (folder.empty()) return std::nullopt;
    return joined(folder, parsed->relative);
  }
  const FileSystemFolders folders = fileSystemFolders();
  if (!folders.dataFolder.empty()) {
    std::string userCopy = joined(folders.dataFolder, parsed->relative);
    if (hostEntryExists(userCopy)) return userCopy;
  }
  return joined(folders.installedFolder, parsed->relative);
}

std::optional<std::string> hostPathForWriting(std::u16string_view devicePath, bool makeFolder) {
  const std::optional<ParsedPath> parsed = parseDevicePath(devicePath);
  if (!parsed) return std::nullopt;
  std::string folder;
  if (parsed->mount == Mount::temp) {
    State& current = state();
    std::lock_guard lock(current.mutex);
    folder = tempFolderLocked(current);
  } else {
    folder = fileSystemFolders().dataFolder;
    if (folder.empty()) {
      logPrintf("No data folder for \"%s\": neither XDG_DATA_HOME nor HOME names one\n", printable(devicePath).c_str());
      return std::nullopt;
    }
  }
  if (folder.empty()) return std::nullopt;
  const std::string hostPath = joined(folder, parsed->relative);
  if (!makeFolder) return hostPath;
  if (!makeFolders(fs::path(hostPath).parent_path().string())) {
    logPrintf("Cannot make the folder of %s: %s\n", hostPath.c_str(), strerror(errno));
    return std::nullopt;
  }
  return hostPath;
}

std::u16string widenDevicePath(std::string_view bytes) {
  std::u16string path;
  path.reserve(bytes.size());
  for (const char byte : bytes) path += char16_t(static_cast<unsigned char>(byte));
  return path;
}

}  // namespace wince
