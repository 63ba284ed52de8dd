#pragma once
// Level-record streams for tests, encoded from the shared record
// description: record(op, {field values in stream order}).
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/world/LevelRecordFormat.h"
#include "runtime/lang/Arrays.h"

class LevelStream {
 public:
  // One record; values are given for every field of the opcode, in order.
  LevelStream& record(uint8_t op, const std::vector<int32_t>& values = {}) {
    m_bytes.push_back(op);
    const levelrecord::Record* description = levelrecord::findRecord(op);
    const size_t fieldCount = description != nullptr ? description->fields.size() : 0;
    EXPECT_EQ(values.size(), fieldCount) << "record " << int(op) << " has " << fieldCount << " fields";
    size_t i = 0;
    for (int32_t value : values) {
      if (i >= fieldCount) break;
      if (levelrecord::sizeOf(description->fields[i].type) == 2) {
        m_bytes.push_back(static_cast<uint8_t>(value));
        m_bytes.push_back(static_cast<uint8_t>(value >> 8));
      } else {
        m_bytes.push_back(static_cast<uint8_t>(value));
      }
      ++i;
    }
    return *this;
  }
  // Raw bytes, for streams the description would not make.
  LevelStream& raw(std::initializer_list<uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes);
    return *this;
  }
  LevelStream& cut(size_t length) {
    m_bytes.resize(length);
    return *this;
  }
  size_t size() const { return m_bytes.size(); }
  const std::vector<uint8_t>& bytes() const { return m_bytes; }

  ByteArray* array() const {
    ByteArray* data = newByteArray(static_cast<int32_t>(m_bytes.size()));
    for (size_t i = 0; i < m_bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(m_bytes[i]));
    return data;
  }

 private:
  std::vector<uint8_t> m_bytes;
};
