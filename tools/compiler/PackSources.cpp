#include "tools/compiler/PackSources.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace tools {

void forEachPackSource(const std::filesystem::path& folder, std::string_view fileEnding, const LiteralTable& literals,
                       const std::function<void(const nlohmann::json& description, const std::string& packName)>& build) {
  using nlohmann::json;
  if (!std::filesystem::is_directory(folder)) return;
  std::vector<std::filesystem::path> sources;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    if (name.size() > fileEnding.size() && name.ends_with(fileEnding)) sources.push_back(file.path());
  }
  std::sort(sources.begin(), sources.end());
  for (const auto& source : sources) {
    try {
      std::ifstream in(source, std::ios::binary);
      const json description = json::parse(std::istreambuf_iterator<char>(in), {}, nullptr, false);
      if (description.is_discarded() || !description.is_object()) throw std::runtime_error("not a JSON object");
      const json& pack = description.value("pack", json());
      if (!pack.is_number_integer() || pack.get<int64_t>() < 0 ||
          pack.get<uint64_t>() >= literals.texts.size() || !literals.defined[pack.get<size_t>()]) {
        throw std::runtime_error("\"pack\" must be the index of a literal that names the pack");
      }
      build(description, literals.texts[pack.get<size_t>()]);
    } catch (const std::exception& error) {
      throw std::runtime_error(source.string() + ": " + error.what());
    }
  }
}

}  // namespace tools
