// Game data: LZMA decode throughput against liblzma decoding the same stream
// in the same run (goal: ratio_vs_liblzma within 1.5), and a compressed
// typed-array entry read through a three-part pack against a raw one, with
// the share of the compressed read that its second locate costs (the entry
// is located, then located again by readPackEntry, which seeks back: the
// part is reopened and skipped from byte 0).
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <chrono>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "game/toolkit/LzmaDecoder.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/Application.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/LzmaWriter.h"
#include "tools/writers/PackWriter.h"
#include "tools/writers/TypedArrayWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

// Game-like content: text, tables of small numbers, and pixel runs.
std::vector<uint8_t> sampleContent() {
  std::mt19937 random(20261210);
  std::vector<uint8_t> out;
  while (out.size() < (512u << 10)) {
    const std::string line = "The lantern flickers in room " + std::to_string(random() % 40) + ". ";
    out.insert(out.end(), line.begin(), line.end());
    for (int i = 0; i < 64; ++i) out.push_back(static_cast<uint8_t>(random() % 12));
    const uint8_t colour = static_cast<uint8_t>(random());
    out.insert(out.end(), 32 + random() % 96, colour);
  }
  return out;
}

struct LzmaFixture {
  std::vector<uint8_t> data = sampleContent();
  std::vector<uint8_t> entry = tools::lzmaCompress(data);
  std::vector<uint8_t> unknownSizeEntry = [this] {
    std::vector<uint8_t> copy = entry;
    std::memset(copy.data() + 5, 0xFF, 8);
    return copy;
  }();
  std::vector<uint8_t> out = std::vector<uint8_t>(data.size());

  void decodeOurs() {
    const auto header = lzma::readHeader(entry);
    if (lzma::decode(*header, std::span<const uint8_t>(entry).subspan(lzma::headerBytes), out.data()) !=
        lzma::Result::ok) {
      std::abort();
    }
  }
  void decodeLiblzma() {
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&stream, UINT64_MAX) != LZMA_OK) std::abort();
    stream.next_in = unknownSizeEntry.data();
    stream.avail_in = unknownSizeEntry.size();
    stream.next_out = out.data();
    stream.avail_out = out.size();
    const lzma_ret result = lzma_code(&stream, LZMA_FINISH);
    lzma_end(&stream);
    if (result != LZMA_STREAM_END) std::abort();
  }
};

void BM_LzmaDecode(benchmark::State& state) {
  LzmaFixture fixture;
  for (auto _ : state) fixture.decodeOurs();
  if (fixture.out != fixture.data) state.SkipWithError("decoded bytes differ");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fixture.data.size()));
}
BENCHMARK(BM_LzmaDecode)->Unit(benchmark::kMillisecond);

void BM_LzmaRatioVsLiblzma(benchmark::State& state) {
  LzmaFixture fixture;
  Clock::duration ours{}, reference{};
  for (auto _ : state) {
    const auto start = Clock::now();
    fixture.decodeOurs();
    const auto middle = Clock::now();
    fixture.decodeLiblzma();
    const auto end = Clock::now();
    ours += middle - start;
    reference += end - middle;
  }
  state.counters["ratio_vs_liblzma"] = double(ours.count()) / double(reference.count() ? reference.count() : 1);
  state.counters["compressed_bytes"] = double(fixture.entry.size());
}
BENCHMARK(BM_LzmaRatioVsLiblzma)->Unit(benchmark::kMillisecond);

// A runtime whose part files are served from memory.
std::map<std::string, std::vector<uint8_t>>& partFiles() {
  static std::map<std::string, std::vector<uint8_t>> files;
  return files;
}

java_io_InputStream* openFromMemory(String* name) {
  std::string key;
  for (char16_t c : name->view()) key += static_cast<char>(c);
  const std::vector<uint8_t>& bytes = partFiles()[key];
  ByteArray* array = newByteArray(static_cast<int32_t>(bytes.size()));
  if (array == nullptr) return nullptr;
  std::memcpy(array->m_elements, bytes.data(), bytes.size());
  return newObject<java_io_ByteArrayInputStream>(array);
}

Application* packRuntime() {
  static Application* application = [] {
    static ClassInitialisers initialisers;
    initialisers.gameStatics = describeGameStatics<ToolkitStatics>();
    setToolkitClassInitialisers(initialisers);
    auto* started = new Application();
    started->init(&initialisers, 32u << 20, 32u << 20);
    std::vector<std::string> literals(218);
    literals[48] = "UTF-8";
    literals[217] = "_";
    loadStringLiteralPool(tools::writeLiteralPool(literals));
    cGameToolkit::clinitGameData();
    toolkitStatics().cGamePack.opener = &openFromMemory;

    // Three parts; entries 4 (raw) and 5 (compressed) hold the same table,
    // behind 60 KiB of other entries of part 1.
    std::vector<int32_t> values;
    for (int i = 0; i < 4000; ++i) values.push_back((i * 37) % 5000 - 2500);
    const auto table = tools::writeTypedArray(tools::TypedArrayValue::ofInts(values));
    tools::PackWriter writer;
    for (int i = 0; i < 3; ++i) writer.add(1, std::vector<uint8_t>(20000, static_cast<uint8_t>(i)));
    for (int i = 0; i < 1; ++i) writer.add(1, std::vector<uint8_t>(20000, 9));
    writer.add(0, table);
    writer.add(0, table, tools::PackWriter::Compression::ifSmaller);
    writer.add(1, std::vector<uint8_t>(20000, 7));
    for (const auto& file : writer.write("bench", {0, 2, 6}, "_")) partFiles()[file.name] = file.bytes;
    cGameToolkit::openPack(newString("bench"));
    return started;
  }();
  return application;
}

// Reading another part first makes every read below start from a closed
// part, as a loader switching packs and parts would.
template <class Read>
Clock::duration timeRead(Read read) {
  cGameToolkit::closePack();
  const auto start = Clock::now();
  benchmark::DoNotOptimize(read());
  return Clock::now() - start;
}

void BM_PackTypedArrayCompressedVsRaw(benchmark::State& state) {
  Application* application = packRuntime();
  Clock::duration raw{}, compressed{}, secondLocate{};
  for (auto _ : state) {
    raw += timeRead([] { return cGameToolkit::readPackTypedArray(4); });
    compressed += timeRead([] { return cGameToolkit::readPackTypedArray(5); });
    // What the second locate costs: the entry located again right after its
    // type byte was read, as readPackEntry does.
    cGameToolkit::locatePack(5);
    const auto start = Clock::now();
    benchmark::DoNotOptimize(cGameToolkit::locatePack(5));
    secondLocate += Clock::now() - start;
    application->getObjectManager()->gc(ObjectManager::unthrottled);
  }
  state.counters["ratio_compressed_vs_raw"] = double(compressed.count()) / double(raw.count() ? raw.count() : 1);
  state.counters["second_locate_share"] =
      double(secondLocate.count()) / double(compressed.count() ? compressed.count() : 1);
}
BENCHMARK(BM_PackTypedArrayCompressedVsRaw)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
