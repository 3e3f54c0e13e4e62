// The grid's column-size settings (where column widths are saved, which column stretches,
// which rows a column is autosized over) and its size-while-typing settings.
#pragma once

#include "classlib/Component.h"
#include "grid/model/RivErodovOzarCalcTypes.h"

enum TColumnSizeLocation { clRegistry, clIniFile };

// Grow the row (column) while the inplace editor's text grows.
class TSizeWhileTyping : public TPersistent {
 public:
  bool Height = false;
  bool Width = false;
  void Assign(TPersistent* Source) override;
};

class TColumnSize : public TPersistent {
 public:
  explicit TColumnSize(TComponent* AOwner) : FOwner(AOwner) {}

  TComponent* Owner() const { return FOwner; }
  // Save column widths on destruction and load them at window creation and after streaming.
  bool Save = false;
  // Where they are saved: the INI file or registry key, and the section.
  String Key;
  String Section;
  bool Stretch() const { return FStretch; }
  // Stores the flag, then runs OnStretch (the grid's column stretch) when assigned.
  void SetStretch(bool Value);
  // -1 stands for the last column.
  int StretchColumn = -1;
  bool SynchWithGrid = false;
  bool SynchNormalCellsOnly = false;
  TColumnSizeLocation Location = clRegistry;
  // The rows over which a column is autosized.
  TAutoSizeRows Rows = arAll;
  TNotifyEvent OnStretch;

  // Copies every setting from another TColumnSize (not the owner); ignores any other source.
  void Assign(TPersistent* Source) override;

 private:
  TComponent* FOwner;
  bool FStretch = false;
};
