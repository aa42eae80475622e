#include <benchmark/benchmark.h>

#include <vector>

#include "core/network/evaluate_network.h"
#include "core/network/weights_reader.h"
#include "synthetic_network.h"

namespace kdk::bench {
namespace {

void BM_ParseWeightsFile(benchmark::State& state) {
  const std::string text = SyntheticWeightsFile(1000, 200);
  for (auto _ : state) {
    NetworkModel model;
    std::string detail;
    bool ok = ParseWeightsFields(text, model, detail);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ParseWeightsFile)->Unit(benchmark::kMillisecond);

void BM_EvaluateNetwork(benchmark::State& state) {
  const NetworkModel model = SyntheticNetwork(1000, 200);
  std::vector<double> inputs(1000);
  for (size_t i = 0; i < inputs.size(); ++i) inputs[i] = static_cast<double>(i % 90);
  NetworkPrediction result;
  std::string error;
  for (auto _ : state) {
    inputs[0] += 1e-9;
    bool ok = EvaluateNetwork(model, inputs, result, error);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(result.prediction);
  }
}
BENCHMARK(BM_EvaluateNetwork)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kdk::bench
