#pragma once
// The trigonometry pack the game's cosLookup reads: entry 0 the quarter-wave
// cosine in 8.8 (65 ints for angles 0..64 of a 256-unit turn, 256 down to
// 0), entry 1 the quarter-wave sine, which the game loads and never reads.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/PackWriter.h"

namespace tools {

std::vector<int32_t> quarterWaveCosine();

// One part, named name.
std::vector<PackFile> writeMathTablePack(const std::string& name);

}  // namespace tools
