#include "wince/log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

namespace {

std::mutex captureMutex;
std::string* capturedText = nullptr;
int captureDepth = 0;
std::atomic<bool> quietLog{false};

bool capturing() {
  std::lock_guard lock(captureMutex);
  return capturedText != nullptr;
}

}  // namespace

void logPrintf(const char* format, ...) {
  const bool quiet = quietLog.load(std::memory_order_relaxed);
  if (quiet && !capturing()) return;
  char small[512];
  va_list arguments;
  va_start(arguments, format);
  va_list copy;
  va_copy(copy, arguments);
  const int length = vsnprintf(small, sizeof small, format, arguments);
  va_end(arguments);
  std::string text;
  if (length < 0) {
    va_end(copy);
    return;
  }
  if (size_t(length) < sizeof small) {
    text.assign(small, size_t(length));
  } else {
    text.resize(size_t(length));
    vsnprintf(text.data(), text.size() + 1, format, copy);
  }
  va_end(copy);
  {
    std::lock_guard lock(captureMutex);
    if (capturedText) capturedText->append(text);
  }
  if (quiet) return;
  // A log nobody reads any more (a closed pipe) is nothing to do: what
  // could not be written is dropped rather than kept for later.
  if (fwrite(text.data(), 1, text.size(), stdout) != text.size() || fflush(stdout) != 0) {
    __fpurge(stdout);
    clearerr(stdout);
  }
}

namespace wince {

bool redirectLogToFile(const char* hostPath) {
  // freopen would close standard output before knowing whether the file
  // opens; open first and only then swap the descriptor.
  const int file = open(hostPath, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return false;
  fflush(stdout);
  const bool swapped = dup2(file, STDOUT_FILENO) >= 0;
  close(file);
  return swapped;
}

void setLogQuiet(bool quiet) { quietLog.store(quiet, std::memory_order_relaxed); }

LogCapture::LogCapture() {
  std::lock_guard lock(captureMutex);
  if (captureDepth++ == 0) capturedText = new std::string;
}

LogCapture::~LogCapture() {
  std::lock_guard lock(captureMutex);
  if (--captureDepth == 0) {
    delete capturedText;
    capturedText = nullptr;
  }
}

std::string LogCapture::text() const {
  std::lock_guard lock(captureMutex);
  return capturedText ? *capturedText : std::string();
}

void LogCapture::clear() {
  std::lock_guard lock(captureMutex);
  if (capturedText) capturedText->clear();
}

}  // namespace wince
