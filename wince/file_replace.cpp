#include "wince/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <mutex>
#include <shared_mutex>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "wince/file_faults.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace wince {
namespace {

bool writeAll(int file, std::span<const uint8_t> bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    if (fileOperationFails(FileOperation::write)) {
      errno = ENOSPC;
      return false;
    }
    const ssize_t result = ::write(file, bytes.data() + written, bytes.size() - written);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) return false;
    written += size_t(result);
  }
  return true;
}

bool closeFile(int file) {
  const int result = ::close(file);
  if (fileOperationFails(FileOperation::close)) {
    errno = EIO;
    return false;
  }
  return result == 0;
}

bool renameFile(const std::string& from, const std::string& to) {
  if (fileOperationFails(FileOperation::rename)) {
    errno = EIO;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string folderOf(const std::string& hostPath) {
  const size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : hostPath.substr(0, slash);
}

bool failed(const char* step, const std::string& hostPath, const std::string& temporary) {
  logPrintf("Could not replace %s (%s: %s)\n", hostPath.c_str(), step, strerror(errno));
  if (!temporary.empty()) ::unlink(temporary.c_str());
  return false;
}

constexpr std::string_view temporaryInfix = ".tmp-";
constexpr size_t temporaryUniqueLength = 6;  // the XXXXXX mkostemp fills in

// Replacements share it; a clean-up takes it alone, so that it never removes
// the temporary file of a replacement under way.
std::shared_mutex temporariesLock;

}  // namespace

bool replaceHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> bytes) {
  std::shared_lock lock(temporariesLock);
  std::string temporary = hostPath + std::string(temporaryInfix) + "XXXXXX";
  const int file = mkostemp(temporary.data(), O_CLOEXEC);
  if (file < 0) return failed("create temporary", hostPath, std::string());
  // mkstemp makes the file private (0600), which suits the player's data; a
  // file that already exists keeps its own mode.
  struct stat existing;
  if (::stat(hostPath.c_str(), &existing) == 0) fchmod(file, existing.st_mode & 07777);
  if (!writeAll(file, bytes)) {
    const int error = errno;
    ::close(file);
    errno = error;
    return failed("write", hostPath, temporary);
  }
  if (fsync(file) != 0) {
    const int error = errno;
    ::close(file);
    errno = error;
    return failed("fsync", hostPath, temporary);
  }
  if (!closeFile(file)) return failed("close", hostPath, temporary);
  if (!renameFile(temporary, hostPath)) return failed("rename", hostPath, temporary);
  // The new contents are in place; a failing folder sync only weakens the
  // guarantee against a power cut, so it is logged and not reported.
  const int folder = ::open(folderOf(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0 || fsync(folder) != 0)
    logPrintf("Could not sync the folder of %s: %s\n", hostPath.c_str(), strerror(errno));
  if (folder >= 0) ::close(folder);
  return true;
}

int removeLeftoverTemporaries(std::u16string_view devicePath, const std::function<bool(std::string_view)>& belongs) {
  const std::optional<std::string> hostPath = hostPathForWriting(devicePath, false);
  if (!hostPath) return 0;
  const std::string folder = folderOf(*hostPath);
  const std::string stem = hostPath->substr(hostPath->rfind('/') + 1);
  std::unique_lock lock(temporariesLock);
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    const size_t infix = name.size() >= temporaryUniqueLength + temporaryInfix.size()
                             ? name.size() - temporaryUniqueLength - temporaryInfix.size()
                             : std::string_view::npos;
    if (infix == std::string_view::npos || infix < stem.size() || !name.starts_with(stem) ||
        name.substr(infix, temporaryInfix.size()) != temporaryInfix || !belongs(name.substr(stem.size(), infix - stem.size())))
      continue;
    const std::string path = folder + "/" + std::string(name);
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) {
      ++removed;
    } else {
      logPrintf("Could not remove the leftover %s: %s\n", path.c_str(), strerror(errno));
    }
  }
  ::closedir(listing);
  if (removed > 0) logPrintf("Removed %d leftover temporary file(s) of %s\n", removed, hostPath->c_str());
  return removed;
}

bool replaceFileAtomically(std::u16string_view devicePath, std::span<const uint8_t> bytes) {
  const std::optional<std::string> hostPath = hostPathForWriting(devicePath);
  if (!hostPath) return false;
  return replaceHostFileAtomically(*hostPath, bytes);
}

}  // namespace wince
