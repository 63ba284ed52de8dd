#pragma once
// The descriptor source content/app.jad is packed as it is; this check makes
// sure the MIDlet reads every line as meant. Its line splitter takes the
// first ':' at or after the line start, even on a later line, so a blank
// line or a line without ':' would corrupt the properties after it.
#include <string_view>

#include "tools/writers/DescriptorWriter.h"

namespace tools {

// The properties in order; throws std::runtime_error as
// "sourceName:line: problem" for an empty descriptor, a line without ':', an
// empty key, a repeated key, a stray carriage return or a byte outside
// printable ASCII (the MIDlet decodes ISO-8859-1, the sources are UTF-8).
DescriptorProperties checkDescriptor(std::string_view text, std::string_view sourceName);

}  // namespace tools
