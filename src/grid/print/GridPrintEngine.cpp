// The page layout of the print engine: set-up, column widths and fitting, column blocks,
// pages, page headers and footers and the frame lines of a page.
#include "grid/print/GridPrintEngine.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {
int RoundInt(double v) { return static_cast<int>(std::lround(v)); }
bool AtTop(TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; }
bool AtBottom(TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; }
}  // namespace

TGridPrintEngine::TGridPrintEngine(TRivErodovOzar& Grid, TCanvas* Canvas, TPrintMode Mode, int PageCount,
                                   bool SelectionFilter)
    : FGrid(Grid), FSettings(*Grid.PrintSettings()), FCanvas(Canvas), FMode(Mode), FPageCount(PageCount),
      FFilter(SelectionFilter), FRange(Grid.FPrintRect) {}

bool TGridPrintEngine::ColPrinted(int ACol) const {
  if (!FFilter) return true;
  if (FSettings.FFixedCellsAlways && ACol < FGrid.FixedCols()) return true;
  if (FGrid.MouseActions()->DisjunctColSelect()) return FGrid.IsColSelected(ACol);
  const TGridRect sel = FGrid.Selection();
  return ACol >= std::min(sel.Left, sel.Right) && ACol <= std::max(sel.Left, sel.Right);
}

bool TGridPrintEngine::RowPrinted(int ARow) const {
  if (!FFilter) return true;
  if (FSettings.FFixedCellsAlways && ARow < FGrid.FixedRows()) return true;
  if (FGrid.MouseActions()->DisjunctRowSelect()) {
    const int row = FGrid.MouseActions()->RowSelectPersistent ? FGrid.RealRowIndex(ARow) : ARow;
    return FGrid.IsRowSelected(row);
  }
  const TGridRect sel = FGrid.Selection();
  return ARow >= std::min(sel.Top, sel.Bottom) && ARow <= std::max(sel.Top, sel.Bottom);
}

int TGridPrintEngine::TextHeightOf(TFont* Font) {
  TFont mapped;
  mapped.Assign(*Font);
  mapped.SetHeight(FGrid.MapFontHeight(Font->Size()));
  FCanvas->SetFont(&mapped);
  return FCanvas->TextHeight("gh");
}

void TGridPrintEngine::SetUp() {
  const int gridPPI = Screen->PixelsPerInch();
  const int canvasPPI = FCanvas->PixelsPerInch();
  FFontScale = gridPPI > 0 && canvasPPI > 0 ? static_cast<double>(canvasPPI) / gridPPI : 1.0;
  FCanvas->SetMapMode(MM_LOMETRIC);
  FCanvas->Pen()->SetColor(clBlack);
  FCanvas->Pen()->SetStyle(FSettings.BorderStyle);
  FCanvas->Pen()->SetWidth(FSettings.Borders == TPrintBorders::pbDouble ? 10 : 2);

  FGrid.Fontscalefactor = FFontScale;
  FHeaderTextHeight = TextHeightOf(FSettings.HeaderFont());
  FFooterTextHeight = TextHeightOf(FSettings.FooterFont());
  FPrintTextHeight = TextHeightOf(FSettings.UseDisplayFont ? FGrid.Font() : FSettings.Font());
  FGrid.Fontscalefactor = 1.0;
  FGap = FPrintTextHeight / 8;

  switch (FMode) {
    case pmPrint: {
      const TRect clip = FCanvas->ClipRect();
      FPageWidth = clip.Right - clip.Left;
      FPageHeight = clip.Bottom - clip.Top;
      break;
    }
    case pmCountPrinter:
      FPageWidth = FGrid.PrevRect.Right - FGrid.PrevRect.Left;
      FPageHeight = -FGrid.PrevRect.Bottom - FGrid.PrevRect.Top;
      break;
    default: {
      const TRect r = FCanvas->DPtoLP(FGrid.PrevRect);
      FPageWidth = r.Right - r.Left;
      FPageHeight = r.Bottom - r.Top;
      break;
    }
  }
  FGrid.FPrintPageRect = TRect{0, 0, FPageWidth, FPageHeight};
  FScale = 254.0 / gridPPI;
  FColGap = FSettings.UseFixedWidth ? 0 : FSettings.ColumnSpacing + 20;
}

void TGridPrintEngine::MeasureColumns() {
  FGrid.MaxWidths.assign(static_cast<size_t>(std::max(FGrid.ColCount(), FRange.Right + 1)), 0);
  const int last = std::min(FRange.Right, static_cast<int>(FGrid.MaxWidths.size()) - 1);
  for (int c = FRange.Left; c <= last; ++c) {
    if (!ColPrinted(c)) continue;
    int& width = FGrid.MaxWidths[static_cast<size_t>(c)];
    if (FSettings.NoAutoSize) {
      width = RoundInt(FGrid.ColWidths(c) * FScale);
      continue;
    }
    auto measure = [&](int r) {
      if (FGrid.CellSpan(c, r).X > 0 || FGrid.IsMergedNonBaseCell(c, r)) return;
      width = std::max(width, FSettings.UseFixedWidth ? FSettings.FixedWidth : MeasureCell(c, r).X);
    };
    for (int r = FRange.Top; r <= FRange.Bottom; ++r) measure(r);
    if (FSettings.RepeatFixedRows)
      for (int r = 0; r < FGrid.FixedRows(); ++r) measure(r);
  }
}

void TGridPrintEngine::FitToPage() {
  const int last = std::min(FRange.Right, static_cast<int>(FGrid.MaxWidths.size()) - 1);
  if (FSettings.FitToPage != fpNever) {
    const int v = (FRange.Right - FRange.Left + 1) * FColGap;
    int sum = 0;
    for (int c = FRange.Left; c <= last; ++c)
      if (ColPrinted(c)) sum += FGrid.MaxWidths[static_cast<size_t>(c)] + FColGap;
    double factor = 1.0;
    if (sum != v)
      factor = static_cast<double>(FPageWidth - FSettings.RightSize - FSettings.LeftSize - v) / (sum - v);
    if (FSettings.FitToPage == fpShrink && factor > 1.0) factor = 1.0;
    if (FSettings.FitToPage == fpGrow && factor < 1.0) factor = 1.0;
    if (FSettings.FitToPage == fpCustom && factor != 1.0) {
      bool allow = true;
      if (FGrid.OnFitToPage) FGrid.OnFitToPage(&FGrid, factor, allow);
      if (!allow) factor = 1.0;
    }
    if (factor != 1.0)
      for (int c = FRange.Left; c <= last; ++c) {
        int& width = FGrid.MaxWidths[static_cast<size_t>(c)];
        width = static_cast<int>(width * factor);
      }
  }
  if (FGrid.OnPrintSetColumnWidth)
    for (int c = FRange.Left; c <= last; ++c) FGrid.OnPrintSetColumnWidth(&FGrid, c, FGrid.MaxWidths[static_cast<size_t>(c)]);
}

int TGridPrintEngine::LayoutBlock(int First) {
  const int fixedCols = FGrid.FixedCols();
  auto widthOf = [&](int c) {
    return ColPrinted(c) && c < static_cast<int>(FGrid.MaxWidths.size()) ? FGrid.MaxWidths[static_cast<size_t>(c)] + FColGap : 0;
  };
  FRepeatCols = fixedCols > 0 && FSettings.RepeatFixedCols && !(First == FRange.Left && First < fixedCols);
  int w0 = 0;
  if (FRepeatCols)
    for (int c = 0; c < fixedCols; ++c) w0 += widthOf(c);

  // The block holds at least its first column, then every column that still fits.
  int total = w0 + widthOf(First);
  int last = First;
  for (int c = First + 1; c <= FRange.Right; ++c) {
    if (total + widthOf(c) > FPageWidth - FSettings.RightSize) break;
    total += widthOf(c);
    last = c;
  }

  const int start = FSettings.Centered ? 0 : FSettings.LeftSize;
  FGrid.Indents.assign(static_cast<size_t>(FGrid.ColCount() + 1), start);
  int x = start;
  for (int c = First; c <= last; ++c) {
    FGrid.Indents[static_cast<size_t>(c)] = x;
    x += widthOf(c);
  }
  FGrid.Indents[static_cast<size_t>(last + 1)] = x;
  FFixedPositions.assign(static_cast<size_t>(fixedCols + 1), start);
  int fx = start;
  for (int c = 0; c < fixedCols; ++c) {
    FFixedPositions[static_cast<size_t>(c)] = fx;
    fx += widthOf(c);
  }
  FFixedPositions[static_cast<size_t>(fixedCols)] = fx;

  const int used = total;
  const int shift = FSettings.Centered && used < FPageWidth ? (FPageWidth - used) / 2 : 0;
  for (int c = First; c <= last + 1; ++c) FGrid.Indents[static_cast<size_t>(c)] += shift + w0;
  for (int& p : FFixedPositions) p += shift;

  FBlockFirst = First;
  FBlockLast = last;
  FBlockLeft = FRepeatCols ? FFixedPositions.front() : FGrid.Indents[static_cast<size_t>(First)];
  FBlockRight = FGrid.Indents[static_cast<size_t>(last + 1)];
  FGrid.FPrintColStart = First;
  FGrid.FPrintColEnd = last;
  FGrid.FPrintPageWidth = used;
  return last;
}

void TGridPrintEngine::HeaderFooterHeights() {
  const TPrintPosition items[] = {FSettings.Time, FSettings.Date, FSettings.PageNr, FSettings.Title};
  const int titleLines = FSettings.TitleText.empty() ? FSettings.TitleLines()->Count() : 1;
  const bool top = std::any_of(std::begin(items), std::end(items), AtTop);
  const bool bottom = std::any_of(std::begin(items), std::end(items), AtBottom);
  FHeaderHeight = top ? FGap + FHeaderTextHeight + FSettings.HeaderSize : FSettings.HeaderSize;
  if (top && AtTop(FSettings.Title) && titleLines > 1) FHeaderHeight += (titleLines - 1) * FHeaderTextHeight;
  FFooterHeight = bottom ? 2 * FGap + 2 * FFooterTextHeight + FSettings.FooterSize
                         : FGap + FFooterTextHeight + FSettings.FooterSize;
  if (bottom && AtBottom(FSettings.Title) && titleLines > 1) FFooterHeight += (titleLines - 1) * FFooterTextHeight;
}

String TGridPrintEngine::PageText() const {
  String page;
  if (FMultiBlock) {
    page = IntToStr(FPageInBlock) + "-" + IntToStr(FBlock);
  } else {
    page = IntToStr(FPage + FSettings.PageNumberOffset);
    // A count the engine does not know (fast printing) is left out.
    if (!FSettings.PageNumSep.empty() && FPageCount > 1 && FPageCount != INT_MAX)
      page += FSettings.PageNumSep + IntToStr(FPageCount + FSettings.MaxPagesOffset);
  }
  String text;
  for (const String& part : {FSettings.PagePrefix, page, FSettings.PageSuffix}) {
    if (part.empty()) continue;
    if (!text.empty()) text += " ";
    text += part;
  }
  return text;
}

void TGridPrintEngine::PrintHeaderFooter() {
  // Texts per position: ppTopLeft .. ppBottomCenter.
  String texts[7];
  auto add = [&](TPrintPosition P, const String& Item, bool AlwaysJoin) {
    if (P == ppNone) return;
    String& t = texts[P];
    const bool left = P == ppTopLeft || P == ppBottomLeft;
    if (!AlwaysJoin && (t.empty() || Item.empty())) t = left ? Item + t : t + Item;
    else t = left ? Item + " " + t : t + " " + Item;
  };
  const TDateTime now = Now();
  add(FSettings.Time, FormatDateTime("hh:nn", now), true);
  add(FSettings.Date, FormatDateTime(FSettings.DateFormat, now), true);
  add(FSettings.PageNr, PageText(), true);
  std::vector<String> titleLines;
  if (!FSettings.TitleText.empty()) {
    add(FSettings.Title, FSettings.TitleText, true);
  } else if (FSettings.TitleLines()->Count() > 0) {
    add(FSettings.Title, FSettings.TitleLines()->Strings(0), false);
    for (int i = 1; i < FSettings.TitleLines()->Count(); ++i) titleLines.push_back(FSettings.TitleLines()->Strings(i));
  }

  FCanvas->Brush()->SetStyle(bsClear);
  for (int p = ppTopLeft; p <= ppBottomCenter; ++p) {
    const bool top = AtTop(static_cast<TPrintPosition>(p));
    TFont font;
    font.Assign(top ? *FSettings.HeaderFont() : *FSettings.FooterFont());
    font.SetHeight(FGrid.MapFontHeight(font.Size()));
    FCanvas->SetFont(&font);
    const int textHeight = top ? FHeaderTextHeight : FFooterTextHeight;
    const int y = top ? -FSettings.HeaderSize : FPageHeight + FFooterTextHeight + FGap + FSettings.FooterSize;
    std::vector<String> lines{texts[p]};
    if (p == FSettings.Title) lines.insert(lines.end(), titleLines.begin(), titleLines.end());
    for (size_t i = 0; i < lines.size(); ++i) {
      const String& line = lines[i];
      if (line.empty()) continue;
      const int w = FCanvas->TextWidth(line);
      int x = FSettings.LeftSize;
      if (p == ppTopRight || p == ppBottomRight) x = FPageWidth - FSettings.RightSize - 20 - w;
      else if (p == ppTopCenter || p == ppBottomCenter) x = (FPageWidth - w) / 2;
      FCanvas->TextOut(x, y - static_cast<int>(i) * textHeight, line);
    }
  }
  FCanvas->Brush()->SetStyle(bsSolid);
}

void TGridPrintEngine::StartPage() {
  ++FPageInBlock;
  FPageFinished = false;
  HeaderFooterHeights();
  FY = -FHeaderHeight;
  FRowsBottom = FY;
  if (Drawing() && PageInRange()) PrintHeaderFooter();
  FY -= FSettings.TitleSpacing;
}

void TGridPrintEngine::FinishPage() {
  if (FPageFinished) return;
  FPageFinished = true;
  ++FPagesDone;
  if (!Drawing() || !PageInRange()) return;
  const TPrintBorders b = FSettings.Borders;
  const int top = -FHeaderHeight - FSettings.TitleSpacing;
  const int bottom = FY + FGap / 2;
  FCanvas->Pen()->SetColor(FSettings.BorderColor);
  FCanvas->Pen()->SetWidth(b == TPrintBorders::pbDouble ? 10 : 2);
  if (b == TPrintBorders::pbAround || b == TPrintBorders::pbAroundVertical || b == TPrintBorders::pbAroundHorizontal) {
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Rectangle(FBlockLeft, top, FBlockRight, bottom);
    FCanvas->Brush()->SetStyle(bsSolid);
  }
  if (b == TPrintBorders::pbDouble || b == TPrintBorders::pbHorizontal || b == TPrintBorders::pbAroundHorizontal) {
    FCanvas->MoveTo(FBlockLeft, bottom);
    FCanvas->LineTo(FBlockRight, bottom);
  }
  if ((b == TPrintBorders::pbDouble || b == TPrintBorders::pbVertical || b == TPrintBorders::pbAroundVertical) && FRepeatCols)
    for (size_t c = 0; c + 1 < FFixedPositions.size(); ++c) {
      FCanvas->MoveTo(FFixedPositions[c], top);
      FCanvas->LineTo(FFixedPositions[c], bottom);
    }
}

bool TGridPrintEngine::BeginNewPage(bool FirstOfBlock) {
  const bool finishedInRange = PageInRange();
  const int finished = FPage++;
  FVeryFirstPage = false;
  if (FGrid.FFastPrint && finished > FGrid.PrintPageFrom + 1) FStopped = true;
  if (!PageInRange()) return true;
  if (FMode == pmPrint && finishedInRange) Printer()->NewPage();
  FCanvas->SetMapMode(MM_LOMETRIC);
  if (Drawing() && !FirstOfBlock && FGrid.OnPrintPage) FGrid.OnPrintPage(&FGrid, FCanvas, FPage, FPageWidth, FPageHeight);
  return true;
}

int TGridPrintEngine::RowHeight(int ARow) {
  if (FLastRowHeight && FLastRowHeight->first == ARow) return FLastRowHeight->second;
  int height = 0;
  if (FSettings.NoAutoSizeRow) {
    height = RoundInt(FGrid.RowHeights(ARow) * FScale) - 4;
  } else if (FSettings.UseFixedHeight) {
    height = FSettings.FixedHeight;
  } else {
    int lastSpanning = 0;
    bool any = false;
    for (int c = FRange.Left; c <= FRange.Right; ++c) {
      if (FGrid.IsMergedNonBaseCell(c, ARow)) continue;
      const int h = MeasureCell(c, ARow).Y;
      if (FGrid.CellSpan(c, ARow).Y > 0) {
        lastSpanning = h;
        continue;
      }
      any = true;
      height = std::max(height, h);
    }
    if (!any) height = lastSpanning;
    height += height / 8;
    if (FGrid.OnPrintSetRowHeight) FGrid.OnPrintSetRowHeight(&FGrid, ARow, height);
  }
  FLastRowHeight = std::make_pair(ARow, height);
  return height;
}

int TGridPrintEngine::Run() {
  SetUp();
  MeasureColumns();
  FitToPage();
  const int fixedRows = FGrid.FixedRows();
  const int fixedCols = FGrid.FixedCols();
  FPage = 1;
  int first = FRange.Left;
  while (first <= FRange.Right && !FCancelled && !FStopped) {
    ++FBlock;
    const int last = LayoutBlock(first);
    if (FBlock == 1) FMultiBlock = last < FRange.Right;
    FPageInBlock = 0;
    if (Drawing() && FGrid.OnPrintPage) FGrid.OnPrintPage(&FGrid, FCanvas, FPage, FPageWidth, FPageHeight);
    bool pageStart = false;
    auto startPage = [&]() {
      StartPage();
      pageStart = true;
    };
    startPage();
    int row = FRange.Top;
    while (row <= FRange.Bottom) {
      // Fixed rows head every page that does not begin with them.
      if (pageStart && row != 0 && (!FVeryFirstPage || FRange.Top >= fixedRows) && FSettings.RepeatFixedRows &&
          fixedRows > 0 && row >= fixedRows) {
        for (int r = 0; r < fixedRows; ++r) {
          if (FRepeatCols) PrintRow(FY, 0, fixedCols - 1, r, FFixedPositions);
          FY -= PrintRow(FY, first, last, r, FGrid.Indents);
        }
      }
      pageStart = false;
      const bool fullRange = FRange.Top <= fixedRows && FRange.Bottom >= FGrid.RowCount() - 1 - FGrid.FixedFooters();
      FGrid.ExportNotification(fullRange ? esExportNewRow : esExportSelRow, row);
      if (RowPrinted(row)) {
        if (FRepeatCols) PrintRow(FY, 0, fixedCols - 1, row, FFixedPositions);
        FY -= PrintRow(FY, first, last, row, FGrid.Indents);
      }
      FRowsBottom = FY;
      const int next = row + 1;
      bool forced = false;
      if (FGrid.OnPrintNewPage) FGrid.OnPrintNewPage(&FGrid, next, forced);
      const bool exhausted = next > FRange.Bottom;
      const bool full = !exhausted && FY - RowHeight(next) < FPageHeight + FFooterHeight;
      if (full || exhausted || forced) {
        if (Drawing() && FGrid.OnPrintPageDone)
          FGrid.OnPrintPageDone(&FGrid, FCanvas, next, FY, FPage, FPageWidth, FPageHeight);
        if (Drawing() && FGrid.OnPrintCancel) FGrid.OnPrintCancel(&FGrid, FPage, FCancelled);
      }
      if (FCancelled || exhausted) break;
      if (full || forced) {
        FinishPage();
        BeginNewPage(false);
        if (FStopped) break;
        startPage();
      }
      row = next;
    }
    FinishPage();
    first = last + 1;
    if (first <= FRange.Right && !FCancelled && !FStopped) BeginNewPage(true);
  }
  return FPagesDone;
}
