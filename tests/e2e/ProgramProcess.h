#pragma once
// Runs the real executable as a child process: its standard output and error
// captured together or apart, its environment adjusted, every wait bounded (a child
// that outlives its time is killed), and a namespace of its own so that it
// never meets a copy of the program that someone else runs.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <chrono>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace e2e {

struct ProgramResult {
  // The exit status, or 128 + the signal that ended it; -1 when it had to be
  // killed because it ran out of time.
  int exitStatus = -1;
  bool timedOut = false;
  std::string output;
  // Standard error, when it was read apart from the output.
  std::string errors;
};

// How the child's standard streams are read.
struct OutputStreams {
  // Standard error apart from standard output, instead of both in one.
  bool separateErrors = false;
  // The reader closes standard output after this many bytes, as `| head -c`.
  size_t outputLimit = SIZE_MAX;
};

// Environment changes: a value sets the variable, nullopt removes it.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

// One namespace per call: no two runs of the test program share one.
inline std::string freshInstanceNamespace() {
  static std::atomic<int> counter{0};
  return "e2e-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

class ProgramProcess {
 public:
  ProgramProcess(const std::vector<std::string>& arguments, EnvironmentChanges changes, OutputStreams streams = {})
      : m_outputLimit(streams.outputLimit) {
    if (!changes.contains("QUENDRILL_INSTANCE_NAMESPACE")) {
      changes["QUENDRILL_INSTANCE_NAMESPACE"] = freshInstanceNamespace();
    }
    // Child-process tests ignore the parent's shard.
    changes["GTEST_TOTAL_SHARDS"] = std::nullopt;
    changes["GTEST_SHARD_INDEX"] = std::nullopt;
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      const std::string name = text.substr(0, text.find('='));
      if (!changes.contains(name)) environment.push_back(text);
    }
    for (const auto& [name, value] : changes) {
      if (value) environment.push_back(name + "=" + *value);
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    int pipeEnds[2];
    int errorEnds[2] = {-1, -1};
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
    if (streams.separateErrors && pipe2(errorEnds, O_CLOEXEC) != 0) {
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      return;
    }
    m_pid = fork();
    if (m_pid == 0) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      dup2(streams.separateErrors ? errorEnds[1] : pipeEnds[1], STDERR_FILENO);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    close(pipeEnds[1]);
    m_output = pipeEnds[0];
    if (streams.separateErrors) {
      close(errorEnds[1]);
      m_errors = errorEnds[0];
    }
    if (m_pid < 0) {
      closeStream(m_output);
      closeStream(m_errors);
    }
  }

  ~ProgramProcess() {
    if (m_pid > 0 && !m_reaped) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    closeStream(m_output);
    closeStream(m_errors);
  }

  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return m_pid > 0; }
  const std::string& output() const { return m_text; }

  // Reads until the output holds fragment; false when the time ran out or the
  // output ended first.
  bool waitForOutput(const std::string& fragment, int milliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (m_text.find(fragment) == std::string::npos) {
      if (!readSome(deadline)) return m_text.find(fragment) != std::string::npos;
    }
    return true;
  }

  void sendSignal(int signal) {
    if (m_pid > 0 && !m_reaped) kill(m_pid, signal);
  }

  // Reads to the end and reaps the child; kills it when the time runs out.
  ProgramResult finish(int milliseconds) {
    ProgramResult result;
    if (m_pid <= 0) return result;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (readSome(deadline)) {
    }
    int status = 0;
    for (;;) {
      const pid_t done = waitpid(m_pid, &status, WNOHANG);
      if (done == m_pid) break;
      if (Clock::now() >= deadline) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
        result.timedOut = true;
        break;
      }
      usleep(2000);
    }
    m_reaped = true;
    result.output = m_text;
    result.errors = m_errorText;
    if (result.timedOut) {
      result.exitStatus = -1;
    } else if (WIFEXITED(status)) {
      result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
      result.exitStatus = 128 + WTERMSIG(status);
    }
    return result;
  }

 private:
  using Clock = std::chrono::steady_clock;

  static void closeStream(int& stream) {
    if (stream >= 0) close(stream);
    stream = -1;
  }

  // Reads what one stream has; false at its end.
  static bool readInto(int& stream, std::string& text, size_t limit) {
    char buffer[4096];
    const ssize_t count = read(stream, buffer, std::min(sizeof buffer, limit - text.size()));
    if (count <= 0) {
      closeStream(stream);
      return false;
    }
    text.append(buffer, size_t(count));
    if (text.size() >= limit) closeStream(stream);
    return true;
  }

  // False at the end of every stream or when the deadline passed.
  bool readSome(Clock::time_point deadline) {
    if (m_output < 0 && m_errors < 0) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd waiting[2] = {{m_output, POLLIN, 0}, {m_errors, POLLIN, 0}};
    if (poll(waiting, 2, int(left)) <= 0) return false;
    if (waiting[0].revents != 0) readInto(m_output, m_text, m_outputLimit);
    if (waiting[1].revents != 0) readInto(m_errors, m_errorText, SIZE_MAX);
    return m_output >= 0 || m_errors >= 0;
  }

  pid_t m_pid = -1;
  int m_output = -1;
  int m_errors = -1;
  size_t m_outputLimit;
  bool m_reaped = false;
  std::string m_text;
  std::string m_errorText;
};

// Runs the program to its end within the time.
inline ProgramResult runProgram(const std::vector<std::string>& arguments, EnvironmentChanges changes = {},
                                int milliseconds = 60000, OutputStreams streams = {}) {
  ProgramProcess process(arguments, std::move(changes), streams);
  return process.finish(milliseconds);
}

// How often fragment occurs in text.
inline int countOf(const std::string& text, const std::string& fragment) {
  int count = 0;
  for (size_t at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + fragment.size())) {
    ++count;
  }
  return count;
}

}  // namespace e2e
