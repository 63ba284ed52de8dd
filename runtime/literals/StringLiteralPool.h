#pragma once
// The string-literal pool: literal i of compiled code is entry i of one
// ObjectArray of Strings, read once at start-up from the archive's
// "/constants.bin" (a signed 32-bit big-endian count, then each text in
// readUTF form). Pool Strings are never swept.
#include <cstdint>
#include <span>

class ObjectArray;
class String;

// Builds the pool from the bytes of /constants.bin and stores it in the
// running Application's static block. False, with a log line, when the count
// is negative or larger than the bytes could hold, a text is cut short or
// malformed, or the heap is full; the block then holds no pool.
bool loadStringLiteralPool(std::span<const uint8_t> bytes);
// The same checks as loading, without making anything: the program can tell
// before it starts whether it could read the pool (false with the same line).
bool checkStringLiteralPool(std::span<const uint8_t> bytes);
// Reads /constants.bin from the resource archive and loads it.
bool loadStringLiteralPoolFromArchive();

// Literal index of the running program. Without a pool, or for an index the
// pool lacks, logs "NullPointer" with a stack trace and answers null.
String* stringLiteral(int32_t index);
