#pragma once
// Replacing a file that holds the player's data so that a crash or a full
// disk leaves either the old or the new contents, never a mix: a temporary
// file beside it, flushed and synced, renamed over the old one, then the
// folder synced so that the rename itself survives a power cut.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace wince {

// False (logged) when any step fails; the old file is then as it was and no
// temporary file is left behind.
bool replaceFileAtomically(std::u16string_view devicePath, std::span<const uint8_t> bytes);
bool replaceHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> bytes);

// Removes the temporary files that replacements left when the process died
// before their rename: <name>.tmp-XXXXXX in the data folder, where <name> is
// the device path's file name followed by a rest for which belongs answers
// true ("" is the file itself). They are never the live copy. Answers how
// many were removed (logged).
int removeLeftoverTemporaries(std::u16string_view devicePath, const std::function<bool(std::string_view rest)>& belongs);

}  // namespace wince
