#pragma once
// The game's sounds are made from short recipes: voices of tones, sweeps and
// noise with an envelope each, mixed to 16-bit mono.
#include <cstdint>
#include <string>
#include <vector>

namespace tools {

enum class Wave { sine, square, triangle, saw, noise };

// A tone gliding from fromHz to toHz (for noise: how often a new random
// value is drawn), shaped by a linear attack and release.
struct ToneSegment {
  double fromHz = 0;  // 0: silence
  double toHz = 0;
  double milliseconds = 0;
  double gain = 1;
};

struct Voice {
  Wave wave = Wave::sine;
  double gain = 0.5;
  double attackMilliseconds = 4;
  double releaseMilliseconds = 30;
  std::vector<ToneSegment> segments;  // one after the other
};

// The voices mixed; as long as the longest. The seed makes the noise.
std::vector<int16_t> synthesise(const std::vector<Voice>& voices, uint32_t rate, uint32_t seed);

// Notes as "E5:1 G#4:0.5 -:2" (a rest is "-"), beats at tempo per minute,
// to tone segments. Throws std::runtime_error naming the bad token.
std::vector<ToneSegment> parseNotes(const std::string& notes, double tempo);

}  // namespace tools
