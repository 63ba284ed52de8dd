// Decoding a 30-second music-like Ogg Vorbis fixture (44.1 kHz stereo chords
// with a beat), as a player's realize does: ratio_vs_memcpy is the decode's
// time over a plain copy of the PCM it yields, measured side by side;
// ratio_vs_playing_time is the decode's time over the 30 seconds it plays.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "runtime/media/decode/OggVorbisDecode.h"
#include "tools/writers/OggVorbisWriter.h"

namespace {

constexpr int rate = 44100;
constexpr int seconds = 30;

std::vector<int16_t> musicLikeSamples() {
  const double chordRoots[] = {220.0, 174.6, 261.6, 196.0};
  std::vector<int16_t> samples;
  samples.reserve(size_t(rate) * seconds * 2);
  uint32_t noise = 1;
  for (int frame = 0; frame < rate * seconds; ++frame) {
    const double time = double(frame) / rate;
    const double root = chordRoots[(frame / (rate * 2)) % 4];
    const double beat = std::exp(-8.0 * std::fmod(time, 0.5));
    noise = noise * 1664525u + 1013904223u;
    const double hat = beat * double(int32_t(noise >> 16) - 32768) / 32768.0;
    for (int channel = 0; channel < 2; ++channel) {
      double value = 0;
      for (double ratio : {1.0, 1.25, 1.5}) value += std::sin(2 * M_PI * root * ratio * (1 + 0.002 * channel) * time);
      samples.push_back(int16_t(3000 * value + 2500 * hat));
    }
  }
  return samples;
}

struct Fixture {
  std::string path;
  bool ready = false;
  Fixture() {
    const auto encoded = tools::encodeOggVorbis(musicLikeSamples(), 2, rate);
    if (!encoded) return;
    char name[] = "/tmp/media_bench_XXXXXX";
    const int descriptor = mkstemp(name);
    if (descriptor < 0) return;
    std::FILE* file = fdopen(descriptor, "wb");
    ready = std::fwrite(encoded->data(), 1, encoded->size(), file) == encoded->size();
    std::fclose(file);
    path = name;
  }
  ~Fixture() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

const Fixture& fixture() {
  static const Fixture instance;
  return instance;
}

void BM_OggDecodeRatio(benchmark::State& state) {
  if (!fixture().ready) {
    state.SkipWithError("no Ogg Vorbis encoder here");
    return;
  }
  using Clock = std::chrono::steady_clock;
  Clock::duration decodeTime{}, copyTime{};
  size_t pcmBytes = 0;
  std::vector<uint8_t> copy;
  for (auto _ : state) {
    const auto start = Clock::now();
    mediadecode::OggVorbisDecoder decoder;
    decoder.open(fixture().path.c_str());
    mediadecode::DecodedPcm pcm = decoder.decodeAll();
    decoder.clear();
    const auto middle = Clock::now();
    // The copy's target is touched beforehand, so page faults stay out of it.
    if (copy.size() != pcm.length) copy.assign(pcm.length, 0);
    const auto copyStart = Clock::now();
    std::memcpy(copy.data(), pcm.bytes, pcm.length);
    benchmark::DoNotOptimize(copy.data());
    const auto end = Clock::now();
    std::free(pcm.bytes);
    pcmBytes = pcm.length;
    decodeTime += middle - start;
    copyTime += end - copyStart;
  }
  const double iterations = double(state.iterations());
  state.counters["ratio_vs_memcpy"] = double(decodeTime.count()) / double(copyTime.count() ? copyTime.count() : 1);
  state.counters["ratio_vs_playing_time"] =
      std::chrono::duration<double>(decodeTime).count() / iterations / double(seconds);
  state.counters["pcm_bytes"] = double(pcmBytes);
}
BENCHMARK(BM_OggDecodeRatio)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
