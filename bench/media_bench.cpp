// Sounds turned into PCM, each against the least its work could cost,
// measured side by side in one run. Ogg: a 30-second music-like fixture
// (44.1 kHz stereo chords with a beat) decoded as a player's realize does,
// against Tremor decoding the same file into a ready buffer
// (ratio_vs_tremor), and over the 30 seconds it plays
// (ratio_vs_playing_time). WAV: a player created from a stream of the
// file's bytes and realized, against a copy of its PCM (ratio_vs_memcpy).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <tremor/ivorbisfile.h>

#include "runtime/Application.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/media/decode/OggVorbisDecode.h"
#include "runtime/media/javax_microedition_media_Manager.h"
#include "runtime/media/javax_microedition_media_Player.h"
#include "runtime/object/ClassInitialisers.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tools/writers/OggVorbisWriter.h"
#include "wince/audio_options.h"

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

// Tremor alone: the file opened, every packet decoded into a buffer that
// is already there, the stream closed.
size_t decodeWithTremorAlone(const char* path, std::vector<char>& pcm) {
  std::FILE* file = std::fopen(path, "rb");
  OggVorbis_File vorbis;
  if (!file || ov_open(file, &vorbis, nullptr, 0) != 0) std::abort();
  size_t decoded = 0;
  int link = 0;
  for (long count; (count = ov_read(&vorbis, pcm.data() + decoded, int(std::min<size_t>(4096, pcm.size() - decoded)),
                                    &link)) > 0;)
    decoded += size_t(count);
  ov_clear(&vorbis);  // closes the file too
  return decoded;
}

void BM_OggDecodeRatio(benchmark::State& state) {
  if (!fixture().ready) {
    state.SkipWithError("no Ogg Vorbis encoder here");
    return;
  }
  using Clock = std::chrono::steady_clock;
  Clock::duration decodeTime{}, tremorTime{};
  size_t pcmBytes = 0;
  // Room for all of it and one more read, touched beforehand so that page
  // faults stay out of the baseline.
  std::vector<char> ready(size_t(rate) * seconds * 4 + 8192, 0);
  for (auto _ : state) {
    const auto start = Clock::now();
    mediadecode::OggVorbisDecoder decoder;
    decoder.open(fixture().path.c_str());
    mediadecode::DecodedPcm pcm = decoder.decodeAll();
    decoder.clear();
    const auto middle = Clock::now();
    const size_t tremorBytes = decodeWithTremorAlone(fixture().path.c_str(), ready);
    const auto end = Clock::now();
    benchmark::DoNotOptimize(ready.data());
    std::free(pcm.bytes);
    if (tremorBytes != pcm.length) state.SkipWithError("the decoder and Tremor disagree on the length");
    pcmBytes = pcm.length;
    decodeTime += middle - start;
    tremorTime += end - middle;
  }
  const double iterations = double(state.iterations());
  state.counters["ratio_vs_tremor"] = double(decodeTime.count()) / double(tremorTime.count() ? tremorTime.count() : 1);
  state.counters["ratio_vs_playing_time"] =
      std::chrono::duration<double>(decodeTime).count() / iterations / double(seconds);
  state.counters["pcm_bytes"] = double(pcmBytes);
}
BENCHMARK(BM_OggDecodeRatio)->Unit(benchmark::kMillisecond);

// Ten seconds of 44.1 kHz stereo 16-bit PCM in a RIFF WAVE file.
std::vector<uint8_t> wavFile() {
  constexpr uint32_t pcmBytes = rate * 10 * 4;
  std::vector<uint8_t> file;
  const auto put = [&](uint32_t value, int size) {
    for (int k = 0; k < size; ++k) file.push_back(uint8_t(value >> (8 * k)));
  };
  const auto tag = [&](const char* text) { file.insert(file.end(), text, text + 4); };
  tag("RIFF");
  put(4 + 24 + 8 + pcmBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(2, 2);
  put(rate, 4);
  put(rate * 4, 4);
  put(4, 2);
  put(16, 2);
  tag("data");
  put(pcmBytes, 4);
  const std::vector<int16_t> samples = musicLikeSamples();
  for (uint32_t k = 0; k < pcmBytes / 2; ++k) put(uint16_t(samples[k % samples.size()]), 2);
  return file;
}

// The bench's game block: the file's bytes as a Java array, kept alive.
struct MediaBenchRoots {
  Object* file;
  static constexpr auto referenceFields() { return ReferenceFieldList{&MediaBenchRoots::file}; }
};

void BM_WavRealizeRatio(benchmark::State& state) {
  if (!wince::selectAudioBackend(wince::AudioChoice::null)) {
    state.SkipWithError("no null audio device");
    return;
  }
  ClassInitialisers table;
  table.gameStatics = describeGameStatics<MediaBenchRoots>();
  Application application;
  application.init(&table, 4u << 20, 8u << 20);
  const std::vector<uint8_t> file = wavFile();
  ByteArray* bytes = newByteArray(int32_t(file.size()));
  std::memcpy(bytes->elements(), file.data(), file.size());
  gameStaticsAs<MediaBenchRoots>().file = bytes;
  String* type = newString("audio/x-wav");
  const size_t pcmOffset = 44, pcmLength = file.size() - pcmOffset;
  std::vector<uint8_t> copy(pcmLength, 0);

  using Clock = std::chrono::steady_clock;
  Clock::duration realizeTime{}, copyTime{};
  for (auto _ : state) {
    // The stream is the game's input, made outside the timing.
    auto* array = static_cast<ByteArray*>(gameStaticsAs<MediaBenchRoots>().file);
    auto* stream = newObject<java_io_ByteArrayInputStream>(array);
    const auto start = Clock::now();
    Object* created = javax_microedition_media_Manager::createPlayer(stream, type);
    auto* player = created ? static_cast<javax_microedition_media_Player*>(created->lookupInterface(
                                 classid::javax_microedition_media_Player))
                           : nullptr;
    if (player) player->realize();
    const auto middle = Clock::now();
    std::memcpy(copy.data(), file.data() + pcmOffset, pcmLength);
    benchmark::DoNotOptimize(copy.data());
    const auto end = Clock::now();
    if (!player) {
      state.SkipWithError("no player for the WAV file");
      break;
    }
    player->close();
    realizeTime += middle - start;
    copyTime += end - middle;
  }
  state.counters["ratio_vs_memcpy"] = double(realizeTime.count()) / double(copyTime.count() ? copyTime.count() : 1);
  state.counters["pcm_bytes"] = double(pcmLength);
  application.close();
}
BENCHMARK(BM_WavRealizeRatio)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
