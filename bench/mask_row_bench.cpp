// The Preview's mask row: every cell of one picture change, painted on the
// GUI thread once the events of the moment are handled, for documents of 10
// to 10000 items.

#include <benchmark/benchmark.h>

#include "BenchDocuments.h"
#include "export/MaskPreview.h"

namespace twk {
namespace {

void BM_MaskRow(benchmark::State& state) {
  const TWKFILE doc = bench::IconDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MaskPreview preview = MakeMaskPreview(doc, PackRGBA(0x20, 0x40, 0x80, 255), EdgeFit::kAsDrawn);
    benchmark::DoNotOptimize(preview.cells[0].get());
  }
}
BENCHMARK(BM_MaskRow)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
