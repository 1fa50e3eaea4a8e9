// The Windows-1251 codec in both directions against UTF-16 (the interface
// boundary) and UTF-8 (scripts and tests), on a long mixed text and on one
// goods name, the size the boundary converts on every call. Throughput is
// counted in bytes of Windows-1251 text, so the directions compare.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/scenes.h"
#include "platform/ansi.h"
#include "platform/codepage.h"

namespace {

constexpr size_t kLongTextBytes = 64 * 1024;

std::string LongText() {
  // A receipt's worth of Russian with digits, punctuation and Latin letters.
  const std::string_view line = "Хлеб пшеничный нарезной 0,4 кг  2 x 45.50 = 91.00  НДС 10% (ИНН 7701234567)\r\n"_ansi;
  std::string text;
  while (text.size() + line.size() <= kLongTextBytes) text += line;
  return text;
}

template <class Convert>
void Bench(benchmark::State& state, const std::string& ansi, Convert convert) {
  for (auto _ : state) benchmark::DoNotOptimize(convert());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(ansi.size()));
  state.counters["text_bytes"] = static_cast<double>(ansi.size());
}

void RegisterSize(const std::string& size, std::string ansi) {
  auto text = std::make_shared<const std::string>(std::move(ansi));
  auto wide = std::make_shared<const OleString>(AnsiToUtf16(*text));
  auto utf8 = std::make_shared<const std::string>(AnsiToUtf8(*text));
  benchmark::RegisterBenchmark(("codec/utf16_to_1251/" + size).c_str(), [=](benchmark::State& state) {
    Bench(state, *text, [&] { return Utf16ToAnsi(*wide); });
  });
  benchmark::RegisterBenchmark(("codec/1251_to_utf16/" + size).c_str(), [=](benchmark::State& state) {
    Bench(state, *text, [&] { return AnsiToUtf16(*text); });
  });
  benchmark::RegisterBenchmark(("codec/utf8_to_1251/" + size).c_str(), [=](benchmark::State& state) {
    Bench(state, *text, [&] { return Utf8ToAnsi(*utf8); });
  });
  benchmark::RegisterBenchmark(("codec/1251_to_utf8/" + size).c_str(), [=](benchmark::State& state) {
    Bench(state, *text, [&] { return AnsiToUtf8(*text); });
  });
}

}  // namespace

void RegisterCodecBenchmarks() {
  RegisterSize("64KiB", LongText());
  RegisterSize("name", std::string("Молоко пастеризованное 3,2% 1 л"_ansi));
}
