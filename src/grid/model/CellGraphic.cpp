// The cell graphic: its setters, ownership, copying and picture size.
#include "grid/model/CellGraphic.h"

#include <algorithm>
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/InterfacedPersistent.h"
#include "classlib/Picture.h"

namespace {
int liveGraphics = 0;
int ownedObjects = 0;

// Rounding to the nearest integer, halves to even.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }
}  // namespace

TCellGraphic::TCellGraphic() { ++liveGraphics; }

TCellGraphic::~TCellGraphic() {
  ReleaseObjects();
  --liveGraphics;
}

int TCellGraphic::LiveCount() { return liveGraphics; }

int TCellGraphic::OwnedObjectCount() { return ownedObjects; }

// ---- Ownership ----

bool TCellGraphic::OwnsBitmapObject() const {
  if (CellBitmap == nullptr) return false;
  switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      return CellCreated;
    case ctImages:
    case ctBalloon:
      return true;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
      return CellAngle == 1;
    default:
      return false;
  }
}

void TCellGraphic::OwnObject(TObject* AObject) {
  ReleaseObjects();
  CellBitmap = AObject;
  CellCreated = true;
  if (AObject != nullptr) ++ownedObjects;
}

void TCellGraphic::OwnIcon(TIcon* AIcon) {
  ReleaseObjects();
  CellIcon = AIcon;
  CellCreated = true;
  if (AIcon != nullptr) ++ownedObjects;
}

void TCellGraphic::OwnBalloon(TStrings* AList) {
  if (OwnsBitmapObject()) {
    delete CellBitmap;
    --ownedObjects;
  }
  CellBitmap = AList;
  if (AList != nullptr) ++ownedObjects;
}

void TCellGraphic::ReleaseObjects() {
  if (OwnsBitmapObject()) {
    delete CellBitmap;
    --ownedObjects;
  }
  if (OwnsIcon()) {
    delete CellIcon;
    --ownedObjects;
  }
  CellBitmap = nullptr;
  CellIcon = nullptr;
  CellCreated = false;
}

bool TCellGraphic::Disown(const TObject* AObject) {
  if (AObject == nullptr) return false;
  if (AObject == CellBitmap && OwnsBitmapObject()) {
    CellBitmap = nullptr;
    return true;
  }
  if (AObject == CellIcon && OwnsIcon()) {
    CellIcon = nullptr;
    return true;
  }
  return false;
}

// ---- Setters ----

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  const bool keep = Disown(ABmp);
  ReleaseObjects();
  CellType = ctBitmap;
  CellBitmap = ABmp;
  CellCreated = keep;
  CellTransparent = Transparent;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val) {
  const bool keep = Disown(aicon);
  ReleaseObjects();
  CellType = ctIcon;
  CellIcon = aicon;
  CellCreated = keep;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val) {
  ReleaseObjects();
  CellType = ctImageList;
  CellIndex = idx;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val) {
  ReleaseObjects();
  CellType = ctDataImage;
  CellIndex = idx;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier) {
  ReleaseObjects();
  auto* list = new TIntList(Col, Row);
  list->OnChange = std::move(Notifier);
  CellType = ctImages;
  OwnObject(list);
  CellBoolean = dir == 0;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val) {
  const bool keep = Disown(APicture);
  ReleaseObjects();
  CellType = ctPicture;
  CellBitmap = APicture;
  CellCreated = keep;
  CellTransparent = Transparent;
  CellAngle = StretchMode;
  CellIndex = padding;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode stretchmode, int padding,
                                  TCellHAlign hal, TCellVAlign val) {
  const bool keep = Disown(APicture);
  ReleaseObjects();
  CellType = ctFilePicture;
  CellBitmap = APicture;
  CellCreated = keep;
  CellTransparent = Transparent;
  CellAngle = stretchmode;
  CellIndex = padding;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
  ReleaseObjects();
  CellType = Data ? ctDataCheckBox : ctCheckBox;
  CellBoolean = Value;
  CellAngle = 0;
  CellTransparent = Flat;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  ReleaseObjects();
  CellType = ctRadioButton;
  CellBoolean = Value;
  CellAngle = 0;
  CellTransparent = Flat;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val) {
  ReleaseObjects();
  CellType = ctButton;
  CellIndex = static_cast<int>((static_cast<uint32_t>(bh) << 16) | (static_cast<uint32_t>(bw) & 0xFFFF));
  CellText = caption;
  CellBoolean = false;
  CellHAlign = hal;
  CellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const String& caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val) {
  const bool keep = Disown(Glyph);
  SetButton(bw, bh, caption, hal, val);
  CellType = ctBitButton;
  CellBitmap = Glyph;
  CellCreated = keep;
}

void TCellGraphic::SetAngle(int AAngle) {
  ReleaseObjects();
  CellType = ctRotated;
  while (AAngle < 0) AAngle += 360;
  while (AAngle > 360) AAngle -= 360;
  CellAngle = AAngle;
}

void TCellGraphic::SetInterfacedCell(TInterfacedPersistent* AObject) {
  ReleaseObjects();
  CellType = ctInterface;
  CellBitmap = AObject;
}

// ---- Size and copying ----

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool) const {
  int w = 0, h = 0;
  if (CellType == ctPicture) {
    if (const auto* picture = dynamic_cast<const TPicture*>(CellBitmap)) {
      w = picture->Width();
      h = picture->Height();
    }
  } else if (CellType == ctFilePicture) {
    if (const auto* picture = dynamic_cast<const TFilePicture*>(CellBitmap)) {
      w = picture->Width();
      h = picture->Height();
    }
  } else {
    return Point(0, 0);
  }
  const int a = cw - CellIndex;
  const int b = rh - CellIndex;
  const bool fits = w <= a && h <= b;
  auto withAspect = [&](bool CapAtOne) {
    double fx = w > 0 ? static_cast<double>(a) / w : 1.0;
    double fy = h > 0 ? static_cast<double>(b) / h : 1.0;
    if (CapAtOne) {
      fx = std::min(fx, 1.0);
      fy = std::min(fy, 1.0);
    }
    return fx >= fy ? Point(RoundEven(w * fy), b) : Point(a, RoundEven(h * fx));
  };
  switch (static_cast<TStretchMode>(CellAngle)) {
    case Stretch:
      return Point(a, b);
    case StretchWithAspectRatio:
      return withAspect(false);
    case Shrink:
      return fits ? Point(w, h) : Point(a, b);
    case ShrinkWithAspectRatio:
      return fits ? Point(w, h) : withAspect(true);
    case noStretch:
    default:
      return Point(w, h);
  }
}

void TCellGraphic::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TCellGraphic*>(Source);
  if (source == nullptr || source == this) return;
  ReleaseObjects();
  CellType = source->CellType;
  CellHAlign = source->CellHAlign;
  CellVAlign = source->CellVAlign;
  CellIndex = source->CellIndex;
  CellTransparent = source->CellTransparent;
  CellValue = source->CellValue;
  CellAngle = source->CellAngle;
  CellBoolean = source->CellBoolean;
  CellErrFrom = source->CellErrFrom;
  CellErrLen = source->CellErrLen;
  CellText = source->CellText;
  CellCreated = source->CellCreated;
  CellBitmapColor = source->CellBitmapColor;
  CellIconColor = source->CellIconColor;
}
