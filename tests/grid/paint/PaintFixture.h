// A data grid on a panel, painted into a bitmap the way the window paints it, with helpers to
// read pixels and to record the canvas calls of one paint.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Graphics.h"
#include "grid/model/RivErodovOzar.h"

namespace gridpaint {

// Each RGB component halved: the dark line under the headers.
inline TColor Halved(TColor C) {
  const TColor c = ColorToRGB(C);
  return ((c & 0xFF) >> 1) | ((((c >> 8) & 0xFF) >> 1) << 8) | ((((c >> 16) & 0xFF) >> 1) << 16);
}

class TPaintedGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  using TRivErodovOzar::FHoverFixedX;
  using TRivErodovOzar::FHoverFixedY;
  using TRivErodovOzar::FPaintCanvas;
  // Tree nodes without the node operations: rows whose column-0 level is set are indented.
  bool WithNodes = false;
  bool HasNodes() override { return WithNodes; }
};

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(New<TPanel>(nullptr));
    parent_->SetBounds(0, 0, 400, 300);
    grid_ = New<TPaintedGrid>(parent_.get());
    grid_->SetParent(parent_.get());
    grid_->SetBounds(0, 0, 300, 200);
    grid_->SetColCount(5);
    grid_->SetRowCount(6);
    grid_->SetDefaultColWidth(40);
    grid_->SetDefaultRowHeight(20);
    grid_->Font()->SetName("DejaVu Sans");
    grid_->Font()->SetSize(9);
    grid_->HandleNeeded();
  }
  TCanvas* Paint() {
    bitmap_ = std::make_unique<TBitmap>(300, 200);
    grid_->PaintTo(bitmap_->Canvas());
    return bitmap_->Canvas();
  }
  TColor At(int x, int y) const { return bitmap_->Canvas()->Pixel(x, y); }
  int CountIn(const TRect& R, TColor Color) const {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) n += At(x, y) == ColorToRGB(Color);
    return n;
  }
  // What the painter is handed for a cell: the cell less its lines.
  TRect Content(int ACol, int ARow) const {
    const TRect r = grid_->CellRect(ACol, ARow);
    const bool fixed = ACol < grid_->FixedCols() || ARow < grid_->FixedRows();
    return fixed ? Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 2) : Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }

  std::unique_ptr<TPanel> parent_;
  TPaintedGrid* grid_ = nullptr;
  std::unique_ptr<TBitmap> bitmap_;
};

// Records the calls made on a canvas while it lives.
struct Recorder {
  std::vector<TCanvasCall> calls;
  TCanvas* canvas;
  explicit Recorder(TCanvas* c) : canvas(c) { c->SetRecording(&calls); }
  ~Recorder() { canvas->SetRecording(nullptr); }
};

}  // namespace gridpaint
