// contentc: packs the content sources into data.bar and lints the result.
//   contentc --content <folder> --output <file> [--complete]
// --complete: the set holds the game world's packs, so their absence is a
// failure too. The output is replaced only when packing and the lint
// succeed, so a failed build never leaves an archive that looks up to date.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tools/compiler/ContentCompiler.h"
#include "tools/lint/ContentLint.h"
#include "tools/lint/ContentOrigins.h"

namespace {

int usage() {
  fprintf(stderr, "usage: contentc --content <folder> --output <data.bar> [--complete]\n");
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
  tools::LintRules rules;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--content") == 0 && i + 1 < argc) {
      content = argv[++i];
    } else if (strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
      output = argv[++i];
    } else if (strcmp(argv[i], "--complete") == 0) {
      rules.complete = true;
    } else {
      return usage();
    }
  }
  if (content.empty() || output.empty()) return usage();
  try {
    const std::vector<uint8_t> archive = tools::compileContent(content);
    std::vector<tools::LintProblem> problems = tools::lintContent(archive, rules);
    const auto isWarning = [](const tools::LintProblem& problem) { return problem.warning; };
    const auto firstProblem = std::stable_partition(problems.begin(), problems.end(), isWarning);
    // Finding the sources reads the content folder again: only when needed.
    std::optional<tools::ContentOrigins> origins;
    if (!problems.empty()) origins.emplace(content);
    const auto say = [&](const tools::LintProblem& problem, const char* prefix) {
      const std::string source = origins->sourceOf(problem);
      fprintf(stderr, "%s%s%s%s: %s\n", prefix, source.c_str(), source.empty() ? "" : ": ", problem.where.c_str(),
              problem.reason.c_str());
    };
    for (auto it = problems.begin(); it != firstProblem; ++it) say(*it, "contentc: warning: ");
    if (firstProblem != problems.end()) {
      fprintf(stderr, "contentc: the content lint refuses %s (%zu problems):\n", content.c_str(),
              size_t(problems.end() - firstProblem));
      for (auto it = firstProblem; it != problems.end(); ++it) say(*it, "");
      return 1;
    }
    writeOutput(output, archive);
  } catch (const std::exception& error) {
    fprintf(stderr, "contentc: %s\n", error.what());
    return 1;
  }
  return 0;
}
