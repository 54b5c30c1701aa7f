// From a mouse move during construction to the new canvas picture: the
// construction step plus the canvas composer, for the 100- and 1000-item
// icons. A full redraw from scratch is measured beside it for comparison.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "document/Colour.h"
#include "editor/CanvasComposer.h"
#include "editor/Construction.h"
#include "persist/DocumentFile.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

// The construction never reaches the release, so no row is ever made.
class NoRows : public ItemRows {
 public:
  int RowCount() const override { return 0; }
  RowState GetRowState(int) const override { return {}; }
  void SetRowState(int, RowState) override {}
  TWKDATA* RowItem(int) const override { return nullptr; }
  void AttachItem(int, TWKDATA*) override {}
  void InsertRow(int, const std::string&) override {}
  void RemoveRow(int) override {}
  void RemoveAllRows() override {}
  void SelectOnly(int) override {}
  int FirstSelectedRow() const override { return -1; }
  std::string RowText(int) const override { return {}; }
};

// The benchmark icon, or a document of the same size built in code when the
// file cannot be read.
TWKFILE LoadIcon(int count) {
  TWKFILE doc;
  const std::string path = std::string(TARNWICK_BENCH_DATA_DIR) + "/icon-" + std::to_string(count) + ".twk";
  if (LoadDocumentFile(path, doc, LoadAccess::kShared) == 0 && doc.CData.size() == count) return doc;
  doc = TWKFILE{};
  for (int i = 0; i < count; ++i) {
    TWKDATA item;
    item.Type = static_cast<std::uint8_t>(i % 4);
    item.DrawMethod = static_cast<std::uint8_t>((i / 4) % 3);
    item.DrawMethod2 = static_cast<std::uint8_t>(i % 3);
    item.DrawWidth = 0.5f + static_cast<float>(i % 6) * 0.25f;
    item.DrawRGBA = PackRGBA(i * 40, i * 90, i * 160, 100 + i % 150);
    item.Visible = 1;
    item.X1 = static_cast<float>(i % 16) + 0.5f, item.Y1 = static_cast<float>(i * 7 % 16) + 0.5f;
    item.X4 = 15.5f - item.Y1, item.Y4 = 15.5f - item.X1;
    item.X2 = item.Type == kEllipse ? 0 : item.X4, item.Y2 = item.Type == kEllipse ? 360 : item.Y1;
    item.X3 = item.X1, item.Y3 = item.Y4;
    doc.CData.append(item);
  }
  return doc;
}

void MoveToPicture(benchmark::State& bench, int count, bool useComposer) {
  TWKFILE doc = LoadIcon(count);
  EditorState state;
  NoRows rows;
  Editor ed{doc, state, rows};
  const std::unique_ptr<Image> grid = BuildGridImage(320, 320, 16, 16);
  CanvasComposer composer;
  std::unique_ptr<Image> picture;
  ed.redrawCanvas = [&] {
    picture = useComposer ? composer.Compose(*grid, doc, state, ed.pixelsPerUnitX, ed.pixelsPerUnitY)
                          : ComposeCanvas(*grid, doc, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
  };
  state.CurType = kEllipse;
  state.CurAlpha = 180;
  StartItem(ed, 150, 150);
  int step = 0;
  for (auto _ : bench) {
    ++step;
    FollowPointer(ed, 40 + (step * 37) % 260, 30 + (step * 53) % 270);
    benchmark::DoNotOptimize(picture->data());
  }
  bench.counters["items"] = doc.CData.size();
}

void BM_MoveToPicture_Composer(benchmark::State& s) { MoveToPicture(s, static_cast<int>(s.range(0)), true); }
void BM_MoveToPicture_FullRedraw(benchmark::State& s) { MoveToPicture(s, static_cast<int>(s.range(0)), false); }

BENCHMARK(BM_MoveToPicture_Composer)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MoveToPicture_FullRedraw)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
