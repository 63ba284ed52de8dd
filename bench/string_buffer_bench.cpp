// StringBuffer appends, the game's hottest text path, against the same
// appends to a std::u16string in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "runtime/Application.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

namespace {

constexpr int appendsPerRound = 1024;

void StringBufferAppendAgainstU16String(benchmark::State& state) {
  ClassInitialisers table;
  Application application;
  application.init(&table, 4u << 20, 1u << 20);
  auto* buffer = newObject<StringBuffer>(int32_t{16});
  String* piece = newString("abc");
  std::u16string plain;
  using Clock = std::chrono::steady_clock;
  Clock::duration appending{}, plainAppending{};
  for (auto _ : state) {
    const auto start = Clock::now();
    buffer->setLength(0);
    for (int i = 0; i < appendsPerRound; ++i) {
      buffer->append(static_cast<char16_t>(u'a' + (i & 15)));
      if ((i & 7) == 0) buffer->append(piece);
    }
    benchmark::DoNotOptimize(buffer->length());
    const auto middle = Clock::now();
    plain.clear();
    for (int i = 0; i < appendsPerRound; ++i) {
      plain.push_back(static_cast<char16_t>(u'a' + (i & 15)));
      if ((i & 7) == 0) plain.append(u"abc", 3);
    }
    benchmark::DoNotOptimize(plain.data());
    benchmark::ClobberMemory();
    const auto end = Clock::now();
    appending += middle - start;
    plainAppending += end - middle;
    state.SetIterationTime(std::chrono::duration<double>(middle - start).count());
  }
  const double appends = static_cast<double>(state.iterations()) * (appendsPerRound + appendsPerRound / 8);
  state.counters["string_buffer_ns_per_append"] = std::chrono::duration<double, std::nano>(appending).count() / appends;
  state.counters["u16string_ns_per_append"] = std::chrono::duration<double, std::nano>(plainAppending).count() / appends;
  state.counters["string_buffer_to_u16string_ratio"] =
      std::chrono::duration<double>(appending).count() / std::chrono::duration<double>(plainAppending).count();
}
BENCHMARK(StringBufferAppendAgainstU16String)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
