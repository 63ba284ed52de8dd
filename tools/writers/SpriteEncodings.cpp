// Palette colours and module pixels in the sprite block's stored forms.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "tools/writers/SpriteWriter.h"

namespace tools {

namespace {

void need(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("sprite: " + what);
}

int indexBitsFor(int colours) {
  int bits = 0;
  while (((colours - 1) >> bits) != 0) ++bits;
  return bits;
}

std::vector<uint8_t> packed(const std::vector<uint8_t>& indices, int bits) {
  std::vector<uint8_t> out((indices.size() * bits + 7) / 8, 0);
  for (size_t i = 0; i < indices.size(); ++i) {
    need(indices[i] < (1 << bits), "index " + std::to_string(indices[i]) + " too wide for the packed encoding");
    const size_t bit = i * bits;
    out[bit / 8] |= static_cast<uint8_t>(indices[i] << (8 - bits - bit % 8));
  }
  return out;
}

size_t runLength(const std::vector<uint8_t>& values, size_t at, size_t limit) {
  size_t n = 1;
  while (at + n < values.size() && n < limit && values[at + n] == values[at]) ++n;
  return n;
}

std::vector<uint8_t> singleOrRun(const std::vector<uint8_t>& indices) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < indices.size();) {
    const size_t n = runLength(indices, i, 127);
    if (n == 1 && indices[i] < 128) {
      out.push_back(indices[i]);
    } else {
      out.push_back(static_cast<uint8_t>(128 + n));
      out.push_back(indices[i]);
    }
    i += n;
  }
  return out;
}

std::vector<uint8_t> runOrLiterals(const std::vector<uint8_t>& indices) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> literals;
  auto flushLiterals = [&] {
    if (literals.empty()) return;
    out.push_back(static_cast<uint8_t>(128 + literals.size()));
    out.insert(out.end(), literals.begin(), literals.end());
    literals.clear();
  };
  for (size_t i = 0; i < indices.size();) {
    const size_t n = runLength(indices, i, 127);
    if (n >= 3) {
      flushLiterals();
      out.push_back(static_cast<uint8_t>(n));
      out.push_back(indices[i]);
    } else {
      for (size_t k = 0; k < n; ++k) {
        literals.push_back(indices[i]);
        if (literals.size() == 127) flushLiterals();
      }
    }
    i += n;
  }
  flushLiterals();
  return out;
}

std::vector<uint8_t> packedRuns(const std::vector<uint8_t>& indices, int colours) {
  const int bits = indexBitsFor(colours);
  const size_t longest = (255u >> bits) + 1;
  std::vector<uint8_t> out;
  for (size_t i = 0; i < indices.size();) {
    need(indices[i] < colours, "index " + std::to_string(indices[i]) + " past the palette");
    const size_t n = runLength(indices, i, longest);
    out.push_back(static_cast<uint8_t>(((n - 1) << bits) | indices[i]));
    i += n;
  }
  return out;
}

std::vector<uint8_t> alphaPass(const std::vector<uint8_t>& alpha, size_t count) {
  std::vector<uint8_t> values = alpha;
  if (values.empty()) values.assign(count, 0xFF);
  need(values.size() == count, "one alpha value per pixel");
  std::vector<uint8_t> out;
  for (size_t i = 0; i < values.size();) {
    const size_t n = runLength(values, i, 255);
    if (n == 1 && values[i] != 254) {
      out.push_back(values[i]);
    } else {
      out.insert(out.end(), {254, static_cast<uint8_t>(n), values[i]});
    }
    i += n;
  }
  return out;
}

}  // namespace

uint32_t encodePaletteColour(int format, uint32_t argb) {
  const uint32_t a = argb >> 24, r = argb >> 16 & 0xFF, g = argb >> 8 & 0xFF, b = argb & 0xFF;
  switch (format) {
    case spriteformat::argb8888: return argb;
    case spriteformat::argb4444: return (a >> 4) << 12 | (r >> 4) << 8 | (g >> 4) << 4 | b >> 4;
    case spriteformat::argb1555:
      return (a >= 0x80 ? 0x8000u : 0) | (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    case spriteformat::rgb565:
      // Alpha 0 is the one key colour.
      if (a < 0x80) return 0xF81F;
      return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    default: throw std::runtime_error("sprite: unknown palette format " + std::to_string(format));
  }
}

std::vector<uint8_t> encodeModulePixels(int encoding, const std::vector<uint8_t>& indices,
                                        const std::vector<uint8_t>& alpha, int colours) {
  switch (encoding) {
    case spriteformat::packed1: return packed(indices, 1);
    case spriteformat::packed2: return packed(indices, 2);
    case spriteformat::packed4: return packed(indices, 4);
    case spriteformat::bytes: return indices;
    case spriteformat::singleOrRun: return singleOrRun(indices);
    case spriteformat::runOrLiterals: return runOrLiterals(indices);
    case spriteformat::packedRuns: return packedRuns(indices, colours);
    case spriteformat::runsWithAlpha: {
      std::vector<uint8_t> out = runOrLiterals(indices);
      const std::vector<uint8_t> alphas = alphaPass(alpha, indices.size());
      out.insert(out.end(), alphas.begin(), alphas.end());
      return out;
    }
    default: throw std::runtime_error("sprite: unknown pixel encoding " + std::to_string(encoding));
  }
}

}  // namespace tools
