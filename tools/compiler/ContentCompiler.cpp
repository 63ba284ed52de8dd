#include "tools/compiler/ContentCompiler.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "runtime/LiteralIds.h"
#include "tools/compiler/DescriptorCheck.h"
#include "tools/compiler/FontCompiler.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/compiler/MathTablePack.h"
#include "tools/compiler/PackStage.h"
#include "tools/compiler/TableSources.h"
#include "tools/compiler/TextSources.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/TextPackWriter.h"

namespace tools {
namespace {

std::string readSource(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be read");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error(path.string() + ": read error");
  return text;
}

// Every literal the code names must have a text of its own, not a filler.
void checkNamedLiterals(const LiteralTable& table, const std::filesystem::path& source) {
  for (const NamedLiteral& literal : namedLiterals) {
    const size_t index = size_t(literal.index);
    if (index >= table.defined.size() || !table.defined[index])
      throw std::runtime_error(source.string() + ": literal " + std::to_string(literal.index) + " (" +
                               std::string(literal.name) + ") is named in runtime/LiteralIds.h but has no text");
  }
}

// A second entry of the same name would never be found, and a leading "/"
// would make the entry unreachable by the usual "/name" request.
void addEntry(ArchiveWriter& archive, const std::string& name, std::vector<uint8_t> bytes) {
  if (name.empty() || name[0] == '/' || archive.contains(name))
    throw std::runtime_error("archive entry \"" + name + "\" would not be found by a lookup");
  archive.add(name, std::move(bytes));
}

// texts/<suffix>.txt -> the text pack named literal 128 + suffix. The first
// language is the reference whose line order fixes the ids.
void addTextPacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) return;
  const auto& texts = literals.texts;
  const std::string& prefix = texts.at(static_cast<size_t>(LiteralId::packNamePrefix));
  const std::filesystem::path referenceSource = folder / (texts.at(static_cast<size_t>(languageSuffixLiterals[0])) + ".txt");
  const auto reference = parseTextSource(readSource(referenceSource), referenceSource.string());
  for (LiteralId suffixId : languageSuffixLiterals) {
    const std::string& suffix = texts.at(static_cast<size_t>(suffixId));
    const std::filesystem::path source = folder / (suffix + ".txt");
    if (!std::filesystem::exists(source)) continue;
    const auto sections = alignToReference(reference, parseTextSource(readSource(source), source.string()),
                                           source.string());
    PackWriter pack;
    const int lastEntry = sections.empty() ? -1 : sections.rbegin()->first;
    for (int entry = 0; entry <= lastEntry; ++entry) {
      const auto found = sections.find(entry);
      try {
        pack.add(0, writeTextPack(found != sections.end() ? found->second.texts : std::vector<std::string>{}),
                 PackWriter::Compression::ifSmaller);
      } catch (const std::runtime_error& error) {
        throw std::runtime_error(source.string() + ": entry " + std::to_string(entry) + ": " + error.what());
      }
    }
    addPack(archive, literals, prefix + suffix, pack);
  }
}

}  // namespace

std::vector<uint8_t> compileContent(const std::filesystem::path& contentFolder) {
  const std::filesystem::path literalSource = contentFolder / "literals.txt";
  const LiteralTable literals = parseLiteralTable(readSource(literalSource), literalSource.string());
  checkNamedLiterals(literals, literalSource);
  std::vector<uint8_t> pool;
  try {
    pool = writeLiteralPool(literals.texts);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(literalSource.string() + ": " + error.what());
  }

  const std::filesystem::path descriptorSource = contentFolder / "app.jad";
  const std::string descriptor = readSource(descriptorSource);
  checkDescriptor(descriptor, descriptorSource.string());

  ArchiveWriter archive;
  addEntry(archive, "app.jad", std::vector<uint8_t>(descriptor.begin(), descriptor.end()));
  addEntry(archive, "constants.bin", std::move(pool));
  // A pack is opened by its literal's text; the archive drops its leading "/".
  const std::string mathPack = literals.texts[size_t(LiteralId::mathTablePack)];
  for (PackFile& file : writeMathTablePack(mathPack))
    addEntry(archive, file.name.starts_with('/') ? file.name.substr(1) : file.name, std::move(file.bytes));
  addPack(archive, literals, literals.texts[size_t(LiteralId::fontPack)], writeFontPack());
  addTextPacks(archive, literals, contentFolder / "texts");
  addTablePacks(archive, literals, contentFolder / "tables");
  return archive.write();
}

}  // namespace tools
