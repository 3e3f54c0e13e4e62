// Painting the base grid: the visible area of a 1000-row, 100-column grid with text in every
// cell, a repaint of one dirty cell, and scrolling a row at a time with a full repaint after each
// step (a step must stay under a 16 ms frame).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/Graphics.h"
#include "grid/base/BaseGrid.h"
#include "grid/model/RivErodovOzar.h"

namespace {

class TCountingGrid : public TBaseGrid {
 public:
  using TBaseGrid::TBaseGrid;
  int Drawn = 0;
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    ++Drawn;
    TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
};

constexpr int kWidth = 1024, kHeight = 768;

struct BigGrid {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TCountingGrid* grid = nullptr;
  TBitmap bitmap{kWidth, kHeight};
  BigGrid() {
    parent->SetBounds(0, 0, kWidth, kHeight);
    grid = New<TCountingGrid>(parent.get());
    grid->SetParent(parent.get());
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(100);
    grid->SetRowCount(1000);
    grid->SetDefaultColWidth(64);
    grid->SetDefaultRowHeight(20);
    grid->Font()->SetName("DejaVu Sans");
    grid->Font()->SetSize(9);
    for (int r = 0; r < 1000; ++r)
      for (int c = 0; c < 100; ++c) grid->SetCells(c, r, IntToStr(r * 100 + c));
    grid->MergeCells(3, 3, 2, 2);
    grid->HandleNeeded();
  }
};

BigGrid& Grid() {
  static BigGrid grid;
  return grid;
}

void BM_PaintVisibleArea(benchmark::State& state) {
  BigGrid& g = Grid();
  g.grid->SetTopRow(1);
  for (auto _ : state) {
    g.grid->Drawn = 0;
    g.grid->PaintTo(g.bitmap.Canvas());
  }
  state.counters["cells_drawn"] = g.grid->Drawn;
}
BENCHMARK(BM_PaintVisibleArea)->Unit(benchmark::kMillisecond);

// A repaint of one invalidated cell draws only the cells that reach it.
void BM_PaintDirtyCell(benchmark::State& state) {
  BigGrid& g = Grid();
  g.grid->SetTopRow(1);
  TCanvas* canvas = g.bitmap.Canvas();
  for (auto _ : state) {
    g.grid->Drawn = 0;
    canvas->SetClipRect(g.grid->CellRect(6, 10));
    g.grid->PaintTo(canvas);
    canvas->RemoveClip();
  }
  state.counters["cells_drawn"] = g.grid->Drawn;
}
BENCHMARK(BM_PaintDirtyCell)->Unit(benchmark::kMicrosecond);

// 1000 steps of one row down (wrapping to the top), each followed by the repaint it asks for.
void BM_ScrollStep(benchmark::State& state) {
  BigGrid& g = Grid();
  g.grid->SetTopRow(1);
  int top = 1;
  for (auto _ : state) {
    top = top >= 900 ? 1 : top + 1;
    g.grid->SetTopRow(top);
    g.grid->PaintTo(g.bitmap.Canvas());
  }
  state.counters["frame_ms"] = 16;
}
BENCHMARK(BM_ScrollStep)->Iterations(1000)->Unit(benchmark::kMillisecond);

// The same area and the same one-cell repaint in the program's data grid, through its full cell
// painter (header gradients, borders, graphics, draw events, focus rectangle).
struct BigDataGrid {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TRivErodovOzar* grid = nullptr;
  TBitmap bitmap{kWidth, kHeight};
  int drawn = 0;
  BigDataGrid() {
    parent->SetBounds(0, 0, kWidth, kHeight);
    grid = New<TRivErodovOzar>(parent.get());
    grid->SetParent(parent.get());
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(100);
    grid->SetRowCount(1000);
    grid->SetDefaultColWidth(64);
    grid->SetDefaultRowHeight(20);
    grid->Font()->SetName("DejaVu Sans");
    grid->Font()->SetSize(9);
    for (int r = 0; r < 1000; ++r)
      for (int c = 0; c < 100; ++c) grid->SetCells(c, r, IntToStr(r * 100 + c));
    grid->MergeCells(3, 3, 2, 2);
    grid->OnCustomCellDraw = [this](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) { ++drawn; };
    grid->HandleNeeded();
  }
};

BigDataGrid& DataGrid() {
  static BigDataGrid grid;
  return grid;
}

void BM_DataGridPaintVisibleArea(benchmark::State& state) {
  BigDataGrid& g = DataGrid();
  g.grid->SetTopRow(1);
  for (auto _ : state) {
    g.drawn = 0;
    g.grid->PaintTo(g.bitmap.Canvas());
  }
  state.counters["cells_drawn"] = g.drawn;
}
BENCHMARK(BM_DataGridPaintVisibleArea)->Unit(benchmark::kMillisecond);

void BM_DataGridPaintDirtyCell(benchmark::State& state) {
  BigDataGrid& g = DataGrid();
  g.grid->SetTopRow(1);
  TCanvas* canvas = g.bitmap.Canvas();
  for (auto _ : state) {
    g.drawn = 0;
    canvas->SetClipRect(g.grid->CellRect(6, 10));
    g.grid->PaintTo(canvas);
    canvas->RemoveClip();
  }
  state.counters["cells_drawn"] = g.drawn;
}
BENCHMARK(BM_DataGridPaintDirtyCell)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
