#include "game/toolkit/LzmaDecoder.h"

#include <vector>

namespace lzma {

namespace {

// Probability layout: one flat array of 11-bit probabilities.
constexpr uint32_t isMatch = 0;
constexpr uint32_t isRep = 192;
constexpr uint32_t isRepG0 = 204;
constexpr uint32_t isRepG1 = 216;
constexpr uint32_t isRepG2 = 228;
constexpr uint32_t isRep0Long = 240;
constexpr uint32_t posSlot = 432;
constexpr uint32_t specPos = 688;
constexpr uint32_t align = 802;
constexpr uint32_t lenCoder = 818;
constexpr uint32_t repLenCoder = 1332;
constexpr uint32_t literal = 1846;

// Inside a length coder.
constexpr uint32_t lenChoice = 0;
constexpr uint32_t lenChoice2 = 1;
constexpr uint32_t lenLow = 2;
constexpr uint32_t lenMid = 130;
constexpr uint32_t lenHigh = 258;

constexpr uint32_t probabilityBits = 11;
constexpr uint32_t moveBits = 5;
constexpr uint32_t topValue = 1u << 24;

class RangeDecoder {
 public:
  explicit RangeDecoder(std::span<const uint8_t> in) : m_next(in.data()), m_end(in.data() + in.size()) {
    for (int i = 0; i < 5; ++i) m_code = (m_code << 8) | nextByte();
  }

  bool exhausted() const { return m_exhausted; }

  uint32_t bit(uint16_t& probability) {
    const uint32_t bound = (m_range >> probabilityBits) * probability;
    uint32_t result;
    if (m_code < bound) {
      m_range = bound;
      probability = static_cast<uint16_t>(probability + (((1u << probabilityBits) - probability) >> moveBits));
      result = 0;
    } else {
      m_range -= bound;
      m_code -= bound;
      probability = static_cast<uint16_t>(probability - (probability >> moveBits));
      result = 1;
    }
    normalize();
    return result;
  }

  uint32_t tree(uint16_t* probabilities, int bits) {
    uint32_t m = 1;
    for (int i = 0; i < bits; ++i) m = (m << 1) | bit(probabilities[m]);
    return m - (1u << bits);
  }

  uint32_t reverseTree(uint16_t* probabilities, int bits) {
    uint32_t m = 1;
    uint32_t symbol = 0;
    for (int i = 0; i < bits; ++i) {
      const uint32_t b = bit(probabilities[m]);
      m = (m << 1) | b;
      symbol |= b << i;
    }
    return symbol;
  }

  uint32_t direct(int bits) {
    uint32_t result = 0;
    for (int i = 0; i < bits; ++i) {
      m_range >>= 1;
      const uint32_t b = m_code >= m_range ? 1 : 0;
      m_code -= m_range & (0u - b);
      result = (result << 1) | b;
      normalize();
    }
    return result;
  }

 private:
  void normalize() {
    if (m_range < topValue) {
      m_range <<= 8;
      m_code = (m_code << 8) | nextByte();
    }
  }
  uint32_t nextByte() {
    if (m_next == m_end) [[unlikely]] {
      m_exhausted = true;
      return 0xFF;
    }
    return *m_next++;
  }

  const uint8_t* m_next;
  const uint8_t* m_end;
  uint32_t m_range = 0xFFFFFFFFu;
  uint32_t m_code = 0;
  bool m_exhausted = false;
};

// A match or repeat length, 0-based (the length minus 2).
uint32_t decodeLength(RangeDecoder& rc, uint16_t* coder, uint32_t posState) {
  if (rc.bit(coder[lenChoice]) == 0) return rc.tree(coder + lenLow + (posState << 3), 3);
  if (rc.bit(coder[lenChoice2]) == 0) return 8 + rc.tree(coder + lenMid + (posState << 3), 3);
  return 16 + rc.tree(coder + lenHigh, 8);
}

}  // namespace

std::optional<Header> readHeader(std::span<const uint8_t> entry) {
  if (entry.size() < headerBytes || entry[0] >= 225) return std::nullopt;
  const int properties = entry[0];
  const uint32_t size = entry[5] | entry[6] << 8 | entry[7] << 16 | static_cast<uint32_t>(entry[8]) << 24;
  return Header{properties % 9, (properties % 45) / 9, properties / 45, size};
}

Result decode(const Header& header, std::span<const uint8_t> packed, uint8_t* out) {
  const uint32_t size = header.unpackedSize;
  if (size == 0) return Result::ok;
  std::vector<uint16_t> probabilities(literal + (0x300u << (header.lc + header.lp)), 1024);
  uint16_t* probs = probabilities.data();
  RangeDecoder rc(packed);

  const uint32_t posMask = (1u << header.pb) - 1;
  const uint32_t literalPosMask = (1u << header.lp) - 1;
  const int lc = header.lc;
  uint32_t state = 0;
  uint32_t rep0 = 0, rep1 = 0, rep2 = 0, rep3 = 0;
  uint32_t pos = 0;

  while (pos < size) {
    const uint32_t posState = pos & posMask;
    if (rc.bit(probs[isMatch + (state << 4) + posState]) == 0) {
      const uint32_t previous = pos > 0 ? out[pos - 1] : 0;
      uint16_t* literalProbs = probs + literal + 0x300 * (((pos & literalPosMask) << lc) + (previous >> (8 - lc)));
      uint32_t symbol = 1;
      if (state >= 7) {
        if (rep0 >= pos) return Result::badDistance;
        uint32_t matchByte = out[pos - rep0 - 1];
        while (symbol < 0x100) {
          const uint32_t matchBit = (matchByte >> 7) & 1;
          matchByte <<= 1;
          const uint32_t b = rc.bit(literalProbs[0x100 + (matchBit << 8) + symbol]);
          symbol = (symbol << 1) | b;
          if (matchBit != b) break;
        }
      }
      while (symbol < 0x100) symbol = (symbol << 1) | rc.bit(literalProbs[symbol]);
      out[pos++] = static_cast<uint8_t>(symbol);
      state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
      continue;
    }

    uint32_t length;
    if (rc.bit(probs[isRep + state]) != 0) {
      if (pos == 0) return Result::badDistance;
      if (rc.bit(probs[isRepG0 + state]) == 0) {
        if (rc.bit(probs[isRep0Long + (state << 4) + posState]) == 0) {
          // A single byte at the last distance.
          if (rep0 >= pos) return Result::badDistance;
          state = state < 7 ? 9 : 11;
          out[pos] = out[pos - rep0 - 1];
          ++pos;
          continue;
        }
      } else {
        uint32_t distance;
        if (rc.bit(probs[isRepG1 + state]) == 0) {
          distance = rep1;
        } else {
          if (rc.bit(probs[isRepG2 + state]) == 0) {
            distance = rep2;
          } else {
            distance = rep3;
            rep3 = rep2;
          }
          rep2 = rep1;
        }
        rep1 = rep0;
        rep0 = distance;
      }
      length = decodeLength(rc, probs + repLenCoder, posState);
      state = state < 7 ? 8 : 11;
    } else {
      rep3 = rep2;
      rep2 = rep1;
      rep1 = rep0;
      length = decodeLength(rc, probs + lenCoder, posState);
      state = state < 7 ? 7 : 10;
      const uint32_t lengthState = length < 3 ? length : 3;
      const uint32_t slot = rc.tree(probs + posSlot + (lengthState << 6), 6);
      if (slot < 4) {
        rep0 = slot;
      } else {
        const int directBits = static_cast<int>(slot >> 1) - 1;
        uint32_t distance = (2 | (slot & 1)) << directBits;
        if (slot < 14) {
          distance += rc.reverseTree(probs + specPos + distance - slot - 1, directBits);
        } else {
          distance += rc.direct(directBits - 4) << 4;
          distance += rc.reverseTree(probs + align, 4);
        }
        rep0 = distance;
      }
      // The end marker (distance 0xFFFFFFFF) before the output is full, like
      // any distance before the output's start, is damage.
    }
    if (rep0 >= pos) return Result::badDistance;
    uint32_t count = length + 2;
    if (count > size - pos) count = size - pos;
    const uint8_t* from = out + pos - rep0 - 1;
    uint8_t* to = out + pos;
    pos += count;
    // Byte by byte: the source may overlap what is being written.
    for (uint32_t i = 0; i < count; ++i) to[i] = from[i];
  }
  return rc.exhausted() ? Result::truncated : Result::ok;
}

}  // namespace lzma
