#include "tools/compiler/PackStage.h"

#include <stdexcept>

#include "runtime/LiteralIds.h"

namespace tools {

void addPack(ArchiveWriter& archive, const LiteralTable& literals, const std::string& packName,
             const PackWriter& pack, size_t maxPartBytes) {
  const std::string name = packName.starts_with("/") ? packName.substr(1) : packName;
  const std::string& infix = literals.texts.at(static_cast<size_t>(LiteralId::packPartInfix));
  for (PackFile& file : pack.write(name, pack.splitByBytes(maxPartBytes), infix)) {
    if (file.name.empty() || archive.contains(file.name)) {
      throw std::runtime_error("pack part \"" + file.name + "\" would not be found by a lookup");
    }
    archive.add(file.name, std::move(file.bytes));
  }
}

}  // namespace tools
