#include "grid/workbook/RivGridWorkbook.h"

#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

// ---- Tab look ----

TTabLook::TTabLook() : FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TObject*) { Changed(); };
}

void TTabLook::Changed() {
  if (OnChange) OnChange(this);
}

void TTabLook::SetDitherBackground(bool Value) {
  FDitherBackground = Value;
  Changed();
}
void TTabLook::SetSelectColor(TColor Value) {
  FSelectColor = Value;
  Changed();
}
void TTabLook::SetUnSelectColor(TColor Value) {
  FUnSelectColor = Value;
  Changed();
}
void TTabLook::SetBackgroundColor(TColor Value) {
  FBackgroundColor = Value;
  Changed();
}

// ---- Sheets ----

TGridSheet::TGridSheet(TCollection* Collection) : TCollectionItem(Collection) { CollectionChanged(); }

TGridSheet::~TGridSheet() { CollectionChanged(); }

void TGridSheet::CollectionChanged() {
  if (auto* sheets = dynamic_cast<TGridSheetCollection*>(Collection()); sheets != nullptr && sheets->OnChange)
    sheets->OnChange(sheets);
}

void TGridSheet::SetName(const String& Value) {
  FName = Value;
  CollectionChanged();
}

void TGridSheet::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TGridSheet*>(Source)) {
    FTag = s->FTag;
    SetName(s->FName);
    return;
  }
  TCollectionItem::Assign(Source);
}

TGridSheetCollection::TGridSheetCollection(TRivGridWorkbook* AOwner)
    : TCollection(TCollection::FactoryOf<TGridSheet>()), FOwner(AOwner) {}

TPersistent* TGridSheetCollection::GetOwner() const { return FOwner; }

void TGridSheetCollection::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (OnChange) OnChange(this);
}

void TGridSheetCollection::Clear() {
  while (Count() > 0) {
    const int before = Count();
    FOwner->RemoveSheet(0);
    if (Count() == before) TCollection::Delete(0);
  }
}

// ---- The workbook ----

TRivGridWorkbook::TRivGridWorkbook(TComponent* AOwner)
    : TCustomControl(AOwner),
      FSheets(std::make_unique<TGridSheetCollection>(this)),
      FTabLook(std::make_unique<TTabLook>()) {
  FSheets->OnChange = [this](TObject* Sender) { SheetsChanged(Sender); };
  for (int i = 1; i <= 3; ++i) FSheets->Add()->SetName("Sheet " + IntToStr(i));
  ControlStyle += csAcceptsControls;
  TabStop = true;
  SetBounds(Left(), Top(), 320, 150);
}

TRivGridWorkbook::~TRivGridWorkbook() {
  FSheets->OnChange = nullptr;
  FTabLook->OnChange = nullptr;
  if (FTabSet != nullptr) FTabSet->OnChange = nullptr;
}

TRivErodovOzar* TRivGridWorkbook::Grid() {
  if (!ComponentState().Contains(csLoading) && !HandleAllocated()) HandleNeeded();
  return FGrid;
}

void TRivGridWorkbook::CreateWnd() {
  if (FWinCreated) return;
  FWinCreated = true;
  for (int i = 0; i < ControlCount() && FGrid == nullptr; ++i) FGrid = dynamic_cast<TRivErodovOzar*>(Controls(i));
  FAutoCreated = FGrid != nullptr;
  if (FGrid == nullptr) {
    FGrid = New<TRivErodovOzar>(this);
    FGrid->SetParent(this);
    FGrid->SetVisible(true);
    FGrid->BorderStyle = bsNone;
  }
  FGrid->FreeNotification(this);
  FDefaultRowCount = FGrid->RowCount();
  FDefaultColCount = FGrid->ColCount();
  FDefaultRowHeight = FGrid->DefaultRowHeight();
  FDefaultColWidth = FGrid->DefaultColWidth();

  const bool madeTabs = FTabSet == nullptr;
  if (madeTabs) {
    FTabSet = New<TTabSet>(this);
    FTabSet->SetParent(this);
    FTabSet->SetAlign(alBottom);
    FTabSet->SoftTop = true;
  }
  FGrid->SetAlign(alClient);
  FGrid->SetOptions(FGrid->Options() + goEditing);
  if (madeTabs)
    for (int i = 0; i < FSheets->Count(); ++i) FTabSet->Tabs()->Add(FSheets->Items(i)->Name());
  if (FTabSet->Tabs()->Count() > 0) FTabSet->SetTabIndex(0);

  FSheets->OnChange = [this](TObject* Sender) { SynchroniseTabs(Sender); };
  FTabSet->OnChange = [this](TObject* Sender, int NewTab, bool& AllowChange) { TabClick(Sender, NewTab, AllowChange); };
  FTabLook->OnChange = [this](TObject* Sender) { ApplyTabLook(Sender); };
  ApplyTabLook(nullptr);
}

void TRivGridWorkbook::SheetsChanged(TObject*) {
  if (FActiveSheet == -1 && FSheets->Count() > 0) SetActiveSheet(FSheets->Count() - 1);
}

void TRivGridWorkbook::SynchroniseTabs(TObject*) {
  TStringList* tabs = FTabSet->Tabs();
  while (tabs->Count() > FSheets->Count()) tabs->Delete(tabs->Count() - 1);
  while (tabs->Count() < FSheets->Count()) tabs->Add("");
  for (int i = 0; i < FSheets->Count(); ++i)
    if (tabs->Strings(i) != FSheets->Items(i)->Name()) tabs->Put(i, FSheets->Items(i)->Name());
}

void TRivGridWorkbook::TabClick(TObject*, int NewTab, bool& AllowChange) {
  // The tab set follows a sheet made active in code: nothing to ask then.
  if (NewTab == FActiveSheet) return;
  if (OnSheetChange) OnSheetChange(this, NewTab, AllowChange);
  if (AllowChange) SetActiveSheet(NewTab);
}

void TRivGridWorkbook::ApplyTabLook(TObject*) {
  if (FTabSet == nullptr) return;
  FTabSet->SetSelectedColor(FTabLook->SelectColor());
  FTabSet->SetUnselectedColor(FTabLook->UnSelectColor());
  FTabSet->SetDitherBackground(FTabLook->DitherBackground());
  FTabSet->SetBackgroundColor(FTabLook->BackgroundColor());
  FTabSet->Font()->Assign(*FTabLook->Font());
}

void TRivGridWorkbook::SetTabLook(TTabLook* Value) {
  FTabLook->SetDitherBackground(Value->DitherBackground());
  FTabLook->SetSelectColor(Value->SelectColor());
  FTabLook->SetUnSelectColor(Value->UnSelectColor());
  FTabLook->SetBackgroundColor(Value->BackgroundColor());
  FTabLook->SetFont(Value->Font());
}

void TRivGridWorkbook::SaveSheet(TGridSheet* Sheet) {
  // The whole grid, fixed cells included and contracted nodes opened, goes into the sheet.
  FGrid->ExpandAll();
  Sheet->FData.reset(New<TRivErodovOzar>(nullptr));
  TRivErodovOzar* store = Sheet->FData.get();
  store->SetColCount(FGrid->ColCount());
  store->SetRowCount(FGrid->RowCount());
  store->SetFixedCols(FGrid->FixedCols());
  store->SetFixedRows(FGrid->FixedRows());
  store->AssignCells(FGrid);
  Sheet->FRow = FGrid->Row();
  Sheet->FCol = FGrid->Col();
  Sheet->FTopRow = FGrid->TopRow();
  Sheet->FLeftCol = FGrid->LeftCol();
  Sheet->FSortColumn = FGrid->SortSettings()->Column;
  Sheet->FRowHeights.Clear();
  for (int r = 0; r < FGrid->RowCount(); ++r) Sheet->FRowHeights.Add(FGrid->RowHeights(r));
  Sheet->FColWidths.Clear();
  for (int c = 0; c < FGrid->ColCount(); ++c) Sheet->FColWidths.Add(FGrid->ColWidths(c));
}

void TRivGridWorkbook::LoadSheet(TGridSheet* Sheet) {
  auto selectCell = [&](int ACol, int ARow) {
    if (ACol >= FGrid->FixedCols() && ARow >= FGrid->FixedRows() && ACol < FGrid->ColCount() && ARow < FGrid->RowCount())
      FGrid->FocusCell(ACol, ARow);
  };
  if (Sheet->FData != nullptr) {
    TRivErodovOzar* store = Sheet->FData.get();
    FGrid->Clear();
    FGrid->SetColCount(store->ColCount());
    FGrid->SetRowCount(store->RowCount());
    FGrid->SetFixedCols(store->FixedCols());
    FGrid->SetFixedRows(store->FixedRows());
    FGrid->AssignCells(store);
    selectCell(Sheet->FCol, Sheet->FRow);
    FGrid->SetTopRow(Sheet->FTopRow);
    FGrid->SetLeftCol(Sheet->FLeftCol);
    for (int c = 0; c < std::min(FGrid->ColCount(), Sheet->FColWidths.Count()); ++c)
      FGrid->SetColWidths(c, Sheet->FColWidths.Items(c));
    for (int r = 0; r < std::min(FGrid->RowCount(), Sheet->FRowHeights.Count()); ++r)
      FGrid->SetRowHeights(r, Sheet->FRowHeights.Items(r));
    FGrid->SortSettings()->Column = Sheet->FSortColumn;
  } else {
    FGrid->Clear();
    FGrid->SetColCount(FDefaultColCount);
    FGrid->SetRowCount(FDefaultRowCount);
    selectCell(Sheet->FCol, Sheet->FRow);
    FGrid->SetTopRow(FGrid->FixedRows());
    FGrid->SetLeftCol(FGrid->FixedCols());
    FGrid->SetDefaultRowHeight(FDefaultRowHeight);
    FGrid->SetDefaultColWidth(FDefaultColWidth);
  }
}

void TRivGridWorkbook::SetActiveSheet(int Value) {
  if (Grid() == nullptr || Value == FActiveSheet || Value < 0 || Value >= FSheets->Count()) return;
  FGrid->HideInplaceEdit();
  const bool saveFixed = FGrid->SaveFixedCells;
  if (FActiveSheet >= 0 && FActiveSheet < FSheets->Count()) SaveSheet(FSheets->Items(FActiveSheet));
  LoadSheet(FSheets->Items(Value));
  FGrid->SaveFixedCells = saveFixed;
  FActiveSheet = Value;
  if (FTabSet != nullptr) FTabSet->SetTabIndex(Value);
}

void TRivGridWorkbook::AddSheet(const String& SheetName) {
  FSheets->Add()->SetName(SheetName);
  SetActiveSheet(FSheets->Count() - 1);
}

void TRivGridWorkbook::InsertSheet(int Index, const String& SheetName) {
  if (Index >= FSheets->Count()) return;
  if (FActiveSheet >= 0 && Grid() != nullptr) {
    FGrid->HideInplaceEdit();
    SaveSheet(FSheets->Items(FActiveSheet));
  }
  FActiveSheet = -1;
  FSheets->Insert(Index)->SetName(SheetName);
  SetActiveSheet(Index);
}

void TRivGridWorkbook::RemoveSheet(int Index) {
  if (Index >= FSheets->Count()) return;
  if (Index < 0) FSheets->Items(Index);  // raises the collection's index error
  SetActiveSheet(Index);
  if (FTabSet != nullptr && Index < FTabSet->Tabs()->Count()) FTabSet->Tabs()->Delete(Index);
  FSheets->Delete(Index);
  FActiveSheet = -1;
  if (FSheets->Count() > 0) SetActiveSheet(0);
}

void TRivGridWorkbook::SetName(const String& Value) {
  TCustomControl::SetName(Value);
  if (FGrid != nullptr && !FAutoCreated) FGrid->SetName(Value + "Grid");
}

void TRivGridWorkbook::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

String TRivGridWorkbook::Version() const {
  const uint32_t v = static_cast<uint32_t>(GetVersionNr());
  return IntToStr(static_cast<int>(v >> 24)) + "." + IntToStr(static_cast<int>((v >> 16) & 0xFF)) + "." +
         IntToStr(static_cast<int>((v >> 8) & 0xFF)) + "." + IntToStr(static_cast<int>(v & 0xFF));
}

void TRivGridWorkbook::Paint() {
  if (BorderWidth == 0) return;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(static_cast<TColor>(0xB99D7F));
  canvas->Rectangle(1, 1, Width() - 1, Height() - 1);
  if (Parent() != nullptr) {
    canvas->Pen()->SetColor(Parent()->Color());
    canvas->Rectangle(0, 0, Width(), Height());
  }
  canvas->Brush()->SetStyle(bsSolid);
}
