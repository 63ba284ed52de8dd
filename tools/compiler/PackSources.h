#pragma once
// The JSON sources that each describe one resource pack: found in a folder
// by their file-name ending, taken in name order, each an object whose
// "pack" is the index of the literal that names the pack.
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "tools/compiler/LiteralTable.h"

namespace tools {

// Calls build with each source's description and its pack's name. Any
// error, the build's too, is thrown again as std::runtime_error naming the
// source. A missing folder has no sources.
void forEachPackSource(const std::filesystem::path& folder, std::string_view fileEnding, const LiteralTable& literals,
                       const std::function<void(const nlohmann::json& description, const std::string& packName)>& build);

}  // namespace tools
