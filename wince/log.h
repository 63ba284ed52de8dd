#pragma once
// The runtime's diagnostics: printf to standard output, which a switch can
// reopen on a log file. Tests capture the text to check exact messages.
#include <string>

// Writes formatted text to standard output and flushes it, so that a crash
// right after a message still leaves it in the log.
void logPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace wince {

// Reopens standard output on a host file with mode "w+"; false when it
// cannot be opened (output then stays where it was).
bool redirectLogToFile(const char* hostPath);

// A quiet log writes nothing to standard output; captures still see every
// line. For programs that feed the runtime millions of inputs (fuzzing).
void setLogQuiet(bool quiet);

// While alive, keeps a copy of everything logPrintf writes (all threads).
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::string text() const;
  bool contains(const std::string& fragment) const { return text().find(fragment) != std::string::npos; }
  void clear();
};

}  // namespace wince
