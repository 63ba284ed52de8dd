#pragma once
// Replacing a file that holds the player's data so that a crash or a full
// disk leaves either the old or the new contents, never a mix: a temporary
// file beside it, flushed and synced, renamed over the old one, then the
// folder synced so that the rename itself survives a power cut.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wince {

// False (logged) when any step fails; the old file is then as it was and no
// temporary file is left behind.
bool replaceFileAtomically(std::u16string_view devicePath, std::span<const uint8_t> bytes);
bool replaceHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> bytes);

}  // namespace wince
