#include "platform/javax_microedition_rms/RecordStoreIndex.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

namespace {

int32_t readInt(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<int32_t>(uint32_t{bytes[offset]} << 24 | uint32_t{bytes[offset + 1]} << 16 |
                              uint32_t{bytes[offset + 2]} << 8 | uint32_t{bytes[offset + 3]});
}

void appendInt(std::vector<uint8_t>& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  out.push_back(static_cast<uint8_t>(bits >> 24));
  out.push_back(static_cast<uint8_t>(bits >> 16));
  out.push_back(static_cast<uint8_t>(bits >> 8));
  out.push_back(static_cast<uint8_t>(bits));
}

IndexReading unreadable(std::string problem) {
  IndexReading reading;
  reading.verdict = IndexVerdict::unreadable;
  reading.problem = std::move(problem);
  return reading;
}

void note(IndexReading& reading, const std::string& problem) {
  reading.verdict = IndexVerdict::mended;
  if (!reading.problem.empty()) reading.problem += "; ";
  reading.problem += problem;
}

}  // namespace

IndexReading parseRecordStoreIndex(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8) return unreadable("shorter than its 8-byte header (" + std::to_string(bytes.size()) + " bytes)");
  const int32_t nextRecordId = readInt(bytes, 0);
  const int32_t count = readInt(bytes, 4);
  if (count < 0) return unreadable("negative record count " + std::to_string(count));
  if (count > maxRecordsPerStore) return unreadable("record count " + std::to_string(count) + " above the limit");
  const size_t needed = 8 + 4 * static_cast<size_t>(count);
  if (bytes.size() < needed) {
    return unreadable("cut short: " + std::to_string(count) + " ids need " + std::to_string(needed) + " bytes, it has " +
                      std::to_string(bytes.size()));
  }

  IndexReading reading;
  reading.index.nextRecordId = nextRecordId;
  if (bytes.size() > needed) note(reading, std::to_string(bytes.size() - needed) + " bytes after the last id ignored");
  std::unordered_set<int32_t> seen;
  int32_t dropped = 0, repeated = 0, highest = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = readInt(bytes, 8 + 4 * static_cast<size_t>(i));
    if (id <= 0) {
      ++dropped;
    } else if (!seen.insert(id).second) {
      ++repeated;
    } else {
      reading.index.ids.push_back(id);
      highest = std::max(highest, id);
    }
  }
  if (dropped > 0) note(reading, std::to_string(dropped) + " ids of 0 or below dropped");
  if (repeated > 0) note(reading, std::to_string(repeated) + " repeated ids dropped");
  if (highest > reading.index.nextRecordId || reading.index.nextRecordId < 0) {
    note(reading, "next id " + std::to_string(reading.index.nextRecordId) + " raised to " + std::to_string(highest));
    reading.index.nextRecordId = highest;
  }
  return reading;
}

std::vector<uint8_t> serializeRecordStoreIndex(const RecordStoreIndex& index) {
  std::vector<uint8_t> bytes;
  bytes.reserve(8 + 4 * index.ids.size());
  appendInt(bytes, index.nextRecordId);
  appendInt(bytes, static_cast<int32_t>(index.ids.size()));
  for (const int32_t id : index.ids) appendInt(bytes, id);
  return bytes;
}

RecordStoreIndex indexFromRecordFiles(const std::function<int64_t(int32_t id)>& recordSize) {
  RecordStoreIndex index;
  int32_t missingInARow = 0;
  for (int32_t id = 1; id <= recordProbeLimit && missingInARow < recordProbeGap; ++id) {
    const int64_t size = recordSize(id);
    if (size < 0) {
      ++missingInARow;
      continue;
    }
    missingInARow = 0;
    if (size == 0 || index.ids.size() >= static_cast<size_t>(maxRecordsPerStore)) continue;
    index.ids.push_back(id);
    index.nextRecordId = id;
  }
  return index;
}
