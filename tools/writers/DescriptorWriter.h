#pragma once
// The application descriptor app.jad: one "key: value" line per property,
// each ended by a line feed. The MIDlet splits a line at its first ':' and
// trims both sides, and decodes the bytes as ISO-8859-1.
#include <string>
#include <utility>
#include <vector>

namespace tools {

using DescriptorProperties = std::vector<std::pair<std::string, std::string>>;

// Throws std::runtime_error for a property the MIDlet would not read back as
// given: an empty key, a key holding ':', a key or value with a line break,
// leading or trailing blanks, or characters outside printable ASCII.
std::string writeDescriptor(const DescriptorProperties& properties);

}  // namespace tools
