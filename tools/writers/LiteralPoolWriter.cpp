#include "tools/writers/LiteralPoolWriter.h"

#include <limits>
#include <stdexcept>

#include "tools/writers/BigEndianWriter.h"

namespace tools {

std::vector<uint8_t> writeLiteralPool(const std::vector<std::string>& texts) {
  if (texts.size() > size_t(std::numeric_limits<int32_t>::max())) throw std::runtime_error("too many literals");
  BigEndianWriter out;
  out.writeInt(uint32_t(texts.size()));
  for (size_t index = 0; index < texts.size(); ++index) {
    try {
      out.writeUtf(texts[index]);
    } catch (const std::runtime_error& error) {
      throw std::runtime_error("literal " + std::to_string(index) + ": " + error.what());
    }
  }
  return out.take();
}

}  // namespace tools
