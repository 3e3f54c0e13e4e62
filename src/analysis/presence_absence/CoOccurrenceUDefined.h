// The weights editor of the "User-Defined" row and column constraints: one weight per species
// or per site, edited in a grid, opened from and saved to a weights file.
#pragma once

#include "analysis/common/WeightsFile.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"

class TCoOccurrenceUserDefined : public TForm {
 public:
  explicit TCoOccurrenceUserDefined(TComponent* AOwner);

  TStringGrid* SpeciesWeightsGrid;  // "Species" | "Weights", one row per data grid row
  TStringGrid* SitesWeightsGrid;    // "Sites" | "Weights", one row per data grid column

  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* File1;                 // "&File"
  TMenuItem* Openweights1;          // "&Open weights"
  TMenuItem* Saveweights1;          // "&Save weights"
  TMenuItem* Help1;                 // "&Help", F1
  TMenuItem* ResetDefaults1;        // "Reset &Defaults"
  TMenuItem* Usenewweights1;        // "&Use new weights"

  bool FirstTime = true;
  String CurrentFile;

  void SetDefaults();
  void SetColumns();
  // True when every weight of the visible grid is a positive number; otherwise shows
  // "Weights must be > 0 " / "error row: " + row and returns false.
  bool TestUserDefined();

  // The grid the options form's DefineWeights selects: sites for 1, species otherwise.
  TStringGrid* WeightsGrid() const;
  // Reads a weights file into Grid, then checks its row count against the data grid.
  void OpenWeightsFile(TStringGrid* Grid, const String& F_Name);
  // Writes Grid as a weights file; "Error writing file." when that fails.
  void SaveWeightsFile(TStringGrid* Grid, const String& F_Name);

  void FormShow(TObject* Sender);
  void Openweights1Click(TObject* Sender);
  void Saveweights1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);
  void Usenewweights1Click(TObject* Sender);

 private:
  static TStringGrid* NewWeightsGrid(TCoOccurrenceUserDefined* Owner, const String& Name);
};

extern TCoOccurrenceUserDefined* CoOccurrenceUserDefined;
