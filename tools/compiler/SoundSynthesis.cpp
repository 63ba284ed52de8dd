#include "tools/compiler/SoundSynthesis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace tools {
namespace {

constexpr double pi = 3.14159265358979323846;

// One period of the wave at phase 0..1, in -1..1.
double waveAt(Wave wave, double phase) {
  switch (wave) {
    case Wave::sine: return std::sin(2 * pi * phase);
    case Wave::square: return phase < 0.5 ? 1.0 : -1.0;
    case Wave::triangle: return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::saw: return 2 * phase - 1;
    case Wave::noise: break;
  }
  return 0;
}

// A small fixed generator: the same seed always gives the same noise.
struct Noise {
  uint32_t state;
  double next() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 23) - 1.0;
  }
};

void renderVoice(const Voice& voice, uint32_t rate, uint32_t seed, std::vector<double>& mix) {
  Noise noise{seed * 2654435761u + 1};
  double noiseValue = 0;
  double phase = 0;
  size_t position = 0;
  for (const ToneSegment& segment : voice.segments) {
    const auto length = size_t(std::llround(segment.milliseconds * rate / 1000.0));
    const double attack = std::min(voice.attackMilliseconds * rate / 1000.0, length / 2.0);
    const double release = std::min(voice.releaseMilliseconds * rate / 1000.0, length / 2.0);
    if (mix.size() < position + length) mix.resize(position + length, 0.0);
    for (size_t index = 0; index < length && segment.fromHz > 0; ++index) {
      const double progress = length > 1 ? double(index) / double(length - 1) : 0.0;
      const double hz = segment.fromHz + (segment.toHz - segment.fromHz) * progress;
      double envelope = 1;
      if (index < attack) envelope = index / attack;
      if (length - index < release) envelope = std::min(envelope, (length - index) / release);
      const double previousPhase = phase;
      phase += hz / rate;
      phase -= std::floor(phase);
      double value;
      if (voice.wave == Wave::noise) {
        if (phase < previousPhase || index == 0) noiseValue = noise.next();
        value = noiseValue;
      } else {
        value = waveAt(voice.wave, phase);
      }
      mix[position + index] += value * envelope * segment.gain * voice.gain;
    }
    position += length;
  }
}

// "C4" is middle C; A4 is 440 Hz.
double noteHz(const std::string& name) {
  static const int semitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.empty() || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = semitones[name[0] - 'A'];
  size_t at = 1;
  if (at < name.size() && (name[at] == '#' || name[at] == 'b')) semitone += name[at++] == '#' ? 1 : -1;
  if (at >= name.size()) return -1;
  char* end = nullptr;
  const long octave = std::strtol(name.c_str() + at, &end, 10);
  if (*end != '\0' || octave < 0 || octave > 9) return -1;
  const int fromA4 = int(octave - 4) * 12 + semitone - 9;
  return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

}  // namespace

std::vector<ToneSegment> parseNotes(const std::string& notes, double tempo) {
  if (!(tempo > 0)) throw std::runtime_error("notes need a tempo above 0");
  std::vector<ToneSegment> segments;
  std::istringstream tokens(notes);
  std::string token;
  while (tokens >> token) {
    const size_t colon = token.find(':');
    char* end = nullptr;
    const double beats = colon == std::string::npos ? 0 : std::strtod(token.c_str() + colon + 1, &end);
    const std::string name = token.substr(0, colon);
    const double hz = name == "-" ? 0 : noteHz(name);
    if (colon == std::string::npos || *end != '\0' || !(beats > 0) || hz < 0)
      throw std::runtime_error("bad note \"" + token + "\" (write NOTE:beats, as C#4:0.5, or -:1 for a rest)");
    segments.push_back({hz, hz, beats * 60000.0 / tempo, 1});
  }
  return segments;
}

std::vector<int16_t> synthesise(const std::vector<Voice>& voices, uint32_t rate, uint32_t seed) {
  std::vector<double> mix;
  for (size_t index = 0; index < voices.size(); ++index)
    renderVoice(voices[index], rate, seed + uint32_t(index), mix);
  std::vector<int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(),
                 [](double value) { return int16_t(std::lround(std::clamp(value, -1.0, 1.0) * 32767)); });
  return samples;
}

}  // namespace tools
