// The column-size and size-while-typing settings.
#include "grid/model/ColumnSize.h"

void TSizeWhileTyping::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TSizeWhileTyping*>(Source);
  if (source == nullptr) return;
  Height = source->Height;
  Width = source->Width;
}

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (OnStretch) OnStretch(this);
}

void TColumnSize::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TColumnSize*>(Source);
  if (source == nullptr || source == this) return;
  Save = source->Save;
  Key = source->Key;
  Section = source->Section;
  StretchColumn = source->StretchColumn;
  SynchWithGrid = source->SynchWithGrid;
  SynchNormalCellsOnly = source->SynchNormalCellsOnly;
  Location = source->Location;
  Rows = source->Rows;
  SetStretch(source->FStretch);
}
