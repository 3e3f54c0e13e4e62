// TCustomRivGridDropDown: its columns and items, the choice (ItemIndex and the selection
// operations), opening, sizing and closing the pop-up with the grid, and the looks.
#include "grid/dropdown/RivCustomGridDropDown.h"

#include <algorithm>
#include <cmath>

#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "classlib/ScreenMetrics.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivListLooks.h"
#include "grid/model/SortSettings.h"

namespace RivCustomGridDropDown {

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

// ---- Construction -------------------------------------------------------------------------------

TCustomRivGridDropDown::TCustomRivGridDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()),
      FMouseActions(std::make_unique<TMouseActions>(this)),
      FLookupItems(std::make_unique<TStringList>()) {
  FItems.reset(new TDropDownItems(this));
}

TDropDownItems* TCustomRivGridDropDown::CreateItems() { return new TDropDownItems(this); }

void TCustomRivGridDropDown::AfterConstruction() {
  // A descendant's own item collection, before anything reads the items.
  FItems.reset(CreateItems());
  // The base makes the pop-up, and with it the grid, and applies its look first.
  TRivCustomDropDown::AfterConstruction();
  const bool designTime = ComponentState().Contains(csDesigning) && Owner() != nullptr &&
                          !Owner()->ComponentState().Contains(csReading) &&
                          !Owner()->ComponentState().Contains(csLoading);
  SetDropDownColor(clWhite);
  SetDropDownHeight(200);
  AutoSelect = true;
  SetSelectionColorStyle(scOffice2007);
  SelectionTextColor = clBlack;
  FSearchFooter = std::make_unique<TSearchFooter>(this, designTime);
  FNavigation->HomeEndKey = heFirstLastRow;
  if (designTime) {
    FColumns->Clear();
    for (int i = 0; i < 3; ++i) FColumns->Add();
  }
}

TCustomRivGridDropDown::~TCustomRivGridDropDown() {
  FComponentState.Include(csDestroying);
  // The grid goes before the pop-up that holds it, while this control is still whole.
  delete FRivColGrid;
  FRivColGrid = nullptr;
}

void TCustomRivGridDropDown::Loaded() {
  TRivCustomDropDown::Loaded();
  UpdateLookupItems();
  if (FRivColGrid != nullptr) FRivColGrid->FillGrid();
}

void TCustomRivGridDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TRivCustomDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FRivColGrid) FRivColGrid = nullptr;
  if (AComponent == FGridImages) {
    FGridImages = nullptr;
    if (FRivColGrid != nullptr) FRivColGrid->SetGridImages(nullptr);
  }
}

void TCustomRivGridDropDown::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void TCustomRivGridDropDown::SetGridImages(TCustomImageList* Value) {
  if (FGridImages == Value) return;
  if (FGridImages != nullptr) FGridImages->RemoveFreeNotification(this);
  FGridImages = Value;
  if (FGridImages != nullptr) FGridImages->FreeNotification(this);
}

void TCustomRivGridDropDown::SetStyle(TDropDownStyle Value) {
  FStyle = Value;
  SetEditorEnabled(Value != dsDropDownList);
}

void TCustomRivGridDropDown::DoEnter() {
  TRivCustomDropDown::DoEnter();
  FLookupEntry.clear();
}

// ---- The choice ---------------------------------------------------------------------------------

int TCustomRivGridDropDown::ItemCount() const {
  if (UseItems) return FItems->Count();
  return FRivColGrid != nullptr ? FRivColGrid->RowCount() - FRivColGrid->FixedRows() : 0;
}

int TCustomRivGridDropDown::ItemOfRow(int ARow) const {
  if (FRivColGrid != nullptr && ARow >= 0 && ARow < FRivColGrid->RowCount()) return FRivColGrid->GetCellObject(0, ARow);
  return ARow;
}

int TCustomRivGridDropDown::RowOfItem(int AItem) const {
  if (FRivColGrid == nullptr || AItem < 0) return FItemIndex;
  for (int r = FRivColGrid->FixedRows(); r < FRivColGrid->RowCount(); ++r)
    if (FRivColGrid->GetCellObject(0, r) == AItem) return r;
  return FItemIndex;
}

void TCustomRivGridDropDown::SetItemIndex(int Value) {
  if (UseItems) {
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    if (Value >= 0 && LookupColumn >= 0 && LookupColumn < FItems->Items(Value)->Text()->Count())
      SetText(FItems->Items(Value)->Text()->Strings(LookupColumn));
    else
      SetText("");
    return;
  }
  if (FRivColGrid == nullptr) {
    FItemIndex = Value;
    return;
  }
  if (Value == FItemIndex || Value + 1 >= FRivColGrid->RowCount()) return;
  FItemIndex = Value;
  SetText(Value < 0 ? String() : FRivColGrid->GetRawCellText(LookupColumn, Value + 1));
}

void TCustomRivGridDropDown::SelectFirst() {
  if (ItemCount() > 0) SetItemIndex(0);
}

void TCustomRivGridDropDown::SelectLast() {
  if (ItemCount() > 0) SetItemIndex(ItemCount() - 1);
}

void TCustomRivGridDropDown::SelectNext() {
  if (ItemCount() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex + 1 < ItemCount())
    SetItemIndex(FItemIndex + 1);
}

void TCustomRivGridDropDown::SelectPrevious() {
  if (ItemCount() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else if (FItemIndex - 1 >= 0)
    SetItemIndex(FItemIndex - 1);
}

void TCustomRivGridDropDown::SelectNextPage() {
  if (ItemCount() == 0) return;
  if (FItemIndex < 0)
    SetItemIndex(0);
  else
    SetItemIndex(std::min(FItemIndex + 10, ItemCount() - 1));
}

void TCustomRivGridDropDown::SelectPreviousPage() {
  if (ItemCount() == 0) return;
  SetItemIndex(FItemIndex >= 0 && FItemIndex - 10 >= 0 ? FItemIndex - 10 : 0);
}

// ---- Opening and closing ------------------------------------------------------------------------

void TCustomRivGridDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (FRivColGrid == nullptr) {
    FRivColGrid = New<TRivColGrid>(this);
    FRivColGrid->SetParent(DropDownForm());
  }
  FRivColGrid->FRivDropDown = this;
  FRivColGrid->SetBounds(0, 0, FRivColGrid->Width(), 180);
  FRivColGrid->SetColor(DropDownColor());
  FRivColGrid->Navigation()->HomeEndKey = heFirstLastRow;
  // The grid takes the keys while the pop-up is up.
  SetFocusControl(FRivColGrid);
}

void TCustomRivGridDropDown::PlaceDropDownControl() {
  if (FRivColGrid != nullptr && DropDownControl() != FRivColGrid) {
    // The setter places it.
    SetDropDownControl(FRivColGrid);
    return;
  }
  TRivCustomDropDown::PlaceDropDownControl();
}

void TCustomRivGridDropDown::DoBeforeDropDown() {
  if (DropDownForm() != nullptr) DropDownForm()->SetCancelOnDeActivate(false);
  if (TRivColGrid* grid = FRivColGrid) {
    grid->ConfigureFromDropDown(this);
    grid->SetColor(DropDownColor());
    grid->SortSettings()->SetShow(Sorting != gsNone);
    grid->SortSettings()->IndexShow = Sorting == gsMultiColumn;
    FBalloonInit = false;
    grid->OnEndBlockFocus = [this](TObject*) {
      if (DropDownForm() != nullptr) DropDownForm()->SetBlockActivate(false);
    };
    grid->OnSelect = [this](TObject* Sender) { GridSelect(Sender); };
    grid->SearchFooter()->Assign(FSearchFooter.get());
    grid->MouseActions()->Assign(FMouseActions.get());
    grid->Navigation()->Assign(FNavigation.get());
    grid->Bands()->Assign(FBands.get());
    TGridOptions options = grid->Options();
    options.Include(goThumbTracking);
    if (RowSelect)
      options.Include(goRowSelect);
    else
      options.Exclude(goRowSelect);
    if (GridEditable)
      options.Include(goEditing);
    else
      options.Exclude(goEditing);
    grid->SetOptions(options);
    grid->SetGridImages(FGridImages);
    grid->OnSelectCell = [this](TObject*, int ACol, int ARow, bool& CanSelect) { GridSelectCell(ACol, ARow, CanSelect); };
    grid->SetComponentStyle(GetComponentStyle());
    if (UseItems) {
      TRivCustomDropDown::DoBeforeDropDown();
      grid->SetRowCount(FItems->Count() + 1);
      grid->SetFixedRows(1);
      grid->FillGrid();
      const int r = RowOfItem(FItemIndex);
      if (r >= grid->FixedRows() && r < grid->RowCount()) grid->SetRow(r);
    } else {
      String found;
      int row = -1;
      if (FindLookup(Text(), found, row))
        grid->TCustomGrid::SetRow(row);
      else if (grid->FixedRows() < grid->RowCount())
        grid->TCustomGrid::SetRow(grid->FixedRows());
    }
  }
  FOldItemIndex = FItemIndex;
  if (!UseItems || FRivColGrid == nullptr) TRivCustomDropDown::DoBeforeDropDown();
}

void TCustomRivGridDropDown::OpenDropDown() {
  TRivCustomDropDown::OpenDropDown();
  TRivColGrid* grid = FRivColGrid;
  if (grid == nullptr) return;
  if (!UseItems)
    while (FColumns->Count() < grid->ColCount()) FColumns->Add();
  if (DroppedDown()) SizeColumnsToDropDown();
  if (grid->VisibleRowCount() + grid->FixedRows() < grid->RowCount()) {
    if (grid->VisibleRowCount() + grid->TopRow() < grid->Row()) grid->SetTopRow(grid->Row());
    if (grid->Row() < grid->TopRow()) grid->SetTopRow(grid->Row());
  }
  FSelRow = grid->FixedRows();
  grid->TabStop = true;
  if (DroppedDown() && grid->CanFocus()) grid->SetFocus();
}

void TCustomRivGridDropDown::SizeDropDownForm() {
  TRivCustomDropDown::SizeDropDownForm();
  TDropDownForm* popup = DropDownForm();
  if (!DropDownAutoWidth || popup == nullptr || FRivColGrid == nullptr) return;
  const int width = FRivColGrid->GetPreferredWidth();
  FRivColGrid->SetAlign(alNone);
  FRivColGrid->SetWidth(width);
  popup->SetWidth(FRivColGrid->Width() + 2 * DropDownBorderWidth());
  FRivColGrid->SetAlign(alClient);
}

void TCustomRivGridDropDown::SizeColumnsToDropDown() {
  if (!ColumnSizeWithDropDown || FRivColGrid == nullptr || DropDownForm() == nullptr) return;
  TRivColGrid* grid = FRivColGrid;
  grid->SetScrollBars(ssVertical);
  if (FColumns->Count() == 0) return;
  double total = 1;
  for (int i = 0; i < FColumns->Count(); ++i) total += FColumns->Items(i)->Width;
  double avail = DropDownForm()->Width();
  if (grid->VisibleRowCount() < grid->RowCount() - grid->FixedRows()) avail -= GetSystemMetrics(SM_CXVSCROLL);
  const double ratio = avail / total;
  double carry = 0;
  const int count = std::min(grid->ColCount(), FColumns->Count());
  for (int i = 0; i < count; ++i) {
    const double exact = FColumns->Items(i)->Width * ratio;
    const int w = static_cast<int>(std::nearbyint(exact));
    carry += exact - w;
    if (carry > 1.0) {
      grid->SetColWidths(i, w + 1);
      carry -= 1.0;
    } else {
      grid->SetColWidths(i, w);
    }
  }
}

void TCustomRivGridDropDown::CloseDropDown(bool Cancel) {
  if (DropDownForm() != nullptr && DropDownForm()->Visible()) {
    if (Cancel) {
      SetItemIndex(FOldItemIndex);
    } else {
      if (FRivColGrid != nullptr && FRivColGrid->FConfirmSelection)
        SetItemIndex(UseItems ? ItemOfRow(FSelRow) : FSelRow - FRivColGrid->FixedRows());
      FOldItemIndex = FItemIndex;
    }
  }
  TRivCustomDropDown::CloseDropDown(Cancel);
}

void TCustomRivGridDropDown::PopupSizing() {
  TRivCustomDropDown::PopupSizing();
  SizeColumnsToDropDown();
}

void TCustomRivGridDropDown::PopupWheelDown() {
  TRivCustomDropDown::PopupWheelDown();
  SelectNext();
}

void TCustomRivGridDropDown::PopupWheelUp() {
  TRivCustomDropDown::PopupWheelUp();
  SelectPrevious();
}

void TCustomRivGridDropDown::GridSelectCell(int, int ARow, bool&) {
  if (FRivColGrid == nullptr) return;
  FSelRow = ARow;
  if (FRivColGrid->FMouseWheelSelection) return;
  if (UseItems) {
    SetItemIndex(ItemOfRow(ARow));
  } else {
    SetText(FRivColGrid->GetRawCellText(LookupColumn, ARow));
    SetItemIndex(ARow - FRivColGrid->FixedRows());
  }
}

void TCustomRivGridDropDown::GridSelect(TObject*) {
  if (FRivColGrid == nullptr) return;
  if (FRivColGrid->FConfirmSelection)
    SetItemIndex(UseItems ? ItemOfRow(FRivColGrid->Row()) : FRivColGrid->Row() - 1);
  CloseDropDown(false);
  if (OnSelect) OnSelect(this);
}


// ---- Looks --------------------------------------------------------------------------------------

void TCustomRivGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  switch (Value) {
    case scOffice2007:
      LineColor = 0xF1EDEB;
      FixedLineColor = 0xD1BBA4;
      break;
    case scWindowsVista:
    case scWindows7:
      LineColor = 0xECECF0;
      FixedLineColor = 0xD4D2D1;
      break;
    case scCustom:
      break;
  }
  TRivCustomDropDown::SetSelectionColorStyle(Value);
}

void TCustomRivGridDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  const TListLook* look = FindListLook(AStyle);
  if (look == nullptr) return;
  HeaderColor = look->Header;
  HeaderColorTo = look->HeaderTo;
  if (look->Font != clNone) FHeaderFont->SetColor(look->Font);
  SetSelectionColorStyle(look->Selection);
  if (look->Selection == scCustom) {
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clHighlight);
  }
  LineColor = look->Line;
  FixedLineColor = look->FixedLine;
  SelectionTextColor = look->SelectionText;
}

}  // namespace RivCustomGridDropDown
