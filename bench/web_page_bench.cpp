// Web pages of large models: the network page of a 1000-input x 200-hidden network
// beside a bare NumberText pass over its weights, and the MARS page of a model with
// 2000 basis functions over 200 inputs. Both should grow linearly with the model.
#include <benchmark/benchmark.h>

#include "core/common/number_text.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "synthetic_network.h"

namespace {

class QuietMessages : public kdk::MessagePort {
 public:
  kdk::MessageAnswer Show(std::string_view, std::string_view, kdk::MessageIcon,
                          kdk::MessageButtons) override {
    return kdk::MessageAnswer::Ok;
  }
};

const kdk::NetworkModel& LargeNetwork() {
  static const kdk::NetworkModel model = kdk::bench::SyntheticNetwork(1000, 200);
  return model;
}

// Hinges on every input, each times the one before it.
kdk::MarsModel LargeMars(int inputs, int basis_functions) {
  std::string text;
  for (int k = 1; k <= basis_functions; ++k) {
    text += "BF" + std::to_string(k) + " = max(0, X" + std::to_string(k % inputs + 1) + " - " +
            std::to_string(k % 97) + ".5)" + (k > 1 ? " * BF" + std::to_string(k - 1) : "") +
            ";\r\n";
  }
  text += "\r\nY = 1";
  std::string terms;
  for (int k = 1; k <= basis_functions; ++k) {
    text += " + 0.5 * BF" + std::to_string(k);
    terms += " BF" + std::to_string(k);
  }
  text += ";\r\n\r\nMODEL Y =" + terms + ";\r\n";
  QuietMessages messages;
  std::vector<std::string> lines;
  kdk::MarsModel model;
  kdk::SplitTextLines(text, lines);
  kdk::ParseMarsLines(lines, model, messages);
  return model;
}

void BM_NetworkPage(benchmark::State& state) {
  const kdk::PageStyle style;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kdk::NetworkPageText(LargeNetwork(), style, {}));
  }
}
BENCHMARK(BM_NetworkPage)->Unit(benchmark::kMillisecond);

void BM_NetworkWeightsAsText(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    for (const auto& row : LargeNetwork().wih) {
      for (double w : row) {
        kdk::AppendNumberText(out, w);
        out.push_back(',');
      }
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_NetworkWeightsAsText)->Unit(benchmark::kMillisecond);

void BM_MarsPage(benchmark::State& state) {
  const kdk::MarsModel model = LargeMars(200, static_cast<int>(state.range(0)));
  const kdk::PageStyle style;
  QuietMessages messages;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kdk::MarsPageText(model, style, {}, false, messages));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MarsPage)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
