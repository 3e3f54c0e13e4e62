#include "grid/dropdowns/RivMultiColumnDropDown.h"

#include <algorithm>
#include <cmath>

#include "classlib/GraphicsObjects.h"
#include "classlib/ScreenMetrics.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"
#include "grid/dropdowns/RivListLooks.h"

namespace RivMultiColumnDropDown {

// ---- Columns and items ------------------------------------------------------------------------

TDropDownColumn::TDropDownColumn(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::SetFont(TFont* Value) { FFont->Assign(Value); }

void TDropDownColumn::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TDropDownColumn*>(Source);
  if (src == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  Wordwrap = src->Wordwrap;
  Width = src->Width;
  AutoSize = src->AutoSize;
  Header = src->Header;
  Alignment = src->Alignment;
  Color = src->Color;
  ColumnType = src->ColumnType;
  FFont->Assign(src->FFont.get());
  Ellipsis = src->Ellipsis;
}

TDropDownItem::TDropDownItem(TCollection* Collection)
    : TCollectionItem(Collection), FText(std::make_unique<TStringList>()) {}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TDropDownItem*>(Source);
  if (src == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  ImageIndex = src->ImageIndex;
  FText->Assign(src->FText.get());
}

String TDropDownItem::ColumnText(int Column) const {
  return Column >= 0 && Column < FText->Count() ? FText->Strings(Column) : String();
}

// ---- The drop-down ------------------------------------------------------------------------------

TRivMultiColumnDropDown::TRivMultiColumnDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FItems(std::make_unique<TDropDownItems>(this)),
      FLookupItems(std::make_unique<TStringList>()) {}

void TRivMultiColumnDropDown::AfterConstruction() {
  // The base creates the pop-up (and with it the list) and applies its look first.
  TRivCustomDropDown::AfterConstruction();
  ColumnSizing = false;
  FLookupColumn = 0;
  HeaderColorTo = clGray;
  HeaderColor = clWhite;
  FHeaderHeight = 25;
  FLineColor = clSilver;
  SetDropDownColor(clWhite);
  SetDropDownHeight(200);
  FItemIndex = -1;
  FOldItemIndex = -1;
  workmode = true;
  MatchCase = false;
  MatchStart = true;
  AutoSelect = true;
  FItemChange = false;
  DropDownAutoWidth = true;
  SetSelectionColorStyle(scOffice2007);
  SelectionTextColor = clBlack;
  ColumnSizeWithDropDown = true;
  DropDownRowHeight = 22;
}

TRivMultiColumnDropDown::~TRivMultiColumnDropDown() {
  FComponentState.Include(csDestroying);
  // The list goes before the pop-up that holds it, while this control is still whole.
  delete FRivColGrid;
  FRivColGrid = nullptr;
}

void TRivMultiColumnDropDown::Loaded() {
  TRivCustomDropDown::Loaded();
  UpdateLookupItems();
}

void TRivMultiColumnDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TRivCustomDropDown::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FRivColGrid) FRivColGrid = nullptr;
}

void TRivMultiColumnDropDown::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void TRivMultiColumnDropDown::SetItemIndex(int Value) {
  if (Value >= FItems->Count()) return;
  FItemIndex = Value;
  if (Value >= 0 && FLookupColumn >= 0 && FLookupColumn < FItems->Items(Value)->Text()->Count())
    SetText(FItems->Items(Value)->Text()->Strings(FLookupColumn));
  else
    SetText("");
}

int TRivMultiColumnDropDown::GetItemIndex(const String& Value) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->ColumnText(FLookupColumn) == Value) return i;
  return -1;
}

void TRivMultiColumnDropDown::ApplyText(const String& Value) {
  TRivCustomDropDown::ApplyText(Value);
  // The modified mark measures typing from the value applied last.
  FOldValue = Text();
}

// ---- Selection operations -------------------------------------------------------------------------

void TRivMultiColumnDropDown::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}

void TRivMultiColumnDropDown::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TRivMultiColumnDropDown::SelectNext() {
  if (FItems->Count() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex + 1 < FItems->Count())
    SetItemIndex(FItemIndex + 1);
}

void TRivMultiColumnDropDown::SelectPrevious() {
  if (FItems->Count() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex - 1 >= 0)
    SetItemIndex(FItemIndex - 1);
}

void TRivMultiColumnDropDown::SelectNextPage() {
  if (FItems->Count() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else
    SetItemIndex(std::min(FItemIndex + 10, FItems->Count() - 1));
}

void TRivMultiColumnDropDown::SelectPreviousPage() {
  if (FItems->Count() == 0) return;
  SetItemIndex(FItemIndex >= 0 && FItemIndex - 10 >= 0 ? FItemIndex - 10 : 0);
}

// ---- Opening and closing ------------------------------------------------------------------------

void TRivMultiColumnDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (FRivColGrid == nullptr) {
    FRivColGrid = New<TRivColGrid>(this);
    FRivColGrid->SetParent(DropDownForm());
  }
  FRivColGrid->FRivDropDown = this;
  FRivColGrid->SetBounds(0, 0, FRivColGrid->Width(), 180);
  FRivColGrid->SetColor(DropDownColor());
  // The list takes the keys while the pop-up is up.
  SetFocusControl(FRivColGrid);
}

void TRivMultiColumnDropDown::PlaceDropDownControl() {
  if (FRivColGrid != nullptr && DropDownControl() != FRivColGrid) {
    // The setter places it.
    SetDropDownControl(FRivColGrid);
    return;
  }
  TRivCustomDropDown::PlaceDropDownControl();
}

void TRivMultiColumnDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  if (DropDownForm() != nullptr) DropDownForm()->SetCancelOnDeActivate(false);
  FShowing = true;
  // A choice that the items no longer hold is no choice.
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FRivColGrid != nullptr) {
    FRivColGrid->ConfigureFromDropDown(this);
    FRivColGrid->SetColor(DropDownColor());
    FRivColGrid->OnSelectCell = [this](TObject*, int ACol, int ARow, bool& CanSelect) {
      GridSelectCell(ACol, ARow, CanSelect);
    };
    FRivColGrid->OnSelect = [this](TObject* Sender) { GridSelect(Sender); };
    FRivColGrid->SetRow(FItemIndex < 0 ? FRivColGrid->FixedRows() : FItemIndex + 1);
    TGridOptions options = FRivColGrid->Options();
    options.Include(goThumbTracking);
    FRivColGrid->SetOptions(options);
  }
  FOldItemIndex = FItemIndex;
}

void TRivMultiColumnDropDown::OpenDropDown() {
  TRivCustomDropDown::OpenDropDown();
  if (FRivColGrid != nullptr && DroppedDown()) {
    SizeColumnsToDropDown();
    FRivColGrid->SetRow(FItemIndex < 0 ? FRivColGrid->FixedRows() : FItemIndex + 1);
  }
  FShowing = false;
}

void TRivMultiColumnDropDown::SizeDropDownForm() {
  TRivCustomDropDown::SizeDropDownForm();
  TDropDownForm* popup = DropDownForm();
  if (!DropDownAutoWidth || popup == nullptr || FRivColGrid == nullptr) return;
  const int width = FRivColGrid->GetPreferredWidth();
  FRivColGrid->SetAlign(alNone);
  FRivColGrid->SetWidth(width);
  popup->SetWidth(FRivColGrid->Width() + 2 * DropDownBorderWidth());
  FRivColGrid->SetAlign(alClient);
}

void TRivMultiColumnDropDown::SizeColumnsToDropDown() {
  if (!ColumnSizeWithDropDown || FRivColGrid == nullptr || DropDownForm() == nullptr) return;
  FRivColGrid->SetScrollBars(ssVertical);
  const int count = std::min(FRivColGrid->Columns()->Count(), FRivColGrid->ColCount());
  if (count == 0) return;
  double total = 1;
  for (int i = 0; i < count; ++i) total += FRivColGrid->Columns()->Items(i)->Width;
  double avail = DropDownForm()->Width();
  if (FRivColGrid->VisibleRowCount() < FRivColGrid->RowCount() - FRivColGrid->FixedRows())
    avail -= GetSystemMetrics(SM_CXVSCROLL);
  const double ratio = avail / total;
  double carry = 0;
  for (int i = 0; i < count; ++i) {
    const double exact = FRivColGrid->Columns()->Items(i)->Width * ratio;
    const int w = static_cast<int>(std::nearbyint(exact));
    carry += exact - w;
    if (carry > 1.0) {
      FRivColGrid->SetColWidths(i, w + 1);
      carry -= 1.0;
    } else {
      FRivColGrid->SetColWidths(i, w);
    }
  }
}

void TRivMultiColumnDropDown::CloseDropDown(bool Cancel) {
  if (DropDownForm() == nullptr || !DropDownForm()->Visible()) {
    TRivCustomDropDown::CloseDropDown(Cancel);
    return;
  }
  TRivCustomDropDown::CloseDropDown(Cancel);
  if (Cancel) {
    SetItemIndex(FOldItemIndex);
    return;
  }
  if (FRivColGrid != nullptr && FRivColGrid->FConfirmSelection) SetItemIndex(FRivColGrid->Row() - 1);
  FOldItemIndex = FItemIndex;
}

void TRivMultiColumnDropDown::PopupHidden() { TRivCustomDropDown::PopupHidden(); }

void TRivMultiColumnDropDown::PopupSizing() {
  TRivCustomDropDown::PopupSizing();
  SizeColumnsToDropDown();
}

void TRivMultiColumnDropDown::PopupWheelDown() {
  TRivCustomDropDown::PopupWheelDown();
  SelectNext();
}

void TRivMultiColumnDropDown::PopupWheelUp() {
  TRivCustomDropDown::PopupWheelUp();
  SelectPrevious();
}

void TRivMultiColumnDropDown::GridSelectCell(int, int ARow, bool&) {
  if (FRivColGrid == nullptr || FRivColGrid->FMouseWheelSelection || FShowing) return;
  SetItemIndex(ARow - 1);
}

void TRivMultiColumnDropDown::GridSelect(TObject*) {
  if (FRivColGrid == nullptr) return;
  if (FRivColGrid->FConfirmSelection) SetItemIndex(FRivColGrid->Row() - 1);
  CloseDropDown(false);
  if (OnSelect) OnSelect(this);
}

// ---- Looks --------------------------------------------------------------------------------------

void TRivMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  switch (Value) {
    case scOffice2007:
      FLineColor = 0xF1EDEB;
      FixedLineColor = 0xD1BBA4;
      break;
    case scWindowsVista:
    case scWindows7:
      FLineColor = 0xECECF0;
      FixedLineColor = 0xD4D2D1;
      break;
    case scCustom:
      break;
  }
  TRivCustomDropDown::SetSelectionColorStyle(Value);
}

void TRivMultiColumnDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  if (const TListLook* look = FindListLook(AStyle)) {
    HeaderColor = look->Header;
    HeaderColorTo = look->HeaderTo;
    if (look->Font != clNone) FHeaderFont->SetColor(look->Font);
    SetSelectionColorStyle(look->Selection);
    if (look->Selection == scCustom) {
      SetSelectionColor(clHighlight);
      SetSelectionColorTo(clHighlight);
    }
    FLineColor = look->Line;
    FixedLineColor = look->FixedLine;
    SelectionTextColor = look->SelectionText;
  }
}

}  // namespace RivMultiColumnDropDown
