#pragma once
// Puts a resource pack into the archive under the name the game asks for: a
// literal's text (a leading "/" is dropped, as the lookup drops it), part p
// >= 1 with the part infix literal and p appended.
#include <cstddef>
#include <string>

#include "tools/compiler/LiteralTable.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/PackWriter.h"

namespace tools {

// Parts of at most maxPartBytes, as whole entries allow. Throws
// std::runtime_error when an archive entry of that name exists.
void addPack(ArchiveWriter& archive, const LiteralTable& literals, const std::string& packName,
             const PackWriter& pack, size_t maxPartBytes);

}  // namespace tools
