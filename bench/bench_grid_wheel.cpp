// The wheel over the data grid: one notch scrolls three rows; the step, and painting the band
// of rows that scrolled in, cost the same for a grid of a thousand rows as for one of a hundred
// thousand (50 columns each).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/Graphics.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace {

class TCountingGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  int Drawn = 0;
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    ++Drawn;
    TRivErodovOzar::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
};

constexpr int kWidth = 1024, kHeight = 768, kCols = 50;

struct WheelGrid {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TCountingGrid* grid = nullptr;
  TBitmap bitmap{kWidth, kHeight};
  explicit WheelGrid(int Rows) {
    parent->SetBounds(0, 0, kWidth, kHeight);
    grid = New<TCountingGrid>(parent.get());
    grid->SetParent(parent.get());
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(kCols);
    grid->SetRowCount(Rows);
    grid->MouseActions()->SetWheelAction(waScroll);
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < kCols; ++c) grid->SetCells(c, r, IntToStr(r * kCols + c));
    grid->HandleNeeded();
  }
};

void BM_WheelStep(benchmark::State& state) {
  WheelGrid g(static_cast<int>(state.range(0)));
  TRivErodovOzar* grid = g.grid;
  const TPoint at = grid->ClientToScreen(TPoint{100, 100});
  const auto notch = static_cast<uint16_t>(static_cast<int16_t>(-WHEEL_DELTA));
  TCanvas* canvas = g.bitmap.Canvas();
  int drawn = 0;
  int steps = 0;
  for (auto _ : state) {
    if (grid->TopRow() + grid->VisibleRowCount() >= grid->RowCount()) {
      state.PauseTiming();
      grid->SetTopRow(grid->FixedRows());
      state.ResumeTiming();
    }
    grid->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(notch) << 16, MakeLParam(at.X, at.Y));
    // The rows that came into view at the bottom.
    const int last = grid->TopRow() + grid->VisibleRowCount() - 1;
    const TRect band{0, grid->CellRect(0, last - 2).Top, kWidth, grid->CellRect(0, last).Bottom};
    g.grid->Drawn = 0;
    canvas->SetClipRect(band);
    grid->PaintTo(canvas);
    canvas->RemoveClip();
    drawn += g.grid->Drawn;
    ++steps;
  }
  state.counters["cells_drawn_per_step"] = steps > 0 ? static_cast<double>(drawn) / steps : 0;
}
BENCHMARK(BM_WheelStep)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
