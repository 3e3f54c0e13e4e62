// The grid's print engine: lays a range of cells out on pages in 0.1 mm (the canvas in the
// metric mapping, y growing upwards, so rows lie at negative y below the page top), splits wide
// ranges into blocks of columns and long ones into pages, repeats fixed rows and columns, and
// prints headers, footers and the cells. One object per print, preview or count.
#pragma once

#include <optional>

#include "grid/model/RivErodovOzar.h"

enum TPrintMode { pmPreview = 0, pmPrint = 1, pmCountPrinter = 2, pmCountPreview = 3 };

class TGridPrintEngine {
 public:
  TGridPrintEngine(TRivErodovOzar& Grid, TCanvas* Canvas, TPrintMode Mode, int PageCount, bool SelectionFilter);
  // Lays out (and in the drawing modes draws) every page; returns the number of pages.
  int Run();

  // The measured size of a cell in 0.1 mm.
  TPoint MeasureCell(int ACol, int ARow);

 private:
  bool Drawing() const { return FMode == pmPreview || FMode == pmPrint; }
  bool PageInRange() const { return FPage >= FGrid.PrintPageFrom && FPage <= FGrid.PrintPageTo; }
  bool ColPrinted(int ACol) const;
  bool RowPrinted(int ARow) const;
  void SetUp();
  void MeasureColumns();
  void FitToPage();
  int LayoutBlock(int First);
  void HeaderFooterHeights();
  int RowHeight(int ARow);
  int PrintedRowHeight(int ARow) { return RowHeight(ARow) + 2 * FGap + FSettings.RowSpacing; }
  void StartPage();
  void FinishPage();
  bool BeginNewPage(bool FirstOfBlock);
  void PrintHeaderFooter();
  String PageText() const;
  int PrintRow(int Y, int FirstCol, int LastCol, int ARow, const std::vector<int>& Positions);
  void PrintCell(int ACol, int ARow, int Y, int FirstCol, int LastCol, const std::vector<int>& Positions);
  void CellFont(int ACol, int ARow, TFont* Font, TBrush* Brush, TAlignment& HA, TVAlignment& VA, bool& WW);
  String PrintedText(int ACol, int ARow);
  int TextHeightOf(TFont* Font);
  // Cell graphics: their size in 0.1 mm, their place in the cell (narrowing the text's
  // rectangle), and what is printed of them.
  TPoint GraphicSize(int ACol, int ARow);
  TRect GraphicPlace(int ACol, int ARow, const TCellGraphic& Graphic, const TRect& Cell, bool NoText, TAlignment HA,
                     TRect& TextRect);
  void PrintGraphic(const TCellGraphic& Graphic, const TRect& Place);

  TRivErodovOzar& FGrid;
  TPrintSettings& FSettings;
  TCanvas* FCanvas;
  TPrintMode FMode;
  int FPageCount;
  bool FFilter;
  TGridRect FRange{};

  double FScale = 1.0;      // screen pixels to 0.1 mm
  double FFontScale = 1.0;  // printer over screen pixels per inch
  int FGap = 0;             // print-font text height / 8
  int FColGap = 0;
  int FHeaderTextHeight = 0;
  int FFooterTextHeight = 0;
  int FPrintTextHeight = 0;
  int FPageWidth = 0;
  int FPageHeight = 0;  // negative: the page bottom
  int FHeaderHeight = 0;
  int FFooterHeight = 0;

  // The block of columns being printed.
  int FBlock = 0;
  bool FMultiBlock = false;
  bool FRepeatCols = false;
  int FBlockFirst = 0;
  int FBlockLast = 0;
  std::vector<int> FFixedPositions;  // x of the repeated fixed columns, one more than columns
  int FBlockLeft = 0;
  int FBlockRight = 0;

  // The page being laid out.
  int FPage = 0;
  int FPageInBlock = 0;
  int FPagesDone = 0;
  bool FPageFinished = true;
  bool FVeryFirstPage = true;
  int FY = 0;
  int FRowsBottom = 0;
  bool FCancelled = false;
  bool FStopped = false;

  std::optional<std::pair<int, int>> FLastRowHeight;  // row and its height
};
