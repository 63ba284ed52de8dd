#pragma once
// A record store's index file: big-endian signed 32-bit nextRecordId, the
// count n, then n ids. Reading never trusts the file: sizes are checked
// before the ids are taken, and whatever cannot be right is mended or, when
// nothing can be taken from the file, rebuilt from the record files.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Larger stores are refused (RecordStoreFullException) and larger index
// files are not read: every id costs an Integer on the 3 MB object heap.
inline constexpr int32_t maxRecordsPerStore = 16384;
inline constexpr int64_t maxIndexBytes = 8 + 4 * int64_t{maxRecordsPerStore};
// No record of the game comes near; a larger file is not read into the
// object heap.
inline constexpr int64_t maxRecordBytes = 1 << 20;

struct RecordStoreIndex {
  int32_t nextRecordId = 0;  // the last id handed out
  std::vector<int32_t> ids;  // in file order

  bool operator==(const RecordStoreIndex&) const = default;
};

enum class IndexVerdict {
  intact,      // taken as it is
  mended,      // usable after fixes (see problem)
  unreadable,  // nothing can be taken from it: rebuild from the record files
};

struct IndexReading {
  RecordStoreIndex index;
  IndexVerdict verdict = IndexVerdict::intact;
  std::string problem;  // what was wrong, for the log line; empty when intact
};

// Ids of 0 or below and repeated ids are dropped; an id above nextRecordId
// raises it, so that no id in the list is ever handed out again; bytes after
// the last id are ignored. Shorter than the header, a negative count, more
// ids than the bytes hold or more than a store may have: unreadable.
IndexReading parseRecordStoreIndex(std::span<const uint8_t> bytes);

std::vector<uint8_t> serializeRecordStoreIndex(const RecordStoreIndex& index);

// Record files are looked for from id 1 upward until this many ids in a row
// have none (a deleted record leaves an empty file, so a store's files
// normally run without gaps).
inline constexpr int32_t recordProbeGap = 32;
inline constexpr int32_t recordProbeLimit = 1 << 20;

// The store as its record files show it, for an index that cannot be read:
// every non-empty record file is a record, in id order, and nextRecordId is
// the highest of their ids. Empty files are what deleted records leave; they
// hold nothing, so handing their ids out again loses nothing (and a store
// emptied by deleteRecordStore starts at id 1 again, as it always did).
// recordSize answers -1 for a missing file.
RecordStoreIndex indexFromRecordFiles(const std::function<int64_t(int32_t id)>& recordSize);
