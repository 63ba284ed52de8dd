// contentc: packs the content sources into data.bar.
//   contentc --content <folder> --output <file>
// The output is replaced only when packing succeeds, so a failed build never
// leaves a half-written archive that looks up to date.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/compiler/ContentCompiler.h"

namespace {

int usage() {
  fprintf(stderr, "usage: contentc --content <folder> --output <data.bar>\n");
  return 2;
}

void writeOutput(const std::filesystem::path& output, const std::vector<uint8_t>& bytes) {
  if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path());
  const std::filesystem::path temporary = output.string() + ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error(temporary.string() + ": cannot be written");
  }
  std::filesystem::rename(temporary, output);
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path content, output;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--content") == 0 && i + 1 < argc) {
      content = argv[++i];
    } else if (strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else {
      return usage();
    }
  }
  if (content.empty() || output.empty()) return usage();
  try {
    writeOutput(output, tools::compileContent(content));
  } catch (const std::exception& error) {
    fprintf(stderr, "contentc: %s\n", error.what());
    return 1;
  }
  return 0;
}
