#include "game/toolkit/SpritePixelDecoding.h"

#include <algorithm>

namespace {

// The palette widened to every byte value: indices past the colours are the
// transparent key, so no pixel needs a range check.
struct Lookup {
  int32_t colour[256];
  Lookup(const int32_t* palette, int32_t colours) {
    const int32_t n = std::clamp(colours, 0, 256);
    std::copy(palette, palette + n, colour);
    std::fill(colour + n, colour + 256, spriteTransparentKey);
  }
};

class Decoder {
 public:
  Decoder(const SpritePixelSource& source, const Lookup& lookup, int32_t* out, int32_t count)
      : m_in(source.bytes), m_end(source.bytes + source.size), m_lookup(lookup), m_out(out), m_count(count) {}

  bool packed(int32_t bitsPerPixel) {
    const int64_t needed = (static_cast<int64_t>(m_count) * bitsPerPixel + 7) / 8;
    if (needed > m_end - m_in) return false;
    const int32_t perByte = 8 / bitsPerPixel;
    const int32_t mask = (1 << bitsPerPixel) - 1;
    int32_t written = 0;
    while (written < m_count) {
      const int32_t b = *m_in++;
      const int32_t inThisByte = std::min(perByte, m_count - written);
      for (int32_t i = 0; i < inThisByte; ++i)
        m_out[written++] = m_lookup.colour[(b >> (8 - bitsPerPixel * (i + 1))) & mask];
    }
    return true;
  }

  bool bytes() {
    if (m_count > m_end - m_in) return false;
    for (int32_t i = 0; i < m_count; ++i) m_out[i] = m_lookup.colour[m_in[i]];
    m_in += m_count;
    return true;
  }

  bool singleOrRun() {
    int32_t written = 0;
    while (written < m_count) {
      if (m_in >= m_end) return false;
      const int32_t b = *m_in++;
      if (b < 128) {
        m_out[written++] = m_lookup.colour[b];
        continue;
      }
      if (m_in >= m_end) return false;
      written = fill(written, b - 128, m_lookup.colour[*m_in++]);
    }
    return true;
  }

  bool runOrLiterals() {
    int32_t written = 0;
    while (written < m_count) {
      if (m_in >= m_end) return false;
      const int32_t b = *m_in++;
      if (b < 128) {
        if (m_in >= m_end) return false;
        written = fill(written, b, m_lookup.colour[*m_in++]);
        continue;
      }
      const int32_t literals = std::min(b - 128, m_count - written);
      if (literals > m_end - m_in) return false;
      for (int32_t i = 0; i < literals; ++i) m_out[written++] = m_lookup.colour[*m_in++];
      // Literals past the module's pixels are skipped, not drawn.
      const int32_t excess = b - 128 - literals;
      if (excess > m_end - m_in) return false;
      m_in += excess;
    }
    return true;
  }

  bool packedRuns(int32_t indexBits, int32_t indexMask) {
    int32_t written = 0;
    while (written < m_count) {
      if (m_in >= m_end) return false;
      const int32_t b = *m_in++;
      written = fill(written, (b >> indexBits) + 1, m_lookup.colour[b & indexMask & 0xFF]);
    }
    return true;
  }

  bool alphaPass() {
    int32_t done = 0;
    while (done < m_count) {
      if (m_in >= m_end) return false;
      const int32_t a = *m_in++;
      if (a != 254) {
        setAlpha(done++, a);
        continue;
      }
      if (m_end - m_in < 2) return false;
      const int32_t run = std::min<int32_t>(m_in[0], m_count - done);
      const int32_t alpha = m_in[1];
      m_in += 2;
      for (int32_t i = 0; i < run; ++i) setAlpha(done++, alpha);
    }
    return true;
  }

 private:
  int32_t fill(int32_t written, int32_t run, int32_t colour) {
    const int32_t end = written + std::min(run, m_count - written);
    std::fill(m_out + written, m_out + end, colour);
    return end;
  }
  void setAlpha(int32_t i, int32_t alpha) {
    m_out[i] = static_cast<int32_t>((static_cast<uint32_t>(m_out[i]) & 0xFFFFFFu) | static_cast<uint32_t>(alpha) << 24);
  }

  const uint8_t* m_in;
  const uint8_t* m_end;
  const Lookup& m_lookup;
  int32_t* m_out;
  int32_t m_count;
};

}  // namespace

bool decodeSpritePixels(const SpritePixelSource& source, const int32_t* palette, int32_t colours, int32_t* out,
                        int32_t count) {
  if (count < 0 || (source.bytes == nullptr && source.size > 0)) return false;
  const Lookup lookup(palette, colours);
  Decoder decoder(source, lookup, out, count);
  switch (source.encoding) {
    case spriteencoding::packed1: return decoder.packed(1);
    case spriteencoding::packed2: return decoder.packed(2);
    case spriteencoding::packed4: return decoder.packed(4);
    case spriteencoding::bytes: return decoder.bytes();
    case spriteencoding::singleOrRun: return decoder.singleOrRun();
    case spriteencoding::runOrLiterals: return decoder.runOrLiterals();
    case spriteencoding::packedRuns: return decoder.packedRuns(source.indexBits, source.indexMask);
    case spriteencoding::runsWithAlpha: return decoder.runOrLiterals() && decoder.alphaPass();
    default: return false;
  }
}
