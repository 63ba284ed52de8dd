#pragma once
// Sets (or, with null, removes) an environment variable for a scope and puts
// back what was there: the environment is process-wide.
#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : m_name(name) {
    if (const char* previous = std::getenv(name)) m_previous = previous;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnvironment() { m_previous ? setenv(m_name, m_previous->c_str(), 1) : unsetenv(m_name); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* m_name;
  std::optional<std::string> m_previous;
};
