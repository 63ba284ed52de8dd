#pragma once
// The sound stage: content/sounds.json holds a recipe per sound of the bank;
// each becomes a WAV file (16-bit mono PCM) or an Ogg Vorbis file, the entry
// of that id in the sound pack, whose entry type is the sound's channel.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools {

struct SoundPackEntry {
  int32_t type = 0;  // the channel: 1 A (music), 0 B
  std::vector<uint8_t> bytes;  // empty for a sound that is never played
};

// One entry per sound id, in id order. Throws std::runtime_error naming the
// source and the sound at fault.
std::vector<SoundPackEntry> compileSounds(const std::string& recipes, const std::string& sourceName);

}  // namespace tools
