#pragma once
// The LZMA decoder of compressed pack entries, over plain bytes: the
// LZMA-alone header (properties byte, dictionary size, 64-bit unpacked
// size) and the range-coded data. The whole output is the dictionary; the
// decoder stops as soon as the output is full.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lzma {

constexpr size_t headerBytes = 13;
// No entry of the game unpacks to more; a larger size is damage, refused
// before anything is allocated.
constexpr uint32_t maxUnpackedSize = 4u << 20;

struct Header {
  int lc;
  int lp;
  int pb;
  // The low 32 bits of the header's size; the high ones are not used.
  uint32_t unpackedSize;
};

// Nothing for input shorter than the header or a properties byte of 225 or
// more.
std::optional<Header> readHeader(std::span<const uint8_t> entry);

enum class Result { ok, truncated, badDistance };

// Decodes the range-coded data (the bytes after the header) into
// out[0..header.unpackedSize). Refuses a distance before the output's start
// and data that ends before the output is full.
Result decode(const Header& header, std::span<const uint8_t> packed, uint8_t* out);

}  // namespace lzma
