// Pictures between the grid and a sheet: sheet pictures become cell pictures on import, cell
// graphics become sheet pictures on export, and the anchor arithmetic both sides share.
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/Jpeg.h"
#include "classlib/Picture.h"
#include "classlib/ImgList.h"
#include "classlib/Streams.h"
#include "grid/model/CellGraphic.h"
#include "xls/vavRivGridExcel.h"
#include "xls/vavXlsMessages.h"

namespace {

// A cell picture is a bitmap of the anchor's size; an anchor claiming more than this is not
// made into one.
constexpr Integer kMostPictureSide = 8192;

double ColumnPixels(TExcelFile* File, Integer Col) { return File->GetColumnWidthHiddenIsZero(Col) / (256.0 / 7.0); }

// A row's own height whether or not it holds cells yet (an export places a picture before the
// rows below it are written), none for a hidden row, the default for a row never sized.
double RowPixels(TExcelFile* File, Integer Row) { return File->GetRowHeightHiddenIsZero(Row) / 15.0; }

// The picture kinds the grid can show from a sheet.
bool Showable(TXlsImgTypes Type) {
  return Type == TXlsImgTypes::xli_Jpeg || Type == TXlsImgTypes::xli_Bmp || Type == TXlsImgTypes::xli_Png;
}

}  // namespace

TPoint AnchorPixelSize(TExcelFile* File, const TClientAnchor& Anchor) {
  double width = 0, height = 0;
  for (Integer c = Anchor.Col1; c < Anchor.Col2 && c <= kSheetCols; ++c) width += ColumnPixels(File, c);
  width += -Anchor.Dx1 / 1024.0 * ColumnPixels(File, Anchor.Col1) + Anchor.Dx2 / 1024.0 * ColumnPixels(File, Anchor.Col2);
  for (Integer r = Anchor.Row1; r < Anchor.Row2 && r <= kSheetRows; ++r) height += RowPixels(File, r);
  height += -Anchor.Dy1 / 255.0 * RowPixels(File, Anchor.Row1) + Anchor.Dy2 / 255.0 * RowPixels(File, Anchor.Row2);
  return TPoint{RoundHalfEven(width), RoundHalfEven(height)};
}

TImageProperties ImagePropertiesFromPixels(TExcelFile* File, Integer Row, Integer Col, Integer Width, Integer Height,
                                           Integer Dx, Integer Dy) {
  if (File == nullptr) RaiseXls(XlsMsg::NoOpenFile);
  TImageProperties p;
  if (Col < 1) Col = 1, Dx = 0;
  if (Row < 1) Row = 1, Dy = 0;
  double dx = Dx, dy = Dy;
  while (Col < kSheetCols && ColumnPixels(File, Col) < dx) dx -= ColumnPixels(File, Col++);
  while (Row < kSheetRows && RowPixels(File, Row) < dy) dy -= RowPixels(File, Row++);
  p.Col1 = Col;
  p.Row1 = Row;
  const double w1 = ColumnPixels(File, Col), h1 = RowPixels(File, Row);
  p.dx1 = w1 > 0 ? RoundHalfEven(dx * 1024 / w1) : 0;
  p.dy1 = h1 > 0 ? RoundHalfEven(dy * 255 / h1) : 0;
  // The far edge: the cell it falls in and how far into it.
  double acc = h1 - dy;
  Integer r = Row;
  while (acc < Height && r < kSheetRows) acc += RowPixels(File, ++r);
  const double h2 = RowPixels(File, r);
  p.Row2 = r;
  p.dy2 = h2 > 0 ? RoundHalfEven((h2 - (acc - Height)) / h2 * 255) : 0;
  // Past the last row the box would need rows of the default height.
  if (acc < Height) {
    const double rowPx = std::max(1.0, File->GetDefaultRowHeight() / 15.0);
    p.Row2 += static_cast<Integer>(std::ceil((Height - acc) / rowPx));
    p.dy2 = 255;
  }
  acc = w1 - dx;
  Integer c = Col;
  while (acc < Width && c < kSheetCols) acc += ColumnPixels(File, ++c);
  const double w2 = ColumnPixels(File, c);
  p.Col2 = c;
  p.dx2 = w2 > 0 ? RoundHalfEven((w2 - (acc - Width)) / w2 * 1024) : 0;
  if (acc < Width) {
    const double colPx = std::max(1.0, File->GetDefaultColWidth() / (256.0 / 7.0));
    p.Col2 += static_cast<Integer>(std::ceil((Width - acc) / colPx));
    p.dx2 = 1024;
  }
  // A box past the sheet's end moves back inside it.
  if (p.Row2 > kSheetRows) p.Row1 -= p.Row2 - kSheetRows, p.Row2 = kSheetRows;
  if (p.Col2 > kSheetCols) p.Col1 -= p.Col2 - kSheetCols, p.Col2 = kSheetCols;
  p.Row1 = std::max(p.Row1, 1);
  p.Col1 = std::max(p.Col1, 1);
  return p;
}

// ---- Import ----

void TRivGridExcelIO::ImportPictures(TExcelFile* File, TSheetImage& Image, double Zoom, Integer& RowCount,
                                     Integer& ColCount) {
  TRivErodovOzar* grid = CurrentGrid();
  for (Integer p = 0, n = File->GetPicturesCount(-1); p < n; ++p) {
    TMemoryStream stream;
    TXlsImgTypes type = TXlsImgTypes::xli_Unknown;
    TClientAnchor a;
    try {
      File->GetPicture(-1, p, &stream, type, a);
    } catch (const Exception&) {
      continue;  // a picture whose bytes cannot be had is skipped
    }
    // An anchor past the sheet's end comes from a damaged file.
    if (a.Col1 < 1 || a.Row1 < 1 || a.Col2 > kSheetCols || a.Row2 > kSheetRows || a.Col2 < a.Col1 || a.Row2 < a.Row1)
      continue;
    const Integer col = a.Dx1 > 512 ? a.Col1 + 1 : a.Col1;
    const Integer row = a.Dy1 > 127 ? a.Row1 + 1 : a.Row1;
    const Integer spanX = std::max(1, a.Col2 - col + 1), spanY = std::max(1, a.Row2 - row + 1);
    if (AutoResizeGrid) {
      const Integer cols = a.Col2 + FGridStartCol - FXlsStartCol + 2;
      if (ColCount < cols && grid->FixedCols() < cols) ColCount = Image.ColCount = cols;
      const Integer rows = a.Row2 + FGridStartRow - FXlsStartRow + 2;
      if (RowCount < rows && grid->FixedRows() < rows) RowCount = Image.RowCount = rows;
    }
    if (a.Row1 < FXlsStartRow || a.Col1 < FXlsStartCol || ColCount < a.Col2 + FGridStartCol - FXlsStartCol ||
        RowCount < a.Row2 + FGridStartRow - FXlsStartRow)
      continue;
    TSheetImage::TPictureCell cell{FGridStartCol + col - FXlsStartCol, FGridStartRow + row - FXlsStartRow, spanX,
                                   spanY, nullptr};
    try {
      if (!Showable(type)) RaiseXls(XlsMsg::NotHandled);
      const TPoint size = AnchorPixelSize(File, a);
      const Integer w = RoundHalfEven(Zoom * size.X), h = RoundHalfEven(Zoom * size.Y);
      if (w < 1 || h < 1 || w > kMostPictureSide || h > kMostPictureSide) RaiseXls(XlsMsg::NotHandled);
      TPicture picture;
      picture.LoadFromBytes(String(stream.Bytes().begin(), stream.Bytes().end()));
      auto bitmap = std::make_unique<TBitmap>(w, h);
      bitmap->Canvas()->StretchDraw(TRect{0, 0, w, h}, picture.Graphic());
      cell.Bitmap = std::move(bitmap);
    } catch (const std::exception&) {
      // The cell keeps its merge but shows no picture.
    }
    Image.Pictures.push_back(std::move(cell));
  }
}

// ---- Export ----

void TRivGridExcelIO::ExportCellGraphic(TExcelFile* File, Integer GridCol, Integer GridRow, Integer XlsRow,
                                        Integer XlsCol) {
  TRivErodovOzar* grid = CurrentGrid();
  TCellGraphic* graphic = grid->GetCellGraphic(GridCol, GridRow);
  if (graphic == nullptr) return;
  switch (graphic->CellType) {
    case ctBitmap:
      if (auto* bitmap = dynamic_cast<TBitmap*>(graphic->CellBitmap))
        ExportCellPicture(File, bitmap, *graphic, GridCol, GridRow, XlsRow, XlsCol);
      break;
    case ctPicture:
      if (auto* picture = dynamic_cast<TPicture*>(graphic->CellBitmap); picture && picture->Graphic())
        ExportCellPicture(File, picture->Graphic(), *graphic, GridCol, GridRow, XlsRow, XlsCol);
      break;
    case ctImageList: {
      TCustomImageList* images = grid->GridImages();
      if (images == nullptr || graphic->CellIndex < 0 || graphic->CellIndex >= images->Count()) break;
      TBitmap bitmap;
      images->GetBitmap(graphic->CellIndex, &bitmap);
      ExportCellPicture(File, &bitmap, *graphic, GridCol, GridRow, XlsRow, XlsCol);
      break;
    }
    default: break;
  }
}

void TRivGridExcelIO::ExportCellPicture(TExcelFile* File, TGraphic* Graphic, const TCellGraphic& CellGraphic,
                                        Integer GridCol, Integer GridRow, Integer XlsRow, Integer XlsCol) {
  if (Graphic == nullptr || Graphic->Empty()) return;
  TRivErodovOzar* grid = CurrentGrid();
  std::string bytes;
  if (dynamic_cast<TJPEGImage*>(Graphic) != nullptr) {
    bytes = Graphic->SaveToBytes();
  } else {
    TBitmap flat(Graphic->Width(), Graphic->Height());
    flat.Canvas()->Draw(0, 0, Graphic);
    TJPEGImage jpeg;
    jpeg.Assign(&flat);
    bytes = jpeg.SaveToBytes();
  }
  TPoint size = grid->GetCellGraphicSizeScaled(GridCol, GridRow, 1.0, grid->ColWidths(GridCol),
                                               grid->RowHeights(GridRow));
  if (size.X <= 0 || size.Y <= 0) size = TPoint{Graphic->Width(), Graphic->Height()};
  const TPoint cell = grid->CellSize(GridCol, GridRow);
  Integer dx = 1, dy = 1;
  if (CellGraphic.CellHAlign == haRight) dx = cell.X - size.X;
  else if (CellGraphic.CellHAlign == haCenter && size.X < cell.X) dx = (cell.X - size.X) / 2;
  if (CellGraphic.CellVAlign == vaBottom) dy = cell.Y - size.Y;
  else if (CellGraphic.CellVAlign == vaCenter && size.Y < cell.Y) dy = (cell.Y - size.Y) / 2;
  const TImageProperties anchor = ImagePropertiesFromPixels(File, XlsRow, XlsCol, size.X, size.Y, dx, dy);
  File->AddImage(ByteArray(bytes.begin(), bytes.end()), TXlsImgTypes::xli_Jpeg, anchor,
                 TWbkAnchorType::at_MoveAndDontResize);
}
