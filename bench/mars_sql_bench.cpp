// MARS models whose SQL grows with products: a chain of 600 products (each basis
// function times the one before), and the each-uses-the-two-before model, whose
// inlined SQL doubles at every step. The chain converts at the speed of writing its
// text; the doubling model is refused from its computed size, long before it would
// exhaust memory. Bytes/s is the SQL written (0 for a refusal).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/export/code/mars_spss.h"
#include "core/export/code/mars_sql.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/ports/message_port.h"

namespace {

class SilentMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Yes;
  }
};

// Basis function i multiplies its hinge by the `uses` basis functions before it.
std::string ProductModel(int count, int uses) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += "BF" + std::to_string(i) + " = max(0, X" + std::to_string(i % 7) + " - " +
            std::to_string(i) + ".5)";
    for (int u = 1; u <= uses && i - u >= 1; ++u) text += " * BF" + std::to_string(i - u);
    text += ";\r\n";
  }
  text += "\r\nY = 1";
  for (int i = 1; i <= count; i += 50) text += " + 0.5 * BF" + std::to_string(i);
  text += " - 2 * BF" + std::to_string(count) + ";\r\n\r\nMODEL Y = BF1;\r\n";
  return text;
}

kdk::MarsModel Parsed(const std::string& text) {
  SilentMessages messages;
  std::vector<std::string> lines;
  kdk::MarsModel model;
  kdk::SplitTextLines(text, lines);
  kdk::ParseMarsLines(lines, model, messages);
  return model;
}

void ConvertToSql(benchmark::State& state, int count, int uses) {
  const kdk::MarsModel model = Parsed(ProductModel(count, uses));
  size_t written = 0;
  bool refused = false;
  for (auto _ : state) {
    std::string text, error;
    refused = !kdk::BuildMarsSql(model, kdk::MarsSqlOptions{}, text, error);
    written = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
  state.counters["sql_bytes"] = static_cast<double>(written);
  state.counters["refused"] = refused ? 1 : 0;
}

void BM_ProductChain600(benchmark::State& state) {
  ConvertToSql(state, 600, 1);
}
void BM_EachUsesTheTwoBefore20(benchmark::State& state) {
  ConvertToSql(state, 20, 2);  // about a megabyte of SQL: still written
}
void BM_EachUsesTheTwoBefore60(benchmark::State& state) {
  ConvertToSql(state, 60, 2);  // 2^40 times a hinge: refused from its size
}
void BM_EachUsesTheTwoBefore3000(benchmark::State& state) {
  ConvertToSql(state, 3000, 2);
}

void BM_ParseAndReadChain600(benchmark::State& state) {
  const std::string text = ProductModel(600, 1);
  for (auto _ : state) benchmark::DoNotOptimize(Parsed(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_SpssChain600(benchmark::State& state) {
  const kdk::MarsModel model = Parsed(ProductModel(600, 1));
  size_t written = 0;
  for (auto _ : state) {
    std::string text, error;
    kdk::BuildMarsSpss(model, kdk::MarsSpssOptions{}, text, error);
    written = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
}

}  // namespace

BENCHMARK(BM_ProductChain600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EachUsesTheTwoBefore20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EachUsesTheTwoBefore60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EachUsesTheTwoBefore3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseAndReadChain600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpssChain600)->Unit(benchmark::kMillisecond);
