// Export: the grid into a workbook sheet, written whole in memory and then saved as the program's
// text files are saved.
#include <cmath>

#include "classlib/Dialogs.h"
#include "classlib/RichEdit.h"
#include "classlib/ShellApi.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "grid/print/PrintSettings.h"
#include "grid/base/HTMLTextOperations.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavXlsMessages.h"

namespace {


String ReplaceAllNoCase(const String& S, const String& Old, const String& New) {
  return StringReplace(S, Old, New, rfReplaceAll | rfIgnoreCase);
}

}  // namespace

// Rich text goes out as the plain text the grid's rich edit shows of it (unless raw RTF is
// asked for); every line break becomes a single line feed.
String TRivGridExcelIO::PrepareExportText(const String& Text) {
  String text = Text;
  if (!FOptions->ExportRawRTF && text.rfind("{\\rtf", 0) == 0) {
    TRichEdit* rich = CurrentGrid()->RichEdit();
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<Integer>(text.size()));
    stream.SetPosition(0);
    rich->Lines()->LoadFromStream(stream);
    text = rich->Text();
  }
  String out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

// The palette entries the workbook already uses, when colours may redefine the others.
void TRivGridExcelIO::PrepareUsedColors(TExcelFile* File) {
  FUsedColors = FOptions->UseExcelStandardColorPalette ? BooleanArray() : File->GetUsedPaletteColors();
}

void TRivGridExcelIO::XLSExport(const String& FileName, const String& SheetName, Integer SheetPos,
                                Integer SelectSheet, TInsertInSheet InsertInSheet) {
  if (CurrentGrid() == nullptr) RaiseXls(XlsMsg::NoGridAssigned);
  const bool exists = FileExists(FileName);
  if (exists && FOptions->ExportOverwrite == omWarn) {
    const String question = Format(FOptions->ExportOverwriteMessage, {FileName});
    if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) != mrYes) return;
  }
  // With omNever the existing workbook is read and the grid goes into one of its sheets.
  const bool intoExisting = exists && FOptions->ExportOverwrite == omNever;
  const bool workbookMode = FRivGridWorkbook != nullptr && SheetName.empty() && SheetPos == -1;

  TMemoryStream workbook;
  std::unique_ptr<TExcelFile> file = CreateWorkbookFile();
  file->Connect();
  try {
    if (workbookMode) {
      // One sheet per grid sheet, named only once all exist, so that no name clashes on the way.
      const Integer count = FRivGridWorkbook->Sheets()->Count();
      file->NewFile(count);
      for (Integer i = 1; i <= file->SheetCount(); ++i) {
        file->SetActiveSheet(i);
        file->SetActiveSheetName(Utf8ToWide("_xx_@" + std::to_string(i) + "__" + std::to_string(i)));
      }
    } else if (intoExisting) {
      file->OpenFile(FileName);
      const WideString wanted = UpperCaseText(Utf8ToWide(SheetName));
      Integer found = 0;
      for (Integer i = 1; i <= file->SheetCount() && found == 0; ++i) {
        file->SetActiveSheet(i);
        if (!SheetName.empty() && UpperCaseText(file->GetActiveSheetName()) == wanted) found = i;
      }
      if (found > 0) {
        file->SetActiveSheet(found);
        const Integer k = (InsertInSheet == InsertInSheet_InsertRowsExceptFirstAndSecond ||
                           InsertInSheet == InsertInSheet_InsertColsExceptFirstAndSecond)
                              ? 1
                              : 0;
        switch (InsertInSheet) {
          case InsertInSheet_Clear: file->ClearSheet(); break;
          case InsertInSheet_OverwriteCells: break;
          case InsertInSheet_InsertRows:
          case InsertInSheet_InsertRowsExceptFirstAndSecond: {
            const Integer n = CurrentGrid()->RowCount() - FGridStartRow - 2 * k;
            if (n > 0) file->InsertAndCopyRows(65536, 65536, FXlsStartRow + k, n, true);
            break;
          }
          case InsertInSheet_InsertCols:
          case InsertInSheet_InsertColsExceptFirstAndSecond: {
            const Integer n = CurrentGrid()->ColCount() - FGridStartCol - 2 * k;
            if (n > 0) file->InsertAndCopyCols(256, 256, FXlsStartCol + k, n, true);
            break;
          }
        }
      } else {
        const Integer count = file->SheetCount();
        const Integer p = (SheetPos >= 1 && SheetPos <= count) ? SheetPos : count + 1;
        file->InsertAndCopySheets(-1, p, 1);
        file->SetActiveSheet(p);
      }
    } else {
      file->NewFile(1);
    }
    if (workbookMode) {
      TRivGridWorkbook* book = FRivGridWorkbook;
      FWorkSheetNum = book->Sheets()->Count();
      const Integer shown = book->ActiveSheet();
      try {
        for (Integer i = 1; i <= FWorkSheetNum; ++i) {
          FWorkSheet = i;
          file->SetActiveSheet(i);
          book->SetActiveSheet(i - 1);
          ExportSheet(file.get());
          file->SetActiveSheetName(Utf8ToWide(book->Sheets()->Items(i - 1)->Name()));
        }
      } catch (...) {
        book->SetActiveSheet(shown);
        throw;
      }
      book->SetActiveSheet(shown);
    } else {
      FWorkSheetNum = 1;
      FWorkSheet = 1;
      ExportSheet(file.get());
    }
    if (!SheetName.empty()) file->SetActiveSheetName(Utf8ToWide(SheetName));
    file->SelectSheet(SelectSheet);
    file->Save(true, FileName, nullptr, nullptr, &workbook);
  } catch (...) {
    CloseWorkbookFile(file.get());
    throw;
  }
  CloseWorkbookFile(file.get());
  file.reset();
  // Saved as the program's text files are: only a completely written workbook replaces the
  // file that was there, a read-only file is kept and a link is written through.
  try {
    WriteFileAtomically(FileName, String(workbook.Bytes().begin(), workbook.Bytes().end()));
  } catch (const std::exception&) {
    RaiseXls(XlsMsg::CantWriteFile, {FileName});
  }
  if (FOptions->ExportShowInExcel) ShellExecute(0, "open", FileName, "", "", SW_SHOWNORMAL);
}

void TRivGridExcelIO::ExportSheet(TExcelFile* File) {
  TRivErodovOzar* grid = CurrentGrid();
  const TROZIOOptions& o = *FOptions;
  // The grid draws its cells without an inner offset, so sizes go over as they are.
  if (o.ExportPrintOptions) {
    File->SetPrintScale(100);
    // Printer settings present, in the grid's orientation.
    const TPrintSettings& print = *grid->PrintSettings();
    const Byte options = static_cast<Byte>(File->GetPrintOptions() & ~4);
    File->SetPrintOptions(print.Orientation == poLandscape ? options & ~2 : options | 2);
    // Print titles: the fixed rows and columns on every page, as the built-in name of code 7.
    const bool rows = print.RepeatFixedRows && grid->FixedRows() > 0;
    const bool cols = print.RepeatFixedCols && grid->FixedCols() > 0;
    if (rows || cols) {
      TXlsNamedRange titles;
      titles.Name = WideString(1, char16_t{7});
      titles.OptionFlags = 0;
      titles.NameSheetIndex = File->GetActiveSheet();
      String formula;
      if (rows) formula = "=$A$1:$" + EncodeColumn(kSheetCols) + "$" + std::to_string(grid->FixedRows());
      if (cols)
        formula += (rows ? ", " : "=") + String("$A$1:$") + EncodeColumn(grid->FixedCols()) + "$" + std::to_string(kSheetRows);
      titles.RangeFormula = Utf8ToWide(formula);
      File->AddRange(titles);
    }
  }
  File->SetOutlineSummaryRowsBelowDetail(o.ExportSummaryRowsBelowDetail);
  File->SetOutlineSummaryColsRightOfDetail(o.ExportSummaryRowsBelowDetail);
  File->SetShowGridLines(o.ExportShowGridLines);
  PrepareUsedColors(File);

  grid->ExportNotification(esExportStart, -1);

  // Real grid columns, each with its sheet column; hidden ones only when asked for, then hidden
  // on the sheet as well.
  std::vector<Integer> columns;
  for (Integer s = FGridStartCol; s < grid->AllColCount(); ++s)
    if (!grid->IsHiddenColumn(s) || o.ExportHiddenColumns) columns.push_back(s);
  // Real grid rows likewise; a shown row is read at its display index.
  std::vector<Integer> rows;
  for (Integer q = FGridStartRow; q < grid->AllRowCount(); ++q)
    if (!grid->IsHiddenRow(q) || o.ExportHiddenRows) rows.push_back(q);

  for (size_t k = 0; k < columns.size(); ++k) {
    const Integer c = FXlsStartCol + static_cast<Integer>(k), s = columns[k];
    if (grid->IsHiddenColumn(s)) File->SetColumnHidden(c, true);
    if (!o.ExportCellSizes) continue;
    const Integer w = RoundHalfEven(grid->GetAllColWidth(s) * 256.0 / 7.0);
    File->SetColumnWidth(c, w < 1 ? 0 : w);
  }
  for (size_t k = 0; k < rows.size(); ++k) {
    const Integer r = FXlsStartRow + static_cast<Integer>(k), q = rows[k];
    if (grid->IsHiddenRow(q)) {
      File->SetRowHidden(r, true);
      continue;
    }
    if (!o.ExportCellSizes) continue;
    const Integer h = RoundHalfEven(grid->RowHeights(grid->DisplRowIndex(q)) * 15.0);
    File->SetRowHeight(r, h < 1 ? 0 : h);
  }

  FCarriedBorders.assign(static_cast<size_t>(grid->AllColCount() + 2), TCarriedBorder{});
  for (size_t k = 0; k < rows.size(); ++k) {
    const Integer r = FXlsStartRow + static_cast<Integer>(k);
    if (grid->IsHiddenRow(rows[k])) {
      ExportHiddenRow(File, rows[k], r, columns);
      continue;
    }
    const Integer q = grid->DisplRowIndex(rows[k]);
    grid->ExportNotification(esExportNewRow, q);
    for (size_t j = 0; j < columns.size(); ++j) {
      ExportCell(File, columns[j], q, r, FXlsStartCol + static_cast<Integer>(j));
      if (OnProgress) OnProgress(this, FWorkSheet, FWorkSheetNum, q - FGridStartRow, grid->RowCount() - FGridStartRow - 1);
    }
    // A node row's children are the sheet rows below it, outlined at the node's level.
    if (o.ExportCellProperties) {
      const Integer level = grid->GetNodeLevel(q);
      const Integer span = grid->GetNodeSpan(q);
      if (level >= 0 && level <= 7 && span > 1) File->SetRowOutlineLevel(r + 1, std::min(r + span - 1, kSheetRows), level);
    }
  }
  grid->ExportNotification(esExportDone, -1);
}

// A hidden row keeps only its texts in the grid; they go out with the sheet's formats.
void TRivGridExcelIO::ExportHiddenRow(TExcelFile* File, Integer GridRow, Integer XlsRow,
                                      const std::vector<Integer>& Columns) {
  TRivErodovOzar* grid = CurrentGrid();
  for (size_t j = 0; j < Columns.size(); ++j) {
    const String text = PrepareExportText(grid->GetAllCell(Columns[j], GridRow));
    if (text.empty()) continue;
    const Integer c = FXlsStartCol + static_cast<Integer>(j);
    const TWbkFormat fm = ReadCellFormat(File, XlsRow, c);
    if (FOptions->ExportCellFormats) WriteTypedText(File, XlsRow, c, text, fm, DateFormat, TimeFormat);
    else File->SetCellValue(XlsRow, c, Variant(Utf8ToWide(text)));
  }
}

void TRivGridExcelIO::ExportCell(TExcelFile* File, Integer GridCol, Integer GridRow, Integer XlsRow, Integer XlsCol) {
  TRivErodovOzar* grid = CurrentGrid();
  const TROZIOOptions& o = *FOptions;
  const auto* p = dynamic_cast<const TCellProperties*>(grid->GetRawCellObject(GridCol, GridRow));
  if (p != nullptr && !p->IsBaseCell()) return;  // covered by another cell's merged block
  const bool spans = p != nullptr && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
  if (spans)
    File->MergeCells(XlsRow, XlsCol, XlsRow + std::max(0, p->CellSpanY()), XlsCol + std::max(0, p->CellSpanX()));

  TWbkFormat format = ReadCellFormat(File, XlsRow, XlsCol);
  TFont font;
  TBrush brush;
  brush.SetColor(grid->Color());
  TGridDrawState state;
  if (GridCol < grid->FixedCols() || GridRow < grid->FixedRows()) state += gdFixed;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = false;
  TCellGradientDirection gd = GradientVertical;
  grid->GetVisualProperties(GridCol, GridRow, state, false, false, false, &brush, colorTo, mirror, mirrorTo, &font,
                            ha, va, ww, gd);

  format.Font.ColorIndex = NearestPaletteColor(File, font.Color());
  format.Font.Size20 = static_cast<Word>(std::trunc(std::abs(font.Height()) * 72.0 / font.PixelsPerInch() * 20.0));
  format.Font.Name = Utf8ToWide(font.Name());
  auto setStyle = [&](TWbkFontStyle style, bool on) {
    if (on) format.Font.Style += style;
    else format.Font.Style -= style;
  };
  setStyle(flsBold, font.Style().Contains(fsBold));
  setStyle(flsItalic, font.Style().Contains(fsItalic));
  setStyle(flsStrikeOut, font.Style().Contains(fsStrikeOut));
  format.Font.Underline = font.Style().Contains(fsUnderline) ? TWbkUnderline::fu_Single : TWbkUnderline::fu_None;

  ExportCellBorders(File, format, GridCol, GridRow, p != nullptr ? p->CellSpanX() : 0);
  if ((static_cast<Cardinal>(ColorToRGB(brush.Color())) & 0xFFFFFF) == 0xFFFFFF) {
    format.FillPattern.Pattern = 1;
  } else {
    format.FillPattern.Pattern = 2;
    format.FillPattern.FgColorIndex = NearestPaletteColor(File, brush.Color());
  }
  // Rotation: counter-clockwise angles up to 90 as they are, clockwise ones (270..359) as
  // 90 + their size; anything between has no sheet rotation.
  if (int angle = 0; grid->IsRotated(GridCol, GridRow, angle)) {
    angle = angle < 0 ? 360 - (-angle % 360) : angle % 360;
    if (angle <= 90) format.Rotation = static_cast<Byte>(angle);
    else if (angle >= 270) format.Rotation = static_cast<Byte>(450 - angle);
  }

  String text = PrepareExportText(grid->Cells(GridCol, GridRow));
  WideString formula = Utf8ToWide(text);
  if (OnGetCellFormula) OnGetCellFormula(grid, GridCol, GridRow, Utf8ToWide(text), formula);
  if (o.ExportReadonlyCellsAsLocked) format.Locked = p != nullptr && p->ReadOnly();
  if (!o.ExportHTMLTags) text = ReplaceAllNoCase(text, "<br>", "\r\n");
  if (text.find('\n') != String::npos || (grid->WordWrap() && o.ExportWordWrapped)) format.WrapText = true;
  if (!o.ExportHTMLTags && text.find("</") != String::npos) {
    text = HTMLToPlainText(text);
    text = ReplaceAllNoCase(text, "&nbsp;", " ");
    text = ReplaceAllNoCase(text, "&amp;", "&");
    text = ReplaceAllNoCase(text, "&quot;", "\"");
  }
  format.HAlignment = ha == taLeftJustify    ? THWbkAlignment::fha_left
                      : ha == taRightJustify ? THWbkAlignment::fha_right
                      : ha == taCenter       ? THWbkAlignment::fha_center
                                             : THWbkAlignment::fha_general;
  format.VAlignment = va == vtaTop      ? TVWbkAlignment::fva_top
                      : va == vtaCenter ? TVWbkAlignment::fva_center
                                        : TVWbkAlignment::fva_bottom;
  const WideString wideText = Utf8ToWide(text);
  if (OnCellFormat) OnCellFormat(grid, GridCol, GridRow, XlsCol, XlsRow, wideText, format);
  bool asString = !o.ExportCellFormats;
  if (OnExportColumnFormat) OnExportColumnFormat(grid, GridCol, GridRow, XlsCol, XlsRow, wideText, asString);

  auto writeString = [&](const TWbkFormat& fm, bool withFormat) {
    if (withFormat) {
      File->SetCellValueX(XlsRow, XlsCol, TXlsCellValue{Variant(wideText), File->AddFormat(fm), false});
    } else {
      File->SetCellValue(XlsRow, XlsCol, Variant(wideText));
    }
  };
  // Text that only looks like a formula is kept as text rather than failing the whole export.
  auto writeFormula = [&]() {
    try {
      File->SetCellFormula(XlsRow, XlsCol, formula);
      return true;
    } catch (const Exception&) {
      return false;
    }
  };
  const bool isFormula = o.ExportFormulas && !formula.empty() && formula[0] == u'=';
  if (asString) {
    if (isFormula && writeFormula()) {
      if (o.ExportCellProperties) File->SetCellFormat(XlsRow, XlsCol, File->AddFormat(format));
    } else {
      writeString(format, o.ExportCellProperties);
    }
  } else {
    WideString dateFmt = Utf8ToWide(DateFormat), timeFmt = Utf8ToWide(TimeFormat);
    if (OnDateTimeFormat) OnDateTimeFormat(grid, GridCol, GridRow, XlsCol, XlsRow, wideText, dateFmt, timeFmt);
    if (isFormula && writeFormula()) {
      if (o.ExportCellProperties) File->SetCellFormat(XlsRow, XlsCol, File->AddFormat(format));
    } else {
      const TWbkFormat fm = o.ExportCellProperties ? format : ReadCellFormat(File, XlsRow, XlsCol);
      WriteTypedText(File, XlsRow, XlsCol, text, fm, WideToUtf8(dateFmt), WideToUtf8(timeFmt));
    }
  }
  if (spans && (o.ExportCellProperties || !asString)) {
    const Integer xf = File->AddFormat(format);
    for (Integer i = 0; i <= p->CellSpanY(); ++i)
      for (Integer j = 0; j <= p->CellSpanX(); ++j)
        if (i != 0 || j != 0) File->SetCellFormat(XlsRow + i, XlsCol + j, xf);
  }
  ExportCellGraphic(File, GridCol, GridRow, XlsRow, XlsCol);
  // The comment box goes beside the cell (beside its merged block), a little right and down.
  String comment;
  if (grid->IsComment(GridCol, GridRow, comment) && !comment.empty()) {
    const TXlsCellRange range = File->GetCellMergedBounds(XlsRow, XlsCol);
    Integer height = 75, width = 130;
    const WideString text = Utf8ToWide(PrepareExportText(comment));
    if (OnGetCommentBoxSize) OnGetCommentBoxSize(this, text, height, width);
    const TImageProperties box = ImagePropertiesFromPixels(File, XlsRow - 1, XlsCol + range.Right - range.Left + 1,
                                                           width, height, 14, 8);
    File->SetCellComment(XlsRow, XlsCol, text, box);
  }
}

void TRivGridExcelIO::ExportCellBorders(TExcelFile* File, TWbkFormat& Format, Integer GridCol, Integer GridRow,
                                        Integer SpanX) {
  TRivErodovOzar* grid = CurrentGrid();
  const TROZIOOptions& o = *FOptions;
  TPen pen;
  TCellBorders borders;
  grid->GetCellBorder(GridCol, GridRow, &pen, borders);
  TColor left = pen.Color(), top = pen.Color(), right = pen.Color(), bottom = pen.Color();
  // Grid lines as borders: vertical lines give top and bottom borders, horizontal ones left
  // and right.
  if (o.ExportHardBorders && grid->GridLineWidth() > 0) {
    const TColor line = grid->GridLineColor();
    if (grid->Options().Contains(goVertLine)) {
      if (!borders.Contains(cbTop)) borders += cbTop, top = line;
      if (!borders.Contains(cbBottom)) borders += cbBottom, bottom = line;
    }
    if (grid->Options().Contains(goHorzLine)) {
      if (!borders.Contains(cbLeft)) borders += cbLeft, left = line;
      if (!borders.Contains(cbRight)) borders += cbRight, right = line;
    }
  }
  std::vector<TCarriedBorder>& carried = FCarriedBorders;
  const Integer last = static_cast<Integer>(carried.size()) - 1;
  if (GridCol < 0 || GridCol + 1 > last) return;
  const Integer a = std::clamp(SpanX, 0, last - 1 - GridCol);
  auto thin = [&](TColor Color) { return TWbkOneBorder{TWbkBorderStyle::fbs_Thin, NearestPaletteColor(File, Color)}; };
  auto thinIndex = [](Integer Index) { return TWbkOneBorder{TWbkBorderStyle::fbs_Thin, Index}; };
  TCarriedBorder& here = carried[static_cast<size_t>(GridCol)];
  if (borders.Contains(cbTop)) Format.Borders.Top = thin(top);
  else if (here.Bottom) Format.Borders.Top = thinIndex(here.BottomColor);
  if (borders.Contains(cbLeft)) Format.Borders.Left = thin(left);
  else if (here.Right) Format.Borders.Left = thinIndex(here.RightColor);
  const Integer bottomIndex = borders.Contains(cbBottom) ? NearestPaletteColor(File, bottom) : 0;
  if (borders.Contains(cbBottom)) Format.Borders.Bottom = thinIndex(bottomIndex);
  for (Integer i = GridCol; i <= GridCol + a; ++i) {
    carried[static_cast<size_t>(i)].Bottom = borders.Contains(cbBottom);
    carried[static_cast<size_t>(i)].BottomColor = bottomIndex;
  }
  TCarriedBorder& next = carried[static_cast<size_t>(GridCol + a + 1)];
  next.Right = borders.Contains(cbRight);
  if (next.Right) {
    Format.Borders.Right = thin(right);
    next.RightColor = Format.Borders.Right.ColorIndex;
  }
}

void TRivGridExcelIO::WriteTypedText(TExcelFile* File, Integer XlsRow, Integer XlsCol, const String& Text,
                                     const TWbkFormat& Fm, const String& DateFmt, const String& TimeFmt) {
  const String t = Trim(Text);
  // The data grid writes numbers with '.', whatever the regional decimal separator is.
  Extended number = 0;
  if (FormatSettings.DecimalSeparator != '.' && TryParseFloatDot(t, number)) {
    TWbkFormat fm = Fm;
    if (LowerCase(t).find('e') != String::npos) fm.Format = u"0.00E+00";
    File->SetCellValueX(XlsRow, XlsCol, TXlsCellValue{Variant(static_cast<double>(number)), File->AddFormat(fm), false});
    return;
  }
  // A date must be written the regional way in full; labels such as "1-2" stay text.
  TDateTime when = 0;
  String pattern;
  bool hasTime = false, hasDate = false;
  if (TryParseDateTime(t, when, pattern, TimeFmt, DateFmt, hasTime, hasDate) && hasDate) {
    const String datePart = hasTime ? t.substr(0, t.find(' ')) : t;
    if (!IsShortDateText(datePart)) {
      File->SetCellValueX(XlsRow, XlsCol, TXlsCellValue{Variant(Utf8ToWide(Text)), File->AddFormat(Fm), false});
      return;
    }
  }
  File->SetCellString(XlsRow, XlsCol, Utf8ToWide(Text), Fm, DateFmt, TimeFmt);
}
