#include "grid/base/BaseGridUndoRedo.h"

TRivGridUndoRedo::TRivGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

TRivGridUndoRedo::~TRivGridUndoRedo() {
  if (FGrid != nullptr && FGrid->UndoRedo() == this) FGrid->SetUndoRedo(nullptr);
}

void TRivGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TRivGridUndoRedo::DropUndone() {
  // Registering after undoing starts a new history from here: the undone steps go.
  while (FItems->Count() > FLevel) FItems->Delete(FItems->Count() - 1);
}

TUndoRedoItem* TRivGridUndoRedo::Append() {
  DropUndone();
  return FItems->Add();
}

void TRivGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {
  // The undone tail goes first, so the limit counts only the steps that stay.
  DropUndone();
  if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
  TUndoRedoItem* item = FItems->Add();
  item->Col = ACol;
  item->Row = ARow;
  item->Value = NewValue;
  item->OrigValue = OldValue;
  FLevel = FItems->Count();
}

void TRivGridUndoRedo::RegisterCheckBoxChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {
  RegisterChange(ACol, ARow, OldValue, NewValue);
  if (FLevel == 0) return;
  TUndoRedoItem* item = FItems->Items(FLevel - 1);
  if (item->Col == ACol && item->Row == ARow) item->CheckBox = true;
}

void TRivGridUndoRedo::StartSequence() {
  TUndoRedoItem* marker = Append();
  marker->Col = marker->Row = -1;
  marker->SequenceStart = true;
  FLevel = FItems->Count();
}

void TRivGridUndoRedo::StopSequence() {
  TUndoRedoItem* marker = Append();
  marker->Col = marker->Row = -1;
  marker->SequenceStop = true;
  FLevel = FItems->Count();
}

// Writes the item's old (undoing) or new text back and makes its cell the current one.
void TRivGridUndoRedo::Apply(TUndoRedoItem* Item, bool Undoing) {
  const String& text = Undoing ? Item->OrigValue : Item->Value;
  const TRivGridUndoRedoEvent& event = Undoing ? OnUndo : OnRedo;
  if (event) event(this, FGrid, Item->Col, Item->Row, FGrid->Cells(Item->Col, Item->Row), text);
  FGrid->SetUndoneCellText(Item->Col, Item->Row, text, Item->CheckBox);
  FGrid->SetCol(FGrid->DisplColIndex(Item->Col));
  FGrid->SetRow(Item->Row);
}

void TRivGridUndoRedo::Undo() {
  if (FGrid == nullptr || FLevel == 0 || FItems->Count() < FLevel) return;
  TUndoRedoItem* item = FItems->Items(FLevel - 1);
  if (item->SequenceStop) {
    --FLevel;
    while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart) {
      Apply(FItems->Items(FLevel - 1), true);
      --FLevel;
    }
    if (FLevel > 0) --FLevel;  // past the start marker
    FGrid->Invalidate();
    return;
  }
  Apply(item, true);
  FGrid->RepaintCell(FGrid->Col(), item->Row);
  --FLevel;
}

void TRivGridUndoRedo::Redo() {
  if (FGrid == nullptr || FLevel >= FItems->Count()) return;
  ++FLevel;
  TUndoRedoItem* item = FItems->Items(FLevel - 1);
  if (item->SequenceStart) {
    ++FLevel;
    while (FLevel <= FItems->Count() && !FItems->Items(FLevel - 1)->SequenceStop) {
      Apply(FItems->Items(FLevel - 1), false);
      ++FLevel;
    }
    if (FLevel > FItems->Count()) FLevel = FItems->Count();
    FGrid->Invalidate();
    return;
  }
  Apply(item, false);
}

void TRivGridUndoRedo::Reset() {
  while (FItems->Count() > 0) FItems->Delete(0);
  FLevel = 0;
}
