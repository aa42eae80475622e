// Program code for a 1000-input x 200-hidden network in every code type and layout,
// beside a bare NumberText pass over the same weights: the generators should cost a
// small multiple of writing the numbers alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

#include "core/common/number_text.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/smart_names.h"
#include "core/ports/message_port.h"
#include "synthetic_network.h"

namespace {

constexpr int kInputs = 1000;
constexpr int kHidden = 200;

const kdk::Workspace& BenchWorkspace() {
  static const kdk::Workspace workspace = [] {
    kdk::Workspace w;
    w.network = kdk::bench::SyntheticNetwork(kInputs, kHidden);
    w.state.model_path = "/nowhere/bench.kwf";
    w.state.network_loaded = true;
    return w;
  }();
  return workspace;
}

class SilentMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Ok;
  }
};

class FixedClock : public kdk::Clock {
 public:
  kdk::LocalDateTime Now() override { return {}; }
  std::optional<kdk::LocalDateTime> FileCreationTime(std::string_view) override {
    return std::nullopt;
  }
};

std::string NumberTextPass() {
  const kdk::NetworkModel& model = BenchWorkspace().network;
  std::string text;
  for (const auto& row : model.wih) {
    for (double w : row) kdk::AppendNumberText(text, w);
  }
  for (double w : model.who) kdk::AppendNumberText(text, w);
  return text;
}

// Processor time, so that other work on a shared machine does not count.
double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The fastest of a few bare NumberText passes: the unit of the "x_NumberText" ratio.
double NumberTextSeconds() {
  static const double seconds = [] {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
      const double start = CpuSeconds();
      benchmark::DoNotOptimize(NumberTextPass());
      best = std::min(best, CpuSeconds() - start);
    }
    return best;
  }();
  return seconds;
}

void NumberTextOfAllWeights(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(NumberTextPass());
  state.counters["ms"] = NumberTextSeconds() * 1e3;
}
BENCHMARK(NumberTextOfAllWeights)->Unit(benchmark::kMillisecond);

void GenerateCodeOf(benchmark::State& state) {
  const auto type = static_cast<kdk::CodeType>(state.range(0));
  const int format = static_cast<int>(state.range(1));
  SilentMessages messages;
  FixedClock clock;
  size_t size = 0;
  double best = 1e9;
  for (auto _ : state) {
    const double start = CpuSeconds();
    kdk::CodeExportSettings settings;
    kdk::ResetNames(settings, BenchWorkspace().network);
    settings.code_type = type;
    settings.equation_format = format;
    kdk::ApplyCodeTypeSyntax(settings);
    const std::string text = kdk::GenerateCode(settings, BenchWorkspace(), clock, messages);
    size = text.size();
    benchmark::DoNotOptimize(text);
    best = std::min(best, CpuSeconds() - start);
  }
  state.counters["MB"] = static_cast<double>(size) / 1e6;
  state.counters["x_NumberText"] = best / NumberTextSeconds();
  state.SetLabel(std::string(kdk::SyntaxOf(type).list_name) + " " + "BACD"[format]);
}
BENCHMARK(GenerateCodeOf)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
