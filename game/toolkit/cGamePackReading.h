#pragma once
// For the toolkit's readers of pack entries (text packs, sound bank): the
// data of the entry that locatePack has just positioned the stream on, read
// whole; null (and the stream closed) when the part ends first.
#include <cstdint>

class ByteArray;

ByteArray* readLocatedPackEntry(int32_t n);
