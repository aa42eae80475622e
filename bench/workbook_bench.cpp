// The workbook's code module for a 1000-input x 200-hidden network: the module text,
// its VBA compression and the whole vbaProject.bin. Compression should stay within a
// small multiple of building the text.
#include <benchmark/benchmark.h>

#include "core/export/sheet/workbook_code_module.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "engines/workbook/vba_compression.h"
#include "engines/workbook/vba_project.h"
#include "synthetic_network.h"

namespace {

const kdk::NetworkModel& BenchNetwork() {
  static const kdk::NetworkModel model = kdk::bench::SyntheticNetwork(1000, 200);
  return model;
}

std::string ModuleText() {
  const kdk::GenerationStamp stamp{"/nowhere/bench.kwf", "Unknown", "now"};
  return kdk::NetworkCodeModuleText(kdk::NetworkWorkbookPieces(BenchNetwork(), stamp), "bench",
                                    BenchNetwork());
}

void BM_WorkbookModuleText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ModuleText());
}
BENCHMARK(BM_WorkbookModuleText)->Unit(benchmark::kMillisecond);

void BM_VbaCompression(benchmark::State& state) {
  const std::string text = ModuleText();
  for (auto _ : state) benchmark::DoNotOptimize(kdk::workbook::CompressVba(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_VbaCompression)->Unit(benchmark::kMillisecond);

void BM_VbaProjectBytes(benchmark::State& state) {
  std::vector<kdk::workbook::VbaModule> modules = kdk::workbook::DocumentModules(3);
  modules.push_back({"bench_Code", kdk::workbook::VbaModuleKind::Standard, ModuleText()});
  for (auto _ : state) benchmark::DoNotOptimize(kdk::workbook::VbaProjectBytes(modules));
}
BENCHMARK(BM_VbaProjectBytes)->Unit(benchmark::kMillisecond);

}  // namespace
