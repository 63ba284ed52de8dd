#pragma once
// Modified UTF-8 as readUTF reads it: one byte for 0x00..0x7F, two bytes
// (110xxxxx 10xxxxxx), three bytes (1110xxxx 10xxxxxx 10xxxxxx); a zero byte
// is accepted as character 0. Shared by java_io_DataInputStream::readUTF and
// the literal-pool loader so that both accept exactly the same texts.
#include <cstdint>
#include <span>

// Decodes bytes into units, which holds at least bytes.size() elements.
// Answers the number of characters, or -1 on a malformed sequence.
int32_t decodeModifiedUtf8(std::span<const uint8_t> bytes, char16_t* units);
