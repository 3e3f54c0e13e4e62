// The cell attribute operations for comments, balloons, marked errors and rotated text.
#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"

namespace {
bool IsCheckOrRadio(const TCellGraphic* Graphic) {
  return Graphic->CellType == ctCheckBox || Graphic->CellType == ctDataCheckBox ||
         Graphic->CellType == ctRadioButton;
}
}  // namespace

// ---- Comments ----

void TRivErodovOzar::AddComment(int ACol, int ARow, const String& Comment) {
  AddColorComment(ACol, ARow, Comment, ControlLook()->CommentColor());
}

void TRivErodovOzar::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color) {
  TCellGraphic* graphic = CreateCellGraphic(ACol, ARow);
  graphic->CellType = ctComment;
  graphic->CellHAlign = haLeft;
  graphic->CellVAlign = vaTop;
  graphic->CellText = Comment;
  graphic->CellIndex = Color;
}

bool TRivErodovOzar::IsComment(int ACol, int ARow, String& comment) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctComment);
  if (graphic == nullptr) return false;
  comment = graphic->CellText;
  return true;
}

void TRivErodovOzar::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TRivErodovOzar::RemoveAllComments() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r)
      if (GetCellType(c, r) == ctComment) RemoveComment(c, r);
}

// ---- Balloons ----

void TRivErodovOzar::AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic != nullptr) {
    if (!IsCheckOrRadio(graphic)) return;
    graphic->CellAngle = 1;
  } else {
    graphic = CreateCellGraphic(ACol, ARow);
    graphic->CellType = ctBalloon;
    graphic->CellAngle = 0;
  }
  auto* list = new TStringList();
  list->Add(Title);
  list->Add(Text);
  graphic->CellIndex = Icon;
  graphic->OwnBalloon(list);
}

void TRivErodovOzar::RemoveBalloon(int ACol, int ARow) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return;
  if (IsCheckOrRadio(graphic) && graphic->CellAngle == 1) {
    graphic->OwnBalloon(nullptr);
    graphic->CellAngle = 0;
    return;
  }
  RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TRivErodovOzar::HasBalloon(int ACol, int ARow) { return BaseCellType(ACol, ARow) == ctBalloon; }

bool TRivErodovOzar::IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return false;
  if (graphic->CellType != ctBalloon && !(IsCheckOrRadio(graphic) && graphic->CellAngle == 1)) return false;
  if (const auto* list = dynamic_cast<const TStrings*>(graphic->CellBitmap)) {
    Title = list->Count() > 0 ? list->Strings(0) : String();
    Text = list->Count() > 1 ? list->Strings(1) : String();
  }
  Icon = static_cast<TBalloonIcon>(graphic->CellIndex);
  return true;
}

// ---- Marked errors ----

void TRivErodovOzar::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) {
    graphic = CreateCellGraphic(ACol, ARow);
    graphic->CellType = ctEmpty;
  }
  graphic->CellErrFrom = ErrPos;
  graphic->CellErrLen = ErrLen;
  RepaintCell(DisplColFromReal(ACol), ARow);
}

void TRivErodovOzar::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  ErrPos = graphic != nullptr ? graphic->CellErrFrom : 0;
  ErrLen = graphic != nullptr ? graphic->CellErrLen : 0;
}

void TRivErodovOzar::RemoveMarker(int ACol, int ARow) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) return;
  if (graphic->CellType == ctEmpty) {
    RemoveCellGraphicOfType(ACol, ARow, ctEmpty);
    return;
  }
  graphic->CellErrFrom = 0;
  graphic->CellErrLen = 0;
}

void TRivErodovOzar::RemoveAllMarkers() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveMarker(c, r);
}

// ---- Rotated text ----

void TRivErodovOzar::AddRotated(int ACol, int ARow, int16_t AAngle, const String& s) {
  CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCells(ACol, ARow, s);
}

void TRivErodovOzar::SetRotated(int ACol, int ARow, int16_t AAngle) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr) graphic = CreateCellGraphic(ACol, ARow);
  graphic->SetAngle(AAngle);
}

bool TRivErodovOzar::IsRotated(int ACol, int ARow, int& aAngle) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctRotated);
  if (graphic == nullptr) return false;
  aAngle = graphic->CellAngle;
  return true;
}

void TRivErodovOzar::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
