#include "wince/file_io.h"

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

}  // namespace

FILE* fopen(std::u16string_view devicePath, const char* mode) {
  if (!isFileMode(mode)) {
    logPrintf("fopen: unknown mode \"%s\"\n", mode ? mode : "(null)");
    return nullptr;
  }
  const bool reading = modeOnlyReads(mode);
  const std::optional<std::string> hostPath = reading ? hostPathForReading(devicePath) : hostPathForWriting(devicePath);
  if (!hostPath) return nullptr;
  // Close-on-exec: a browser started later must not inherit our files.
  const std::string hostMode = std::string(mode) + "e";
  FILE* file = ::fopen(hostPath->c_str(), hostMode.c_str());
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
