// Grids printed into a preview bitmap (the drawing calls recorded) and the texts of a page.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "grid/RivGridFixture.h"
#include "classlib/Bitmap.h"

namespace gridprint {

// An A4 page at 96 pixels per inch.
constexpr int kPageWidth = 794;
constexpr int kPageHeight = 1123;

struct TPreviewPage {
  std::vector<String> Texts;
  std::unique_ptr<TBitmap> Bitmap;
  bool Has(const String& Text) const { return std::find(Texts.begin(), Texts.end(), Text) != Texts.end(); }
  int Count(const String& Text) const { return static_cast<int>(std::count(Texts.begin(), Texts.end(), Text)); }
};

// Draws page Page of the grid's preview and collects every text drawn.
inline TPreviewPage PreviewPage(TRivErodovOzar& Grid, int Page, bool SelectedCols = false) {
  TPreviewPage page;
  page.Bitmap = std::make_unique<TBitmap>();
  page.Bitmap->SetSize(kPageWidth, kPageHeight);
  std::vector<TCanvasCall> calls;
  page.Bitmap->Canvas()->SetRecording(&calls);
  Grid.SetPreviewPage(Page);
  const TRect area{0, 0, kPageWidth, kPageHeight};
  if (SelectedCols) Grid.PrintPreviewSelectedCols(page.Bitmap->Canvas(), area);
  else Grid.PrintPreview(page.Bitmap->Canvas(), area);
  page.Bitmap->Canvas()->SetRecording(nullptr);
  for (const TCanvasCall& call : calls)
    if ((call.Op == "TextOut" || call.Op == "DrawText") && !call.Text.empty()) page.Texts.push_back(call.Text);
  return page;
}

inline std::unique_ptr<rivgrid::TGrid> NamedGrid(int Cols, int Rows) {
  auto grid = rivgrid::MakeGrid(Cols, Rows);
  rivgrid::FillNamed(*grid);
  return grid;
}

}  // namespace gridprint
