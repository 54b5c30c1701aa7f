// What keeping the recovery copy costs at 1,000 items (icon-1000.twk): on
// the GUI thread, the hand-over after a change (the document is copied
// there and queued); on the helper thread, writing the copy to disk.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "../BenchDocuments.h"
#include "app/RecoveryKeeper.h"

namespace twk {
namespace {

void BM_RecoveryHandOverOnGuiThread(benchmark::State& state) {
  QTemporaryDir folder;
  EditorSession session;
  session.doc() = bench::IconDocument(1000);
  session.savePath() = "/home/user/icon.twk";
  RecoveryKeeper keeper(session, RecoveryCopy::Claim(folder.path().toStdString()));
  if (!keeper.keepsCopies()) state.SkipWithError("no recovery copy in the temporary folder");
  for (auto _ : state) {
    keeper.HandOver();
    state.PauseTiming();
    keeper.Flush();  // each hand-over finds the helper idle, as after a second
    state.ResumeTiming();
  }
  state.counters["from_file"] = bench::IconFromFile(1000);
}
// A fixed count: every hand-over waits (untimed) for a write to disk.
BENCHMARK(BM_RecoveryHandOverOnGuiThread)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(50)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RecoveryWriteOnHelperThread(benchmark::State& state) {
  QTemporaryDir folder;
  const TWKFILE& doc = bench::IconDocument(1000);
  std::unique_ptr<RecoveryCopy> copy = RecoveryCopy::Claim(folder.path().toStdString());
  if (!copy) state.SkipWithError("no recovery copy in the temporary folder");
  for (auto _ : state) {
    if (copy->Write(doc, {"/home/user/icon.twk", "", "/home/user"}) != ResultCode::kOk) state.SkipWithError("the copy was not written");
  }
}
BENCHMARK(BM_RecoveryWriteOnHelperThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
