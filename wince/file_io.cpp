#include "wince/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

#include "wince/file_faults.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace wince {
namespace {

std::atomic<int> openFiles{0};

// A C-library mode: r, w or a, then at most one '+' and one 'b' in either
// order. Anything else would reach the host's fopen with meanings of its
// own ('x', 'e', ',ccs=').
bool isFileMode(const char* mode) {
  if (!mode || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return false;
  bool plus = false, binary = false;
  for (const char* c = mode + 1; *c; ++c) {
    if (*c == '+' && !plus) {
      plus = true;
    } else if (*c == 'b' && !binary) {
      binary = true;
    } else {
      return false;
    }
  }
  return true;
}

bool modeOnlyReads(const char* mode) {
  return mode[0] == 'r' && std::string_view(mode).find('+') == std::string_view::npos;
}

// The open(2) flags of a C-library mode, truncation left out (it comes only
// once the file is known to be a regular one).
int openFlags(const char* mode) {
  const bool plus = std::string_view(mode).find('+') != std::string_view::npos;
  const int access = plus ? O_RDWR : (mode[0] == 'r' ? O_RDONLY : O_WRONLY);
  const int creation = mode[0] == 'w' ? O_CREAT : (mode[0] == 'a' ? O_CREAT | O_APPEND : 0);
  return access | creation;
}

// Without blocking, so that a FIFO or a device in a file's place cannot hang
// the caller, and only a regular file: anything else is refused as if it
// were missing.
FILE* openRegularFile(const std::string& hostPath, const char* mode) {
  // Close-on-exec: a browser started later must not inherit our files.
  const int descriptor = ::open(hostPath.c_str(), openFlags(mode) | O_NONBLOCK | O_CLOEXEC, 0666);
  if (descriptor < 0) return nullptr;
  struct stat status {};
  const bool regular = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  const int flags = regular ? ::fcntl(descriptor, F_GETFL) : -1;
  if (!regular || flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
      (mode[0] == 'w' && ::ftruncate(descriptor, 0) != 0)) {
    ::close(descriptor);
    errno = regular ? errno : ENOENT;
    return nullptr;
  }
  FILE* file = ::fdopen(descriptor, mode);
  if (file == nullptr) ::close(descriptor);
  return file;
}

}  // namespace

FILE* fopen(std::u16string_view devicePath, const char* mode) {
  if (!isFileMode(mode)) {
    logPrintf("fopen: unknown mode \"%s\"\n", mode ? mode : "(null)");
    return nullptr;
  }
  const bool reading = modeOnlyReads(mode);
  const std::optional<std::string> hostPath = reading ? hostPathForReading(devicePath) : hostPathForWriting(devicePath);
  if (!hostPath) return nullptr;
  FILE* file = openRegularFile(*hostPath, mode);
  if (file) openFiles.fetch_add(1);
  return file;
}

FILE* fopen(const char* devicePath, const char* mode) {
  if (!devicePath) {
    logPrintf("fopen: no path\n");
    return nullptr;
  }
  return fopen(widenDevicePath(devicePath), mode);
}

size_t fread(void* buffer, size_t size, size_t count, FILE* file) {
  if (!file || !buffer) return 0;
  return ::fread(buffer, size, count, file);
}

size_t fwrite(const void* buffer, size_t size, size_t count, FILE* file) {
  if (!file || !buffer) return 0;
  if (fileOperationFails(FileOperation::write)) {
    errno = ENOSPC;
    return 0;
  }
  return ::fwrite(buffer, size, count, file);
}

int fseek(FILE* file, long offset, int origin) {
  if (!file) return -1;
  return ::fseek(file, offset, origin);
}

long ftell(FILE* file) {
  if (!file) return -1;
  return ::ftell(file);
}

int fflush(FILE* file) {
  if (!file) return EOF;
  return ::fflush(file);
}

int fclose(FILE* file) {
  if (!file) return EOF;
  openFiles.fetch_sub(1);
  const int result = ::fclose(file);
  if (fileOperationFails(FileOperation::close)) {
    errno = EIO;
    return EOF;
  }
  return result;
}

int openFileCount() { return openFiles.load(); }

}  // namespace wince
