#pragma once
// The running Application's resource archive: its index lives in
// ResourceInputStream's statics of the static block, read on the first
// lookup, so every Application reads its own. Without a running Application
// (the program's check before start-up) each lookup reads the index afresh.
#include <cstdint>
#include <string_view>
#include <vector>

struct ResourceArchivePlace {
  int32_t offset;
  int32_t size;
};

// The named entry: one leading "/" dropped, ASCII letters compared without
// case, the first entry in index order wins. False when there is no such
// entry or the archive cannot be read (which is logged once per index read).
bool findResourceEntry(std::u16string_view name, ResourceArchivePlace& place);
// The bytes of the named entry; false, logged, when there is no such entry
// or its bytes cannot be read.
bool readResourceEntry(std::u16string_view name, std::vector<uint8_t>& bytes);
