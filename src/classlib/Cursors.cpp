#include "classlib/Cursors.h"

#include <QBitmap>
#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <map>

#include "classlib/Bitmap.h"

namespace {

struct TCursorResource {
  TCursorPainter Painter;
  int HotX = 0;
  int HotY = 0;
};

std::map<int, TCursorResource>& CursorResources() {
  static std::map<int, TCursorResource> resources;
  return resources;
}

Qt::CursorShape StandardShape(int Id) {
  switch (Id) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: case crSQLWait: return Qt::WaitCursor;
    case crDrag: case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

void RegisterCursorResource(int Id, TCursorPainter Painter, int HotX, int HotY) {
  CursorResources()[Id] = TCursorResource{std::move(Painter), HotX, HotY};
}

bool CursorResourceExists(int Id) { return CursorResources().count(Id) > 0; }

void ShowControlCursor(TControl* Control, int Id) {
  QWidget* view = Control != nullptr ? Control->View() : nullptr;
  if (view == nullptr) return;
  auto it = Id > 0 ? CursorResources().find(Id) : CursorResources().end();
  if (it == CursorResources().end()) {
    if (Id == crDefault || Id > 0) view->unsetCursor();
    else view->setCursor(QCursor(StandardShape(Id)));
    return;
  }
  TBitmap picture;
  picture.SetSize(32, 32);
  it->second.Painter(&picture);
  QPixmap pixmap = QPixmap::fromImage(picture.Image());
  pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  view->setCursor(QCursor(pixmap, it->second.HotX, it->second.HotY));
}
