// Import: a workbook sheet into the grid. The sheet is read whole into a TSheetImage first; the
// grid is cleared and filled from the image only after the file has been read and closed.
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "grid/print/PrintSettings.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavUWbkNumberFormat.h"
#include "xls/vavXlsMessages.h"

struct TRivGridExcelIO::TSheetImage {
  struct TCell {
    Integer Col = 0, Row = 0;
    String Text;
    bool HasLooks = false;  // the properties below were read
    TColor FontColor = clBlack;
    Integer FontSize = 0;
    String FontName;
    TFontStyles FontStyle;
    TColor BackColor = clWhite;
    TAlignment Alignment = taLeftJustify;
    bool SetReadOnly = false;
    bool ReadOnly = false;
    Integer Rotation = 0;  // the grid's angle; 0: not rotated
  };
  struct TMerge {
    Integer Col, Row, SpanX, SpanY;
  };
  Integer RowCount = -1, ColCount = -1;  // -1: the count stays
  Integer DefaultRowHeight = -1, DefaultColWidth = -1;
  std::vector<std::pair<Integer, Integer>> RowHeights, ColWidths;  // grid index, pixels
  std::vector<TMerge> Merges;
  std::vector<TCell> Cells;
  struct TComment {
    Integer Col, Row;
    String Text;
  };
  std::vector<TComment> Comments;
  // A sheet picture in the grid cell it starts in; without a bitmap when it cannot be shown.
  struct TPictureCell {
    Integer Col, Row, SpanX, SpanY;
    std::unique_ptr<TBitmap> Bitmap;
  };
  std::vector<TPictureCell> Pictures;
  std::vector<Integer> HiddenRows, HiddenCols;  // grid indexes
  // Rows formatted as a whole: their fill, and their font colour when the format names one.
  struct TRowLook {
    Integer Row;
    TColor BackColor;
    bool HasFontColor;
    TColor FontColor;
  };
  std::vector<TRowLook> RowLooks;
  bool SetOrientation = false;
  TPrinterOrientation Orientation = poPortrait;
  // Outlined sheet rows as grid nodes: the node's real row and its span.
  std::vector<std::pair<Integer, Integer>> Nodes;
};

namespace {


// Numbers in the data grid are read with '.', so the rendering uses '.' whatever the regional
// settings say; dates and everything else keep them.
class TDotDecimalScope {
 public:
  TDotDecimalScope() : FSaved(FormatSettings) {
    FormatSettings.DecimalSeparator = '.';
    if (FormatSettings.ThousandSeparator == '.') FormatSettings.ThousandSeparator = ',';
  }
  ~TDotDecimalScope() { FormatSettings = FSaved; }
  TDotDecimalScope(const TDotDecimalScope&) = delete;
  TDotDecimalScope& operator=(const TDotDecimalScope&) = delete;

 private:
  TFormatSettings FSaved;
};

TColor FillColorOf(TExcelFile* File, const TWbkFormat& Fm) {
  const Integer index = Fm.FillPattern.FgColorIndex;
  if (Fm.FillPattern.Pattern != 1 && index >= 1 && index <= 56)
    return static_cast<TColor>(File->GetColorPalette(index));
  return 0xFFFFFF;
}

bool HoldsValue(const Variant& V) { return !V.IsEmpty() && !V.IsNull() && !(V.IsString() && V.AsString().empty()); }

// The last sheet row and column (1-based, 0 for none) that hold a value, a merged block that
// starts at a value reaching as far as the block. ROW records and blank cells that only carry
// a format do not count: a sheet formatted far below its data opens at its data's size.
void ValueExtent(TExcelFile* File, Integer& LastRow, Integer& LastCol) {
  LastRow = LastCol = 0;
  const Integer rows = File->MaxRow();
  for (Integer r = 1; r <= rows; ++r) {
    for (Integer i = File->ColIndexCount(r); i >= 1; --i) {
      const Integer c = File->ColByIndex(r, i);
      if (!HoldsValue(File->GetCellValue(r, c))) continue;
      LastRow = r;
      LastCol = std::max(LastCol, c);
      break;
    }
  }
  for (Integer k = 0, n = File->CellMergedListCount(); k < n; ++k) {
    const TXlsCellRange m = File->GetCellMergedList(k);
    if (!HoldsValue(File->GetCellValue(m.Top, m.Left))) continue;
    LastRow = std::max(LastRow, m.Bottom);
    LastCol = std::max(LastCol, m.Right);
  }
}

String AdjustLineBreaks(const String& S) {
  String out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r') {
      out += "\r\n";
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else if (S[i] == '\n') {
      out += "\r\n";
    } else {
      out += S[i];
    }
  }
  return out;
}

}  // namespace

void TRivGridExcelIO::XLSImport(const String& FileName) { ImportWorkbook(FileName, -1, ""); }

void TRivGridExcelIO::XLSImport(const String& FileName, Integer SheetNumber) {
  ImportWorkbook(FileName, SheetNumber, "");
}

void TRivGridExcelIO::XLSImport(const String& FileName, const String& SheetName) {
  if (SheetName.empty()) RaiseXls(XlsMsg::InvalidSheetName, {String()});
  ImportWorkbook(FileName, -1, SheetName);
}

void TRivGridExcelIO::OpenForImport(TExcelFile* File, const String& FileName) {
  const String ext = UpperCase(ExtractFileExt(FileName));
  // Delimited text has no reader here: such a file gives a workbook without sheets.
  if (ext == ".CSV" || ext == ".TXT") return;
  File->OpenFile(FileName);
}

void TRivGridExcelIO::LoadSheetNames(const String& FileName) {
  std::unique_ptr<TExcelFile> file = CreateWorkbookFile();
  file->Connect();
  try {
    OpenForImport(file.get(), FileName);
    const Integer count = file->SheetCount();
    std::vector<String> names;
    FWorkSheetNum = count;
    for (Integer i = 1; i <= count; ++i) {
      FWorkSheet = i;
      file->SetActiveSheet(i);
      names.push_back(WideToUtf8(file->GetActiveSheetName()));
    }
    FSheetNames = std::move(names);
  } catch (...) {
    CloseWorkbookFile(file.get());
    throw;
  }
  CloseWorkbookFile(file.get());
}

void TRivGridExcelIO::ImportWorkbook(const String& FileName, Integer SheetNumber, const String& SheetName) {
  if (CurrentGrid() == nullptr) RaiseXls(XlsMsg::NoGridAssigned);
  // Every sheet into a sheet of the grid workbook, when there is one and no sheet is named.
  const bool workbookMode = FRivGridWorkbook != nullptr && SheetNumber < 0 && SheetName.empty();
  std::unique_ptr<TExcelFile> file = CreateWorkbookFile();
  std::vector<TSheetImage> images;
  Integer activeSheet = 1;
  file->Connect();
  try {
    OpenForImport(file.get(), FileName);
    const Integer count = file->SheetCount();
    activeSheet = count > 0 ? file->GetActiveSheet() : 1;
    std::vector<String> names;
    FWorkSheetNum = count;
    const WideString wanted = UpperCaseText(Utf8ToWide(SheetName));
    Integer chosen = SheetNumber;
    for (Integer i = 1; i <= count; ++i) {
      FWorkSheet = i;
      file->SetActiveSheet(i);
      const WideString name = file->GetActiveSheetName();
      names.push_back(WideToUtf8(name));
      if (!SheetName.empty() && UpperCaseText(name) == wanted) chosen = i;
      if (workbookMode) {
        file->ParseComments();
        ReadSheet(file.get(), images.emplace_back());
      }
    }
    FSheetNames = std::move(names);
    if (!workbookMode) {
      if (!SheetName.empty() && chosen < 1) RaiseXls(XlsMsg::InvalidSheetName, {SheetName});
      if (chosen < 1) chosen = 1;
      FWorkSheetNum = 1;
      FWorkSheet = 1;
      if (chosen > count)
        RaiseXls(XlsMsg::IndexOutOfRange, {Int64(chosen), String("ActiveSheet"), Int64(1), Int64(count)});
      file->SetActiveSheet(chosen);
      file->SelectSheet(chosen);
      file->ParseComments();
      ReadSheet(file.get(), images.emplace_back());
    }
  } catch (...) {
    CloseWorkbookFile(file.get());
    throw;
  }
  CloseWorkbookFile(file.get());
  file.reset();
  if (!workbookMode) {
    ApplySheet(images.front());
    return;
  }
  // The workbook's sheets are replaced only now that the whole file has been read.
  TRivGridWorkbook* book = FRivGridWorkbook;
  book->SetActiveSheet(0);
  book->Sheets()->Clear();
  for (size_t i = 0; i < images.size(); ++i) {
    book->AddSheet(FSheetNames[i]);
    ApplySheet(images[i]);
  }
  const Integer shown = FOptions->ImportActiveSheet ? activeSheet - 1 : 0;
  if (shown >= 0 && shown < book->Sheets()->Count()) book->SetActiveSheet(shown);
}

void TRivGridExcelIO::ReadSheet(TExcelFile* File, TSheetImage& Image) {
  TRivErodovOzar* grid = CurrentGrid();
  const TROZIOOptions& o = *FOptions;
  const double z = (ZoomSaved ? File->GetSheetZoom() : FZoom) / 100.0;
  Integer maxRow = 0, maxCol = 0;
  ValueExtent(File, maxRow, maxCol);

  Integer rowCount = grid->RowCount(), colCount = grid->ColCount();
  if (AutoResizeGrid) {
    const Integer rows = maxRow + FGridStartRow - FXlsStartRow + 1;
    if (grid->FixedRows() < rows) rowCount = Image.RowCount = rows;
    const Integer cols = maxCol + FGridStartCol - FXlsStartCol + 1;
    if (grid->FixedCols() < cols) colCount = Image.ColCount = cols;
  }
  // The sheet's orientation, when it keeps printer settings.
  if (o.ImportPrintOptions && (File->GetPrintOptions() & 4) == 0) {
    Image.SetOrientation = true;
    Image.Orientation = (File->GetPrintOptions() & 2) != 0 ? poPortrait : poLandscape;
  }
  if (o.ImportImages) ImportPictures(File, Image, z, rowCount, colCount);
  if (OnImportSize) OnImportSize(rowCount, colCount);
  if (o.ImportCellSizes) {
    Image.DefaultRowHeight = RoundHalfEven(File->GetDefaultRowHeight() / 15.0 * z);
    Image.DefaultColWidth = RoundHalfEven(File->GetDefaultColWidth() / (256.0 / 7.0) * z);
  }
  const Integer lastRow = std::min(maxRow, rowCount + FXlsStartRow - FGridStartRow - 1);
  const Integer lastCol = std::min(maxCol, colCount + FXlsStartCol - FGridStartCol - 1);
  auto gridRow = [&](Integer r) { return FGridStartRow + r - FXlsStartRow; };
  auto gridCol = [&](Integer c) { return FGridStartCol + c - FXlsStartCol; };

  if (o.ImportCellSizes) {
    // Every row and column the grid gets takes the sheet's size, also those a picture reaches
    // beyond the values, so that the picture sits over the same cells.
    const Integer sizedRow = std::min(kSheetRows, rowCount + FXlsStartRow - FGridStartRow - 1);
    const Integer sizedCol = std::min(kSheetCols, colCount + FXlsStartCol - FGridStartCol - 1);
    for (Integer r = FXlsStartRow; r <= sizedRow; ++r)
      Image.RowHeights.emplace_back(gridRow(r), RoundHalfEven(File->GetRowHeight(r) / 15.0 * z));
    for (Integer c = FXlsStartCol; c <= sizedCol; ++c)
      Image.ColWidths.emplace_back(gridCol(c), RoundHalfEven(File->GetColumnWidth(c) / (256.0 / 7.0) * z));
  }
  if (o.ImportCellProperties)
    for (Integer r = FXlsStartRow; r <= lastRow; ++r) {
      const Integer xf = File->GetRowFormat(r);
      if (xf < 0) continue;
      const TWbkFormat fm = File->GetFormatList(xf);
      const Integer font = fm.Font.ColorIndex;
      const bool hasFont = font >= 1 && font <= 56;
      Image.RowLooks.push_back({gridRow(r), FillColorOf(File, fm), hasFont,
                                hasFont ? static_cast<TColor>(File->GetColorPalette(font)) : clBlack});
    }
  // Outline levels: every run of rows at level L or deeper becomes a node on the row above
  // it, spanning that row and the run; outer levels first.
  if (o.ImportCellProperties)
    for (Integer level = 1; level <= 7; ++level)
      for (Integer r = FXlsStartRow; r <= lastRow;) {
        if (File->GetRowOutlineLevel(r) != level) {
          ++r;
          continue;
        }
        Integer i = r + 1;
        while (i <= lastRow && File->GetRowOutlineLevel(i) >= level) ++i;
        Image.Nodes.emplace_back(gridRow(r) - 1, i - r + 1);
        r = i;
      }
  // Hidden sheet rows and columns are hidden in the grid too, with their cells kept.
  for (Integer r = FXlsStartRow; r <= lastRow; ++r)
    if (File->GetRowHidden(r)) Image.HiddenRows.push_back(gridRow(r));
  for (Integer c = FXlsStartCol; c <= lastCol; ++c)
    if (File->GetColumnHidden(c)) Image.HiddenCols.push_back(gridCol(c));

  const bool dates1904 = File->GetOptions1904Dates();
  TDotDecimalScope dotDecimal;
  for (Integer r = FXlsStartRow; r <= lastRow; ++r) {
    for (Integer c = FXlsStartCol; c <= lastCol; ++c) {
      const TWbkFormat fm = ReadCellFormat(File, r, c);
      const TXlsCellRange range = File->GetCellMergedBounds(r, c);
      if (range.Left != c || range.Top != r) continue;  // inside another cell's merged block
      TSheetImage::TCell cell;
      cell.Col = gridCol(c);
      cell.Row = gridRow(r);
      if (range.Right > c || range.Bottom > r)
        Image.Merges.push_back({cell.Col, cell.Row, range.Right - range.Left + 1, range.Bottom - range.Top + 1});
      if (o.ImportLockedCellsAsReadonly) {
        cell.SetReadOnly = true;
        cell.ReadOnly = fm.Locked;
      }
      Variant value = File->GetCellValue(r, c);
      Integer color = clBlack;
      if (o.ImportCellProperties) {
        cell.HasLooks = true;
        const Integer fontColor = fm.Font.ColorIndex;
        if (fontColor >= 1 && fontColor <= 56) color = static_cast<Integer>(File->GetColorPalette(fontColor));
        cell.FontSize = static_cast<Integer>(std::trunc(fm.Font.Size20 / 20.0 * z));
        cell.FontName = WideToUtf8(fm.Font.Name);
        if (fm.Font.Style.Contains(flsBold)) cell.FontStyle += fsBold;
        if (fm.Font.Style.Contains(flsItalic)) cell.FontStyle += fsItalic;
        if (fm.Font.Style.Contains(flsStrikeOut)) cell.FontStyle += fsStrikeOut;
        if (fm.Font.Underline != TWbkUnderline::fu_None) cell.FontStyle += fsUnderline;
        cell.BackColor = FillColorOf(File, fm);
        // 1..90 turn counter-clockwise, 91..180 clockwise by rotation - 90 degrees.
        if (fm.Rotation >= 1 && fm.Rotation <= 90) cell.Rotation = fm.Rotation;
        else if (fm.Rotation >= 91 && fm.Rotation <= 180) cell.Rotation = 90 - fm.Rotation;
        switch (fm.HAlignment) {
          case THWbkAlignment::fha_left: cell.Alignment = taLeftJustify; break;
          case THWbkAlignment::fha_center: cell.Alignment = taCenter; break;
          case THWbkAlignment::fha_right: cell.Alignment = taRightJustify; break;
          default:
            cell.Alignment = value.VType() == varBoolean ? taCenter
                             : value.IsString()          ? taLeftJustify
                                                         : taRightJustify;
        }
        if (o.ImportFormulas) {
          const WideString formula = File->GetCellFormula(r, c);
          if (!formula.empty() && formula[0] == u'=') value = Variant(formula);
        }
      }
      // Without cell formats a number shows as the grid shows numbers; dates and times keep
      // their format.
      String format = WideToUtf8(fm.Format);
      bool hasDate = false, hasTime = false;
      if (!o.ImportCellFormats && value.IsNumeric() && !FormatHasDateTime(format, hasDate, hasTime))
        format = "General";
      const String text = FormatCellValue(value, format, dates1904, color);
      cell.FontColor = color;
      if (!o.ImportCellFormats)
        cell.Text = text;
      else if (UseUnicode)
        cell.Text = StringReplace(text, "\n", "\r\n", rfReplaceAll);
      else
        cell.Text = Trim(AdjustLineBreaks(text));
      Image.Cells.push_back(std::move(cell));
    }
    if (o.ImportCellProperties)
      for (Integer k = 0; k < File->GetCommentsCount(r); ++k)
        Image.Comments.push_back(
            {gridCol(File->GetCommentColumn(r, k)), gridRow(r), WideToUtf8(File->GetCommentText(r, k))});
    if (OnProgress) OnProgress(this, FWorkSheet, FWorkSheetNum, r - FXlsStartRow, lastRow - FXlsStartRow);
  }
}

void TRivGridExcelIO::ApplySheet(const TSheetImage& Image) {
  TRivErodovOzar* grid = CurrentGrid();
  // The old sheet's hidden rows and columns come back first, so that clearing reaches them.
  grid->UnHideRowsAll();
  grid->UnHideColumnsAll();
  grid->Clear();
  if (Image.SetOrientation) grid->PrintSettings()->Orientation = Image.Orientation;
  // A new sheet brings its own merged blocks and looks; the old ones go with the old cells.
  grid->FreeAllCellProperties();
  if (Image.RowCount >= 0) grid->SetRowCount(Image.RowCount);
  if (Image.ColCount >= 0) grid->SetColCount(Image.ColCount);
  if (Image.DefaultRowHeight >= 0) grid->SetDefaultRowHeight(Image.DefaultRowHeight);
  if (Image.DefaultColWidth >= 0) grid->SetDefaultColWidth(Image.DefaultColWidth);
  for (const auto& [row, height] : Image.RowHeights)
    if (row >= 0 && row < grid->RowCount()) grid->SetRowHeights(row, height);
  for (const auto& [col, width] : Image.ColWidths)
    if (col >= 0 && col < grid->ColCount()) grid->SetColWidths(col, width);
  for (const TSheetImage::TPictureCell& pc : Image.Pictures) {
    if (pc.Col < 0 || pc.Row < 0 || pc.Col >= grid->ColCount() || pc.Row >= grid->RowCount()) continue;
    TPicture* picture = grid->CreatePicture(pc.Col, pc.Row, false, noStretch, 0, haLeft, vaTop);
    const Integer spanX = std::min(pc.SpanX, grid->ColCount() - pc.Col);
    const Integer spanY = std::min(pc.SpanY, grid->RowCount() - pc.Row);
    if (spanX > 1 || spanY > 1) grid->MergeCells(pc.Col, pc.Row, spanX, spanY);
    if (pc.Bitmap) picture->SetBitmap(pc.Bitmap.get());
    else grid->RemovePicture(pc.Col, pc.Row);
  }
  for (const TSheetImage::TMerge& m : Image.Merges) {
    // Blocks that reach past the grid are cut to it.
    const Integer spanX = std::min(m.SpanX, grid->ColCount() - m.Col);
    const Integer spanY = std::min(m.SpanY, grid->RowCount() - m.Row);
    if (m.Col >= 0 && m.Row >= 0 && (spanX > 1 || spanY > 1)) grid->MergeCells(m.Col, m.Row, spanX, spanY);
  }
  for (const TSheetImage::TRowLook& look : Image.RowLooks) {
    if (look.Row < 0 || look.Row >= grid->RowCount()) continue;
    grid->SetRowBackColor(look.Row, look.BackColor);
    if (look.HasFontColor) grid->SetRowFontColor(look.Row, look.FontColor);
  }
  for (const TSheetImage::TCell& cell : Image.Cells) {
    if (cell.Col < 0 || cell.Row < 0) continue;
    grid->SetCells(cell.Col, cell.Row, cell.Text);
    if (!cell.HasLooks && !cell.SetReadOnly) continue;
    TCellProperties* p = grid->GetCellProperties(cell.Col, cell.Row);
    if (cell.SetReadOnly) p->SetReadOnly(cell.ReadOnly);
    if (!cell.HasLooks) continue;
    p->SetFontColor(cell.FontColor);
    p->SetFontSize(cell.FontSize);
    p->SetFontName(cell.FontName);
    p->SetFontStyle(cell.FontStyle);
    p->SetBrushColor(cell.BackColor);
    p->SetAlignment(cell.Alignment);
    if (cell.Rotation != 0) grid->SetRotated(cell.Col, cell.Row, static_cast<int16_t>(cell.Rotation));
  }
  for (const TSheetImage::TComment& c : Image.Comments)
    if (c.Col >= 0 && c.Row >= 0 && c.Col < grid->ColCount() && c.Row < grid->RowCount())
      grid->AddComment(c.Col, c.Row, c.Text);
  for (const auto& [row, span] : Image.Nodes)
    if (row >= 0 && row + span <= grid->RowCount()) grid->AddNode(row, span);
  // Sheets align their cells at the bottom.
  grid->VAlignment = vtaBottom;
  // Last, as hiding moves rows out of the cell store. Columns are hidden by real index, rows
  // from the bottom up so that the indexes above stay put.
  for (Integer c : Image.HiddenCols)
    if (c >= 0 && c < grid->AllColCount()) grid->HideColumn(c);
  for (auto it = Image.HiddenRows.rbegin(); it != Image.HiddenRows.rend(); ++it)
    if (*it >= 0 && *it < grid->AllRowCount()) grid->HideRow(*it);
}
