// kdk score's throughput on a million-row CSV: a 10-input network and the bundled MARS
// model, beside the floor: the plainest loop that reads the same text with strtod,
// evaluates the same network and writes the prediction with to_chars. Report rows/s
// (items_per_second) and the ratio of the two network figures.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <random>

#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/network/evaluate_network.h"
#include "core/score/score_csv.h"
#include "synthetic_network.h"

namespace {

constexpr int kRows = 1'000'000;

class QuietMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Ok;
  }
};

const kdk::NetworkModel& Network() {
  static const kdk::NetworkModel model = kdk::bench::SyntheticNetwork(10, 8);
  return model;
}

std::string Table(const std::vector<std::string>& names, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> value(0, 100);
  std::string text;
  text.reserve(static_cast<size_t>(kRows) * names.size() * 9);
  for (size_t i = 0; i < names.size(); ++i) text.append(i ? "," : "").append(names[i]);
  text.append("\r\n");
  for (int r = 0; r < kRows; ++r) {
    for (size_t i = 0; i < names.size(); ++i) {
      if (i) text.push_back(',');
      kdk::AppendNumberText(text, static_cast<int>(value(random) * 100) / 100.0);
    }
    text.append("\r\n");
  }
  return text;
}

kdk::CsvReader::Source FromMemory(const std::string& text) {
  return [&text, at = size_t{0}](char* buffer, size_t capacity) mutable -> long {
    const size_t piece = std::min(capacity, text.size() - at);
    std::memcpy(buffer, text.data() + at, piece);
    at += piece;
    return static_cast<long>(piece);
  };
}

void Score(benchmark::State& state, kdk::RowScorer& scorer, const std::vector<std::string>& names,
           const std::string& text) {
  std::vector<kdk::SpssInput> inputs;
  for (const std::string& name : names) inputs.push_back({name, name});
  size_t bytes = 0;
  for (auto _ : state) {
    kdk::CsvReader reader(FromMemory(text));
    kdk::ScoreSummary summary;
    std::string error;
    const bool ok = kdk::ScoreCsv(
        reader, scorer, inputs, "prediction", {},
        [&bytes](std::string_view out) {
          bytes += out.size();
          return true;
        },
        {}, summary, error);
    if (!ok) state.SkipWithError(error.c_str());
  }
  benchmark::DoNotOptimize(bytes);
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ScoreNetworkCsv(benchmark::State& state) {
  const std::string text = Table(Network().input_names, 1);
  std::string error;
  auto scorer = kdk::MakeNetworkScorer(Network(), error);
  Score(state, *scorer, Network().input_names, text);
}
BENCHMARK(BM_ScoreNetworkCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor: the same text read with strtod, the same arithmetic, to_chars out.
void BM_PlainLoopNetworkCsv(benchmark::State& state) {
  const kdk::NetworkModel& model = Network();
  const std::string text = Table(model.input_names, 1);
  kdk::NetworkEvaluator evaluator(model);
  std::vector<double> values(model.input_names.size());
  kdk::NetworkPrediction result;
  std::string out;
  size_t bytes = 0;
  for (auto _ : state) {
    const char* p = std::strchr(text.c_str(), '\n') + 1;
    for (int r = 0; r < kRows; ++r) {
      char* end = nullptr;
      for (double& value : values) {
        value = std::strtod(p, &end);
        p = end + 1;
      }
      p += 1;  // "\n" after the "\r" the last strtod stopped at
      evaluator.Evaluate(values, result);
      char cell[32];
      out.append(cell, std::to_chars(cell, cell + sizeof cell, result.prediction).ptr);
      if (out.size() > (1u << 20)) {
        bytes += out.size();
        out.clear();
      }
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PlainLoopNetworkCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ScoreMarsCsv(benchmark::State& state) {
  std::string model_text, error;
  if (!kdk::ReadWholeFile(std::string(KDK_EXAMPLES_DIR) + "/house_value_mars.txt", model_text,
                          error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::vector<std::string> lines;
  kdk::SplitTextLines(model_text, lines);
  kdk::MarsModel model;
  QuietMessages messages;
  kdk::ParseMarsLines(lines, model, messages);
  auto scorer = kdk::MakeMarsScorer(model, error);
  const std::string text = Table(model.input_names, 2);
  Score(state, *scorer, model.input_names, text);
}
BENCHMARK(BM_ScoreMarsCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
