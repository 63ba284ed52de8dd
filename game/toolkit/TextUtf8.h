#pragma once
// The text packs' own UTF-8 decoder: one-, two- and three-byte forms, one
// UTF-16 unit each. Any ill-formed sequence makes the whole text invalid.
#include <optional>
#include <span>
#include <string>

std::optional<std::u16string> decodeTextUtf8(std::span<const uint8_t> bytes);
