// The grid's print, preview and draw operations: each sets up the job (range, page rectangle,
// page range, mapping) and runs the print engine.
#include <climits>
#include <cmath>

#include "classlib/Printers.h"
#include "grid/print/GridPrintEngine.h"

namespace {

// Puts the preview page range back after a job that changed it, also after an exception.
class TPageRangeKeeper {
 public:
  explicit TPageRangeKeeper(TRivErodovOzar& Grid) : FGrid(Grid), FFrom(Grid.PrintPageFrom), FTo(Grid.PrintPageTo) {}
  ~TPageRangeKeeper() {
    FGrid.PrintPageFrom = FFrom;
    FGrid.PrintPageTo = FTo;
  }
  TPageRangeKeeper(const TPageRangeKeeper&) = delete;
  TPageRangeKeeper& operator=(const TPageRangeKeeper&) = delete;

 private:
  TRivErodovOzar& FGrid;
  int FFrom;
  int FTo;
};

TGridRect AllCells(TRivErodovOzar& Grid) { return TGridRect{0, 0, Grid.ColCount() - 1, Grid.RowCount() - 1}; }

TGridRect SelectedRect(TRivErodovOzar& Grid) {
  const TGridRect s = Grid.Selection();
  return TGridRect{std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                   std::max(s.Top, s.Bottom)};
}

}  // namespace

void TRivErodovOzar::Print() { PrintJob(AllCells(*this), false); }
void TRivErodovOzar::PrintRect(const TGridRect& Gridrect) { PrintJob(Gridrect, false); }
void TRivErodovOzar::PrintSelection() { PrintJob(SelectedRect(*this), false); }
void TRivErodovOzar::PrintSelectedRows() { PrintJob(AllCells(*this), true); }
void TRivErodovOzar::PrintSelectedCols() { PrintJob(AllCells(*this), true); }

void TRivErodovOzar::PrintPreview(TCanvas* Canvas, const TRect& Displayrect) {
  PreviewJob(Canvas, Displayrect, AllCells(*this), false);
}
void TRivErodovOzar::PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect) {
  PreviewJob(Canvas, Displayrect, Gridrect, false);
}
void TRivErodovOzar::PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect) {
  PreviewJob(Canvas, Displayrect, SelectedRect(*this), false);
}
void TRivErodovOzar::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect) {
  PreviewJob(Canvas, Displayrect, AllCells(*this), true);
}
void TRivErodovOzar::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect) {
  PreviewJob(Canvas, Displayrect, AllCells(*this), true);
}

void TRivErodovOzar::PrintDraw(TCanvas* Canvas, const TRect& DrawRect) { PrintDrawRect(Canvas, DrawRect, AllCells(*this)); }

void TRivErodovOzar::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect) {
  FPrintRect = Gridrect;
  PrevRect = DrawRect;
  TPageRangeKeeper keeper(*this);
  PrintPageFrom = PrintPageTo = 1;
  TCanvasStateSaver saved(Canvas);
  TGridPrintEngine(*this, Canvas, pmPreview, 1, false).Run();
}

void TRivErodovOzar::RepaintPrintRange(const TGridRect& Gridrect) {
  RepaintRect(TRect{Gridrect.Left, Gridrect.Top, Gridrect.Right, Gridrect.Bottom});
}

void TRivErodovOzar::PrintJob(const TGridRect& Range, bool Filter) {
  ExportNotification(esExportStart, -1);
  FPrintRect = Range;
  TPrinter* printer = Printer();
  if (!FPrintSettings->UseDefaultOrientation) printer->SetOrientation(FPrintSettings->Orientation);
  const double perPixel = 254.0 / printer->PixelsPerInch();
  PrevRect = TRect{0, 0, static_cast<int>(std::lround(perPixel * printer->PageWidth())),
                   static_cast<int>(std::lround(perPixel * printer->PageHeight()))};
  printer->Title = FPrintSettings->JobName;
  TPageRangeKeeper keeper(*this);
  printer->BeginDoc();
  try {
    TCanvas* canvas = printer->Canvas();
    const int mapMode = canvas->MapMode();
    int pages = INT_MAX;
    if (!FFastPrint) {
      canvas->SetMapMode(MM_LOMETRIC);
      pages = TGridPrintEngine(*this, canvas, pmCountPrinter, -1, Filter).Run();
    }
    PrintPageFrom = 1;
    PrintPageTo = pages;
    FPrintPageNum = pages;
    if (OnPrintStart) {
      printer->Abort();
      int from = 1, to = pages;
      OnPrintStart(this, pages, from, to);
      if (from == 0 || to == 0 || to < from) return;
      PrintPageFrom = from;
      PrintPageTo = to;
      printer->BeginDoc();
      canvas = printer->Canvas();
      FPrintPageNum = to;
    }
    TGridPrintEngine(*this, canvas, pmPrint, FPrintPageNum, Filter).Run();
    canvas->SetMapMode(mapMode);
    printer->EndDoc();
  } catch (...) {
    printer->EndDoc();
    throw;
  }
  ExportNotification(esExportDone, -1);
}

void TRivErodovOzar::PreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Range, bool Filter) {
  ExportNotification(esExportStart, -1);
  FPrintRect = Range;
  try {
    TCanvasStateSaver saved(Canvas);
    Canvas->SetMapMode(MM_LOMETRIC);
    PrevRect = Displayrect;
    int pages = 1;
    if (!FFastPrint) pages = TGridPrintEngine(*this, Canvas, pmCountPreview, -1, Filter).Run();
    FPrintPageNum = pages;
    FIsPrintPreview = true;
    int from = 1, to = pages;
    if (OnPrintStart) OnPrintStart(this, pages, from, to);
    if (from > 0 && to >= from) TGridPrintEngine(*this, Canvas, pmPreview, pages, Filter).Run();
  } catch (...) {
    ExportNotification(esExportDone, -1);
    FIsPrintPreview = false;
    throw;
  }
  ExportNotification(esExportDone, -1);
  FIsPrintPreview = false;
}
