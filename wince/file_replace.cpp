#include "wince/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

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

}  // namespace

bool replaceHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> bytes) {
  std::string temporary = hostPath + ".tmp-XXXXXX";
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

bool replaceFileAtomically(std::u16string_view devicePath, std::span<const uint8_t> bytes) {
  const std::optional<std::string> hostPath = hostPathForWriting(devicePath);
  if (!hostPath) return false;
  return replaceHostFileAtomically(*hostPath, bytes);
}

}  // namespace wince
