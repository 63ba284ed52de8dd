#pragma once
// Header text of the WinInet stand-in: the request lines a caller adds, and
// the response block collected from libcurl's header callback.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wince::internet {

// Splits "Name: value" lines (CR LF or LF between them, empty lines
// skipped) into single lines without their ends. False, with nothing
// added, when a line has no name, no colon, a name that is not an HTTP
// token, or a control character (other than tab) in its value.
bool splitRequestHeaderLines(std::u16string_view text, std::vector<std::string>* lines);

// Keeps the header block of the last response libcurl reports: a status
// line starts a new block (a redirect or an interim response replaces the
// one before), so the block ends as the final response's.
class ResponseHeaderCollector {
 public:
  explicit ResponseHeaderCollector(size_t byteLimit) : m_byteLimit(byteLimit) {}

  // One line as libcurl hands it, line end included. False once the block
  // would grow past the limit.
  bool addLine(std::string_view line);
  // Status line and headers, each ended by CR LF, then an empty line; the
  // bytes are widened one to one, so no byte is lost or misread.
  std::u16string rawHeadersCrlf() const;
  bool empty() const { return m_lines.empty(); }

 private:
  std::vector<std::string> m_lines;
  size_t m_bytes = 0;
  size_t m_byteLimit;
};

}  // namespace wince::internet
