#include "tools/writers/DescriptorWriter.h"

#include <stdexcept>

namespace tools {
namespace {

// The MIDlet trims with String::trim, which drops every character up to ' '.
bool readsBackAsGiven(const std::string& text) {
  for (const char c : text)
    if (c < ' ' || c > '~') return false;
  return text.empty() || (text.front() != ' ' && text.back() != ' ');
}

}  // namespace

std::string writeDescriptor(const DescriptorProperties& properties) {
  std::string text;
  for (const auto& [key, value] : properties) {
    if (key.empty() || key.find(':') != std::string::npos || !readsBackAsGiven(key))
      throw std::runtime_error("descriptor key \"" + key + "\" would not read back as given");
    if (!readsBackAsGiven(value))
      throw std::runtime_error("descriptor value of \"" + key + "\" would not read back as given");
    text += key + ": " + value + "\n";
  }
  return text;
}

}  // namespace tools
