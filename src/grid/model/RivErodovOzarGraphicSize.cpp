// The room cell graphics take, on screen (autosizing, the painter) and scaled (printing).
#include <algorithm>
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "classlib/StringList.h"
#include "grid/model/GridCellDrawer.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/model/CellGraphicMetrics.h"

namespace CellGraphicMetrics {
int ButtonWidth(const TCellGraphic& G) { return static_cast<int>(static_cast<uint32_t>(G.CellIndex) & 0xFFFF); }
int ButtonHeight(const TCellGraphic& G) { return static_cast<int>(static_cast<uint32_t>(G.CellIndex) >> 16); }

TPoint GraphicObjectSize(const TCellGraphic& G) {
  if (G.CellType == ctIcon) return G.CellIcon != nullptr ? Point(G.CellIcon->Width(), G.CellIcon->Height()) : Point(0, 0);
  if (const auto* graphic = dynamic_cast<const TGraphic*>(G.CellBitmap)) return Point(graphic->Width(), graphic->Height());
  return Point(0, 0);
}

TPoint DrawerSize(const TCellGraphic& G) {
  auto* drawer = dynamic_cast<IGridCellDrawer*>(G.CellBitmap);
  return drawer != nullptr ? Point(drawer->GetWidth(), drawer->GetHeight()) : Point(0, 0);
}

// Horizontal groups put the options side by side; vertical ones stack rows at least MinRow
// high.
TPoint RadioGroupSize(TCanvas* Canvas, const TStrings& Items, bool Horizontal, int MinRow) {
  const int lineHeight = Canvas->TextHeight("gh");
  if (Horizontal) {
    int width = 0;
    for (int i = 0; i < Items.Count(); ++i) width += Canvas->TextWidth(Items.Strings(i)) + 12;
    return Point(width, lineHeight);
  }
  int widest = 0;
  for (int i = 0; i < Items.Count(); ++i) widest = std::max(widest, Canvas->TextWidth(Items.Strings(i)));
  return Point(std::max(12, widest + 12), std::max(MinRow, lineHeight) * Items.Count());
}

TPoint ImageRowSize(const TCellGraphic& G, const TCustomImageList* Images) {
  const auto* list = dynamic_cast<const TIntList*>(G.CellBitmap);
  if (Images == nullptr || list == nullptr) return Point(0, 0);
  const int n = list->Count();
  return G.CellBoolean ? Point(n * Images->Width(), Images->Height()) : Point(Images->Width(), n * Images->Height());
}
}  // namespace CellGraphicMetrics

using namespace CellGraphicMetrics;

TPoint TRivErodovOzar::GetCellGraphicSize(int ACol, int ARow) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return Point(0, 0);
  const TCellGraphic& g = *graphic;
  const bool hasText = !Cells(ACol, ARow).empty();
  // A graphic beside its text takes width, one above or under it takes height; without text
  // it takes both.
  const bool takesWidth = g.CellHAlign == haBeforeText || g.CellHAlign == haAfterText || !hasText;
  const bool takesHeight = g.CellVAlign == vaUnderText || g.CellVAlign == vaAboveText || !hasText;
  const int cellWidth = ColWidths(DisplColFromReal(ACol));
  const int cellHeight = ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
  TCustomImageList* images = GetGridImages();
  TPoint size = Point(0, 0);
  switch (g.CellType) {
    case ctBitmap:
    case ctIcon: {
      const TPoint object = GraphicObjectSize(g);
      size.X = takesWidth ? object.X : 0;
      size.Y = g.CellType == ctIcon || takesHeight ? object.Y : 0;
      break;
    }
    case ctImageList:
    case ctDataImage:
      if (images != nullptr) size = Point(takesWidth ? images->Width() : 0, takesHeight ? images->Height() : 0);
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      size = Point(ControlLook()->CheckSize(), ControlLook()->CheckSize());
      break;
    case ctRadioButton:
      size = Point(ControlLook()->RadioSize(), ControlLook()->RadioSize());
      break;
    case ctRadio:
      if (const auto* items = dynamic_cast<const TStrings*>(g.CellBitmap))
        size = RadioGroupSize(MeasureCanvas(), *items, g.CellBoolean, 16);
      break;
    case ctImages:
      size = ImageRowSize(g, images);
      break;
    case ctPicture:
    case ctFilePicture:
      size = g.GetPictureSize(cellWidth, cellHeight, hasText);
      break;
    case ctButton:
    case ctBitButton: {
      const int captionWidth = MeasureCanvas()->TextWidth(g.CellText) + 4;
      size = Point(ButtonWidth(g), ButtonHeight(g));
      if (hasText) {
        if (g.CellHAlign == haCenter) size.X = 0;
        else if (g.CellHAlign == haFull) size.X = captionWidth;
        if (g.CellVAlign == vaUnderText || g.CellVAlign == vaAboveText) size.X = 0;
        else size.Y = 0;
      } else if (g.CellHAlign == haFull) {
        size.X = captionWidth;
      }
      break;
    }
    case ctProgressPie:
      size = Point(20, 20);
      break;
    case ctInterface:
      size = DrawerSize(g);
      break;
    case ctRating:
      size = Point(18 * g.CellAngle, 16);
      break;
    default:
      break;
  }
  if (g.CellVAlign == vaFull) size.Y = cellHeight;
  const bool captionButton = (g.CellType == ctButton || g.CellType == ctBitButton) && !hasText && !g.CellText.empty();
  if (g.CellHAlign == haFull && g.CellType != ctRating && !captionButton) size.X = cellWidth;
  return size;
}

TPoint TRivErodovOzar::GetCellGraphicSizeScaled(int ACol, int ARow, double Scale, int CellWidth, int CellHeight) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return Point(0, 0);
  const TCellGraphic& g = *graphic;
  const bool hasText = !Cells(ACol, ARow).empty();
  const bool takesWidth = g.CellHAlign == haBeforeText || g.CellHAlign == haAfterText || !hasText;
  TCustomImageList* images = GetGridImages();
  switch (g.CellType) {
    case ctBitmap:
    case ctIcon:
      return GraphicObjectSize(g);
    case ctImageList:
      return images != nullptr ? Point(takesWidth ? images->Width() : 0, images->Height()) : Point(0, 0);
    case ctDataImage:
      return images != nullptr ? Point(images->Width(), images->Height()) : Point(0, 0);
    case ctNode:
      return Point(20, 20);
    case ctRadio: {
      const auto* items = dynamic_cast<const TStrings*>(g.CellBitmap);
      return items != nullptr ? RadioGroupSize(MeasureCanvas(), *items, g.CellBoolean, 0) : Point(0, 0);
    }
    case ctPicture:
    case ctFilePicture: {
      const TPoint size = g.GetPictureSize(CellWidth, CellHeight, hasText);
      const double scale = Scale > 0 ? Scale : 1.0;
      return Point(static_cast<int>(std::nearbyint(size.X / scale)), static_cast<int>(std::nearbyint(size.Y / scale)));
    }
    case ctProgress:
    case ctXPProgress:
      return Point(ColWidths(DisplColFromReal(ACol)), ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight());
    case ctButton:
    case ctBitButton:
      return Point(ButtonWidth(g), ButtonHeight(g));
    case ctInterface: {
      const TPoint size = DrawerSize(g);
      return Point(size.X != 0 ? size.X : CellWidth, size.Y != 0 ? size.Y : CellHeight);
    }
    case ctShape: {
      const int side = (ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight()) - 2 * XYOffset.Y;
      return Point(side, side);
    }
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      return Point(ControlLook()->CheckSize(), ControlLook()->CheckSize());
    case ctRadioButton:
      return Point(ControlLook()->RadioSize(), ControlLook()->RadioSize());
    case ctImages:
      return ImageRowSize(g, images);
    case ctProgressPie:
      return Point(20, 20);
    case ctRating:
      return Point(18 * g.CellAngle, 16);
    default:
      return Point(0, 0);
  }
}
