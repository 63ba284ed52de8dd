#pragma once
// Event-script blocks for tests, encoded from the shared command table:
//
//   ScriptBuilder script;
//   script.cutscene(7, 2)
//       .track(2, 1, 4).key(0).cmd(21, {100, 200}).key(10).cmd(21, {300, 200})
//       .track(0, 0).key(0).cmd(54, {0});
//   cGame::loadEventScript(script.array());
//
// Tracks go to the cutscenes in order, as many as each declared; counts of
// keyframes and commands are filled in, or given by hand (keyframes(n),
// commands(n)) for blocks the loader must refuse.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "game/story/EventScriptFormat.h"
#include "runtime/lang/Arrays.h"

class ScriptBuilder {
 public:
  ScriptBuilder& cutscene(int32_t id, int32_t tracks) {
    m_cutscenes.push_back({id, tracks});
    return *this;
  }
  ScriptBuilder& track(int32_t type, int32_t flags, int32_t reference = 0) {
    m_tracks.push_back({type, flags, reference, {}, std::nullopt});
    return *this;
  }
  ScriptBuilder& keyframes(int32_t count) {
    m_tracks.back().keyframeCount = count;
    return *this;
  }
  ScriptBuilder& key(int32_t tenths) {
    m_tracks.back().keys.push_back({tenths, {}, 0, std::nullopt});
    return *this;
  }
  ScriptBuilder& commands(int32_t count) {
    m_tracks.back().keys.back().commandCount = count;
    return *this;
  }
  // One command; operands in the table's order and widths.
  ScriptBuilder& cmd(uint8_t op, std::initializer_list<int32_t> operands = {}) {
    Key& k = m_tracks.back().keys.back();
    k.bytes.push_back(op);
    const eventscript::Command* command = eventscript::findCommand(op);
    const size_t expected = command != nullptr ? command->operands.size() : 0;
    EXPECT_EQ(operands.size(), expected) << "opcode " << int(op);
    size_t i = 0;
    for (int32_t value : operands) {
      if (i >= expected) break;
      const int32_t width = eventscript::sizeOf(command->operands[i++].type);
      for (int32_t b = 0; b < width; ++b) k.bytes.push_back(static_cast<uint8_t>(value >> (8 * b)));
    }
    ++k.count;
    return *this;
  }
  // Bytes after the commands of the current keyframe, counted as nothing.
  ScriptBuilder& raw(std::initializer_list<uint8_t> bytes) {
    Key& k = m_tracks.back().keys.back();
    k.bytes.insert(k.bytes.end(), bytes);
    return *this;
  }

  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(m_cutscenes.size()));
    for (const auto& [id, tracks] : m_cutscenes) {
      put16(out, id);
      out.push_back(static_cast<uint8_t>(tracks));
    }
    for (const Track& t : m_tracks) {
      out.push_back(static_cast<uint8_t>(t.type));
      out.push_back(static_cast<uint8_t>(t.flags));
      if (t.type == 2 || t.type == 3) put16(out, t.reference);
      put16(out, t.keyframeCount.value_or(static_cast<int32_t>(t.keys.size())));
      for (const Key& k : t.keys) {
        put16(out, k.tenths);
        out.push_back(static_cast<uint8_t>(k.commandCount.value_or(k.count)));
        out.insert(out.end(), k.bytes.begin(), k.bytes.end());
      }
    }
    return out;
  }
  // Where track i's type byte lands in bytes().
  size_t trackOffset(size_t i) const {
    size_t offset = 1 + 3 * m_cutscenes.size();
    for (size_t j = 0; j < i; ++j) offset += trackBytes(m_tracks[j]);
    return offset;
  }
  size_t trackLength(size_t i) const { return trackBytes(m_tracks[i]); }

  ByteArray* array() const { return toArray(bytes()); }
  static ByteArray* toArray(const std::vector<uint8_t>& bytes) {
    ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
    return data;
  }

 private:
  struct Key {
    int32_t tenths;
    std::vector<uint8_t> bytes;
    int32_t count;
    std::optional<int32_t> commandCount;
  };
  struct Track {
    int32_t type, flags, reference;
    std::vector<Key> keys;
    std::optional<int32_t> keyframeCount;
  };

  static void put16(std::vector<uint8_t>& out, int32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
  static size_t trackBytes(const Track& t) {
    size_t n = static_cast<size_t>(eventscript::track::headerBytes(t.type));
    for (const Key& k : t.keys) n += 3 + k.bytes.size();
    return n;
  }

  std::vector<std::pair<int32_t, int32_t>> m_cutscenes;
  std::vector<Track> m_tracks;
};
