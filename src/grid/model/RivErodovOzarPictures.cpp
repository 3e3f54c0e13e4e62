// The cell attribute operations for pictures: bitmaps, pictures, file pictures, icons,
// image-list images and interfaced objects.
#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/InterfacedPersistent.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

// ---- Bitmaps ----

void TRivErodovOzar::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                               TCellVAlign val) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, ABmp, owned);
  graphic->SetBitmap(ABmp, Transparent, hal, val);
  graphic->CellCreated = owned;
}

TBitmap* TRivErodovOzar::CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetBitmap(nullptr, transparent, hal, val);
  auto* bitmap = new TBitmap();
  graphic->OwnObject(bitmap);
  return bitmap;
}

TBitmap* TRivErodovOzar::GetBitmap(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctBitmap);
  return graphic != nullptr ? dynamic_cast<TBitmap*>(graphic->CellBitmap) : nullptr;
}

void TRivErodovOzar::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

// ---- Pictures ----

void TRivErodovOzar::AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode,
                                int padding, TCellHAlign hal, TCellVAlign val) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, APicture, owned);
  graphic->SetPicture(APicture, transparent, stretchmode, padding, hal, val);
  graphic->CellCreated = owned;
}

TPicture* TRivErodovOzar::CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                        TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetPicture(nullptr, transparent, stretchmode, padding, hal, val);
  auto* picture = new TPicture();
  graphic->OwnObject(picture);
  return picture;
}

TPicture* TRivErodovOzar::GetPicture(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctPicture);
  return graphic != nullptr ? dynamic_cast<TPicture*>(graphic->CellBitmap) : nullptr;
}

void TRivErodovOzar::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TRivErodovOzar::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool transparent,
                                    TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, APicture, owned);
  graphic->SetFilePicture(APicture, transparent, stretchmode, padding, hal, val);
  graphic->CellCreated = owned;
}

TFilePicture* TRivErodovOzar::CreateFilePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode,
                                                int padding, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetFilePicture(nullptr, transparent, stretchmode, padding, hal, val);
  auto* picture = new TFilePicture();
  graphic->OwnObject(picture);
  return picture;
}

TFilePicture* TRivErodovOzar::GetFilePicture(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctFilePicture);
  return graphic != nullptr ? dynamic_cast<TFilePicture*>(graphic->CellBitmap) : nullptr;
}

void TRivErodovOzar::RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }

// ---- Icons ----

void TRivErodovOzar::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
  bool owned = false;
  TCellGraphic* graphic = FreshGraphic(ACol, ARow, AIcon, owned);
  graphic->SetIcon(AIcon, hal, val);
  graphic->CellCreated = owned;
}

TIcon* TRivErodovOzar::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetIcon(nullptr, hal, val);
  auto* icon = new TIcon();
  graphic->OwnIcon(icon);
  return icon;
}

void TRivErodovOzar::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

// ---- Image-list images ----

void TRivErodovOzar::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (FGridImages == nullptr) return;
  CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TRivErodovOzar::GetImageIdx(int ACol, int ARow, int& idx) {
  if (FGridImages == nullptr) return false;
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctImageList);
  if (graphic == nullptr) return false;
  idx = graphic->CellIndex;
  return true;
}

void TRivErodovOzar::SetImageIdx(int ACol, int ARow, int Idx) {
  if (FGridImages == nullptr) return;
  if (TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctImageList)) graphic->CellIndex = Idx;
}

void TRivErodovOzar::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

void TRivErodovOzar::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  if (FGridImages == nullptr) return;
  CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
  SetCells(ACol, ARow, IntToStr(Aidx));
}

bool TRivErodovOzar::HasDataImage(int ACol, int ARow) { return BaseCellType(ACol, ARow) == ctDataImage; }

void TRivErodovOzar::RemoveDataImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctDataImage); }

void TRivErodovOzar::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val) {
  if (FGridImages == nullptr) return;
  CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject* Sender, int C, int R) {
    ImageIndexesChanged(Sender, C, R);
  });
}

void TRivErodovOzar::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// ---- Interfaced objects ----

void TRivErodovOzar::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject) {
  CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TInterfacedPersistent* TRivErodovOzar::GetInterfacedCell(int ACol, int ARow) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctInterface);
  return graphic != nullptr ? dynamic_cast<TInterfacedPersistent*>(graphic->CellBitmap) : nullptr;
}

void TRivErodovOzar::RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
