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
#include "core/export/generation_stamp.h"
#include "core/workspace.h"
#include "core/ports/message_port.h"
#include "synthetic_network.h"

namespace {

constexpr int kInputs = 1000;
constexpr int kHidden = 200;

// Java refuses the 1000 x 200 network (a class holds 65,535 constants): it is also
// measured on the largest shape the conformance suite compiles.
constexpr int kJavaInputs = 120;
constexpr int kJavaHidden = 70;

kdk::Workspace MakeWorkspace(int inputs, int hidden) {
  kdk::Workspace w;
  w.network = kdk::bench::SyntheticNetwork(inputs, hidden);
  w.state.model_path = "/nowhere/bench.kwf";
  w.state.network_loaded = true;
  return w;
}

const kdk::Workspace& BenchWorkspace(bool java_size = false) {
  static const kdk::Workspace workspace = MakeWorkspace(kInputs, kHidden);
  static const kdk::Workspace java = MakeWorkspace(kJavaInputs, kJavaHidden);
  return java_size ? java : workspace;
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

std::string NumberTextPass(bool java_size = false) {
  const kdk::NetworkModel& model = BenchWorkspace(java_size).network;
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
double BestNumberTextSeconds(bool java_size) {
  double best = 1e9;
  for (int run = 0; run < (java_size ? 50 : 5); ++run) {
    const double start = CpuSeconds();
    benchmark::DoNotOptimize(NumberTextPass(java_size));
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

double NumberTextSeconds(bool java_size = false) {
  static const double seconds = BestNumberTextSeconds(false);
  static const double java_seconds = BestNumberTextSeconds(true);
  return java_size ? java_seconds : seconds;
}

void NumberTextOfAllWeights(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(NumberTextPass());
  state.counters["ms"] = NumberTextSeconds() * 1e3;
}
BENCHMARK(NumberTextOfAllWeights)->Unit(benchmark::kMillisecond);

void GenerateCodeOf(benchmark::State& state) {
  const auto type = static_cast<kdk::CodeType>(state.range(0));
  const int format = static_cast<int>(state.range(1));
  const bool java_size = state.range(2) != 0;
  SilentMessages messages;
  FixedClock clock;
  size_t size = 0;
  double best = 1e9;
  for (auto _ : state) {
    const double start = CpuSeconds();
    kdk::CodeExportSettings settings;
    kdk::ResetNames(settings, BenchWorkspace(java_size).network);
    settings.code_type = type;
    settings.equation_format = format;
    const std::string text = kdk::GenerateCode(
        settings, BenchWorkspace(java_size).network,
        kdk::MakeGenerationStamp(BenchWorkspace(java_size).state, clock), messages);
    size = text.size();
    benchmark::DoNotOptimize(text);
    best = std::min(best, CpuSeconds() - start);
  }
  state.counters["MB"] = static_cast<double>(size) / 1e6;
  state.counters["x_NumberText"] = best / NumberTextSeconds(java_size);
  state.SetLabel(std::string(kdk::ProfileOf(type).list_name) + " " + "BACD"[format] +
                 (java_size ? " 120x70" : " 1000x200"));
}
BENCHMARK(GenerateCodeOf)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3}, {0}})
    ->ArgsProduct({{5}, {0, 1, 2, 3}, {1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
