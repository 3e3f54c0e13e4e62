#include "grid/base/RivObjSettings.h"

#include "classlib/Grids.h"

// ---- TSearchFooter ----

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  if (InitDesign) {
    FFindNextCaption = "Find &next";
    FFindPrevCaption = "Find &previous";
    FMatchCaseCaption = "Match case";
    FHintClose = "Close";
    FHintFindPrev = "Find previous occurrence";
    FHintHighlight = "Highlight occurrences";
    FHintFindNext = "Find next occurrence";
    FHighLightCaption = "Highlight";
  }
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

// Stores the value and reports the change only when there is one.
template <class T>
void TSearchFooter::SetChanged(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TSearchFooter::SetShowFindPrev(bool Value) { SetChanged(FShowFindPrev, Value); }
void TSearchFooter::SetShowFindNext(bool Value) { SetChanged(FShowFindNext, Value); }
void TSearchFooter::SetVisible(bool Value) { SetChanged(FVisible, Value); }
void TSearchFooter::SetShowHighLight(bool Value) { SetChanged(FShowHighLight, Value); }
void TSearchFooter::SetShowMatchCase(bool Value) { SetChanged(FShowMatchCase, Value); }

// These report every write, changed or not.
void TSearchFooter::SetFindNextCaption(const String& Value) { FFindNextCaption = Value; Changed(); }
void TSearchFooter::SetFindPrevCaption(const String& Value) { FFindPrevCaption = Value; Changed(); }
void TSearchFooter::SetColorTo(TColor Value) { FColorTo = Value; Changed(); }
void TSearchFooter::SetColor(TColor Value) { FColor = Value; Changed(); }
void TSearchFooter::SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; Changed(); }
void TSearchFooter::SetShowClose(bool Value) { FShowClose = Value; Changed(); }
void TSearchFooter::SetMatchCaseCaption(const String& Value) { FMatchCaseCaption = Value; Changed(); }
void TSearchFooter::SetHintClose(const String& Value) { FHintClose = Value; Changed(); }
void TSearchFooter::SetHintFindPrev(const String& Value) { FHintFindPrev = Value; Changed(); }
void TSearchFooter::SetHintHighlight(const String& Value) { FHintHighlight = Value; Changed(); }
void TSearchFooter::SetHintFindNext(const String& Value) { FHintFindNext = Value; Changed(); }
void TSearchFooter::SetHighLightCaption(const String& Value) { FHighLightCaption = Value; Changed(); }

void TSearchFooter::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Changed();
}

void TSearchFooter::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSearchFooter*>(Source);
  if (s == nullptr) return;
  AlwaysHighLight = s->AlwaysHighLight;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFindNextCaption = s->FFindNextCaption;
  FFindPrevCaption = s->FFindPrevCaption;
  FHighLightCaption = s->FHighLightCaption;
  FMatchCaseCaption = s->FMatchCaseCaption;
  FHintClose = s->FHintClose;
  FHintFindPrev = s->FHintFindPrev;
  FHintFindNext = s->FHintFindNext;
  FHintHighlight = s->FHintHighlight;
  FShowClose = s->FShowClose;
  FShowFindNext = s->FShowFindNext;
  FShowFindPrev = s->FShowFindPrev;
  FShowHighLight = s->FShowHighLight;
  FShowMatchCase = s->FShowMatchCase;
  SearchActiveColumnOnly = s->SearchActiveColumnOnly;
  SearchMatchStart = s->SearchMatchStart;
  SearchColumn = s->SearchColumn;
  SearchDirection = s->SearchDirection;
  SearchHiddenRows = s->SearchHiddenRows;
  FVisible = s->FVisible;
  FFont->Assign(s->FFont.get());
}

// ---- TNavigation ----

void TNavigation::SetAdvanceInsert(bool Value) {
  if (Value == FAdvanceInsert) return;
  FAdvanceInsert = Value;
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
  if (Value == FAdvanceDirection) return;
  FAdvanceDirection = Value;
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value) {
  if (Value == FAdvanceAuto) return;
  FAdvanceAuto = Value;
  if (Value) AdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNavigation*>(Source);
  if (s == nullptr) return;
  const bool keepScrollOnSort = KeepScrollOnSort;
  const TNotifyEvent onChange = OnChange;
  // Every field, then the two that this object keeps.
  *this = *s;
  KeepScrollOnSort = keepScrollOnSort;
  OnChange = onChange;
}

// ---- TMouseActions ----

bool TMouseActions::Designing() {
  bool designing = false;
  if (OnIsDesigning) OnIsDesigning(this, designing);
  return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  FDisjunctRowSelect = Value;
  if (Value && Designing()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
  FDisjunctColSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
  FDisjunctCellSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
  FHotmailRowSelect = Value;
  if (Value) {
    FDisjunctRowSelect = true;
    CheckAllCheck = true;
  }
  if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  FEditOnDblClickOnly = Value;
  if (Value && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
  if (Value == FWheelAction) return;
  FWheelAction = Value;
  if (OnChange) OnChange(this);
}

void TMouseActions::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMouseActions*>(Source);
  if (s == nullptr) return;
  const bool sizeFixedRow = SizeFixedRow;
  const bool hotmail = FHotmailRowSelect;
  const bool editOnDblClickOnly = FEditOnDblClickOnly;
  TComponent* owner = FOwner;
  const TNotifyEvent onChange = OnChange, onInvalidate = OnInvalidate, onDisableEdit = OnDisableEdit;
  const TIsDesigningEvent onIsDesigning = OnIsDesigning;
  // Field by field, no setters; then what this object keeps.
  *this = *s;
  SizeFixedRow = sizeFixedRow;
  FHotmailRowSelect = hotmail;
  FEditOnDblClickOnly = editOnDblClickOnly;
  FOwner = owner;
  OnChange = onChange;
  OnInvalidate = onInvalidate;
  OnDisableEdit = onDisableEdit;
  OnIsDesigning = onIsDesigning;
}

// ---- TSyncGrid ----

void TSyncGrid::SetGrid(TStringGrid* Value) {
  if (Value != nullptr && static_cast<TComponent*>(Value) == FOwner) return;
  FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSyncGrid*>(Source);
  if (s == nullptr) return;
  SetGrid(s->FGrid);
  ScrollVertical = s->ScrollVertical;
  ScrollHorizontal = s->ScrollHorizontal;
  SelectionColumn = s->SelectionColumn;
  SelectionRow = s->SelectionRow;
  MoveColumn = s->MoveColumn;
  MoveRow = s->MoveRow;
}

// ---- TBands ----

void TBands::ChangedWhileActive() {
  if (FActive && OnChange) OnChange(this);
}

void TBands::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value) {
  if (Value == FPrimaryColor) return;
  FPrimaryColor = Value;
  ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor Value) {
  if (Value == FSecondaryColor) return;
  FSecondaryColor = Value;
  ChangedWhileActive();
}

void TBands::SetPrimaryLength(int Value) {
  if (Value == FPrimaryLength) return;
  FPrimaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

void TBands::SetSecondaryLength(int Value) {
  if (Value == FSecondaryLength) return;
  FSecondaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  ChangedWhileActive();
}

TColor TBands::RowColor(int Index) const {
  if (FTotalLength <= 0) return FPrimaryColor;
  return Index % FTotalLength < FPrimaryLength ? FPrimaryColor : FSecondaryColor;
}

void TBands::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TBands*>(Source);
  if (s == nullptr) return;
  FActive = s->FActive;
  FPrimaryColor = s->FPrimaryColor;
  FPrimaryLength = s->FPrimaryLength;
  FSecondaryColor = s->FSecondaryColor;
  FSecondaryLength = s->FSecondaryLength;
  Print = s->Print;
  FTotalLength = FPrimaryLength + FSecondaryLength;
}
